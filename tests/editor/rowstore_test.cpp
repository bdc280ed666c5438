#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "editor/lines.h"
#include "editor/rowstore.h"
#include "editor/undo.h"
#include "editor/wrapoption.h"
#include "model_support.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

using Rows = std::vector<std::string>;

class Store : public ::testing::Test {
protected:
    TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    TEditorStrings lines{view};
};

TEST_F(Store, AppendingAfterTheLastRow)
{
    lines.SetText("a\r\n");
    EXPECT_TRUE(s.ReplaceRows(1, 0, "x"));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "x|E"}));
    lines.SetText("a\r\n");
    EXPECT_TRUE(s.ReplaceRows(1, 0, "x\r\n"));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "x|L"}));
    // After a last line without a break the text joins it, never a second raEof row.
    lines.SetText("a");
    EXPECT_TRUE(s.ReplaceRows(1, 0, "x"));
    EXPECT_EQ(RowDump(s), (Rows{"ax|E"}));
    // A lone CR at the end is a line break too.
    lines.SetText("a\r\n");
    EXPECT_TRUE(s.ReplaceRows(1, 0, "x\r"));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "x|L"}));
}

TEST_F(Store, InsertingIntoAnEmptyStoreAndAtRowZero)
{
    EXPECT_FALSE(s.ReplaceRows(0, 0, ""));
    EXPECT_TRUE(s.ReplaceRows(0, 0, "first"));
    EXPECT_EQ(RowDump(s), (Rows{"first|E"}));
    EXPECT_TRUE(s.ReplaceRows(0, 0, "zero\r\n"));
    EXPECT_EQ(RowDump(s), (Rows{"zero|L", "first|E"}));
    s.Clear();
    EXPECT_TRUE(s.ReplaceRows(0, 0, "\r\n"));
    EXPECT_EQ(RowDump(s), (Rows{"|L"}));
}

TEST_F(Store, RangesOutsideTheRowsChangeNothing)
{
    lines.SetText("a\r\nb");
    const int records = s.UndoObj().UndoCount();
    EXPECT_FALSE(s.ReplaceRows(-1, 1, "x"));
    EXPECT_FALSE(s.ReplaceRows(3, 0, "x"));
    EXPECT_FALSE(s.ReplaceRows(1, 2, "x"));
    EXPECT_FALSE(s.ReplaceRows(0, -1, "x"));
    EXPECT_FALSE(s.ReplaceRows(1, 0, ""));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "b|E"}));
    EXPECT_EQ(s.UndoObj().UndoCount(), records);
}

TEST_F(Store, WholeLineDeletionRecordsExactlyTheRemovedText)
{
    lines.SetText("a\r\nb\r\nc\r\nd");
    view.validChanges = 0;
    EXPECT_TRUE(s.ReplaceRows(1, 2, ""));
    EXPECT_EQ(RowDump(s), (Rows{"a|L", "d|E"}));
    const TUndoData& r = s.UndoObj().UndoList().back();
    EXPECT_EQ(r.FirstRow, 1);
    EXPECT_EQ(r.RowsInserted, 0);
    EXPECT_EQ(r.RemovedText, "b\r\nc\r\n");
    EXPECT_EQ(r.RemovedAttribute, raLineBreak);
    EXPECT_EQ(view.validChanges, 1);
    EXPECT_EQ(view.lastRange.StartRow, 1);
    EXPECT_EQ(view.lastRange.OldCount, 2);
    EXPECT_EQ(view.lastRange.NewCount, 0);
    EXPECT_FALSE(s.ChangeRange().Valid);  // only valid while the views are told
}

TEST_F(Store, JoiningARowWithTheNextLine)
{
    lines.SetText("a\r\nb\r\nc");
    EXPECT_TRUE(s.ReplaceRows(0, 1, "x"));  // the replaced row's line break goes too
    EXPECT_EQ(RowDump(s), (Rows{"xb|L", "c|E"}));
    EXPECT_EQ(view.lastRange.OldCount, 2);
    EXPECT_EQ(view.lastRange.NewCount, 1);
    EXPECT_TRUE(s.ReplaceRows(1, 1, "y"));
    EXPECT_EQ(RowDump(s), (Rows{"xb|L", "y|E"}));
}

