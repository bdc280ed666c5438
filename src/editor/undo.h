#pragma once
// Undo and redo of row-store edits: one record per ReplaceRows call, no
// grouping. A record that no longer fits the rows present (an edit that
// bypassed the store) empties both lists instead of corrupting the text.
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
    virtual bool CanUndo() const noexcept { return !undo_.empty(); }
    virtual bool Redo();
    virtual bool Undo();
    virtual void PushRedo(const TUndoData& record);
    virtual void Clear();

    int ListMax() const noexcept { return listMax_; }
    // Stores Max(64, value); older records beyond it are dropped.
    void SetListMax(int value);
    int UndoCount() const noexcept { return static_cast<int>(undo_.size()); }
    int RedoCount() const noexcept { return static_cast<int>(redo_.size()); }
    const std::deque<TUndoData>& UndoList() const noexcept { return undo_; }
    const std::deque<TUndoData>& RedoList() const noexcept { return redo_; }

private:
    bool Fits(const TUndoData& r) const;
    // Replays r on the rows; returns its inverse (caret fields unset).
    TUndoData Replay(const TUndoData& r);
    void Trim();

    TEditorScreenStrings& owner_;
    int listMax_ = kDefaultListMax;
    bool redoing_ = false;
    std::deque<TUndoData> redo_;
    std::deque<TUndoData> undo_;
};

} // namespace vellumo
