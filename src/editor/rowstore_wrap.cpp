// Word wrap over the whole store and into scratch rows. Rows cut from a
// line whose bytes lie in one of the store's blocks are slices of it, so
// wrapping and unwrapping a loaded text copies no text.
#include <cstring>
#include <vector>

#include "editor/rowstore.h"
#include "editor/rowstore_parts.h"
#include "editor/wrap.h"

namespace vellumo {

using namespace rowstore;

namespace {

TEditorRow MakeRow(std::string_view text, bool slice, TEditorRowAttribute a)
{
    const TEditorRowFlags f = WithRowAttribute(0, a);
    return slice ? TEditorRow::Slice(text.data(), text.size(), f) : TEditorRow(text, f);
}

} // namespace

namespace rowstore {

bool ContiguousRows(const std::vector<TEditorRow>& rows, std::size_t first, std::size_t last, std::string_view& text)
{
    const char* begin = nullptr;
    const char* end = nullptr;
    for (std::size_t k = first; k <= last && k < rows.size(); ++k) {
        const TEditorRow& r = rows[k];
        if (r.Size() == 0) continue;
        if (!r.IsSlice()) return false;
        const std::string_view t = r.Text();
        if (!begin) begin = end = t.data();
        if (t.data() != end) return false;
        end += t.size();
    }
    text = begin ? std::string_view(begin, static_cast<std::size_t>(end - begin)) : std::string_view();
    return true;
}

int LineRowCount(std::string_view line, const TWrapRules& rules, TLineCuts& cuts)
{
    if (GetDisplayWidth(line, rules.Cells) < rules.WrapByte) return 1;
    CutLine(line, rules, cuts);
    return cuts.RowCount();
}

void AppendLineRows(std::string_view line, bool slice, const TWrapRules* rules, TLineCuts& cuts,
                    std::vector<TEditorRow>& out)
{
    if (!rules || GetDisplayWidth(line, rules->Cells) < rules->WrapByte) {
        out.push_back(MakeRow(line, slice, raLineBreak));
        return;
    }
    CutLine(line, *rules, cuts);
    std::size_t begin = 0;
    for (std::size_t e : cuts.Ends) {
        out.push_back(MakeRow(line.substr(begin, e - begin), slice, raWrapped));
        begin = e;
    }
    if (cuts.Ends.empty() || cuts.RestRow) out.push_back(MakeRow(line.substr(begin), slice, raLineBreak));
    else out.back().SetFlags(WithRowAttribute(0, raLineBreak));
}

} // namespace rowstore

void TEditorScreenStrings::SplitToRows(std::string_view text, TEditorStringList& rows) const
{
    std::string clean;
    if (HasByte(text, '\0')) {
        clean.assign(text);
        NulsToSpaces(clean);  // a NUL would end the text and drop the rest
        text = clean;
    }
    std::vector<TEditorRow> out;
    if (text.empty()) {
        out.emplace_back(std::string_view(), WithRowAttribute(0, raLineBreak));
    } else {
        const TWrapRules rules = WrapRules();
        TLineCuts cuts;
        ForEachLine(text, [&](const char* b, const char* e) {
            const std::string_view line(b, static_cast<std::size_t>(e - b));
            if (!wordWrap_) out.emplace_back(line, WithRowAttribute(0, raLineBreak));
            else AppendLineRows(line, false, &rules, cuts, out);
        });
    }
    rows.Assign(std::move(out));
}

int TEditorScreenStrings::CountWrapRows(std::string_view line) const
{
    if (!wordWrap_) return 1;
    TLineCuts cuts;
    CutLine(line, WrapRules(), cuts);
    return cuts.RowCount();
}

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
            while (i + 1 < n && RowAttribute(rows_[i].Flags()) == raWrapped) ++i;
            return i;
        };
        // A logical line is read in place when its rows are one run of a
        // block (or it is one row), else joined into joined.
        std::string joined;
        auto line = [&](std::size_t i, std::size_t j, bool& slice) -> std::string_view {
            std::string_view t;
            if (j == i) {
                slice = rows_[i].IsSlice();
                return rows_[i].Text();
            }
            if (ContiguousRows(rows_, i, j, t)) {
                slice = !t.empty();
                return t;
            }
            slice = false;
            joined.clear();
            for (std::size_t k = i; k <= j; ++k) joined += rows_[k].Text();
            return joined;
        };
        // Counted first so that the new rows are allocated once.
        TLineCuts cuts;
        std::size_t total = 0;
        for (std::size_t i = 0; i < n;) {
            const std::size_t j = lineEnd(i);
            bool slice = false;
            total += static_cast<std::size_t>(LineRowCount(line(i, j, slice), rules, cuts));
            i = j + 1;
        }
        std::vector<TEditorRow> out;
        out.reserve(Headroom(total));
        for (std::size_t i = 0; i < n;) {
            const std::size_t j = lineEnd(i);
            bool slice = false;
            const std::string_view l = line(i, j, slice);
            if (j == i && !slice && GetDisplayWidth(l, rules.Cells) < rules.WrapByte) {
                out.push_back(std::move(rows_[i]));  // its own text, kept
                out.back().SetFlags(WithRowAttribute(0, raLineBreak));
            } else {
                AppendLineRows(l, slice, &rules, cuts, out);
            }
            i = j + 1;
        }
        out.back().SetFlags(WithRowAttribute(0, lastAttr));
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
        const TEditorRowFlags lineBreak = WithRowAttribute(0, raLineBreak);
        for (std::size_t i = 0; i < n;) {
            std::size_t j = i;
            while (j + 1 < n && RowAttribute(rows_[j].Flags()) == raWrapped) ++j;
            std::string_view run;
            TEditorRow row;
            if (j == i) {
                row = std::move(rows_[i]);
                row.SetFlags(lineBreak);
            } else if (ContiguousRows(rows_, i, j, run)) {
                row = TEditorRow::Slice(run.data(), run.size(), lineBreak);
            } else {
                std::string line;
                for (std::size_t k = i; k <= j; ++k) line += rows_[k].Text();
                row = TEditorRow::Take(std::move(line), lineBreak);
            }
            rows_[to++] = std::move(row);
            i = j + 1;
        }
        rows_.resize(to);
        rows_.back().SetFlags(WithRowAttribute(0, lastAttr));
        knownEnd_ = 0;  // the joined rows carry no state
        Touch();
        Changed();
    }
    notifyOff_ = wasOff;
}

} // namespace vellumo
