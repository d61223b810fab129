#pragma once
// A small but real note for the settings window to act on: a window with the sheet picture,
// the bar button, the six toolbar labels and see-through page editors, a configuration file
// in a temp folder, and stand-ins for the two dialogs and for ending the program.
#include "model/config_keys.h"
#include "model/config_store.h"
#include "model/page_book.h"
#include "model/text_codec.h"
#include "platform/codepage.h"
#include "ui/note/label.h"
#include "ui/note/note.h"
#include "ui/note/page_editor.h"
#include "ui/note/picture_control.h"
#include "ui/note/png_control.h"
#include "ui/settings/settings_operations.h"
#include "ui/settings/settings_window.h"

#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace settings_test {

inline std::string Ansi(std::wstring_view text) {
    return NarrowToAnsi(text);
}

// The file the note starts from: every setting present, so a test can tell which ones an
// operation rewrote.
inline std::string InitialFile() {
    return Ansi(L"[内容]\r\n内容=甲||乙||丙||\r\n总页数=3\r\n"
                L"[自定义]\r\n背景=blue1\r\n布条=green2\r\n静音=假\r\n保持最前=假\r\n"
                L"字体大小=12\r\n字体名称=宋体\r\n加粗=假\r\n下划线=假\r\n删除线=假\r\n倾斜=假\r\n");
}

// bytes with the line "key=..." replaced by "key=value": what a write of that one key leaves.
inline std::string WithValue(std::string bytes, std::string_view key, std::string_view value) {
    std::string head = "\n" + std::string(key) + "=";
    size_t at = bytes.find(head);
    if (at == std::string::npos) return bytes + "<missing key>";
    size_t start = at + head.size();
    size_t end = bytes.find("\r\n", start);
    return bytes.replace(start, end - start, value);
}

inline void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

inline LOGFONTW FontOf(HWND editor) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

inline int ScreenDpiY() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

