// Random edits of the row store and of Lines against a plain string holding
// the same text, with word wrap off and on, checking the text, the row
// invariants and the bracket states after every step, and that undoing
// everything restores the start and redoing everything the end.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "editor/lines.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

// Byte offset where a row starts in the joined text (row count: the end).
std::vector<std::size_t> RowStarts(const TEditorScreenStrings& s)
{
    std::vector<std::size_t> starts{0};
    for (int r = 0; r < s.Count(); ++r)
        starts.push_back(starts.back() + s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0));
    return starts;
}

struct Config {
    const char* name;
    bool wrap;
    int wrapByte;
    bool wordBreak, followPunct, leading, followRet;
    int tab;
};

class Model {
public:
    Model(const Config& c, unsigned seed) : cfg_(c), rng_(seed), lines_(view_)
    {
        view_.tabWidth = c.tab;
        view_.screenHeight = 80;  // five rows a screen: propagation stops ten rows down
        TEditorScreenStrings& s = Store();
        s.UndoObj().SetListMax(1000000);
        TEditorWrapOption& o = s.WrapOption();
        o.SetWrapByte(c.wrapByte);
        o.SetWordBreak(c.wordBreak);
        o.SetFollowPunctuation(c.followPunct);
        o.SetLeading(c.leading);
        o.SetFollowRetMark(c.followRet);
        s.SetWordWrap(c.wrap);
        text_ = Normalise(RandomText(100));
        lines_.SetText(text_);
        start_ = text_;
        Check("load");
    }

    TEditorScreenStrings& Store() { return view_.ScreenStrings(); }

    std::string RandomPiece()
    {
        static const std::vector<std::string> pieces = {
            "a", "b", "word", " ", "\t", "\r\n", "\n", "\r", "{", "}", ".", ",", "(", ")",
            "\x82\xA0",          // あ
            "\x81\x42",          // 。
            "\x81\x41",          // 、
            "\x81\x75",          // 「
            "\x81\x76",          // 」
            "\x95\x5C",          // 表 (trail byte is a backslash)
            "\x81\x40",          // full-width space
            "\xB1",              // half-width katakana
            "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx",
            std::string(1, '\0'),
            LongPiece(),
        };
        std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
        return pieces[pick(rng_)];
    }

    // A run without line breaks several rows wide, so that lines grow long.
    static std::string LongPiece()
    {
        std::string l;
        for (int i = 0; i < 24; ++i) l += i % 5 ? "long\x8A\xBF " : "{\t}";
        return l;
    }

    std::string RandomText(int maxPieces)
    {
        std::uniform_int_distribution<int> len(0, maxPieces);
        std::string t;
        for (int n = len(rng_); n > 0; --n) t += RandomPiece();
        return t;
    }

    int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

