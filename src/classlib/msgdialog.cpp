#include "classlib/msgdialog.h"

#include <utility>

#include "classlib/showmsg.h"

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
