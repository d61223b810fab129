#pragma once
// One move-only owner for Win32 handles and GDI objects, with aliases per kind, and guards
// that undo a SelectObject, end a paint or release a DC.  Copying is impossible, so a double
// release is too.
#include <windows.h>

#include <utility>

template <typename Handle, auto Close>
class Unique {
public:
    Unique() = default;
    explicit Unique(Handle handle) : handle_(handle) {}
    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Handle{}));
        return *this;
    }
    ~Unique() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Handle{}; }
    Handle release() { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) {
        Handle old = std::exchange(handle_, handle);
        if (old != Handle{}) Close(old);
    }

private:
    Handle handle_{};
};

namespace unique_detail {
inline void CloseFile(HANDLE h) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
}
inline void DeleteGdi(HGDIOBJ h) { DeleteObject(h); }
inline void DeleteMemoryDc(HDC h) { DeleteDC(h); }
inline void DestroyWnd(HWND h) { DestroyWindow(h); }
inline void DestroyIco(HICON h) { DestroyIcon(h); }
} // namespace unique_detail

using UniqueHandle = Unique<HANDLE, CloseHandle>;
using UniqueFont = Unique<HFONT, unique_detail::DeleteGdi>;
using UniqueBitmap = Unique<HBITMAP, unique_detail::DeleteGdi>;
using UniqueBrush = Unique<HBRUSH, unique_detail::DeleteGdi>;
using UniqueMemoryDc = Unique<HDC, unique_detail::DeleteMemoryDc>; // from CreateCompatibleDC
using UniqueWindow = Unique<HWND, unique_detail::DestroyWnd>;
using UniqueIcon = Unique<HICON, unique_detail::DestroyIco>;

// A DC from GetDC or GetWindowDC, released to its window.
class WindowDc {
public:
    WindowDc(HWND hwnd, bool wholeWindow = false)
        : hwnd_(hwnd), hdc_(wholeWindow ? GetWindowDC(hwnd) : GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (hdc_) ReleaseDC(hwnd_, hdc_);
    }
    HDC get() const { return hdc_; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// BeginPaint/EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(hwnd_, &ps_); }
    HDC dc() const { return ps_.hdc; }
    const PAINTSTRUCT& info() const { return ps_; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class SelectScope {
public:
    SelectScope(HDC hdc, HGDIOBJ object) : hdc_(hdc), previous_(SelectObject(hdc, object)) {}
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;
    ~SelectScope() {
        if (previous_) SelectObject(hdc_, previous_);
    }

private:
    HDC hdc_;
    HGDIOBJ previous_;
};
