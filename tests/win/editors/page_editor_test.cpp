// Page editors as the page book gets them, and the font rules.
#include "tests/win/editors/editor_host.h"

#include "model/config_keys.h"
#include "model/page_book.h"
#include "platform/unique.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

namespace editor_test {
namespace {

using namespace std::string_literals;

const std::wstring kSongTi = L"宋体";

int ScreenPixelsPerInch() {
    WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

std::wstring ClassOf(HWND hwnd) {
    wchar_t name[32]{};
    GetClassNameW(hwnd, name, 32);
    std::wstring upper(name);
    for (wchar_t& c : upper)
        c = static_cast<wchar_t>(std::towupper(c));
    return upper;
}

TEST(CreatePageEditor, ClonesTheTemplateEditorHiddenAndEmpty) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    ASSERT_NE(editor, nullptr);

    EXPECT_EQ(ClassOf(editor), L"EDIT");
    EXPECT_EQ(GetParent(editor), host.Sheet());
    EXPECT_FALSE(IsWindowVisible(editor));
    EXPECT_EQ(GetWindowTextLengthW(editor), 0);
    RECT place{};
    GetWindowRect(editor, &place);
    MapWindowPoints(nullptr, host.Sheet(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, 18);
    EXPECT_EQ(place.top, 14);
    EXPECT_EQ(place.right - place.left, 272);
    EXPECT_EQ(place.bottom - place.top, 208);

    const LONG_PTR style = GetWindowLongPtrW(editor, GWL_STYLE);
    for (LONG_PTR wanted : {LONG_PTR{WS_CHILD}, LONG_PTR{ES_MULTILINE}, LONG_PTR{ES_AUTOVSCROLL},
                            LONG_PTR{ES_WANTRETURN}, LONG_PTR{WS_TABSTOP}}) {
        EXPECT_EQ(style & wanted, wanted) << std::hex << wanted;
    }
    for (LONG_PTR unwanted : {LONG_PTR{WS_VISIBLE}, LONG_PTR{WS_BORDER}, LONG_PTR{WS_HSCROLL}, LONG_PTR{WS_VSCROLL},
                              LONG_PTR{ES_AUTOHSCROLL}, LONG_PTR{ES_NOHIDESEL}, LONG_PTR{ES_READONLY},
                              LONG_PTR{ES_PASSWORD}, LONG_PTR{ES_UPPERCASE}, LONG_PTR{ES_LOWERCASE},
                              LONG_PTR{ES_CENTER}, LONG_PTR{ES_RIGHT}, LONG_PTR{WS_CLIPSIBLINGS}}) {
        EXPECT_EQ(style & unwanted, 0) << std::hex << unwanted;
    }
    const LONG_PTR exStyle = GetWindowLongPtrW(editor, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME), 0);
    EXPECT_GT(SendMessageW(editor, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFD) << "no length limit of its own";

    const LOGFONTW font = EditorFont(editor);
    EXPECT_EQ(font.lfHeight, -21);
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"张海山锐线体简");
    EXPECT_FALSE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_FALSE(font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
    EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
}

TEST(CreatePageEditor, PutsEachNewEditorDirectlyBehindTheTemplate) {
    SheetHost host;
    HWND first = CreatePageEditor(host.Context());
    EXPECT_EQ(GetWindow(host.Template(), GW_HWNDNEXT), first);
    HWND second = CreatePageEditor(host.Context());
    EXPECT_EQ(GetWindow(host.Template(), GW_HWNDNEXT), second);
    EXPECT_EQ(GetWindow(second, GW_HWNDNEXT), first);
}

TEST(WrapPageEditor, ShowsReadsAndFillsTheWindow) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    auto page = WrapPageEditor(editor);
    EXPECT_EQ(EditorWindow(*page), editor);

    const std::u16string text = u"第一行\r\n😀 two";
    page->SetText(text);
    EXPECT_EQ(page->Text(), text);
    page->Show();
    EXPECT_TRUE(IsWindowVisible(editor));
    page->Focus();
    EXPECT_EQ(GetFocus(), editor);
    page->Hide();
    EXPECT_FALSE(IsWindowVisible(editor));

    page.reset();
    EXPECT_FALSE(IsWindow(editor));
}

TEST(WrapPageEditor, TellsWhetherTheTextChangedSinceLastCleared) {
    SheetHost host;
    auto page = WrapPageEditor(CreatePageEditor(host.Context()));
    HWND editor = EditorWindow(*page);
    EXPECT_FALSE(page->Modified()) << "a new editor";
    page->SetText(u"loaded");
    EXPECT_TRUE(page->Modified()) << "SetText";
    page->ClearModified();
    EXPECT_FALSE(page->Modified());
    page->Show();
    page->Focus();
    SendMessageW(editor, WM_CHAR, L'x', 1);
    EXPECT_TRUE(page->Modified()) << "typing";
    page->ClearModified();
    page->SetText(u"");
    EXPECT_TRUE(page->Modified()) << "emptied by the book";
}

TEST(ApplyEditorFont, SizeBecomesAPixelHeightAtTheScreensResolution) {
    const int dpi = ScreenPixelsPerInch();
    struct Case {
        int32_t size;
        LONG heightAt96;
    };
    const Case cases[] = {{12, -16}, {9, -12}, {11, -15}, {0, 0}, {-5, 0}, {72, -96}};
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "size " << c.size);
        ApplyEditorFont(editor, c.size, "Arial", true, false, false, false);
        const LONG expected = c.size <= 0 ? 0 : -MulDiv(c.size, dpi, 72);
        EXPECT_EQ(EditorFont(editor).lfHeight, expected);
        if (dpi == 96) {
            EXPECT_EQ(EditorFont(editor).lfHeight, c.heightAt96);
        }
    }
}

