#pragma once
// The document text as screen rows: one byte string per display row with a
// flag word saying how the row ends and the bracket state at its start.
// One store serves one or two views (a split window shares it); every edit
// of the text is one ReplaceRows call and one undo record (the edits of an
// undo group, a replace-all, share one).
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/cells.h"
#include "editor/rowflags.h"

namespace vellumo {

class IEditorView;
class IRowParserFactory;
class TEditorUndoObj;
struct TRowScanCache;
class TEditorWrapOption;
struct TWrapRules;

// One row in 16 bytes: its text and its flag word (bits 0-15; the rest are
// always zero). The text is a slice of a block its list keeps (a loaded
// text is cut into rows without a copy), a buffer of its own, or a long
// string taken over whole. Rows hold at most 4 GB - 1 bytes.
class TEditorRow {
public:
    TEditorRow() noexcept = default;
    // A copy of text.
    explicit TEditorRow(std::string_view text, TEditorRowFlags flags = 0);
    // Takes a long string over without a copy; copies a short one.
    static TEditorRow Take(std::string&& text, TEditorRowFlags flags);
    // Bytes that stay alive as long as the row (a block of its list).
    static TEditorRow Slice(const char* data, std::size_t size, TEditorRowFlags flags);
    TEditorRow(TEditorRow&& other) noexcept;
    TEditorRow& operator=(TEditorRow&& other) noexcept;
    TEditorRow(const TEditorRow&) = delete;
    TEditorRow& operator=(const TEditorRow&) = delete;
    ~TEditorRow() { Free(); }

    std::string_view Text() const noexcept
    {
        return kind_ == kString ? std::string_view(*reinterpret_cast<const std::string*>(data_))
                                : std::string_view(data_, size_);
    }
    std::size_t Size() const noexcept { return size_; }
    // The text as a string of the row's own, to change in place (a slice or
    // a buffer becomes one, with room to grow); call Resized afterwards.
    std::string& Own();
    void Resized() { size_ = static_cast<std::uint32_t>(Text().size()); }
    TEditorRowFlags Flags() const noexcept { return flags_; }
    void SetFlags(TEditorRowFlags f) noexcept { flags_ = static_cast<std::uint16_t>(f); }
    bool IsSlice() const noexcept { return kind_ == kSlice && size_ > 0; }

private:
    enum : std::uint8_t { kSlice, kOwned, kString };
    void Free() noexcept;

    const char* data_ = nullptr;  // kString: the std::string
    std::uint32_t size_ = 0;
    std::uint16_t flags_ = 0;
    std::uint8_t kind_ = kSlice;
};

// Memory a list slices rows from: Size bytes at Data.get().
struct TTextBlock {
    std::shared_ptr<char> Data;
    std::size_t Size = 0;
};

// A string list with a flag word per row. Out-of-range reads give an empty
// text (attribute raEof, state -2); out-of-range writes do nothing.
class TPointerStringList {
public:
    std::function<void()> OnChange;

    TPointerStringList() = default;
    TPointerStringList(const TPointerStringList&) = delete;
    TPointerStringList& operator=(const TPointerStringList&) = delete;
    virtual ~TPointerStringList() = default;

    int Count() const noexcept { return static_cast<int>(rows_.size()); }
    bool Empty() const noexcept { return rows_.empty(); }
    std::string_view Strings(int index) const noexcept
    {
        return index >= 0 && index < Count() ? rows_[static_cast<std::size_t>(index)].Text() : std::string_view();
    }
    void SetStrings(int index, std::string s);
    int Add(std::string s, TEditorRowFlags flags = 0);
    void Insert(int index, std::string s);
    void Delete(int index);
    virtual void Clear();

    TEditorRowFlags GetFlags(int index) const noexcept;
    void PutFlags(int index, TEditorRowFlags flags);
    TEditorRowAttribute GetRowAttribute(int index) const noexcept;
    void SetRowAttribute(int index, TEditorRowAttribute a);
    int GetBracketState(int index) const noexcept;
    void SetBracketState(int index, int state);

    void BeginUpdate() noexcept { ++updateCount_; }
    void EndUpdate();
    int UpdateCount() const noexcept { return updateCount_; }

