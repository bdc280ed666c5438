#include "classlib/timer_win.h"

#include <exception>
#include <map>
#include <unordered_map>
#include <utility>

#include "base/showmsg.h"

namespace vellumo {

namespace {

void RunGuarded(const std::function<void()>& fn)
{
    ReportFailures([&] {
        if (fn)
            fn();
    });
}

std::unordered_map<UINT_PTR, TTimer*>& Timers()
{
    static std::unordered_map<UINT_PTR, TTimer*> map;
    return map;
}

std::unordered_map<UINT_PTR, std::function<void()>>& OnceCalls()
{
    static std::unordered_map<UINT_PTR, std::function<void()>> map;
    return map;
}

std::map<std::pair<HWND, UINT_PTR>, std::function<void()>>& WindowCalls()
{
    static std::map<std::pair<HWND, UINT_PTR>, std::function<void()>> map;
    return map;
}

void CALLBACK OnceTick(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    auto it = OnceCalls().find(id);
    if (it == OnceCalls().end())
        return;
    std::function<void()> fn = std::move(it->second);
    OnceCalls().erase(it);
    RunGuarded(fn);
}

void CALLBACK WindowTick(HWND window, UINT, UINT_PTR id, DWORD)
{
    KillTimer(window, id);
    auto it = WindowCalls().find({window, id});
    if (it == WindowCalls().end())
        return;
    std::function<void()> fn = std::move(it->second);
    WindowCalls().erase(it);
    RunGuarded(fn);
}

} // namespace

TTimer::~TTimer()
{
    enabled_ = false;
    Restart();
}

void TTimer::SetInterval(unsigned ms)
{
    if (ms == 0)
        ms = 1;
    if (ms == interval_)
        return;
    interval_ = ms;
    Restart();
}

void TTimer::SetEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    Restart();
}

void TTimer::Restart()
{
    if (id_) {
        KillTimer(nullptr, id_);
        Timers().erase(id_);
        id_ = 0;
    }
    if (!enabled_)
        return;
    id_ = SetTimer(nullptr, 0, interval_, &TTimer::Tick);
    if (id_)
        Timers()[id_] = this;
}

void CALLBACK TTimer::Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    auto it = Timers().find(id);
    if (it == Timers().end()) {
        KillTimer(nullptr, id);
        return;
    }
    TTimer* t = it->second;
    if (t->OnTimer) {
        std::function<void()> fn = t->OnTimer;  // the handler may free the timer
        RunGuarded(fn);
    }
}

UINT_PTR CallOnce(unsigned ms, std::function<void()> fn)
{
    UINT_PTR id = SetTimer(nullptr, 0, ms, &OnceTick);
    if (id)
        OnceCalls()[id] = std::move(fn);
    return id;
}

void CancelCallOnce(UINT_PTR id)
{
    if (!id)
        return;
    KillTimer(nullptr, id);
    OnceCalls().erase(id);
}

void CallOnceOnWindow(HWND window, UINT_PTR id, unsigned ms, std::function<void()> fn)
{
    if (!window || !IsWindow(window))
        return;
    if (SetTimer(window, id, ms, &WindowTick))
        WindowCalls()[{window, id}] = std::move(fn);
}

bool CallOnceOnWindowPending(HWND window, UINT_PTR id) { return WindowCalls().count({window, id}) != 0; }

} // namespace vellumo
