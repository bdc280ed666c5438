#include "editor/editsearch.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/leadbytes.h"
#include "editor/cells.h"
#include "editor/rowstore.h"
#include "textcode/charfold.h"

namespace vellumo {

namespace {

// Chunks always begin at the start of a logical line and end at the end of
// one (or of the text), so the engine's buffer edges are real word edges and
// its lead/trail walk starts on a character boundary. A chunk owns the
// lines it was built for and carries enough following text (the look-ahead)
// that no candidate in the owned part is cut short by the buffer's end.

int Span(const TPointerStringList& rows, int r)
{
    const int n = static_cast<int>(rows.Strings(r).size());
    return rows.GetRowAttribute(r) == raLineBreak ? n + 2 : n;
}

int LineStart(const TPointerStringList& rows, int r)
{
    while (r > 0 && rows.GetRowAttribute(r - 1) == raWrapped) --r;
    return r;
}

int LineEnd(const TPointerStringList& rows, int r)
{
    while (r < rows.Count() - 1 && rows.GetRowAttribute(r) == raWrapped) ++r;
    return r;
}

void AppendRow(const TPointerStringList& rows, int r, std::string& out)
{
    out += rows.Strings(r);
    if (rows.GetRowAttribute(r) == raLineBreak) out += "\r\n";
}

// What a search must read: the pattern's characters (as the engine counts
// them) and a bound on the text bytes that a match can compare.
struct TPatternShape {
    int Chars = 0;
    int Reach = 0;  // text bytes other than skipped ones that a match, plus its end test, reads
    bool Width = false;
    bool SkipBreaks = false;
    bool SkipBlanks = false;
};

TPatternShape ShapeOf(std::string_view pattern, TSearchFlags flags)
{
    TPatternShape s;
    s.Width = (flags & sfIgnoreWidth) != 0;
    s.SkipBreaks = (flags & sfSkipLineBreaks) != 0;
    s.SkipBlanks = (flags & sfSkipBlanks) != 0;
    const auto* p = reinterpret_cast<const unsigned char*>(pattern.data());
    const std::size_t n = pattern.size();
    for (std::size_t i = 0; i < n; ++s.Chars) {
        if (i + 1 < n && (IsLeadByte(p[i]) || (s.Width && JoinsMark(p[i], p[i + 1])))) i += 2;
        else ++i;
    }
    // A pattern character matches a text character of at most two bytes.
    s.Reach = 2 * static_cast<int>(n) + 2;
    return s;
}

// Bytes of text that a match cannot skip over.
int SolidBytes(std::string_view t, const TPatternShape& s)
{
    if (!s.SkipBreaks && !s.SkipBlanks) return static_cast<int>(t.size());
    int solid = 0;
    for (std::size_t i = 0; i < t.size();) {
        const auto b = static_cast<unsigned char>(t[i]);
        if (IsLeadByte(b) && i + 1 < t.size()) {
            if (!(s.SkipBlanks && b == 0x81 && static_cast<unsigned char>(t[i + 1]) == 0x40)) solid += 2;
            i += 2;
            continue;
        }
        const bool skip = (s.SkipBreaks && (b == '\r' || b == '\n')) || (s.SkipBlanks && (b == '\t' || b == ' '));
        if (!skip) ++solid;
        ++i;
    }
    return solid;
}

// Appends whole logical lines from row r until the text after `from` holds
// enough solid bytes; returns the row after the last one taken.
int AppendLookAhead(const TPointerStringList& rows, int r, std::string& chunk, std::size_t from,
                    const TPatternShape& s)
{
    int solid = SolidBytes(std::string_view(chunk).substr(std::min(from, chunk.size())), s);
    const int n = rows.Count();
    while (r < n && solid < s.Reach) {
        const int last = LineEnd(rows, r);
        for (; r <= last; ++r) {
            const std::size_t before = chunk.size();
            AppendRow(rows, r, chunk);
            solid += SolidBytes(std::string_view(chunk).substr(before), s);
        }
    }
    return r;
}

// Engine characters from `at`, walked forwards as the engine walks them
// backwards: a double-byte pair, and with width folding a kana with its
// mark, count as one.
std::size_t StepChars(std::string_view buf, std::size_t at, int count, bool width)
{
    const auto* p = reinterpret_cast<const unsigned char*>(buf.data());
    const std::size_t n = buf.size();
    for (int k = 0; k < count && at < n; ++k) {
        if (at + 1 < n && (IsLeadByte(p[at]) || (width && JoinsMark(p[at], p[at + 1])))) at += 2;
        else ++at;
    }
    return std::min(at, n);
}

TEditorMatch MatchAt(const TPointerStringList& rows, int firstRow, int offset, int length)
{
    TEditorMatch m;
    m.Length = length;
    int r = firstRow;
    int o = offset;
    const int n = rows.Count();
    while (r < n - 1) {
        const int len = static_cast<int>(rows.Strings(r).size());
        const TEditorRowAttribute a = rows.GetRowAttribute(r);
        if (o < len || (a == raLineBreak && o < len + 2)) break;
        o -= Span(rows, r);
        ++r;
    }
    m.Row = r;
    m.Byte = o;
    m.FromRow = LineStart(rows, r);
    m.Offset = o;
    for (int k = m.FromRow; k < r; ++k) m.Offset += Span(rows, k);
    return m;
}

// A place clamped to the rows as they are now.
TEditorTextPos Clamp(const TPointerStringList& rows, TEditorTextPos p)
{
    const int n = rows.Count();
    if (p.Row < 0) return {0, 0};
    if (p.Row >= n) return {n - 1, Span(rows, n - 1)};
    p.Byte = std::clamp(p.Byte, 0, Span(rows, p.Row));
    return p;
}

// The first chunk of a search is small and each next one doubles up to the
// chunk size: a replace-all finds its next match close by a million times,
// and must not copy a full chunk for each.
constexpr int kFirstChunkBytes = 256;

int NextLimit(int limit, const TEditorSearchOptions& opt) { return std::min(opt.ChunkBytes, limit * 2); }

std::optional<TEditorMatch> SearchForward(const TPointerStringList& rows, TEditorTextPos pos, std::string_view pattern,
                                          TSearchFlags flags, const TEditorSearchOptions& opt, const TPatternShape& s)
{
    const bool pump = (flags & sfReplaceAll) && opt.BeforeChunk;
    std::string chunk;
    int limit = std::min(opt.ChunkBytes, kFirstChunkBytes);
    for (;;) {
        if (pump) opt.BeforeChunk();
        const int n = rows.Count();
        if (n == 0 || pos.Row >= n) return std::nullopt;
        pos = Clamp(rows, pos);

        const int first = LineStart(rows, pos.Row);
        chunk.clear();
        int start = 0;
        int r = first;
        do {
            const int last = LineEnd(rows, r);
            for (; r <= last; ++r) {
                if (r == pos.Row) start = static_cast<int>(chunk.size()) + pos.Byte;
                AppendRow(rows, r, chunk);
            }
        } while (r < n && chunk.size() <= static_cast<std::size_t>(limit));
        const int ownedEnd = static_cast<int>(chunk.size());
        const int nextRow = r;
        AppendLookAhead(rows, r, chunk, chunk.size(), s);

        int length = 0;
        if (SearchBufferPos(chunk, start, length, pattern, flags) && start < ownedEnd)
            return MatchAt(rows, first, start, length);
        if (nextRow >= n) return std::nullopt;
        pos = {nextRow, 0};
        limit = NextLimit(limit, opt);
    }
}

std::optional<TEditorMatch> SearchBackward(const TPointerStringList& rows, TEditorTextPos pos, std::string_view pattern,
                                           TSearchFlags flags, const TEditorSearchOptions& opt, const TPatternShape& s)
{
    const bool pump = (flags & sfReplaceAll) && opt.BeforeChunk;
    std::string chunk;
    // After the first chunk: candidates must start before row `boundary`,
    // the first row of the chunk searched last.
    int boundary = -1;
    int limit = std::min(opt.ChunkBytes, kFirstChunkBytes);
    for (;;) {
        if (pump) opt.BeforeChunk();
        const int n = rows.Count();
        if (n == 0) return std::nullopt;
        chunk.clear();
        int top, start, ownedEnd;
        if (boundary < 0) {
            pos = Clamp(rows, pos);
            const int line = LineStart(rows, pos.Row);
            const int lineEnd = LineEnd(rows, pos.Row);
            int before = pos.Byte;
            for (int k = line; k < pos.Row; ++k) before += Span(rows, k);
            // Lines above while the chunk is small, and always enough of
            // them that the engine's step back from the start stays inside.
            int size = 0;
            for (int k = line; k <= lineEnd; ++k) size += Span(rows, k);
            top = line;
            while (top > 0 && (size <= limit || before < s.Reach)) {
                const int above = LineStart(rows, top - 1);
                for (int k = above; k < top; ++k) {
                    size += Span(rows, k);
                    before += Span(rows, k);
                }
                top = above;
            }
            for (int k = top; k <= lineEnd; ++k) AppendRow(rows, k, chunk);
            start = before;
            ownedEnd = static_cast<int>(chunk.size());
            AppendLookAhead(rows, lineEnd + 1, chunk, static_cast<std::size_t>(start), s);
        } else {
            // The rows may have changed under the message pump.
            if (boundary > n) boundary = n;
            if (boundary < n && LineStart(rows, boundary) != boundary) boundary = LineEnd(rows, boundary) + 1;
            if (boundary <= 0) return std::nullopt;
            top = boundary;
            int size = 0;
            do {
                const int above = LineStart(rows, top - 1);
                for (int k = above; k < top; ++k) size += Span(rows, k);
                top = above;
            } while (top > 0 && size <= limit);
            for (int k = top; k < boundary; ++k) AppendRow(rows, k, chunk);
            ownedEnd = static_cast<int>(chunk.size());
            AppendLookAhead(rows, boundary, chunk, chunk.size(), s);
            // Start where the engine's step back lands on the line break
            // just before the boundary, so every earlier candidate is tried.
            const std::size_t lf = static_cast<std::size_t>(ownedEnd - 1);
            const std::size_t from = s.Width ? StepChars(chunk, lf, s.Chars, true)
                                             : std::min(chunk.size(), lf + pattern.size());
            start = static_cast<int>(from);
        }

        int length = 0;
        if (SearchBufferPos(chunk, start, length, pattern, flags) && start < ownedEnd)
            return MatchAt(rows, top, start, length);
        if (top == 0) return std::nullopt;
        boundary = top;
        limit = NextLimit(limit, opt);
    }
}

} // namespace

std::optional<TEditorMatch> SearchRows(const TPointerStringList& rows, TEditorTextPos start, std::string_view pattern,
                                       TSearchFlags flags, const TEditorSearchOptions& options)
{
    if (pattern.empty()) return std::nullopt;
    const TPatternShape shape = ShapeOf(pattern, flags);
    if (flags & sfDown) return SearchForward(rows, start, pattern, flags, options, shape);
    return SearchBackward(rows, start, pattern, flags, options, shape);
}

namespace {

// Line breaks only as CR LF pairs: a match never starts or ends inside one,
// and the text put in keeps its length when stored.
bool WholeBreaksOnly(std::string_view t)
{
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i] == '\r' && (i + 1 >= t.size() || t[i + 1] != '\n')) return false;
        if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) return false;
    }
    return true;
}

