#include "model/text_codec.h"

std::u16string Utf8ToUtf16(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    size_t i = 0;
    auto byte = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
    while (i < bytes.size()) {
        unsigned char c = byte(i);
        char32_t cp = 0xFFFD;
        size_t length = 1;
        if (c < 0x80) {
            cp = c;
        } else if (c >= 0xC2 && c <= 0xF4) {
            size_t need = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            if (i + need <= bytes.size()) {
                char32_t value = c & (0xFF >> (need + 1));
                bool ok = true;
                for (size_t k = 1; k < need; ++k) {
                    if ((byte(i + k) & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    value = (value << 6) | (byte(i + k) & 0x3F);
                }
                static constexpr char32_t kMinimum[] = {0, 0, 0x80, 0x800, 0x10000};
                if (ok && value >= kMinimum[need] && value <= 0x10FFFF && (value < 0xD800 || value > 0xDFFF)) {
                    cp = value;
                    length = need;
                }
            }
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i += length;
    }
    return out;
}
