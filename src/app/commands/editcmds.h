#pragma once
// What the Edit menu's commands, the pop-up menu and the editor's keys
// decide, apart from doing it: which items a state enables, the byte limits
// of the selection commands, the text conversions and the texts that the
// quoted paste and auto-indent insert. Portable.
#include <string>
#include <string_view>

namespace vellumo {

// The active editor and the document as the Edit menu sees them.
struct TEditMenuInput {
    bool Selection = false;      // a selection whose ends differ
    bool Writable = true;        // neither read-only nor locked
    bool ClipboardText = false;  // CF_TEXT is offered
    bool CanUndo = false, CanRedo = false;
    bool WordWrap = false;
    bool NormalMode = true;      // stream (not box) selection mode
    bool FollowRetMark = false;  // [Option] FollowRetMark
    bool SelectionHasLineBreak = false;
    bool ReadOnly = false, ReadOnlyLocked = false;
    bool Named = false, Modified = false;
};

// The items whose enabled state follows the document; the hidden duplicates
// and the pop-up items use their namesake's rule.
enum class TEditItem {
    Undo, Redo, Cut, Copy, WordWrapCopy, Paste, InyouPaste, PasteBox, Delete, LineDel,
    Convert,          // upper, lower, half and full width
    Indent,           // the four indent items
    WorpRet, DelRet, BoxMode, FreeCaret, ReadOnly
};

bool EditItemEnabled(TEditItem item, const TEditMenuInput& in) noexcept;

// The selection commands act on 0 < length <= limit.
constexpr long long kConvertByteLimit = 10'000'000;
constexpr long long kIndentByteLimit = 50'000;
constexpr long long kWrapByteLimit = 100'000;

enum class TSizeCheck { Ok, NoSelection, OverLimit };
TSizeCheck CheckSelectionSize(long long length, long long limit) noexcept;
// The status message of a refused selection: "10,000,000 バイト制限を超えました。".
std::string ByteLimitText(long long limit);

// Case of the single-byte ASCII letters; a double-byte character (lead byte
// and whatever follows it) is copied untouched, its trail byte never taken
// for a letter.
std::string AsciiUpperCase(std::string_view text);
std::string AsciiLowerCase(std::string_view text);

// Width of each character on its own: a pair is never split or joined.
// Full width: every single byte that has a full-width form takes it (a kana
// with its voiced mark becomes the one voiced kana); the full-width
// apostrophe and quotation mark become the typographic ones.
std::string ToFullWidthText(std::string_view text);
// Half width: full-width ASCII, the ideographic space, katakana (a voiced
// one as kana and mark) and the kana punctuation take their single-byte
// forms; every other character is copied.
std::string ToHalfWidthText(std::string_view text);

// Every CR LF pair removed.
std::string RemoveLineBreaks(std::string_view text);

// The quoted paste: each line of the clipboard's text (ended by CR LF, CR
// or LF) after the mark, each followed by CR LF; the last CR LF is left
// out when the clipboard's text did not end with one.
std::string QuotedPasteText(std::string_view clipboardText, std::string_view mark);

// Return with auto-indent: the line's leading blanks (spaces, TABs and
// full-width spaces) up to caretByte bytes, after CR LF; a full-width space
// cut by the limit is left out.
std::string AutoIndentBreak(std::string_view line, int caretByte);
// Whether Return indents: [Option] AutoIndent without Shift, or Shift without it.
constexpr bool ReturnIndents(bool autoIndentOption, bool shiftHeld) noexcept { return autoIndentOption != shiftHeld; }

// What the TAB key does to the editor.
enum class TTabKeyAction { InsertTab, Indent, Unindent, Nothing };
TTabKeyAction TabKeyAction(bool selectionHasLineBreak, bool readOnly, long long selectionLength,
                           bool shiftHeld) noexcept;

} // namespace vellumo
