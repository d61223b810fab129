#pragma once
// A window timer with the period rules of the note's timers: 0 or less stops it, a different
// positive period restarts it, the period it already has changes nothing.
#include <windows.h>

class TimerSlot {
public:
    TimerSlot(UINT_PTR id, int period) : id_(id), period_(period) {}

    void Bind(HWND hwnd) {
        hwnd_ = hwnd;
        if (period_ > 0) SetTimer(hwnd_, id_, static_cast<UINT>(period_), nullptr);
    }
    void SetPeriod(int period) {
        if (period <= 0) period = 0;
        if (period == period_) return;
        period_ = period;
        if (!hwnd_) return;
        if (period_ == 0)
            KillTimer(hwnd_, id_);
        else
            SetTimer(hwnd_, id_, static_cast<UINT>(period_), nullptr);
    }
    int Period() const { return period_; }
    UINT_PTR Id() const { return id_; }

private:
    UINT_PTR id_;
    int period_;
    HWND hwnd_ = nullptr;
};
