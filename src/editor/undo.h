#pragma once
// Undo and redo of row-store edits: one record per ReplaceRows call, or one
// for all the edits of a group (a replace-all). A record that no longer fits
// the rows present (an edit that bypassed the store) empties both lists
// instead of corrupting the text.
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "editor/rowflags.h"

namespace vellumo {

class TEditorScreenStrings;

struct TUndoData {
    int CaretRow = 0;
    int CaretCol = 0;
    int FirstRow = -1;
    int RowsInserted = 0;
    long long InsertedLength = 0;  // bytes of the inserted rows, line breaks counting 2
    TEditorRowAttribute RemovedAttribute = raNone;
    // The removed rows' text is the inserted rows' first KeptHead bytes,
    // then RemovedText, then their last KeptTail bytes: a record holds what
    // changed, not the whole rows.
    std::string RemovedText;
    long long KeptHead = 0;
    long long KeptTail = 0;
};

// The records of one list, oldest first.
using TUndoDataList = std::deque<TUndoData>;

// Fills r's removed text from the text before (removed) and after (inserted) an edit.
void SetRemovedText(TUndoData& r, std::string_view removed, std::string_view inserted);


class TEditorUndoObj {
public:
    static constexpr int kDefaultListMax = 64;

    // After both lists were emptied (the tool bar follows CanUndo/CanRedo).
    std::function<void()> OnClear;

    explicit TEditorUndoObj(TEditorScreenStrings& owner) : owner_(owner) {}
    virtual ~TEditorUndoObj() = default;
    TEditorUndoObj(const TEditorUndoObj&) = delete;
    TEditorUndoObj& operator=(const TEditorUndoObj&) = delete;

    // A new record with the active view's caret, appended to the undo list.
    virtual TUndoData& NewRecord();
    virtual bool CanRedo() const noexcept { return !redo_.empty(); }
    virtual bool CanUndo() const noexcept { return !undo_.empty() || groupEdited_; }
    virtual bool Redo();
    virtual bool Undo();
    virtual void PushRedo(const TUndoData& record);
    virtual void Clear();

    // Edits from here to EndGroup undo and redo as one record: the text
    // before the first of them is kept once, and at the end the record keeps
    // the part of it that the edits touched. Groups do not nest.
    void BeginGroup();
    void EndGroup();
    bool Grouping() const noexcept { return grouping_; }

    int ListMax() const noexcept { return listMax_; }
    // Stores Max(64, value); older records beyond it are dropped.
    void SetListMax(int value);
    int UndoCount() const noexcept { return static_cast<int>(undo_.size()); }
    int RedoCount() const noexcept { return static_cast<int>(redo_.size()); }
    const TUndoDataList& UndoList() const noexcept { return undo_; }
    const TUndoDataList& RedoList() const noexcept { return redo_; }

private:
    bool Fits(const TUndoData& r) const;
    // Replays r on the rows; returns its inverse (caret fields unset).
    TUndoData Replay(const TUndoData& r);
    void Trim();
    // Takes the group's last edit into its bounds.
    void NoteGroupEdit();
    // Puts the group's edits so far on the undo list as one record.
    void SealGroup();

    TEditorScreenStrings& owner_;
    int listMax_ = kDefaultListMax;
    bool redoing_ = false;
    TUndoDataList redo_;
    TUndoDataList undo_;

    // The open group: the whole text before its first edit, the caret then,
    // and the rows no edit touched at the top and at the bottom. Each edit
    // fills scratch_, read at the next edit or at the end.
    bool grouping_ = false;
    bool groupEdited_ = false;
    std::string before_;
    int groupCaretRow_ = 0, groupCaretCol_ = 0;
    int rowsAbove_ = 0, rowsBelow_ = 0;
    TUndoData scratch_;
};

} // namespace vellumo
