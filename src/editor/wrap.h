#pragma once
// Cutting one logical line into wrapped rows by the Japanese line-breaking
// rules. SplitToRows and CountWrapRows of the row store both go through
// CutLine, so they cannot disagree.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/cells.h"
#include "editor/sjisutil.h"

namespace vellumo {

class TEditorWrapOption;

struct TWrapRules {
    int WrapByte = 80;
    bool FollowRetMark = false;
    bool FollowPunctuation = false;
    bool Leading = false;
    bool WordBreak = false;
    TMBCharSet FollowStr, LeadStr, PunctuationStr;
    TCellRules Cells;  // WrapWidth equals WrapByte

    TWrapRules() = default;
    TWrapRules(const TEditorWrapOption& option, int tabWidth, const TByteSet& delimiters);
};

// Column cursor over one text and its class string (an end mark '0' is
// appended). Positions are 1-based cells; the byte count is the number of
// text bytes covered by cells 1..position (fill cells cover none).
class TEditorAttributeArray {
public:
    TEditorAttributeArray() = default;
    TEditorAttributeArray(std::string_view text, std::string_view classes) { Reset(text, classes); }
    void Reset(std::string_view text, std::string_view classes);
    // The same, taking the class string's buffer (the old one is handed back).
    void Reset(std::string_view text, std::string& classes);

    int ColumnCount() const noexcept { return static_cast<int>(classes_.size()) - 1; }
    int Position() const noexcept { return pos_; }
    char Current() const noexcept { return classes_[static_cast<std::size_t>(pos_ - 1)]; }
    bool AtEndMark() const noexcept { return Current() == '0'; }
    // Bytes covered by cells 1..position, never more than the text holds.
    std::size_t ByteCount() const noexcept { return bytes_ < text_.size() ? bytes_ : text_.size(); }

    void Next() noexcept;
    void Prev() noexcept;
    void MoveTo(int n) noexcept;
    void StepBackChar() noexcept;
    std::string_view CurrentChar() const noexcept { return CharAtCell(pos_, bytes_); }
    std::string_view PeekNextChar() const noexcept;

private:
    std::string_view CharAtCell(int pos, std::size_t bytes) const noexcept;

    std::string_view text_;
    std::string classes_;
    int pos_ = 1;
    std::size_t bytes_ = 0;
};

// Where a line is cut: row k is [Ends[k-1], Ends[k]) and ends wrapped; when
// RestRow is set one more row [Ends.back(), size) ends the line, otherwise the
// last cut row ends it. No cuts means the line is one row.
struct TLineCuts {
    std::vector<std::size_t> Ends;
    bool RestRow = true;
    int RowCount() const noexcept { return static_cast<int>(Ends.size()) + (RestRow || Ends.empty() ? 1 : 0); }
};

// Cuts a line row by row. Next gives the end of the next row that is cut
// off (an offset into the line) and false when what is left is the last
// row; RestRow then says whether that rest is a row of its own. Each cut
// looks at WrapByte + 3 cells past its row's start, so a long line is cut
// in linear time; under the default rules (no word break, no hanging
// punctuation, no kinsoku) a row without a TAB is cut from its bytes alone.
class TLineCutter {
public:
    TLineCutter(std::string_view line, const TWrapRules& rules);
    bool Next(std::size_t& end);
    bool RestRow() const noexcept { return restRow_; }
    // Where the next row starts.
    std::size_t Offset() const noexcept { return off_; }

private:
    bool GeneralStep(std::size_t& cut);
    void RowClasses(std::string_view rest);

    std::string_view line_;
    const TWrapRules& rules_;
    bool plain_;
    bool done_ = false;
    bool restRow_ = true;
    std::size_t off_ = 0;
    std::string classes_;
    TEditorAttributeArray cursor_;
};

// Every cut removes at least one byte and never splits a double-byte
// character.
void CutLine(std::string_view line, const TWrapRules& rules, TLineCuts& cuts);

} // namespace vellumo
