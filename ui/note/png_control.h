#pragma once
// PngControl, the transparency class: makes an edit control see-through over its parent by
// subclassing both and painting the control's background from a snapshot of the parent.
// Per-window state lives in window properties named "PngControl_...".
#include <windows.h>

#include <cstdint>

class PngControl {
public:
    PngControl() = default;
    virtual ~PngControl() = default;
    PngControl(const PngControl&) = delete;
    PngControl& operator=(const PngControl&) = delete;

    // Attaches any child control: subclasses its parent once, drops WS_CLIPSIBLINGS from the
    // control and WS_CLIPCHILDREN from the parent, adds WS_EX_TRANSPARENT.  Not a window: ignored.
    virtual void Attach(HWND control);
    virtual HWND CurrentControl() const { return current_; }
    // name is one of the ASCII "PngControl_..." names.
    virtual void SetProperty(const char* name, intptr_t value);
    virtual intptr_t ReadProperty(const char* name) const;
    virtual void SendToControl(UINT message, WPARAM wParam, LPARAM lParam);

    virtual void AttachEdit(HWND edit);
    // colour is 0x00BBGGRR or -1 for none; opacity is limited to 0..255 when setOpacity.
    virtual void SetBackColor(int32_t colour, int32_t opacity, bool setOpacity);
    virtual void SetBorderColor(int32_t colour, int32_t opacity, bool setOpacity);

private:
    void SetColour(const wchar_t* colourName, const wchar_t* alphaName, int32_t colour, int32_t opacity,
                   bool setOpacity);

    HWND current_ = nullptr;
};

// Registers the "ZarvoLoadDialog" window class; run once before any window exists.
void InitTransparency();

LRESULT CALLBACK ParentWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The editor's non-client paint: draws the optional fill and frame, then keeps a snapshot of
// what lies beneath the client area.  The snapshot is rendered by the parent itself (it must
// answer WM_PRINTCLIENT, as STATIC controls do), never read off the screen, so highlight marks
// that happen to be on the screen cannot become part of it.
void CaptureBackground(HWND editor);
// The editor's erase: puts the snapshot back and asks for a repaint of the text.
void RestoreBackground(HWND editor, HDC dc);