TEST_F(Store, EditsInsideAWrappedLineResplitFromTheRowBefore)
{
    s.WrapOption().SetWrapByte(20);
    s.SetWordWrap(true);
    lines.SetText(std::string(50, 'a') + "\r\n" + std::string(30, 'b') + "\r\n");
    ASSERT_EQ(RowDump(s), (Rows{std::string(20, 'a') + "|W", std::string(20, 'a') + "|W", std::string(10, 'a') + "|L",
                                std::string(20, 'b') + "|W", std::string(10, 'b') + "|L"}));
    // Replacing the second row's text: rows 0..2 are cut again.
    EXPECT_TRUE(s.ReplaceRows(1, 1, "xyz"));
    EXPECT_EQ(view.lastRange.StartRow, 0);
    EXPECT_EQ(view.lastRange.OldCount, 3);
    EXPECT_EQ(JoinRows(s), std::string(20, 'a') + "xyz" + std::string(10, 'a') + "\r\n" + std::string(30, 'b') + "\r\n");
    EXPECT_EQ(s.Strings(0), std::string(20, 'a'));
    EXPECT_EQ(s.Strings(1), "xyz" + std::string(10, 'a'));
    // Replacing the whole last row of a line that another line follows joins both.
    lines.SetText(std::string(25, 'a') + "\r\nbb\r\n");
    EXPECT_TRUE(s.ReplaceRows(1, 1, "c"));
    EXPECT_EQ(RowDump(s), (Rows{std::string(20, 'a') + "|W", "cbb|L"}));
}

// A last line that exactly fills the width, emptied: no empty row without a
// line break is left after the line break before it.
TEST_F(Store, EmptyingALastLineThatFillsTheWidthLeavesNoEmptyRow)
{
    s.WrapOption().SetWrapByte(30);
    s.SetWordWrap(true);
    s.LoadText("\r\n" + std::string(30, 'x'));
    ASSERT_EQ(RowDump(s), (Rows{"|L", std::string(30, 'x') + "|W", "|E"}));
    ASSERT_TRUE(s.ReplaceRows(1, 1, ""));
    EXPECT_EQ(RowDump(s), (Rows{"|L"}));
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "\r\n" + std::string(30, 'x'));
}

TEST_F(Store, OneNotificationPerEditAndCaretsClamped)
{
    lines.SetText("a\r\nb\r\nc\r\n");
    view.row = 3;
    view.top = 3;
    const int before = view.listChanged;
    EXPECT_TRUE(s.ReplaceRows(0, 3, "x"));
    EXPECT_EQ(view.listChanged, before + 1);
    EXPECT_EQ(RowDump(s), (Rows{"x|E"}));
    // Past a last raEof row the caret and top row go back onto it.
    EXPECT_EQ(view.row, 0);
    EXPECT_EQ(view.top, 0);
}

TEST_F(Store, ClearEmptiesRowsUndoAndCarets)
{
    lines.SetText("a\r\nb");
    s.ReplaceRows(0, 0, "z");
    view.row = 1;
    view.col = 3;
    view.validChanges = 0;
    s.Clear();
    EXPECT_EQ(s.Count(), 0);
    EXPECT_FALSE(s.CanUndo());
    EXPECT_EQ(view.row, 0);
    EXPECT_EQ(view.col, 0);
    EXPECT_EQ(view.validChanges, 1);
    EXPECT_EQ(view.lastRange.OldCount, 2);
}

TEST_F(Store, WidestRowFollowsEditsAndRescans)
{
    lines.SetText("ab\r\n\t\r\n");
    EXPECT_EQ(WidestRow(), 8);
    s.ReplaceRows(0, 0, std::string(30, 'x') + "\r\n");
    EXPECT_EQ(WidestRow(), 30);
    s.ReplaceRows(0, 0, std::string(9000, 'x') + "\r\n");
    EXPECT_EQ(WidestRow(), 8000);
    s.ReplaceRows(0, 2, "");
    s.RescanRows();
    EXPECT_EQ(WidestRow(), 8);
}

// Bracket states with the "{" ... "}" test tokenizer.
TEST_F(Store, BracketStatesWithoutRegionsAreOutside)
{
    view.regions = 0;
    lines.SetText("{\r\na\r\n}\r\n");
    for (int r = 0; r < s.Count(); ++r) EXPECT_EQ(s.GetBracketState(r), -1);
}

