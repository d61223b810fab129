// The note window under Wine: start-up from stored files, the toolbar, sounds, the notice,
// the autosave cadence, session end and the save-failure notice.
#include "note_fixture.h"

#include "assets/click_sound.h"
#include "ui/note/picture_control.h"

#include <atomic>
#include <vector>

namespace {

std::vector<HWND> VisibleEditors(const Note& note) {
    std::vector<HWND> found;
    for (HWND child = GetWindow(note.controls.sheet, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (lstrcmpiW(cls, L"Edit") == 0 && child != note.controls.templateEditor && IsWindowVisible(child))
            found.push_back(child);
    }
    return found;
}

struct StartCase {
    const char* name;
    std::string file;
    std::vector<std::u16string> pages;
    std::wstring counter;
};

TEST_F(NoteTest, StartsFromTheStoredPages) {
    const StartCase cases[] = {
        {"no file", "", {u""}, L"1/1"},
        {"three pages", PagesFile("a||||c||", "3"), {u"a", u"", u"c"}, L"3/3"},
        {"surplus items", PagesFile("a||b||c||", "2"), {u"a", u"b"}, L"2/2"},
        {"full-width count", PagesFile("a||b||", "\xa3\xb2"), {u"a", u"b"}, L"2/2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        Start(c.file);
        ASSERT_EQ(book().PageCount(), static_cast<int>(c.pages.size()));
        for (size_t i = 0; i < c.pages.size(); ++i) EXPECT_EQ(PageText(static_cast<int>(i) + 1), c.pages[i]);
        EXPECT_EQ(book().CurrentPage(), book().PageCount());
        EXPECT_EQ(WindowText(note().controls.counterLabel), c.counter);
        EXPECT_EQ(VisibleEditors(note()).size(), 1u);
        // The last page has the keyboard.
        ASSERT_EQ(VisibleEditors(note()).size(), 1u);
        EXPECT_EQ(GetFocus(), VisibleEditors(note())[0]);
        // What the note shows is what the file holds.
        std::string expectedContent;
        for (const auto& p : c.pages) expectedContent += std::string(p.begin(), p.end()) + "||";
        EXPECT_EQ(program->store.Read(keys::kContentSection, keys::kContent), expectedContent);
    }
}

TEST_F(NoteTest, WindowAndControlsSitWhereDesigned) {
    Start();
    RECT window;
    GetWindowRect(note().controls.window, &window);
    EXPECT_EQ(window.left, GetSystemMetrics(SM_CXSCREEN) - 355);
    EXPECT_EQ(window.top, 100);
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 250);
    EXPECT_TRUE(GetWindowLongW(note().controls.window, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLongW(note().controls.window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(GetWindowLongW(note().controls.window, GWL_STYLE) & WS_CAPTION);
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(note().controls.window, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 0, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));

    struct Place {
        HWND hwnd;
        int left, top, width, height;
        std::wstring text;
    };
    const NoteControls& c = note().controls;
    const Place places[] = {
        {c.sheet, 54, -1, 300, 245, L""},           {c.templateEditor, 18, 14, 272, 208, L""},
        {c.notice, 50, 97, 184, 32, L"只剩一页了，不能删除！"}, {c.bottomStrip, 42, 219, 216, 24, L""},
        {c.previousLabel, 99, 225, 40, 16, L"上一页"}, {c.newLabel, 145, 225, 26, 16, L"新建"},
        {c.counterLabel, 182, 225, 35, 16, L"1/1"},    {c.deleteLabel, 234, 225, 26, 16, L"删除"},
        {c.nextLabel, 266, 225, 40, 16, L"下一页"},     {c.settingsLabel, 310, 225, 28, 16, L"设置"},
        {c.barButton, 8, 25, 53, 32, L""},
    };
    for (const Place& p : places) {
        RECT r;
        GetWindowRect(p.hwnd, &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(p.hwnd), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, p.left) << WindowText(p.hwnd).size();
        EXPECT_EQ(r.top, p.top);
        EXPECT_EQ(r.right - r.left, p.width);
        EXPECT_EQ(r.bottom - r.top, p.height);
        EXPECT_EQ(WindowText(p.hwnd), p.text);
    }
    // Stacking, top to bottom: 设置, 下一页, 删除, counter, 新建, 上一页, bar button, sheet.
    std::vector<HWND> order;
    for (HWND child = GetWindow(c.window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) order.push_back(child);
    EXPECT_EQ(order, (std::vector<HWND>{c.settingsLabel, c.nextLabel, c.deleteLabel, c.counterLabel, c.newLabel,
                                        c.previousLabel, c.barButton, c.sheet}));
    EXPECT_FALSE(IsWindowVisible(c.notice));
    EXPECT_FALSE(IsWindowVisible(c.templateEditor));
    EXPECT_EQ(ControlPictureName(c.sheet), "white1");
    EXPECT_EQ(ControlPictureName(c.barButton), "red2");
}

TEST_F(NoteTest, StoredSkinsKeepOnTopAndMuteAreApplied) {
    Start(SettingsFile("\xb1\xb3\xbe\xb0=blue1\r\n\xb2\xbc\xcc\xf5=x2\r\n\xb1\xa3\xb3\xd6\xd7\xee\xc7\xb0=\xd5\xe6\r\n"
                       "\xbe\xb2\xd2\xf4=\xd5\xe6\r\n"));
    EXPECT_EQ(ControlPictureName(note().controls.sheet), "blue1");
    EXPECT_EQ(ControlPictureName(note().controls.barButton), "x2");
    EXPECT_TRUE(GetWindowLongW(note().controls.window, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(note().muteSetting, "\xd5\xe6");
}

// Records what would have been played.
struct RecordingOutput : SoundOutput {
    std::atomic<int> plays{0};
    bool Play(const WaveFormat&, std::span<const std::byte>) override {
        ++plays;
        return true;
    }
    void Stop() override {}
};

TEST_F(NoteTest, LabelsRunThePageOperationsAndSoundsFollowTheMuteText) {
    RecordingOutput output;
    SetSoundOutputForTesting(&output);
    const char* mutes[] = {"\xd5\xe6", "\xbc\xd9", "", "1", "true"};
    for (const char* mute : mutes) {
        SCOPED_TRACE(mute);
        TearDown();
        SetUp();
        Start(PagesFile("a||b||c||", "3") + SettingsFile(std::string("\xbe\xb2\xd2\xf4=") + mute + "\r\n"));
        output.plays = 0;
        const NoteControls& c = note().controls;
        Press(c.previousLabel);
        EXPECT_EQ(book().CurrentPage(), 2);
        EXPECT_EQ(WindowText(c.counterLabel), L"2/3");
        Press(c.counterLabel); // does nothing
        Press(c.newLabel);
        EXPECT_EQ(book().PageCount(), 4);
        EXPECT_EQ(WindowText(c.counterLabel), L"3/4");
        Press(c.deleteLabel);
        EXPECT_EQ(book().PageCount(), 3);
        Press(c.nextLabel); // already on the last page: nothing happens
        EXPECT_EQ(book().CurrentPage(), 3);
        Pump(300);
        bool muted = std::string(mute) == "\xd5\xe6";
        // 上一页 and 删除 play; 新建, the counter and a 下一页 that changes nothing do not.
        EXPECT_EQ(output.plays.load(), muted ? 0 : 2);
        EXPECT_EQ(program->store.Read(keys::kContentSection, keys::kPageCount), "3");
    }
    SetSoundOutputForTesting(nullptr);
}

// The notice waits 500 ms while events run; a second 删除 inside shows it again and the
// notice goes 500 ms after the last press.
TEST_F(NoteTest, OnePageNoticeShowsWhileEventsRun) {
    Start(PagesFile("only||", "1"));
    static NoteTest* self;
    static int seenVisible, nestedPresses;
    self = this;
    seenVisible = nestedPresses = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR, DWORD) {
        if (IsWindowVisible(self->note().controls.notice)) ++seenVisible;
        if (nestedPresses == 0) {
            ++nestedPresses;
            self->Press(self->note().controls.deleteLabel);
        }
    });
    ULONGLONG start = GetTickCount64();
    Press(note().controls.deleteLabel);
    ULONGLONG elapsed = GetTickCount64() - start;
    KillTimer(nullptr, timer);
    EXPECT_GE(elapsed, 600u);
    EXPECT_GE(seenVisible, 2);
    EXPECT_EQ(nestedPresses, 1);
    EXPECT_FALSE(IsWindowVisible(note().controls.notice));
    EXPECT_EQ(book().PageCount(), 1);
    EXPECT_EQ(PageText(1), u"only");
}

TEST_F(NoteTest, AutosaveRunsEvery30SecondsUntilTheNoteHasHadTheFocus) {
    Start();
    SetFocus(nullptr);
    TimerSlot& autosave = program->autosave;
    // Activation at start-up already counts; check the rule on a fresh program state.
    program->hadFocus = false;
    autosave.SetPeriod(30000);
    EXPECT_EQ(autosave.Period(), 30000);
    SendMessageW(note().controls.window, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), 0);
    EXPECT_EQ(autosave.Period(), 100);
    EXPECT_TRUE(program->hadFocus);

    // Typing is saved within a tick or two; an idle note writes nothing.
    book().Editor(1).SetText(u"typed");
    Pump(400);
    EXPECT_EQ(program->store.Read(keys::kContentSection, keys::kContent), "typed||");
    FileStamp before = program->store.Stamp();
    Pump(400);
    EXPECT_EQ(program->store.Stamp(), before);
}

TEST(TimerSlot, PeriodRules) {
    TimerSlot slot(7, 0);
    slot.SetPeriod(-5);
    EXPECT_EQ(slot.Period(), 0);
    slot.SetPeriod(10);
    EXPECT_EQ(slot.Period(), 10);
    slot.SetPeriod(10);
    EXPECT_EQ(slot.Period(), 10);
    slot.SetPeriod(0);
    EXPECT_EQ(slot.Period(), 0);
}

TEST_F(NoteTest, SessionEndSavesWhatWasJustTyped) {
    for (UINT message : {WM_QUERYENDSESSION, WM_ENDSESSION}) {
        TearDown();
        SetUp();
        Start(PagesFile("old||", "1"));
        program->autosave.SetPeriod(0); // only the session end may save
        book().Editor(1).SetText(u"just typed");
        SendMessageW(note().controls.window, message, TRUE, ENDSESSION_CLOSEAPP);
        EXPECT_EQ(program->store.Read(keys::kContentSection, keys::kContent), "just typed||");
    }
}

TEST_F(NoteTest, AFailingSaveShowsANoticeUntilTheNextGoodSave) {
    Start(PagesFile("old||", "1"));
    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    book().Editor(1).SetText(u"new text");
    Pump(400);
    EXPECT_TRUE(IsWindowVisible(program->saveNotice));
    EXPECT_EQ(WindowText(program->saveNotice), L"无法保存：配置文件只读");
    EXPECT_EQ(ReadBytes(file), PagesFile("old||", "1"));
    EXPECT_EQ(PageText(1), u"new text");

    SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    Pump(400);
    EXPECT_FALSE(IsWindowVisible(program->saveNotice));
    EXPECT_EQ(ReadBytes(file), PagesFile("new text||", "1"));
}

TEST_F(NoteTest, CloseRequestEndsTheProgramThroughTheExitPath) {
    Start();
    SendMessageW(note().controls.window, WM_CLOSE, 0, 0);
    EXPECT_EQ(exitCalls, 1);
    EXPECT_TRUE(IsWindow(note().controls.window));
}

} // namespace

namespace {

LOGFONTW FontOf(HWND editor) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(editor, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

TEST_F(NoteTest, AStoredFontReachesEveryPageAndNewPagesTakeIt) {
    // 字体大小=12, 字体名称=宋体, 加粗=假
    Start(PagesFile("a||b||c||", "3") +
          SettingsFile("\xd7\xd6\xcc\xe5\xb4\xf3\xd0\xa1=12\r\n\xd7\xd6\xcc\xe5\xc3\xfb\xb3\xc6=\xcb\xce\xcc\xe5\r\n"
                       "\xbc\xd3\xb4\xd6=\xbc\xd9\r\n"));
    HDC screen = GetDC(nullptr);
    LONG height = -MulDiv(12, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    Press(note().controls.previousLabel);
    Press(note().controls.newLabel); // inserted between pages 2 and 3
    ASSERT_EQ(book().PageCount(), 4);
    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        LOGFONTW font = FontOf(EditorWindow(book().Editor(page)));
        EXPECT_STREQ(font.lfFaceName, L"宋体");
        EXPECT_EQ(font.lfHeight, height);
        EXPECT_EQ(font.lfWeight, 700); // 加粗=假 leaves the template's bold alone
    }
}

TEST_F(NoteTest, AFirstRunKeepsTheTemplateFont) {
    Start(PagesFile("a||b||", "2"));
    Press(note().controls.newLabel);
    for (int page = 1; page <= 3; ++page) {
        LOGFONTW font = FontOf(EditorWindow(book().Editor(page)));
        EXPECT_STREQ(font.lfFaceName, L"张海山锐线体简");
        EXPECT_EQ(font.lfHeight, -21);
        EXPECT_EQ(font.lfWeight, 700);
    }
}

} // namespace
