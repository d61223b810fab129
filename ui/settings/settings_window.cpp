// The settings window: its controls at their designed places, the swatches, and the message
// switch that hands each event to its operation.
#include "ui/settings/settings_window.h"

#include "assets/skin_table.h"
#include "ui/note/label.h"
#include "ui/note/note.h"
#include "ui/settings/settings_operations.h"
#include "ui/settings/settings_state.h"

#include <cstdlib>
#include <string_view>

namespace {
constexpr wchar_t kSettingsClass[] = L"QingFengSettings";
constexpr wchar_t kSwatchClass[] = L"QingFengSwatch";
constexpr int kOuterWidth = 306;
constexpr int kOuterHeight = 182;
constexpr WORD kSwatchPressed = 0x5357;
constexpr wchar_t kPreviousProcProperty[] = L"QingFengSettings_PreviousProc";

SettingsState* StateOf(HWND hwnd) {
    return reinterpret_cast<SettingsState*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

HINSTANCE ModuleOf(HWND hwnd) {
    return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd, GWLP_HINSTANCE));
}

// Where each swatch sits; the colours and the order come from the skin table.  The columns
// are not evenly spaced in the design, so they are listed rather than computed.
struct SwatchPlace {
    std::string_view colourName;
    int left, top;
};
constexpr SwatchPlace kSwatchPlaces[] = {
    {"white1", 80, 79},   {"blue1", 104, 79},    {"green1", 129, 79}, {"red1", 153, 79},
    {"yellow1", 176, 79}, {"x1", 200, 79},       {"blue2", 104, 112}, {"green2", 128, 112},
    {"red2", 152, 112},   {"yellow2", 176, 112}, {"x2", 200, 112},
};

// A swatch: a 16 x 16 box with a one-pixel frame, filled with its colour (kept in the user
// data), that acts as soon as the left button goes down.
LRESULT CALLBACK SwatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        PaintScope paint(hwnd);
        RECT client;
        GetClientRect(hwnd, &client);
        UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))));
        FillRect(paint.dc(), &client, brush.get());
        return 0;
    }
    case WM_LBUTTONDOWN:
        SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), kSwatchPressed),
                     reinterpret_cast<LPARAM>(hwnd));
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// There is no dialog manager in the message loop, so each focusable control passes Esc (close
// like the close box) and Tab (next tab stop) to the window itself.  The control's own
// procedure is kept in a window property and gets every other message.
LRESULT CALLBACK KeyForwardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto previous = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProcProperty));
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) {
        SendMessageW(GetParent(hwnd), WM_CLOSE, 0, 0);
        return 0;
    }
    if (message == WM_KEYDOWN && wParam == VK_TAB) {
        bool backwards = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(GetParent(hwnd), hwnd, backwards)) SetFocus(next);
        return 0;
    }
    if (message == WM_CHAR && (wParam == VK_ESCAPE || wParam == VK_TAB)) return 0; // no beep
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropW(hwnd, kPreviousProcProperty);
    }
    return CallWindowProcW(previous, hwnd, message, wParam, lParam);
}

void ForwardKeys(HWND control) {
    SetPropW(control, kPreviousProcProperty, reinterpret_cast<HANDLE>(GetWindowLongPtrW(control, GWLP_WNDPROC)));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeyForwardProc));
}

HWND CreateChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int id, int left, int top,
                 int width, int height) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ModuleOf(parent), nullptr);
}

HWND CreateFocusable(HWND parent, const wchar_t* text, DWORD style, int id, int left, int top, int width, int height) {
    HWND hwnd = CreateChild(parent, L"BUTTON", text, style | WS_TABSTOP, id, left, top, width, height);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    ForwardKeys(hwnd);
    return hwnd;
}

