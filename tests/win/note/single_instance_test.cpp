// A second copy started from the same folder hands over to the running note and leaves the file alone.
#include "note_fixture.h"

#include <vector>

namespace {

struct Process {
    PROCESS_INFORMATION info{};
    ~Process() {
        if (info.hProcess) {
            TerminateProcess(info.hProcess, 9);
            WaitForSingleObject(info.hProcess, 5000);
            CloseHandle(info.hProcess);
            CloseHandle(info.hThread);
        }
    }
};

bool Launch(const std::filesystem::path& exe, Process& process) {
    STARTUPINFOW si{sizeof si};
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    return CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          exe.parent_path().c_str(), &si, &process.info);
}

HWND FindNote(uint32_t hash) {
    for (HWND hwnd = nullptr; (hwnd = FindWindowExW(nullptr, hwnd, kNoteWindowClass, nullptr));)
        if (reinterpret_cast<uintptr_t>(GetPropW(hwnd, kConfigHashProperty)) == hash) return hwnd;
    return nullptr;
}

TEST_F(NoteTest, ASecondCopyBringsTheFirstForwardAndLeaves) {
    std::filesystem::path exe = dir / L"阿禾青枫贴.exe";
    ASSERT_TRUE(CopyFileW(std::filesystem::path(u8"" QF_APP_EXE).c_str(), exe.c_str(), FALSE));
    WriteBytes(file, PagesFile("keep me||", "1"));
    uint32_t hash = ConfigPathHash(dir.wstring() + L"/青枫贴配置.ini");

    Process first;
    ASSERT_TRUE(Launch(exe, first));
    HWND note = nullptr;
    for (int i = 0; i < 200 && !note; ++i, Sleep(50)) note = FindNote(hash);
    if (!note) {
        for (HWND hwnd = nullptr; (hwnd = FindWindowExW(nullptr, hwnd, kNoteWindowClass, nullptr));)
            ADD_FAILURE() << "a note with hash " << reinterpret_cast<uintptr_t>(GetPropW(hwnd, kConfigHashProperty))
                          << " instead of " << hash;
    }
    ASSERT_TRUE(note) << "the first copy shows its note";
    Sleep(300);
    std::string before = ReadBytes(file);

    // 50 more starts, in batches of one to five started at once.
    int started = 0;
    for (int batch = 1; started < 50; batch = batch % 5 + 1) {
        std::vector<Process> copies(static_cast<size_t>(std::min(batch, 50 - started)));
        for (Process& copy : copies) ASSERT_TRUE(Launch(exe, copy));
        for (Process& copy : copies) {
            ASSERT_EQ(WaitForSingleObject(copy.info.hProcess, 30000), WAIT_OBJECT_0);
            DWORD code = 1;
            GetExitCodeProcess(copy.info.hProcess, &code);
            EXPECT_EQ(code, 0u);
            CloseHandle(copy.info.hProcess);
            CloseHandle(copy.info.hThread);
            copy.info = {};
        }
        started += static_cast<int>(copies.size());
    }
    DWORD firstCode = 0;
    GetExitCodeProcess(first.info.hProcess, &firstCode);
    EXPECT_EQ(WaitForSingleObject(first.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the first copy runs on (exit code " << std::hex << firstCode << ")";
    EXPECT_EQ(FindNote(hash), note);
    EXPECT_EQ(ReadBytes(file), before);
}

} // namespace
