#include "editor/rowstore.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "editor/editorview.h"
#include "editor/rowparser.h"
#include "editor/sjisutil.h"
#include "editor/undo.h"
#include "editor/wrap.h"
#include "editor/wrapoption.h"

namespace vellumo {
namespace {

const std::string kEmpty;
int widestRow = 0;

class TListUpdate {
public:
    explicit TListUpdate(TPointerStringList& list) : list_(list) { list_.BeginUpdate(); }
    ~TListUpdate() { list_.EndUpdate(); }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

private:
    TPointerStringList& list_;
};

bool EndsWithBreak(std::string_view text) noexcept
{
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

// Calls line(begin, end) for every line of text: CR, LF and CR LF end a
// line, a break at the very end adds no line.
template <class F>
void ForEachLine(std::string_view text, F&& line)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* start = p;
    while (p < end) {
        const char c = *p;
        if (static_cast<unsigned char>(c) <= '\r' && (c == '\n' || c == '\r')) {
            line(start, p);
            ++p;
            if (c == '\r' && p < end && *p == '\n') ++p;
            start = p;
        } else {
            ++p;
        }
    }
    if (start < end) line(start, end);
}

// Room for some new rows, so that the first line typed into a big text does
// not move every row to a new array.
std::size_t Headroom(std::size_t rows) { return rows + rows / 64 + 16; }

void NulsToSpaces(std::string& s)
{
    // memchr first: a long row without a NUL is passed over at memory speed.
    for (char* p = s.data(); (p = static_cast<char*>(std::memchr(p, '\0', static_cast<std::size_t>(s.data() + s.size() - p))));)
        *p++ = ' ';
}

} // namespace

// ---- scanner helpers ------------------------------------------------------

int ScanEndState(const IRowParserFactory& factory, const std::string& text, int startState)
{
    auto s = factory.CreateScanner(text, startState);
    if (!s) return startState;
    // Every token takes at least one byte; the bound only guards against a scanner that stalls.
    for (std::size_t guard = text.size() + 2; !s->AtEnd() && guard > 0; --guard) s->NextToken();
    return s->BracketState();
}

std::size_t FirstTokenLength(const IRowParserFactory& factory, const std::string& text)
{
    auto s = factory.CreateScanner(text, kBracketOutside);
    if (!s) return 0;
    return std::min(s->TokenEnd(), text.size());
}

// ---- TPointerStringList ---------------------------------------------------

const std::string& TPointerStringList::Strings(int index) const noexcept
{
    return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].Text : kEmpty;
}

void TPointerStringList::SetStrings(int index, std::string s)
{
    if (index < 0 || index >= Count()) return;
    rows_[static_cast<std::size_t>(index)].Text = std::move(s);
    Changed();
}

int TPointerStringList::Add(std::string s, TEditorRowFlags flags)
{
    rows_.push_back({std::move(s), flags});
    NoteKnownState(Count() - 1, BracketStateOf(flags));
    Touch();
    Changed();
    return Count() - 1;
}

void TPointerStringList::Insert(int index, std::string s)
{
    if (index < 0 || index > Count()) return;
    rows_.insert(rows_.begin() + index, TEditorRow{std::move(s), 0});
    RowsReplaced(index, 0, 1);
    Touch();
    Changed();
}

void TPointerStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    rows_.erase(rows_.begin() + index);
    RowsReplaced(index, 1, 0);
    Touch();
    Changed();
}

void TPointerStringList::Clear()
{
    if (rows_.empty()) return;
    std::vector<TEditorRow>().swap(rows_);
    knownEnd_ = 0;
    Touch();
    Changed();
}

TEditorRowFlags TPointerStringList::GetFlags(int index) const noexcept
{
    return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].Flags : WithRowAttribute(0, raEof);
}

void TPointerStringList::PutFlags(int index, TEditorRowFlags flags)
{
    if (index < 0 || index >= Count()) return;
    TEditorRowFlags& f = rows_[static_cast<std::size_t>(index)].Flags;
    if (RowAttributeOf(f) != RowAttributeOf(flags)) Touch();
    f = flags;
    NoteKnownState(index, BracketStateOf(flags));
}

TEditorRowAttribute TPointerStringList::GetRowAttribute(int index) const noexcept
{
    return RowAttributeOf(GetFlags(index));
}

void TPointerStringList::SetRowAttribute(int index, TEditorRowAttribute a)
{
    if (index < 0 || index >= Count()) return;
    PutFlags(index, WithRowAttribute(GetFlags(index), a));
}

int TPointerStringList::GetBracketState(int index) const noexcept
{
    return index >= 0 && index < Count() ? BracketStateOf(rows_[static_cast<std::size_t>(index)].Flags) : kBracketUnknown;
}

