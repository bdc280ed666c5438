#pragma once
// The process's screen object: the cursor registry (index -> cursor), the
// cursor forced on every window of the program, and the primary screen's
// size. Windows only; GUI thread only.
#include <windows.h>

#include <map>

#include "classlib/cursorindex.h"

namespace vellumo {

class TScreen {
public:
    // The cursor at an index; an index without a cursor of its own gives the
    // default cursor (the one at index 0).
    HCURSOR Cursors(TCursor index) const;
    // Places a cursor at an index; nullptr removes it (the index shows the
    // default cursor again). The system's negative indexes can be replaced
    // but not removed.
    void SetCursors(TCursor index, HCURSOR cursor);

    // The cursor every window of the program shows while it is not crDefault
    // (the hourglass of long operations, the drop cursors of a drag).
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor index);

    int Width() const;
    int Height() const;
    int PixelsPerInch() const;

private:
    friend TScreen& Screen();
    TScreen();
    void Refresh() const;

    std::map<TCursor, HCURSOR> cursors_;
    TCursor cursor_ = crDefault;
};

TScreen& Screen();

// The first index 1..32767 whose cursor is still the default one, or -1.
TCursor FindFreeCursorIndex();

// Loads a cursor resource by name from a module (nullptr: the program) and
// places it at a free index. Returns the index, or crDefault when the
// resource cannot be loaded or no index is free (the default cursor then
// stands in for it).
TCursor LoadCursorToFreeIndex(HINSTANCE module, const char* name);

// The program's own cursors, placed once per process in this order (so
// normally at 1, 2, 3 and 4).
struct TProgramCursors {
    TCursor RightArrow = crDefault;
    TCursor PrintView = crDefault;
    TCursor MoveDrop = crDefault;
    TCursor CopyDrop = crDefault;
};
const TProgramCursors& LoadProgramCursors(HINSTANCE module = nullptr);

// Sets the screen cursor for a scope (e.g. crHourGlass) and restores the
// previous one however the scope is left.
class TScreenCursorScope {
public:
    explicit TScreenCursorScope(TCursor cursor);
    ~TScreenCursorScope();
    TScreenCursorScope(const TScreenCursorScope&) = delete;
    TScreenCursorScope& operator=(const TScreenCursorScope&) = delete;

private:
    TCursor old_;
};

} // namespace vellumo
