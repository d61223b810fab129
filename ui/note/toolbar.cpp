#include "ui/note/toolbar.h"

#include "assets/click_sound.h"
#include "model/config_keys.h"
#include "ui/note/label.h"
#include "ui/note/note.h"
#include "ui/settings/settings_window.h"

void OnPreviousLabelPress(Note& note) { note.book->PreviousPage(); }
void OnNewLabelPress(Note& note) { note.book->NewPage(); }
void OnDeleteLabelPress(Note& note) { note.book->DeletePage(); }
void OnNextLabelPress(Note& note) { note.book->NextPage(); }
void OnSettingsLabelPress(Note& note) { ShowSettingsWindow(note); }

void PlayPageSound(const Note& note, PageSound sound) {
    if (keys::IsTrue(note.muteSetting)) return;
    PlayClickSound(sound == PageSound::PageTurn ? ClickSound::PageTurn : ClickSound::Delete);
}

void SetCounterText(const Note& note, const std::string& text) {
    SetLabelText(note.controls.counterLabel, std::wstring(text.begin(), text.end()));
}

void ShowOnePageNotice(const Note& note) {
    ShowLabel(note.controls.notice, true);
    WaitProcessingEvents(500);
    ShowLabel(note.controls.notice, false);
}

void WaitProcessingEvents(DWORD ms) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        ULONGLONG elapsed = GetTickCount64() - start;
        if (elapsed > ms) return;
        MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(ms - elapsed) + 1, QS_ALLINPUT,
                                    MWMO_INPUTAVAILABLE);
    }
}
