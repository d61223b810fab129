// 开机自启: the shortcut in the Startup folder, its target, and when nothing is registered.
#include "platform/codepage.h"
#include "ui/settings/settings_operations.h"

#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <windows.h>

#include <filesystem>
#include <fstream>

namespace {
namespace fs = std::filesystem;

fs::path StartupFolder() {
    wchar_t folder[MAX_PATH] = {};
    SHGetSpecialFolderPathW(nullptr, folder, CSIDL_STARTUP, FALSE);
    return folder;
}

// The target a shortcut file points at, as the shell reads it back.
std::wstring ShortcutTarget(const fs::path& shortcut) {
    std::wstring target;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            if (SUCCEEDED(file->Load(shortcut.c_str(), STGM_READ))) {
                wchar_t path[MAX_PATH] = {};
                if (SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) target = path;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

int FileCount(const fs::path& folder) {
    int count = 0;
    for (auto& entry : fs::directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

class StartupShortcutTest : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root = fs::path(temp) / (L"qf-startup-" + std::to_wstring(GetCurrentProcessId()));
        program = root / L"program";
        fs::create_directories(program);
        startup = StartupFolder();
        ASSERT_FALSE(startup.empty());
        fs::create_directories(startup);
        fs::remove(Shortcut(startup));
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove(Shortcut(startup), ignored);
        fs::remove_all(root, ignored);
    }

    static fs::path Shortcut(const fs::path& folder) { return folder / L"阿禾青枫贴.exe.lnk"; }
    void PlaceProgram(const wchar_t* name) { std::ofstream(program / name, std::ios::binary) << "MZ"; }

    fs::path root;
    fs::path program;
    fs::path startup;
};

TEST_F(StartupShortcutTest, ShortcutInTheStartupFolderTargetsTheProgramBesideTheExecutable) {
    PlaceProgram(L"阿禾青枫贴.exe");
    RegisterStartup(program.wstring(), startup.wstring());
    ASSERT_TRUE(fs::exists(Shortcut(startup)));
    std::wstring target = ShortcutTarget(Shortcut(startup));
    ASSERT_FALSE(target.empty());
    EXPECT_TRUE(fs::equivalent(fs::path(target), program / L"阿禾青枫贴.exe")) << NarrowToAnsi(target);
}

TEST_F(StartupShortcutTest, PressingTwiceLeavesOneShortcut) {
    PlaceProgram(L"阿禾青枫贴.exe");
    fs::path folder = root / L"startup";
    fs::create_directories(folder);
    RegisterStartup(program.wstring(), folder.wstring());
    RegisterStartup(program.wstring(), folder.wstring());
    EXPECT_TRUE(fs::exists(Shortcut(folder)));
    EXPECT_EQ(FileCount(folder), 1);
}

// The program's real file name is not consulted: only a file named 阿禾青枫贴.exe counts.
TEST_F(StartupShortcutTest, NothingWhenTheFolderHoldsNoFileOfThatName) {
    PlaceProgram(L"青枫贴.exe");
    fs::create_directories(program / L"阿禾青枫贴.exe" / L"sub"); // a folder of that name is no program
    RegisterStartup(program.wstring(), startup.wstring());
    EXPECT_FALSE(fs::exists(Shortcut(startup)));
}

TEST_F(StartupShortcutTest, NothingFromAnExecutableWithAnotherName) {
    RegisterStartup(); // the test program's folder holds no 阿禾青枫贴.exe
    EXPECT_FALSE(fs::exists(Shortcut(startup)));
}

TEST_F(StartupShortcutTest, NothingWhenTheStartupFolderIsMissing) {
    PlaceProgram(L"阿禾青枫贴.exe");
    fs::path missing = root / L"no such folder";
    RegisterStartup(program.wstring(), missing.wstring());
    EXPECT_FALSE(fs::exists(missing));
}

// "\/阿禾青枫贴.exe.lnk" adds 20 bytes in GBK; with the terminating zero the whole path must
// fit in 260 bytes, so a 239-byte folder is the longest that still gets a shortcut.
TEST_F(StartupShortcutTest, ShortcutPathMustFitInMaxPathBytes) {
    PlaceProgram(L"阿禾青枫贴.exe");
    for (size_t folderBytes : {239u, 240u}) {
        SCOPED_TRACE(folderBytes);
        size_t rootBytes = NarrowToAnsi(root.wstring()).size();
        ASSERT_LT(rootBytes + 1, folderBytes);
        fs::path folder = root / std::wstring(folderBytes - rootBytes - 1, folderBytes == 239 ? L'a' : L'b');
        ASSERT_EQ(NarrowToAnsi(folder.wstring()).size(), folderBytes);
        fs::create_directories(folder);
        ASSERT_TRUE(fs::exists(folder));

        RegisterStartup(program.wstring(), folder.wstring());

        EXPECT_EQ(fs::exists(Shortcut(folder)), folderBytes == 239);
    }
}

} // namespace
