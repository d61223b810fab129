#pragma once
// The settings window: skins, font, keep-on-top, mute, start with Windows, instructions, the
// sponsor page and exit.  Created hidden once with the note; shown and hidden, never destroyed.
#include <windows.h>

#include <functional>
#include <string>

struct Note;

// The held values of the font chooser (ANSI face name, as the file stores it).
struct FontChoice {
    COLORREF colour = 0;
    bool bold = false;
    bool italic = false;
    bool strikeout = false;
    bool underline = false;
    std::string faceName;
    int32_t size = 0;
};

// The two modal dialogs, behind a seam so that tests never block on them.
struct SettingsDialogs {
    // Shows the font chooser preset from choice; true and choice updated on OK, false on Cancel.
    std::function<bool(HWND owner, FontChoice& choice)> chooseFont;
    // Shows a task-modal message box with an OK button and no icon.
    std::function<void(const std::wstring& text, const std::wstring& title)> showMessage;
};
SettingsDialogs SystemSettingsDialogs();

// Creates the hidden settings window at left/top (screen pixels) and stores it in the note.
HWND CreateSettingsWindow(Note& note, int left, int top, SettingsDialogs dialogs = SystemSettingsDialogs());
// Ticks the two boxes from the stored values at start-up.
void SetSettingsBoxes(Note& note, bool keepOnTop, bool mute);
// 设置: shows the window where it is; nothing is re-read.
void ShowSettingsWindow(Note& note);
// The bar button: hides the window when visible, storing nothing.
void HideSettingsWindow(Note& note);