    void Step(int i)
    {
        TEditorScreenStrings& s = Store();
        const int undoBefore = s.UndoObj().UndoCount();
        const std::string before = text_;
        const int op = Rand(0, 99);
        std::string what;
        if (op < 15 && s.Count() > 0 && text_.size() < 3000) {
            // A key typed into a row: its line break stays as it is.
            const int row = Rand(0, s.Count() - 1);
            std::string t(s.Strings(row));
            std::string piece = RandomPiece();
            piece.erase(std::remove_if(piece.begin(), piece.end(), [](char c) { return c == '\r' || c == '\n'; }), piece.end());
            if (piece.empty()) piece = "a";
            const std::size_t at = static_cast<std::size_t>(Rand(0, static_cast<int>(t.size())));
            t.insert(at, piece);
            if (s.GetRowAttribute(row) == raLineBreak) t += "\r\n";
            // The row's new text, or only the bytes and where (as a key puts them in place).
            const bool inPlace = op % 2 == 0;
            what = std::string(inPlace ? "InsertIntoRow(" : "Type(") + std::to_string(row) + ",\"" + t + "\")";
            const auto starts = RowStarts(s);
            const std::size_t a = starts[static_cast<std::size_t>(row)], b = starts[static_cast<std::size_t>(row + 1)];
            text_ = text_.substr(0, a) + Normalise(t) + text_.substr(b);
            EXPECT_TRUE(inPlace ? s.InsertIntoRow(row, at, piece) : s.ReplaceRows(row, 1, t)) << what;
        } else if (op < 55) {
            const int n = s.Count();
            // Mostly valid ranges, sometimes outside (must change nothing).
            int row = Rand(0, n), count = Rand(0, std::min(3, n - row));
            if (op < 3) row = Rand(-2, n + 2), count = Rand(-1, 4);
            std::string t = text_.size() > 3000 ? std::string() : RandomText(6);
            what = "ReplaceRows(" + std::to_string(row) + "," + std::to_string(count) + ",\"" + t + "\")";
            const bool valid = row >= 0 && count >= 0 && row + count <= n && (count > 0 || !t.empty());
            if (valid) {
                const auto starts = RowStarts(s);
                const std::size_t a = starts[static_cast<std::size_t>(row)], b = starts[static_cast<std::size_t>(row + count)];
                text_ = text_.substr(0, a) + Normalise(t) + text_.substr(b);
            }
            EXPECT_EQ(s.ReplaceRows(row, count, t), valid) << what;
        } else if (op < 85) {
            const int lines = lines_.Count();
            int index = Rand(-1, lines);
            std::string t = RandomText(op % 7 == 0 ? 3 : 2);
            if (op % 3) t.erase(std::remove_if(t.begin(), t.end(), [](char c) { return c == '\r' || c == '\n'; }), t.end());
            const auto starts = RowStarts(s);
            auto lineRange = [&](int idx, std::size_t& a, std::size_t& b, bool& eof) {
                const int first = s.LineToRow(idx), last = s.LastRowOfLine(first);
                a = starts[static_cast<std::size_t>(first)];
                b = starts[static_cast<std::size_t>(last + 1)];
                eof = s.GetRowAttribute(last) == raEof;
            };
            auto modelAdd = [&] {
                if (text_.empty() || (text_.size() >= 2 && text_.compare(text_.size() - 2, 2, "\r\n") == 0))
                    text_ += Normalise(t) + "\r\n";
                else
                    text_ += "\r\n" + Normalise(t);
            };
            const int kind = op % 4;
            if (kind == 0) {
                what = "Lines.Add";
                EXPECT_EQ(lines_.Add(t), lines);
                modelAdd();
            } else if (kind == 1) {
                what = "Lines.Insert(" + std::to_string(index) + ")";
                if (index == lines) {
                    modelAdd();
                } else if (index >= 0 && index < lines) {
                    const std::size_t a = starts[static_cast<std::size_t>(s.LineToRow(index))];
                    text_.insert(a, Normalise(t) + "\r\n");
                }
                lines_.Insert(index, t);
            } else if (kind == 2) {
                what = "Lines.Put(" + std::to_string(index) + ")";
                if (index >= 0 && index < lines) {
                    std::size_t a, b;
                    bool eof;
                    lineRange(index, a, b, eof);
                    EXPECT_EQ(lines_.Get(index), Normalise(text_.substr(a, b - a - (eof ? 0 : 2)))) << what;
                    text_ = text_.substr(0, a) + Normalise(t) + (eof ? "" : "\r\n") + text_.substr(b);
                } else {
                    EXPECT_EQ(lines_.Get(index), "");
                }
                lines_.Put(index, t);
            } else {
                what = "Lines.Delete(" + std::to_string(index) + ")";
                if (index >= 0 && index < lines) {
                    std::size_t a, b;
                    bool eof;
                    lineRange(index, a, b, eof);
                    text_.erase(a, b - a);
                }
                lines_.Delete(index);
            }
        } else if (op < 93) {
            what = "Undo";
            if (!past_.empty()) {
                EXPECT_TRUE(s.Undo());
                future_.push_back(text_);
                text_ = past_.back();
                past_.pop_back();
            } else {
                EXPECT_FALSE(s.Undo());
            }
        } else {
            what = "Redo";
            if (!future_.empty()) {
                EXPECT_TRUE(s.Redo());
                past_.push_back(text_);
                text_ = future_.back();
                future_.pop_back();
            } else {
                EXPECT_FALSE(s.Redo());
            }
        }
        if (what != "Undo" && what != "Redo" && s.UndoObj().UndoCount() != undoBefore) {
            past_.push_back(before);
            future_.clear();
        }
        // The painter asks for the states of a row it shows.
        if (Rand(0, 9) == 0 && s.Count() > 0) s.RepropagateBrackets(Rand(0, s.Count() - 1), false);
        ++ops_;
        Check(std::string(cfg_.name) + " step " + std::to_string(i) + " " + what);
    }