// A logical line of a replace run's text: its first row and where it
// starts in the text.
struct TRunLine {
    int Row;
    int At;
};

} // namespace

// After a replacement the one-match way searches text that holds the new
// bytes where the match was. The engine reads before its start only to
// tell trail bytes (which a match's end and a new text ending on a
// character leave as they were) and word edges (sfWholeWord): with these
// rules it finds in the old text what it would find in the new.
bool CanReplaceForward(std::string_view pattern, std::string_view with, TSearchFlags flags)
{
    return (flags & sfDown) && !(flags & sfWholeWord) && !pattern.empty() && WholeBreaksOnly(pattern) &&
           WholeBreaksOnly(with) && !EndsWithStrayLead(with) && with.find('\0') == std::string_view::npos;
}

TReplaceRun ReplaceForward(TEditorScreenStrings& store, TEditorTextPos start, std::string_view pattern,
                           std::string_view with, TSearchFlags flags, const TEditorSearchOptions& options,
                           int runBytes, int maxCols)
{
    TReplaceRun run;
    const auto found = SearchRows(store, start, pattern, flags, options);
    if (!found) {
        run.End = true;
        return run;
    }
    const TPatternShape shape = ShapeOf(pattern, flags);
    const int n = store.Count();
    // Whole lines from the match's line while the text is at most runBytes,
    // then enough for any match starting in them.
    std::string text;
    std::vector<TRunLine> lines;
    int r = found->FromRow;
    do {
        lines.push_back({r, static_cast<int>(text.size())});
        const int last = LineEnd(store, r);
        for (; r <= last; ++r) AppendRow(store, r, text);
    } while (r < n && text.size() <= static_cast<std::size_t>(runBytes));
    const int ownedEnd = static_cast<int>(text.size());
    while (r < n && SolidBytes(std::string_view(text).substr(static_cast<std::size_t>(ownedEnd)), shape) < shape.Reach) {
        lines.push_back({r, static_cast<int>(text.size())});
        const int last = LineEnd(store, r);
        for (; r <= last; ++r) AppendRow(store, r, text);
    }
    lines.push_back({r, static_cast<int>(text.size())});
    auto lineOf = [&](int at) {  // the line holding byte at
        return static_cast<int>(std::upper_bound(lines.begin(), lines.end(), at,
                                                 [](int a, const TRunLine& l) { return a < l.At; }) -
                                lines.begin()) -
               1;
    };
    const TCellRules rules = store.CellRules();

    // The lines [from, to) that matches touch become one edit.
    int from = -1, to = -1, copied = 0, shift = 0;
    std::string edit;
    auto flush = [&] {
        edit.append(text, static_cast<std::size_t>(copied), static_cast<std::size_t>(lines[static_cast<std::size_t>(to)].At - copied));
        const int first = lines[static_cast<std::size_t>(from)].Row + shift;
        const int count = lines[static_cast<std::size_t>(to)].Row - lines[static_cast<std::size_t>(from)].Row;
        const int before = store.Count();
        store.ReplaceRows(first, count, edit);
        shift += store.Count() - before;
        from = -1;
    };
    int at = found->Offset, length = 0;
    while (SearchBufferPos(text, at, length, pattern, flags) && at < ownedEnd) {
        const int a = lineOf(at), b = lineOf(at + length - 1);
        // A match that takes a line's break joins the next line to the edit.
        const int end = std::min(lineOf(at + length) + 1, static_cast<int>(lines.size()) - 1);
        const int lineAt = lines[static_cast<std::size_t>(a)].At;
        // Without word wrap a line is a row; the selection of the match
        // would reach the byte after each of its ends.
        auto pastLimit = [&](int line, int byte) {
            const std::string_view t = store.Strings(lines[static_cast<std::size_t>(line)].Row);
            const std::size_t upTo = std::min(t.size(), static_cast<std::size_t>(byte) + 1);
            return t.size() * 8 >= static_cast<std::size_t>(maxCols) && GetDisplayWidth(t.substr(0, upTo), rules) >= maxCols;
        };
        if (maxCols > 0 && (pastLimit(a, at - lineAt) || pastLimit(b, at + length - lines[static_cast<std::size_t>(b)].At)))
            break;
        if (EndsWithStrayLead(std::string_view(text).substr(static_cast<std::size_t>(lineAt), static_cast<std::size_t>(at - lineAt))))
            break;
        if (from >= 0 && a >= to) flush();
        if (from < 0) {
            from = a;
            copied = lines[static_cast<std::size_t>(a)].At;
            to = end;
            edit.clear();
        }
        edit.append(text, static_cast<std::size_t>(copied), static_cast<std::size_t>(at - copied));
        edit.append(with);
        copied = at + length;
        to = std::max(to, end);
        run.FromRow = lines[static_cast<std::size_t>(from)].Row + shift;
        run.Offset = static_cast<long long>(edit.size());
        ++run.Count;
        at += length;
        length = 0;
    }
    if (from >= 0) flush();
    return run;
}

TEditorTextPos CaretSearchStart(const TPointerStringList& rows, int row, int col, const TCellRules& rules, bool down)
{
    const int n = rows.Count();
    if (n == 0) return {0, 0};
    if (row >= n) {
        if (down) return {n, 0};
        return {n - 1, Span(rows, n - 1)};
    }
    if (row < 0) return {0, 0};
    return {row, CellToByte(rows.Strings(row), col, rules)};
}

} // namespace vellumo
