#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "editor/boxtext.h"
#include "editor/rowstore.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

// The plain model: lines of characters on a grid, TABs 4 wide, a
// double-byte character two cells.
struct TChar {
    std::size_t byte, size;
    int col, width;
};

std::vector<TChar> Chars(const std::string& t)
{
    std::vector<TChar> out;
    int col = 0;
    for (std::size_t i = 0; i < t.size();) {
        const bool pair = IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size();
        const int w = t[i] == '\t' ? 4 - col % 4 : pair ? 2 : 1;
        out.push_back({i, pair ? 2u : 1u, col, w});
        col += w;
        i += pair ? 2 : 1;
    }
    return out;
}

int ModelWidth(const std::string& t)
{
    const auto c = Chars(t);
    return c.empty() ? 0 : c.back().col + c.back().width;
}

// Byte where text put at display column col goes: before the first
// character starting at or after col; a short row is filled with spaces.
std::size_t ModelPlace(std::string& t, int col)
{
    for (const TChar& c : Chars(t))
        if (c.col >= col) return c.byte;
    const int w = ModelWidth(t);
    if (w < col) t.append(static_cast<std::size_t>(col - w), ' ');
    return t.size();
}

struct TModel {
    Rows rows;
    bool finalBreak = false;

    std::string Text() const
    {
        std::string s;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            s += rows[i];
            if (i + 1 < rows.size() || finalBreak) s += "\r\n";
        }
        return s;
    }
};

class BoxText : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();

    void SetUp() override { view.tabWidth = 4; }

    void Apply(const std::optional<TRowsEdit>& e)
    {
        ASSERT_TRUE(e);
        ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text) || (e->Count == 0 && e->Text.empty()));
    }
};

std::string RandomRow(std::mt19937& rng)
{
    static const char* pieces[] = {"a", "b", "c", "\t", " ", "\x82\xA0", "\x88\x9F", "x"};
    std::string t;
    const int n = static_cast<int>(rng() % 9);
    for (int i = 0; i < n; ++i) t += pieces[rng() % 8];
    return t;
}

// A column at a character's start or past the row's end: where a caret can stand.
int CaretColumn(std::mt19937& rng, const std::string& row)
{
    const auto c = Chars(row);
    if (c.empty() || rng() % 3 == 0) return ModelWidth(row) + static_cast<int>(rng() % 4);
    return c[rng() % c.size()].col;
}

