// The transparency class: what attaching does to the windows, the properties it keeps, and how
// the subclassed sheet answers its children.
#include "tests/win/editors/editor_host.h"

#include "platform/unique.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace editor_test {
namespace {

intptr_t Prop(HWND hwnd, const wchar_t* name) {
    return reinterpret_cast<intptr_t>(GetPropW(hwnd, name));
}

HWND PlainEdit(HWND parent, DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_MULTILINE) {
    return CreateWindowExW(0, L"EDIT", L"", style, 18, 14, 272, 208, parent, nullptr, GetModuleHandleW(nullptr),
                           nullptr);
}

TEST(AttachEdit, MakesTheControlSeeThroughAndTheSheetPaintBeneathIt) {
    SheetHost host;
    HWND edit = PlainEdit(host.Sheet());
    ASSERT_TRUE(GetWindowLongPtrW(host.Sheet(), GWL_STYLE) & WS_CLIPCHILDREN);

    host.transparency.AttachEdit(edit);

    EXPECT_FALSE(GetWindowLongPtrW(edit, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(GetWindowLongPtrW(host.Sheet(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_EQ(host.transparency.CurrentControl(), edit);
    // An attached control starts white with a grey border, until the page editor says "none".
    EXPECT_EQ(Prop(edit, L"PngControl_Type"), 4);
    EXPECT_EQ(Prop(edit, L"PngControl_BackColor"), 0x00FFFFFF);
    EXPECT_EQ(Prop(edit, L"PngControl_BackAlpha"), 255);
    EXPECT_EQ(Prop(edit, L"PngControl_OrderColor"), 0x007B8084);
    EXPECT_EQ(Prop(edit, L"PngControl_OrderAlpha"), 255);
    EXPECT_EQ(Prop(edit, L"PngControl_TextColor"), 0);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(EditWndProc));
}

TEST(AttachEdit, PageEditorEndsWithNoFillAndNoBorder) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());

    EXPECT_FALSE(GetWindowLongPtrW(editor, GWL_STYLE) & WS_CLIPSIBLINGS);
    EXPECT_TRUE(GetWindowLongPtrW(editor, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_FALSE(GetWindowLongPtrW(host.Sheet(), GWL_STYLE) & WS_CLIPCHILDREN);
    EXPECT_EQ(Prop(editor, L"PngControl_Type"), 4);
    EXPECT_EQ(Prop(editor, L"PngControl_BackColor"), -1);
    EXPECT_EQ(Prop(editor, L"PngControl_BackAlpha"), 0);
    EXPECT_EQ(Prop(editor, L"PngControl_OrderColor"), -1);
    EXPECT_EQ(Prop(editor, L"PngControl_OrderAlpha"), 255);
    EXPECT_EQ(Prop(editor, L"PngControl_TextColor"), 0);
    // Only an editor on screen holds a snapshot: it takes one when shown and lets it go when hidden.
    EXPECT_EQ(Prop(editor, L"PngControl_CacheBitmap"), 0);
    ShowWindow(editor, SW_SHOW);
    UpdateWindow(editor);
    EXPECT_EQ(GetObjectType(GetPropW(editor, L"PngControl_CacheBitmap")), static_cast<DWORD>(OBJ_BITMAP));
    ShowWindow(editor, SW_HIDE);
    EXPECT_EQ(Prop(editor, L"PngControl_CacheBitmap"), 0);
}

TEST(AttachEdit, KeepsEachWindowsOwnProcedureOnce) {
    SheetHost host;
    const LONG_PTR sheetOwn = GetWindowLongPtrW(host.Sheet(), GWLP_WNDPROC);
    HWND first = PlainEdit(host.Sheet());
    HWND second = PlainEdit(host.Sheet());
    const LONG_PTR editOwn = GetWindowLongPtrW(first, GWLP_WNDPROC);

    host.transparency.AttachEdit(first);
    host.transparency.AttachEdit(second);
    host.transparency.AttachEdit(first); // again: the kept procedure must not become EditWndProc

    EXPECT_EQ(Prop(host.Sheet(), L"PngControl_WndProc"), sheetOwn);
    EXPECT_EQ(GetWindowLongPtrW(host.Sheet(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ParentWndProc));
    EXPECT_EQ(Prop(first, L"PngControl_WndProc"), editOwn);
    EXPECT_EQ(Prop(second, L"PngControl_WndProc"), editOwn);
    EXPECT_EQ(Prop(host.Sheet(), L"PngControl_Type"), 0) << "the sheet is never a see-through control";
}

TEST(AttachEdit, IgnoresWhatIsNotAWindow) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    HWND destroyed = PlainEdit(host.Sheet());
    DestroyWindow(destroyed);

    for (HWND notAWindow : {HWND{}, destroyed, reinterpret_cast<HWND>(0x7654321)}) {
        host.transparency.AttachEdit(notAWindow);
        EXPECT_EQ(host.transparency.CurrentControl(), editor);
    }
    // The colour calls then act on the editor that was attached last.
    host.transparency.SetBackColor(0x00123456, 9, true);
    EXPECT_EQ(Prop(editor, L"PngControl_BackColor"), 0x00123456);
    EXPECT_EQ(Prop(editor, L"PngControl_BackAlpha"), 9);
}

TEST(SetColours, LimitOpacityOnlyWhenAskedTo) {
    struct Case {
        int32_t opacity;
        bool setOpacity;
        intptr_t stored;
    };
    const Case cases[] = {{300, true, 255}, {-4, true, 0},    {17, true, 17}, {255, true, 255},
                          {0, true, 0},     {300, false, 42}, {-4, false, 42}};
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "opacity " << c.opacity << " set " << c.setOpacity);
        SetPropW(editor, L"PngControl_BackAlpha", reinterpret_cast<HANDLE>(intptr_t{42}));
        SetPropW(editor, L"PngControl_OrderAlpha", reinterpret_cast<HANDLE>(intptr_t{42}));
        host.transparency.SetBackColor(0x00010203, c.opacity, c.setOpacity);
        host.transparency.SetBorderColor(0x00040506, c.opacity, c.setOpacity);
        EXPECT_EQ(Prop(editor, L"PngControl_BackAlpha"), c.stored);
        EXPECT_EQ(Prop(editor, L"PngControl_OrderAlpha"), c.stored);
        EXPECT_EQ(Prop(editor, L"PngControl_BackColor"), 0x00010203);
        EXPECT_EQ(Prop(editor, L"PngControl_OrderColor"), 0x00040506);
    }
}

TEST(ParentWndProc, AnswersColourRequestsOfPageEditorsAndForwardsTheRest) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    HWND label = CreateWindowExW(0, L"STATIC", L"label", WS_CHILD, 0, 0, 40, 20, host.Sheet(), nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SetPropW(editor, L"PngControl_TextColor", reinterpret_cast<HANDLE>(intptr_t{0x00123456}));
    struct Case {
        const char* name;
        UINT message;
        HWND child;
        bool answeredBySheet; // false: the sheet's own procedure gets it
    };
    const Case cases[] = {
        {"edit colours of a page editor", WM_CTLCOLOREDIT, editor, true},
        {"static colours of a page editor", WM_CTLCOLORSTATIC, editor, true},
        {"edit colours of a plain child", WM_CTLCOLOREDIT, label, false},
        {"static colours of a plain child", WM_CTLCOLORSTATIC, label, false},
        {"scroll bar colours of a page editor", WM_CTLCOLORSCROLLBAR, editor, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        SetBkMode(dc.get(), OPAQUE);
        SetTextColor(dc.get(), RGB(9, 9, 9));
        host.seen.clear();
        const LRESULT brush = SendMessageW(host.Sheet(), c.message, reinterpret_cast<WPARAM>(dc.get()),
                                           reinterpret_cast<LPARAM>(c.child));
        EXPECT_EQ(host.Saw(c.message), !c.answeredBySheet);
        if (c.answeredBySheet) {
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH)));
            EXPECT_EQ(GetBkMode(dc.get()), TRANSPARENT);
            EXPECT_EQ(GetTextColor(dc.get()), static_cast<COLORREF>(0x00123456));
        } else {
            EXPECT_EQ(brush, reinterpret_cast<LRESULT>(SheetHost::OwnBrush()));
            EXPECT_EQ(GetBkMode(dc.get()), OPAQUE);
        }
    }
}

TEST(ParentWndProc, RepaintsAPageEditorOnTextAndScrollNotificationsOnly) {
    SheetHost host;
    HWND editor = host.ShowEditor(L"some text");
    HWND plain = PlainEdit(host.Sheet(), WS_CHILD | WS_VISIBLE | ES_MULTILINE);
    struct Case {
        WORD code;
        HWND child;
        bool invalidates;
    };
    const Case cases[] = {{EN_CHANGE, editor, true},    {EN_VSCROLL, editor, true},    {EN_HSCROLL, editor, true},
                          {EN_SETFOCUS, editor, false}, {EN_KILLFOCUS, editor, false}, {EN_UPDATE, editor, false},
                          {EN_CHANGE, plain, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << c.code);
        Pump();
        ASSERT_FALSE(GetUpdateRect(c.child, nullptr, FALSE));
        host.seen.clear();
        SendMessageW(host.Sheet(), WM_COMMAND, MAKEWPARAM(7, c.code), reinterpret_cast<LPARAM>(c.child));
        EXPECT_EQ(GetUpdateRect(c.child, nullptr, FALSE) != FALSE, c.invalidates);
        EXPECT_TRUE(host.Saw(WM_COMMAND)) << "every command still reaches the sheet's own procedure";
    }
    DestroyWindow(plain);
}

TEST(InitTransparency, RegistersTheLoadDialogClass) {
    InitTransparency();
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof cls;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"ZarvoLoadDialog", &cls));
    EXPECT_EQ(cls.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
    EXPECT_EQ(cls.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)));
    EXPECT_EQ(cls.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    EXPECT_EQ(cls.cbClsExtra, 0);
    EXPECT_EQ(cls.cbWndExtra, 0);
}

} // namespace
} // namespace editor_test
