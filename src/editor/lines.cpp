#include "editor/lines.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "editor/cells.h"
#include "editor/editorview.h"
#include "editor/rowstore.h"
#include "editor/typetext.h"

#ifdef _WIN32
#include <share.h>
#endif

namespace vellumo {
namespace {

constexpr std::size_t kBlockSize = 8192;
constexpr char kEndOfFile = 26;
const char kCrLf[] = "\r\n";

struct TFileCloser {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};
using TFilePtr = std::unique_ptr<std::FILE, TFileCloser>;

TFilePtr OpenForReading(const std::string& name)
{
#ifdef _WIN32
    return TFilePtr(_fsopen(name.c_str(), "rb", _SH_DENYWR));  // others may read, not write
#else
    return TFilePtr(std::fopen(name.c_str(), "rb"));
#endif
}

// Reads the file in blocks and calls line(text, hasBreak) for each line: CR,
// LF or CR LF end a line (also when a block boundary falls inside CR LF),
// byte 26 ends the data, NULs become spaces. Without Build the texts are not
// assembled (counting only). False on a read error.
template <bool Build, class F>
bool ScanFile(std::FILE* f, F&& line)
{
    std::vector<char> buf(kBlockSize);
    std::string carry;
    bool carried = false;  // a run is open (it may be empty only when Build is off)
    bool pendingCr = false;
    bool stop = false;
    auto take = [&](const char* b, std::size_t n) {
        if (n == 0) return;
        carried = true;
        if (Build) carry.append(b, n);
    };
    auto emit = [&](bool hasBreak) {
        if (Build && std::memchr(carry.data(), '\0', carry.size())) std::replace(carry.begin(), carry.end(), '\0', ' ');
        line(std::move(carry), hasBreak);
        carry.clear();
        carried = false;
    };
    while (!stop) {
        const std::size_t got = std::fread(buf.data(), 1, buf.size(), f);
        if (got == 0) break;
        const char* p = buf.data();
        const char* const end = p + got;
        if (pendingCr && *p == '\n') ++p;
        pendingCr = false;
        // Next CR, LF and end-of-file byte, each searched again only once passed.
        auto find = [end](const char* from, char c) {
            const void* q = std::memchr(from, c, static_cast<std::size_t>(end - from));
            return q ? static_cast<const char*>(q) : end;
        };
        const char* cr = find(p, '\r');
        const char* lf = find(p, '\n');
        const char* eof = find(p, kEndOfFile);
        while (p < end) {
            if (cr < p) cr = find(p, '\r');
            if (lf < p) lf = find(p, '\n');
            const char* q = std::min(std::min(cr, lf), eof);
            take(p, static_cast<std::size_t>(q - p));
            if (q == end) break;
            if (*q == kEndOfFile) {
                stop = true;
                break;
            }
            emit(true);
            if (*q == '\r') {
                if (q + 1 < end) {
                    if (q[1] == '\n') ++q;
                } else {
                    pendingCr = true;
                }
            }
            p = q + 1;
        }
    }
    if (std::ferror(f)) return false;
    if (carried) emit(false);
    return true;
}

} // namespace

TEditorScreenStrings& TEditorStrings::Store() const { return view_.ScreenStrings(); }

int TEditorStrings::GetCount() const { return Store().LineCount(); }

bool TEditorStrings::LineRows(int index, int& first, int& last) const
{
    if (index < 0 || index >= Count()) return false;
    first = Store().LineToRow(index);
    last = Store().LastRowOfLine(first);
    return first >= 0 && first < Store().Count();
}

std::string TEditorStrings::Get(int index) const
{
    int first = 0, last = 0;
    if (!LineRows(index, first, last)) return {};
    const TEditorScreenStrings& s = Store();
    if (!s.WordWrap()) return std::string(s.Strings(first));
    std::string text = s.GetLogicalText(first, -1);
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, kCrLf) == 0) text.resize(text.size() - 2);
    return text;
}

void TEditorStrings::Put(int index, std::string_view s)
{
    int first = 0, last = 0;
    if (!LineRows(index, first, last)) return;
    TEditorScreenStrings& store = Store();
    std::string text(s);
    if (store.GetRowAttribute(last) != raEof) text += kCrLf;
    view_.CleanSelection();
    TCaretUpdate hold(&view_);
    if (store.ReplaceRows(first, last - first + 1, text)) view_.SetCaretRowOffset(first, static_cast<int>(StoredTextLength(text)));
}

void TEditorStrings::Insert(int index, std::string_view s)
{
    const int count = Count();
    if (index < 0 || index > count) return;
    if (index == count) {
        Add(s);
        return;
    }
    TEditorScreenStrings& store = Store();
    const int row = store.LineToRow(index);
    if (row >= store.Count()) {
        Add(s);
        return;
    }
    std::string text(s);
    text += kCrLf;
    view_.CleanSelection();
    TCaretUpdate hold(&view_);
    if (store.ReplaceRows(row, 0, text)) view_.SetCaretRowOffset(row, static_cast<int>(StoredTextLength(text)));
}