    const std::vector<TEditorRow>& Rows() const noexcept { return rows_; }
    // All rows replaced by rows (none of them a slice of this list's blocks).
    void Assign(std::vector<TEditorRow>&& rows);
    // Hands the rows over (the list is left empty); none of them is a slice.
    std::vector<TEditorRow> TakeRows();
    void Reserve(std::size_t n) { rows_.reserve(n); }
    // Bumped by every change of a row's attribute or of the row count (what
    // the logical lines depend on); a change of text alone keeps it.
    std::uint64_t Version() const noexcept { return version_; }
    // Bumped by every change of any row's text or of the row count.
    std::uint64_t TextVersion() const noexcept { return textVersion_; }
    // Every row from here on holds bracket state -2 (a bound, maybe high).
    int BracketKnownEnd() const noexcept { return std::min(knownEnd_, Count()); }
    // Bytes held in blocks that rows are sliced from.
    std::size_t BlockBytes() const noexcept;
    // Whether [p, p + n) lies within one block.
    bool InBlock(const char* p, std::size_t n) const noexcept;

protected:
    // Called with false when the outermost update ends.
    virtual void SetUpdateState(bool updating);
    void Changed();
    void Touch() noexcept { ++version_; }
    // Keeps BracketKnownEnd a bound when rows first..first+oldCount-1 were
    // replaced by newCount rows of unknown state.
    void RowsReplaced(int first, int oldCount, int newCount) noexcept;
    void NoteKnownState(int row, int state) noexcept;
    void ForgetStatesFrom(int row);
    // Blocks go with the rows: only when no row is left, or rows are all
    // replaced, may they be dropped.
    void DropBlocks() noexcept { blocks_.clear(); }

    std::vector<TEditorRow> rows_;
    std::vector<TTextBlock> blocks_;
    int knownEnd_ = 0;

private:
    int updateCount_ = 0;
    bool changedInUpdate_ = false;
    std::uint64_t version_ = 0;
    std::uint64_t textVersion_ = 0;
};

// Scratch rows (the output of word wrap).
class TEditorStringList : public TPointerStringList {};

struct TEditorChangeRange {
    int StartRow = 0;
    int OldCount = 0;
    int NewCount = 0;
    int BracketChanged = 0;
    bool Valid = false;
    // Row count or line ends changed: logical line numbers below may differ.
    bool ShapeChanged = true;
};

// Process-wide widest row in cells (0..8000), the horizontal scroll limit.
int WidestRow() noexcept;
void UpdateWidestRow(int cells) noexcept;
void ResetWidestRow() noexcept;

class TEditorScreenStrings : public TPointerStringList, public std::enable_shared_from_this<TEditorScreenStrings> {
public:
    // Views share a store through shared pointers; see TScreenStringsLink.
    static std::shared_ptr<TEditorScreenStrings> Create();
    TEditorScreenStrings();
    ~TEditorScreenStrings() override;

    // Views, in attachment order; the first is the owner whose options count.
    void AttachEditor(IEditorView* view);
    void DetachEditor(IEditorView* view);
    const std::vector<IEditorView*>& Editors() const noexcept { return editors_; }
    IEditorView* OwnerEditor() const noexcept { return editors_.empty() ? nullptr : editors_.front(); }
    IEditorView* ActiveEditor() const noexcept;

    TEditorUndoObj& UndoObj() noexcept { return *undo_; }
    const TEditorUndoObj& UndoObj() const noexcept { return *undo_; }
    TEditorWrapOption& WrapOption() noexcept { return *wrapOption_; }
    const TEditorWrapOption& WrapOption() const noexcept { return *wrapOption_; }
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool value);
    const TEditorChangeRange& ChangeRange() const noexcept { return changeRange_; }

    // Cell rules of the owner view under the current word wrap.
    TCellRules CellRules() const;
    int DisplayWidth(std::string_view text) const { return GetDisplayWidth(text, CellRules()); }

    // The edit primitive: rows row..row+count-1 become text (CR LF, CR or LF
    // separated). count 0 inserts, an empty text deletes. False (and no
    // change) for a range outside the rows or an empty insertion.
    bool ReplaceRows(int row, int count, std::string_view text);
    // text put into the row at byte at: the edit ReplaceRows would make of
    // the row's new text, done in place when it changes no line end.
    bool InsertIntoRow(int row, std::size_t at, std::string_view text);
    // The first row that ReplaceRows(row, ...) cuts afresh: rows above it
    // keep their text and their place whatever the edit.
    int EditStartRow(int row) const noexcept;

    // Rows start..start+count-1 (count -1: to the end of start's logical
    // line) with CR LF after each line-break row; LastAttribute gets the last
    // row's attribute and RowsTaken their count (raNone and 0 for none).
    std::string GetLogicalText(int start, int count, TEditorRowAttribute* LastAttribute = nullptr,
                               int* RowsTaken = nullptr) const;
    int FirstRowOfLine(int row) const noexcept;
    int LastRowOfLine(int row) const noexcept;
    static void AppendRowBreak(const TPointerStringList& list, int row, std::string& text);

