// The tool buttons' handlers. A press with the mouse arms the bar; a
// button's click then runs the command of its menu item. A click without a
// press (the keyboard) does nothing.
#include <cstring>

#include "app/window/mainform_win.h"
#include "app/window/toolbar.h"

namespace vellumo {

namespace {

void RunToolButton(TVellumoMainForm& form, const char* button)
{
    if (!form.ToolButtonPressed) return;
    PumpMessagesOnce();
    for (const TToolButtonEntry& b : ToolButtonTable())
        if (std::strcmp(b.Name, button) == 0) form.RunNamed(b.MenuItem);
    form.ToolButtonPressed = false;
}

void tbNewClick(TVellumoMainForm& form) { RunToolButton(form, "tbNew"); }
void tbOpenClick(TVellumoMainForm& form) { RunToolButton(form, "tbOpen"); }
void tbSaveClick(TVellumoMainForm& form) { RunToolButton(form, "tbSave"); }
void tbPrintClick(TVellumoMainForm& form) { RunToolButton(form, "tbPrint"); }
void tbCutClick(TVellumoMainForm& form) { RunToolButton(form, "tbCut"); }
void tbCopyClick(TVellumoMainForm& form) { RunToolButton(form, "tbCopy"); }
void tbPasteClick(TVellumoMainForm& form) { RunToolButton(form, "tbPaste"); }
void tbUndoClick(TVellumoMainForm& form) { RunToolButton(form, "tbUndo"); }
void tbRedoClick(TVellumoMainForm& form) { RunToolButton(form, "tbRedo"); }
void tbFindClick(TVellumoMainForm& form) { RunToolButton(form, "tbFind"); }
void tbFintBackClick(TVellumoMainForm& form) { RunToolButton(form, "tbFintBack"); }
void tbFindNextClick(TVellumoMainForm& form) { RunToolButton(form, "tbFindNext"); }
void tbIEClick(TVellumoMainForm& form) { RunToolButton(form, "tbIE"); }
void tbNNClick(TVellumoMainForm& form) { RunToolButton(form, "tbNN"); }

struct TToolButtonClick {
    const char* Button;
    void (*Click)(TVellumoMainForm& form);
};

constexpr TToolButtonClick kClicks[] = {
    {"tbNew", tbNewClick},   {"tbOpen", tbOpenClick},         {"tbSave", tbSaveClick},
    {"tbPrint", tbPrintClick}, {"tbCut", tbCutClick},           {"tbCopy", tbCopyClick},
    {"tbPaste", tbPasteClick}, {"tbUndo", tbUndoClick},         {"tbRedo", tbRedoClick},
    {"tbFind", tbFindClick},   {"tbFintBack", tbFintBackClick}, {"tbFindNext", tbFindNextClick},
    {"tbIE", tbIEClick},       {"tbNN", tbNNClick},
};

} // namespace

void TVellumoMainForm::ToolButtonMouseDown() { ToolButtonPressed = true; }

void TVellumoMainForm::ToolButtonClick(UINT id)
{
    const int i = ToolBar1.ButtonOfCommand(id);
    if (i < 0) return;
    const char* button = ToolButtonTable()[static_cast<std::size_t>(i)].Name;
    for (const TToolButtonClick& c : kClicks)
        if (std::strcmp(c.Button, button) == 0) c.Click(*this);
}

} // namespace vellumo
