// Random typing, pasting (each kind of line break), deleting, replacing and
// undo on the row store with word wrap and word breaks on, against a plain
// string and a caret offset: after every edit the joined rows equal the
// string and the caret the edit asks for equals the model's.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "../editor/model_support.h"
#include "base/leadbytes.h"
#include "editor/boxtext.h"
#include "editor/typetext.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"

using namespace vellumo;
using vellumo::test::Normalise;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

struct Reader {
    const std::uint8_t* p;
    std::size_t n;
    int Byte() { return n ? (--n, *p++) : 0; }
};

// Pieces of text: single bytes, double-byte characters (one with a trail
// byte that is a backslash), every line break, and a lone lead byte.
const char* const kPieces[] = {"a", "b", " ", "\t", "\x82\xA0", "\x95\x5C", "\x81\x42", "\r\n", "\r", "\n", "\x82"};

std::string RandomText(Reader& in, int pieces)
{
    std::string t;
    for (int i = 0; i < pieces; ++i) t += kPieces[in.Byte() % (sizeof kPieces / sizeof *kPieces)];
    return t;
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

// Character starts of the stored text (CR LF one place), walked line by line.
std::vector<std::size_t> Places(const std::string& t)
{
    std::vector<std::size_t> places;
    for (std::size_t i = 0; i < t.size();) {
        places.push_back(i);
        if (t[i] == '\r') i += 2;
        else if (IsLeadByte(static_cast<unsigned char>(t[i])) && i + 1 < t.size() && !IsBreak(t[i + 1])) i += 2;
        else ++i;
    }
    places.push_back(t.size());
    return places;
}

// A lead byte left without its trail at the end of the line before at.
bool StrayLeadBefore(const std::string& t, std::size_t at)
{
    std::size_t run = 0;
    while (run < at && IsLeadByte(static_cast<unsigned char>(t[at - 1 - run]))) ++run;
    return run % 2 == 1;
}

// The model's insertion: a stray lead byte before the place goes after the text.
std::size_t ModelInsert(std::string& t, std::size_t at, const std::string& raw)
{
    const std::string ins = Normalise(raw);
    if (!ins.empty() && StrayLeadBefore(t, at)) {
        t.insert(at - 1, ins);
        return at - 1 + ins.size();
    }
    t.insert(at, ins);
    return at + ins.size();
}

long long RowStart(const TEditorScreenStrings& s, int row)
{
    long long o = 0;
    for (int r = 0; r < row && r < s.Count(); ++r)
        o += static_cast<long long>(s.Strings(r).size()) + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
    return o;
}

// The display place of a stored offset.
void Place(const TEditorScreenStrings& s, std::size_t offset, int& row, int& col)
{
    int byte = 0;
    if (!OffsetToRowByte(s, static_cast<long long>(offset), row, byte)) {
        col = 0;  // the empty place after a final line break
        return;
    }
    col = ByteToCell(s.Strings(row), byte, s.CellRules());
}

long long Apply(TEditorScreenStrings& s, const TRowsEdit& e)
{
    Check(s.ReplaceRows(e.Row, e.Count, e.Text));
    Check(e.ByOffset);
    return RowStart(s, e.OffsetRow) + e.Offset;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Reader in{data, size};
    test::TFakeView view;
    view.tabWidth = 1 + in.Byte() % 8;
    TEditorScreenStrings& s = view.ScreenStrings();
    s.UndoObj().SetListMax(1 << 20);
    const int flags = in.Byte();
    s.WrapOption().SetWrapByte(20 + in.Byte() % 20);
    s.WrapOption().SetWordBreak(true);
    s.WrapOption().SetFollowPunctuation(flags & 1);
    s.WrapOption().SetLeading(flags & 2);
    s.WrapOption().SetFollowRetMark(flags & 4);
    s.SetWordWrap(true);
    // A long word first, so that word breaks fall back to short rows.
    const std::string word(static_cast<std::size_t>(in.Byte() % 90), 'w');
    std::string text = Normalise(word + RandomText(in, in.Byte() % 40));
    s.LoadText(text);
    Check(JoinRows(s) == text);
    std::vector<std::string> history;

    for (int steps = 0; in.n > 0 && steps < 100; ++steps) {
        const std::vector<std::size_t> places = Places(text);
        const std::size_t a = places[static_cast<std::size_t>(in.Byte()) % places.size()];
        const std::size_t b = places[static_cast<std::size_t>(in.Byte()) % places.size()];
        const int op = in.Byte() % 6;
        if (op == 5) {
            if (history.empty()) continue;
            Check(s.Undo());
            text = history.back();
            history.pop_back();
            Check(JoinRows(s) == text);
            continue;
        }
        int row = 0, col = 0;
        Place(s, a, row, col);
        std::string model = text;
        std::size_t caret = a;
        std::optional<TRowsEdit> e;
        if (op <= 1) {  // typing one character, or pasting text
            const std::string t = RandomText(in, op == 0 ? 1 : 1 + in.Byte() % 12);
            e = op == 0 ? TypeTextEdit(s, nullptr, row, col, t, false) : InsertStreamTextEdit(s, nullptr, row, col, t);
            caret = ModelInsert(model, a, t);
        } else {  // deleting, or pasting over, the range between two places
            if (a == b) continue;
            const std::size_t from = std::min(a, b), to = std::max(a, b);
            int erow = 0, ecol = 0;
            Place(s, b, erow, ecol);
            const TEditorSelection sel = MakeSelection(s, row, col, erow, ecol, false);
            model.erase(from, to - from);
            if (op <= 3) {
                e = DeleteSelectionEdit(s, sel);
            } else {
                const std::string t = RandomText(in, 1 + in.Byte() % 8);
                e = InsertStreamTextEdit(s, &sel, erow, ecol, t);
                caret = ModelInsert(model, from, t);
            }
            if (op <= 3) caret = from;
        }
        if (!e) continue;
        history.push_back(text);
        const long long got = Apply(s, *e);
        text = std::move(model);
        Check(JoinRows(s) == text);
        Check(got == static_cast<long long>(caret));
    }
    return 0;
}