TEST(ApplyEditorFont, FaceNamesThatDoNotFitBecomeSongTi) {
    const std::string song = "\xcb\xce"; // 宋 in GBK: one character, two bytes
    std::string thirtyOne;
    for (int i = 0; i < 15; ++i)
        thirtyOne += song;
    thirtyOne += "A";
    const std::string thirtyTwo = thirtyOne.substr(0, 30) + song; // 16 characters, 32 bytes
    struct Case {
        const char* name;
        std::string face;
        std::wstring expected;
    };
    const Case cases[] = {
        {"empty", "", kSongTi},
        {"plain", "Arial", L"Arial"},
        {"GBK name", "\xbf\xac\xcc\xe5", L"楷体"},
        {"31 bytes", thirtyOne, std::wstring(15, L'宋') + L"A"},
        {"32 bytes in 16 characters", thirtyTwo, kSongTi},
        {"40 ASCII bytes", std::string(40, 'x'), kSongTi},
    };
    ASSERT_EQ(thirtyOne.size(), 31u);
    ASSERT_EQ(thirtyTwo.size(), 32u);
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ApplyEditorFont(editor, 12, c.face, false, false, false, false);
        EXPECT_EQ(std::wstring(EditorFont(editor).lfFaceName), c.expected);
    }
}

TEST(ApplyEditorFont, SetsEveryStyleExplicitlyOnOrOff) {
    struct Case {
        bool bold, underline, strikeout, italic;
    };
    const Case cases[] = {
        {true, true, true, true}, {false, false, false, false}, {true, false, true, false}, {false, true, false, true}};
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bold << c.underline << c.strikeout << c.italic);
        ApplyEditorFont(editor, 10, "Arial", c.bold, c.underline, c.strikeout, c.italic);
        const LOGFONTW font = EditorFont(editor);
        EXPECT_EQ(font.lfWeight, c.bold ? 700 : 0);
        EXPECT_EQ(font.lfUnderline != 0, c.underline);
        EXPECT_EQ(font.lfStrikeOut != 0, c.strikeout);
        EXPECT_EQ(font.lfItalic != 0, c.italic);
        EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);
        EXPECT_EQ(font.lfOutPrecision, OUT_DEFAULT_PRECIS);
        EXPECT_EQ(font.lfClipPrecision, CLIP_DEFAULT_PRECIS);
        EXPECT_EQ(font.lfQuality, PROOF_QUALITY);
        EXPECT_EQ(font.lfPitchAndFamily, DEFAULT_PITCH);
    }
}

TEST(ApplyEditorFont, StartsFromTheDefaultGuiFontWhenTheEditorHasNone) {
    SheetHost host;
    HWND editor = CreatePageEditor(host.Context());
    SendMessageW(editor, WM_SETFONT, 0, FALSE);
    LOGFONTW gui{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof gui, &gui);
    ApplyEditorFont(editor, 0, "Arial", false, false, false, true);
    const LOGFONTW font = EditorFont(editor);
    EXPECT_EQ(font.lfWidth, gui.lfWidth);
    EXPECT_EQ(font.lfEscapement, gui.lfEscapement);
    EXPECT_TRUE(font.lfItalic);
}

