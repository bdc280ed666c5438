#pragma once
// The editor's Lines: a string-list face over its row store. Without word
// wrap an index is a row, with word wrap a logical line. Every edit goes
// through ReplaceRows (one undo record); whole-text loads fill the rows
// directly. Indexes outside the lines read as empty and change nothing.
#include <string>
#include <string_view>
#include <vector>

#include "base/stringlist.h"

namespace vellumo {

class IEditorView;
class TEditorScreenStrings;

class TEditorStrings {
public:
    explicit TEditorStrings(IEditorView& view) : view_(view) {}
    TEditorStrings(const TEditorStrings&) = delete;
    TEditorStrings& operator=(const TEditorStrings&) = delete;

    int Count() const { return GetCount(); }
    std::string Get(int index) const;
    std::string operator[](int index) const { return Get(index); }
    void Put(int index, std::string_view s);
    void Insert(int index, std::string_view s);
    // Returns the line count before the call.
    int Add(std::string_view s);
    void Delete(int index);
    void Clear();

    std::string Text() const { return GetTextStr(); }
    void SetText(std::string_view text) { SetTextStr(text); }
    void Assign(const TStringList& source);
    void Assign(const TEditorStrings& source);
    void AssignTo(TStringList& dest) const;

    // Reads a file as the text (CR, LF or CR LF; byte 26 ends it; NULs become
    // spaces). False, with the text unchanged, when it cannot be read.
    bool LoadFromFile(const std::string& fileName);

    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const noexcept { return updateCount_; }

    // The stored "Strings" property: one entry per logical line.
    std::vector<std::string> StoredStrings() const;
    // Written when they differ from the ancestor's or, without one, when there is a line.
    bool StoredStringsWanted(const TEditorStrings* ancestor) const;
    // Reading it back: clears and adds one row per string, without wrapping.
    void ReadStoredStrings(const std::vector<std::string>& strings);

private:
    // The rows without word wrap, else the logical lines.
    int GetCount() const;
    // The rows joined, CR LF after each line-break row.
    std::string GetTextStr() const;
    // A whole new text in one update, no undo record; the view goes to the top left.
    void SetTextStr(std::string_view text);
    TEditorScreenStrings& Store() const;
    // First and last row of a logical line, or false when there is none.
    bool LineRows(int index, int& first, int& last) const;

    IEditorView& view_;
    int updateCount_ = 0;
};

// Holds a Lines update for a scope.
class TLinesUpdate {
public:
    explicit TLinesUpdate(TEditorStrings& lines) : lines_(lines) { lines_.BeginUpdate(); }
    ~TLinesUpdate() { lines_.EndUpdate(); }
    TLinesUpdate(const TLinesUpdate&) = delete;
    TLinesUpdate& operator=(const TLinesUpdate&) = delete;

private:
    TEditorStrings& lines_;
};

} // namespace vellumo
