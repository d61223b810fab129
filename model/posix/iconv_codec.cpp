// GBK through glibc's iconv, so that the native tests see the same bytes as Windows code page 936.
#include "model/text_codec.h"

#include <cerrno>
#include <iconv.h>
#include <stdexcept>

namespace {
class IconvCodec final : public TextCodec {
public:
    std::optional<std::string> ToAnsiExact(std::u16string_view text) const override {
        std::string out;
        if (!Convert("GBK", "UTF-16LE", AsBytes(text), out)) return std::nullopt;
        return out;
    }

    std::string ToAnsi(std::u16string_view text) const override {
        std::string out;
        if (Convert("GBK", "UTF-16LE", AsBytes(text), out)) return out;
        out.clear();
        for (size_t i = 0; i < text.size(); ++i) {
            size_t length = (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
            std::string piece;
            if (Convert("GBK", "UTF-16LE", AsBytes(text.substr(i, length)), piece)) {
                out += piece;
            } else {
                out += '?';
            }
            i += length - 1;
        }
        return out;
    }

    std::u16string FromAnsi(std::string_view bytes) const override {
        std::u16string out;
        if (std::string whole; Convert("UTF-16LE", "GBK", bytes, whole)) return FromBytes(whole);
        size_t i = 0;
        while (i < bytes.size()) {
            size_t length = static_cast<unsigned char>(bytes[i]) >= 0x80 && i + 1 < bytes.size() ? 2 : 1;
            std::string piece;
            if (Convert("UTF-16LE", "GBK", bytes.substr(i, length), piece)) {
                out += FromBytes(piece);
            } else {
                out += u'\xFFFD';
            }
            i += length;
        }
        return out;
    }

    bool IsLeadByte(unsigned char byte) const override { return byte >= 0x81 && byte <= 0xFE; }

private:
    static std::u16string FromBytes(std::string_view utf16le) {
        std::u16string out(utf16le.size() / 2, u'\0');
        for (size_t k = 0; k < out.size(); ++k)
            out[k] = static_cast<char16_t>(static_cast<unsigned char>(utf16le[2 * k]) |
                                           static_cast<unsigned char>(utf16le[2 * k + 1]) << 8);
        return out;
    }

    static std::string_view AsBytes(std::u16string_view text) {
        return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
    }

    static bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
        iconv_t cd = iconv_open(to, from);
        if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open");
        out.assign(in.size() * 2 + 8, '\0');
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = out.data();
        size_t outLeft = out.size();
        size_t result = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        iconv_close(cd);
        if (result == static_cast<size_t>(-1) || inLeft != 0) return false;
        out.resize(out.size() - outLeft);
        return true;
    }
};
} // namespace

const TextCodec& SystemCodec() {
    static IconvCodec codec;
    return codec;
}
