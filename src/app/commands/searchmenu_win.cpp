// The Search menu's commands: find, find next and previous, replace, jump
// to a line and to the matching bracket.
#include "app/commands/commands_win.h"
#include "app/commands/searchcmds.h"
#include "app/commands/searchdialogs_win.h"
#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"

namespace vellumo {

// What the Search commands reach of the form beyond its public members.
struct TSearchMenuAccess {
    static void CentreCaret(TVellumoMainForm& form, TEditor& ed) { form.CentreCaret(ed); }
};

namespace {

void ReportNotFound(TVellumoMainForm& form)
{
    SoundBeep();
    ShowStatusMessage(NotFoundText(form.SearchString));
}

// F3 and Shift+F3: the last search again, or the find dialog when there is none.
void FindAgain(TVellumoMainForm& form, bool down)
{
    ClearStatusMessage();
    form.LoadSearchState();
    if (form.SearchString.empty()) {
        std::string text;
        std::uint16_t flags = 0;
        if (!SearchDialogs().Find(text, flags, down ? 1 : 0)) return;
        form.SearchString = text;
        form.SearchFlags = flags;
        form.RememberSearch();
    } else if (down) {
        form.SearchFlags |= sfDown;
    } else {
        form.SearchFlags &= static_cast<std::uint16_t>(~sfDown);
    }
    if (!form.FindNext()) ReportNotFound(form);
}

} // namespace

void Find1Click(TVellumoMainForm& form) { ApplyEnablingRules(form, "Find1"); }

void mFindClick(TVellumoMainForm& form)
{
    ClearStatusMessage();
    std::string text;
    std::uint16_t flags = 0;
    if (!SearchDialogs().Find(text, flags, 2)) return;
    form.SearchString = text;
    form.SearchFlags = flags;
    form.RememberSearch();
    if (!form.FindNext()) ReportNotFound(form);
}

void mFindDownClick(TVellumoMainForm& form) { FindAgain(form, true); }
void mFindUpClick(TVellumoMainForm& form) { FindAgain(form, false); }

void mReplaceClick(TVellumoMainForm& form)
{
    TDocumentBusy busy;
    ClearStatusMessage();
    std::string findText, replaceText;
    std::uint16_t flags = 0;
    if (!SearchDialogs().Replace(findText, replaceText, flags)) return;
    form.SearchString = findText;
    form.ReplaceWith = replaceText;
    form.SearchFlags = flags;
    form.RememberSearch();
    form.RunReplace();
}

void mRowJmpClick(TVellumoMainForm& form)
{
    ClearStatusMessage();
    TEditor& ed = form.ActiveEditor();
    int line = ed.Row();
    bool logical = false;
    std::string typed;
    if (!SearchDialogs().Jump(line, logical, JumpHistory(), typed)) return;
    ShowStatusMessage(kBusyStatusText);
    TJumpText text;
    text.RowCount = ed.Store().Count();
    text.LineCount = ed.Store().LineCount();
    text.EndsWithBreak = ed.EndsWithLineBreak();
    text.LineToRow = [&ed](int l) { return ed.LineToRow(l); };
    int row = 0;
    switch (CheckJumpLine(line, logical, text, row)) {
    case jcBadNumber:
        SoundBeep();
        ShowStatusMessage(kBadLineText);
        return;
    case jcNotFound:
        SoundBeep();
        ShowStatusMessage(LineNotFoundText(typed));
        return;
    case jcOk:
        break;
    }
    ed.Deselect();
    ed.SetCaretRowCol(row, 0);
    TSearchMenuAccess::CentreCaret(form, ed);
    AddJumpHistory(JumpHistory(), typed);
    ClearStatusMessage();
}

void mKakkoJmpClick(TVellumoMainForm& form) { form.BracketJump(IsShiftDown()); }

namespace {

// A read-only text has nothing to replace in.
bool ReplaceEnabled(TVellumoMainForm& form) { return !form.ActiveEditor().ReadOnly(); }

constexpr TCommand kRows[] = {
    {"Find1", Find1Click},
    {"mFind", mFindClick},
    {"mFindUp", mFindUpClick},
    {"mFindDown", mFindDownClick},
    {"mReplace", mReplaceClick, ReplaceEnabled},
    {"mRowJmp", mRowJmpClick},
    {"mKakkoJmp", mKakkoJmpClick},
    {"TaioSuruKakko", mKakkoJmpClick},
};

} // namespace

std::span<const TCommand> SearchMenuCommands() noexcept { return kRows; }

} // namespace vellumo
