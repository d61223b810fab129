// What a page editor shows on screen: the skin between its letters, and after any selection,
// focus change, typing or scrolling exactly what a fresh paint of the same text shows.
#include "tests/win/editors/editor_host.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace editor_test {
namespace {

const RECT kEditorArea{18, 14, 290, 222}; // in the sheet

unsigned Darkest(const Pixels& p) {
    unsigned darkest = 0xFFFFFFFF;
    for (unsigned c : p.data) {
        const unsigned sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
        if (sum < darkest) darkest = sum;
    }
    return darkest;
}

class SkinBetweenLetters : public testing::TestWithParam<SheetKind> {};

TEST_P(SkinBetweenLetters, EmptyEditorShowsExactlyTheSkin) {
    SheetHost host(GetParam());
    HWND editor = host.ShowEditor(L"");
    const Pixels shown = CaptureClient(editor);
    SaveShot(shown, GetParam() == SheetKind::Painted ? "empty-painted" : "empty-static");
    EXPECT_EQ(CountDifferences(shown, SkinPixels(kEditorArea)), 0) << "no frame and no fill of its own";
}

TEST_P(SkinBetweenLetters, TextIsBlackOverTheSkin) {
    SheetHost host(GetParam());
    HWND editor = host.ShowEditor(L"Hi 青枫 there");
    const Pixels shown = CaptureClient(editor);
    SaveShot(shown, GetParam() == SheetKind::Painted ? "text-painted" : "text-static");
    const Pixels skin = SkinPixels(kEditorArea);

    constexpr int kLineBand = 40; // one line of the 21-pixel font
    int inBand = 0;
    int belowBand = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const bool differs = shown.At(x, y) != skin.At(x, y);
            (y < kLineBand ? inBand : belowBand) += differs;
        }
    }
    EXPECT_GT(inBand, 30) << "the text is drawn";
    EXPECT_LT(inBand, shown.width * kLineBand / 3) << "the skin shows between the letters";
    EXPECT_EQ(belowBand, 0) << "nothing but the skin where there is no text";
    EXPECT_LT(Darkest(shown), 3u * 0x40) << "black text";
}

INSTANTIATE_TEST_SUITE_P(Sheets, SkinBetweenLetters, testing::Values(SheetKind::Painted, SheetKind::Static),
                         [](const testing::TestParamInfo<SheetKind>& info) {
                             return info.param == SheetKind::Painted ? std::string("Painted") : std::string("Static");
                         });

// What a fresh editor needs to show the same thing.
struct EditorState {
    std::wstring text;
    DWORD selectionStart = 0;
    DWORD selectionEnd = 0;
    LRESULT firstLine = 0;
    bool focused = false;
};

EditorState Read(HWND editor) {
    EditorState s;
    s.text.resize(static_cast<size_t>(GetWindowTextLengthW(editor)) + 1);
    s.text.resize(static_cast<size_t>(GetWindowTextW(editor, s.text.data(), static_cast<int>(s.text.size()))));
    SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&s.selectionStart),
                 reinterpret_cast<LPARAM>(&s.selectionEnd));
    s.firstLine = SendMessageW(editor, EM_GETFIRSTVISIBLELINE, 0, 0);
    s.focused = GetFocus() == editor;
    return s;
}

// The screen with the caret out of the way.
Pixels Settled(HWND editor, bool focused) {
    Pump();
    if (focused) HideCaret(editor);
    Pixels p = CaptureClient(editor);
    if (focused) ShowCaret(editor);
    return p;
}

void PressKey(HWND editor, UINT key, bool shift, bool control = false) {
    BYTE state[256]{};
    GetKeyboardState(state);
    state[VK_SHIFT] = shift ? 0x80 : 0;
    state[VK_CONTROL] = control ? 0x80 : 0;
    SetKeyboardState(state);
    SendMessageW(editor, WM_KEYDOWN, key, 1);
    Pump();
    SendMessageW(editor, WM_KEYUP, key, 0xC0000001);
    state[VK_SHIFT] = 0;
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}

void Type(HWND editor, wchar_t c) {
    SendMessageW(editor, WM_CHAR, c, 1);
    Pump();
}

void Drag(HWND editor, std::initializer_list<POINT> path) {
    const POINT* p = path.begin();
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p->x, p->y));
    Pump();
    for (++p; p != path.end(); ++p) {
        SendMessageW(editor, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p->x, p->y));
        Pump();
    }
    --p;
    SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(p->x, p->y));
}

void Select(HWND editor, int start, int end) {
    SendMessageW(editor, EM_SETSEL, start, end);
    Pump();
}

