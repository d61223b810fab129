#pragma once
// The three small text services of the note data: numbers to and from text, and the split
// of the stored page list.  Texts are byte strings in the ANSI code page (GBK), where a byte
// of 0x80 or above starts a two-byte character.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Full-width digits, signs and spaces count as their ASCII forms.  Leading white space is
// skipped, one sign taken, digits read up to the first non-digit; no digits gives 0.  Values
// beyond the 32-bit range saturate instead of wrapping, so a hand-edited 99999999999 stays huge.
int32_t TextToInt(std::string_view text);

// Plain decimal, "-" for negatives, no padding.
std::string IntToText(int64_t value);

// Splits on a separator that is only recognised where a character begins.  Each separator
// ends an item (which may be empty); text after the last separator is an item only when
// not empty, so "a||b||" and "a||b" both give a and b, and "" gives no item.
std::vector<std::string_view> SplitOnSeparator(std::string_view text, std::string_view separator);