void TPointerStringList::SetBracketState(int index, int state)
{
    if (index < 0 || index >= Count()) return;
    TEditorRowFlags& f = rows_[static_cast<std::size_t>(index)].Flags;
    f = WithBracketState(f, state);
    NoteKnownState(index, state);
}

void TPointerStringList::RowsReplaced(int first, int oldCount, int newCount) noexcept
{
    if (knownEnd_ <= first) return;
    if (knownEnd_ >= first + oldCount) knownEnd_ += newCount - oldCount;
    else knownEnd_ = first;  // nothing after the run was known, and new rows are not
}

void TPointerStringList::NoteKnownState(int row, int state) noexcept
{
    if (state != kBracketUnknown && row >= knownEnd_) knownEnd_ = row + 1;
}

void TPointerStringList::ForgetStatesFrom(int row)
{
    row = std::max(row, 0);
    for (int r = row; r < BracketKnownEnd(); ++r) {
        TEditorRowFlags& f = rows_[static_cast<std::size_t>(r)].Flags;
        f = WithBracketState(f, kBracketUnknown);
    }
    knownEnd_ = std::min(knownEnd_, row);
}

void TPointerStringList::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

std::vector<TEditorRow> TPointerStringList::TakeRows()
{
    std::vector<TEditorRow> out;
    out.swap(rows_);
    knownEnd_ = 0;
    Touch();
    Changed();
    return out;
}

void TPointerStringList::SetUpdateState(bool updating)
{
    if (updating || !changedInUpdate_) return;
    changedInUpdate_ = false;
    if (OnChange) OnChange();
}

void TPointerStringList::Changed()
{
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    if (OnChange) OnChange();
}

// ---- widest row -----------------------------------------------------------

int WidestRow() noexcept { return widestRow; }

void UpdateWidestRow(int cells) noexcept
{
    widestRow = std::min(kMaxRowCells, std::max(widestRow, cells));
}

void ResetWidestRow() noexcept { widestRow = 0; }

// ---- TEditorScreenStrings -------------------------------------------------

std::shared_ptr<TEditorScreenStrings> TEditorScreenStrings::Create()
{
    return std::make_shared<TEditorScreenStrings>();
}

TEditorScreenStrings::TEditorScreenStrings()
{
    undo_ = CreateUndoObj();
    wrapOption_ = CreateWrapOption();
    OnChange = [this] { NotifyEditors(); };
}

TEditorScreenStrings::~TEditorScreenStrings() = default;

std::unique_ptr<TEditorUndoObj> TEditorScreenStrings::CreateUndoObj()
{
    return std::make_unique<TEditorUndoObj>(*this);
}

std::unique_ptr<TEditorWrapOption> TEditorScreenStrings::CreateWrapOption()
{
    auto o = std::make_unique<TEditorWrapOption>();
    o->OnChange = [this](TNotifyPersistent*) { WrapOptionChanged(); };
    return o;
}

void TEditorScreenStrings::AttachEditor(IEditorView* view)
{
    if (view && std::find(editors_.begin(), editors_.end(), view) == editors_.end()) editors_.push_back(view);
}

void TEditorScreenStrings::DetachEditor(IEditorView* view)
{
    editors_.erase(std::remove(editors_.begin(), editors_.end(), view), editors_.end());
}

IEditorView* TEditorScreenStrings::ActiveEditor() const noexcept
{
    for (IEditorView* v : editors_)
        if (v->Focused()) return v;
    return OwnerEditor();
}

TCellRules TEditorScreenStrings::CellRules() const
{
    TCellRules r;
    if (const IEditorView* owner = OwnerEditor()) {
        r.TabWidth = std::clamp(owner->TabSpaceCount(), 1, 8);
        r.Delimiters = owner->Delimiters();
    }
    r.WrapWidth = wordWrap_ ? wrapOption_->WrapByte() : 0;
    return r;
}

TWrapRules TEditorScreenStrings::WrapRules() const
{
    const TCellRules c = CellRules();
    return TWrapRules(*wrapOption_, c.TabWidth, c.Delimiters);
}

bool TEditorScreenStrings::OwnerLoading() const
{
    const IEditorView* owner = OwnerEditor();
    return owner && owner->IsLoading();
}

void TEditorScreenStrings::SetWordWrap(bool value)
{
    if (value == wordWrap_) return;
    wordWrap_ = value;
    Touch();  // logical lines are counted differently now
    if (OwnerLoading()) return;
    undo_->Clear();
    if (value) WrapAll();
    else UnwrapAll();
    RescanRows();
    RefreshEditors();
    ClampEditorRows();
    ResetEditorColumns();
}

