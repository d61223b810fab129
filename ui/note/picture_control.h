#pragma once
// The two picture controls of the note: the sheet picture (图片框1), which shows the background
// skin and drags the whole window on a left press, and the bar button (图形按钮1), which shows
// the bar skin and reports clicks to its parent as WM_COMMAND BN_CLICKED.  Both own their bitmap.
#include <windows.h>

#include <string_view>

void RegisterPictureControls(HINSTANCE instance);

HWND CreateSheetPicture(HWND parent, int id, int left, int top, int width, int height);
HWND CreateBarButton(HWND parent, int id, int left, int top, int width, int height);

// Gives the control a new bitmap (it takes ownership and deletes the previous one) and repaints.
// name records which skin it shows.
void SetControlPicture(HWND control, HBITMAP bitmap, std::string_view name);
HBITMAP ControlPicture(HWND control);
// The colour name of the skin the control shows ("" before the first one).
std::string_view ControlPictureName(HWND control);
