// The real font chooser and message box behind the settings window's dialog seam.
#include "platform/codepage.h"
#include "platform/unique.h"
#include "ui/settings/settings_window.h"

#include <commdlg.h>

#include <cstdlib>

namespace {
int ScreenPixelsPerInchY() {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

bool ChooseEditorFont(HWND owner, FontChoice& choice) {
    int dpi = ScreenPixelsPerInchY();
    LOGFONTW font{};
    if (choice.bold) font.lfWeight = 700;
    font.lfItalic = choice.italic;
    font.lfUnderline = choice.underline;
    font.lfStrikeOut = choice.strikeout;
    lstrcpynW(font.lfFaceName, WidenAnsi(choice.faceName).c_str(), LF_FACESIZE);
    if (choice.size != 0) font.lfHeight = -MulDiv(choice.size, dpi, 72);

    CHOOSEFONTW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpLogFont = &font;
    dialog.rgbColors = choice.colour;
    dialog.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&dialog)) return false;

    choice.colour = dialog.rgbColors;
    choice.bold = font.lfWeight >= 700;
    choice.italic = font.lfItalic != 0;
    choice.strikeout = font.lfStrikeOut != 0;
    choice.underline = font.lfUnderline != 0;
    choice.faceName = NarrowToAnsi(font.lfFaceName);
    choice.size = MulDiv(std::abs(font.lfHeight), 72, dpi);
    return true;
}

void ShowMessage(const std::wstring& text, const std::wstring& title) {
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OK | MB_TASKMODAL);
}
} // namespace

SettingsDialogs SystemSettingsDialogs() {
    return {ChooseEditorFont, ShowMessage};
}
