// The configuration store against the real Windows file and profile functions (under Wine).
#include "../../model/fake_book.h"

#include "model/config_keys.h"
#include "model/config_store.h"
#include "model/page_store.h"
#include "model/text_codec.h"
#include "platform/unique.h"

#include "tests/support/file_bytes.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

std::string Fixture(const char* name) { return ReadBytes(std::filesystem::path(QF_SOURCE_DIR) / "tests/fixtures" / name); }

// Fails the chosen step of a save, passing everything else to the real file system.
class ReplaceFails final : public FileSystem {
public:
    bool fail = true;
    FileError ReadAll(const std::filesystem::path& p, std::string& b) override { return Real().ReadAll(p, b); }
    FileStamp Stamp(const std::filesystem::path& p) override { return Real().Stamp(p); }
    FileError CreateTemp(const std::filesystem::path& p) override { return Real().CreateTemp(p); }
    FileError Write(std::string_view b) override { return Real().Write(b); }
    FileError Flush() override { return Real().Flush(); }
    FileError Close() override { return Real().Close(); }
    FileError Replace(const std::filesystem::path& t, const std::filesystem::path& p) override {
        return fail ? FileError::Other : Real().Replace(t, p);
    }
    void Remove(const std::filesystem::path& p) override { Real().Remove(p); }

private:
    static FileSystem& Real() { return RealFileSystem(); }
};

class WinStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "tests expect code page 936 (LC_ALL=zh_CN.UTF-8)";
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir = std::filesystem::path(temp) / (L"qf-store-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                             std::to_wstring(GetTickCount64()));
        std::filesystem::create_directories(dir);
        file = dir / L"青枫贴配置.ini";
    }
    void TearDown() override {
        SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    std::filesystem::path dir;
    std::filesystem::path file;
};

TEST_F(WinStoreTest, WritesTheExpectedGbkBytes) {
    ConfigStore store(file, RealFileSystem(), SystemCodec());
    PageStore pages(store, SystemCodec());
    FakeNote note;
    note.Fill({u"A", u"", u"C"}, 1);
    ASSERT_EQ(pages.SavePages(note.book), SaveOutcome::Written);
    ASSERT_TRUE(store.Write(keys::kSettingsSection, keys::kBackground, "blue1"));
    ASSERT_TRUE(store.Write(keys::kSettingsSection, keys::kMute, keys::kTrue));
    EXPECT_EQ(ReadBytes(file), Fixture("three-pages.ini"));

    // Line breaks, "||", a leading space and an emoji are kept by the escaped form.
    std::filesystem::remove(file);
    FakeNote tricky;
    tricky.Fill({u"\u5185\u5bb9\n\u771f", u" x|\U0001F600"}, 1);
    ASSERT_EQ(pages.SavePages(tricky.book), SaveOutcome::Written);
    EXPECT_EQ(ReadBytes(file), Fixture("escaped-pages.ini"));
    FakeNote restarted;
    PageStore(store, SystemCodec()).LoadPages(restarted.book);
    EXPECT_EQ(restarted.Texts(), tricky.Texts());
}

// The same sequence of writes through WritePrivateProfileStringA and through the store gives
// the same file, so files move freely between this program and anything that uses the profile API.
TEST_F(WinStoreTest, LayoutAgreesWithWritePrivateProfileString) {
    struct Step {
        std::string_view section, key, value;
    };
    const Step steps[] = {
        {keys::kContentSection, keys::kContent, "||"},
        {keys::kContentSection, keys::kPageCount, "1"},
        {keys::kSettingsSection, keys::kBackground, "green1"},
        {keys::kContentSection, keys::kPageCount, "2"},
        {keys::kSettingsSection, keys::kMute, keys::kTrue},
        {keys::kContentSection, keys::kContent, "a||\xc4\xda\xc8\xdd||"},
        {keys::kSettingsSection, keys::kFontName, ""},
    };
    std::filesystem::path profileFile = dir / "profile.ini";
    std::string profilePath = profileFile.string();
    ConfigStore store(file, RealFileSystem(), SystemCodec());
    for (const Step& step : steps) {
        WritePrivateProfileStringA(std::string(step.section).c_str(), std::string(step.key).c_str(),
                                   std::string(step.value).c_str(), profilePath.c_str());
        ASSERT_TRUE(store.Write(step.section, step.key, step.value));
        EXPECT_EQ(ReadBytes(file), ReadBytes(profileFile)) << "after writing " << step.value;
    }
}

