// Whole-text fills of the row store. The text's memory becomes the store's
// block and the rows are slices of it: a loaded text is held once, plus 16
// bytes a row.
#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "editor/rowstore.h"
#include "editor/rowstore_parts.h"
#include "editor/wrap.h"

namespace vellumo {

using namespace rowstore;

namespace {

// Calls line(text, slice) for every line of the blocks' joined text, as
// ForEachLine would: a line within one block is a slice of it, a line that
// runs across blocks is joined into a string of its own (slice false).
template <class F>
void ForEachBlockLine(const std::vector<TTextBlock>& blocks, F&& line)
{
    // The start of a line the block ended without a break: in place while
    // it lies in one block, else joined in carry.
    std::string_view pending;
    std::string carry;
    bool carrying = false, joined = false, skipLf = false;
    auto end = [&](std::string_view piece) {
        if (!carrying) {
            line(piece, true);
        } else if (!joined && piece.empty()) {
            line(pending, true);
        } else {
            if (!joined) carry.assign(pending);
            carry.append(piece);
            line(std::string_view(carry), false);
        }
        carrying = joined = false;
    };
    for (const TTextBlock& b : blocks) {
        std::string_view t(b.Data.get(), b.Size);
        if (skipLf && !t.empty()) {
            skipLf = false;
            if (t[0] == '\n') t.remove_prefix(1);  // the second half of a CR LF split by the blocks
        }
        if (t.empty()) continue;
        const std::size_t lastBreak = t.find_last_of("\r\n");
        const std::string_view body = lastBreak == std::string_view::npos ? std::string_view() : t.substr(0, lastBreak + 1);
        const std::string_view rest = t.substr(body.size());
        ForEachLine(body, [&](const char* from, const char* to) { end(std::string_view(from, static_cast<std::size_t>(to - from))); });
        if (!rest.empty()) {
            if (!carrying) {
                pending = rest;
                carrying = true;
            } else {
                if (!joined) carry.assign(pending);
                carry.append(rest);
                joined = true;
            }
        } else {
            skipLf = body.back() == '\r';
        }
    }
    if (carrying) end(std::string_view());
}

} // namespace

void TEditorScreenStrings::LoadText(std::string_view text)
{
    std::vector<TTextBlock> blocks;
    if (!text.empty()) {
        std::shared_ptr<char> data(new char[text.size()], std::default_delete<char[]>());
        std::memcpy(data.get(), text.data(), text.size());
        blocks.push_back({std::move(data), text.size()});
    }
    LoadBlocks(std::move(blocks));
}

void TEditorScreenStrings::LoadBlocks(std::vector<TTextBlock> blocks)
{
    TListUpdate update(*this);
    std::erase_if(blocks, [](const TTextBlock& b) { return b.Size == 0 || !b.Data; });
    for (TTextBlock& b : blocks) NulsToSpaces(b.Data.get(), b.Size);  // a NUL must not end a row
    const bool endsWithBreak = !blocks.empty() && EndsWithBreak(std::string_view(blocks.back().Data.get(), blocks.back().Size));

    // Counted first so that the rows are allocated once; with word wrap the
    // lines are cut straight from the text and the cuts kept for the fill.
    const bool wrap = wordWrap_ && !OwnerLoading();
    const TWrapRules rules = WrapRules();
    TLineCuts cuts;
    std::vector<std::uint32_t> lineCuts;  // per line: cut count * 2 + rest-row flag; 0: one whole row
    std::vector<std::uint32_t> ends;
    std::size_t total = 0;
    ForEachBlockLine(blocks, [&](std::string_view line, bool) {
        if (!wrap) {
            ++total;
            return;
        }
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
    std::vector<TEditorRow> rows;
    rows.reserve(Headroom(total));
    std::size_t lineNo = 0, endNo = 0;
    auto make = [](std::string_view t, bool slice, TEditorRowAttribute a) {
        const TEditorRowFlags f = WithRowAttribute(0, a);
        return slice ? TEditorRow::Slice(t.data(), t.size(), f) : TEditorRow(t, f);
    };
    ForEachBlockLine(blocks, [&](std::string_view line, bool slice) {
        const std::uint32_t m = wrap ? lineCuts[lineNo++] : 0;
        if (m == 0) {
            rows.push_back(make(line, slice, raLineBreak));
            return;
        }
        std::size_t begin = 0;
        for (std::uint32_t k = 0; k < m / 2; ++k) {
            const std::size_t end = ends[endNo++];
            rows.push_back(make(line.substr(begin, end - begin), slice, raWrapped));
            begin = end;
        }
        if (m & 1) rows.push_back(make(line.substr(begin), slice, raLineBreak));
        else rows.back().SetFlags(WithRowAttribute(0, raLineBreak));
    });
    if (!rows.empty() && !endsWithBreak) rows.back().SetFlags(WithRowAttribute(0, raEof));
    // The old text goes only once the new rows are made: memory running out
    // above leaves it as it was.
    Clear();
    blocks_ = std::move(blocks);
    AppendRows(std::move(rows));
    if (wordWrap_ && !wrap) WrapAll();
    RescanRows();
}

void TEditorScreenStrings::AppendRows(std::vector<TEditorRow>&& rows)
{
    if (rows.empty()) return;
    const int at = Count();
    for (std::size_t k = rows.size(); k-- > 0;)
        if (BracketStateOf(rows[k].Flags()) != kBracketUnknown) {
            NoteKnownState(at + static_cast<int>(k), BracketStateOf(rows[k].Flags()));
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

} // namespace vellumo
