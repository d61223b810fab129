#pragma once
// Transparent labels: child windows with WS_EX_TRANSPARENT that draw only their text, on one
// line, vertically centred, over whatever lies beneath (DrawText with DT_NOCLIP, DT_SINGLELINE,
// DT_VCENTER, and DT_CENTER when centred).  A left-button press is reported to the parent at
// once, as WM_COMMAND with the notification kLabelPressed.
#include <windows.h>

#include <string_view>

inline constexpr WORD kLabelPressed = 0x4C50;

struct LabelStyle {
    COLORREF colour = RGB(0, 0, 0);
    int height = 12;             // character height in pixels
    bool bold = false;
    const wchar_t* face = L"";   // empty: the system's default face
    bool centred = false;
};

void RegisterLabelClass(HINSTANCE instance);
HWND CreateLabel(HWND parent, int id, int left, int top, int width, int height, std::wstring_view text,
                 const LabelStyle& style, bool visible = true);

// Changes the text and repaints what lies beneath, so no trace of the old text stays.
void SetLabelText(HWND label, std::wstring_view text);
// Shows or hides the label; the parent repaints the place it covered.
void ShowLabel(HWND label, bool visible);
