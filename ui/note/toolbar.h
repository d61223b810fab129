#pragma once
// The toolbar labels' presses and the feedback the page operations give: click sounds gated by
// the mute text, the counter, the one-page notice.
#include "model/page_book.h"

#include <windows.h>

struct Note;

void OnPreviousLabelPress(Note& note);
void OnNewLabelPress(Note& note);
void OnDeleteLabelPress(Note& note);
void OnNextLabelPress(Note& note);
void OnSettingsLabelPress(Note& note);

// Plays the page-turn or delete sound unless the mute text is exactly 真.
void PlayPageSound(const Note& note, PageSound sound);
void SetCounterText(const Note& note, const std::string& text);
// Shows 只剩一页了，不能删除！ for 500 ms while events keep being dispatched, then hides it.
void ShowOnePageNotice(const Note& note);

// Dispatches events until the tick count has passed the start by more than ms, sleeping in
// between (no busy loop).  A quit request ends the wait and stays queued.
void WaitProcessingEvents(DWORD ms);
