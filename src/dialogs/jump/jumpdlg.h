#pragma once
// The jump-to-line dialog: a line number with a history, counted in screen
// rows or in logical lines.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// The number typed: 0 for anything that is not a whole 32-bit number.
int JumpLineNumber(std::string_view typed) noexcept;

// How the dialog opens: the logical-line box is offered only when the rows
// wrap; the prefill is the caret's line in the unit the box selects.
struct TJumpShowState {
    bool LogicalEnabled = false;
    bool Logical = false;
    int Prefill = 1;
};
// rowToLine is called only when the logical line is needed (it walks the rows).
TJumpShowState JumpShowState(bool wraps, bool lineNumOption, int caretRow, const std::function<int(int)>& rowToLine);

// history: the main window's jump history (the dialog shows it and may clear it);
// typedText: the text as typed (the caller needs it for its messages and the history).
bool ShowJumpDialog(int& line, bool& logical, std::vector<std::string>& history, std::string& typedText);

} // namespace vellumo
