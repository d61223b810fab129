#pragma once
// What the settings window does: one operation per swatch, button and close request.  Each
// acts on the note through Note and stores what it changed at once; none reports an error.
#include <windows.h>

#include <string>
#include <string_view>

struct Note;
struct SkinEntry;

// Control ids of the settings window, so that the note's tests and tools can find its parts.
enum SettingsControlId : int {
    kKeepOnTopBoxId = 1,   // 选择框1 便签保持最前
    kMuteBoxId,            // 选择框2 静音
    kFontButtonId,         // 按钮1 字体设置
    kStartupButtonId,      // 按钮6 开机自启
    kInstructionsButtonId, // 按钮4 说明
    kSupportButtonId,      // 按钮3 支持作者
    kExitButtonId,         // 按钮2 退出程序
    kSaveButtonId,         // 按钮5 保存
    kBackgroundCaptionId,  // 透明标签1 背景颜色：
    kBarCaptionId,         // 透明标签2 布条颜色：
    kFirstSwatchId = 100,  // the swatch of SkinTable()[i] has id kFirstSwatchId + i
};

// The text of the 说明 box: seven lines joined by CR LF.
extern const std::wstring_view kInstructionsText;

// A swatch press: the skin goes on the sheet or the bar, the labels repaint over it, and
// its colour name is stored under 背景 or 布条.
void PickSkin(Note& note, const SkinEntry& skin);
// Hides the six toolbar labels and shows them again, so they repaint over a new skin.
void RefreshToolbarLabels(Note& note);
// 字体设置: the font chooser; on OK the font goes to every page and is stored.  Cancel ends it.
void PickEditorFont(Note& note);
// Close box, Esc and the second step of 保存: stores both boxes, applies keep-on-top, hides.
void CloseSettingsWindow(Note& note);
// 保存: the stored font again on every page, the close routine, then the mute text in memory.
void SaveSettings(Note& note);
// 开机自启 for this program: a shortcut in the user's Startup folder to 阿禾青枫贴.exe beside
// the executable, when that file exists.
void RegisterStartup();
// The same from the given program folder into the given Startup folder.
void RegisterStartup(const std::wstring& programDirectory, const std::wstring& startupFolder);
// 说明: the instructions box.
void ShowInstructions(Note& note);
// 支持作者: the sponsor page in the default browser.
void OpenSponsorPage();
// 退出程序: ends the program; stores nothing.
void ExitProgram(Note& note);
