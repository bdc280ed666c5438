// The Edit menu's portable rules: which items a state enables, the byte
// limits, the case and width conversions over Shift-JIS text, and the texts
// the quoted paste, auto-indent and the TAB key produce.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/commands/editcmds.h"
#include "app/core/applysettings.h"
#include "editor/editprop.h"
#include "base/leadbytes.h"

namespace vellumo {
namespace {

using I = TEditItem;
const std::vector<I> kAllItems = {I::Undo,    I::Redo,    I::Cut,       I::Copy,    I::WordWrapCopy, I::Paste,
                                  I::InyouPaste, I::PasteBox, I::Delete, I::LineDel, I::Convert,      I::Indent,
                                  I::WorpRet, I::DelRet,  I::BoxMode,   I::FreeCaret, I::ReadOnly};

// Everything an item can ask for is there: every item but the two that
// want no selection is enabled.
TEditMenuInput FullState()
{
    TEditMenuInput in;
    in.Selection = in.Writable = in.ClipboardText = in.CanUndo = in.CanRedo = true;
    in.WordWrap = in.NormalMode = in.FollowRetMark = in.SelectionHasLineBreak = true;
    return in;
}

TEST(EditMenuRules, EachMissingConditionDisablesExactlyItsItems)
{
    struct Row {
        const char* what;
        void (*change)(TEditMenuInput&);
        std::set<I> disabled;
    };
    const Row rows[] = {
        {"everything there", [](TEditMenuInput&) {}, {I::LineDel, I::BoxMode}},
        {"no selection", [](TEditMenuInput& in) { in.Selection = in.SelectionHasLineBreak = false; },
         {I::Cut, I::Copy, I::WordWrapCopy, I::Delete, I::Convert, I::Indent, I::WorpRet, I::DelRet}},
        {"read-only", [](TEditMenuInput& in) { in.Writable = false; in.ReadOnly = true; },
         {I::Undo, I::Redo, I::Cut, I::Paste, I::InyouPaste, I::PasteBox, I::Delete, I::LineDel, I::Convert,
          I::Indent, I::WorpRet, I::DelRet, I::BoxMode}},
        {"locked", [](TEditMenuInput& in) { in.Writable = false; in.ReadOnly = in.ReadOnlyLocked = true; },
         {I::Undo, I::Redo, I::Cut, I::Paste, I::InyouPaste, I::PasteBox, I::Delete, I::LineDel, I::Convert,
          I::Indent, I::WorpRet, I::DelRet, I::BoxMode, I::ReadOnly}},
        {"empty clipboard", [](TEditMenuInput& in) { in.ClipboardText = false; },
         {I::Paste, I::InyouPaste, I::PasteBox, I::LineDel, I::BoxMode}},
        {"nothing to undo", [](TEditMenuInput& in) { in.CanUndo = false; }, {I::Undo, I::LineDel, I::BoxMode}},
        {"nothing to redo", [](TEditMenuInput& in) { in.CanRedo = false; }, {I::Redo, I::LineDel, I::BoxMode}},
        {"no wrap", [](TEditMenuInput& in) { in.WordWrap = false; },
         {I::WordWrapCopy, I::WorpRet, I::LineDel, I::BoxMode}},
        {"box mode", [](TEditMenuInput& in) { in.NormalMode = false; },
         {I::WordWrapCopy, I::Convert, I::WorpRet, I::DelRet, I::FreeCaret, I::LineDel, I::BoxMode}},
        {"line ends not followed", [](TEditMenuInput& in) { in.FollowRetMark = false; },
         {I::WorpRet, I::LineDel, I::BoxMode}},
        {"selection inside one line", [](TEditMenuInput& in) { in.SelectionHasLineBreak = false; },
         {I::Indent, I::DelRet, I::LineDel, I::BoxMode}},
        {"a named file changed", [](TEditMenuInput& in) { in.Named = in.Modified = true; },
         {I::ReadOnly, I::LineDel, I::BoxMode}},
        // An untitled text may be changed and still be made read-only.
        {"untitled and changed", [](TEditMenuInput& in) { in.Modified = true; }, {I::LineDel, I::BoxMode}},
    };
    for (const Row& row : rows) {
        TEditMenuInput in = FullState();
        row.change(in);
        for (I item : kAllItems)
            EXPECT_EQ(EditItemEnabled(item, in), row.disabled.count(item) == 0)
                << row.what << ": item " << static_cast<int>(item);
    }
    // Without a selection a writable text can lose its line and change mode.
    TEditMenuInput plain;
    EXPECT_TRUE(EditItemEnabled(I::LineDel, plain));
    EXPECT_TRUE(EditItemEnabled(I::BoxMode, plain));
}

TEST(EditMenuRules, ByteLimits)
{
    EXPECT_EQ(CheckSelectionSize(0, kConvertByteLimit), TSizeCheck::NoSelection);
    EXPECT_EQ(CheckSelectionSize(1, kConvertByteLimit), TSizeCheck::Ok);
    EXPECT_EQ(CheckSelectionSize(10'000'000, kConvertByteLimit), TSizeCheck::Ok);
    EXPECT_EQ(CheckSelectionSize(10'000'001, kConvertByteLimit), TSizeCheck::OverLimit);
    EXPECT_EQ(CheckSelectionSize(50'001, kIndentByteLimit), TSizeCheck::OverLimit);
    EXPECT_EQ(CheckSelectionSize(100'000, kWrapByteLimit), TSizeCheck::Ok);
    EXPECT_EQ(ByteLimitText(kConvertByteLimit), "10,000,000 バイト制限を超えました。");
    EXPECT_EQ(ByteLimitText(kIndentByteLimit), "50,000 バイト制限を超えました。");
}

TEST(CaseConversion, AsciiLettersOnlyEveryDoubleByteCharacterKept)
{
    EXPECT_EQ(AsciiUpperCase("abc xyz AZ 09@[`{"), "ABC XYZ AZ 09@[`{");
    EXPECT_EQ(AsciiLowerCase("ABC XYZ az 09@[`{"), "abc xyz az 09@[`{");
    // Full-width Latin letters are not ASCII: "Ａａ" stays as it is.
    EXPECT_EQ(AsciiUpperCase("Ａａ"), "Ａａ");
    EXPECT_EQ(AsciiLowerCase("Ａａ"), "Ａａ");
    // Every pair, whatever its trail (letters, "\" and "|" among them), is
    // copied byte for byte while the letters around it change.
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            ASSERT_EQ(AsciiUpperCase("a" + pair + "b"), "A" + pair + "B") << lead << " " << trail;
            ASSERT_EQ(AsciiLowerCase("A" + pair + "B"), "a" + pair + "b") << lead << " " << trail;
        }
    }
    // A lead byte at the very end is copied alone.
    EXPECT_EQ(AsciiUpperCase("a\x82"), "A\x82");
    // Half-width kana are no letters.
    EXPECT_EQ(AsciiLowerCase("\xB1\xDE"), "\xB1\xDE");
}

TEST(WidthConversion, SingleBytesTakeTheirFormsPairsStayWhole)
{
    EXPECT_EQ(ToFullWidthText("Ab1 "), "Ａｂ１\x81\x40");
    EXPECT_EQ(ToFullWidthText("\\"), "\x81\x8F");
    EXPECT_EQ(ToFullWidthText("'\""), "\x81\x66\x81\x68");
    // The full-width apostrophe and quote become the typographic ones.
    EXPECT_EQ(ToFullWidthText("\xFA\x56\xFA\x57"), "\x81\x66\x81\x68");
    // A kana and its voiced mark become one voiced kana.
    EXPECT_EQ(ToFullWidthText("\xB6\xDE\xCA\xDF\xB3\xDE"), "ガパヴ");
    EXPECT_EQ(ToHalfWidthText("ガパヴ"), "\xB6\xDE\xCA\xDF\xB3\xDE");
    EXPECT_EQ(ToHalfWidthText("Ａｂ１\x81\x40"), "Ab1 ");
    EXPECT_EQ(ToHalfWidthText("\xFA\x56\xFA\x57\x81\x8F"), "'\"\\");
    // Characters without a narrow form, the typographic quotes among them, stay.
    EXPECT_EQ(ToHalfWidthText("漢字ひらがなヵ\x81\x66"), "漢字ひらがなヵ\x81\x66");
    // A trail byte that looks like ASCII belongs to its character: "ソ表"
    // end in 5C and keep it; ソ has a narrow form, 表 none.
    EXPECT_EQ(ToFullWidthText("ソ表"), "ソ表");
    EXPECT_EQ(ToHalfWidthText("ソ表"), "\xBF表");

    // Every printable single byte that has a full-width form comes back,
    // but for the two quotes, whose full-width forms are typographic.
    for (unsigned b = 0x20; b <= 0xDF; ++b) {
        if (b >= 0x7F && b <= 0xA0) continue;
        const std::string one(1, static_cast<char>(b));
        const std::string wide = ToFullWidthText(one);
        ASSERT_EQ(wide.size(), 2u) << b;
        if (b == '\'' || b == '"') continue;
        EXPECT_EQ(ToHalfWidthText(wide), one) << b;
    }
    // Pairs are never split or joined, in either direction: the result is
    // a sequence of whole characters.
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsLeadByte(static_cast<unsigned char>(lead))) continue;
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::string full = ToFullWidthText("x" + pair);
            ASSERT_EQ(full.substr(2), lead == 0xFA && (trail == 0x56 || trail == 0x57)
                                          ? std::string(trail == 0x56 ? "\x81\x66" : "\x81\x68")
                                          : pair)
                << lead << " " << trail;
            const std::string half = ToHalfWidthText(pair + "x");
            ASSERT_EQ(half.back(), 'x');
            ASSERT_TRUE(half == pair + "x" || half.size() <= 3) << lead << " " << trail;
            if (half != pair + "x") {
                ASSERT_EQ(ToFullWidthText(half.substr(0, half.size() - 1)).size(), 2u);
            }
        }
    }
}

TEST(EditTexts, LineBreaksRemovedQuotedPasteAndIndent)
{
    EXPECT_EQ(RemoveLineBreaks("a\r\nb\r\n\r\nc"), "abc");
    EXPECT_EQ(RemoveLineBreaks("a\rb\nc\n\r"), "a\rb\nc\n\r");  // only pairs
    EXPECT_EQ(RemoveLineBreaks("表\r\n"), "表");

    struct Quote {
        std::string clip, mark, expected;
    };
    const Quote quotes[] = {
        {"a\r\nb", "> ", "> a\r\n> b"},          // no final break: none added
        {"a\r\nb\r\n", "> ", "> a\r\n> b\r\n"},
        {"a\nb\rc", ">", ">a\r\n>b\r\n>c"},         // any line end splits
        {"a\r\n\r\n", "> ", "> a\r\n> \r\n"},
        {"", "> ", ""},
        {"表\r\n", "＞", "＞表\r\n"},
    };
    for (const Quote& q : quotes) EXPECT_EQ(QuotedPasteText(q.clip, q.mark), q.expected) << q.clip;

    EXPECT_EQ(AutoIndentBreak("  abc", 5), "\r\n  ");
    EXPECT_EQ(AutoIndentBreak("  abc", 1), "\r\n ");  // no more than the caret passed
    EXPECT_EQ(AutoIndentBreak("\t\x81\x40x", 3), "\r\n\t\x81\x40");
    EXPECT_EQ(AutoIndentBreak("\t\x81\x40x", 2), "\r\n\t");  // a full-width space is never cut
    EXPECT_EQ(AutoIndentBreak("", 0), "\r\n");
    EXPECT_EQ(AutoIndentBreak("abc", 3), "\r\n");
    EXPECT_TRUE(ReturnIndents(true, false));
    EXPECT_FALSE(ReturnIndents(true, true));
    EXPECT_TRUE(ReturnIndents(false, true));
    EXPECT_FALSE(ReturnIndents(false, false));
}

TEST(EditTexts, TheEditorsLeaveReturnsIndentToTheWindow)
{
    // Whatever the option says, the editors' own indent stays off: the
    // window's key handler indents (or not) before the editor sees Return.
    for (bool option : {false, true}) {
        TAppSettings s;
        s.Option.AutoIndent = option;
        TEditorProp prop;
        StageEditorSettings(prop, s, 96);
        EXPECT_FALSE(prop.Caret().AutoIndent()) << option;
    }
}

TEST(EditTexts, TabKey)
{
    using A = TTabKeyAction;
    struct Row {
        bool lineBreak, readOnly;
        long long length;
        bool shift;
        A expected;
    };
    const Row rows[] = {
        {false, false, 0, false, A::InsertTab},    {false, false, 5, true, A::InsertTab},
        {true, true, 10, false, A::InsertTab},     {true, false, 10, false, A::Indent},
        {true, false, 10, true, A::Unindent},      {true, false, 50'000, false, A::Indent},
        {true, false, 50'001, false, A::Nothing},
    };
    for (const Row& r : rows)
        EXPECT_EQ(TabKeyAction(r.lineBreak, r.readOnly, r.length, r.shift), r.expected)
            << r.lineBreak << r.readOnly << r.length << r.shift;
}

} // namespace
} // namespace vellumo
