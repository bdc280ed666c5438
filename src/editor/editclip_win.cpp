#include "editor/editclip.h"

#include <climits>
#include <cstring>

#include "classlib/clipboard_win.h"
#include "editor/indentcmd.h"
#include "editor/selmeasure.h"
#include "editor/rowstore.h"
#include "editor/typetext.h"

namespace vellumo {

namespace {

// A movable block holding a zero-terminated copy of what write puts in it.
template <class F>
HGLOBAL FillBlock(std::size_t bytes, std::size_t zeroBytes, F&& write)
{
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, bytes + zeroBytes);
    if (!h) return nullptr;
    char* p = static_cast<char*>(GlobalLock(h));
    if (!p || !write(p)) {
        if (p) GlobalUnlock(h);
        GlobalFree(h);
        return nullptr;
    }
    std::memset(p + bytes, 0, zeroBytes);
    GlobalUnlock(h);
    return h;
}

// A stream selection goes straight from the rows into the clipboard's block
// and from there into the wide block: a big text is held twice at most.
bool CopyStreamToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip)
{
    const long long len = GetSelLength(rows, sel);
    if (len <= 0 || len > INT_MAX / 2) return false;
    const std::size_t n = static_cast<std::size_t>(len);
    HGLOBAL ansi = FillBlock(n, 1, [&](char* p) { return WriteSelText(rows, sel, p, n) == n; });
    if (!ansi) return false;
    HGLOBAL uni = nullptr;
    if (const char* a = static_cast<const char*>(GlobalLock(ansi))) {
        const int wn = MultiByteToWideChar(CP_ACP, 0, a, static_cast<int>(n), nullptr, 0);
        if (wn > 0)
            uni = FillBlock(static_cast<std::size_t>(wn) * sizeof(wchar_t), sizeof(wchar_t), [&](char* p) {
                return MultiByteToWideChar(CP_ACP, 0, a, static_cast<int>(n), reinterpret_cast<wchar_t*>(p), wn) == wn;
            });
        GlobalUnlock(ansi);
    }
    if (!uni) {
        GlobalFree(ansi);
        return false;
    }
    TClipboardOpen open(clip);
    if (!open.Ok()) {
        GlobalFree(ansi);
        GlobalFree(uni);
        return false;
    }
    if (!clip.SetAsHandle(CF_TEXT, ansi)) {
        GlobalFree(uni);
        return false;
    }
    return clip.SetAsHandle(CF_UNICODETEXT, uni);
}

} // namespace

bool CopySelectionToClipboard(const TEditorScreenStrings& rows, const TEditorSelection& sel, TClipboard& clip)
{
    // A box without columns selects nothing, whatever line breaks its rows make.
    if (sel.Box && sel.EndCol <= sel.StartCol) return false;
    if (!sel.Box) return CopyStreamToClipboard(rows, sel, clip);
    const std::string t = GetSelText(rows, sel);
    if (t.empty()) return false;
    return clip.SetBoxText(t);
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
