#pragma once
// The main window's drawing over each painted row (the editors' OnDrawLine).
// Windows only.
#include <windows.h>

#include <string>

#include "app/window/linedraw.h"

namespace vellumo {

class TEditor;

// The handler bound to both editors: the process's edit mode and settings.
// Never throws.
void Editor1DrawLine(TEditor& editor, const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected);

// The same with the mode and settings given (the handler's body).
void DrawLineOverlay(TEditor& editor, const std::string& lineStr, int x, int y, int index, RECT& rect, bool selected,
                     TEditMode mode, const TLineDrawSettings& settings);

// The marks at pixel x of the row at y, clipped to rect; nothing when x is
// left of it. tabColor is the marks' colour outside a selection.
void DrawTabMark(TEditor& editor, const RECT& rect, int x, bool selected, int y, TColor tabColor);
void DrawSpaceMark(TEditor& editor, const RECT& rect, int x, bool selected, int y, TColor tabColor);
// The two halves of a full-width space's box, each in its own cell.
void DrawFullSpaceLeftMark(TEditor& editor, const RECT& rect, int x, bool selected, int y, TColor tabColor);
void DrawFullSpaceRightMark(TEditor& editor, const RECT& rect, int x, bool selected, int y, TColor tabColor);
// The mark of the kind.
void DrawBlankMark(TEditor& editor, TMarkKind kind, const RECT& rect, int x, bool selected, int y, TColor tabColor);

} // namespace vellumo
