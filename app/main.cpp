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
bool ShowRunningNote(uint32_t hash) {
    HWND hwnd = nullptr;
    while ((hwnd = FindWindowExW(nullptr, hwnd, kNoteWindowClass, nullptr)) != nullptr) {
        if (reinterpret_cast<uintptr_t>(GetPropW(hwnd, kConfigHashProperty)) != hash) continue;
        DWORD processId = 0;
        GetWindowThreadProcessId(hwnd, &processId);
        // The window of a copy that was just killed can outlive it for a moment.
        UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
        if (!process || WaitForSingleObject(process.get(), 0) != WAIT_TIMEOUT) continue;
        AllowSetForegroundWindow(processId);
        PostMessageW(hwnd, ShowNoteMessage(), 0, 0);
        return true;
    }
    return false;
}

// Whether this copy is the one note for its folder.  The running note owns a named mutex for
// its whole life; a copy that dies (even killed) leaves it abandoned, and the next start takes
// it over.  A second copy hands over to the first and leaves without touching the file.
bool BecomeTheNote(HANDLE mutex, uint32_t hash) {
    DWORD wait = WaitForSingleObject(mutex, 0);
    if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return true;
    // Another copy holds it: its window may still be on its way, or the copy may be ending.
    for (int i = 0; i < 30; ++i) {
        if (ShowRunningNote(hash)) return false;
        wait = WaitForSingleObject(mutex, 100);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return true;
    }
    return false;
}
} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    std::filesystem::path configPath = ConfigFilePath();
    uint32_t hash = ConfigPathHash(configPath);
    UniqueHandle instanceMutex(CreateMutexW(nullptr, FALSE, (L"Local\\QingFengTie-" + std::to_wstring(hash)).c_str()));
    if (!BecomeTheNote(instanceMutex.get(), hash)) return 0;

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