void TEditorScreenStrings::WrapOptionChanged()
{
    if (!wordWrap_ || OwnerLoading()) return;
    undo_->Clear();
    WrapAll();
    RescanRows();
    RefreshEditors();
    ClampEditorRows();
    ResetEditorColumns();
}

int TEditorScreenStrings::FirstRowOfLine(int row) const noexcept
{
    if (row > Count()) row = Count();
    while (row > 0 && GetRowAttribute(row - 1) == raWrapped) --row;
    return row;
}

int TEditorScreenStrings::LastRowOfLine(int row) const noexcept
{
    if (row < 0 || row >= Count()) return row;
    while (row < Count() - 1 && GetRowAttribute(row) == raWrapped) ++row;
    return row;
}

void TEditorScreenStrings::AppendRowBreak(const TPointerStringList& list, int row, std::string& text)
{
    if (row >= 0 && row < list.Count() && list.GetRowAttribute(row) == raLineBreak) text += "\r\n";
}

std::string TEditorScreenStrings::GetLogicalText(int start, int count, TEditorRowAttribute* lastAttribute,
                                                 int* rowsTaken) const
{
    if (lastAttribute) *lastAttribute = raNone;
    if (rowsTaken) *rowsTaken = 0;
    if (start < 0 || start >= Count() || count == 0 || count < -1) return {};
    const int last = count == -1 ? LastRowOfLine(start) : std::min(Count() - 1, start + count - 1);
    std::size_t size = 0;
    for (int r = start; r <= last; ++r) size += Strings(r).size() + 2;
    std::string text;
    text.reserve(size);
    for (int r = start; r <= last; ++r) {
        text += Strings(r);
        AppendRowBreak(*this, r, text);
    }
    if (lastAttribute) *lastAttribute = GetRowAttribute(last);
    if (rowsTaken) *rowsTaken = last - start + 1;
    return text;
}

void TEditorScreenStrings::NoteReplacedRun(int first, int oldCount, int newCount) noexcept
{
    if (lineVersion_ + 1 != Version()) {
        patchVersion_ = 0;
        return;
    }
    patchVersion_ = Version();
    patchFirst_ = first;
    patchOld_ = oldCount;
    patchNew_ = newCount;
}

void TEditorScreenStrings::UpdateLineIndex() const
{
    if (lineVersion_ == Version()) return;
    const int n = Count();
    if (patchVersion_ == Version() && lineVersion_ + 1 == Version() && n > 0 && !lineStarts_.empty()) {
        // Lines starting before the run stay, those after it move by the
        // change in rows, and the run's rows (and the one before it, which
        // may have been the last) are read afresh.
        const int f = patchFirst_, from = std::max(f - 1, 0), delta = patchNew_ - patchOld_;
        const auto lo = std::upper_bound(lineStarts_.begin(), lineStarts_.end(), from);
        const auto hi = std::upper_bound(lo, lineStarts_.end(), f + patchOld_);
        for (auto it = hi; it != lineStarts_.end(); ++it) *it += delta;
        std::vector<int> run;
        for (int r = from; r < f + patchNew_ && r + 1 < n; ++r)
            if (RowAttributeOf(rows_[static_cast<std::size_t>(r)].Flags) != raWrapped) run.push_back(r + 1);
        const auto at = lineStarts_.erase(lo, hi);
        lineStarts_.insert(at, run.begin(), run.end());
        lineVersion_ = Version();
        return;
    }
    lineStarts_.clear();
    if (n > 0) lineStarts_.push_back(0);
    for (int r = 0; r + 1 < n; ++r)
        if (RowAttributeOf(rows_[static_cast<std::size_t>(r)].Flags) != raWrapped) lineStarts_.push_back(r + 1);
    lineVersion_ = Version();
}

int TEditorScreenStrings::LineCount() const
{
    if (!wordWrap_) return Count();
    UpdateLineIndex();
    return static_cast<int>(lineStarts_.size());
}

int TEditorScreenStrings::LineToRow(int line) const
{
    if (line < 0) return line;
    if (line >= LineCount()) return Count();
    if (!wordWrap_) return line;
    return lineStarts_[static_cast<std::size_t>(line)];
}

int TEditorScreenStrings::RowToLine(int row) const
{
    if (!wordWrap_) return row;
    if (row <= 0) return 0;
    UpdateLineIndex();
    if (row >= Count()) {
        const int n = static_cast<int>(lineStarts_.size());
        return n == 0 ? 0 : n - 1 + (GetRowAttribute(Count() - 1) == raLineBreak ? 1 : 0);
    }
    return static_cast<int>(std::upper_bound(lineStarts_.begin(), lineStarts_.end(), row) - lineStarts_.begin()) - 1;
}