TEST_F(WinStoreTest, ReadsWhatTheProfileFunctionsWrite) {
    const char* values[] = {"plain", "  spaced  ", "\"quoted\"", "'single'", "a=b", "", "\xd5\xe6", "x;y"};
    file = dir / "read.ini"; // an ASCII name, so that the A functions find the same file
    std::string path = file.string();
    for (const char* value : values) WritePrivateProfileStringA("s", value[0] ? value : "empty", value, path.c_str());
    // Keys written by hand with the odd spacing people use.
    std::string text = ReadBytes(file) + "[t]\r\n  spaced key  =  v  \r\nQUOTE=\"a b\"\r\n";
    WriteBytes(file, text);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); // drop the profile cache

    ConfigStore store(file, RealFileSystem(), SystemCodec());
    auto check = [&](const char* section, const char* key) {
        char buffer[1024];
        GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path.c_str());
        EXPECT_EQ(store.Read(section, key), buffer) << section << "/" << key;
    };
    for (const char* value : values) check("s", value[0] ? value : "empty");
    check("t", "spaced key");
    check("T", "quote");
    check("s", "missing");
    check("missing", "plain");
}

TEST_F(WinStoreTest, AnInterruptedSaveLeavesTheOldFile) {
    WriteBytes(file, Fixture("three-pages.ini"));
    ReplaceFails files;
    ConfigStore store(file, files, SystemCodec());
    PageStore pages(store, SystemCodec());
    FakeNote note;
    pages.LoadPages(note.book);
    note.book.Editor(1).SetText(u"changed");
    EXPECT_EQ(pages.SavePages(note.book), SaveOutcome::Failed);
    EXPECT_EQ(ReadBytes(file), Fixture("three-pages.ini"));
    EXPECT_FALSE(std::filesystem::exists(file.wstring() + L".tmp"));

    files.fail = false;
    EXPECT_EQ(pages.SavePages(note.book), SaveOutcome::Written);
    EXPECT_EQ(store.Read(keys::kContentSection, keys::kContent), "changed||||C||");
    EXPECT_EQ(store.Read(keys::kSettingsSection, keys::kBackground), "blue1");
}

TEST_F(WinStoreTest, ReadOnlyAndLockedFilesFailUntilWritableAgain) {
    WriteBytes(file, Fixture("three-pages.ini"));
    ConfigStore store(file, RealFileSystem(), SystemCodec());
    PageStore pages(store, SystemCodec());
    FakeNote note;
    pages.LoadPages(note.book);
    note.book.Editor(3).SetText(u"typed while read-only");

    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(pages.SavePages(note.book), SaveOutcome::Failed);
    EXPECT_EQ(pages.LastError(), FileError::AccessDenied);
    EXPECT_EQ(ReadBytes(file), Fixture("three-pages.ini"));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    {
        UniqueHandle lock(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_NE(lock.get(), INVALID_HANDLE_VALUE);
        EXPECT_EQ(pages.SavePages(note.book), SaveOutcome::Failed);
        EXPECT_EQ(pages.LastError(), FileError::Locked);
    }
    EXPECT_EQ(ReadBytes(file), Fixture("three-pages.ini"));

    EXPECT_EQ(pages.SavePages(note.book), SaveOutcome::Written);
    FakeNote restarted;
    PageStore(store, SystemCodec()).LoadPages(restarted.book);
    EXPECT_EQ(restarted.Texts(), (std::vector<std::u16string>{u"A", u"", u"typed while read-only"}));
}

} // namespace