TEST_F(Store, BracketStatesAfterARescan)
{
    view.screenHeight = 16 * 2;  // two rows a screen: rows 0..4 are computed
    std::string text = "a{\r\nb\r\n}c\r\n";
    for (int i = 0; i < 10; ++i) text += "z\r\n";
    lines.SetText(text);
    EXPECT_EQ(s.GetBracketState(0), -1);
    EXPECT_EQ(s.GetBracketState(1), 0);
    EXPECT_EQ(s.GetBracketState(2), 0);
    EXPECT_EQ(s.GetBracketState(3), -1);
    EXPECT_EQ(s.GetBracketState(4), -1);
    EXPECT_EQ(s.GetBracketState(5), -2);
    EXPECT_EQ(s.GetBracketState(12), -2);
}

TEST_F(Store, TypingAnOpenerRepaintsUntilTheStatesMatch)
{
    view.screenHeight = 16 * 3;  // three rows a screen: propagation reaches six rows down
    lines.SetText("a\r\nb\r\nc\r\n}\r\nd\r\ne\r\n");
    ASSERT_EQ(s.GetBracketState(5), -1);
    view.invalidated.clear();
    ASSERT_TRUE(s.ReplaceRows(1, 1, "b{\r\n"));
    // Rows 2 and 3 are now inside; row 4 after the closer was already outside.
    EXPECT_EQ(s.GetBracketState(2), 0);
    EXPECT_EQ(s.GetBracketState(3), 0);
    EXPECT_EQ(s.GetBracketState(4), -1);
    EXPECT_EQ(view.invalidated, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(view.lastRange.BracketChanged, 3);

    // Without a closer the walk stops two screens below and forgets the rest.
    std::string text;
    for (int i = 0; i < 20; ++i) text += "r\r\n";
    lines.SetText(text);
    view.invalidated.clear();
    ASSERT_TRUE(s.ReplaceRows(2, 1, "{\r\n"));
    EXPECT_EQ(s.GetBracketState(8), 0);
    EXPECT_EQ(s.GetBracketState(9), -2);
    EXPECT_EQ(s.GetBracketState(19), -2);
    EXPECT_EQ(*view.invalidated.rbegin(), 8);
    // The painter asks for a forgotten row: it is computed from the last known one.
    EXPECT_EQ(s.RepropagateBrackets(15, false), 0);
    EXPECT_EQ(s.GetBracketState(15), 0);
}

TEST_F(Store, WrappedRowsSeeTheFirstTokenOfTheNextRow)
{
    // A tokenizer that opens on "{{" only: cut between the braces it must still see one token.
    struct Pair : IRowScanner {
        Pair(std::string_view t, int st) : s(t), state(st) { NextToken(); }
        bool AtEnd() const override { return end; }
        std::size_t TokenEnd() const override { return pos; }
        int BracketState() const override { return state; }
        void NextToken() override
        {
            if (pos >= s.size()) { end = true; return; }
            std::size_t e = pos + 1;
            while (e < s.size() && s[e] == s[pos]) ++e;  // a run of one byte is a token
            if (e - pos >= 2 && s[pos] == '{') state = 0;
            pos = e;
        }
        std::string_view s;
        int state;
        std::size_t pos = 0;
        bool end = false;
    };
    struct PairFactory : IRowParserFactory {
        std::unique_ptr<IRowScanner> CreateScanner(std::string_view t, int st) const override { return std::make_unique<Pair>(t, st); }
    };
    struct PairView : TFakeView {
        PairFactory f;
        const IRowParserFactory* ParserFactory() const override { return &f; }
    } v;
    TEditorScreenStrings& st = v.ScreenStrings();
    st.WrapOption().SetWrapByte(20);
    st.SetWordWrap(true);
    TEditorStrings l(v);
    l.SetText(std::string(19, 'a') + "{{" + "b\r\nc\r\n");
    ASSERT_EQ(st.Strings(0), std::string(19, 'a') + "{");
    EXPECT_EQ(st.FirstToken(1), "{");
    EXPECT_EQ(st.GetBracketState(1), 0);
    EXPECT_EQ(st.GetBracketState(2), 0);
}

TEST(StoreLifetime, TheLastViewToLeaveFreesTheStoreOnce)
{
    for (int order = 0; order < 2; ++order) {
        std::weak_ptr<TEditorScreenStrings> weak;
        auto first = std::make_unique<TFakeView>();
        auto second = std::make_unique<TFakeView>(TFakeView::Shared{}, *first);
        weak = first->Link().Shared();
        ASSERT_EQ(&first->ScreenStrings(), &second->ScreenStrings());
        EXPECT_EQ(weak.lock()->Editors().size(), 2u);
        if (order == 0) first.reset();
        else second.reset();
        ASSERT_FALSE(weak.expired());
        EXPECT_EQ(weak.lock()->Editors().size(), 1u);
        // The remaining view is now the owner and still edits.
        TFakeView& left = first ? *first : *second;
        EXPECT_EQ(weak.lock()->OwnerEditor(), &left);
        EXPECT_TRUE(left.ScreenStrings().ReplaceRows(0, 0, "x"));
        first.reset();
        second.reset();
        EXPECT_TRUE(weak.expired());
    }
}

TEST(StoreLifetime, SharingFreesTheOwnStoreWhenNoOneElseHoldsIt)
{
    TFakeView a, b;
    std::weak_ptr<TEditorScreenStrings> own = b.Link().Shared();
    b.Link().ShareWith(a.Link());
    EXPECT_TRUE(own.expired());
    EXPECT_EQ(&a.ScreenStrings(), &b.ScreenStrings());
    b.Link().ShareWith(a.Link());  // again: nothing changes
    EXPECT_EQ(a.ScreenStrings().Editors().size(), 2u);
}

TEST(StoreLifetime, AViewMayLeaveWhileBeingNotified)
{
    auto owner = std::make_unique<TFakeView>();
    struct Leaving : TFakeView {
        using TFakeView::TFakeView;
        std::unique_ptr<TFakeView>* other = nullptr;
        void ListChanged() override
        {
            TFakeView::ListChanged();
            if (other) other->reset();  // the owner closes during the notice
        }
    };
    Leaving split(TFakeView::Shared{}, *owner);
    split.other = &owner;
    std::weak_ptr<TEditorScreenStrings> weak = split.Link().Shared();
    EXPECT_TRUE(split.ScreenStrings().ReplaceRows(0, 0, "x"));
    EXPECT_FALSE(owner);
    EXPECT_FALSE(weak.expired());
    EXPECT_EQ(weak.lock()->Editors().size(), 1u);
    EXPECT_EQ(JoinRows(split.ScreenStrings()), "x");
}

TEST(StoreWithoutViews, EditsAndWrapsWithDefaults)
{
    TEditorScreenStrings s;
    s.LoadText("a\tb\r\nc");
    EXPECT_EQ(GetRowWidth(s, 0), 9);
    EXPECT_TRUE(s.ReplaceRows(0, 1, "xy\r\n"));
    EXPECT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "a\tb\r\nc");
    EXPECT_EQ(s.GetBracketState(0), -1);
}

