#include "tests/win/editors/editor_host.h"

#include "assets/skin_bitmap.h"
#include "assets/skin_table.h"
#include "model/config_keys.h"
#include "platform/unique.h"

#include <cstdio>
#include <cstdlib>

namespace editor_test {

namespace {

constexpr wchar_t kHostClass[] = L"EditorTestHost";
constexpr wchar_t kSheetClass[] = L"EditorTestSheet";
constexpr int kSheetWidth = 300;
constexpr int kSheetHeight = 245;

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSEXW host{};
    host.cbSize = sizeof host;
    host.lpfnWndProc = DefWindowProcW;
    host.hInstance = GetModuleHandleW(nullptr);
    host.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    host.lpszClassName = kHostClass;
    RegisterClassExW(&host);
}

void DrawSkin(HWND sheet, HDC dc) {
    auto skin = reinterpret_cast<HBITMAP>(GetWindowLongPtrW(GetParent(sheet), GWLP_USERDATA));
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    SelectScope select(memory.get(), skin);
    BitBlt(dc, 0, 0, kSheetWidth, kSheetHeight, memory.get(), 0, 0, SRCCOPY);
}

Pixels ReadBitmap(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Pixels pixels{width, height, std::vector<unsigned>(static_cast<size_t>(width) * height)};
    WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, height, pixels.data.data(), &info, DIB_RGB_COLORS);
    for (unsigned& p : pixels.data)
        p &= 0x00FFFFFF;
    return pixels;
}

} // namespace

void Pump() {
    for (int idle = 0; idle < 3;) {
        MSG msg;
        bool any = false;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            any = true;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        // Give the display driver a moment to deliver what it has queued.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        idle = any ? 0 : idle + 1;
    }
}

LRESULT CALLBACK SheetHost::SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto host = reinterpret_cast<SheetHost*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (host) host->seen.push_back({message, wParam, lParam});
    switch (message) {
    case WM_PAINT: {
        PaintScope paint(hwnd);
        DrawSkin(hwnd, paint.dc());
        return 0;
    }
    case WM_PRINTCLIENT: DrawSkin(hwnd, reinterpret_cast<HDC>(wParam)); return 0;
    case WM_ERASEBKGND: return 1;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: return reinterpret_cast<LRESULT>(OwnBrush());
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

SheetHost::SheetHost(SheetKind kind) {
    RegisterClasses();
    static bool sheetClass = false;
    if (!sheetClass) {
        sheetClass = true;
        WNDCLASSEXW cls{};
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = SheetProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        cls.lpszClassName = kSheetClass;
        RegisterClassExW(&cls);
    }
    skin_ = LoadSkinBitmap(ResolveBackgroundSkin("white1"));
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kHostClass, L"editor test", WS_POPUP | WS_CLIPCHILDREN, 200, 150,
                              kSheetWidth, kSheetHeight, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(skin_));
    if (kind == SheetKind::Painted) {
        sheet_ = CreateWindowExW(0, kSheetClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kSheetWidth,
                                 kSheetHeight, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(sheet_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    } else {
        sheet_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | SS_BITMAP, 0, 0,
                                 kSheetWidth, kSheetHeight, window_, nullptr, GetModuleHandleW(nullptr), nullptr);
        SendMessageW(sheet_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(skin_));
    }
    template_ = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 18, 14, 272,
                                208, sheet_, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    Pump();
}

SheetHost::~SheetHost() {
    DestroyWindow(window_);
    Pump();
    DeleteObject(skin_);
}

HWND SheetHost::ShowEditor(const std::wstring& text) {
    HWND editor = CreatePageEditor(Context());
    SetWindowTextW(editor, text.c_str());
    ShowWindow(editor, SW_SHOW);
    UpdateWindow(editor);
    Pump();
    return editor;
}

bool SheetHost::Saw(UINT message) const {
    for (const SeenMessage& m : seen) {
        if (m.message == message) return true;
    }
    return false;
}

Pixels CaptureClient(HWND child) {
    HWND top = GetAncestor(child, GA_ROOT);
    POINT origin{0, 0};
    MapWindowPoints(child, top, &origin, 1);
    RECT client{};
    GetClientRect(child, &client);
    WindowDc source(top);
    UniqueMemoryDc memory(CreateCompatibleDC(source.get()));
    UniqueBitmap canvas(CreateCompatibleBitmap(source.get(), client.right, client.bottom));
    {
        SelectScope select(memory.get(), canvas.get());
        BitBlt(memory.get(), 0, 0, client.right, client.bottom, source.get(), origin.x, origin.y, SRCCOPY);
    }
    return ReadBitmap(canvas.get(), client.right, client.bottom);
}

Pixels SkinPixels(const RECT& area) {
    UniqueBitmap skin(LoadSkinBitmap(ResolveBackgroundSkin("white1")));
    Pixels whole = ReadBitmap(skin.get(), kSheetWidth, kSheetHeight);
    Pixels part{area.right - area.left, area.bottom - area.top, {}};
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            part.data.push_back(whole.At(x, y));
    }
    return part;
}

int CountDifferences(const Pixels& a, const Pixels& b) {
    if (a.width != b.width || a.height != b.height) return -1;
    int count = 0;
    for (size_t i = 0; i < a.data.size(); ++i)
        count += a.data[i] != b.data[i];
    return count;
}

void SaveShot(const Pixels& pixels, const std::string& name) {
    const char* dir = std::getenv("QF_SHOTS_DIR");
    if (!dir || pixels.data.empty()) return;
    const std::string path = std::string(dir) + "/" + name + ".bmp";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = -pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    const DWORD bytes = static_cast<DWORD>(pixels.data.size() * 4);
    BITMAPFILEHEADER head{};
    head.bfType = 0x4D42;
    head.bfOffBits = sizeof head + sizeof info;
    head.bfSize = head.bfOffBits + bytes;
    std::fwrite(&head, sizeof head, 1, file);
    std::fwrite(&info, sizeof info, 1, file);
    std::fwrite(pixels.data.data(), 4, pixels.data.size(), file);
    std::fclose(file);
}

std::string FakeProfile::Read(std::string_view section, std::string_view key) {
    if (section != keys::kSettingsSection) return {};
    auto found = settings_.find(std::string(key));
    return found == settings_.end() ? std::string() : found->second;
}

LOGFONTW EditorFont(HWND editor) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

} // namespace editor_test
