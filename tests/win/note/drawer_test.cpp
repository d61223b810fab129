// The drawer: 15 ticks each way, the labels, the settings window, and a click mid-slide.
#include "note_fixture.h"

#include "ui/note/drawer.h"

namespace {

int LeftOf(HWND hwnd) {
    RECT r;
    GetWindowRect(hwnd, &r);
    POINT at{r.left, r.top};
    if (HWND parent = GetParent(hwnd)) ScreenToClient(parent, &at);
    return at.x;
}

class DrawerTest : public NoteTest {
protected:
    void SetUp() override {
        NoteTest::SetUp();
        Start();
        startLeft = LeftOf(note().controls.window);
    }
    bool LabelsVisible() {
        int visible = 0;
        for (HWND label : ToolbarLabels(note().controls)) visible += IsWindowVisible(label) ? 1 : 0;
        EXPECT_TRUE(visible == 0 || visible == 6) << visible;
        return visible == 6;
    }
    // Runs ticks by hand, as the timers would, until both timers stop.
    int RunTicks() {
        int ticks = 0;
        while ((program->slideOut.Period() > 0 || program->slideBack.Period() > 0) && ticks < 100) {
            if (program->slideOut.Period() > 0) OnSlideOutTick(*program);
            if (program->slideBack.Period() > 0) OnSlideBackTick(*program);
            ++ticks;
        }
        return ticks;
    }
    void ExpectIn() {
        EXPECT_EQ(LeftOf(note().controls.sheet), 54);
        EXPECT_EQ(LeftOf(note().controls.barButton), 8);
        EXPECT_EQ(LeftOf(note().controls.window), startLeft);
        EXPECT_TRUE(LabelsVisible());
    }
    void ExpectOut() {
        EXPECT_EQ(LeftOf(note().controls.sheet), 204);
        EXPECT_EQ(LeftOf(note().controls.barButton), 158);
        EXPECT_EQ(LeftOf(note().controls.window), startLeft + 150);
        EXPECT_FALSE(LabelsVisible());
    }
    int startLeft = 0;
};

TEST_F(DrawerTest, SlidesOutAndBackInFifteenTicksEachWay) {
    OnBarButtonClick(*program);
    EXPECT_FALSE(LabelsVisible()); // hidden at once
    EXPECT_EQ(program->slideOut.Period(), 10);
    EXPECT_EQ(RunTicks(), 15);
    ExpectOut();
    EXPECT_EQ(LeftOf(note().controls.window), GetSystemMetrics(SM_CXSCREEN) - 205);

    OnBarButtonClick(*program);
    EXPECT_EQ(program->slideBack.Period(), 10);
    EXPECT_EQ(RunTicks(), 15);
    ExpectIn();
}

TEST_F(DrawerTest, RealTimersBringItToRest) {
    OnBarButtonClick(*program);
    Pump(800);
    ExpectOut();
    OnBarButtonClick(*program);
    Pump(1000);
    ExpectIn();
}

// A click while the note moves turns it round; whatever the moment, it comes to rest in or out.
TEST_F(DrawerTest, AClickMidSlideReverses) {
    for (int clickAfter = 0; clickAfter <= 15; ++clickAfter) {
        SCOPED_TRACE(clickAfter);
        OnBarButtonClick(*program);
        for (int i = 0; i < clickAfter && program->slideOut.Period() > 0; ++i) OnSlideOutTick(*program);
        bool stillMoving = program->slideOut.Period() > 0;
        OnBarButtonClick(*program);
        RunTicks();
        if (stillMoving || clickAfter == 15) {
            // Reversed mid-way, or sent back after arriving: back in.
            ExpectIn();
        }
        if (LeftOf(note().controls.barButton) != 8) {
            OnBarButtonClick(*program);
            RunTicks();
        }
        ExpectIn();
    }
}

TEST_F(DrawerTest, TheBarButtonHidesTheSettingsWindow) {
    ShowWindow(note().controls.settingsWindow, SW_SHOWNA);
    OnBarButtonClick(*program);
    EXPECT_FALSE(IsWindowVisible(note().controls.settingsWindow));
    RunTicks();
    ShowWindow(note().controls.settingsWindow, SW_SHOWNA);
    OnBarButtonClick(*program);
    EXPECT_FALSE(IsWindowVisible(note().controls.settingsWindow));
    RunTicks();
    ExpectIn();
}

} // namespace
