// The transparency class.  An attached edit control paints no background of its own: its
// erase puts back a snapshot of what lies beneath it, and its text is drawn over that.
//
// Selecting text is where the classic form of this technique goes wrong ("重影"): the edit
// control draws selection changes at once, outside any paint, and text that leaves the
// selection is redrawn in transparent mode over the highlight, which stays.  A snapshot read
// off the screen then carries those marks on for good.  Two things keep the editor clean here:
// the snapshot is rendered by the parent (WM_PRINTCLIENT), and every message that can move the
// selection, the focus or the view ends in a full repaint that composes snapshot and text in
// memory, so every pixel is the same as a fresh paint of the same text would give.
#include "ui/note/png_control.h"

#include "platform/unique.h"

#include <string>
#include <utility>

namespace {

constexpr wchar_t kWndProc[] = L"PngControl_WndProc";
constexpr wchar_t kType[] = L"PngControl_Type";
constexpr wchar_t kBackColor[] = L"PngControl_BackColor";
constexpr wchar_t kBackAlpha[] = L"PngControl_BackAlpha";
constexpr wchar_t kOrderColor[] = L"PngControl_OrderColor";
constexpr wchar_t kOrderAlpha[] = L"PngControl_OrderAlpha";
constexpr wchar_t kTextColor[] = L"PngControl_TextColor";
constexpr wchar_t kCacheBitmap[] = L"PngControl_CacheBitmap";

constexpr intptr_t kEditType = 4;
constexpr intptr_t kNoColour = -1;

// The editor whose buffered paint is running: its BeginPaint erase is already covered by the
// back buffer, and painting the bare snapshot on screen first would only flicker.
HWND paintingEditor = nullptr;

intptr_t ReadProp(HWND hwnd, const wchar_t* name) {
    return reinterpret_cast<intptr_t>(GetPropW(hwnd, name));
}

void WriteProp(HWND hwnd, const wchar_t* name, intptr_t value) {
    SetPropW(hwnd, name, reinterpret_cast<HANDLE>(value));
}

WNDPROC OriginalProc(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetPropW(hwnd, kWndProc));
}

LRESULT Forward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC original = OriginalProc(hwnd);
    return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                    : DefWindowProcW(hwnd, message, wParam, lParam);
}

// Writes a style only when it changes, so that an attach costs no needless style messages.
void ChangeStyle(HWND hwnd, int index, LONG_PTR remove, LONG_PTR add) {
    const LONG_PTR old = GetWindowLongPtrW(hwnd, index);
    const LONG_PTR changed = (old & ~remove) | add;
    if (changed != old) SetWindowLongPtrW(hwnd, index, changed);
}

void Subclass(HWND hwnd, WNDPROC procedure) {
    if (GetPropW(hwnd, kWndProc)) return;
    // The property first: the new procedure must find the old one from its very first message.
    SetPropW(hwnd, kWndProc, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
}

void Unsubclass(HWND hwnd) {
    if (WNDPROC original = OriginalProc(hwnd)) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
}

void FillAndFrame(HDC dc, const RECT& frame, intptr_t backColour, intptr_t borderColour) {
    if (backColour != kNoColour) {
        UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(backColour)));
        FillRect(dc, &frame, brush.get());
    }
    if (borderColour != kNoColour) {
        UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(borderColour)));
        FrameRect(dc, &frame, brush.get());
    }
}

struct EditorGeometry {
    RECT frame{}; // the whole window, in window coordinates
    int dx = 0;   // client origin in window coordinates
    int dy = 0;
    int width = 0; // client size
    int height = 0;
};

EditorGeometry Measure(HWND editor) {
    RECT window{};
    RECT client{};
    GetWindowRect(editor, &window);
    GetClientRect(editor, &client);
    EditorGeometry g;
    g.frame = {0, 0, window.right - window.left, window.bottom - window.top};
    g.width = client.right;
    g.height = client.bottom;
    g.dx = (g.frame.right - g.width) / 2;
    g.dy = (g.frame.bottom - g.height) / 2;
    return g;
}

