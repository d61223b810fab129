// The settings window's layout, swatches, closing, saving and hiding, against a real note.
#include "note_fixture.h"

#include "assets/skin_table.h"

#include <cstdio>

namespace settings_test {
namespace {

RECT ClientRectOf(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring TextOf(HWND hwnd) {
    wchar_t text[64] = {};
    GetWindowTextW(hwnd, text, 64);
    return text;
}

int SwatchId(std::string_view colourName) {
    auto table = SkinTable();
    for (size_t i = 0; i < table.size(); ++i)
        if (table[i].colourName == colourName) return kFirstSwatchId + static_cast<int>(i);
    return -1;
}

TEST_F(SettingsTest, WindowIsAHiddenFixedTopmostToolWindowOfTheDesignedSize) {
    EXPECT_FALSE(IsWindowVisible(settings));
    RECT outer;
    GetWindowRect(settings, &outer);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(outer.right - outer.left, 306);
    EXPECT_EQ(outer.bottom - outer.top, 182);
    LONG_PTR style = GetWindowLongPtrW(settings, GWL_STYLE);
    LONG_PTR exStyle = GetWindowLongPtrW(settings, GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU), WS_POPUP | WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_TOPMOST), WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
    EXPECT_EQ(TextOf(settings), L"");
    EXPECT_EQ(GetClassLongPtrW(settings, GCLP_HBRBACKGROUND), static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
    EXPECT_NE(SendMessageW(settings, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageW(settings, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(note.controls.settingsWindow, settings);
}

TEST_F(SettingsTest, ButtonsAndBoxesSitAtTheirPlacesWithTheirTexts) {
    struct Case {
        int id;
        const wchar_t* text;
        LONG_PTR kind;
        RECT rect;
    };
    const Case cases[] = {
        {kKeepOnTopBoxId, L"便签保持最前", BS_AUTOCHECKBOX, {16, 8, 112, 32}},
        {kMuteBoxId, L"静音", BS_AUTOCHECKBOX, {16, 40, 96, 56}},
        {kFontButtonId, L"字体设置", BS_PUSHBUTTON, {87, 34, 143, 58}},
        {kStartupButtonId, L"开机自启", BS_PUSHBUTTON, {158, 33, 216, 57}},
        {kInstructionsButtonId, L"说明", BS_PUSHBUTTON, {239, 8, 295, 32}},
        {kSupportButtonId, L"支持作者\r\n", BS_PUSHBUTTON, {239, 41, 295, 65}},
        {kExitButtonId, L"退出程序", BS_PUSHBUTTON, {239, 74, 295, 98}},
        {kSaveButtonId, L"保存", BS_PUSHBUTTON, {239, 106, 295, 130}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = Control(c.id);
        ASSERT_NE(control, nullptr);
        RECT rect = ClientRectOf(control);
        EXPECT_EQ(rect.left, c.rect.left);
        EXPECT_EQ(rect.top, c.rect.top);
        EXPECT_EQ(rect.right, c.rect.right);
        EXPECT_EQ(rect.bottom, c.rect.bottom);
        EXPECT_EQ(TextOf(control), c.text);
        LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
        EXPECT_EQ(style & BS_TYPEMASK, c.kind);
        EXPECT_TRUE(style & WS_TABSTOP);
        EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
    }
    EXPECT_FALSE(Ticked(kKeepOnTopBoxId));
    EXPECT_FALSE(Ticked(kMuteBoxId));
}

TEST_F(SettingsTest, CaptionsAndSwatchesSitAtTheirPlaces) {
    struct Place {
        int id;
        int left, top, width, height;
    };
    const Place places[] = {
        {kBackgroundCaptionId, 16, 80, 64, 16}, {kBarCaptionId, 16, 112, 64, 16},
        {SwatchId("white1"), 80, 79, 16, 16},   {SwatchId("blue1"), 104, 79, 16, 16},
        {SwatchId("green1"), 129, 79, 16, 16},  {SwatchId("red1"), 153, 79, 16, 16},
        {SwatchId("yellow1"), 176, 79, 16, 16}, {SwatchId("x1"), 200, 79, 16, 16},
        {SwatchId("blue2"), 104, 112, 16, 16},  {SwatchId("green2"), 128, 112, 16, 16},
        {SwatchId("red2"), 152, 112, 16, 16},   {SwatchId("yellow2"), 176, 112, 16, 16},
        {SwatchId("x2"), 200, 112, 16, 16},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.id);
        HWND control = Control(p.id);
        ASSERT_NE(control, nullptr);
        RECT rect = ClientRectOf(control);
        EXPECT_EQ(rect.left, p.left);
        EXPECT_EQ(rect.top, p.top);
        EXPECT_EQ(rect.right - rect.left, p.width);
        EXPECT_EQ(rect.bottom - rect.top, p.height);
        EXPECT_TRUE(GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE);
    }
    for (const SkinEntry& skin : SkinTable())
        EXPECT_TRUE(GetWindowLongPtrW(Control(SwatchId(skin.colourName)), GWL_STYLE) & WS_BORDER) << skin.colourName;
    EXPECT_EQ(TextOf(Control(kBackgroundCaptionId)), L"背景颜色：");
    EXPECT_EQ(TextOf(Control(kBarCaptionId)), L"布条颜色：");
}

// Each swatch acts on the press alone: its skin goes on its own control, its one key is
// written, the labels are up again and the window stays open.
TEST_F(SettingsTest, SwatchPressSetsItsSkinAndWritesOnlyItsKey) {
    ShowSettingsWindow(note);
    for (const SkinEntry& skin : SkinTable()) {
        SCOPED_TRACE(std::string(skin.colourName));
        bool background = skin.kind == SkinKind::Background;
        std::string before = FileBytes();
        std::string sheetBefore(ControlPictureName(note.controls.sheet));
        std::string barBefore(ControlPictureName(note.controls.barButton));
        ShowLabel(note.controls.counterLabel, false);

        SendMessageW(Control(SwatchId(skin.colourName)), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 8));

        std::string_view key = background ? keys::kBackground : keys::kBar;
        EXPECT_EQ(FileBytes(), WithValue(before, key, skin.colourName));
        EXPECT_EQ(ControlPictureName(background ? note.controls.sheet : note.controls.barButton), skin.colourName);
        EXPECT_EQ(ControlPictureName(background ? note.controls.barButton : note.controls.sheet),
                  background ? barBefore : sheetBefore);
        for (HWND label : ToolbarLabels(note.controls))
            EXPECT_TRUE(IsWindowVisible(label));
        EXPECT_TRUE(IsWindowVisible(settings));
    }
}

TEST_F(SettingsTest, PressingTheShownSkinAgainWritesItAgain) {
    SendMessageW(Control(SwatchId("x2")), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    WriteBytes(file, WithValue(FileBytes(), keys::kBar, "tampered"));
    SendMessageW(Control(SwatchId("x2")), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(FileBytes(), WithValue(InitialFile(), keys::kBar, "x2"));
}

// Every way of asking the window to close runs the close routine, and the window survives.
TEST_F(SettingsTest, CloseRequestsStoreBothBoxesApplyKeepOnTopAndHide) {
    struct Way {
        const char* name;
        std::function<void(HWND settings)> close;
    };
    // Showing a window costs Wine a round trip to the X server, so the Esc cases on the
    // controls run on the hidden window, each with one box state.
    const Way ways[] = {
        {"close message", [](HWND w) { SendMessageW(w, WM_CLOSE, 0, 0); }},
        {"close box", [](HWND w) { SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Esc on the window", [](HWND w) { SendMessageW(w, WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on the keep-on-top box",
         [](HWND w) { SendMessageW(GetDlgItem(w, kKeepOnTopBoxId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on the mute box", [](HWND w) { SendMessageW(GetDlgItem(w, kMuteBoxId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 字体设置", [](HWND w) { SendMessageW(GetDlgItem(w, kFontButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 开机自启", [](HWND w) { SendMessageW(GetDlgItem(w, kStartupButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 说明", [](HWND w) { SendMessageW(GetDlgItem(w, kInstructionsButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 支持作者", [](HWND w) { SendMessageW(GetDlgItem(w, kSupportButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 退出程序", [](HWND w) { SendMessageW(GetDlgItem(w, kExitButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"Esc on 保存", [](HWND w) { SendMessageW(GetDlgItem(w, kSaveButtonId), WM_KEYDOWN, VK_ESCAPE, 0); }},
    };
    const std::string muteBefore = note.muteSetting;
    for (size_t i = 0; i < std::size(ways); ++i) {
        const Way& way = ways[i];
        SCOPED_TRACE(way.name);
        bool windowLevel = i < 3;
        for (bool on : {true, false}) {
            if (!windowLevel && on != (i % 2 == 0)) continue;
            WriteBytes(file, InitialFile());
            if (windowLevel) ShowSettingsWindow(note);
            Tick(kKeepOnTopBoxId, on);
            Tick(kMuteBoxId, on);

            way.close(settings);

            std::string expected = WithValue(InitialFile(), keys::kKeepOnTop, keys::BoolText(on));
            expected = WithValue(expected, keys::kMute, keys::BoolText(on));
            EXPECT_EQ(FileBytes(), expected);
            EXPECT_EQ(IsTopmost(note.controls.window), on);
            EXPECT_TRUE(IsWindow(settings));
            EXPECT_FALSE(IsWindowVisible(settings));
            EXPECT_EQ(note.muteSetting, muteBefore); // only 保存 changes the mute text
            EXPECT_EQ(exitCalls, 0);
        }
    }
}

TEST_F(SettingsTest, TabMovesBetweenTheControlsAndEscFromTheFocusedOneCloses) {
    ShowSettingsWindow(note);
    SetForegroundWindow(settings);
    SetFocus(Control(kKeepOnTopBoxId));
    SendMessageW(Control(kKeepOnTopBoxId), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Control(kMuteBoxId));
    SendMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_FALSE(IsWindowVisible(settings));
    EXPECT_EQ(FileBytes(), InitialFile()); // both boxes unticked: 假 over 假
}

TEST_F(SettingsTest, SaveStoresBothBoxesAndOnlyThenChangesTheMuteText) {
    MakePages(2, 2);
    ShowSettingsWindow(note);
    Tick(kKeepOnTopBoxId, true);
    Tick(kMuteBoxId, true);

    Click(kSaveButtonId);

    std::string expected = WithValue(InitialFile(), keys::kKeepOnTop, keys::kTrue);
    EXPECT_EQ(FileBytes(), WithValue(expected, keys::kMute, keys::kTrue));
    EXPECT_EQ(note.muteSetting, keys::kTrue);
    EXPECT_TRUE(IsTopmost(note.controls.window));
    EXPECT_FALSE(IsWindowVisible(settings));

    ShowSettingsWindow(note);
    Tick(kKeepOnTopBoxId, false);
    Tick(kMuteBoxId, false);
    Click(kSaveButtonId);
    EXPECT_EQ(FileBytes(), InitialFile());
    EXPECT_EQ(note.muteSetting, keys::kFalse);
    EXPECT_FALSE(IsTopmost(note.controls.window));
}

// 保存 first gives every page the stored font: 宋体 12 from the file, styles stored as 假 kept.
TEST_F(SettingsTest, SaveAppliesTheStoredFontToEveryPage) {
    MakePages(2, 2);
    int height = -MulDiv(12, ScreenDpiY(), 72);
    Click(kSaveButtonId);
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        LOGFONTW font = FontOf(EditorWindow(book->Editor(page)));
        EXPECT_STREQ(font.lfFaceName, L"宋体");
        EXPECT_EQ(font.lfHeight, height);
        EXPECT_EQ(font.lfWeight, FW_BOLD); // the template's bold stays: 加粗 is stored as 假
    }
}

TEST_F(SettingsTest, BarButtonHidingStoresNothingAndTheBoxesKeepTheirStates) {
    ShowSettingsWindow(note);
    Tick(kKeepOnTopBoxId, true);
    Tick(kMuteBoxId, true);

    HideSettingsWindow(note);

    EXPECT_FALSE(IsWindowVisible(settings));
    EXPECT_EQ(FileBytes(), InitialFile());
    EXPECT_FALSE(IsTopmost(note.controls.window));
    EXPECT_EQ(note.muteSetting, keys::kFalse);
    ShowSettingsWindow(note);
    EXPECT_TRUE(IsWindowVisible(settings));
    EXPECT_TRUE(Ticked(kKeepOnTopBoxId));
    EXPECT_TRUE(Ticked(kMuteBoxId));
}

TEST_F(SettingsTest, StartUpTicksTheBoxesFromTheStoredValues) {
    SetSettingsBoxes(note, true, false);
    EXPECT_TRUE(Ticked(kKeepOnTopBoxId));
    EXPECT_FALSE(Ticked(kMuteBoxId));
    SetSettingsBoxes(note, false, true);
    EXPECT_FALSE(Ticked(kKeepOnTopBoxId));
    EXPECT_TRUE(Ticked(kMuteBoxId));
    EXPECT_EQ(FileBytes(), InitialFile());
}

TEST_F(SettingsTest, ExitCallsTheProgramsExitAndWritesNothing) {
    ShowSettingsWindow(note);
    Tick(kKeepOnTopBoxId, true);
    Tick(kMuteBoxId, true);
    Click(kExitButtonId);
    EXPECT_EQ(exitCalls, 1);
    EXPECT_EQ(FileBytes(), InitialFile());
}

TEST_F(SettingsTest, InstructionsButtonShowsTheSevenLinesTitled说明) {
    Click(kInstructionsButtonId);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].second, L"说明");
    const std::wstring& text = messages[0].first;
    EXPECT_EQ(std::count(text.begin(), text.end(), L'\n'), 6);
    EXPECT_TRUE(text.starts_with(L"0、不要选择文字"));
    EXPECT_TRUE(text.ends_with(L"九阳豆浆机了。 "));
    EXPECT_EQ(FileBytes(), InitialFile());
}

// The shown window as it is on screen: swatches framed and filled with their table colours.
// The capture is kept beside the tests (settings_window.bmp) for a look.
TEST_F(SettingsTest, ShownWindowDrawsTheSwatchesInTheirColours) {
    ShowSettingsWindow(note);
    UpdateWindow(settings);
    Pump();
    RECT outer;
    GetWindowRect(settings, &outer);
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, outer.left, outer.top, SRCCOPY);
    SelectObject(memory, old);

    POINT origin{0, 0};
    ClientToScreen(settings, &origin);
    auto pixel = [&](int x, int y) {
        auto* row = static_cast<const uint32_t*>(bits) + (origin.y - outer.top + y) * width;
        uint32_t p = row[origin.x - outer.left + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    for (const SkinEntry& skin : SkinTable()) {
        SCOPED_TRACE(std::string(skin.colourName));
        RECT rect = ClientRectOf(Control(SwatchId(skin.colourName)));
        EXPECT_EQ(pixel(rect.left + 8, rect.top + 8), RGB(skin.swatchRed, skin.swatchGreen, skin.swatchBlue));
        EXPECT_EQ(pixel(rect.left + 1, rect.top + 1), RGB(skin.swatchRed, skin.swatchGreen, skin.swatchBlue));
        EXPECT_EQ(pixel(rect.left, rect.top + 8), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(pixel(rect.right - 1, rect.top + 8), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(pixel(rect.left + 8, rect.top), GetSysColor(COLOR_WINDOWFRAME));
        EXPECT_EQ(pixel(rect.left + 8, rect.bottom - 1), GetSysColor(COLOR_WINDOWFRAME));
    }
    EXPECT_EQ(pixel(150, 140), GetSysColor(COLOR_BTNFACE));

    BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
    header.bfSize = header.bfOffBits + static_cast<DWORD>(width * height * 4);
    if (FILE* out = _wfopen(L"settings_window.bmp", L"wb")) {
        fwrite(&header, sizeof header, 1, out);
        fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        fwrite(bits, 4, static_cast<size_t>(width * height), out);
        fclose(out);
    }
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

} // namespace
} // namespace settings_test
