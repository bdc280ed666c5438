#include "editor/rowstore.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <stdexcept>

#include "editor/editorview.h"
#include "editor/rowparser.h"
#include "editor/sjisutil.h"
#include "editor/undo.h"
#include "editor/wrap.h"
#include "editor/wrapoption.h"
#include "editor/rowstore_parts.h"

namespace vellumo {

using namespace rowstore;

namespace {

int widestRow = 0;

} // namespace

// ---- TEditorRow -----------------------------------------------------------

namespace {

std::uint32_t RowSize(std::size_t n)
{
    if (n > UINT32_MAX) throw std::length_error("row too long");
    return static_cast<std::uint32_t>(n);
}

// A string is taken over when it is long enough for the copy to count and
// holds little unused room.
constexpr std::size_t kTakeOver = 4096;

} // namespace

TEditorRow::TEditorRow(std::string_view text, TEditorRowFlags flags) : size_(RowSize(text.size()))
{
    SetFlags(flags);
    if (text.empty()) return;
    char* p = new char[text.size()];
    std::memcpy(p, text.data(), text.size());
    data_ = p;
    kind_ = kOwned;
}

TEditorRow TEditorRow::Take(std::string&& text, TEditorRowFlags flags)
{
    if (text.size() < kTakeOver || text.capacity() - text.size() > text.size() / 4) return TEditorRow(std::string_view(text), flags);
    TEditorRow r;
    r.size_ = RowSize(text.size());
    r.SetFlags(flags);
    r.data_ = reinterpret_cast<const char*>(new std::string(std::move(text)));
    r.kind_ = kString;
    return r;
}

TEditorRow TEditorRow::Slice(const char* data, std::size_t size, TEditorRowFlags flags)
{
    TEditorRow r;
    r.size_ = RowSize(size);
    r.SetFlags(flags);
    if (size > 0) r.data_ = data;
    return r;
}

TEditorRow::TEditorRow(TEditorRow&& o) noexcept : data_(o.data_), size_(o.size_), flags_(o.flags_), kind_(o.kind_)
{
    o.data_ = nullptr;
    o.size_ = 0;
    o.kind_ = kSlice;
}

TEditorRow& TEditorRow::operator=(TEditorRow&& o) noexcept
{
    if (this == &o) return *this;
    Free();
    data_ = o.data_;
    size_ = o.size_;
    flags_ = o.flags_;
    kind_ = o.kind_;
    o.data_ = nullptr;
    o.size_ = 0;
    o.kind_ = kSlice;
    return *this;
}

std::string& TEditorRow::Own()
{
    if (kind_ != kString) {
        const std::string_view t = Text();
        auto own = std::make_unique<std::string>();
        own->reserve(t.size() + t.size() / 8 + 64);
        own->assign(t);
        Free();
        data_ = reinterpret_cast<const char*>(own.release());
        kind_ = kString;
    }
    return *reinterpret_cast<std::string*>(const_cast<char*>(data_));
}

void TEditorRow::Free() noexcept
{
    if (kind_ == kOwned) delete[] data_;
    else if (kind_ == kString) delete reinterpret_cast<const std::string*>(data_);
}

// ---- TPointerStringList ---------------------------------------------------

void TPointerStringList::SetStrings(int index, std::string s)
{
    if (index < 0 || index >= Count()) return;
    TEditorRow& r = rows_[static_cast<std::size_t>(index)];
    r = TEditorRow::Take(std::move(s), r.Flags());
    Changed();
}

int TPointerStringList::Add(std::string s, TEditorRowFlags flags)
{
    rows_.push_back(TEditorRow::Take(std::move(s), flags));
    NoteKnownState(Count() - 1, BracketStateOf(flags));
    Touch();
    Changed();
    return Count() - 1;
}

void TPointerStringList::Insert(int index, std::string s)
{
    if (index < 0 || index > Count()) return;
    rows_.insert(rows_.begin() + index, TEditorRow::Take(std::move(s), 0));
    RowsReplaced(index, 0, 1);
    Touch();
    Changed();
}

void TPointerStringList::Delete(int index)
{
    if (index < 0 || index >= Count()) return;
    rows_.erase(rows_.begin() + index);
    if (rows_.empty()) DropBlocks();
    RowsReplaced(index, 1, 0);
    Touch();
    Changed();
}

void TPointerStringList::Clear()
{
    if (rows_.empty()) {
        DropBlocks();
        return;
    }
    std::vector<TEditorRow>().swap(rows_);
    DropBlocks();
    knownEnd_ = 0;
    Touch();
    Changed();
}

std::size_t TPointerStringList::BlockBytes() const noexcept
{
    std::size_t n = 0;
    for (const TTextBlock& b : blocks_) n += b.Size;
    return n;
}

bool TPointerStringList::InBlock(const char* p, std::size_t n) const noexcept
{
    const auto at = reinterpret_cast<std::uintptr_t>(p);
    for (const TTextBlock& b : blocks_) {
        const auto start = reinterpret_cast<std::uintptr_t>(b.Data.get());
        if (at >= start && at - start <= b.Size && n <= b.Size - (at - start)) return true;
    }
    return false;
}

TEditorRowFlags TPointerStringList::GetFlags(int index) const noexcept
{
    return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].Flags() : WithRowAttribute(0, raEof);
}

