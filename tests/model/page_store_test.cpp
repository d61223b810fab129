#include "fake_book.h"
#include "store_fixtures.h"

#include "model/config_keys.h"
#include "model/config_store.h"
#include "model/page_store.h"
#include "model/text_codec.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace std::string_literals;

namespace {

const std::string kHead = "[\xc4\xda\xc8\xdd]\r\n";              // [内容]
const std::string kContent = "\xc4\xda\xc8\xdd=";                // 内容=
const std::string kCount = "\xd7\xdc\xd2\xb3\xca\xfd=";          // 总页数=
const std::string kEscaped = "\xd7\xaa\xd2\xe5\xd2\xb3=";        // 转义页=

std::string PlainFile(const std::string& content, const std::string& count) {
    return kHead + kContent + content + "\r\n" + kCount + count + "\r\n";
}

class PageStoreTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return dir.path / "\xe9\x9d\x92\xe6\x9e\xab\xe8\xb4\xb4\xe9\x85\x8d\xe7\xbd\xae.ini"; }

    // Starts a note the way the program does: an empty book rebuilt from the file.
    std::unique_ptr<FakeNote> Start() {
        auto note = std::make_unique<FakeNote>();
        note->onSave = [this, n = note.get()] { pages.SavePages(n->book, true); };
        pages.LoadPages(note->book);
        note->Clear();
        return note;
    }

    TempDir dir;
    FaultyFileSystem files;
    ConfigStore store{File(), files, SystemCodec()};
    PageStore pages{store, SystemCodec()};
};

TEST_F(PageStoreTest, NoFileStartsWithOneEmptyPageAndWritesTheSpecifiedForm) {
    auto note = Start();
    EXPECT_EQ(note->book.PageCount(), 1);
    EXPECT_EQ(note->counter, "1/1");
    EXPECT_EQ(ReadFile(File()), PlainFile("||", "1"));
}

TEST_F(PageStoreTest, CleanPagesAreWrittenByteForByteInThePlainForm) {
    auto note = Start();
    note->book.Editor(1).SetText(u"A");
    note->book.NewPage();
    note->book.NewPage();
    note->book.Editor(3).SetText(u"C \u5185\u5bb9 x|y");
    EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Written);
    EXPECT_EQ(ReadFile(File()), PlainFile("A||||C \xc4\xda\xc8\xdd x|y||", "3"));
}

struct StoredFileCase {
    const char* name;
    std::string content;
    std::string count;
    std::vector<std::u16string> pages;
};

