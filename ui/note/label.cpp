#include "ui/note/label.h"

#include "platform/unique.h"

#include <string>

namespace {
constexpr wchar_t kLabelClass[] = L"QingFengLabel";

struct Label {
    UniqueFont font;
    COLORREF colour = 0;
    bool centred = false;
};

Label* LabelOf(HWND hwnd) { return reinterpret_cast<Label*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

void PaintLabel(HWND hwnd, HDC hdc) {
    Label* label = LabelOf(hwnd);
    if (!label) return;
    RECT client;
    GetClientRect(hwnd, &client);
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    SelectScope font(hdc, label->font.get());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, label->colour);
    UINT flags = DT_NOCLIP | DT_SINGLELINE | DT_VCENTER | (label->centred ? DT_CENTER : DT_LEFT);
    DrawTextW(hdc, text.c_str(), length, &client, flags);
}

// Repaints the parent's pixels under the label (and the label with them).
void RepaintBeneath(HWND label) {
    RECT rect;
    GetWindowRect(label, &rect);
    HWND parent = GetParent(label);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    RedrawWindow(parent, &rect, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT CALLBACK LabelProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCDESTROY: delete LabelOf(hwnd); SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0); break;
    case WM_ERASEBKGND: return 1; // nothing of its own beneath the text
    case WM_PAINT: {
        PaintScope paint(hwnd);
        PaintLabel(hwnd, paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT: PaintLabel(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_LBUTTONDOWN:
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), kLabelPressed),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
} // namespace

void RegisterLabelClass(HINSTANCE instance) {
    WNDCLASSEXW wc{sizeof wc};
    wc.lpfnWndProc = LabelProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kLabelClass;
    RegisterClassExW(&wc);
}

HWND CreateLabel(HWND parent, int id, int left, int top, int width, int height, std::wstring_view text,
                 const LabelStyle& style, bool visible) {
    std::wstring caption(text);
    HWND hwnd = CreateWindowExW(WS_EX_TRANSPARENT, kLabelClass, caption.c_str(), WS_CHILD | (visible ? WS_VISIBLE : 0),
                                left, top, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!hwnd) return nullptr;
    LOGFONTW lf{};
    if (style.face[0] == L'\0') {
        // The system's default face: the one of the default GUI font.
        LOGFONTW gui{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
        lstrcpynW(lf.lfFaceName, gui.lfFaceName, LF_FACESIZE);
    } else {
        lstrcpynW(lf.lfFaceName, style.face, LF_FACESIZE);
    }
    lf.lfHeight = -style.height;
    lf.lfWeight = style.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    auto* label = new Label{UniqueFont(CreateFontIndirectW(&lf)), style.colour, style.centred};
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(label));
    return hwnd;
}

void SetLabelText(HWND label, std::wstring_view text) {
    std::wstring caption(text);
    SetWindowTextW(label, caption.c_str());
    RepaintBeneath(label);
}

void ShowLabel(HWND label, bool visible) {
    ShowWindow(label, visible ? SW_SHOWNA : SW_HIDE);
    RepaintBeneath(label);
}
