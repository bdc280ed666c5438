#include "editor/wrap.h"

#include <algorithm>
#include <cstring>

#include "base/leadbytes.h"
#include "editor/bytefind.h"
#include "editor/sjisutil.h"
#include "editor/wrapoption.h"

namespace vellumo {

// 、。，．・？！゛゜ヽヾゝゞ々ー）］｝」』!),.:;?]}｡｣､･ｰﾞﾟ
const char* const TEditorWrapOption::kDefaultFollowStr =
    "\x81\x41\x81\x42\x81\x43\x81\x44\x81\x45\x81\x48\x81\x49\x81\x4A\x81\x4B\x81\x52\x81\x53\x81\x54\x81\x55"
    "\x81\x58\x81\x5B\x81\x6A\x81\x6E\x81\x70\x81\x76\x81\x78\x21\x29\x2C\x2E\x3A\x3B\x3F\x5D\x7D\xA1\xA3\xA4"
    "\xA5\xB0\xDE\xDF";
// （［｛「『([{｢
const char* const TEditorWrapOption::kDefaultLeadStr = "\x81\x69\x81\x6D\x81\x6F\x81\x75\x81\x77\x28\x5B\x7B\xA2";
// 、。，．,.｡､
const char* const TEditorWrapOption::kDefaultPunctuationStr = "\x81\x41\x81\x42\x81\x43\x81\x44\x2C\x2E\xA1\xA4";

TWrapRules::TWrapRules(const TEditorWrapOption& o, int tabWidth, const TByteSet& delimiters)
    : WrapByte(o.WrapByte()),
      FollowRetMark(o.FollowRetMark()),
      FollowPunctuation(o.FollowPunctuation()),
      Leading(o.Leading()),
      WordBreak(o.WordBreak()),
      FollowStr(o.FollowStr()),
      LeadStr(o.LeadStr()),
      PunctuationStr(o.PunctuationStr())
{
    Cells.TabWidth = tabWidth;
    Cells.WrapWidth = WrapByte;
    Cells.Delimiters = delimiters;
}

void TEditorAttributeArray::Reset(std::string_view text, std::string_view classes)
{
    text_ = text;
    classes_.assign(classes);
    classes_ += '0';
    pos_ = 1;
    bytes_ = (classes_[0] == '0' || classes_[0] == '3') ? 0 : 1;
}

void TEditorAttributeArray::Reset(std::string_view text, std::string& classes)
{
    text_ = text;
    classes_.swap(classes);
    classes_ += '0';
    pos_ = 1;
    bytes_ = (classes_[0] == '0' || classes_[0] == '3') ? 0 : 1;
}

void TEditorAttributeArray::Next() noexcept
{
    if (Current() == '0') return;
    ++pos_;
    const char c = Current();
    if (c != '0' && c != '3') ++bytes_;
}

void TEditorAttributeArray::Prev() noexcept
{
    if (pos_ <= 1) return;
    const char c = Current();
    if (c != '0' && c != '3') --bytes_;
    --pos_;
}

void TEditorAttributeArray::MoveTo(int n) noexcept
{
    if (n > pos_) {
        const int last = std::min(n, ColumnCount() + 1);
        // Counted in a local, which the compiler may keep in a register.
        std::size_t bytes = bytes_;
        const char* const c = classes_.data();
        for (int p = pos_; p < last; ++p) bytes += (c[p] != '0') & (c[p] != '3');  // the cell at position p + 1
        bytes_ = bytes;
        if (last > pos_) pos_ = last;
    }
    while (pos_ > n && pos_ > 1) Prev();
}

void TEditorAttributeArray::StepBackChar() noexcept
{
    Prev();
    if (Current() == '4') Prev();
}

std::string_view TEditorAttributeArray::CharAtCell(int pos, std::size_t bytes) const noexcept
{
    const char c = classes_[static_cast<std::size_t>(pos - 1)];
    if (c == '0' || bytes == 0) return {};
    const std::size_t last = bytes - 1;  // index of the byte this cell covers (the TAB for a fill cell)
    std::size_t start = last, len = 1;
    if (c == '4') len = 2;
    else if (c == '5') start = last - 1, len = 2;
    if (start >= text_.size()) return {};
    return text_.substr(start, std::min(len, text_.size() - start));
}

std::string_view TEditorAttributeArray::PeekNextChar() const noexcept
{
    if (Current() == '0') return {};
    const char n = classes_[static_cast<std::size_t>(pos_)];
    return CharAtCell(pos_ + 1, bytes_ + ((n == '0' || n == '3') ? 0 : 1));
}

namespace {

bool In(std::string_view ch, const TMBCharSet& set) { return set.Contains(ch); }

// Where the row starting at the cursor's text is cut (cells 1..position stay).
void ChooseCut(TEditorAttributeArray& a, const TWrapRules& r)
{
    const int w = r.WrapByte;
    if (a.Current() == '4') {
        a.Prev();  // a double-byte character straddles the wrap column
    } else if (r.WordBreak && a.ColumnCount() > w) {
        const int floor = w / 3;
        auto breakable = [&] { const char c = a.Current(); return c == '2' || c == '3' || c == '5'; };
        while (!breakable() && a.Position() > floor) a.StepBackChar();
        if (!breakable()) a.MoveTo(floor);
    }
    if (r.FollowPunctuation) {
        while (a.Position() < w + 2 && !a.AtEndMark() && In(a.PeekNextChar(), r.PunctuationStr)) {
            a.Next();
            if (a.Current() == '4') a.Next();
        }
    }
    if (r.Leading && a.Position() < a.ColumnCount()) {
        const int floor = w / 5 * 4;
        while (a.Position() > floor && In(a.CurrentChar(), r.LeadStr)) a.StepBackChar();
        if (a.Position() + 1 < a.ColumnCount() && In(a.PeekNextChar(), r.FollowStr)) {
            std::string next(a.PeekNextChar());
            while (a.Position() > floor && (In(a.CurrentChar(), r.LeadStr) || In(next, r.FollowStr))) {
                next.assign(a.CurrentChar());
                a.StepBackChar();
            }
        }
    }
    // Never leave half of a double-byte character on either side.
    if (a.Current() == '4') a.Prev();
    if (a.Current() == '4') a.Next();  // only on cell 1: keep the whole character
}

} // namespace

TLineCutter::TLineCutter(std::string_view line, const TWrapRules& rules)
    : line_(line), rules_(rules), plain_(!rules.WordBreak && !rules.FollowPunctuation && !rules.Leading)
{
    // A line shorter than the width is one row (an empty one too, whatever FollowRetMark says).
    const std::size_t w = static_cast<std::size_t>(rules.WrapByte);
    if (line.size() < w && !HasByte(line, '\t')) {
        done_ = true;
        return;
    }
    GetCellClasses(line, rules.Cells, classes_);
    if (static_cast<int>(classes_.size()) < rules.WrapByte) done_ = true;
}

// The cut of the row starting at off_ by the cell classes (any rules).
bool TLineCutter::GeneralStep(std::size_t& cut)
{
    const std::string_view rest = line_.substr(off_);
    cursor_.Reset(rest, classes_);  // takes the buffer; GetCellClasses below refills the one handed back
    cursor_.MoveTo(rules_.WrapByte);
    if (cursor_.AtEndMark()) {
        restRow_ = !rest.empty() || !rules_.FollowRetMark;
        return false;
    }
    ChooseCut(cursor_, rules_);
    cut = cursor_.ByteCount();
    if (cut == 0) cut = (IsLeadByte(static_cast<unsigned char>(rest[0])) && rest.size() > 1) ? 2 : 1;
    return true;
}

// The cell classes of the row starting the rest, as GetCellClasses gives
// them as far as a cut looks. Without a TAB every byte is one cell, and
// without word break the cut never looks left of the Leading floor, nor
// tells a delimiter from another single byte: only the cells from a little
// before that floor need their pairs marked, found from the nearest place
// known to start a character.
void TLineCutter::RowClasses(std::string_view rest)
{
    const std::size_t w = static_cast<std::size_t>(rules_.WrapByte), cap = w + 3;
    const std::size_t n = std::min(cap, rest.size());
    if (rules_.WordBreak || HasByte(rest.substr(0, n), '\t')) {
        GetCellClasses(rest, rules_.Cells, classes_);
        return;
    }
    classes_.assign(n, '1');
    const std::size_t floor = w / 5 * 4;
    std::size_t i = std::min(n, floor > 8 ? floor - 8 : 0);
    if (EndsWithStrayLead(rest.substr(0, i))) --i;  // the byte before leads the pair at i
    while (i < n) {
        if (IsLeadByte(static_cast<unsigned char>(rest[i])) && i + 1 < rest.size()) {
            classes_[i] = '4';
            if (i + 1 < n) classes_[i + 1] = '5';
            else classes_ += '5';  // a pair on the last cell looked at overshoots it
            i += 2;
        } else {
            ++i;
        }
    }
}

bool TLineCutter::Next(std::size_t& end)
{
    if (done_) return false;
    const std::size_t w = static_cast<std::size_t>(rules_.WrapByte);
    const std::string_view rest = line_.substr(off_);
    std::size_t cut = 0;
    if (plain_ && !HasByte(rest.substr(0, w), '\t')) {
        // Without a TAB every cell is a byte: the row is WrapByte bytes, one
        // less when a double-byte character starts on its last cell.
        if (rest.size() < w) {
            restRow_ = !rest.empty() || !rules_.FollowRetMark;
            done_ = true;
            return false;
        }
        const std::size_t q = w - 1;
        const bool starts = !EndsWithStrayLead(rest.substr(0, q));
        cut = starts && IsLeadByte(static_cast<unsigned char>(rest[q])) && rest.size() > w ? q : w;
    } else {
        if (off_ > 0) RowClasses(rest);  // the first row's came with the line
        if (!GeneralStep(cut)) {
            done_ = true;
            return false;
        }
    }
    off_ += cut;
    end = off_;
    return true;
}

void CutLine(std::string_view line, const TWrapRules& r, TLineCuts& cuts)
{
    cuts.Ends.clear();
    TLineCutter cutter(line, r);
    for (std::size_t end = 0; cutter.Next(end);) cuts.Ends.push_back(end);
    cuts.RestRow = cutter.RestRow();
}

} // namespace vellumo
