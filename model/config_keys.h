#pragma once
// Section and key names of the configuration file and the two boolean texts, as the file
// holds them: GBK bytes, whatever code page the machine runs.  The file is shared with
// earlier copies of the program, so these bytes must never change.
#include <string_view>

namespace keys {
inline constexpr std::string_view kContentSection = "\xc4\xda\xc8\xdd";    // 内容
inline constexpr std::string_view kContent = "\xc4\xda\xc8\xdd";           // 内容
inline constexpr std::string_view kPageCount = "\xd7\xdc\xd2\xb3\xca\xfd"; // 总页数
// Names the pages of 内容 that are stored escaped (see docs/file-format.md).  Absent when
// every page is stored verbatim, so a plain note keeps the original two-key layout.
inline constexpr std::string_view kEscapedPages = "\xd7\xaa\xd2\xe5\xd2\xb3"; // 转义页

inline constexpr std::string_view kSettingsSection = "\xd7\xd4\xb6\xa8\xd2\xe5"; // 自定义
inline constexpr std::string_view kBackground = "\xb1\xb3\xbe\xb0";              // 背景
inline constexpr std::string_view kBar = "\xb2\xbc\xcc\xf5";                     // 布条
inline constexpr std::string_view kMute = "\xbe\xb2\xd2\xf4";                    // 静音
inline constexpr std::string_view kKeepOnTop = "\xb1\xa3\xb3\xd6\xd7\xee\xc7\xb0"; // 保持最前
inline constexpr std::string_view kFontSize = "\xd7\xd6\xcc\xe5\xb4\xf3\xd0\xa1";  // 字体大小
inline constexpr std::string_view kFontName = "\xd7\xd6\xcc\xe5\xc3\xfb\xb3\xc6";  // 字体名称
inline constexpr std::string_view kBold = "\xbc\xd3\xb4\xd6";                      // 加粗
inline constexpr std::string_view kUnderline = "\xcf\xc2\xbb\xae\xcf\xdf";         // 下划线
inline constexpr std::string_view kStrikeout = "\xc9\xbe\xb3\xfd\xcf\xdf";         // 删除线
inline constexpr std::string_view kItalic = "\xc7\xe3\xd0\xb1";                    // 倾斜

inline constexpr std::string_view kTrue = "\xd5\xe6";  // 真
inline constexpr std::string_view kFalse = "\xbc\xd9"; // 假

// Only the exact text 真 counts as true: "1", "true" and 假 are all false.
inline bool IsTrue(std::string_view value) { return value == kTrue; }
inline std::string_view BoolText(bool on) { return on ? kTrue : kFalse; }
} // namespace keys