TEST(StoreRows, ARowHoldsItsTextInSixteenBytes)
{
    static_assert(sizeof(TEditorRow) == 16);
    const std::string longText(5000, 'x');
    std::string text = longText;
    TEditorRow taken = TEditorRow::Take(std::move(text), WithRowAttribute(0, raEof));
    EXPECT_EQ(taken.Text(), longText);
    EXPECT_EQ(RowAttribute(taken.Flags()), raEof);
    taken.Own().insert(0, "ab");
    taken.Resized();
    EXPECT_EQ(taken.Size(), 5002u);
    EXPECT_EQ(taken.Text().substr(0, 3), "abx");

    const char block[] = "hello";
    TEditorRow slice = TEditorRow::Slice(block, 5, 0);
    EXPECT_TRUE(slice.IsSlice());
    EXPECT_EQ(static_cast<const void*>(slice.Text().data()), static_cast<const void*>(block));
    slice.Own() += "!";  // the block is not written to
    slice.Resized();
    EXPECT_EQ(slice.Text(), "hello!");
    EXPECT_EQ(std::string(block), "hello");
    TEditorRow moved = std::move(slice);
    EXPECT_EQ(moved.Text(), "hello!");
    EXPECT_TRUE(slice.Text().empty());
}

// Rows handed over outlive the store's blocks: they are copies.
TEST(StoreRows, RowsTakenFromALoadedStoreHaveTheirOwnText)
{
    std::vector<TEditorRow> rows;
    {
        TFakeView v;
        v.ScreenStrings().LoadText("one\r\ntwo");
        EXPECT_GT(v.ScreenStrings().BlockBytes(), 0u);
        rows = v.ScreenStrings().TakeRows();
        EXPECT_EQ(v.ScreenStrings().BlockBytes(), 0u);
    }
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_FALSE(rows[0].IsSlice());
    EXPECT_EQ(rows[0].Text(), "one");
    EXPECT_EQ(rows[1].Text(), "two");
}

