#pragma once
// Conversions between UTF-16 and the ANSI code page for the Win32 side of the program.
#include <string>
#include <string_view>

std::wstring WidenAnsi(std::string_view ansi);
std::string NarrowToAnsi(std::wstring_view wide);

inline std::u16string ToU16(std::wstring_view wide) { return {wide.begin(), wide.end()}; }
inline std::wstring ToWide(std::u16string_view text) { return {text.begin(), text.end()}; }
