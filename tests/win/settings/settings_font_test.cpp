// 字体设置 with the chooser behind its seam: the font on every page, the six keys, the page
// turn forth and back, and a Cancel that changes nothing.
#include "note_fixture.h"

#include "model/text_services.h"

namespace settings_test {
namespace {

FontChoice Chosen() {
    FontChoice choice;
    choice.colour = RGB(255, 0, 0);
    choice.bold = false;
    choice.italic = true;
    choice.strikeout = true;
    choice.underline = false;
    choice.faceName = Ansi(L"黑体");
    choice.size = 14;
    return choice;
}

std::string AfterChosen(const std::string& before) {
    std::string bytes = WithValue(before, keys::kFontSize, "14");
    bytes = WithValue(bytes, keys::kFontName, Ansi(L"黑体"));
    bytes = WithValue(bytes, keys::kBold, keys::kFalse);
    bytes = WithValue(bytes, keys::kUnderline, keys::kFalse);
    bytes = WithValue(bytes, keys::kStrikeout, keys::kTrue);
    return WithValue(bytes, keys::kItalic, keys::kTrue);
}

// The turn forth and back after the font: where the note ends and how many page-turn sounds.
TEST_F(SettingsTest, FontOkDressesEveryPageStoresSixKeysAndTurnsForthAndBack) {
    struct Case {
        int pages, current;
        int endPage, sounds;
    };
    const Case cases[] = {
        {1, 1, 1, 0}, // nothing to turn to
        {2, 1, 1, 2}, {3, 1, 1, 2},
        {3, 2, 2, 2}, {2, 2, 1, 1}, // on the last page 下一页 does nothing and 上一页 moves back
        {3, 3, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.pages) + " pages on page " + std::to_string(c.current));
        TearDown();
        SetUp();
        MakePages(c.pages, c.current);
        chooserAnswer = Chosen();

        Click(kFontButtonId);

        EXPECT_EQ(chooserOwner, settings);
        EXPECT_EQ(FileBytes(), AfterChosen(InitialFile()));
        EXPECT_EQ(book->CurrentPage(), c.endPage);
        EXPECT_EQ(PageTurnSounds(), c.sounds);
        EXPECT_EQ(CounterText(), std::to_wstring(c.endPage) + L"/" + std::to_wstring(c.pages));
        for (int page = 1; page <= c.pages; ++page) {
            SCOPED_TRACE(page);
            HWND editor = EditorWindow(book->Editor(page));
            LOGFONTW font = FontOf(editor);
            EXPECT_STREQ(font.lfFaceName, L"黑体");
            EXPECT_EQ(font.lfHeight, -MulDiv(14, ScreenDpiY(), 72));
            EXPECT_EQ(font.lfWeight, 0);
            EXPECT_TRUE(font.lfItalic);
            EXPECT_TRUE(font.lfStrikeOut);
            EXPECT_FALSE(font.lfUnderline);
            EXPECT_EQ(IsWindowVisible(editor) != 0, page == c.endPage);
        }
    }
}

TEST_F(SettingsTest, FontCancelChangesNothing) {
    for (int current : {1, 3}) {
        SCOPED_TRACE(current);
        TearDown();
        SetUp();
        MakePages(3, current);
        std::vector<LOGFONTW> before;
        for (int page = 1; page <= 3; ++page)
            before.push_back(FontOf(EditorWindow(book->Editor(page))));
        std::wstring counter = CounterText();
        chooserAnswer.reset();

        Click(kFontButtonId);

        ASSERT_EQ(presets.size(), 1u);
        EXPECT_EQ(FileBytes(), InitialFile());
        EXPECT_EQ(book->CurrentPage(), current);
        EXPECT_EQ(CounterText(), counter);
        EXPECT_TRUE(sounds.empty());
        for (int page = 1; page <= 3; ++page) {
            LOGFONTW font = FontOf(EditorWindow(book->Editor(page)));
            EXPECT_EQ(memcmp(&font, &before[static_cast<size_t>(page - 1)], sizeof font), 0) << "page " << page;
        }
    }
}

// The chooser keeps its values for the run: the first opening starts empty, each later one
// from the last OK, and a Cancel does not disturb them.
TEST_F(SettingsTest, ChooserOpensFromItsHeldValues) {
    MakePages(1, 1);
    chooserAnswer = Chosen();
    Click(kFontButtonId);
    chooserAnswer.reset();
    Click(kFontButtonId);
    Click(kFontButtonId);

    ASSERT_EQ(presets.size(), 3u);
    const FontChoice& first = presets[0];
    EXPECT_EQ(first.colour, 0u);
    EXPECT_FALSE(first.bold || first.italic || first.strikeout || first.underline);
    EXPECT_EQ(first.faceName, "");
    EXPECT_EQ(first.size, 0);
    for (size_t i : {1u, 2u}) {
        SCOPED_TRACE(i);
        EXPECT_EQ(presets[i].colour, RGB(255, 0, 0));
        EXPECT_EQ(presets[i].faceName, Ansi(L"黑体"));
        EXPECT_EQ(presets[i].size, 14);
        EXPECT_TRUE(presets[i].italic && presets[i].strikeout);
        EXPECT_FALSE(presets[i].bold || presets[i].underline);
    }
}

// The colour chosen in the dialog's effects area goes nowhere: not into the file (whose
// bytes are exactly the six keys' change) and not into the editors' colour.
TEST_F(SettingsTest, ChosenColourReachesNeitherFileNorEditors) {
    MakePages(2, 1);
    HWND editor = EditorWindow(book->Editor(1));
    HDC dc = GetDC(editor);
    SendMessageW(note.controls.sheet, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(editor));
    COLORREF textBefore = GetTextColor(dc);
    ReleaseDC(editor, dc);

    FontChoice choice = Chosen();
    choice.colour = RGB(12, 34, 56);
    chooserAnswer = choice;
    Click(kFontButtonId);

    EXPECT_EQ(FileBytes(), AfterChosen(InitialFile()));
    EXPECT_EQ(FileBytes().find(IntToText(RGB(12, 34, 56))), std::string::npos);
    dc = GetDC(editor);
    SendMessageW(note.controls.sheet, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(editor));
    EXPECT_EQ(GetTextColor(dc), textBefore);
    ReleaseDC(editor, dc);
}

// An empty face and size 0 (the chooser confirmed with nothing picked) are stored as they
// are; the editors fall back to 宋体 at the mapper's default height.
TEST_F(SettingsTest, EmptyChoiceIsStoredAsItIs) {
    MakePages(1, 1);
    chooserAnswer = FontChoice{};
    Click(kFontButtonId);
    std::string expected = WithValue(InitialFile(), keys::kFontSize, "0");
    expected = WithValue(expected, keys::kFontName, "");
    for (auto key : {keys::kBold, keys::kUnderline, keys::kStrikeout, keys::kItalic})
        expected = WithValue(expected, key, keys::kFalse);
    EXPECT_EQ(FileBytes(), expected);
    LOGFONTW font = FontOf(EditorWindow(book->Editor(1)));
    EXPECT_STREQ(font.lfFaceName, L"宋体");
    EXPECT_EQ(font.lfHeight, 0);
}

} // namespace
} // namespace settings_test