TEST_F(PageStoreTest, PlainFilesReadAsStored) {
    const StoredFileCase cases[] = {
        {"three pages, one empty", "a||||c||", "3", {u"a", u"", u"c"}},
        {"surplus items are dropped", "a||b||c||", "2", {u"a", u"b"}},
        {"full-width count", "a||b||", "\xa3\xb2", {u"a", u"b"}},
        {"count with trailing junk", "a||b||", "2abc", {u"a", u"b"}},
        {"count beyond the items makes no empty pages", "a||b||", "5", {u"a", u"b"}},
        {"huge count", "a||", "2000000000", {u"a"}},
        {"count without items", "", "3", {u""}},
        {"negative count", "a||b||", "-3", {u""}},
        {"zero count", "a||", "0", {u""}},
        {"garbage count", "a||", "abc", {u""}},
        {"escape-like text in a plain file is left alone", "x\\ny||\\u0041||", "2", {u"x\\ny", u"\\u0041"}},
        {"GBK text", "\xc4\xda\xc8\xdd||", "1", {u"\u5185\u5bb9"}},
        {"a|||b", "a|||b||", "2", {u"a", u"|b"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(File(), PlainFile(c.content, c.count));
        auto start = std::chrono::steady_clock::now();
        auto note = Start();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
        EXPECT_EQ(note->Texts(), c.pages);
        EXPECT_EQ(note->book.CurrentPage(), note->book.PageCount());
        EXPECT_EQ(note->VisibleCount(), 1);
    }
}

// Whatever the user types comes back exactly after a save and a restart.
TEST_F(PageStoreTest, EveryPageTextSurvivesASaveAndRestart) {
    const std::vector<std::u16string> texts = {
        u"line one\r\nline two\r\n",
        u"a||b",
        u"  leading and trailing spaces  ",
        u"\"quoted\"",
        u"'single'",
        u"",
        u"emoji \U0001F600 and Thai \u0E01\u0E32 and Hangul \uD55C",
        u"ends with a bar|",
        u"|",
        u"||",
        u"back\\slash \\n \\p \\u0041 \\",
        u"\ttab first",
        u"\u3000ideographic space first",
        u"control \x01\x1a\x7f chars",
        u"lone surrogate \xD800 here",
        u"\u5185\u5bb9 plain Chinese",
        u"\r",
        u"\n\n\n",
        u"euro at the end \u20ac",
        u"\u20ac\u20ac|",
    };
    for (size_t first = 0; first < texts.size(); ++first) {
        // Each text once as the first page (where the reader trims) and once further on.
        std::vector<std::u16string> book = {texts[first], u"middle", texts[(first + 7) % texts.size()]};
        {
            FakeNote note;
            note.Fill(book, 1);
            ASSERT_EQ(pages.SavePages(note.book), SaveOutcome::Written);
        }
        PageStore fresh(store, SystemCodec());
        FakeNote restarted;
        fresh.LoadPages(restarted.book);
        EXPECT_EQ(restarted.Texts(), book) << "first page #" << first;
    }
}

TEST_F(PageStoreTest, EscapedPagesAreNamedAndTheMarkerGoesWhenNotNeeded) {
    FakeNote note;
    note.Fill({u"a", u"b\nc", u"d"}, 1);
    pages.SavePages(note.book);
    EXPECT_EQ(ReadFile(File()), kHead + kContent + "a||b\\nc||d||\r\n" + kCount + "3\r\n" + kEscaped + "2\r\n");
    note.book.Editor(2).SetText(u"bc");
    pages.SavePages(note.book);
    EXPECT_EQ(ReadFile(File()), PlainFile("a||bc||d||", "3"));
}

TEST_F(PageStoreTest, LongNotesSurviveWhole) {
    std::u16string big;
    while (big.size() < 1024 * 1024) big += u"\u9752\u67ab\u8d34 note text, line\r\n";
    FakeNote note;
    note.Fill({big, u"second"}, 1);
    ASSERT_EQ(pages.SavePages(note.book), SaveOutcome::Written);
    FakeNote restarted;
    PageStore(store, SystemCodec()).LoadPages(restarted.book);
    EXPECT_EQ(restarted.Texts(), (std::vector<std::u16string>{big, u"second"}));
}

TEST_F(PageStoreTest, StartUpWritesAtMostOnceAndNotAtAllWhenTheFileHoldsTheBook) {
    WriteFile(File(), PlainFile("a||||c||", "3"));
    auto note = Start();
    EXPECT_EQ(files.Writes(), 0);

    WriteFile(File(), PlainFile("a||b||c||", "2"));
    note = Start();
    EXPECT_EQ(files.Writes(), 1);
    EXPECT_EQ(ReadFile(File()), PlainFile("a||b||", "2"));
}

TEST_F(PageStoreTest, AnIdleNoteWritesNothingButAnOutsideChangeIsOverwritten) {
    auto note = Start();
    int before = files.Writes();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Unchanged);
    EXPECT_EQ(files.Writes(), before);

    note->book.Editor(1).SetText(u"typed");
    EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Written);
    EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Unchanged);

    WriteFile(File(), PlainFile("someone else||and more||", "2"));
    EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Written);
    EXPECT_EQ(ReadFile(File()), PlainFile("typed||", "1"));
}

TEST_F(PageStoreTest, PageSavesKeepTheSettingsSection) {
    WriteFile(File(), "[\xd7\xd4\xb6\xa8\xd2\xe5]\r\n\xb1\xb3\xbe\xb0=blue1\r\n" + PlainFile("x||", "1") + "[other]\r\nk=v\r\n");
    auto note = Start();
    note->book.Editor(1).SetText(u"y");
    pages.SavePages(note->book);
    EXPECT_EQ(ReadFile(File()),
              "[\xd7\xd4\xb6\xa8\xd2\xe5]\r\n\xb1\xb3\xbe\xb0=blue1\r\n" + PlainFile("y||", "1") + "[other]\r\nk=v\r\n");
    EXPECT_EQ(store.Read(keys::kSettingsSection, keys::kBackground), "blue1");
}

