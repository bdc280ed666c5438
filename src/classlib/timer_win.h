#pragma once
// Timers on the GUI thread: a repeating timer object, and one-shot calls of a
// function after a number of milliseconds. Callbacks run from the message
// pump; an exception from one is reported with ShowMsg. Windows only.
#include <windows.h>

#include <functional>

namespace vellumo {

class TTimer {
public:
    TTimer() = default;
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;
    ~TTimer();

    // Milliseconds between ticks (at least 1); a change restarts the timer.
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned ms);
    // The timer runs while enabled and OnTimer is assigned.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);
    std::function<void()> OnTimer;

private:
    void Restart();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD);
    unsigned interval_ = 1000;
    bool enabled_ = false;
    UINT_PTR id_ = 0;
};

// Calls fn once after ms milliseconds. Returns an identifier for
// CancelCallOnce (never 0).
UINT_PTR CallOnce(unsigned ms, std::function<void()> fn);
void CancelCallOnce(UINT_PTR id);

// A one-shot timer with a fixed identifier on a window (SetTimer on it): fn
// runs once after ms milliseconds, and the timer is killed first. Starting
// the same identifier on the same window again replaces the pending call.
void CallOnceOnWindow(HWND window, UINT_PTR id, unsigned ms, std::function<void()> fn);
// True while such a call is pending.
bool CallOnceOnWindowPending(HWND window, UINT_PTR id);

} // namespace vellumo
