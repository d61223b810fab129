#pragma once
// The settings window's own few values, kept behind its window's user data: the note it acts
// on, the two dialog seams, the font chooser's held values and the two check boxes.
#include "platform/unique.h"
#include "ui/settings/settings_window.h"

struct SettingsState {
    Note* note = nullptr;
    SettingsDialogs dialogs;
    FontChoice font; // held for the whole run; replaced only by an OK in the chooser
    HWND keepOnTopBox = nullptr;
    HWND muteBox = nullptr;
    UniqueIcon bigIcon;
    UniqueIcon smallIcon;
};

// The state of the note's settings window; null before CreateSettingsWindow.
SettingsState* SettingsStateOf(const Note& note);
