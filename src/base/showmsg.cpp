#include "base/showmsg.h"

#include <cstdio>
#include <utility>

namespace vellumo {

namespace {

TMsgSink& MsgSink()
{
    static TMsgSink sink;
    return sink;
}

TBeepSink& BeepSink()
{
    static TBeepSink sink;
    return sink;
}

TMsgSink& FormPresenter()
{
    static TMsgSink presenter;
    return presenter;
}

void*& OwnerWindow()
{
    static void* owner = nullptr;
    return owner;
}

} // namespace

int ShowMsg(const std::string& text, const std::string& caption, unsigned flags)
{
    try {
        if (MsgSink())
            return MsgSink()(text, caption, flags);
        return SystemShowMsg(text, caption, flags);
    } catch (...) {
        return kAnswerOk;
    }
}

void SoundBeep(unsigned type)
{
    try {
        if (BeepSink())
            BeepSink()(type);
        else
            SystemBeep(type);
    } catch (...) {
    }
}

TMsgSink SetMsgSink(TMsgSink sink)
{
    return std::exchange(MsgSink(), std::move(sink));
}

TBeepSink SetBeepSink(TBeepSink sink)
{
    return std::exchange(BeepSink(), std::move(sink));
}

TMsgSink SetMsgFormPresenter(TMsgSink presenter)
{
    return std::exchange(FormPresenter(), std::move(presenter));
}

int PresentMsgForm(const std::string& text, const std::string& caption, unsigned flags)
{
    return FormPresenter() ? FormPresenter()(text, caption, flags) : 0;
}

void SetMsgOwner(void* window) { OwnerWindow() = window; }
void* MsgOwner() { return OwnerWindow(); }

TScopedMsgSink::TScopedMsgSink(TMsgSink msg, TBeepSink beep)
    : oldMsg_(SetMsgSink(std::move(msg))), replacedBeep_(static_cast<bool>(beep))
{
    if (replacedBeep_)
        oldBeep_ = SetBeepSink(std::move(beep));
}

TScopedMsgSink::~TScopedMsgSink()
{
    SetMsgSink(std::move(oldMsg_));
    if (replacedBeep_)
        SetBeepSink(std::move(oldBeep_));
}

#ifndef _WIN32
// Without a window system the message goes to the error stream.
int SystemShowMsg(const std::string& text, const std::string& caption, unsigned)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return kAnswerOk;
}

void SystemBeep(unsigned) {}
#endif

} // namespace vellumo