// The loaded text's block goes when no row is cut from it any more.
TEST(StoreRows, TheBlockGoesWithTheLastRowCutFromIt)
{
    TFakeView v;
    TEditorScreenStrings& s = v.ScreenStrings();
    s.LoadText("one\r\ntwo\r\n");
    ASSERT_EQ(s.BlockBytes(), 10u);
    ASSERT_TRUE(s.ReplaceRows(0, 1, "new\r\n"));
    EXPECT_EQ(s.BlockBytes(), 10u);  // "two" is still cut from it
    ASSERT_TRUE(s.ReplaceRows(0, 2, "all new"));
    EXPECT_EQ(s.BlockBytes(), 0u);
    ASSERT_TRUE(s.Undo());
    EXPECT_EQ(JoinRows(s), "new\r\ntwo\r\n");
    s.LoadText("x");
    ASSERT_TRUE(s.ReplaceRows(0, 1, ""));
    EXPECT_EQ(s.BlockBytes(), 0u);
}

// A text given in blocks loads as the same text in one piece: lines the
// blocks cut (a CR LF too) are joined, empty blocks are nothing, NULs
// become spaces.
TEST(StoreRows, BlocksLoadAsTheirJoinedText)
{
    std::mt19937 rng(9);
    const std::vector<std::string> pieces = {"ab", "\r\n", "\r", "\n", "\x82\xA0", std::string(1, '\0'), "x y", std::string(45, 'q')};
    for (int round = 0; round < 300; ++round) {
        std::string text;
        for (int k = std::uniform_int_distribution<int>(0, 30)(rng); k > 0; --k)
            text += pieces[std::uniform_int_distribution<std::size_t>(0, pieces.size() - 1)(rng)];
        std::vector<TTextBlock> blocks;
        for (std::size_t at = 0; at < text.size() || blocks.empty();) {
            const std::size_t n = std::min(text.size() - at, std::uniform_int_distribution<std::size_t>(0, 12)(rng));
            TTextBlock b{std::shared_ptr<char>(new char[n + 1], std::default_delete<char[]>()), n};
            text.copy(b.Data.get(), n, at);
            blocks.push_back(std::move(b));
            at += n;
        }
        TFakeView whole, pieced;
        for (TFakeView* v : {&whole, &pieced}) {
            v->ScreenStrings().WrapOption().SetWrapByte(20);
            v->ScreenStrings().SetWordWrap(round % 2 == 1);
        }
        whole.ScreenStrings().LoadText(text);
        pieced.ScreenStrings().LoadBlocks(std::move(blocks));
        ASSERT_EQ(RowDump(pieced.ScreenStrings()), RowDump(whole.ScreenStrings())) << round;
    }
}

// A key in a loaded wrapped line cuts it on into the loaded bytes: the rows
// are those of the new text loaded afresh, whatever the line's length
// against the width and wherever the key goes, and undo gives it back.
TEST(StoreRows, KeysInALoadedWrappedLineCutAsAFreshLoad)
{
    for (const bool followRet : {false, true}) {
        for (const int length : {19, 20, 21, 59, 60, 61, 200, 201}) {
            std::string line;
            for (int i = 0; static_cast<int>(line.size()) < length; ++i) line += i % 4 == 3 ? std::string("\x82\xA0") : std::string(1, 'a' + i % 26);
            line.resize(static_cast<std::size_t>(length), 'z');
            const std::string text = line + "\r\nnext";
            auto make = [&](TFakeView& v, const std::string& t) {
                v.ScreenStrings().WrapOption().SetWrapByte(20);
                v.ScreenStrings().WrapOption().SetFollowRetMark(followRet);
                v.ScreenStrings().SetWordWrap(true);
                v.ScreenStrings().LoadText(t);
            };
            TFakeView probe;
            make(probe, text);
            for (int row = 0; row < probe.ScreenStrings().Count() - 1; ++row) {
                const std::size_t size = probe.ScreenStrings().Strings(row).size();
                for (const std::size_t at : {std::size_t{0}, size / 2, size}) {
                    for (const char* key : {"k", "\x82\xA0"}) {
                        TFakeView typed, fresh;
                        make(typed, text);
                        TEditorScreenStrings& s = typed.ScreenStrings();
                        ASSERT_TRUE(s.InsertIntoRow(row, at, key));
                        make(fresh, JoinRows(s));
                        ASSERT_EQ(RowDump(s), RowDump(fresh.ScreenStrings())) << length << " row " << row << " at " << at;
                        ASSERT_TRUE(s.Undo());
                        ASSERT_EQ(JoinRows(s), text);
                    }
                }
            }
        }
    }
}

} // namespace
