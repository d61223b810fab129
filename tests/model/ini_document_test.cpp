#include "model/ini_document.h"
#include "model/text_codec.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace std::string_literals;

namespace {

IniDocument Doc(std::string_view bytes) { return IniDocument::Parse(bytes, SystemCodec()); }

struct ReadCase {
    const char* name;
    std::string file;
    std::string section;
    std::string key;
    std::optional<std::string> value;
};

// Files as people and other programs leave them, read the way the profile functions read them.
TEST(IniDocument, ReadsHandMadeFilesLikeTheProfileReader) {
    const ReadCase cases[] = {
        {"plain", "[s]\r\nk=v\r\n", "s", "k", "v"},
        {"names ignore ASCII case", "[Sec]\r\nKey=v\r\n", "sEC", "kEY", "v"},
        {"spaces around names and values", "  [ s ]  \r\n  k  =   v w  \r\n", "s", "k", "v w"},
        {"tabs trimmed", "[s]\r\n\tk\t=\tv\t\r\n", "s", "k", "v"},
        {"double quotes stripped once", "[s]\r\nk=\"\"v\"\"\r\n", "s", "k", "\"v\""},
        {"single quotes stripped", "[s]\r\nk='v'\r\n", "s", "k", "v"},
        {"unbalanced quote kept", "[s]\r\nk=\"v\r\n", "s", "k", "\"v"},
        {"lone quote kept", "[s]\r\nk=\"\r\n", "s", "k", "\""},
        {"LF only", "[s]\nk=v\nj=w\n", "s", "j", "w"},
        {"CR only", "[s]\rk=v\rj=w\r", "s", "j", "w"},
        {"no final line end", "[s]\r\nk=v", "s", "k", "v"},
        {"empty value", "[s]\r\nk=\r\n", "s", "k", ""},
        {"key without equals", "[s]\r\nk\r\n", "s", "k", ""},
        {"missing key", "[s]\r\nk=v\r\n", "s", "x", std::nullopt},
        {"missing section", "[s]\r\nk=v\r\n", "t", "k", std::nullopt},
        {"key of another section", "[s]\r\nk=v\r\n[t]\r\nj=w\r\n", "s", "j", std::nullopt},
        {"key before any section", "k=v\r\n[s]\r\n", "s", "k", std::nullopt},
        {"first of duplicate keys", "[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"duplicate sections are searched in order", "[s]\r\na=1\r\n[t]\r\n[s]\r\nb=2\r\n", "s", "b", "2"},
        {"equals inside value", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
        {"GBK names", "[\xc4\xda\xc8\xdd]\r\n\xd7\xdc\xd2\xb3\xca\xfd=3\r\n", "\xc4\xda\xc8\xdd", "\xd7\xdc\xd2\xb3\xca\xfd", "3"},
        // 0x41/0x61 are GBK trail bytes: "\x81\x41" and "\x81\x61" are different characters.
        {"trail bytes are not case-folded", "[s]\r\n\x81\x41=v\r\n", "s", "\x81\x61", std::nullopt},
        {"UTF-8 BOM", "\xEF\xBB\xBF[\xE5\x86\x85\xE5\xAE\xB9]\r\nk=\xE7\x9C\x9F\r\n", "\xc4\xda\xc8\xdd", "k", "\xd5\xe6"},
        {"UTF-16LE BOM", "\xFF\xFE[\0s\0]\0\r\0\n\0k\0=\0v\0\r\0\n\0"s, "s", "k", "v"},
        {"UTF-16BE BOM", "\xFE\xFF\0[\0s\0]\0\r\0\n\0k\0=\0v"s, "s", "k", "v"},
        {"NUL bytes are just bytes", "[s]\r\nk=a\0b\r\n"s, "s", "k", "a\0b"s},
    };
    for (const auto& c : cases) EXPECT_EQ(Doc(c.file).Get(c.section, c.key), c.value) << c.name;
}

TEST(IniDocument, WritesLikeTheProfileWriter) {
    IniDocument doc = Doc("");
    doc.Set("\xc4\xda\xc8\xdd", "\xc4\xda\xc8\xdd", "||");
    doc.Set("\xc4\xda\xc8\xdd", "\xd7\xdc\xd2\xb3\xca\xfd", "1");
    EXPECT_EQ(doc.Serialize(), "[\xc4\xda\xc8\xdd]\r\n\xc4\xda\xc8\xdd=||\r\n\xd7\xdc\xd2\xb3\xca\xfd=1\r\n");

    doc.Set("s", "k", "v");
    doc.Set("\xc4\xda\xc8\xdd", "\xd7\xdc\xd2\xb3\xca\xfd", "2");
    EXPECT_EQ(doc.Serialize(),
              "[\xc4\xda\xc8\xdd]\r\n\xc4\xda\xc8\xdd=||\r\n\xd7\xdc\xd2\xb3\xca\xfd=2\r\n[s]\r\nk=v\r\n");
}

TEST(IniDocument, EditsOneLineAndKeepsEveryOtherByte) {
    const std::string file = "; a comment\n[a]\r\n  x = 1 \r\n\r\n[b]\ny=2\n\n[c]\rz=3";
    IniDocument doc = Doc(file);
    EXPECT_EQ(doc.Serialize(), file);

    doc.Set("A", "X", "9");
    EXPECT_EQ(doc.Serialize(), "; a comment\n[a]\r\nx=9\r\n\r\n[b]\ny=2\n\n[c]\rz=3");
    doc.Set("b", "new", "n");
    EXPECT_EQ(doc.Serialize(), "; a comment\n[a]\r\nx=9\r\n\r\n[b]\ny=2\nnew=n\r\n\n[c]\rz=3");
    doc.Set("d", "k", "v");
    EXPECT_EQ(doc.Serialize(), "; a comment\n[a]\r\nx=9\r\n\r\n[b]\ny=2\nnew=n\r\n\n[c]\rz=3\r\n[d]\r\nk=v\r\n");
    doc.Remove("b", "new");
    doc.Remove("b", "missing");
    EXPECT_EQ(doc.Serialize(), "; a comment\n[a]\r\nx=9\r\n\r\n[b]\ny=2\n\n[c]\rz=3\r\n[d]\r\nk=v\r\n");

    IniDocument duplicates = Doc("[s]\r\nk=1\r\n[t]\r\n[S]\r\nK=2\r\n");
    duplicates.Remove("s", "k");
    EXPECT_EQ(duplicates.Get("s", "k"), std::nullopt);
}

TEST(IniDocument, ValuesHaveNoLengthLimit) {
    std::string big(10 * 1024 * 1024, 'x');
    IniDocument doc = Doc("");
    doc.Set("s", "k", big);
    EXPECT_EQ(Doc(doc.Serialize()).Get("s", "k"), big);
}

} // namespace
