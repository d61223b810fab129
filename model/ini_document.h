#pragma once
// An INI file held as its lines, read the way the Windows private-profile functions read one
// (names matched case-insensitively, spaces around names and values trimmed, one pair of
// surrounding quotes stripped from values, CR, LF or CRLF line ends) and edited one key at a
// time, leaving every other line byte for byte as it was.  Texts are ANSI (GBK) bytes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TextCodec;

class IniDocument {
public:
    // A file with a UTF-8 or UTF-16 byte-order mark is turned into the ANSI code page first,
    // and is written back in it.
    static IniDocument Parse(std::string_view bytes, const TextCodec& codec);

    // The value as the profile reader returns it; nullopt when the section or key is missing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Replaces the first such key's line with key=value, or adds the key at the end of its
    // section, or adds the section at the end of the file.
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // Removes the key, every copy of it.
    void Remove(std::string_view section, std::string_view key);

    std::string Serialize() const;

private:
    struct Line {
        std::string text; // without its line end
        std::string end;  // "\r\n", "\n", "\r" or "" for an unterminated last line
    };
    struct Found {
        size_t line = 0;
        size_t valueStart = 0; // offset of the value in the line
        bool hasValue = false;
    };

    std::optional<Found> FindKey(std::string_view section, std::string_view key) const;

    std::vector<Line> lines_;
};

// Case-insensitive comparison of ASCII letters in single-byte characters only; the trail
// byte of a two-byte character is never folded, so distinct GBK characters stay distinct.
bool ProfileNamesEqual(std::string_view a, std::string_view b);
