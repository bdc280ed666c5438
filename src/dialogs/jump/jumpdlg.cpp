#include "dialogs/jump/jumpdlg.h"

#include "base/numtext.h"

namespace vellumo {

int JumpLineNumber(std::string_view typed) noexcept { return StrToIntDef(typed, 0); }

TJumpShowState JumpShowState(bool wraps, bool lineNumOption, int caretRow, const std::function<int(int)>& rowToLine)
{
    TJumpShowState s;
    s.LogicalEnabled = wraps;
    s.Logical = wraps && lineNumOption;
    const int shown = s.Logical && rowToLine ? rowToLine(caretRow) : caretRow;
    s.Prefill = shown < 0 ? 1 : shown + 1;
    return s;
}

} // namespace vellumo
