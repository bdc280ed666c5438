#pragma once
// The Search menu's rules that need no window: line jumps, the matching
// bracket's selection, where the replace question goes, and the texts the
// commands put in the status bar. The commands are in searchcmds_win.cpp.
// (The escapes and the centring rule are appfuncs.h's UnescapeSearchText and CentredTopRow.)
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vellumo {

// ---- jump to line

enum TJumpCheck { jcOk, jcBadNumber, jcNotFound };

struct TJumpText {
    int RowCount = 0;        // screen rows
    int LineCount = 0;       // logical lines (equal to the rows without word wrap)
    bool EndsWithBreak = false;
    std::function<int(int line)> LineToRow;  // first row of a 0-based logical line; past the end: RowCount
};

// Checks the typed number n (1-based) and gives the 0-based row to go to:
// rows, or logical lines when logical is set, each counted with one more
// line after a final line break; an empty text has line 1.
TJumpCheck CheckJumpLine(int n, bool logical, const TJumpText& text, int& row);

// ---- matching bracket

struct TCharRange {
    long long Start = 0;
    long long Length = 0;
};

// From the caret's offset p (0-based), the partner's 1-based position q
// (above 0) and the partner's length: the partner alone, or with extend the
// span from the nearer end to both brackets whole.
TCharRange BracketSelection(long long p, long long q, int bracketLength, bool extend);

// ---- the replace question's place (screen pixels)

struct TDialogPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Left 2 px right of the caret, bottom one row above the caret's top; below
// the caret's row when that would leave the screen at the top; pulled left
// when it would pass the screen's right edge.
TDialogPlace ConfirmDialogPlace(int caretX, int caretY, int rowHeight, int width, int height, int screenWidth);

// ---- status texts

std::string NotFoundText(std::string_view typed);               // "\"abc\" は見つかりませんでした。"
std::string ReplacedText(long long count);                       // "1,234 件の置換を行いました。"
std::string ReplaceProgressText(long long count);                // "置換件数: 1,234 件"
std::string ConfirmingStatusText(long long count);               // "処理中...  置換件数: 1,234 件"
std::string LineNotFoundText(std::string_view typed);            // "12 行は見つかりませんでした。"
std::string BracketNotFoundText(std::string_view bracket);       // "対応する括弧 \")\" は見つかりませんでした。"

extern const char* const kBusyStatusText;        // "処理中..."
extern const char* const kBadLineText;           // "正しい行番号を指定して下さい。"
extern const char* const kNotBracketText;        // "対象は括弧ではありません。"
extern const char* const kLongLineStopText;      // the message of a search stopped at a too long row
extern const char* const kReplaceQuestionText;   // "置き換えますか？"
extern const char* const kReplaceProgressCaption;  // "連続置換処理中..."

// ---- jump history: newest first, at most 32, no duplicates

void AddJumpHistory(std::vector<std::string>& history, const std::string& typed);
// The process's jump history (not saved).
std::vector<std::string>& JumpHistory();

} // namespace vellumo