TEST_F(BoxText, InsertingABoxMatchesTheGridModel)
{
    std::mt19937 rng(11);
    int withSelection = 0;
    for (int round = 0; round < 1500; ++round) {
        TModel m;
        const int n = 1 + static_cast<int>(rng() % 6);
        for (int i = 0; i < n; ++i) m.rows.push_back(RandomRow(rng));
        m.finalBreak = rng() % 2;
        // The store keeps no empty last row without a break: that is a final break.
        if (!m.finalBreak && m.rows.back().empty()) {
            m.rows.pop_back();
            m.finalBreak = true;
        }
        if (m.rows.empty()) continue;
        s.LoadText(m.Text());
        ASSERT_EQ(JoinRows(s), m.Text());
        const int count = s.Count();
        ASSERT_EQ(count, static_cast<int>(m.rows.size()));

        std::vector<std::string> lines;
        const int nlRandom = 1 + static_cast<int>(rng() % 4);
        std::string paste;
        bool endsWithBreak = false;
        for (int j = 0; j < nlRandom; ++j) {
            lines.push_back(RandomRow(rng));
            paste += lines.back();
            endsWithBreak = j + 1 < nlRandom || rng() % 2;
            if (endsWithBreak) paste += "\r\n";
        }
        // Splitting drops an empty last line that no break ends.
        if (lines.back().empty() && !endsWithBreak) {
            lines.pop_back();
            if (lines.empty()) {
                EXPECT_FALSE(InsertBoxTextEdit(s, nullptr, 0, 0, paste));
                continue;
            }
        }
        const int nl = static_cast<int>(lines.size());

        const int mode = static_cast<int>(rng() % 3);  // caret, stream selection, box selection
        const int maxRow = m.finalBreak ? count : count - 1;
        const int ar = static_cast<int>(rng() % (maxRow + 1));
        const int cr = static_cast<int>(rng() % (maxRow + 1));
        const std::string arow = ar < count ? m.rows[ar] : "";
        const std::string crow = cr < count ? m.rows[cr] : "";
        int ac = ar < count ? CaretColumn(rng, arow) : 0;
        int cc = cr < count ? CaretColumn(rng, crow) : 0;
        if (mode == 1) {  // a stream anchor never stands past the end of its row
            ac = std::min(ac, ModelWidth(arow));
            cc = std::min(cc, ModelWidth(crow));
        }
        if (mode == 1 && ar == cr && ac == cc) continue;

        TModel want = m;
        int caretRow = 0, caretCol = 0;
        std::optional<TRowsEdit> e;
        int placed = 0;      // lines already placed into rows of the selection
        int nextRow = 0;     // the next original row to take a line
        int col = 0;         // the box's left column
        int touchedLast = -1;
        Rows out;            // the rows that replace the block
        int firstRow = 0;
        if (mode == 0) {
            firstRow = cr;
            nextRow = cr;
            col = cc;
            e = InsertBoxTextEdit(s, nullptr, cr, cc, paste);
        } else {
            const TEditorSelection sel = MakeSelection(s, ar, ac, cr, cc, mode == 2);
            ++withSelection;
            firstRow = sel.StartRow;
            col = sel.StartCol;
            const int sr = std::min(ar, cr), er = std::max(ar, cr);
            if (sr >= count) continue;
            if (mode == 2) {
                const int lo = std::min(ac, cc), hi = std::max(ac, cc);
                for (int r = sr; r <= std::min(er, count - 1); ++r) {
                    std::string t = m.rows[r];
                    std::string kept;
                    std::size_t cut = std::string::npos;
                    for (const TChar& c : Chars(t)) {
                        if (c.col >= lo && cut == std::string::npos) cut = kept.size();
                        if (c.col >= lo && c.col < hi) continue;
                        kept += t.substr(c.byte, c.size);
                    }
                    if (placed < nl) {
                        if (cut == std::string::npos) {
                            const int w = ModelWidth(t);
                            if (w < lo) kept.append(static_cast<std::size_t>(lo - w), ' ');
                            cut = kept.size();
                        }
                        kept.insert(cut, lines[placed++]);
                    }
                    out.push_back(kept);
                    touchedLast = r;
                }
            } else {
                // Stream: the start row's head and the end row's tail become one row.
                const bool anchorFirst = ar < cr || (ar == cr && ac < cc);
                std::string h = m.rows[sr];
                const std::string head = h.substr(0, ModelPlace(h, anchorFirst ? ac : cc));
                std::string tail;
                if (er < count) {
                    std::string t = m.rows[er];
                    tail = t.substr(std::min(t.size(), ModelPlace(t, anchorFirst ? cc : ac)));
                }
                out.push_back(head + lines[placed++] + tail);
                touchedLast = std::min(er, count - 1);
            }
            nextRow = er + 1;
        }
        for (; placed < nl; ++placed) {
            if (nextRow < count) {
                std::string t = m.rows[nextRow];
                const std::size_t at = ModelPlace(t, col);
                t.insert(at, lines[placed]);
                out.push_back(t);
                touchedLast = nextRow++;
            } else {
                out.push_back(std::string(static_cast<std::size_t>(col), ' ') + lines[placed]);
                touchedLast = count;
            }
        }
        Rows rows(m.rows.begin(), m.rows.begin() + std::min(firstRow, count));
        rows.insert(rows.end(), out.begin(), out.end());
        if (touchedLast + 1 < count) rows.insert(rows.end(), m.rows.begin() + touchedLast + 1, m.rows.end());
        want.rows = rows;
        want.finalBreak = touchedLast >= count - 1 ? true : m.finalBreak;
        caretRow = firstRow;
        caretCol = col;

        if (mode != 0) {
            const TEditorSelection sel = MakeSelection(s, ar, ac, cr, cc, mode == 2);
            e = InsertBoxTextEdit(s, &sel, cr, cc, paste);
        }
        Apply(e);
        ASSERT_EQ(JoinRows(s), want.Text()) << "round " << round << " mode " << mode << " anchor " << ar << ","
                                            << ac << " caret " << cr << "," << cc << " paste [" << paste << "]\nfrom ["
                                            << m.Text() << "]";
        EXPECT_EQ(e->CaretRow, caretRow);
        EXPECT_EQ(e->CaretCol, caretCol);
    }
    EXPECT_GT(withSelection, 600);
}

TEST_F(BoxText, AStreamSelectionOverSeveralRowsIsReplacedOnlyOnce)
{
    s.LoadText("0123\r\nabcd\r\nefgh\r\nijkl\r\nmnop\r\n");
    // From row 0 column 2 to row 2 column 2; three lines pasted as a box.
    const TEditorSelection sel = MakeSelection(s, 0, 2, 2, 2, false);
    const auto e = InsertBoxTextEdit(s, &sel, 2, 2, "X\r\nY\r\nZ\r\n");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Row, 0);
    EXPECT_EQ(e->Count, 5);  // rows 0..2 covered, rows 3 and 4 received a line
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowDump(s), (Rows{"01Xgh|L", "ijYkl|L", "mnZop|L"}));
}