void TEditorScreenStrings::SplitToRows(std::string_view text, TEditorStringList& rows) const
{
    std::vector<TEditorRow> out;
    std::string clean;
    if (!text.empty() && std::memchr(text.data(), '\0', text.size())) {
        clean.assign(text);
        NulsToSpaces(clean);  // a NUL would end the text and drop the rest
        text = clean;
    }
    TStringList lines;
    TextToStrings(text, lines);
    if (lines.Count() == 0) {
        out.push_back({std::string(), WithRowAttribute(0, raLineBreak)});
    } else if (!wordWrap_) {
        out.reserve(static_cast<std::size_t>(lines.Count()));
        for (const std::string& l : lines.Items()) out.push_back({l, WithRowAttribute(0, raLineBreak)});
    } else {
        const TWrapRules rules = WrapRules();
        TLineCuts cuts;
        out.reserve(static_cast<std::size_t>(lines.Count()));
        for (const std::string& l : lines.Items()) {
            CutLine(l, rules, cuts);
            std::size_t begin = 0;
            for (std::size_t e : cuts.Ends) {
                out.push_back({l.substr(begin, e - begin), WithRowAttribute(0, raWrapped)});
                begin = e;
            }
            if (cuts.Ends.empty() || cuts.RestRow) out.push_back({l.substr(begin), WithRowAttribute(0, raLineBreak)});
            else out.back().Flags = WithRowAttribute(0, raLineBreak);
        }
    }
    rows.Clear();
    rows.BeginUpdate();
    for (TEditorRow& r : out) rows.Add(std::move(r.Text), r.Flags);
    rows.EndUpdate();
}

int TEditorScreenStrings::CountWrapRows(std::string_view line) const
{
    if (!wordWrap_) return 1;
    TLineCuts cuts;
    CutLine(line, WrapRules(), cuts);
    return cuts.RowCount();
}

namespace {

// Rows a line takes under the rules.
int LineRowCount(std::string_view line, const TWrapRules& rules, TLineCuts& cuts)
{
    if (GetDisplayWidth(line, rules.Cells) < rules.WrapByte) return 1;
    CutLine(line, rules, cuts);
    return cuts.RowCount();
}

// Appends the rows of one line; a line that needs no cut is moved in whole.
void AppendWrapped(std::string&& line, const TWrapRules& rules, TLineCuts& cuts, std::vector<TEditorRow>& out)
{
    if (GetDisplayWidth(line, rules.Cells) < rules.WrapByte) {
        out.push_back({std::move(line), WithRowAttribute(0, raLineBreak)});
        return;
    }
    CutLine(line, rules, cuts);
    std::size_t begin = 0;
    for (std::size_t e : cuts.Ends) {
        out.push_back({line.substr(begin, e - begin), WithRowAttribute(0, raWrapped)});
        begin = e;
    }
    if (cuts.Ends.empty() || cuts.RestRow) out.push_back({line.substr(begin), WithRowAttribute(0, raLineBreak)});
    else out.back().Flags = WithRowAttribute(0, raLineBreak);
}

} // namespace

void TEditorScreenStrings::WrapAll()
{
    if (Empty() || OwnerLoading()) return;
    CleanSelections();
    const bool wasOff = notifyOff_;
    notifyOff_ = true;
    {
        TListUpdate update(*this);
        const TWrapRules rules = WrapRules();
        TEditorRowAttribute lastAttr = GetRowAttribute(Count() - 1);
        if (lastAttr == raWrapped) lastAttr = raEof;
        const std::size_t n = rows_.size();
        auto lineEnd = [&](std::size_t i) {
            while (i + 1 < n && RowAttributeOf(rows_[i].Flags) == raWrapped) ++i;
            return i;
        };
        auto join = [&](std::size_t i, std::size_t j, std::string& line) {
            std::size_t size = 0;
            for (std::size_t k = i; k <= j; ++k) size += rows_[k].Text.size();
            line.clear();
            line.reserve(size);
            for (std::size_t k = i; k <= j; ++k) line += rows_[k].Text;
        };
        // Counted first so that the new rows are allocated once.
        TLineCuts cuts;
        std::string joined;
        std::size_t total = 0;
        for (std::size_t i = 0; i < n;) {
            const std::size_t j = lineEnd(i);
            if (j == i) {
                total += static_cast<std::size_t>(LineRowCount(rows_[i].Text, rules, cuts));
            } else {
                join(i, j, joined);
                total += static_cast<std::size_t>(LineRowCount(joined, rules, cuts));
            }
            i = j + 1;
        }
        std::vector<TEditorRow> out;
        out.reserve(Headroom(total));
        for (std::size_t i = 0; i < n;) {
            const std::size_t j = lineEnd(i);
            std::string line;
            if (j == i) line = std::move(rows_[i].Text);
            else join(i, j, line);
            i = j + 1;
            AppendWrapped(std::move(line), rules, cuts, out);
        }
        out.back().Flags = WithRowAttribute(0, lastAttr);
        rows_.swap(out);
        knownEnd_ = 0;  // the new rows carry no state
        Touch();
        Changed();
    }
    notifyOff_ = wasOff;
}