// A book of real page editors on the test sheet.
struct EditorBook {
    explicit EditorBook(SheetHost& host, int pages)
        : book(PageBookServices{[&host] { return WrapPageEditor(CreatePageEditor(host.Context())); },
                                [](const std::string&) {}, [](PageSound) {}, [] {}, [] {}}) {
        for (int i = 0; i < pages; ++i)
            book.NewPage();
    }
    HWND Editor(int page) const { return EditorWindow(book.Editor(page)); }
    PageBook book;
};

TEST(ApplyStoredFont, AppliesTheStoredValuesToEveryPage) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> settings;
        bool regularFirst; // the editors are made regular, italic and underlined before
        LONG weight;
        std::wstring face;
        int32_t size;
        bool underline, strikeout, italic;
        bool stored;
    };
    const std::string t(keys::kTrue), f(keys::kFalse);
    const std::string size(keys::kFontSize), name(keys::kFontName), bold(keys::kBold), under(keys::kUnderline),
        strike(keys::kStrikeout), italic(keys::kItalic);
    const Case cases[] = {
        {"bold 假 leaves a bold editor bold", {{bold, f}}, false, 700, kSongTi, 0, false, false, false, true},
        {"bold 真 makes a regular editor bold", {{bold, t}}, true, 700, kSongTi, 0, true, false, true, true},
        {"no font keys: 宋体 at the default height, styles kept", {}, true, 0, kSongTi, 0, true, false, true, false},
        {"no font keys on a fresh editor", {}, false, 700, kSongTi, 0, false, false, false, false},
        {"only 真 counts: 1 and true are not",
         {{under, "1"}, {strike, "true"}, {italic, f}},
         true,
         0,
         kSongTi,
         0,
         true,
         false,
         true,
         true},
        {"all six",
         {{size, "12"}, {name, "\xbf\xac\xcc\xe5"}, {bold, t}, {under, t}, {strike, t}, {italic, t}},
         true,
         700,
         L"楷体",
         12,
         true,
         true,
         true,
         true},
    };
    const int dpi = ScreenPixelsPerInch();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SheetHost host;
        EditorBook pages(host, 3);
        for (int page = 1; page <= 3; ++page) {
            if (c.regularFirst) ApplyEditorFont(pages.Editor(page), 9, "Arial", false, true, false, true);
        }
        FakeProfile profile(c.settings);
        KeptFont kept;
        ApplyStoredFont(profile, pages.book, kept);

        EXPECT_EQ(kept.size, c.size);
        EXPECT_EQ(kept.stored, c.stored);
        for (int page = 1; page <= 3; ++page) {
            SCOPED_TRACE(testing::Message() << "page " << page);
            const LOGFONTW font = EditorFont(pages.Editor(page));
            EXPECT_EQ(font.lfWeight, c.weight);
            EXPECT_EQ(std::wstring(font.lfFaceName), c.face);
            EXPECT_EQ(font.lfHeight, c.size == 0 ? 0 : -MulDiv(c.size, dpi, 72));
            EXPECT_EQ(font.lfUnderline != 0, c.underline);
            EXPECT_EQ(font.lfStrikeOut != 0, c.strikeout);
            EXPECT_EQ(font.lfItalic != 0, c.italic);
        }
    }
}

TEST(ApplyStoredFont, WithNoPagesOnlyKeepsTheValues) {
    SheetHost host;
    EditorBook pages(host, 0);
    FakeProfile profile({{std::string(keys::kFontSize), "14"}, {std::string(keys::kFontName), "\xbf\xac\xcc\xe5"}});
    KeptFont kept{3, "old", false};
    ApplyStoredFont(profile, pages.book, kept);
    EXPECT_EQ(kept.size, 14);
    EXPECT_EQ(kept.faceName, "\xbf\xac\xcc\xe5");
    EXPECT_TRUE(kept.stored);

    FakeProfile empty({});
    ApplyStoredFont(empty, pages.book, kept);
    EXPECT_EQ(kept.size, 0);
    EXPECT_EQ(kept.faceName, "");
    EXPECT_FALSE(kept.stored);
}

} // namespace
} // namespace editor_test
