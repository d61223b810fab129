// Hand-edited and damaged configuration files: the note starts, shows what can be read, keeps
// running, and the next save leaves a whole file.
#include "note_fixture.h"

#include <random>

using namespace std::string_literals;

namespace {

std::string Repeat(std::string_view piece, size_t bytes) {
    std::string out;
    while (out.size() < bytes) out += piece;
    out.resize(bytes);
    return out;
}

std::string Junk(size_t bytes, unsigned seed) {
    std::mt19937 random(seed);
    std::string out(bytes, '\0');
    for (char& c : out) c = static_cast<char>(random() & 0xFF);
    return out;
}

struct BadFile {
    const char* name;
    std::string bytes;
    int minPages; // at least this many pages must come back
};

std::vector<BadFile> BadFiles() {
    const std::string good = PagesFile("alpha||\xc4\xda\xc8\xdd||gamma||", "3");
    return {
        {"empty file", "", 1},
        {"64 KB of NUL bytes", std::string(64 * 1024, '\0'), 1},
        {"cut mid-line", good.substr(0, good.size() - 12), 1},
        {"cut mid-character", good.substr(0, good.find("\xc8\xdd") + 1), 1},
        {"invalid GBK sequences", PagesFile("a\x81\x20||\xff\xfe||\x80||", "3"), 3},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBF[\xE5\x86\x85\xE5\xAE\xB9]\r\n\xE5\x86\x85\xE5\xAE\xB9=x||y||\r\n"
                                  "\xE6\x80\xBB\xE9\xA1\xB5\xE6\x95\xB0=2\r\n", 2},
        {"UTF-16 byte-order mark", "\xFF\xFE[\0""a\0]\0\r\0\n\0"s, 1},
        {"LF-only lines", "[\xc4\xda\xc8\xdd]\n\xc4\xda\xc8\xdd=a||b||\n\xd7\xdc\xd2\xb3\xca\xfd=2\n", 2},
        {"CR-only lines", "[\xc4\xda\xc8\xdd]\r\xc4\xda\xc8\xdd=a||b||\r\xd7\xdc\xd2\xb3\xca\xfd=2\r", 2},
        {"duplicate sections and keys", PagesFile("one||", "1") + PagesFile("two||three||", "2"), 1},
        {"huge count", PagesFile("a||b||", "99999999999999"), 2},
        {"negative count", PagesFile("a||b||", "-7"), 1},
        {"full-width count", PagesFile("a||b||", "\xa3\xb2"), 2},
        {"garbage count", PagesFile("a||b||", "\x81\x40zz"), 1},
        // The reader has no length limit: 10 MB of items, of which the count takes the first.
        {"10 MB content", PagesFile(Repeat("0123456789abcde||", 10 * 1024 * 1024), "1"), 1},
        {"a 1 MB page of many lines", PagesFile(Repeat("a line of the note\\n", 1024 * 1024) + "||", "1") +
                                          "\xd7\xaa\xd2\xe5\xd2\xb3=1\r\n", 1},
        {"binary junk", Junk(100 * 1024, 7), 1},
        {"junk inside the section", "[\xc4\xda\xc8\xdd]\r\n" + Junk(4096, 9) + "\r\n\xd7\xdc\xd2\xb3\xca\xfd=1\r\n", 1},
        {"escape list out of range", PagesFile("a\\nb||", "1") + "\xd7\xaa\xd2\xe5\xd2\xb3=0,-3,99999999999,x\r\n", 1},
    };
}

TEST_F(NoteTest, DamagedFilesStartAndKeepRunning) {
    for (const BadFile& bad : BadFiles()) {
        SCOPED_TRACE(bad.name);
        TearDown();
        SetUp();
        Start(bad.bytes);
        ASSERT_TRUE(IsWindow(note().controls.window));
        EXPECT_GE(book().PageCount(), bad.minPages);
        EXPECT_EQ(book().CurrentPage(), book().PageCount());
        // The note works on: a page added and typed on is saved to a whole file.
        Press(note().controls.newLabel);
        book().Editor(book().CurrentPage()).SetText(u"after the damage");
        Pump(300);
        std::string content = program->store.Read(keys::kContentSection, keys::kContent);
        EXPECT_NE(content.find("after the damage||"), std::string::npos);
        EXPECT_EQ(program->store.Read(keys::kContentSection, keys::kPageCount), std::to_string(book().PageCount()));
    }
}

} // namespace