inline bool IsTopmost(HWND hwnd) {
    return (GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "tests expect code page 936";
        sounds.clear();
        exitCalls = 0;
        chooserAnswer.reset();
        presets.clear();
        chooserOwner = nullptr;
        messages.clear();
        HINSTANCE instance = GetModuleHandleW(nullptr);
        InitTransparency();
        RegisterLabelClass(instance);
        RegisterPictureControls(instance);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = instance;
        wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 255));
        wc.lpszClassName = L"QingFengTestNote";
        RegisterClassExW(&wc);

        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::filesystem::path(temp) /
              (L"qf-settings-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial));
        std::filesystem::create_directories(dir);
        file = dir / L"青枫贴配置.ini";
        WriteBytes(file, InitialFile());
        store = std::make_unique<ConfigStore>(file, RealFileSystem(), SystemCodec());

        NoteControls& c = note.controls;
        c.window = CreateWindowExW(WS_EX_TOOLWINDOW, L"QingFengTestNote", L"", WS_POPUP, 700, 100, 400, 250, nullptr,
                                   nullptr, instance, nullptr);
        ASSERT_NE(c.window, nullptr);
        const LabelStyle toolbar{RGB(128, 128, 128), 12, true, L"", false};
        c.settingsLabel = CreateLabel(c.window, 206, 310, 225, 28, 16, L"设置", toolbar);
        c.nextLabel = CreateLabel(c.window, 201, 266, 225, 40, 16, L"下一页", toolbar);
        c.deleteLabel = CreateLabel(c.window, 204, 234, 225, 26, 16, L"删除", toolbar);
        c.counterLabel = CreateLabel(c.window, 205, 182, 225, 35, 16, L"0/0", toolbar);
        c.newLabel = CreateLabel(c.window, 203, 145, 225, 26, 16, L"新建", toolbar);
        c.previousLabel = CreateLabel(c.window, 202, 99, 225, 40, 16, L"上一页", toolbar);
        c.barButton = CreateBarButton(c.window, 301, 8, 25, 53, 32);
        c.sheet = CreateSheetPicture(c.window, 100, 54, -1, 300, 245);
        c.templateEditor = CreateWindowExW(
            0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_TABSTOP | WS_CLIPSIBLINGS,
            18, 14, 272, 208, c.sheet, nullptr, instance, nullptr);
        LOGFONTW templateFont{};
        templateFont.lfHeight = -21;
        templateFont.lfWeight = FW_BOLD;
        lstrcpyW(templateFont.lfFaceName, L"张海山锐线体简");
        templateFontHandle = CreateFontIndirectW(&templateFont);
        SendMessageW(c.templateEditor, WM_SETFONT, reinterpret_cast<WPARAM>(templateFontHandle), FALSE);

        book = std::make_unique<PageBook>(PageBookServices{
            [this] {
                return WrapPageEditor(
                    CreatePageEditor({note.controls.sheet, note.controls.templateEditor, &transparency}));
            },
            [this](const std::string& text) { SetLabelText(note.controls.counterLabel, WidenAnsi(text)); },
            [this](PageSound sound) { sounds.push_back(sound); },
            [] {},
            [] {},
        });
        note.store = store.get();
        note.book = book.get();
        note.transparency = &transparency;
        note.muteSetting = Ansi(L"假");
        note.exitProgram = [this] { ++exitCalls; };
        ShowWindow(c.window, SW_SHOWNOACTIVATE);

        SettingsDialogs dialogs;
        dialogs.chooseFont = [this](HWND owner, FontChoice& choice) {
            chooserOwner = owner;
            presets.push_back(choice);
            if (!chooserAnswer) return false;
            choice = *chooserAnswer;
            return true;
        };
        dialogs.showMessage = [this](const std::wstring& text, const std::wstring& title) {
            messages.emplace_back(text, title);
        };
        settings = CreateSettingsWindow(note, 100, 100, UseRealDialogs() ? SystemSettingsDialogs() : dialogs);
        ASSERT_NE(settings, nullptr);
        Pump();
    }

    void TearDown() override {
        if (settings && IsWindow(settings)) DestroyWindow(settings);
        if (note.controls.window) DestroyWindow(note.controls.window);
        book.reset();
        if (templateFontHandle) DeleteObject(templateFontHandle);
        store.reset();
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    virtual bool UseRealDialogs() const { return false; }

    // Pages 1..count exist and page current is shown; the sounds of getting there are forgotten.
    void MakePages(int count, int current) {
        for (int i = 0; i < count; ++i)
            book->NewPage();
        while (book->CurrentPage() > current)
            book->PreviousPage();
        sounds.clear();
        Pump();
    }

    HWND Control(int id) const { return GetDlgItem(settings, id); }
    void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
    void Tick(int id, bool on) { SendMessageW(Control(id), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
    bool Ticked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string FileBytes() const { return ReadBytes(file); }
    int PageTurnSounds() const {
        return static_cast<int>(std::count(sounds.begin(), sounds.end(), PageSound::PageTurn));
    }
    std::wstring CounterText() const {
        wchar_t text[32] = {};
        GetWindowTextW(note.controls.counterLabel, text, 32);
        return text;
    }

    static inline int serial = 0;
    std::filesystem::path dir;
    std::filesystem::path file;
    std::unique_ptr<ConfigStore> store;
    PngControl transparency;
    std::unique_ptr<PageBook> book;
    Note note;
    HFONT templateFontHandle = nullptr;
    HWND settings = nullptr;

    std::vector<PageSound> sounds;
    int exitCalls = 0;
    std::optional<FontChoice> chooserAnswer; // nullopt: the user cancels
    std::vector<FontChoice> presets;         // what the chooser was opened with
    HWND chooserOwner = nullptr;
    std::vector<std::pair<std::wstring, std::wstring>> messages;
};

} // namespace settings_test
