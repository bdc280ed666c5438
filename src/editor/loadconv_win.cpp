#include "editor/loadconv_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "textcode/jisconv.h"
#include "textcode/wideconv.h"

namespace vellumo {

namespace {

constexpr std::size_t kPage = 4096;
constexpr std::size_t kCommitStep = std::size_t{1} << 20;
// Bytes of the file converted at a time.
constexpr std::size_t kPiece = std::size_t{1} << 20;

std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

// The conversion WideToAnsiEscaped makes of a piece of a text that has a
// character the code page lacks: "$" escaped too, whatever the piece holds.
// A lone surrogate (always escaped, on its own) is put after the piece and
// its escape taken off again.
class TEscapedPieces {
public:
    TEscapedPieces() : mark_(WideToAnsiEscaped(std::wstring(1, kMark))) {}
    // Whether the conversion still works this way ("$" escaped in a piece
    // without a character the code page lacks).
    bool Usable() const
    {
        std::wstring w(1, L'$');
        std::string out;
        return Convert(w, out) && out != "$";
    }
    bool Convert(std::wstring& w, std::string& out) const
    {
        if (mark_.empty()) return false;
        w.push_back(kMark);
        const bool ok = WideToAnsiEscaped(w, out) && out.size() >= mark_.size() &&
                        out.compare(out.size() - mark_.size(), mark_.size(), mark_) == 0;
        w.pop_back();
        if (ok) out.resize(out.size() - mark_.size());
        return ok;
    }

private:
    static constexpr wchar_t kMark = 0xD800;
    std::string mark_;
};

// Walks the pieces of bytes [begin, end): next(from) gives where the piece
// starting at from ends, wide(from, to, w) its units. Pass one looks for a
// character the code page lacks, pass two converts and gives the bytes
// back behind it.
template <class Next, class Wide>
bool ConvertPieces(TLoadPages& bytes, std::size_t begin, std::size_t end, std::size_t bound, Next next, Wide wide,
                   TLoadPages& text, bool& noAnsi)
{
    std::wstring w;
    std::string out;
    noAnsi = false;
    for (std::size_t from = begin; from < end && !noAnsi;) {
        const std::size_t to = next(from);
        if (!wide(from, to, w)) return false;
        noAnsi = HasUnmappableChars(w);
        from = to;
    }
    if (!text.Reserve(bound)) return false;
    const TEscapedPieces escaped;
    if (noAnsi && !escaped.Usable()) {
        // The whole text at once, as the conversion's own rules take it.
        std::wstring all;
        for (std::size_t from = begin; from < end;) {
            const std::size_t to = next(from);
            if (!wide(from, to, w)) return false;
            all += w;
            from = to;
        }
        bytes.Release(end);
        return WideToAnsiEscaped(all, out) && text.Append(out);
    }
    for (std::size_t from = begin; from < end;) {
        const std::size_t to = next(from);
        if (!wide(from, to, w)) return false;
        if (!(noAnsi ? escaped.Convert(w, out) : WideToAnsiEscaped(w, out))) return false;
        if (!text.Append(out)) return false;
        bytes.Release(to);
        from = to;
    }
    return true;
}

} // namespace

TLoadPages::~TLoadPages() { Free(); }

void TLoadPages::Free() noexcept
{
    if (base_) VirtualFree(base_, 0, MEM_RELEASE);
    base_ = nullptr;
    reserved_ = committed_ = size_ = released_ = 0;
}

bool TLoadPages::Reserve(std::size_t max)
{
    if (base_ || max == 0) return true;
    base_ = static_cast<char*>(VirtualAlloc(nullptr, RoundUp(max, kPage), MEM_RESERVE, PAGE_NOACCESS));
    if (!base_) return false;
    reserved_ = RoundUp(max, kPage);
    return true;
}

bool TLoadPages::Resize(std::size_t size)
{
    if (size > reserved_) return false;
    if (size > committed_) {
        const std::size_t to = std::min(reserved_, RoundUp(std::max(size, committed_ + kCommitStep), kPage));
        if (!VirtualAlloc(base_ + committed_, to - committed_, MEM_COMMIT, PAGE_READWRITE)) return false;
        committed_ = to;
    }
    size_ = size;
    return true;
}

bool TLoadPages::Append(std::string_view s)
{
    const std::size_t at = size_;
    if (s.empty()) return true;
    if (!Resize(at + s.size())) return false;
    std::memcpy(base_ + at, s.data(), s.size());
    return true;
}

bool TLoadPages::Settle(TInPlaceOutput& out)
{
    if (!Resize(out.Written) || !Append(out.Rest)) return false;
    std::string().swap(out.Rest);
    const std::size_t keep = RoundUp(size_, kPage);
    if (keep < committed_) {
        VirtualFree(base_ + keep, committed_ - keep, MEM_DECOMMIT);
        committed_ = keep;
    }
    return true;
}

void TLoadPages::Release(std::size_t offset) noexcept
{
    const std::size_t to = std::min(offset, size_) / kPage * kPage;
    if (to <= released_) return;
    VirtualFree(base_ + released_, to - released_, MEM_DECOMMIT);
    released_ = to;
}

TTextBlock TLoadPages::TakeBlock()
{
    TTextBlock b;
    if (!base_) return b;
    b.Data = std::shared_ptr<char>(base_, [](char* p) { VirtualFree(p, 0, MEM_RELEASE); });
    b.Size = size_;
    base_ = nullptr;
    reserved_ = committed_ = size_ = released_ = 0;
    return b;
}

bool ReadFilePages(const std::string& name, TLoadPages& bytes)
{
    HANDLE h = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    struct TClose {
        HANDLE h;
        ~TClose() { CloseHandle(h); }
    } close{h};
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h, &size) || size.QuadPart < 0) return false;
    const unsigned long long n = static_cast<unsigned long long>(size.QuadPart);
    if (n > SIZE_MAX / 8) return false;
    // Escapes make a text at most five times as long ("$" is "$0024").
    if (!bytes.Reserve(static_cast<std::size_t>(n) * 5 + kPage) || !bytes.Resize(static_cast<std::size_t>(n))) return false;
    std::size_t done = 0;
    while (done < bytes.Size()) {
        const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.Size() - done, 1u << 26));
        DWORD got = 0;
        if (!ReadFile(h, bytes.Data() + done, want, &got, nullptr)) return false;
        if (got == 0) break;  // the file shrank while being read
        done += got;
    }
    return bytes.Resize(done);
}

