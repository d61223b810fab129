#pragma once
// A stand-in for the note window's sheet: a top-level window holding a 300x245 sheet that shows
// the white1 skin, with a hidden template editor at the page editors' place.
#include "model/config_store.h"
#include "ui/note/page_editor.h"
#include "ui/note/png_control.h"

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace editor_test {

// Dispatches everything pending, paints included, until the queue stays empty.
void Pump();

enum class SheetKind {
    Painted, // a window of its own that paints the skin (and answers WM_PRINTCLIENT)
    Static,  // a STATIC control with SS_BITMAP
};

struct SeenMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class SheetHost {
public:
    explicit SheetHost(SheetKind kind = SheetKind::Painted);
    ~SheetHost();
    SheetHost(const SheetHost&) = delete;
    SheetHost& operator=(const SheetHost&) = delete;

    HWND Window() const { return window_; }
    HWND Sheet() const { return sheet_; }
    HWND Template() const { return template_; }
    PageEditorContext Context() { return {sheet_, template_, &transparency}; }
    // A new page editor, shown, holding text, and everything painted.
    HWND ShowEditor(const std::wstring& text);

    // What the painted sheet's own procedure received (the transparency class forwards there).
    bool Saw(UINT message) const;
    std::vector<SeenMessage> seen;
    // What the painted sheet's own procedure answers to colour requests.
    static HBRUSH OwnBrush() { return static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)); }

    PngControl transparency;

private:
    static LRESULT CALLBACK SheetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HBITMAP skin_ = nullptr;
    HWND window_ = nullptr;
    HWND sheet_ = nullptr;
    HWND template_ = nullptr;
};

// Pixels as 0x00RRGGBB, row by row from the top.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<unsigned> data;
    unsigned At(int x, int y) const { return data[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows of a child window's client area.
Pixels CaptureClient(HWND child);
// The white1 skin's pixels in a rectangle of the sheet.
Pixels SkinPixels(const RECT& area);
// Differing pixels of two captures of one size.
int CountDifferences(const Pixels& a, const Pixels& b);
// Writes a capture to $QF_SHOTS_DIR/<name>.bmp when that variable is set, for a human to look at.
void SaveShot(const Pixels& pixels, const std::string& name);

// Profile reads from a small map of 自定义 keys.
class FakeProfile final : public ProfileStore {
public:
    explicit FakeProfile(std::map<std::string, std::string> settings) : settings_(std::move(settings)) {}
    std::string Read(std::string_view section, std::string_view key) override;
    bool Write(std::string_view, std::string_view, std::string_view) override { return true; }

private:
    std::map<std::string, std::string> settings_;
};

// The font an editor shows.
LOGFONTW EditorFont(HWND editor);

} // namespace editor_test
