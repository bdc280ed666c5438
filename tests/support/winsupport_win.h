#pragma once
// Helpers of the windowed tests.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/showmsg.h"

namespace vellumo::testing {

// Runs every queued message of this thread.
inline void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Live GDI objects of this process. The system's count where it has one;
// otherwise the handle table is probed: a handle whose upper word is 0
// matches an entry of any generation there.
inline int CountGdiObjects()
{
    DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (n != 0)
        return static_cast<int>(n);
    int count = 0;
    for (ULONG_PTR h = 1; h < 0x10000; ++h)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(h)) != 0)
            ++count;
    return count;
}

// Records every message and beep for the length of a scope.
struct TMsgRecorder {
    struct TEntry {
        std::string text, caption;
        unsigned flags;
        void* owner;
    };
    std::vector<TEntry> messages;
    std::vector<unsigned> beeps;
    int answer = IDOK;
    TScopedMsgSink sink{[this](const std::string& t, const std::string& c, unsigned f) {
                            messages.push_back({t, c, f, MsgOwner()});
                            return answer;
                        },
                        [this](unsigned type) { beeps.push_back(type); }};
};

// Installed for the whole test program: a message nobody scripted fails
// the running test instead of waiting for a click.
inline int UnexpectedMessage(const std::string& text, const std::string&, unsigned)
{
    ADD_FAILURE() << "unexpected message box: " << text;
    return IDCANCEL;
}

} // namespace vellumo::testing