void TEditorScreenStrings::UnwrapAll()
{
    if (Empty()) return;
    CleanSelections();
    const bool wasOff = notifyOff_;
    notifyOff_ = true;
    {
        TListUpdate update(*this);
        TEditorRowAttribute lastAttr = GetRowAttribute(Count() - 1);
        if (lastAttr == raWrapped) lastAttr = raEof;
        std::size_t to = 0;
        const std::size_t n = rows_.size();
        for (std::size_t i = 0; i < n;) {
            std::size_t j = i;
            while (j + 1 < n && RowAttributeOf(rows_[j].Flags) == raWrapped) ++j;
            std::string line = std::move(rows_[i].Text);
            for (std::size_t k = i + 1; k <= j; ++k) line += rows_[k].Text;
            rows_[to++] = {std::move(line), WithRowAttribute(0, raLineBreak)};
            i = j + 1;
        }
        rows_.resize(to);
        rows_.back().Flags = WithRowAttribute(0, lastAttr);
        knownEnd_ = 0;  // the joined rows carry no state
        Touch();
        Changed();
    }
    notifyOff_ = wasOff;
}

int TEditorScreenStrings::ParseRowBrackets(int row, int state) const
{
    const IEditorView* owner = OwnerEditor();
    const IRowParserFactory* factory = owner ? owner->ParserFactory() : nullptr;
    if (!factory || owner->BracketRegionCount() <= 0 || row < 0 || row >= Count()) return state;
    std::string text = Strings(row);
    if (text.empty()) return state;
    if (wordWrap_ && GetRowAttribute(row) == raWrapped && row < Count() - 1) text += FirstToken(row + 1);
    return ScanEndState(*factory, text, state);
}

std::string TEditorScreenStrings::FirstToken(int row) const
{
    const IEditorView* owner = OwnerEditor();
    const IRowParserFactory* factory = owner ? owner->ParserFactory() : nullptr;
    const std::string& text = Strings(row);
    if (!factory || text.empty()) return {};
    return text.substr(0, FirstTokenLength(*factory, text));
}

int TEditorScreenStrings::RepropagateBrackets(int row, bool repaint)
{
    const int n = Count();
    if (row < 0 || row >= n) return 0;
    // An edit below the rows whose states are known leaves its rows unknown:
    // nothing shown depends on them, and the painter computes them from the
    // nearest known row when they come into view.
    if (repaint && row > 0 && GetBracketState(row - 1) == kBracketUnknown) {
        ForgetStatesFrom(row);
        return 0;
    }
    int start = 0, state = kBracketOutside;
    for (int r = std::min(row, BracketKnownEnd()) - 1; r >= 0; --r) {
        const int s = GetBracketState(r);
        if (s != kBracketUnknown) {
            start = r + 1;
            state = ParseRowBrackets(r, s);
            break;
        }
    }
    const IEditorView* owner = OwnerEditor();
    const int screenRows = owner ? owner->ScreenHeight() / std::max(owner->RowHeight(), 1) : 0;
    const int limit = std::min(row + 2 * screenRows, n - 1);
    int changed = 0;
    for (int r = start; r <= limit; ++r) {
        if (GetBracketState(r) == state) return changed;
        SetBracketState(r, state);
        if (repaint) {
            for (IEditorView* v : std::vector<IEditorView*>(editors_)) v->InvalidateRowText(r);
            ++changed;
        }
        state = ParseRowBrackets(r, state);
    }
    ForgetStatesFrom(limit + 1);
    return changed;
}

