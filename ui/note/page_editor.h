#pragma once
// The page editors: see-through EDIT controls, one per page, cloned from the template editor
// (编辑框1) on the sheet picture, and the font rules that apply to them.
#include "model/page_book.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class PngControl;
class ProfileStore;

// What the page editors are given: the sheet picture they live on, the template editor they
// are cloned from (and placed directly behind), and the program's transparency object.
struct PageEditorContext {
    HWND parent = nullptr;
    HWND templateEditor = nullptr;
    PngControl* transparency = nullptr;
};

// The kept font values: set by ApplyStoredFont, read when a new page needs the font the
// other pages show.  The face name is ANSI (GBK), as the file holds it.
struct KeptFont {
    int32_t size = 0;
    std::string faceName;
    bool stored = false; // the file held font keys when ApplyStoredFont last ran
};

// A new page editor: hidden, empty, attached to the transparency object with no fill and no
// border, directly behind the template editor.
HWND CreatePageEditor(const PageEditorContext& context);

// The page book's view of an editor window.  Destroying it destroys the window.
std::unique_ptr<PageEditor> WrapPageEditor(HWND editor);

// Reads the six font keys, keeps size and face name, and applies them to pages 1..count.
void ApplyStoredFont(ProfileStore& store, const PageBook& book, KeptFont& kept);

// Sets size, face name, bold, underline, strikeout and italic on one editor, in that order,
// each style explicitly on or off.  faceName is ANSI (GBK) bytes.
void ApplyEditorFont(HWND editor, int32_t size, std::string_view faceName, bool bold, bool underline, bool strikeout,
                     bool italic);

// The window behind a page editor made by WrapPageEditor; null for any other kind.
HWND EditorWindow(const PageEditor& editor);

// Gives `to` the font `from` shows, so a new page looks like the others.
void CopyEditorFont(HWND from, HWND to);
