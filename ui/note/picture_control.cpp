#include "ui/note/picture_control.h"

#include "platform/unique.h"

#include <string>

namespace {
constexpr wchar_t kSheetClass[] = L"QingFengSheetPicture";
constexpr wchar_t kBarClass[] = L"QingFengBarButton";

// Per-control state, kept behind the window's user data.
struct Picture {
    UniqueBitmap bitmap;
    std::string name;
    bool pressed = false;
};

Picture* PictureOf(HWND hwnd) { return reinterpret_cast<Picture*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

// Draws the picture stretched over the whole client area (the skins are made at the controls'
// own sizes, so they show pixel for pixel).
void PaintPicture(HWND hwnd, HDC hdc) {
    Picture* picture = PictureOf(hwnd);
    RECT client;
    GetClientRect(hwnd, &client);
    if (!picture || !picture->bitmap) {
        FillRect(hdc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        return;
    }
    BITMAP info{};
    GetObjectW(picture->bitmap.get(), sizeof info, &info);
    UniqueMemoryDc memory(CreateCompatibleDC(hdc));
    SelectScope select(memory.get(), picture->bitmap.get());
    SetStretchBltMode(hdc, COLORONCOLOR);
    StretchBlt(hdc, 0, 0, client.right, client.bottom, memory.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
}

// Labels drawn over this control (siblings above it with WS_EX_TRANSPARENT) hold no pixels of
// their own: whatever this control repaints under them, they must draw their text again.
void RepaintTransparentSiblingsAbove(HWND hwnd, const RECT& painted) {
    RECT area = painted;
    MapWindowPoints(hwnd, HWND_DESKTOP, reinterpret_cast<POINT*>(&area), 2);
    for (HWND sibling = GetWindow(hwnd, GW_HWNDPREV); sibling; sibling = GetWindow(sibling, GW_HWNDPREV)) {
        if (!IsWindowVisible(sibling) || !(GetWindowLongW(sibling, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) continue;
        RECT bounds, overlap;
        GetWindowRect(sibling, &bounds);
        if (!IntersectRect(&overlap, &bounds, &area)) continue;
        MapWindowPoints(HWND_DESKTOP, sibling, reinterpret_cast<POINT*>(&overlap), 2);
        RedrawWindow(sibling, &overlap, nullptr, RDW_INVALIDATE);
    }
}

LRESULT CommonMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Picture));
        handled = false;
        return 0;
    case WM_NCDESTROY:
        delete PictureOf(hwnd);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        handled = false;
        return 0;
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        RECT painted{};
        {
            PaintScope paint(hwnd);
            PaintPicture(hwnd, paint.dc());
            painted = paint.info().rcPaint;
        }
        RepaintTransparentSiblingsAbove(hwnd, painted);
        return 0;
    }
    case WM_PRINTCLIENT: PaintPicture(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
    default: handled = false; return 0;
    }
}

LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = CommonMessage(hwnd, message, wParam, lParam, handled);
    if (handled) return result;
    switch (message) {
    case WM_LBUTTONDOWN:
        // A press on the paper drags the whole note, as a press on a caption would.
        ReleaseCapture();
        SendMessageW(GetAncestor(hwnd, GA_ROOT), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    case WM_COMMAND:
        // Notifications of the page editors go on to the note window.
        return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Click(HWND hwnd) {
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
}

LRESULT CALLBACK BarButtonProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = CommonMessage(hwnd, message, wParam, lParam, handled);
    if (handled) return result;
    Picture* picture = PictureOf(hwnd);
    switch (message) {
    case WM_LBUTTONDOWN:
        // Like a push button, the click comes when the button is released over it; unlike one,
        // it leaves the keyboard focus on the page.
        if (picture) picture->pressed = true;
        SetCapture(hwnd);
        return 0;
    case WM_LBUTTONUP: {
        bool wasPressed = picture && picture->pressed;
        if (picture) picture->pressed = false;
        ReleaseCapture();
        RECT client;
        GetClientRect(hwnd, &client);
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && PtInRect(&client, at)) Click(hwnd);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (picture) picture->pressed = false;
        return 0;
    case BM_CLICK: Click(hwnd); return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

void RegisterPictureControls(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof wc};
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpfnWndProc = SheetProc;
    wc.lpszClassName = kSheetClass;
    RegisterClassExW(&wc);
    wc.lpfnWndProc = BarButtonProc;
    wc.lpszClassName = kBarClass;
    RegisterClassExW(&wc);
}

HWND CreateSheetPicture(HWND parent, int id, int left, int top, int width, int height) {
    return CreateWindowExW(0, kSheetClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, left, top,
                           width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

HWND CreateBarButton(HWND parent, int id, int left, int top, int width, int height) {
    return CreateWindowExW(0, kBarClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
}

void SetControlPicture(HWND control, HBITMAP bitmap, std::string_view name) {
    Picture* picture = PictureOf(control);
    if (!picture) {
        if (bitmap) DeleteObject(bitmap);
        return;
    }
    picture->bitmap.reset(bitmap);
    picture->name = name;
    InvalidateRect(control, nullptr, FALSE);
}

HBITMAP ControlPicture(HWND control) {
    Picture* picture = PictureOf(control);
    return picture ? picture->bitmap.get() : nullptr;
}

std::string_view ControlPictureName(HWND control) {
    Picture* picture = PictureOf(control);
    return picture ? std::string_view(picture->name) : std::string_view();
}
