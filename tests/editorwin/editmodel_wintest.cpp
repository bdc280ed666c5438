// Random editing through the control's own operations, checked after every
// step against the text kept as one plain string.
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "classlib/clipboard_win.h"
#include "editor/editorhost.h"
#include "edit_support_win.h"

namespace vellumo::testing {
namespace {

bool Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// The text as one string with CR LF between lines, and the cell arithmetic
// of the character grid written out plainly (TABs to the next stop, a
// double-byte character two cells).
struct TModel {
    std::string Text;
    int Tab = 8;

    std::vector<std::string> Lines() const
    {
        std::vector<std::string> out;
        std::size_t at = 0;
        for (;;) {
            const std::size_t n = Text.find("\r\n", at);
            if (n == std::string::npos) {
                out.push_back(Text.substr(at));
                return out;
            }
            out.push_back(Text.substr(at, n - at));
            at = n + 2;
        }
    }
    long long LineStart(int line) const
    {
        long long o = 0;
        const auto ls = Lines();
        for (int i = 0; i < line && i < static_cast<int>(ls.size()); ++i) o += static_cast<long long>(ls[i].size()) + 2;
        return o;
    }
    int CharLen(const std::string& l, std::size_t i) const { return Lead(l[i]) && i + 1 < l.size() ? 2 : 1; }
    int CharCells(const std::string& l, std::size_t i, int cell) const
    {
        return l[i] == '\t' ? Tab - cell % Tab : CharLen(l, i);
    }
    int Width(const std::string& l) const
    {
        int cell = 0;
        for (std::size_t i = 0; i < l.size(); i += CharLen(l, i)) cell += CharCells(l, i, cell);
        return cell;
    }
    // The byte whose character covers cell col; the length past the end.
    std::size_t ByteAt(const std::string& l, int col) const
    {
        int cell = 0;
        for (std::size_t i = 0; i < l.size(); i += CharLen(l, i)) {
            const int w = CharCells(l, i, cell);
            if (col < cell + w) return i;
            cell += w;
        }
        return l.size();
    }
    std::string Expanded(const std::string& l) const
    {
        std::string out;
        for (std::size_t i = 0; i < l.size(); i += CharLen(l, i)) {
            if (l[i] == '\t') out.append(Tab - static_cast<int>(out.size()) % Tab, ' ');
            else out.append(l, i, CharLen(l, i));
        }
        return out;
    }
    long long Offset(int row, int col) const
    {
        const auto ls = Lines();
        if (row >= static_cast<int>(ls.size())) return static_cast<long long>(Text.size());
        return LineStart(row) + static_cast<long long>(ByteAt(ls[row], col));
    }
    // Where text goes in at a caret that may stand past its line's end.
    long long InsertAt(int row, int col, std::string& text) const
    {
        const auto ls = Lines();
        if (row < static_cast<int>(ls.size())) {
            const int w = Width(ls[row]);
            if (col > w) text.insert(0, std::string(col - w, ' '));
        }
        return Offset(row, col);
    }
    int LineOf(long long offset) const
    {
        const auto ls = Lines();
        long long o = 0;
        for (int i = 0; i < static_cast<int>(ls.size()); ++i) {
            if (offset <= o + static_cast<long long>(ls[i].size())) return i;
            o += static_cast<long long>(ls[i].size()) + 2;
        }
        return static_cast<int>(ls.size()) - 1;
    }
    void SetLines(const std::vector<std::string>& ls)
    {
        Text.clear();
        for (std::size_t i = 0; i < ls.size(); ++i) {
            if (i) Text += "\r\n";
            Text += ls[i];
        }
    }
};

TEST(EditorModel, RandomEditsMatchAPlainTextAndUndoOneStepEach)
{
    auto e = MakeEditor(500, 300);
    e->SetUndoListMax(100000);
    e->Caret().SetFreeCaret(true);
    TClipboard& clip = Clipboard();
    const char* seed = std::getenv("VELLUMO_SEED");
    std::mt19937 rng(seed ? static_cast<unsigned>(std::atoi(seed)) : 7u);
    auto rnd = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::vector<std::string> pieces = {"a", "b", "z", " ", "\t", "\x93\xfa", "\x83\x5c", "\x95\x5c", "xy"};
    auto randomText = [&](int maxPieces) {
        std::string s;
        const int n = rnd(maxPieces + 1);
        for (int i = 0; i < n; ++i) s += pieces[rnd(static_cast<int>(pieces.size()))];
        return s;
    };
    TModel m;
    {
        std::vector<std::string> ls;
        for (int i = 0; i < 9; ++i) ls.push_back(i % 4 == 3 ? "" : randomText(10));
        m.SetLines(ls);
        if (rng() % 2) m.Text += "\r\n";
    }
    e->Lines().SetText(m.Text);
    const std::string original = m.Text;
    ASSERT_EQ(Joined(*e), m.Text);
    m.Tab = e->Caret().TabSpaceCount();

    long long anchor = 0;  // model offset of the anchor
    auto caretOffset = [&] {
        const auto ls = m.Lines();
        if (e->Row() >= static_cast<int>(ls.size())) return static_cast<long long>(m.Text.size());
        return m.Offset(e->Row(), e->Col());
    };
    auto streamSel = [&] { return e->Selected() && e->SelectionMode() == smNormal; };
    // An empty selection on the place after the final line break holds no
    // row: text goes in at the caret as without a selection.
    auto onRows = [&] { return e->Selection().StartRow < e->Store().Count(); };
    auto randomPlace = [&] { e->SetCaretRowCol(rnd(static_cast<int>(m.Lines().size()) + 1), rnd(24)); };

    int modelled = 0, edits = 0;
    std::string previous;  // the previous step, for messages
    for (int step = 0; step < 500; ++step) {
        const std::string before = Joined(*e);
        bool modelledStep = true;
        std::string what;
        switch (rnd(12)) {
        case 0: {
            what = "move";
            e->Deselect();
            randomPlace();
            break;
        }
        case 1:
        case 2: {
            what = "select";
            if (e->Store().Count() == 0) break;
            if (!e->Selected()) {
                e->Deselect();
                e->SetSelectionMode(rnd(3) == 0 ? smBox : smNormal);
                e->StartSelection();
                anchor = caretOffset();
            }
            randomPlace();
            e->UpdateSelection();
            ASSERT_TRUE(e->Selected());
            if (streamSel()) {
                const long long a = std::min(anchor, caretOffset()), b = std::max(anchor, caretOffset());
                ASSERT_EQ(e->SelText(), m.Text.substr(a, b - a)) << step << " after " << previous;
                ASSERT_EQ(e->SelStart(), a);
                ASSERT_EQ(e->SelLength(), b - a);
            } else {
                const std::string t = e->SelText();
                int breaks = 0;
                for (std::size_t i = 0; i + 1 < t.size(); ++i) breaks += t.compare(i, 2, "\r\n") == 0;
                const TEditorSelection sel = e->Selection();
                const int last = std::min(sel.EndRow, e->Store().Count() - 1);
                ASSERT_EQ(breaks, sel.EndRow > sel.StartRow ? last - sel.StartRow + 1 : 0);
            }
            break;
        }
        case 3:
        case 4: {
            std::string s = pieces[rnd(4) == 0 ? 5 + rnd(3) : rnd(3)];
            const bool over = rnd(2) == 0;
            e->SetOverWrite(over);
            what = over ? "overwrite" : "type";
            if (e->Selected() && !streamSel()) {
                modelledStep = false;
            } else if (streamSel() && onRows()) {
                const long long a = e->SelStart(), n = e->SelLength();
                m.Text.replace(a, n, s);
            } else {
                const auto ls = m.Lines();
                const int row = e->Row(), col = e->Col();
                const std::string line = row < static_cast<int>(ls.size()) ? ls[row] : std::string();
                const int w = m.Width(line);
                std::string ins = s;
                const long long at = m.InsertAt(row, col, ins);
                if (!over || col >= w) {
                    m.Text.insert(at, ins);
                } else {
                    // Characters wholly inside the covered cells go; a
                    // double-byte one cut in half leaves a space, a TAB stays.
                    const int end = col + static_cast<int>(s.size());
                    std::size_t i = m.ByteAt(line, col);
                    int cell = col;
                    std::string tail;
                    while (i < line.size() && cell < end) {
                        const int cw = m.CharCells(line, i, cell);
                        if (cell + cw > end) {
                            if (line[i] != '\t') {
                                tail = " ";
                                i += m.CharLen(line, i);
                            }
                            break;
                        }
                        cell += cw;
                        i += m.CharLen(line, i);
                    }
                    const std::size_t p = m.ByteAt(line, col);
                    m.Text.replace(at, i - p, s + tail);
                }
            }
            e->TypeText(s);
            break;
        }
        case 5: {
            what = "stream insert";
            std::string s = randomText(3) + (rnd(2) ? "\r\n" + randomText(3) : "");
            if (s.empty()) s = "q";
            if (e->Selected() && !streamSel()) {
                modelledStep = false;
            } else if (streamSel() && onRows()) {
                m.Text.replace(e->SelStart(), e->SelLength(), s);
            } else {
                std::string ins = s;
                const long long at = m.InsertAt(e->Row(), e->Col(), ins);
                m.Text.insert(at, ins);
            }
            e->InsertStreamText(s);
            break;
        }
        case 6: {
            what = "box insert";
            modelledStep = false;
            const std::string block = "B1\r\n" + randomText(2) + "\r\nB3\r\n";
            const int first = e->Selected() ? e->Selection().StartRow : e->Row();
            e->InsertBoxText(block);
            EXPECT_NE(e->Store().Strings(first).find("B1"), std::string::npos) << step;
            EXPECT_NE(e->Store().Strings(first + 2).find("B3"), std::string::npos) << step;
            break;
        }
        case 7: {
            what = "delete";
            if (!e->Selected()) break;
            if (streamSel()) {
                m.Text.erase(e->SelStart(), e->SelLength());
            } else {
                // What the box removes is exactly its text, row by row.
                modelledStep = false;
            }
            e->DeleteSelection();
            EXPECT_FALSE(e->Selected());
            break;
        }
        case 8: {
            if (!e->Selected()) break;
            const int kind = rnd(4);
            const bool ret = rnd(2) == 0;
            EditorHostValues().RetRowIndent = ret;
            what = "indent " + std::to_string(kind) + (ret ? " ret" : "");
            if (streamSel()) {
                auto ls = m.Lines();
                const long long s = e->SelStart(), n = e->SelLength();
                const int first = m.LineOf(s);
                int last = m.LineOf(s + n);
                if (n > 0 && m.LineStart(last) == s + n && last > first) --last;
                if (e->Selection().EndByte == -1) last = std::max(first, e->Selection().EndRow - 1);
                // The place after a final line break is no row.
                last = std::min(last, e->Store().Count() - 1);
                for (int i = first; i <= last; ++i) {
                    std::string& l = ls[i];
                    if (kind == 0) {
                        l = m.Expanded(l);
                        if (!l.empty() || ret) l.insert(0, " ");
                    } else if (kind == 1) {
                        l = m.Expanded(l);
                        if (!l.empty() && l[0] == ' ') l.erase(0, 1);
                    } else if (kind == 2) {
                        if (!l.empty() || ret) l.insert(0, "\t");
                    } else if (!l.empty() && l[0] == '\t') {
                        l.erase(0, 1);
                    }
                }
                m.SetLines(ls);
            } else {
                modelledStep = false;
            }
            if (kind == 0) e->SpaceIndent();
            else if (kind == 1) e->SpaceUnindent();
            else if (kind == 2) e->TabIndent();
            else e->TabUnindent();
            EditorHostValues().RetRowIndent = false;
            break;
        }
        case 9: {
            what = "copy or cut";
            if (!e->Selected()) break;
            const bool cut = rnd(2) == 0;
            const std::string sel = e->SelText();
            const bool box = !streamSel();
            if (cut && !box) m.Text.erase(e->SelStart(), e->SelLength());
            if (cut && box) modelledStep = false;
            const bool ok = cut ? e->CutToClipboard() : e->CopyToClipboard();
            if (!sel.empty() && !(box && e->Selection().EndCol == e->Selection().StartCol)) {
                EXPECT_TRUE(ok) << step;
                TClipboardOpen open(clip);
                EXPECT_EQ(clip.AsAnsiText(), sel) << step;
                EXPECT_EQ(clip.HasBoxText(), box) << step;
            }
            if (cut && !ok) modelledStep = true, m.Text = before;
            break;
        }
        case 10: {
            what = "paste";
            bool box = false;
            std::string t;
            {
                TClipboardOpen open(clip);
                if (!open.Ok() || !clip.HasText()) break;
                box = clip.HasBoxText();
                t = clip.AsAnsiText();
            }
            if (box || (e->Selected() && !streamSel())) {
                modelledStep = false;
            } else if (streamSel() && onRows()) {
                m.Text.replace(e->SelStart(), e->SelLength(), t);
            } else if (!t.empty()) {
                const long long at = m.InsertAt(e->Row(), e->Col(), t);
                m.Text.insert(at, t);
            }
            e->PasteFromClipboard();
            break;
        }
        case 11: {
            what = "drag";
            if (!streamSel() || e->SelLength() == 0) break;
            const bool copy = rnd(3) == 0;
            const long long s = e->SelStart(), n = e->SelLength();
            const std::string moved = e->SelText();
            ASSERT_TRUE(e->BeginSelectionDrag());
            EXPECT_TRUE(e->IsDraggingSelection());
            e->DragSelectionOver(rnd(static_cast<int>(m.Lines().size()) + 1), rnd(24), copy, true);
            const bool inside = e->IsInSelection(e->Row(), e->Col());
            if (!inside) {
                std::string ins = moved;
                const long long at = m.InsertAt(e->Row(), e->Col(), ins);
                if (copy) {
                    m.Text.insert(at, ins);
                } else if (at >= s + n) {
                    m.Text.insert(at, ins);
                    m.Text.erase(s, n);
                } else {
                    m.Text.erase(s, n);
                    m.Text.insert(at, ins);
                }
            }
            e->EndSelectionDrag(true, copy);
            EXPECT_FALSE(e->IsDraggingSelection());
            EXPECT_FALSE(e->Selected());
            break;
        }
        }
        const std::string after = Joined(*e);
        if (modelledStep) {
            ++modelled;
            ASSERT_EQ(after, m.Text) << "step " << step << ": " << what;
        } else {
            m.Text = after;
        }
        previous = what;
        // An indent re-selects its block with the anchor at the far end.
        if (streamSel()) anchor = caretOffset() == e->SelStart() ? e->SelStart() + e->SelLength() : e->SelStart();
        ASSERT_EQ(e->CaretHideCount(), 0) << what;
        ASSERT_EQ(e->UnderlineHideCount(), e->Selected() ? 1 : 0) << what;
        if (after != before) {
            ++edits;
            e->Undo();
            ASSERT_EQ(Joined(*e), before) << "undo of step " << step << ": " << what;
            e->Redo();
            ASSERT_EQ(Joined(*e), after) << "redo of step " << step << ": " << what;
        }
    }
    EXPECT_GT(modelled, 300);
    EXPECT_GT(edits, 150);
    while (e->CanUndo()) e->Undo();
    EXPECT_EQ(Joined(*e), original);
}

} // namespace
} // namespace vellumo::testing
