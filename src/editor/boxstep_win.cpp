// The keyboard's box selection (Alt+Shift+arrows): one step of the box,
// taken straight from the key table rather than by injecting key events.
#include "editor/editor_win.h"

namespace vellumo {

void TEditor::ExtendBoxSelection(unsigned arrowKey)
{
    if (arrowKey < VK_LEFT || arrowKey > VK_DOWN) return;
    EnterBoxSelection();
    NavigationKey(arrowKey, ssShift);
}

} // namespace vellumo
