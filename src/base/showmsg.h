#pragma once
// The program's message box and beep. Both go through a sink that tests (and
// headless runs) replace, so nothing modal appears without a scripted answer.
#include <exception>
#include <functional>
#include <string>

namespace vellumo {

// Every message of the program carries this caption.
inline constexpr const char* kMsgCaption = "Vellumo";

// Flags and answers are those of the system's message box (MB_..., ID...).
inline constexpr unsigned kMsgOk = 0x00;
inline constexpr unsigned kMsgIconError = 0x10;
inline constexpr unsigned kMsgIconExclamation = 0x30;
inline constexpr unsigned kMsgIconInformation = 0x40;
inline constexpr int kAnswerOk = 1;

using TMsgSink = std::function<int(const std::string& text, const std::string& caption, unsigned flags)>;
using TBeepSink = std::function<void(unsigned type)>;

// Shows a message and returns the button pressed. Never throws: a failing
// sink counts as the first button (OK).
int ShowMsg(const std::string& text, const std::string& caption = kMsgCaption, unsigned flags = kMsgOk);

// The audible signal for commands that cannot act. Never throws.
void SoundBeep(unsigned type = 0);

// Replace the sinks; an empty function restores the system's message box or
// beep. Each returns the sink that was installed before.
TMsgSink SetMsgSink(TMsgSink sink);
TBeepSink SetBeepSink(TBeepSink sink);

// The window that owns message boxes while it is visible (the main window);
// nullptr for owner-less boxes. Kept as an opaque handle so that portable
// code can include this header.
void SetMsgOwner(void* window);
void* MsgOwner();

// Installs sinks for the length of a scope and puts the previous ones back.
class TScopedMsgSink {
public:
    explicit TScopedMsgSink(TMsgSink msg, TBeepSink beep = nullptr);
    ~TScopedMsgSink();
    TScopedMsgSink(const TScopedMsgSink&) = delete;
    TScopedMsgSink& operator=(const TScopedMsgSink&) = delete;

private:
    TMsgSink oldMsg_;
    TBeepSink oldBeep_;
    bool replacedBeep_;
};

// Runs a handler whose failure must not go further (a window procedure,
// a command): what it throws is shown as an error. False when it threw.
template <class F>
bool ReportFailures(F&& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, kMsgIconError);
    } catch (...) {
        ShowMsg("Internal error", kMsgCaption, kMsgIconError);
    }
    return false;
}

// The presenter of message types the system's box lacks (the question with
// "All"): the class library installs its own form. Returns the previous one.
TMsgSink SetMsgFormPresenter(TMsgSink presenter);

// The system's own message box and beep (the defaults of the sinks).
int SystemShowMsg(const std::string& text, const std::string& caption, unsigned flags);
void SystemBeep(unsigned type);

} // namespace vellumo