void TPointerStringList::PutFlags(int index, TEditorRowFlags flags)
{
    if (index < 0 || index >= Count()) return;
    TEditorRow& r = rows_[static_cast<std::size_t>(index)];
    if (RowAttribute(r.Flags()) != RowAttribute(flags)) Touch();
    r.SetFlags(flags);
    NoteKnownState(index, BracketStateOf(flags));
}

TEditorRowAttribute TPointerStringList::GetRowAttribute(int index) const noexcept
{
    return RowAttribute(GetFlags(index));
}

void TPointerStringList::SetRowAttribute(int index, TEditorRowAttribute a)
{
    if (index < 0 || index >= Count()) return;
    PutFlags(index, WithRowAttribute(GetFlags(index), a));
}

int TPointerStringList::GetBracketState(int index) const noexcept
{
    return index >= 0 && index < Count() ? BracketStateOf(rows_[static_cast<std::size_t>(index)].Flags()) : kBracketUnknown;
}

void TPointerStringList::SetBracketState(int index, int state)
{
    if (index < 0 || index >= Count()) return;
    TEditorRow& r = rows_[static_cast<std::size_t>(index)];
    r.SetFlags(WithBracketState(r.Flags(), state));
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
        TEditorRow& x = rows_[static_cast<std::size_t>(r)];
        x.SetFlags(WithBracketState(x.Flags(), kBracketUnknown));
    }
    knownEnd_ = std::min(knownEnd_, row);
}

void TPointerStringList::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0) SetUpdateState(false);
}

void TPointerStringList::Assign(std::vector<TEditorRow>&& rows)
{
    rows_ = std::move(rows);
    DropBlocks();
    knownEnd_ = 0;
    for (std::size_t k = rows_.size(); k-- > 0;)
        if (BracketStateOf(rows_[k].Flags()) != kBracketUnknown) {
            knownEnd_ = static_cast<int>(k) + 1;
            break;
        }
    Touch();
    Changed();
}

std::vector<TEditorRow> TPointerStringList::TakeRows()
{
    std::vector<TEditorRow> out;
    out.swap(rows_);
    if (!blocks_.empty()) {
        // The blocks stay behind: slices become copies.
        for (TEditorRow& r : out)
            if (r.IsSlice()) r = TEditorRow(r.Text(), r.Flags());
        DropBlocks();
    }
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
    ++textVersion_;
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

std::string TEditorScreenStrings::GetLogicalText(int start, int count, TEditorRowAttribute* LastAttribute,
                                                 int* RowsTaken) const
{
    if (LastAttribute) *LastAttribute = raNone;
    if (RowsTaken) *RowsTaken = 0;
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
    if (LastAttribute) *LastAttribute = GetRowAttribute(last);
    if (RowsTaken) *RowsTaken = last - start + 1;
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
            if (RowAttribute(rows_[static_cast<std::size_t>(r)].Flags()) != raWrapped) run.push_back(r + 1);
        const auto at = lineStarts_.erase(lo, hi);
        lineStarts_.insert(at, run.begin(), run.end());
        lineVersion_ = Version();
        return;
    }
    lineStarts_.clear();
    if (n > 0) lineStarts_.push_back(0);
    for (int r = 0; r + 1 < n; ++r)
        if (RowAttribute(rows_[static_cast<std::size_t>(r)].Flags()) != raWrapped) lineStarts_.push_back(r + 1);
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
    for (const TEditorRow& r : rows) UpdateWidestRow(GetDisplayWidth(r.Text(), rules));
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
    // Every row replaced by rows of their own: nothing needs the blocks now.
    const bool all = first == 0 && oldCount == Count() &&
                     std::none_of(rows.begin(), rows.end(), [](const TEditorRow& r) { return r.IsSlice(); });
    auto at = rows_.begin() + first;
    bool shape = oldCount != newCount;
    for (int k = 0; k < common; ++k) {
        if (RowAttribute(at[k].Flags()) != RowAttribute(rows[static_cast<std::size_t>(k)].Flags())) shape = true;
        at[k] = std::move(rows[static_cast<std::size_t>(k)]);
    }
    if (newCount < oldCount) {
        rows_.erase(at + newCount, at + oldCount);
    } else if (newCount > oldCount) {
        rows_.insert(at + oldCount, std::make_move_iterator(rows.begin() + common), std::make_move_iterator(rows.end()));
    }
    if (all) DropBlocks();
    RowsReplaced(first, oldCount, newCount);
    for (int k = 0; k < newCount; ++k) NoteKnownState(first + k, BracketStateOf(rows_[static_cast<std::size_t>(first + k)].Flags()));
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
    if (rows_.empty()) DropBlocks();
    RowsReplaced(first, count, 0);
    Touch();
    NoteReplacedRun(first, count, 0);
    Changed();
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

TScreenStringsLink::TScreenStringsLink(IEditorView& view) : TScreenStringsLink(view, TEditorScreenStrings::Create()) {}

TScreenStringsLink::TScreenStringsLink(IEditorView& view, std::shared_ptr<TEditorScreenStrings> store)
    : view_(view), store_(std::move(store))
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
