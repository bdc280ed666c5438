#pragma once
// A recording editor view and a small bracket tokenizer for the model tests.
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/leadbytes.h"
#include "editor/cells.h"
#include "editor/editorview.h"
#include "editor/rowparser.h"
#include "editor/rowstore.h"

namespace vellumo::test {

// "{" opens region 0 and "}" closes it; a run of ASCII letters is one token,
// every other character (a double-byte pair whole) is a token of its own.
class TBraceScanner : public IRowScanner {
public:
    TBraceScanner(std::string_view text, int state) : s_(text), state_(state) { NextToken(); }
    bool AtEnd() const override { return atEnd_; }
    std::size_t TokenEnd() const override { return pos_; }
    int BracketState() const override { return state_; }
    void NextToken() override
    {
        auto at = [&](std::size_t i) { return i < s_.size() ? s_[i] : '\0'; };
        std::size_t p = pos_;
        while (at(p) == ' ') ++p;
        if (at(p) == 0 || at(p) == '\r' || at(p) == '\n') {
            pos_ = p;
            atEnd_ = true;
            return;
        }
        auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
        if (letter(at(p))) {
            while (letter(at(p))) ++p;
        } else if (IsLeadByte(static_cast<unsigned char>(at(p))) && at(p + 1) != 0) {
            p += 2;
        } else {
            if (at(p) == '{' && state_ == -1) state_ = 0;
            else if (at(p) == '}' && state_ == 0) state_ = -1;
            ++p;
        }
        pos_ = p;
    }

private:
    std::string_view s_;
    std::size_t pos_ = 0;
    int state_;
    bool atEnd_ = false;
};

class TBraceParserFactory : public IRowParserFactory {
public:
    mutable int created = 0;
    std::unique_ptr<IRowScanner> CreateScanner(std::string_view text, int startState) const override
    {
        ++created;
        return std::make_unique<TBraceScanner>(text, startState);
    }
};

class TFakeView : public IEditorView {
public:
    TFakeView() : link_(*this) {}
    // A second view sharing share's store (as the split window does).
    struct Shared {};
    TFakeView(Shared, TFakeView& share) : link_(*this) { link_.ShareWith(share.link_); }

    TScreenStringsLink& Link() { return link_; }
    TEditorScreenStrings& ScreenStrings() override { return *link_; }

    void ListChanged() override
    {
        ++listChanged;
        if (link_->ChangeRange().Valid) {
            ++validChanges;
            lastRange = link_->ChangeRange();
        }
    }
    void Refresh() override { ++refreshed; }
    void InvalidateRowText(int row) override { invalidated.insert(row); }
    int TabSpaceCount() const override { return tabWidth; }
    const TByteSet& Delimiters() const override { return DefaultDelimiters(); }
    int RowHeight() const override { return rowHeight; }
    int ScreenHeight() const override { return screenHeight; }
    int BracketRegionCount() const override { return regions; }
    const IRowParserFactory* ParserFactory() const override { return regions > 0 ? &parser : nullptr; }
    bool IsLoading() const override { return loading; }
    bool Focused() const override { return focused; }
    int CaretRow() const override { return row; }
    int CaretCol() const override { return col; }
    void SetCaretRow(int r) override { row = r; }
    void SetCaretCol(int c) override { col = c; }
    void SetCaretRowOffset(int fromRow, int offset) override
    {
        RowOffsetToRowCol(*link_, fromRow, offset, row, col);
        lastOffsetCall = {fromRow, offset};
    }
    int TopRow() const override { return top; }
    void SetTopRow(int r) override { top = r; }
    void SetLeftCol(int c) override { left = c; }
    void CaretBeginUpdate() override { ++caretDepth; ++caretBegins; }
    void CaretEndUpdate() override { --caretDepth; }
    void UnderlineBeginUpdate() override { ++underlineDepth; }
    void UnderlineEndUpdate() override { --underlineDepth; }
    void LinesUpdating(bool on) override { linesUpdating += on ? 1 : -1; }
    void CleanSelection() override { ++selectionsCleaned; }

    TBraceParserFactory parser;
    int tabWidth = 8;
    int rowHeight = 16;
    int screenHeight = 160;
    int regions = 1;
    bool loading = false;
    bool focused = false;
    int row = 0, col = 0, top = 0, left = 0;
    int listChanged = 0, validChanges = 0, refreshed = 0, caretDepth = 0, caretBegins = 0, underlineDepth = 0;
    int linesUpdating = 0, selectionsCleaned = 0;
    std::pair<int, int> lastOffsetCall{-1, -1};
    TEditorChangeRange lastRange;
    std::set<int> invalidated;

private:
    TScreenStringsLink link_;
};

// The text as the store keeps it: every line break CR LF, NULs as spaces.
inline std::string Normalise(std::string_view t)
{
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < t.size() && t[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c == '\0' ? ' ' : c;
        }
    }
    return out;
}

// The rows as "text|attribute" items, attribute as L, W or E.
inline std::vector<std::string> RowDump(const TPointerStringList& rows)
{
    std::vector<std::string> out;
    for (int i = 0; i < rows.Count(); ++i) {
        const char* a = "LWEN";
        out.push_back(std::string(rows.Strings(i)) + "|" + a[rows.GetRowAttribute(i)]);
    }
    return out;
}

} // namespace vellumo::test
