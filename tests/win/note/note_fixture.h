#pragma once
// Starts the real note window on a configuration file in a folder of its own.
#include "model/config_keys.h"
#include "model/file_system.h"
#include "ui/note/label.h"
#include "ui/note/note_window.h"
#include "ui/note/png_control.h"

#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// "[内容]\r\n内容=...\r\n总页数=...\r\n"
inline std::string PagesFile(const std::string& content, const std::string& count) {
    return "[\xc4\xda\xc8\xdd]\r\n\xc4\xda\xc8\xdd=" + content + "\r\n\xd7\xdc\xd2\xb3\xca\xfd=" + count + "\r\n";
}
inline std::string SettingsFile(const std::string& lines) { return "[\xd7\xd4\xb6\xa8\xd2\xe5]\r\n" + lines; }

inline void Pump(DWORD ms = 0) {
    ULONGLONG end = GetTickCount64() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms) Sleep(5);
    } while (GetTickCount64() < end);
}

inline std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetWindowTextW(hwnd, buffer, 256);
    return buffer;
}

class NoteTest : public ::testing::Test {
public:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::filesystem::path(temp) /
              (L"qf-note-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount64()));
        std::filesystem::create_directories(dir);
        file = dir / L"青枫贴配置.ini";
    }
    void TearDown() override {
        if (program) DestroyWindow(program->note.controls.window);
        program.reset();
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    void Start(const std::string& contents = {}) {
        if (!contents.empty()) WriteBytes(file, contents);
        static bool initialised = [] {
            InitTransparency();
            return true;
        }();
        (void)initialised;
        program = StartNote(GetModuleHandleW(nullptr), file, RealFileSystem());
        ASSERT_TRUE(program);
        program->pages.Flush();
        exitCalls = 0;
        program->note.exitProgram = [this] { ++exitCalls; };
        Pump(50);
    }

    Note& note() { return program->note; }
    PageBook& book() { return program->book; }
    std::u16string PageText(int page) { return book().Editor(page).Text(); }
    void Press(HWND label) { SendMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, 0); }

    std::filesystem::path dir;
    std::filesystem::path file;
    std::unique_ptr<NoteProgram> program;
    int exitCalls = 0;
};
