#pragma once
// Conversion between the UTF-16 text of the page editors and the ANSI code page (GBK on the
// target systems) of the configuration file.  Windows uses the system code page; the native
// build and its tests use GBK through iconv.
#include <optional>
#include <string>
#include <string_view>

class TextCodec {
public:
    virtual ~TextCodec() = default;
    // Nullopt when a character has no exact form in the code page (no best-fit guesses).
    virtual std::optional<std::string> ToAnsiExact(std::u16string_view text) const = 0;
    // Unrepresentable characters become '?'.
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    virtual std::u16string FromAnsi(std::string_view bytes) const = 0;
    // Whether the byte starts a two-byte character of the code page (0x81..0xFE in GBK; the
    // euro sign 0x80 stands alone).
    virtual bool IsLeadByte(unsigned char byte) const = 0;
};

// The system's ANSI code page on Windows; GBK natively.
const TextCodec& SystemCodec();

// UTF-8 to UTF-16, for configuration files saved with a UTF-8 byte-order mark.  Invalid
// sequences become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view bytes);
