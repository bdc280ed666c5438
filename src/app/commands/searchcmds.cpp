#include "app/commands/searchcmds.h"

#include <algorithm>

#include "app/document/stdinput.h"

namespace vellumo {

const char* const kBusyStatusText = "処理中...";
const char* const kBadLineText = "正しい行番号を指定して下さい。";
const char* const kNotBracketText = "対象は括弧ではありません。";
const char* const kLongLineStopText =
    "検索または置換処理を中止します。\r\n1 行 8000 文字制限を超えている可能性があります。\r\n"
    "制限を超えている場合は折り返し ON で実行して下さい。";
const char* const kReplaceQuestionText = "置き換えますか？";
const char* const kReplaceProgressCaption = "連続置換処理中...";

TJumpCheck CheckJumpLine(int n, bool logical, const TJumpText& text, int& row)
{
    row = 0;
    // Checked before n - 1 is formed, so the most negative number cannot overflow.
    if (n < 1) return jcBadNumber;
    const int count = logical ? text.LineCount : text.RowCount;
    const long long last = count == 0 ? 1 : static_cast<long long>(count) + (text.EndsWithBreak ? 1 : 0);
    if (n > last) return jcNotFound;
    if (!logical) {
        row = n - 1;
    } else if (n - 1 >= text.LineCount) {
        row = text.RowCount;  // the empty line after the final break
    } else {
        row = text.LineToRow ? text.LineToRow(n - 1) : n - 1;
    }
    return jcOk;
}

TCharRange BracketSelection(long long p, long long q, int bracketLength, bool extend)
{
    const long long partner = q - 1;
    if (!extend) return {partner, 1};
    if (p < partner) return {p, partner - p + bracketLength};
    return {partner, p - partner + bracketLength};
}

TDialogPlace ConfirmDialogPlace(int caretX, int caretY, int rowHeight, int width, int height, int screenWidth)
{
    TDialogPlace r{caretX + 2, caretY - rowHeight - height, width, height};
    if (r.Top < 0) r.Top = caretY + rowHeight;
    if (r.Left + width > screenWidth) r.Left = screenWidth - width - 4;
    return r;
}

namespace {
std::string Count(long long n) { return GroupDigits(static_cast<std::uint64_t>(std::max(n, 0LL))); }
} // namespace

std::string NotFoundText(std::string_view typed) { return "\"" + std::string(typed) + "\" は見つかりませんでした。"; }
std::string ReplacedText(long long count) { return Count(count) + " 件の置換を行いました。"; }
std::string ReplaceProgressText(long long count) { return "置換件数: " + Count(count) + " 件"; }
std::string ConfirmingStatusText(long long count) { return "処理中...  置換件数: " + Count(count) + " 件"; }
std::string LineNotFoundText(std::string_view typed) { return std::string(typed) + " 行は見つかりませんでした。"; }
std::string BracketNotFoundText(std::string_view bracket)
{
    return "対応する括弧 \"" + std::string(bracket) + "\" は見つかりませんでした。";
}

std::vector<std::string>& JumpHistory()
{
    static std::vector<std::string> history;
    return history;
}

void AddJumpHistory(std::vector<std::string>& history, const std::string& typed)
{
    std::erase(history, typed);
    history.insert(history.begin(), typed);
    if (history.size() > 32) history.resize(32);
}

} // namespace vellumo
