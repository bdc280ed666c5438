#pragma once
// Helpers of the editing tests: selecting as the keyboard does (anchor,
// move, extend) and the text as one string.
#include <string>

#include "editor/cells.h"
#include "editor_support_win.h"

namespace vellumo::testing {

inline void Select(TEditor& e, int r0, int c0, int r1, int c1, TSelectionMode mode = smNormal)
{
    e.Deselect();
    e.SetSelectionMode(mode);
    e.SetCaretRowCol(r0, c0);
    e.StartSelection();
    e.SetCaretRowCol(r1, c1);
    e.UpdateSelection();
}

inline std::string Joined(TEditor& e) { return JoinRows(e.Store()); }

} // namespace vellumo::testing
