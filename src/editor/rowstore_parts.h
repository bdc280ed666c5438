#pragma once
// Helpers shared by the row store's source files (not for other users).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include <vector>

#include "editor/bytefind.h"
#include "editor/rowstore.h"
#include "editor/wrap.h"

namespace vellumo::rowstore {

class TListUpdate {
public:
    explicit TListUpdate(TPointerStringList& list) : list_(list) { list_.BeginUpdate(); }
    ~TListUpdate() { list_.EndUpdate(); }
    TListUpdate(const TListUpdate&) = delete;
    TListUpdate& operator=(const TListUpdate&) = delete;

private:
    TPointerStringList& list_;
};

inline bool EndsWithBreak(std::string_view text) noexcept
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
    while (p < end) {
        const char* brk = FindEither(p, end, '\r', '\n');
        line(p, brk);
        if (brk == end) return;
        p = brk + ((*brk == '\r' && brk + 1 < end && brk[1] == '\n') ? 2 : 1);
    }
}

// Room for some new rows, so that the first line typed into a big text does
// not move every row to a new array.
inline std::size_t Headroom(std::size_t rows) { return rows + rows / 64 + 16; }

// NUL bytes become spaces (a NUL would end a row for its readers).
inline bool NulsToSpaces(char* p, std::size_t n) noexcept
{
    bool any = false;
    for (char* const end = p + n; (p = const_cast<char*>(FindByte(p, end, '\0'))) < end;) {
        *p++ = ' ';
        any = true;
    }
    return any;
}

inline bool NulsToSpaces(std::string& s) noexcept { return NulsToSpaces(s.data(), s.size()); }

// True when rows first..last are slices that follow each other without a
// gap (empty rows aside); text is then their bytes as one run.
bool ContiguousRows(const std::vector<TEditorRow>& rows, std::size_t first, std::size_t last, std::string_view& text);

// Rows a line takes under the rules.
int LineRowCount(std::string_view line, const TWrapRules& rules, TLineCuts& cuts);

// Appends the rows of one line, cut under rules (whole without them), all
// line-break rows but the cut ones. With slice the line's bytes outlive the
// rows (they lie in a block of the list), else each row gets a copy.
void AppendLineRows(std::string_view line, bool slice, const TWrapRules* rules, TLineCuts& cuts,
                    std::vector<TEditorRow>& out);

} // namespace vellumo::rowstore

namespace vellumo {

class IRowParserFactory;

// Where scans of long rows ended tokens, so that a scan after an edit takes
// up before the edit and stops where it meets the earlier scan again.
struct TRowScanCache {
    struct TMark {
        std::size_t Pos;      // a token ended here
        std::size_t Horizon;  // every byte read up to here lies before this
        int State;
    };
    struct TRow {
        int Row = -1;
        const IRowParserFactory* Factory = nullptr;
        std::uint64_t Version = 0;  // the list's text version it holds for
        int StartState = 0;
        int EndState = 0;
        std::size_t Size = 0;  // of the text scanned
        std::vector<TMark> Marks;
        // Since the scan, bytes [EditAt, EditAt + OldLen) became NewLen bytes.
        bool Edited = false;
        std::size_t EditAt = 0, OldLen = 0, NewLen = 0;
    };
    std::vector<TRow> Rows;  // the most recent last
};

} // namespace vellumo
