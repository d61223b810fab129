// The ANSI code page (GBK on the target systems) on Windows: the codec of the configuration
// file and the small conversions the windows need.
#include "platform/codepage.h"

#include "model/text_codec.h"

#include <windows.h>

std::wstring WidenAnsi(std::string_view ansi) {
    if (ansi.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), out.data(), length);
    return out;
}

std::string NarrowToAnsi(std::wstring_view wide) {
    if (wide.empty()) return {};
    int length =
        WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), length, nullptr, nullptr);
    return out;
}

namespace {
class AnsiCodec final : public TextCodec {
public:
    std::optional<std::string> ToAnsiExact(std::u16string_view text) const override {
        if (text.empty()) return std::string();
        auto wide = reinterpret_cast<const wchar_t*>(text.data());
        int count = static_cast<int>(text.size());
        BOOL usedDefault = FALSE;
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, nullptr, 0, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) return std::nullopt;
        std::string out(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, count, out.data(), length, nullptr, &usedDefault);
        // Only a conversion that comes back unchanged counts as exact.
        if (usedDefault || FromAnsi(out) != text) return std::nullopt;
        return out;
    }

    std::string ToAnsi(std::u16string_view text) const override {
        return NarrowToAnsi({reinterpret_cast<const wchar_t*>(text.data()), text.size()});
    }

    std::u16string FromAnsi(std::string_view bytes) const override { return ToU16(WidenAnsi(bytes)); }

    bool IsLeadByte(unsigned char byte) const override { return IsDBCSLeadByte(byte); }
};
} // namespace

const TextCodec& SystemCodec() {
    static AnsiCodec codec;
    return codec;
}
