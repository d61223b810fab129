#include "ui/note/drawer.h"

#include "ui/note/label.h"
#include "ui/note/note_window.h"
#include "ui/note/toolbar.h"
#include "ui/settings/settings_window.h"

namespace {
constexpr int kInSheetLeft = 54;
constexpr int kInBarLeft = 8;
constexpr int kOutSheetLimit = 200;
constexpr int kStep = 10;
constexpr int kTick = 10;

POINT PositionOf(HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    POINT at{rect.left, rect.top};
    if (HWND parent = GetParent(child)) ScreenToClient(parent, &at);
    return at;
}

void MoveBy(HWND hwnd, int dx) {
    POINT at = PositionOf(hwnd);
    SetWindowPos(hwnd, nullptr, at.x + dx, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MoveAll(NoteProgram& program, int dx) {
    const NoteControls& c = program.note.controls;
    MoveBy(c.sheet, dx);
    MoveBy(c.barButton, dx);
    MoveBy(c.window, dx);
}

void ShowToolbar(const NoteControls& controls, bool visible) {
    for (HWND label : ToolbarLabels(controls)) ShowLabel(label, visible);
}
} // namespace

void OnBarButtonClick(NoteProgram& program) {
    const NoteControls& c = program.note.controls;
    // A click while the note moves turns it round, so the drawer always comes to rest in or out.
    int sheetLeft = PositionOf(c.sheet).x;
    if (program.slideOut.Period() > 0) {
        program.slideOut.SetPeriod(0);
        if (sheetLeft <= kInSheetLeft)
            ShowToolbar(c, true); // turned round before the first step: simply in again
        else
            program.slideBack.SetPeriod(kTick);
    } else if (program.slideBack.Period() > 0) {
        program.slideBack.SetPeriod(0);
        if (sheetLeft <= kOutSheetLimit) program.slideOut.SetPeriod(kTick);
    } else if (PositionOf(c.barButton).x == kInBarLeft) {
        program.slideOut.SetPeriod(kTick);
        ShowToolbar(c, false);
    } else {
        program.slideBack.SetPeriod(kTick);
    }
    HideSettingsWindow(program.note);
}

void OnSlideOutTick(NoteProgram& program) {
    MoveAll(program, kStep);
    if (PositionOf(program.note.controls.sheet).x > kOutSheetLimit) program.slideOut.SetPeriod(0);
}

void OnSlideBackTick(NoteProgram& program) {
    MoveAll(program, -kStep);
    if (PositionOf(program.note.controls.sheet).x > kInSheetLeft) return;
    program.slideBack.SetPeriod(0);
    WaitProcessingEvents(200);
    // The labels come back only if the note is still at rest inside (a click in the pause may
    // have sent it out again).
    const NoteControls& c = program.note.controls;
    if (program.slideOut.Period() == 0 && program.slideBack.Period() == 0 && PositionOf(c.barButton).x == kInBarLeft)
        ShowToolbar(c, true);
}
