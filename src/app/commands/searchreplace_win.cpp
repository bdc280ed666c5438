// The replace loop: replace with its question, and replace-all with its
// progress window. The Replace command is in searchmenu_win.cpp.
#include <memory>

#include "app/core/appfuncs.h"
#include "app/window/mainform_win.h"
#include "app/window/progressform_win.h"
#include "app/commands/searchcmds.h"
#include "app/commands/searchdialogs_win.h"
#include "editor/editsearch.h"
#include "settings/settingsstore.h"
#include "classlib/msgdialog.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

// Messages are let through at most every 20 ms: each look at the queue is a
// trip to the window system, and a replace-all may have a million matches.
class TThrottledPump {
public:
    explicit TThrottledPump(TVellumoMainForm& form) : form_(form) {}
    bool Due() const { return GetTickCount() - last_ >= 20; }
    void operator()()
    {
        if (!Due()) return;
        last_ = GetTickCount();
        form_.ProcessMessages();
    }

private:
    TVellumoMainForm& form_;
    DWORD last_ = GetTickCount();
};

} // namespace

int TVellumoMainForm::AskReplace(TEditor& ed)
{
    ClearStatusMessage();
    const POINT caret = [&] {
        POINT p = ed.GetCaretPixelPos();
        ClientToScreen(ed.Handle(), &p);
        return p;
    }();
    const int rowHeight = ed.RowHeight();
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    return SearchDialogs().ConfirmAll(kReplaceQuestionText, [&](int& left, int& top, int width, int height) {
        const TDialogPlace r = ConfirmDialogPlace(caret.x, caret.y, rowHeight, width, height, screenWidth);
        left = r.Left;
        top = r.Top;
    });
}

bool TVellumoMainForm::ReplaceFound(TEditor& ed)
{
    // The caret goes before the new text going up, so the next search does not find inside it.
    if (!ed.ReplaceSelText(SearchText(ReplaceWith), (SearchFlags & sfDown) == 0)) return false;
    ++ReplaceCount;
    return true;
}

void TVellumoMainForm::RunReplace()
{
    TEditor& ed = ActiveEditor();
    ReplaceCount = 0;
    // A stale menu can let Ctrl+R through to a read-only document.
    if (ed.ReadOnly()) {
        SoundBeep();
        return;
    }
    TDocumentBusy busy;
    // Busy from the first search on: the searches and the question pump
    // messages, and nothing else may act on the text meanwhile.
    replaceBusy_ = true;
    const bool drawing = AppSettingsStore().Settings.Option.NoRepLoopDrawing;
    std::unique_ptr<TFormVeloProgress> progress;
    bool held = false, disabled = false;
    TThrottledPump pump(*this);
    auto oldPump = ed.SearchMessagePump;
    ed.SearchMessagePump = [&pump] { pump(); };
    ed.SetSelLength(0);
    // A replace-all, asked or not and also when stopped, undoes as one
    // change; a replace turned into one by "All" in the question groups
    // from there on (what was confirmed before stays one change each).
    TEditorUndoObj& undo = ed.Store().UndoObj();
    if (SearchFlags & sfReplaceAll) undo.BeginGroup();

    // The end step, also when a step fails.
    auto finish = [&] {
        undo.EndGroup();
        ed.SearchMessagePump = oldPump;
        if (held) {
            ed.Lines().EndUpdate();
            if (ReplaceCount > 0) CentreCaret(ed);
        }
        if (disabled) EnableWindow(Window(), TRUE);
        progress.reset();
        ProcessMessages();
        SoundBeep();
        ShowStatusMessage(ReplacedText(ReplaceCount));
        replaceBusy_ = false;
        if (caretPanelStale_) UpdateCaretPanel();
        UpdateToolBarState();
    };
    // Once no question is left, whole stretches of matches are replaced at
    // a time, as the one-match way would replace them.
    const std::string pattern = SearchText(SearchString), with = SearchText(ReplaceWith);
    try {
        for (;;) {
            int many = 0;
            if (progress && CanReplaceForward(pattern, with, static_cast<TSearchFlags>(SearchFlags))) {
                bool end = false;
                many = ed.ReplaceMatches(pattern, with, static_cast<TSearchFlags>(SearchFlags), end);
                if (end) {
                    progress->Button1.SetEnabled(false);
                    break;
                }
                ReplaceCount += many;
                if (many > 0 && !ed.BulkUpdating()) CentreCaret(ed);
            }
            if (many == 0) {
                if (!FindNext()) {
                    if (progress) progress->Button1.SetEnabled(false);
                    break;
                }
                if (SearchFlags & sfConfirm) {
                    const int answer = AskReplace(ed);
                    if (answer == IDCANCEL) break;
                    if (answer == kAnswerAll) undo.BeginGroup();
                    if (answer == IDYES || answer == kAnswerAll) ReplaceFound(ed);
                    if (answer == kAnswerAll) {
                        SearchFlags |= sfReplaceAll;
                        SearchFlags &= static_cast<std::uint16_t>(~sfConfirm);
                    }
                } else {
                    ReplaceFound(ed);
                }
                if (!(SearchFlags & sfReplaceAll)) break;
                if (SearchFlags & sfConfirm) continue;
            }
            if (!progress) {
                if (!drawing) {
                    ed.Lines().BeginUpdate();
                    held = true;
                }
                EnableWindow(Window(), FALSE);
                disabled = true;
                progress = ShowProgressForm(Window(), ed.Handle(), ReplaceProgressText(ReplaceCount),
                                            kReplaceProgressCaption);
            }
            // The text is shown when messages run: it is written just before.
            if (pump.Due()) {
                progress->SetText(ReplaceProgressText(ReplaceCount));
                pump();
            }
            if (progress->Aborted()) {
                ProcessMessages();
                break;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

} // namespace vellumo