void TEditorScreenStrings::RescanRows()
{
    if (OwnerLoading()) return;
    ResetWidestRow();
    const TCellRules rules = CellRules();
    for (const TEditorRow& r : rows_) {
        if (WidestRow() >= kMaxRowCells) break;
        UpdateWidestRow(GetDisplayWidth(r.Text, rules));
    }
    const IEditorView* owner = OwnerEditor();
    const bool regions = owner && owner->ParserFactory() && owner->BracketRegionCount() > 0;
    for (TEditorRow& r : rows_) r.Flags = WithBracketState(r.Flags, regions ? kBracketUnknown : kBracketOutside);
    knownEnd_ = regions ? 0 : Count();
    if (!regions) return;
    const IEditorView* active = ActiveEditor();
    const int screenRows = owner->ScreenHeight() / std::max(owner->RowHeight(), 1);
    const int limit = std::min(Count() - 1, 2 * screenRows + (active ? active->TopRow() : 0));
    int state = kBracketOutside;
    for (int r = 0; r <= limit; ++r) {
        SetBracketState(r, state);
        state = ParseRowBrackets(r, state);
    }
}

int TEditorScreenStrings::EditStartRow(int row) const noexcept
{
    if (row <= 0 || row > Count()) return std::max(row, 0);
    // The edit starts a row earlier when the row before does not end its
    // line: it may take text from the edited row (a wrapped row, or the last
    // row when appending after a text without a final line break).
    int first = GetRowAttribute(row - 1) != raLineBreak ? row - 1 : row;
    // A cut looks up to WrapByte + 3 cells ahead of its row's start; rows of
    // the line whose window reaches the edited row are cut afresh too (short
    // rows left by word breaks would otherwise stay short).
    if (wordWrap_ && first < row) {
        const std::size_t window = static_cast<std::size_t>(wrapOption_->WrapByte()) + 3;
        std::size_t bytes = Strings(first).size();
        while (first > 0 && GetRowAttribute(first - 1) == raWrapped && bytes + Strings(first - 1).size() < window) {
            --first;
            bytes += Strings(first).size();
        }
    }
    return first;
}

bool TEditorScreenStrings::ReplaceRows(int row, int count, std::string_view textIn)
{
    const int n = Count();
    if (row < 0 || count < 0 || count > n - row || (count == 0 && textIn.empty())) return false;
    std::string text(textIn);
    NulsToSpaces(text);

    const int first = EditStartRow(row);
    const int lastOld = row + count - 1;
    int lastLine = lastOld >= 0 ? LastRowOfLine(lastOld) : -1;

    TListUpdate update(*this);
    const std::uint64_t shape = Version();
    struct TShape {
        TEditorScreenStrings& s;
        std::uint64_t before;
        ~TShape() { s.changeRange_.ShapeChanged = s.Version() != before; }
    } noteShape{*this, shape};
    if (first == row && count == 1 && ReplaceWithinRow(row, text)) return true;
    if (wordWrap_ && count > 0 && lastOld < lastLine && ReplaceWithinLine(first, row, lastOld, lastLine, text)) return true;
    TUndoData& rec = undo_->NewRecord();

    if (first == row && lastLine == lastOld && text.empty() && count > 0) {
        int taken = 0;
        rec.FirstRow = row;
        rec.RemovedText = GetLogicalText(row, count, &rec.RemovedAttribute, &taken);
        rec.RowsInserted = 0;
        rec.InsertedLength = 0;
        DeleteRun(row, count);
        const int bc = RepropagateBrackets(row, true);
        changeRange_ = {row, count, 0, bc, true};
        return true;
    }

    TEditorRowAttribute lastAttr;
    if (lastOld < lastLine) {
        lastAttr = GetRowAttribute(lastLine);
    } else if (lastLine < n - 1) {
        lastLine = LastRowOfLine(lastLine + 1);
        lastAttr = GetRowAttribute(lastLine);
    } else {
        lastAttr = EndsWithBreak(text) ? raLineBreak : raEof;
    }

    const int oldCount = lastLine - first + 1;
    int taken = 0;
    rec.FirstRow = first;
    const std::string removed = GetLogicalText(first, oldCount, &rec.RemovedAttribute, &taken);

    std::string whole;
    whole.reserve(text.size() + removed.size());
    for (int r = first; r < row; ++r) {
        whole += Strings(r);
        AppendRowBreak(*this, r, whole);
    }
    whole += text;
    for (int r = lastOld + 1; r <= lastLine; ++r) {
        whole += Strings(r);
        AppendRowBreak(*this, r, whole);
    }

    // Text ending in a line break followed by nothing (an empty last row
    // without a break) is a text ending in a line break.
    if (lastAttr == raEof && EndsWithBreak(whole)) lastAttr = raLineBreak;
    TEditorStringList scratch;
    SplitToRows(whole, scratch);
    scratch.SetRowAttribute(scratch.Count() - 1, lastAttr);
    // An empty last row without a line break stands only after a wrapped row
    // (a line that exactly fills the width); after a line break it would be
    // a line that the text does not have.
    if (lastAttr == raEof && scratch.Strings(scratch.Count() - 1).empty()) {
        const TEditorRowAttribute before =
            scratch.Count() > 1 ? scratch.GetRowAttribute(scratch.Count() - 2) : (first > 0 ? GetRowAttribute(first - 1) : raLineBreak);
        if (before != raWrapped) scratch.Delete(scratch.Count() - 1);
    }
    rec.RowsInserted = scratch.Count();
    rec.InsertedLength = GetTextLength(scratch);
    SetRemovedText(rec, removed, JoinRows(scratch));

    std::vector<TEditorRow> rows = scratch.TakeRows();
    const TCellRules rules = CellRules();
    for (const TEditorRow& r : rows) UpdateWidestRow(GetDisplayWidth(r.Text, rules));
    const int newCount = static_cast<int>(rows.size());
    ReplaceRun(first, std::max(oldCount, 0), std::move(rows));
    const int bc = RepropagateBrackets(first, true);
    changeRange_ = {first, std::max(oldCount, 0), newCount, bc, true};
    return true;
}

