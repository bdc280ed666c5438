// What the Search menu's commands run on the form: the next match from the
// caret and the jump to the matching bracket. The commands themselves are in
// searchmenu_win.cpp, the replace loop in searchreplace_win.cpp.
#include <climits>

#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "app/commands/searchcmds.h"
#include "base/showmsg.h"
#include "textcode/bracket.h"

namespace vellumo {

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

namespace {

// The caret cannot stand past the editor's column limit, so a match there is
// selected cut short, shifted or not at all: a selection with an edge on the
// limit and more of its row beyond that edge is not the match.
bool SelectionCutAtLimit(const TEditor& ed)
{
    if (!ed.Selected() || ed.SelLength() <= 0) return true;
    const TEditorSelection sel = ed.Selection();
    const TEditorScreenStrings& rows = ed.Store();
    const auto cut = [&rows](int row, int col, int byte) {
        return col >= TEditor::kMaxCols && row >= 0 && row < rows.Count() &&
               byte < static_cast<int>(rows.Strings(row).size());
    };
    return cut(sel.StartRow, sel.StartCol, sel.StartByte) || cut(sel.EndRow, sel.EndCol, sel.EndByte + 1);
}

} // namespace

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
    if (!SelectionCutAtLimit(ed)) {
        // The editor holds the view during a replace-all and places it once at the end.
        if (!ed.BulkUpdating()) CentreCaret(ed);
        return true;
    }
    // The long-line stop: a replace would put its text at the limit and
    // find the same match again for ever. No part of a match stays selected
    // for a keystroke to overwrite.
    ed.Deselect();
    if (!ed.WordWrap()) {
        ShowMsg(kLongLineStopText, kMsgCaption, kMsgOk | kMsgIconExclamation);
        ProcessMessages();
    }
    return false;
}

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