void CreateControls(HWND window, SettingsState& state) {
    // In tab order: the boxes, then the buttons from left to right and top to bottom.
    state.keepOnTopBox = CreateFocusable(window, L"便签保持最前", BS_AUTOCHECKBOX, kKeepOnTopBoxId, 16, 8, 96, 24);
    state.muteBox = CreateFocusable(window, L"静音", BS_AUTOCHECKBOX, kMuteBoxId, 16, 40, 80, 16);
    // Multi-line like the buttons of the original form: the CR LF that ends 支持作者 is a line
    // break there, not two boxes after the text.
    constexpr DWORD kPush = BS_PUSHBUTTON | BS_MULTILINE;
    CreateFocusable(window, L"字体设置", kPush, kFontButtonId, 87, 34, 56, 24);
    CreateFocusable(window, L"开机自启", kPush, kStartupButtonId, 158, 33, 58, 24);
    CreateFocusable(window, L"说明", kPush, kInstructionsButtonId, 239, 8, 56, 24);
    CreateFocusable(window, L"支持作者\r\n", kPush, kSupportButtonId, 239, 41, 56, 24);
    CreateFocusable(window, L"退出程序", kPush, kExitButtonId, 239, 74, 56, 24);
    CreateFocusable(window, L"保存", kPush, kSaveButtonId, 239, 106, 56, 24);

    LOGFONTW gui{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    const LabelStyle caption{RGB(0, 0, 0), gui.lfHeight != 0 ? std::abs(gui.lfHeight) : 12, false, L"", false};
    CreateLabel(window, kBackgroundCaptionId, 16, 80, 64, 16, L"背景颜色：", caption);
    CreateLabel(window, kBarCaptionId, 16, 112, 64, 16, L"布条颜色：", caption);

    auto table = SkinTable();
    for (size_t i = 0; i < table.size(); ++i) {
        const SkinEntry& skin = table[i];
        for (const SwatchPlace& place : kSwatchPlaces) {
            if (place.colourName != skin.colourName) continue;
            HWND swatch = CreateChild(window, kSwatchClass, L"", WS_BORDER, kFirstSwatchId + static_cast<int>(i),
                                      place.left, place.top, 16, 16);
            SetWindowLongPtrW(swatch, GWLP_USERDATA, RGB(skin.swatchRed, skin.swatchGreen, skin.swatchBlue));
        }
    }
}

void SetIcons(HWND window, SettingsState& state) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    state.bigIcon.reset(static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    state.smallIcon.reset(static_cast<HICON>(LoadImageW(
        instance, L"DEFAULT_ICON", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state.bigIcon.get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state.smallIcon.get()));
}

void OnCommand(SettingsState& state, int id, WORD code) {
    Note& note = *state.note;
    auto table = SkinTable();
    if (code == kSwatchPressed && id >= kFirstSwatchId && id < kFirstSwatchId + static_cast<int>(table.size())) {
        PickSkin(note, table[static_cast<size_t>(id - kFirstSwatchId)]);
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case kFontButtonId: PickEditorFont(note); break;
    case kStartupButtonId: RegisterStartup(); break;
    case kInstructionsButtonId: ShowInstructions(note); break;
    case kSupportButtonId: OpenSponsorPage(); break;
    case kExitButtonId: ExitProgram(note); break;
    case kSaveButtonId: SaveSettings(note); break;
    }
}

// Close box and Esc: the close routine, and the window is refused its destruction.
void OnCloseRequest(SettingsState& state) {
    CloseSettingsWindow(*state.note);
}

// The check boxes draw on the window's button face in black.
LRESULT OnControlColour(HDC hdc) {
    SetTextColor(hdc, RGB(0, 0, 0));
    SetBkColor(hdc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK SettingsWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    SettingsState* state = StateOf(hwnd);
    if (!state) return DefWindowProcW(hwnd, message, wParam, lParam);
    switch (message) {
    case WM_COMMAND: OnCommand(*state, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_CLOSE: OnCloseRequest(*state); return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE) OnCloseRequest(*state);
        return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return OnControlColour(reinterpret_cast<HDC>(wParam));
    case WM_NCDESTROY:
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        if (state->note && state->note->controls.settingsWindow == hwnd) state->note->controls.settingsWindow = nullptr;
        delete state;
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void RegisterOnce(HINSTANCE instance, const wchar_t* name, WNDPROC procedure, HBRUSH background) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExW(&wc);
}

void RegisterClasses(HINSTANCE instance) {
    RegisterOnce(instance, kSettingsClass, SettingsWindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    RegisterOnce(instance, kSwatchClass, SwatchProc, nullptr);
    // The two captions are the note's transparent labels; registering again changes nothing.
    RegisterLabelClass(instance);
}
} // namespace

SettingsState* SettingsStateOf(const Note& note) {
    return note.controls.settingsWindow ? StateOf(note.controls.settingsWindow) : nullptr;
}

HWND CreateSettingsWindow(Note& note, int left, int top, SettingsDialogs dialogs) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    RegisterClasses(instance);
    // No WS_THICKFRAME: the frame is fixed.  No WS_CLIPCHILDREN: the captions are see-through
    // and need the button face painted beneath them.
    HWND hwnd =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kSettingsClass, L"", WS_POPUP | WS_CAPTION | WS_SYSMENU, left,
                        top, kOuterWidth, kOuterHeight, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return nullptr;
    auto* state = new SettingsState;
    state->note = &note;
    state->dialogs = std::move(dialogs);
    CreateControls(hwnd, *state);
    SetIcons(hwnd, *state);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    note.controls.settingsWindow = hwnd;
    return hwnd;
}

void SetSettingsBoxes(Note& note, bool keepOnTop, bool mute) {
    SettingsState* state = SettingsStateOf(note);
    if (!state) return;
    SendMessageW(state->keepOnTopBox, BM_SETCHECK, keepOnTop ? BST_CHECKED : BST_UNCHECKED, 0);
    SendMessageW(state->muteBox, BM_SETCHECK, mute ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowSettingsWindow(Note& note) {
    if (note.controls.settingsWindow) ShowWindow(note.controls.settingsWindow, SW_SHOW);
}

void HideSettingsWindow(Note& note) {
    HWND hwnd = note.controls.settingsWindow;
    if (hwnd && IsWindowVisible(hwnd)) ShowWindow(hwnd, SW_HIDE);
}
