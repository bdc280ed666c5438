#include "editor/editclip.h"

#include "classlib/clipboard.h"
#include "editor/indentcmd.h"
#include "editor/rowstore.h"
#include "editor/typetext.h"

namespace vellumo {

bool CopySelectionToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip)
{
    // A box without columns selects nothing, whatever line breaks its rows make.
    if (sel.Box && sel.EndCol <= sel.StartCol) return false;
    const std::string t = GetSelText(rows, sel);
    if (t.empty()) return false;
    return sel.Box ? clip.SetBoxText(t) : clip.SetTextBuf(t);
}

bool CopyWrappedToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip)
{
    const auto t = CopyWrappedText(rows, sel);
    return t && clip.SetTextBuf(*t);
}

std::optional<TPasteText> ReadPasteText(TClipboard& clip)
{
    TClipboardOpen open(clip);
    if (!open.Ok() || !clip.HasText()) return std::nullopt;
    TPasteText p;
    p.Box = clip.HasBoxText();
    p.Text = clip.AsAnsiText();
    return p;
}

std::optional<TRowsEdit> PasteEdit(const TEditorScreenStrings& rows, const TEditorSelection* sel, int caretRow,
                                   int caretCol, const TPasteText& paste, bool forceBox)
{
    if (paste.Box || forceBox) {
        auto e = InsertBoxTextEdit(rows, sel, caretRow, caretCol, paste.Text);
        // An empty box still replaces the selection: it is deleted.
        if (!e && sel) return DeleteSelectionEdit(rows, *sel);
        return e;
    }
    return InsertStreamTextEdit(rows, sel, caretRow, caretCol, paste.Text);
}

} // namespace vellumo