TEST_F(BoxText, ShortRowsArePaddedAndNewRowsIndented)
{
    s.LoadText("0123456789abc\r\nshort\r\nlast");
    const auto e = InsertBoxTextEdit(s, nullptr, 1, 10, "A\r\nB\r\nC");
    ASSERT_TRUE(e);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowDump(s), (Rows{"0123456789abc|L", "short     A|L", "last      B|L", "          C|L"}));
    EXPECT_EQ(e->CaretRow, 1);
    EXPECT_EQ(e->CaretCol, 10);
    EXPECT_FALSE(InsertBoxTextEdit(s, nullptr, 0, 0, ""));
    // At the empty place after the final line break: rows are added.
    const auto end = InsertBoxTextEdit(s, nullptr, s.Count(), 2, "x\r\ny");
    ASSERT_TRUE(end);
    EXPECT_EQ(end->Count, 0);
    ASSERT_TRUE(s.ReplaceRows(end->Row, end->Count, end->Text));
    EXPECT_EQ(RowDump(s).back(), "  y|L");
}

TEST_F(BoxText, BoxEdgesAgainstDoubleByteCharactersAndTabs)
{
    // "a" then the kana at cells 1-2, then "b".
    s.LoadText("a\x82\xA0" "b\r\nabcd");
    // The left edge at cell 2 cuts the kana: it stays. The right edge at 3 ends after it.
    TEditorSelection sel = MakeSelection(s, 0, 2, 1, 3, true);
    auto rows = GetUnselectedRows(s, sel);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Text, "a\x82\xA0" "b");
    EXPECT_EQ(rows[1].Text, "abd");
    // The right edge at cell 2 cuts it: it goes with the box.
    sel = MakeSelection(s, 0, 1, 1, 2, true);
    rows = GetUnselectedRows(s, sel);
    EXPECT_EQ(rows[0].Text, "ab");
    EXPECT_EQ(rows[0].Cut, 2);
    EXPECT_EQ(rows[1].Text, "acd");
    // A TAB straddling the left edge stays and the box text goes after it.
    s.LoadText("a\tb");
    const auto e = InsertBoxTextEdit(s, nullptr, 0, 2, "X");
    ASSERT_TRUE(e);
    EXPECT_EQ(e->Text, "a\tXb\r\n");
    std::string classes = "12335";
    EXPECT_EQ(BoxLeftByte(classes, 3), 3);   // fill: after the TAB
    EXPECT_EQ(BoxRightByte(classes, 4), 2);  // fill: the TAB itself
    EXPECT_EQ(BoxLeftByte(classes, 9), 7);   // past the end: one byte a cell
}

TEST_F(BoxText, DeletingASelection)
{
    s.LoadText("abcdef\r\nghijkl\r\nmn");
    // Stream from row 0 column 3 to row 1 column 3 joins the rows.
    auto e = DeleteSelectionEdit(s, MakeSelection(s, 0, 3, 1, 3, false));
    ASSERT_TRUE(e);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowDump(s), (Rows{"abcjkl|L", "mn|E"}));
    EXPECT_TRUE(e->ByOffset);
    EXPECT_EQ(e->Offset, 3);
    // Ending at the start of a row keeps that row whole.
    s.LoadText("abc\r\ndef");
    e = DeleteSelectionEdit(s, MakeSelection(s, 0, 1, 1, 0, false));
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowDump(s), (Rows{"adef|E"}));
    // A box removes its columns from every row; the caret offset counts the line break before it.
    s.LoadText("abcd\r\nefgh\r\nij");
    e = DeleteSelectionEdit(s, MakeSelection(s, 1, 1, 2, 3, true));
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(RowDump(s), (Rows{"abcd|L", "eh|L", "i|E"}));
    EXPECT_EQ(e->OffsetRow, 1);
    EXPECT_EQ(e->Offset, 1);
    // Offsets are counted from one row above in a wrapped line (no line break between).
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    s.LoadText("0123456789abcdefghijKLMNOP\r\nxyz");
    ASSERT_EQ(s.GetRowAttribute(0), raWrapped);
    e = DeleteSelectionEdit(s, MakeSelection(s, 1, 2, 2, 1, false));
    EXPECT_EQ(e->OffsetRow, 0);
    EXPECT_EQ(e->Offset, 22);
    ASSERT_TRUE(s.ReplaceRows(e->Row, e->Count, e->Text));
    EXPECT_EQ(JoinRows(s), "0123456789abcdefghijKLyz");
    EXPECT_FALSE(DeleteSelectionEdit(s, MakeSelection(s, 5, 0, 6, 0, false)));
}

} // namespace
