#include "classlib/msgdialog.h"

#include <utility>

#include "base/showmsg.h"

namespace vellumo {

namespace {

TDialogPlacer& Placer()
{
    static TDialogPlacer placer;
    return placer;
}

} // namespace

const TDialogPlacer& PendingConfirmPlacer() { return Placer(); }

int ShowConfirmAllDialog(const std::string& text, const TDialogPlacer& place)
{
    // Nested questions keep their own placement.
    struct TRestore {
        TDialogPlacer old;
        ~TRestore() { Placer() = std::move(old); }
    } restore{std::exchange(Placer(), place)};
    // The system's box has no "All" button: the default sink shows our form.
    static const bool presenterSet = [] {
        SetMsgFormPresenter([](const std::string& t, const std::string& c, unsigned flags) {
            return (flags & 0x0F) == kMsgYesNoCancelAll ? ShowConfirmAllForm(t, c) : 0;
        });
        return true;
    }();
    (void)presenterSet;
    const int answer = ShowMsg(text, kConfirmCaption, kMsgYesNoCancelAll | kMsgIconQuestion);
    // A sink answering outside the four buttons counts as Cancel, the safe choice.
    switch (answer) {
    case 6:
    case 7:
    case 2:
    case kAnswerAll:
        return answer;
    default:
        return 2;
    }
}

#ifndef _WIN32
int ShowConfirmAllForm(const std::string&, const std::string&) { return 2; }
#endif

} // namespace vellumo
