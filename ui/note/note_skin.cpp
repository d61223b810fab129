// What the settings window and the start-up change on the note: skins and keep-on-top.
#include "assets/skin_bitmap.h"
#include "ui/note/note.h"
#include "ui/note/page_editor.h"
#include "ui/note/picture_control.h"

void SetSheetSkin(Note& note, const SkinEntry& skin) {
    SetControlPicture(note.controls.sheet, LoadSkinBitmap(skin), skin.colourName);
    RedrawWindow(note.controls.sheet, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    // The page editors' backgrounds are snapshots of the sheet, retaken at their frame paint.
    if (note.book)
        for (int32_t page = 1; page <= note.book->PageCount(); ++page)
            RedrawWindow(EditorWindow(note.book->Editor(page)), nullptr, nullptr,
                         RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
}

void SetBarSkin(Note& note, const SkinEntry& skin) {
    SetControlPicture(note.controls.barButton, LoadSkinBitmap(skin), skin.colourName);
}

void SetKeepOnTop(Note& note, bool onTop) {
    SetWindowPos(note.controls.window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}