int TEditorStrings::Add(std::string_view s)
{
    const int before = Count();
    TEditorScreenStrings& store = Store();
    const int n = store.Count();
    view_.CleanSelection();
    TCaretUpdate hold(&view_);
    if (n == 0 || store.GetRowAttribute(n - 1) == raLineBreak) {
        std::string text(s);
        text += kCrLf;
        if (store.ReplaceRows(n, 0, text)) view_.SetCaretRowOffset(n, static_cast<int>(StoredTextLength(text)));
    } else {
        // The old last line gets its line break; s becomes the last line, without one.
        const int last = n - 1;
        const int from = store.FirstRowOfLine(last);
        long long before_ = 0;
        for (int r = from; r < last; ++r) before_ += static_cast<long long>(store.Strings(r).size());
        std::string text(store.Strings(last));
        text += kCrLf;
        text += s;
        if (store.ReplaceRows(last, 1, text)) view_.SetCaretRowOffset(from, static_cast<int>(before_ + StoredTextLength(text)));
    }
    return before;
}

void TEditorStrings::Delete(int index)
{
    int first = 0, last = 0;
    if (!LineRows(index, first, last)) return;
    view_.CleanSelection();
    TCaretUpdate hold(&view_);
    if (Store().ReplaceRows(first, last - first + 1, {})) view_.SetCaretRowOffset(first, 0);
}

void TEditorStrings::Clear() { Store().Clear(); }

std::string TEditorStrings::GetTextStr() const { return JoinRows(Store()); }

void TEditorStrings::SetTextStr(std::string_view text)
{
    TLinesUpdate update(*this);
    Store().LoadText(text);
    view_.SetTopRow(0);
    view_.SetLeftCol(0);
}

void TEditorStrings::Assign(const TStringList& source)
{
    SetText(source.Text());
    view_.SetCaretRow(Store().Count());
    Store().ClampEditorRows();
    view_.SetCaretCol(0);
}

void TEditorStrings::Assign(const TEditorStrings& source)
{
    if (&source == this || &source.Store() == &Store()) return;
    SetText(source.Text());
    view_.SetCaretRow(Store().Count());
    Store().ClampEditorRows();
    view_.SetCaretCol(0);
}

void TEditorStrings::AssignTo(TStringList& dest) const
{
    TStringsUpdate update(dest);
    dest.Clear();
    const int n = Count();
    for (int i = 0; i < n; ++i) dest.Add(Get(i));
}

bool TEditorStrings::LoadFromFile(const std::string& fileName)
{
    TFilePtr f = OpenForReading(fileName);
    if (!f) return false;
    std::size_t lines = 0;
    if (!ScanFile<false>(f.get(), [&](std::string&&, bool) { ++lines; })) return false;
    std::rewind(f.get());
    std::vector<TEditorRow> rows;
    rows.reserve(lines + lines / 64 + 16);  // room for the first new rows
    bool lastHasBreak = true;
    if (!ScanFile<true>(f.get(), [&](std::string&& text, bool hasBreak) {
            rows.push_back(TEditorRow::Take(std::move(text), WithRowAttribute(0, raLineBreak)));
            lastHasBreak = hasBreak;
        }))
        return false;
    f.reset();
    if (!rows.empty() && !lastHasBreak) rows.back().SetFlags(WithRowAttribute(0, raEof));

    TLinesUpdate update(*this);
    TEditorScreenStrings& store = Store();
    store.Clear();
    store.AppendRows(std::move(rows));
    store.FinishLoad();
    return true;
}

void TEditorStrings::BeginUpdate()
{
    if (updateCount_++ > 0) return;
    Store().BeginUpdate();
    view_.LinesUpdating(true);
}

void TEditorStrings::EndUpdate()
{
    if (updateCount_ == 0) return;
    if (--updateCount_ > 0) return;
    view_.LinesUpdating(false);
    TEditorScreenStrings& store = Store();
    store.EndUpdate();
    store.RefreshEditors();
}

std::vector<std::string> TEditorStrings::StoredStrings() const
{
    std::vector<std::string> out;
    const int n = Count();
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back(Get(i));
    return out;
}

bool TEditorStrings::StoredStringsWanted(const TEditorStrings* ancestor) const
{
    if (!ancestor) return Count() > 0;
    return ancestor != this && ancestor->StoredStrings() != StoredStrings();
}

void TEditorStrings::ReadStoredStrings(const std::vector<std::string>& strings)
{
    std::string text;
    for (const std::string& s : strings) {
        text += s;
        text += kCrLf;
    }
    TLinesUpdate update(*this);
    Store().LoadText(text);
}

} // namespace vellumo
