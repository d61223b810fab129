#pragma once
// The note's program-wide values: its controls, the page book with its store, the mute text,
// the kept font and the transparency object.  Start-up fills one Note; the settings window
// acts on the note through it.
#include "model/config_store.h"
#include "model/page_book.h"
#include "model/page_store.h"
#include "ui/note/page_editor.h"
#include "ui/note/png_control.h"

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>

struct SkinEntry;

struct NoteControls {
    HWND window = nullptr;
    HWND sheet = nullptr;          // 图片框1, the background skin; parent of the editors
    HWND templateEditor = nullptr; // 编辑框1
    HWND notice = nullptr;         // 透明标签6, the one-page notice
    HWND bottomStrip = nullptr;    // bar
    HWND nextLabel = nullptr;      // 透明标签1 下一页
    HWND previousLabel = nullptr;  // 透明标签2 上一页
    HWND newLabel = nullptr;       // 透明标签3 新建
    HWND deleteLabel = nullptr;    // 透明标签4 删除
    HWND counterLabel = nullptr;   // 透明标签5
    HWND settingsLabel = nullptr;  // 透明标签7 设置
    HWND barButton = nullptr;      // 图形按钮1
    HWND settingsWindow = nullptr; // created hidden at start-up
};

struct Note {
    NoteControls controls;
    ConfigStore* store = nullptr;
    PageStore* pages = nullptr;
    PageBook* book = nullptr;
    PngControl* transparency = nullptr;
    std::string muteSetting; // the 静音 text; sounds are silent exactly when it is 真
    KeptFont keptFont;
    // Ends the program with exit code 0 after saving pages typed since the last save; tests
    // put a stand-in here.
    std::function<void()> exitProgram;
};

// The six toolbar labels in the order the drawer and the skin swatches hide and show them:
// 下一页, counter, 删除, 新建, 上一页, 设置.
inline std::array<HWND, 6> ToolbarLabels(const NoteControls& c) {
    return {c.nextLabel, c.counterLabel, c.deleteLabel, c.newLabel, c.previousLabel, c.settingsLabel};
}

// Gives the sheet picture a background skin / the bar button a bar skin (each keeps its own copy).
void SetSheetSkin(Note& note, const SkinEntry& skin);
void SetBarSkin(Note& note, const SkinEntry& skin);
// Switches the note window's always-on-top state.
void SetKeepOnTop(Note& note, bool onTop);