    // Logical lines: rows without word wrap, else runs ending at a row that is not raWrapped.
    int LineCount() const;
    int LineToRow(int line) const;  // past the end: the row count
    int RowToLine(int row) const;

    // Word wrap.
    virtual void SplitToRows(std::string_view text, TEditorStringList& rows) const;
    virtual int CountWrapRows(std::string_view line) const;
    void WrapAll();
    void UnwrapAll();

    // Bracket-region states.
    void RescanRows();
    int RepropagateBrackets(int row, bool repaint);
    int ParseRowBrackets(int row, int state) const;
    std::string FirstToken(int row) const;

    // Whole-text fill without undo: clear, rows from text (CR, LF or CR LF;
    // a break at the very end adds no row; NULs become spaces), wrap, rescan.
    void LoadText(std::string_view text);
    // The same for the text the blocks hold one after another; the store
    // keeps the blocks (NULs in them become spaces) and slices its rows
    // from them.
    void LoadBlocks(std::vector<TTextBlock> blocks);
    // Building blocks for loaders that fill rows themselves: call
    // FinishLoad after storing rows with AppendRows.
    void AppendRows(std::vector<TEditorRow>&& rows);
    void FinishLoad();

    // Over all views.
    void ClampEditorRows();
    void CleanSelections();
    void ResetEditorColumns();
    void RefreshEditors();

    bool Undo();
    bool Redo();
    bool CanUndo() const noexcept;
    bool CanRedo() const noexcept;

    void Clear() override;

protected:
    virtual std::unique_ptr<TEditorUndoObj> CreateUndoObj();
    virtual std::unique_ptr<TEditorWrapOption> CreateWrapOption();
    void SetUpdateState(bool updating) override;

private:
    friend class TEditorUndoObj;

    bool OwnerLoading() const;
    TWrapRules WrapRules() const;
    void WrapOptionChanged();
    void NotifyEditors();
    bool ReplaceWithinRow(int row, std::string& text);
    bool ReplaceWithinLine(int first, int row, int lastOld, int lastLine, const std::string& text);
    bool RecutLine(int first, int row, int lastOld, int run, int lastLine, const std::string& text, std::string_view tail);
    void ReplaceRun(int first, int oldCount, std::vector<TEditorRow>&& rows);
    void DeleteRun(int first, int count);
    void UpdateLineIndex() const;
    // The state after a long row, scanned with what earlier scans of it left.
    int ScanLongRow(int row, std::string_view text, int state, const IRowParserFactory& factory) const;
    // Row's bytes [at, at + oldLen) became newLen bytes in the one text
    // change since version before; nothing else changed.
    void NoteRowEdit(int row, std::size_t at, std::size_t oldLen, std::size_t newLen, std::uint64_t before);

    std::vector<IEditorView*> editors_;
    std::unique_ptr<TEditorUndoObj> undo_;
    std::unique_ptr<TEditorWrapOption> wrapOption_;
    bool wordWrap_ = false;
    bool notifyOff_ = false;
    TEditorChangeRange changeRange_;
    mutable std::unique_ptr<TRowScanCache> scanCache_;
    std::vector<TEditorRow> recutRows_;
    mutable std::vector<int> lineStarts_;
    mutable std::uint64_t lineVersion_ = ~std::uint64_t{0};
    // The one run of rows replaced since the index was last right, so that
    // the index is patched instead of rebuilt (version 0: none).
    void NoteReplacedRun(int first, int oldCount, int newCount) noexcept;
    std::uint64_t patchVersion_ = 0;
    int patchFirst_ = 0, patchOld_ = 0, patchNew_ = 0;
};

// A view's hold on its store: creates a store and attaches on construction,
// detaches on destruction, so the store dies with its last view whatever the
// order in which views go.
class TScreenStringsLink {
public:
    explicit TScreenStringsLink(IEditorView& view);
    // Joins the given store instead of a new one.
    TScreenStringsLink(IEditorView& view, std::shared_ptr<TEditorScreenStrings> store);
    ~TScreenStringsLink();
    TScreenStringsLink(const TScreenStringsLink&) = delete;
    TScreenStringsLink& operator=(const TScreenStringsLink&) = delete;

    // Leaves the own store (freed if no one else holds it) and joins other's.
    void ShareWith(const TScreenStringsLink& other);
    TEditorScreenStrings& operator*() const noexcept { return *store_; }
    TEditorScreenStrings* operator->() const noexcept { return store_.get(); }
    const std::shared_ptr<TEditorScreenStrings>& Shared() const noexcept { return store_; }

private:
    IEditorView& view_;
    std::shared_ptr<TEditorScreenStrings> store_;
};

} // namespace vellumo
