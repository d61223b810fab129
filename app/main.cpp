// 阿禾青枫贴.exe: one note per folder.  A second copy started from the same folder brings the
// running note to the front and leaves without touching the file.
#include "assets/click_sound.h"
#include "model/file_system.h"
#include "platform/paths.h"
#include "platform/unique.h"
#include "ui/note/note_window.h"
#include "ui/note/png_control.h"

#include <windows.h>

#include <string>

namespace {
// Finds the note window that uses the same configuration file and asks it to come forward.
void ShowRunningNote(uint32_t hash) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, kNoteWindowClass, nullptr)) != nullptr) {
        if (reinterpret_cast<uintptr_t>(GetPropW(hwnd, kConfigHashProperty)) != hash) continue;
        DWORD processId = 0;
        GetWindowThreadProcessId(hwnd, &processId);
        AllowSetForegroundWindow(processId);
        PostMessageW(hwnd, ShowNoteMessage(), 0, 0);
        return;
    }
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::filesystem::path configPath = ConfigFilePath();
    uint32_t hash = ConfigPathHash(configPath);
    UniqueHandle instanceMutex(CreateMutexW(nullptr, FALSE, (L"Local\\QingFengTie-" + std::to_wstring(hash)).c_str()));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        ShowRunningNote(hash);
        return 0;
    }

    InitTransparency();
    auto program = StartNote(instance, configPath, RealFileSystem());
    if (!program) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    StopClickSounds();
    return 0;
}