// Draws the parent's own picture of the area beneath the editor's client area into dc, whose
// origin is the editor's client origin.
void RenderParentBeneath(HWND editor, HDC dc) {
    HWND parent = GetParent(editor);
    if (!parent) return;
    POINT origin{0, 0};
    MapWindowPoints(editor, parent, &origin, 1);
    POINT previous{};
    SetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

// Replaces the snapshot with a fresh one: the parent's rendering, then the fill and frame.
void KeepSnapshot(HWND editor, HDC reference) {
    const EditorGeometry g = Measure(editor);
    UniqueBitmap snapshot;
    if (g.width > 0 && g.height > 0) {
        snapshot.reset(CreateCompatibleBitmap(reference, g.width, g.height));
        UniqueMemoryDc memory(CreateCompatibleDC(reference));
        if (snapshot && memory) {
            SelectScope select(memory.get(), snapshot.get());
            // The screen's pixels only matter for a parent that cannot render itself.
            BitBlt(memory.get(), 0, 0, g.width, g.height, reference, g.dx, g.dy, SRCCOPY);
            RenderParentBeneath(editor, memory.get());
            SetViewportOrgEx(memory.get(), -g.dx, -g.dy, nullptr);
            FillAndFrame(memory.get(), g.frame, ReadProp(editor, kBackColor), ReadProp(editor, kOrderColor));
        }
    }
    UniqueBitmap old(static_cast<HBITMAP>(RemovePropW(editor, kCacheBitmap)));
    if (snapshot) SetPropW(editor, kCacheBitmap, snapshot.release());
}

void DrawSnapshot(HWND editor, HDC dc, int width, int height) {
    if (!GetPropW(editor, kCacheBitmap)) {
        WindowDc windowDc(editor, true);
        KeepSnapshot(editor, windowDc.get());
    }
    auto snapshot = static_cast<HBITMAP>(GetPropW(editor, kCacheBitmap));
    if (!snapshot) return;
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SelectScope select(memory.get(), snapshot);
    BitBlt(dc, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

// Snapshot and text composed off screen and copied in one go: the result does not depend on
// what was on the screen before, nor on how many paints the edit control asks for.
LRESULT PaintEditor(HWND editor) {
    HWND outer = std::exchange(paintingEditor, editor);
    {
        PaintScope paint(editor); // also hides the caret until the copy is done
        RECT client{};
        GetClientRect(editor, &client);
        if (client.right > 0 && client.bottom > 0) {
            UniqueBitmap canvas(CreateCompatibleBitmap(paint.dc(), client.right, client.bottom));
            UniqueMemoryDc memory(CreateCompatibleDC(paint.dc()));
            if (canvas && memory) {
                SelectScope select(memory.get(), canvas.get());
                DrawSnapshot(editor, memory.get(), client.right, client.bottom);
                Forward(editor, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.get()), PRF_CLIENT);
                BitBlt(paint.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
            }
        }
    }
    paintingEditor = outer;
    return 0;
}

void ReleaseEditor(HWND editor) {
    UniqueBitmap snapshot(static_cast<HBITMAP>(RemovePropW(editor, kCacheBitmap)));
    Unsubclass(editor);
    for (const wchar_t* name : {kType, kBackColor, kBackAlpha, kOrderColor, kOrderAlpha, kTextColor}) {
        RemovePropW(editor, name);
    }
}

void InvalidateWhole(HWND hwnd) {
    InvalidateRect(hwnd, nullptr, TRUE);
}

// Messages after which the edit control may have drawn on its own (a selection grown, shrunk
// or hidden, a caret moved, text scrolled, typed or replaced): they end in a full repaint.
bool MayLeaveMarks(HWND editor, UINT message, WPARAM wParam) {
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_CAPTURECHANGED:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CUT:
    case WM_PASTE:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_SIZE:
    case EM_SETSEL:
    case EM_REPLACESEL:
    case EM_UNDO:
    case EM_LINESCROLL:
    case EM_SCROLL:
    case EM_SCROLLCARET: return true;
    case WM_MOUSEMOVE: return (wParam & MK_LBUTTON) != 0 || GetCapture() == editor;
    case WM_TIMER: // the edit control scrolls on a timer while a drag selection leaves it
        return GetCapture() == editor;
    default: return false;
    }
}

LRESULT OnEditorColours(HWND editor, HDC dc) {
    SetTextColor(dc, static_cast<COLORREF>(ReadProp(editor, kTextColor)));
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void OnChildCommand(WPARAM wParam, LPARAM lParam) {
    auto child = reinterpret_cast<HWND>(lParam);
    if (!child || ReadProp(child, kType) != kEditType) return;
    const UINT code = HIWORD(wParam);
    if (code == EN_VSCROLL || code == EN_HSCROLL || code == EN_CHANGE) InvalidateWhole(child);
}

LRESULT CALLBACK ZarvoLoadDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
        if (HANDLE thread = RemovePropW(hwnd, L"Zarvo_Thread")) {
            TerminateThread(thread, 0);
            CloseHandle(thread);
        }
        // Only image operations this program does not have would put a GDI+ image here.
        RemovePropW(hwnd, L"Zarvo_Image");
        if (HANDLE stream = RemovePropW(hwnd, L"Zarvo_Stream")) GlobalFree(stream);
        break;
    case WM_LBUTTONDOWN: {
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        if (ReadProp(hwnd, L"ZarvoHitMove") == 1) {
            ReleaseCapture();
            SendMessageW(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
        return result;
    }
    default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::wstring WidenAscii(const char* name) {
    std::wstring wide;
    for (; name && *name; ++name)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*name)));
    return wide;
}

} // namespace

void PngControl::Attach(HWND control) {
    if (!IsWindow(control)) return;
    HWND parent = GetParent(control);
    if (parent) Subclass(parent, ParentWndProc);
    ChangeStyle(control, GWL_STYLE, WS_CLIPSIBLINGS, 0);
    ChangeStyle(control, GWL_EXSTYLE, 0, WS_EX_TRANSPARENT);
    if (parent) ChangeStyle(parent, GWL_STYLE, WS_CLIPCHILDREN, 0);
    current_ = control;
}

void PngControl::SetProperty(const char* name, intptr_t value) {
    if (current_) WriteProp(current_, WidenAscii(name).c_str(), value);
}

intptr_t PngControl::ReadProperty(const char* name) const {
    return current_ ? ReadProp(current_, WidenAscii(name).c_str()) : 0;
}

void PngControl::SendToControl(UINT message, WPARAM wParam, LPARAM lParam) {
    if (current_) SendMessageW(current_, message, wParam, lParam);
}

void PngControl::AttachEdit(HWND edit) {
    if (!IsWindow(edit)) return;
    Attach(edit);
    SetProperty("PngControl_Type", kEditType);
    SetProperty("PngControl_BackColor", 0x00FFFFFF);
    SetProperty("PngControl_BackAlpha", 255);
    SetProperty("PngControl_OrderColor", 0x007B8084);
    SetProperty("PngControl_OrderAlpha", 255);
    SetProperty("PngControl_TextColor", 0);
    SetWindowPos(edit, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    Subclass(edit, EditWndProc);

    if (HWND parent = GetParent(edit)) {
        RECT area{};
        GetWindowRect(edit, &area);
        POINT topLeft{area.left, area.top};
        ScreenToClient(parent, &topLeft);
        const RECT inParent{topLeft.x, topLeft.y, topLeft.x + (area.right - area.left),
                            topLeft.y + (area.bottom - area.top)};
        InvalidateRect(parent, &inParent, FALSE);
    }
    InvalidateRect(edit, nullptr, FALSE);
}

void PngControl::SetColour(const wchar_t* colourName, const wchar_t* alphaName, int32_t colour, int32_t opacity,
                           bool setOpacity) {
    if (!current_) return;
    WriteProp(current_, colourName, colour);
    if (setOpacity) WriteProp(current_, alphaName, opacity < 0 ? 0 : (opacity > 255 ? 255 : opacity));
    SendToControl(WM_NCPAINT, 0, 0);
    InvalidateRect(current_, nullptr, TRUE);
}

void PngControl::SetBackColor(int32_t colour, int32_t opacity, bool setOpacity) {
    SetColour(kBackColor, kBackAlpha, colour, opacity, setOpacity);
}

void PngControl::SetBorderColor(int32_t colour, int32_t opacity, bool setOpacity) {
    SetColour(kOrderColor, kOrderAlpha, colour, opacity, setOpacity);
}

void InitTransparency() {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    cls.style = CS_HREDRAW | CS_VREDRAW;
    cls.lpfnWndProc = ZarvoLoadDialogProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    cls.lpszClassName = L"ZarvoLoadDialog";
    RegisterClassExW(&cls);
}

void CaptureBackground(HWND editor) {
    // A hidden editor shows nothing; it takes its snapshot at the frame paint that showing it
    // brings.  This keeps building a thousand hidden pages at start-up cheap.
    if (!IsWindowVisible(editor)) return;
    WindowDc windowDc(editor, true);
    const EditorGeometry g = Measure(editor);
    FillAndFrame(windowDc.get(), g.frame, ReadProp(editor, kBackColor), ReadProp(editor, kOrderColor));
    KeepSnapshot(editor, windowDc.get());
}

void RestoreBackground(HWND editor, HDC dc) {
    RECT client{};
    GetClientRect(editor, &client);
    DrawSnapshot(editor, dc, client.right, client.bottom);
    InvalidateRect(editor, nullptr, FALSE);
}

LRESULT CALLBACK ParentWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        if (ReadProp(reinterpret_cast<HWND>(lParam), kType) == kEditType) {
            return OnEditorColours(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
        }
        break;
    case WM_COMMAND: OnChildCommand(wParam, lParam); break;
    case WM_NCDESTROY: {
        const LRESULT result = Forward(hwnd, message, wParam, lParam);
        RemovePropW(hwnd, kWndProc);
        return result;
    }
    default: break;
    }
    return Forward(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK EditWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT: CaptureBackground(hwnd); return 1;
    case WM_ERASEBKGND:
        if (paintingEditor != hwnd) RestoreBackground(hwnd, reinterpret_cast<HDC>(wParam));
        return 1;
    case WM_PAINT: return PaintEditor(hwnd);
    case WM_SHOWWINDOW:
        // Only the page on screen keeps a snapshot: a thousand hidden pages would otherwise hold
        // a thousand bitmaps of the sheet.  Showing the page again retakes it at its frame paint.
        if (!wParam) UniqueBitmap(static_cast<HBITMAP>(RemovePropW(hwnd, kCacheBitmap)));
        return Forward(hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
    case WM_LBUTTONDOWN: InvalidateWhole(hwnd); return Forward(hwnd, message, wParam, lParam);
    case WM_NCDESTROY: {
        WNDPROC original = OriginalProc(hwnd);
        ReleaseEditor(hwnd);
        RemovePropW(hwnd, kWndProc);
        return original ? CallWindowProcW(original, hwnd, message, wParam, lParam)
                        : DefWindowProcW(hwnd, message, wParam, lParam);
    }
    default: break;
    }
    if (!MayLeaveMarks(hwnd, message, wParam)) return Forward(hwnd, message, wParam, lParam);
    InvalidateWhole(hwnd);
    const LRESULT result = Forward(hwnd, message, wParam, lParam);
    InvalidateWhole(hwnd);
    return result;
}
