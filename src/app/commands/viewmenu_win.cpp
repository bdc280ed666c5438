// The View menu's commands.
#include "app/commands/commands_win.h"
#include "app/window/mainform_win.h"
#include "app/window/mainformstatus.h"

namespace vellumo {

// F4: the text's size (or the selection's) in panel 1; again, the caret's place.
void mByteClick(TVellumoMainForm& form)
{
    if (ShowsTextSize(form.StatusBar1.PanelText(1))) {
        form.UpdateCaretPanel();
        return;
    }
    TEditor& ed = form.ActiveEditor();
    const bool selection = ed.Selected();
    form.StatusBar1.SetPanelText(1, TextSizeText(selection ? ed.SelLength() : ed.GetTextLength(), selection));
}

namespace {

constexpr TCommand kRows[] = {
    {"mByte", mByteClick},
};

} // namespace

std::span<const TCommand> ViewMenuCommands() noexcept { return kRows; }

} // namespace vellumo