    void Check(const std::string& where)
    {
        TEditorScreenStrings& s = Store();
        ASSERT_EQ(JoinRows(s), text_) << where;
        ASSERT_EQ(lines_.Text(), text_) << where;
        const int n = s.Count();
        for (int r = 0; r < n; ++r) {
            const TEditorRowAttribute a = s.GetRowAttribute(r);
            ASSERT_TRUE(a == raLineBreak || a == raWrapped || a == raEof) << where << " row " << r;
            if (r < n - 1) { ASSERT_NE(a, raEof) << where << " row " << r; }
            if (!s.WordWrap()) { ASSERT_NE(a, raWrapped) << where << " row " << r; }
            ASSERT_EQ(s.Strings(r).find_first_of(std::string("\r\n\0", 3)), std::string::npos) << where << " row " << r;
        }
        if (n > 0) { ASSERT_NE(s.GetRowAttribute(n - 1), raWrapped) << where; }
        // A text ending in a line break ends in a line-break row; otherwise the last row is raEof.
        if (!text_.empty()) { ASSERT_EQ(s.GetRowAttribute(n - 1) == raLineBreak, text_.back() == '\n') << where << Dump(); }
        ASSERT_EQ(n == 0, text_.empty()) << where;

        // Lines agree with the logical lines of the text.
        std::vector<std::string> expect;
        for (std::size_t p = 0; p < text_.size();) {
            std::size_t e = text_.find("\r\n", p);
            if (e == std::string::npos) {
                expect.push_back(text_.substr(p));
                break;
            }
            expect.push_back(text_.substr(p, e - p));
            p = e + 2;
        }
        ASSERT_EQ(lines_.StoredStrings(), expect) << where;

        if (s.WordWrap()) {
            // Every logical line is cut exactly as wrapping it afresh would cut it.
            const int w = s.WrapOption().WrapByte();
            for (int line = 0; line < s.LineCount(); ++line) {
                const int first = s.LineToRow(line), last = s.LastRowOfLine(first);
                TEditorStringList fresh;
                s.SplitToRows(lines_.Get(line), fresh);
                ASSERT_EQ(fresh.Count(), last - first + 1) << where << " line " << line << " now" << Dump();
                ASSERT_EQ(s.CountWrapRows(lines_.Get(line)), fresh.Count()) << where << " line " << line;
                for (int k = 0; k < fresh.Count(); ++k) {
                    ASSERT_EQ(fresh.Strings(k), s.Strings(first + k)) << where << " line " << line << " row " << k;
                    if (k + 1 < fresh.Count()) { ASSERT_EQ(s.GetRowAttribute(first + k), raWrapped) << where; }
                    ASSERT_LE(GetRowWidth(s, first + k), w + 3) << where;
                    if (!cfg_.followPunct) { ASSERT_LE(GetRowWidth(s, first + k), w) << where; }
                }
            }
        }

        // Stored bracket states are either not computed or right.
        int state = -1;
        for (int r = 0; r < n; ++r) {
            const int stored = s.GetBracketState(r);
            if (stored != kBracketUnknown) { ASSERT_EQ(stored, state) << where << " row " << r; }
            if (r >= s.BracketKnownEnd()) { ASSERT_EQ(stored, kBracketUnknown) << where << " row " << r; }
            state = s.ParseRowBrackets(r, state);
        }
    }

    std::string Dump()
    {
        std::string d = "\n";
        for (const std::string& r : RowDump(Store())) d += "  [" + r + "]\n";
        return d;
    }

    void UndoRedoAll()
    {
        TEditorScreenStrings& s = Store();
        const std::string final = text_;
        while (!future_.empty()) {
            ASSERT_TRUE(s.Redo());
            past_.push_back(text_);
            text_ = future_.back();
            future_.pop_back();
            ASSERT_EQ(JoinRows(s), text_) << cfg_.name << " redoing all";
        }
        ASSERT_FALSE(s.CanRedo());
        const std::string newest = JoinRows(s);
        int undone = 0;
        // Every step back gives the text that was there before that edit.
        while (s.CanUndo()) {
            ASSERT_TRUE(s.Undo()) << cfg_.name << " undoing all, " << undone << " undone";
            ASSERT_FALSE(past_.empty());
            ASSERT_EQ(JoinRows(s), past_.back()) << cfg_.name << " undoing all, " << undone << " undone";
            past_.pop_back();
            ++undone;
        }
        EXPECT_EQ(JoinRows(s), start_) << cfg_.name;
        text_ = start_;
        Check(std::string(cfg_.name) + " after undoing all");
        int redone = 0;
        while (s.CanRedo()) {
            ASSERT_TRUE(s.Redo());
            ++redone;
        }
        EXPECT_EQ(undone, redone);
        EXPECT_EQ(JoinRows(s), newest) << cfg_.name;
        text_ = newest;
        Check(std::string(cfg_.name) + " after redoing all");
        (void)final;
    }

    int ops_ = 0;

private:
    Config cfg_;
    std::mt19937 rng_;
    TFakeView view_;
    TEditorStrings lines_;
    std::string text_, start_;
    std::vector<std::string> past_, future_;
};

const Config kConfigs[] = {
    {"unwrapped", false, 80, false, false, false, false, 8},
    {"unwrapped tab 4", false, 80, false, false, false, false, 4},
    {"wrap 20", true, 20, false, false, false, false, 8},
    {"wrap 20 word break", true, 20, true, false, false, false, 4},
    {"wrap 21 kinsoku", true, 21, false, true, true, false, 8},
    {"wrap 25 all rules", true, 25, true, true, true, true, 3},
    {"wrap 20 ret mark", true, 20, false, false, false, true, 8},
};

TEST(RowStoreModel, RandomEditsMatchAPlainString)
{
    int total = 0;
    unsigned seed = 1234;
    for (const Config& c : kConfigs) {
        Model m(c, seed++);
        for (int i = 0; i < 1800; ++i) {
            m.Step(i);
            if (::testing::Test::HasFatalFailure()) return;
        }
        m.UndoRedoAll();
        if (::testing::Test::HasFatalFailure()) return;
        total += m.ops_;
    }
    EXPECT_GE(total, 10000);
}

} // namespace
