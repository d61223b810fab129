// Start-up time and memory of the note next to a minimal window program, and what an idle note
// with a 1 MB text costs: CPU time and file writes over 10 seconds.  Run under Wine by
// bench/run.sh; prints a table.
#include "model/file_system.h"
#include "platform/unique.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {
namespace fs = std::filesystem;

struct Running {
    PROCESS_INFORMATION info{};
    ~Running() {
        if (!info.hProcess) return;
        TerminateProcess(info.hProcess, 0);
        WaitForSingleObject(info.hProcess, 5000);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
};

double Now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* cls) {
    for (HWND hwnd = nullptr; (hwnd = FindWindowExW(nullptr, hwnd, cls, nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == processId && IsWindowVisible(hwnd)) return hwnd;
    }
    return nullptr;
}

// Starts the program and returns the milliseconds until its window is visible and has painted.
double StartAndWait(const fs::path& exe, const wchar_t* cls, Running& running) {
    STARTUPINFOW si{sizeof si};
    std::wstring command = L"\"" + exe.wstring() + L"\"";
    double start = Now();
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, exe.parent_path().c_str(),
                        &si, &running.info))
        return -1;
    for (;;) {
        if (HWND hwnd = VisibleWindowOf(running.info.dwProcessId, cls)) {
            // The first frame is up once the window has no paint pending.
            RECT update;
            if (!GetUpdateRect(hwnd, &update, FALSE)) return Now() - start;
        }
        if (Now() - start > 60000) return -1;
        Sleep(1);
    }
}

// Private bytes (Wine fills PagefileUsage, the committed private memory, but not PrivateUsage).
double PrivateMegabytes(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

double CpuMilliseconds(HANDLE process) {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(process, &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) { return static_cast<double>((uint64_t{t.dwHighDateTime} << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
}

fs::path Folder(const wchar_t* name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    fs::path dir = fs::path(temp) / name;
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

// Writes a note of `pages` pages of about `chars` bytes each (GBK), every page lines of text
// (stored escaped, as the note stores line breaks).
void WriteNote(const fs::path& dir, int pages, size_t chars) {
    std::string page;
    while (page.size() < chars) page += "\xc7\xe0\xb7\xe3\xcc\xf9 a line of the note\\n";
    std::string content, escaped;
    for (int i = 0; i < pages; ++i) {
        content += page + "||";
        escaped += (i ? "," : "") + std::to_string(i + 1);
    }
    std::ofstream out(dir / L"青枫贴配置.ini", std::ios::binary);
    out << "[\xc4\xda\xc8\xdd]\r\n\xc4\xda\xc8\xdd=" << content << "\r\n\xd7\xdc\xd2\xb3\xca\xfd=" << pages
        << "\r\n\xd7\xaa\xd2\xe5\xd2\xb3=" << escaped << "\r\n";
}

struct Figures {
    double startMs = -1;
    double privateMb = 0;
};

Figures Measure(const fs::path& source, const wchar_t* folder, const wchar_t* cls, int pages, size_t chars,
                int repeat) {
    Figures best;
    for (int i = 0; i < repeat; ++i) {
        fs::path dir = Folder(folder);
        fs::path exe = dir / source.filename();
        CopyFileW(source.c_str(), exe.c_str(), FALSE);
        if (pages > 0) WriteNote(dir, pages, chars);
        Running running;
        double ms = StartAndWait(exe, cls, running);
        Sleep(300);
        double mb = PrivateMegabytes(running.info.hProcess);
        if (best.startMs < 0 || ms < best.startMs) best = {ms, mb};
    }
    return best;
}
} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 3) {
        std::printf("usage: note_bench NOTE_EXE MINIMAL_EXE\n");
        return 2;
    }
    fs::path note = argv[1];
    fs::path minimal = argv[2];

    Figures floor = Measure(minimal, L"qf-bench-minimal", L"QingFengMinimalWindow", 0, 0, 5);
    Figures fresh = Measure(note, L"qf-bench-note", L"QingFengNote", 0, 0, 5);
    Figures thousand = Measure(note, L"qf-bench-1000", L"QingFengNote", 1000, 60, 3);
    Figures big = Measure(note, L"qf-bench-1mb", L"QingFengNote", 1, 1000000, 3);
    std::printf("%-44s %14s %14s\n", "program", "first frame ms", "private MB");
    std::printf("%-44s %14.0f %14.1f\n", "minimal Win32 window (floor)", floor.startMs, floor.privateMb);
    std::printf("%-44s %14.0f %14.1f\n", "note, first start (no file)", fresh.startMs, fresh.privateMb);
    std::printf("%-44s %14.0f %14.1f\n", "note, 1,000 pages", thousand.startMs, thousand.privateMb);
    std::printf("%-44s %14.0f %14.1f\n", "note, one 1 MB page", big.startMs, big.privateMb);

    // An idle note holding 1 MB: CPU time and file writes over 10 seconds, after it settled.
    fs::path dir = Folder(L"qf-bench-idle");
    fs::path exe = dir / note.filename();
    CopyFileW(note.c_str(), exe.c_str(), FALSE);
    WriteNote(dir, 100, 10000);
    Running running;
    StartAndWait(exe, L"QingFengNote", running);
    Sleep(2000);
    FileStamp last = RealFileSystem().Stamp(dir / L"青枫贴配置.ini");
    int writes = 0;
    double cpuBefore = CpuMilliseconds(running.info.hProcess);
    for (int i = 0; i < 200; ++i) {
        Sleep(50);
        FileStamp now = RealFileSystem().Stamp(dir / L"青枫贴配置.ini");
        if (!(now == last)) ++writes;
        last = now;
    }
    double cpu = CpuMilliseconds(running.info.hProcess) - cpuBefore;
    std::printf("idle 10 s with a 1 MB note: %.0f ms CPU, %d file writes\n", cpu, writes);
    return 0;
}