void TEditorScreenStrings::ReplaceRun(int first, int oldCount, std::vector<TEditorRow>&& rows)
{
    const int newCount = static_cast<int>(rows.size());
    const int common = std::min(oldCount, newCount);
    auto at = rows_.begin() + first;
    bool shape = oldCount != newCount;
    for (int k = 0; k < common; ++k) {
        if (RowAttributeOf(at[k].Flags) != RowAttributeOf(rows[static_cast<std::size_t>(k)].Flags)) shape = true;
        at[k] = std::move(rows[static_cast<std::size_t>(k)]);
    }
    if (newCount < oldCount) {
        rows_.erase(at + newCount, at + oldCount);
    } else if (newCount > oldCount) {
        rows_.insert(at + oldCount, std::make_move_iterator(rows.begin() + common), std::make_move_iterator(rows.end()));
    }
    RowsReplaced(first, oldCount, newCount);
    for (int k = 0; k < newCount; ++k) NoteKnownState(first + k, BracketStateOf(rows_[static_cast<std::size_t>(first + k)].Flags));
    if (shape) {
        Touch();
        NoteReplacedRun(first, oldCount, newCount);
    }
    Changed();
}

void TEditorScreenStrings::DeleteRun(int first, int count)
{
    if (count <= 0) return;
    rows_.erase(rows_.begin() + first, rows_.begin() + first + count);
    RowsReplaced(first, count, 0);
    Touch();
    NoteReplacedRun(first, count, 0);
    Changed();
}

void TEditorScreenStrings::LoadText(std::string_view text)
{
    TListUpdate update(*this);
    Clear();
    const bool wrap = wordWrap_ && !OwnerLoading();
    std::string clean;
    auto lineText = [&](const char* b, const char* e) -> std::string_view {
        const std::string_view v(b, static_cast<std::size_t>(e - b));
        if (!std::memchr(b, '\0', v.size())) return v;
        clean.assign(v);
        NulsToSpaces(clean);  // a NUL must not end the text
        return clean;
    };
    std::vector<TEditorRow> rows;
    if (!wrap) {
        std::size_t lines = 0;
        ForEachLine(text, [&](const char*, const char*) { ++lines; });
        rows.reserve(Headroom(lines));
        ForEachLine(text, [&](const char* b, const char* e) { rows.push_back({std::string(lineText(b, e)), 0}); });
    } else {
        // Wrapped straight from the text (no unwrapped copy of every line);
        // the cuts found while counting are kept for the fill.
        const TWrapRules rules = WrapRules();
        TLineCuts cuts;
        std::vector<std::uint32_t> lineCuts;  // per line: cut count * 2 + rest-row flag; 0: one whole row
        std::vector<std::uint32_t> ends;
        std::size_t total = 0;
        ForEachLine(text, [&](const char* b, const char* e) {
            const std::string_view line = lineText(b, e);
            if (GetDisplayWidth(line, rules.Cells) < rules.WrapByte) {
                lineCuts.push_back(0);
                ++total;
                return;
            }
            CutLine(line, rules, cuts);
            for (std::size_t x : cuts.Ends) ends.push_back(static_cast<std::uint32_t>(x));
            lineCuts.push_back(static_cast<std::uint32_t>(cuts.Ends.size() * 2 + (cuts.RestRow ? 1 : 0)));
            total += static_cast<std::size_t>(cuts.RowCount());
        });
        rows.reserve(Headroom(total));
        std::size_t lineNo = 0, endNo = 0;
        ForEachLine(text, [&](const char* b, const char* e) {
            const std::uint32_t m = lineCuts[lineNo++];
            const std::string_view line = lineText(b, e);
            if (m == 0) {
                rows.push_back({std::string(line), WithRowAttribute(0, raLineBreak)});
                return;
            }
            std::size_t begin = 0;
            for (std::uint32_t k = 0; k < m / 2; ++k) {
                const std::size_t end = ends[endNo++];
                rows.push_back({std::string(line.substr(begin, end - begin)), WithRowAttribute(0, raWrapped)});
                begin = end;
            }
            if (m & 1) rows.push_back({std::string(line.substr(begin)), WithRowAttribute(0, raLineBreak)});
            else rows.back().Flags = WithRowAttribute(0, raLineBreak);
        });
    }
    if (!rows.empty() && !EndsWithBreak(text)) rows.back().Flags = WithRowAttribute(0, raEof);
    AppendRows(std::move(rows));
    if (wordWrap_ && !wrap) WrapAll();
    RescanRows();
}