// Every step of a save can fail, once or from then on: the file is always the old note or the
// new one, the failure is reported, and the next save retries.
TEST_F(PageStoreTest, AFailedSaveLeavesTheOldFileAndIsRetried) {
    const FileOp ops[] = {FileOp::Read, FileOp::Create, FileOp::Write, FileOp::Flush, FileOp::Close, FileOp::Replace};
    const FileError errors[] = {FileError::DiskFull, FileError::AccessDenied, FileError::Locked};
    for (FileOp op : ops) {
        for (FileError error : errors) {
            for (bool sticky : {false, true}) {
                SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(op) << " error "
                                                << static_cast<int>(error) << " sticky " << sticky);
                files.Heal();
                WriteFile(File(), PlainFile("old||", "1"));
                auto note = Start();
                note->book.Editor(1).SetText(u"new");
                files.FailAt(op, 1, error, sticky);
                EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Failed);
                EXPECT_EQ(pages.LastError(), error);
                EXPECT_EQ(ReadFile(File()), PlainFile("old||", "1"));
                EXPECT_FALSE(std::filesystem::exists(File().string() + ".tmp"));
                EXPECT_EQ(pages.SavePages(note->book), sticky ? SaveOutcome::Failed : SaveOutcome::Written);
                files.Heal();
                pages.SavePages(note->book);
                EXPECT_EQ(ReadFile(File()), PlainFile("new||", "1"));
                EXPECT_EQ(pages.LastError(), FileError::None);
            }
        }
    }
}

TEST_F(PageStoreTest, SingleKeyWritesAreAtomicToo) {
    WriteFile(File(), PlainFile("keep||", "1"));
    files.FailAt(FileOp::Flush, 1, FileError::DiskFull, false);
    EXPECT_FALSE(store.Write(keys::kSettingsSection, keys::kMute, keys::kTrue));
    EXPECT_EQ(ReadFile(File()), PlainFile("keep||", "1"));
    EXPECT_TRUE(store.Write(keys::kSettingsSection, keys::kMute, keys::kTrue));
    EXPECT_EQ(ReadFile(File()), PlainFile("keep||", "1") + "[\xd7\xd4\xb6\xa8\xd2\xe5]\r\n\xbe\xb2\xd2\xf4=\xd5\xe6\r\n");
}

TEST(PageEscaping, UnknownEscapesAndTruncatedCodesStayAsWritten) {
    EXPECT_EQ(UnescapePage("a\\qb", SystemCodec()), u"a\\qb");
    EXPECT_EQ(UnescapePage("\\u12", SystemCodec()), u"\\u12");
    EXPECT_EQ(UnescapePage("end\\", SystemCodec()), u"end\\");
    EXPECT_EQ(UnescapePage("\\u00410", SystemCodec()), u"A0");
    EXPECT_EQ(EscapePage(u" a|b\\\r\n", SystemCodec()), "\\u0020a\\pb\\\\\\r\\n");
    // The euro sign is a single byte (0x80) in code page 936: the decoder must not pair it
    // with the backslash that follows.
    for (std::u16string text : {u"\u20ac\n", u"\u20ac\\", u"x\u20ac\u20ac\x00|"}) {
        EXPECT_EQ(UnescapePage(EscapePage(text, SystemCodec()), SystemCodec()), text);
    }
}

} // namespace

namespace {

// With the writer thread the window thread only encodes; the file still ends up holding the
// book, failures still show and are retried, and settings written meanwhile are kept.
TEST_F(PageStoreTest, TheWriterThreadSavesRetriesAndKeepsSettings) {
    pages.StartWriter();
    auto note = Start();
    pages.Flush();
    EXPECT_EQ(ReadFile(File()), PlainFile("||", "1"));

    note->book.Editor(1).SetText(u"typed");
    EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Written);
    pages.Flush();
    EXPECT_EQ(ReadFile(File()), PlainFile("typed||", "1"));
    int writes = files.Writes();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(pages.SavePages(note->book), SaveOutcome::Unchanged);
    pages.Flush();
    EXPECT_EQ(files.Writes(), writes) << "an idle note writes nothing";

    files.FailAt(FileOp::Replace, 1, FileError::DiskFull, true);
    note->book.Editor(1).SetText(u"while the disk is full");
    pages.SavePages(note->book);
    pages.Flush();
    EXPECT_EQ(pages.LastError(), FileError::DiskFull);
    EXPECT_EQ(ReadFile(File()), PlainFile("typed||", "1"));
    files.Heal();
    pages.SavePages(note->book); // the next tick tries again
    pages.Flush();
    EXPECT_EQ(pages.LastError(), FileError::None);
    EXPECT_EQ(ReadFile(File()), PlainFile("while the disk is full||", "1"));

    // Settings written on the window thread while pages are being written are never lost.
    for (int i = 0; i < 50; ++i) {
        note->book.Editor(1).SetText(u"page " + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
        pages.SavePages(note->book);
        store.Write(keys::kSettingsSection, keys::kBackground, i % 2 ? "blue1" : "red1");
    }
    pages.Flush();
    EXPECT_EQ(store.Read(keys::kSettingsSection, keys::kBackground), "blue1");
    EXPECT_EQ(store.Read(keys::kContentSection, keys::kContent), "page x||");
}

} // namespace