std::wstring Lines(int count) {
    std::wstring text;
    for (int i = 0; i < count; ++i)
        text += L"第" + std::to_wstring(i) + L"行 Quick brown fox jumps\r\n";
    return text;
}

struct GhostCase {
    const char* name;
    std::function<void(HWND editor, SheetHost& host)> act;
};

void PrintTo(const GhostCase& c, std::ostream* out) {
    *out << c.name;
}

class NoGhosts : public testing::TestWithParam<GhostCase> {};

TEST_P(NoGhosts, EditorShowsWhatAFreshPaintShows) {
    const GhostCase& c = GetParam();
    SheetHost host;
    HWND editor = host.ShowEditor(Lines(20));
    SetFocus(editor);
    Select(editor, 0, 0);
    c.act(editor, host);

    const EditorState state = Read(editor);
    const Pixels used = Settled(editor, state.focused);

    // A new editor with the same text, scroll position, selection and focus, at the same place.
    ShowWindow(editor, SW_HIDE);
    Pump();
    HWND fresh = host.ShowEditor(state.text);
    SendMessageW(fresh, EM_LINESCROLL, 0, state.firstLine);
    if (state.focused) SetFocus(fresh);
    SendMessageW(fresh, EM_SETSEL, state.selectionStart, state.selectionEnd);
    ASSERT_EQ(SendMessageW(fresh, EM_GETFIRSTVISIBLELINE, 0, 0), state.firstLine);
    const Pixels reference = Settled(fresh, state.focused);

    const std::string shot = std::string("ghost-") + c.name;
    SaveShot(used, shot + "-used");
    SaveShot(reference, shot + "-fresh");
    EXPECT_EQ(CountDifferences(used, reference), 0);
}

const GhostCase kGhostCases[] = {
    {"SelectAllThenShrink",
     [](HWND e, SheetHost&) {
         Select(e, 0, -1);
         Select(e, 2, 6);
     }},
    {"ShiftArrowsGrowThenShrink",
     [](HWND e, SheetHost&) {
         for (int i = 0; i < 8; ++i)
             PressKey(e, VK_RIGHT, true);
         for (int i = 0; i < 2; ++i)
             PressKey(e, VK_DOWN, true);
         for (int i = 0; i < 2; ++i)
             PressKey(e, VK_UP, true);
         for (int i = 0; i < 5; ++i)
             PressKey(e, VK_LEFT, true);
     }},
    {"MouseDragOutAndBack",
     [](HWND e, SheetHost&) {
         Drag(e, {{4, 5}, {120, 30}, {250, 80}, {60, 28}, {30, 8}});
     }},
    {"CtrlAThenClick",
     [](HWND e, SheetHost&) {
         PressKey(e, 'A', false, true);
         Type(e, 0x01);
         DWORD start = 0, end = 0;
         SendMessageW(e, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
         if (end == start) Select(e, 0, -1); // a control without Ctrl+A: select all as it would
         Drag(e, {{40, 6}});
     }},
    {"SelectionHiddenByLossOfFocus",
     [](HWND e, SheetHost& host) {
         Select(e, 5, 60);
         SetFocus(host.Window());
     }},
    {"TypingAndDeletingOverASelection",
     [](HWND e, SheetHost&) {
         Select(e, 3, 30);
         Type(e, L'x');
         Type(e, L'枫');
         PressKey(e, VK_BACK, false);
         Type(e, L'\b');
         Select(e, 10, 40);
         PressKey(e, VK_DELETE, false);
         Type(e, L'\r');
     }},
    {"SnapshotRetakenWhileSelected",
     [](HWND e, SheetHost&) {
         Select(e, 0, 90);
         SetWindowPos(e, nullptr, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
         Pump();
         Select(e, 3, 3);
     }},
    {"ScrollingWithASelection",
     [](HWND e, SheetHost&) {
         Select(e, 0, 80);
         SendMessageW(e, WM_VSCROLL, SB_LINEDOWN, 0);
         Pump();
         SendMessageW(e, WM_VSCROLL, SB_PAGEDOWN, 0);
         Pump();
         SendMessageW(e, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
         Pump();
         SendMessageW(e, WM_VSCROLL, SB_LINEUP, 0);
         Pump();
         Select(e, 100, 120);
         PressKey(e, VK_DOWN, true);
         PressKey(e, VK_PRIOR, false);
     }},
};

INSTANTIATE_TEST_SUITE_P(Actions, NoGhosts, testing::ValuesIn(kGhostCases),
                         [](const testing::TestParamInfo<GhostCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace editor_test