void TEditorScreenStrings::AppendRows(std::vector<TEditorRow>&& rows)
{
    if (rows.empty()) return;
    const int at = Count();
    for (std::size_t k = rows.size(); k-- > 0;)
        if (BracketStateOf(rows[k].Flags) != kBracketUnknown) {
            NoteKnownState(at + static_cast<int>(k), BracketStateOf(rows[k].Flags));
            break;
        }
    if (rows_.empty()) {
        rows_ = std::move(rows);
    } else {
        rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    }
    Touch();
    Changed();
}

void TEditorScreenStrings::FinishLoad()
{
    if (wordWrap_) WrapAll();
    RescanRows();
}

void TEditorScreenStrings::ClampEditorRows()
{
    const int n = Count();
    const int limit = (n > 0 && GetRowAttribute(n - 1) == raEof) ? n - 1 : n;
    for (IEditorView* v : std::vector<IEditorView*>(editors_)) {
        if (v->CaretRow() > limit) v->SetCaretRow(limit);
        if (v->TopRow() > limit) v->SetTopRow(limit);
    }
}

void TEditorScreenStrings::CleanSelections()
{
    for (IEditorView* v : std::vector<IEditorView*>(editors_)) v->CleanSelection();
}

void TEditorScreenStrings::ResetEditorColumns()
{
    for (IEditorView* v : std::vector<IEditorView*>(editors_)) v->SetCaretCol(0);
}

void TEditorScreenStrings::RefreshEditors()
{
    for (IEditorView* v : std::vector<IEditorView*>(editors_)) v->Refresh();
}

bool TEditorScreenStrings::Undo() { return undo_->Undo(); }
bool TEditorScreenStrings::Redo() { return undo_->Redo(); }
bool TEditorScreenStrings::CanUndo() const noexcept { return undo_->CanUndo(); }
bool TEditorScreenStrings::CanRedo() const noexcept { return undo_->CanRedo(); }

void TEditorScreenStrings::Clear()
{
    CleanSelections();
    undo_->Clear();
    changeRange_ = {0, Count(), 0, 0, true};
    TPointerStringList::Clear();
    changeRange_ = {};
    for (IEditorView* v : std::vector<IEditorView*>(editors_)) {
        v->SetCaretRow(0);
        v->SetCaretCol(0);
    }
}

void TEditorScreenStrings::SetUpdateState(bool updating)
{
    TPointerStringList::SetUpdateState(updating);
    if (updating) return;
    changeRange_ = {};
    ClampEditorRows();
}

void TEditorScreenStrings::NotifyEditors()
{
    if (notifyOff_) return;
    // A view may detach (and drop the last reference) while being notified.
    const std::shared_ptr<TEditorScreenStrings> keep = weak_from_this().lock();
    const std::vector<IEditorView*> views = editors_;
    for (IEditorView* v : views)
        if (std::find(editors_.begin(), editors_.end(), v) != editors_.end()) v->ListChanged();
}

// ---- TScreenStringsLink ---------------------------------------------------

TScreenStringsLink::TScreenStringsLink(IEditorView& view) : view_(view), store_(TEditorScreenStrings::Create())
{
    store_->AttachEditor(&view_);
}

TScreenStringsLink::~TScreenStringsLink()
{
    if (store_) store_->DetachEditor(&view_);
}

void TScreenStringsLink::ShareWith(const TScreenStringsLink& other)
{
    if (&other == this || other.store_ == store_) return;
    std::shared_ptr<TEditorScreenStrings> next = other.store_;
    store_->DetachEditor(&view_);
    store_ = std::move(next);
    store_->AttachEditor(&view_);
}

} // namespace vellumo
