#include "model/text_services.h"

#include <limits>

namespace {
bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// Maps one GBK character to its single-byte form when it is a full-width ASCII character
// (rows A3 A1..A3 FE) or the ideographic space (A1 A1); returns 0 otherwise.
char HalfWidth(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead == 0xA1 && trail == 0xA1) return ' ';
    return 0;
}

std::string ToHalfWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            char half = HalfWidth(c, static_cast<unsigned char>(text[i + 1]));
            if (half) {
                out += half;
            } else {
                out += text[i];
                out += text[i + 1];
            }
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
} // namespace

int32_t TextToInt(std::string_view text) {
    std::string half = ToHalfWidth(text);
    size_t i = 0;
    while (i < half.size() && IsSpace(half[i])) ++i;
    bool negative = false;
    if (i < half.size() && (half[i] == '+' || half[i] == '-')) negative = half[i++] == '-';
    int64_t value = 0;
    constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < half.size() && half[i] >= '0' && half[i] <= '9'; ++i) {
        value = value * 10 + (half[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<int32_t>(-value);
    return static_cast<int32_t>(value > std::numeric_limits<int32_t>::max() ? kLimit - 1 : value);
}

std::string IntToText(int64_t value) { return std::to_string(value); }

std::vector<std::string_view> SplitOnSeparator(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> items;
    if (text.empty() || separator.empty()) {
        if (!text.empty()) items.push_back(text);
        return items;
    }
    size_t itemStart = 0;
    size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, separator.size(), separator) == 0) {
            items.push_back(text.substr(itemStart, i - itemStart));
            i += separator.size();
            itemStart = i;
        } else {
            i += IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        }
    }
    if (itemStart < text.size()) items.push_back(text.substr(itemStart));
    return items;
}
