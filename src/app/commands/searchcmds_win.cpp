// The Search menu: find, find next and previous, jump to a line and to the
// matching bracket. Replacing is in searchreplace_win.cpp.
#include <climits>

#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "app/commands/searchcmds.h"
#include "app/commands/searchdialogs_win.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"
#include "textcode/bracket.h"

namespace vellumo {

void TVellumoMainForm::Find1Click()
{
    MainMenuItems.Item("mReplace").SetEnabled(!ActiveEditor().ReadOnly());
}

std::string TVellumoMainForm::SearchText(const std::string& typed) const
{
    return SearchEscapes ? UnescapeSearchText(typed) : typed;
}

void TVellumoMainForm::ShowSearchStatus(const std::string& text)
{
    // A replace-all passes here for every match: an unchanged text is not
    // drawn again.
    if (!StatusBar1.AutoHint() && StatusBar1.PanelText(0) == text) return;
    ShowStatusMessage(text);
}

void TVellumoMainForm::CentreCaret(TEditor& ed)
{
    const int top = CentredTopRow(ed.Row(), ed.TopRow(), ed.RowCount());
    if (top >= 0) ed.SetTopRow(top);
}

bool TVellumoMainForm::FindNext()
{
    TEditor& ed = ActiveEditor();
    if (ed.SelectionMode() == smBox) ed.SetSelectionMode(smNormal);
    if (SearchFlags & sfConfirm)
        ShowSearchStatus(ConfirmingStatusText(ReplaceCount));
    else if (SearchFlags & sfReplaceAll)
        ShowSearchStatus("");
    else
        ShowSearchStatus(kBusyStatusText);
    if (!ed.Search(SearchText(SearchString), static_cast<TSearchFlags>(SearchFlags))) return false;
    if (ed.Selected()) {
        // The editor holds the view during a replace-all and places it once at the end.
        if (!ed.BulkUpdating()) CentreCaret(ed);
        return true;
    }
    // A match reported with nothing selected: nothing to select or
    // replace, and a replace would find it again for ever.
    if (!ed.WordWrap()) {
        ShowMsg(kLongLineStopText, kMsgCaption, kMsgOk | kMsgIconExclamation);
        ProcessMessages();
    }
    return false;
}

void TVellumoMainForm::ReportNotFound()
{
    SoundBeep();
    ShowStatusMessage(NotFoundText(SearchString));
}

void TVellumoMainForm::mFindClick()
{
    ClearStatusMessage();
    std::string text;
    std::uint16_t flags = 0;
    if (!SearchDialogs().Find(text, flags, 2)) return;
    SearchString = text;
    SearchFlags = flags;
    RememberSearch();
    if (!FindNext()) ReportNotFound();
}

void TVellumoMainForm::FindAgain(bool down)
{
    ClearStatusMessage();
    LoadSearchState();
    if (SearchString.empty()) {
        std::string text;
        std::uint16_t flags = 0;
        if (!SearchDialogs().Find(text, flags, down ? 1 : 0)) return;
        SearchString = text;
        SearchFlags = flags;
        RememberSearch();
    } else if (down) {
        SearchFlags |= sfDown;
    } else {
        SearchFlags &= static_cast<std::uint16_t>(~sfDown);
    }
    if (!FindNext()) ReportNotFound();
}

void TVellumoMainForm::mFindDownClick() { FindAgain(true); }
void TVellumoMainForm::mFindUpClick() { FindAgain(false); }

void TVellumoMainForm::mRowJmpClick()
{
    ClearStatusMessage();
    TEditor& ed = ActiveEditor();
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
    CentreCaret(ed);
    AddJumpHistory(JumpHistory(), typed);
    ClearStatusMessage();
}

void TVellumoMainForm::mKakkoJmpClick() { BracketJump(IsShiftDown()); }

void TVellumoMainForm::BracketJump(bool extend)
{
    TEditor& ed = ActiveEditor();
    ShowStatusMessage(kBusyStatusText);
    const long long p = ed.SelStart();
    const std::string text = ed.Lines().Text();
    std::string bracket;
    const int q = p < INT_MAX ? MatchBracket(text, static_cast<int>(p) + 1, bracket) : 0;
    if (q <= 0) {
        SoundBeep();
        ShowStatusMessage(bracket.empty() ? std::string(kNotBracketText) : BracketNotFoundText(bracket));
        return;
    }
    ClearStatusMessage();
    const TCharRange r = BracketSelection(p, q, static_cast<int>(bracket.size()), extend);
    ed.SetSelStart(r.Start);
    ed.SetSelLength(r.Length);
}

} // namespace vellumo
