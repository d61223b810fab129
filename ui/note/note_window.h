#pragma once
// The note window and the whole start-up: the program's long-lived objects, created once.
#include "model/config_store.h"
#include "model/page_book.h"
#include "model/page_store.h"
#include "ui/note/note.h"
#include "ui/note/png_control.h"
#include "ui/note/timer.h"

#include <windows.h>

#include <filesystem>
#include <memory>

struct NoteProgram {
    NoteProgram(const std::filesystem::path& configPath, FileSystem& files);

    ConfigStore store;
    PageStore pages;
    PngControl transparency;
    PageBook book;
    Note note;
    TimerSlot slideOut;
    TimerSlot slideBack;
    TimerSlot autosave;
    bool hadFocus = false;
    FileError saveError = FileError::None; // of the last save; shown on the sheet while not None
    HWND saveNotice = nullptr;
};

// Runs the program start after InitTransparency: creates the note window (its creation
// handler places it, creates the hidden settings window, applies the stored settings and
// rebuilds the pages) and shows it.  The returned program must outlive the window.
std::unique_ptr<NoteProgram> StartNote(HINSTANCE instance, const std::filesystem::path& configPath,
                                       FileSystem& files);

// The window class of the note, and the property on it that tells which configuration file
// the running note uses (a second copy finds the first through it).
inline constexpr wchar_t kNoteWindowClass[] = L"QingFengNote";
inline constexpr wchar_t kConfigHashProperty[] = L"QingFengConfigHash";
// Sent by a second copy: bring the note to the front.
UINT ShowNoteMessage();

// Identifies the configuration file in the note window's property and the single-instance mutex.
uint32_t ConfigPathHash(const std::filesystem::path& configPath);

// Saves the pages when they changed since the last save (exit and session end).
void SaveBeforeExit(NoteProgram& program);