bool ConvertUtf16Pages(TLoadPages& bytes, std::size_t skip, TLoadPages& text, bool& noAnsi)
{
    const std::size_t units = (bytes.Size() - std::min(skip, bytes.Size())) / 2;
    const std::size_t begin = skip, end = skip + units * 2;
    const char* const data = bytes.Data();
    try {
        return ConvertPieces(
            bytes, begin, end, units * 5 + 16, [&](std::size_t from) { return std::min(end, from + kPiece); },
            [&](std::size_t from, std::size_t to, std::wstring& w) {
                w.resize((to - from) / 2);
                std::memcpy(w.data(), data + from, to - from);
                return true;
            },
            text, noAnsi);
    } catch (const std::exception&) {
        return false;
    }
}

bool ConvertUtf8Pages(TLoadPages& bytes, std::size_t skip, TLoadPages& text, bool& noAnsi)
{
    const std::size_t begin = std::min(skip, bytes.Size()), end = bytes.Size();
    const char* const data = bytes.Data();
    std::string piece;
    try {
        return ConvertPieces(
            bytes, begin, end, (end - begin) * 5 + 16,
            [&](std::size_t from) {
                // A piece ends after an ASCII byte: no sequence, whole or broken, runs across.
                std::size_t to = std::min(end, from + kPiece);
                while (to < end && static_cast<unsigned char>(data[to - 1]) >= 0x80) ++to;
                return to;
            },
            [&](std::size_t from, std::size_t to, std::wstring& w) {
                piece.assign(data + from, to - from);
                return Utf8ToWide(piece, w) && !w.empty();
            },
            text, noAnsi);
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vellumo
