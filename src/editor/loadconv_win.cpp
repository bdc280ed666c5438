#include "editor/loadconv_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <new>
#include <string>

#include "textcode/charcode.h"
#include "textcode/cp932conv.h"
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
    if (!base_) {
        exhausted_ = true;
        return false;
    }
    reserved_ = RoundUp(max, kPage);
    return true;
}

bool TLoadPages::Resize(std::size_t size)
{
    if (size > reserved_) {
        exhausted_ = true;
        return false;
    }
    if (size > committed_) {
        const std::size_t to = std::min(reserved_, RoundUp(std::max(size, committed_ + kCommitStep), kPage));
        if (!VirtualAlloc(base_ + committed_, to - committed_, MEM_COMMIT, PAGE_READWRITE)) {
            exhausted_ = true;
            return false;
        }
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

namespace {

class TFile {
public:
    explicit TFile(const std::string& name)
        : h_(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr))
    {
    }
    ~TFile()
    {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    // The size, when it is one a conversion's reserve can be made for and
    // the memory left can hold; tooLarge when it is not.
    bool Size(std::size_t& n, bool& tooLarge) const
    {
        LARGE_INTEGER size{};
        if (h_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(h_, &size) || size.QuadPart < 0) return false;
        const auto bytes = static_cast<unsigned long long>(size.QuadPart);
        // Refused before a byte is read: a file past the memory that can be
        // committed would only fail late, or push the system into swapping.
        MEMORYSTATUSEX mem{};
        mem.dwLength = sizeof mem;
        if (bytes > SIZE_MAX / 8 || (GlobalMemoryStatusEx(&mem) && bytes > mem.ullAvailPageFile)) {
            tooLarge = true;
            return false;
        }
        n = static_cast<std::size_t>(bytes);
        return true;
    }
    // Up to want bytes to at; got 0 where the file ends.
    bool Read(char* at, std::size_t want, std::size_t& got)
    {
        DWORD n = 0;
        if (!ReadFile(h_, at, static_cast<DWORD>(std::min<std::size_t>(want, 1u << 26)), &n, nullptr)) return false;
        got = n;
        return true;
    }
    bool Rewind()
    {
        LARGE_INTEGER zero{};
        return SetFilePointerEx(h_, zero, nullptr, FILE_BEGIN) != 0;
    }

private:
    HANDLE h_;
};

// Bytes read and converted at a time while streaming: small enough to stay
// in the cache between the read and the conversion.
constexpr std::size_t kStreamPiece = std::size_t{1} << 18;

// Appends up to want more bytes of the file as they stand (fewer when it
// shrank while being read). Read through a small buffer and copied: the
// fresh pages then fill faster than when the system reads into them.
bool ReadRaw(TFile& f, std::size_t want, TLoadPages& pages)
{
    std::string buf(std::min(want, kStreamPiece), '\0');
    for (std::size_t done = 0; done < want;) {
        std::size_t got = 0;
        if (!f.Read(buf.data(), std::min(want - done, buf.size()), got)) return false;
        if (got == 0) break;
        if (!pages.Append(std::string_view(buf.data(), got))) return false;
        done += got;
    }
    return true;
}

// Appends up to want bytes of the file to buf.
bool ReadMore(TFile& f, std::size_t want, std::string& buf, std::size_t& got)
{
    const std::size_t at = buf.size();
    buf.resize(at + want);
    got = 0;
    while (got < want) {
        std::size_t n = 0;
        if (!f.Read(buf.data() + at + got, want - got, n)) return false;
        if (n == 0) break;
        got += n;
    }
    buf.resize(at + got);
    return true;
}

bool StartsWith(std::string_view s, std::string_view head) { return s.substr(0, head.size()) == head; }

bool HasHighByte(std::string_view s)
{
    const char* p = s.data();
    const char* const end = p + s.size();
    for (; end - p >= 8; p += 8) {
        std::uint64_t w;
        std::memcpy(&w, p, 8);
        if (w & 0x8080808080808080ULL) return true;
    }
    for (; p < end; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80) return true;
    return false;
}

} // namespace

bool ReadFilePages(const std::string& name, TLoadPages& bytes)
{
    TFile f(name);
    std::size_t n = 0;
    bool tooLarge = false;
    if (!f.Size(n, tooLarge)) {
        if (tooLarge) bytes.MarkExhausted();
        return false;
    }
    // Escapes make a text at most five times as long ("$" is "$0024").
    return bytes.Reserve(n * 5 + kPage) && ReadRaw(f, n, bytes);
}

namespace {

// Tests change a file while it is being read: with VELLUMO_TEST_LOAD_PAUSE
// naming a pair of events, a load sets "<name>.reading" once its first piece
// is in and waits (half a minute at most) for "<name>.go".
void PauseForTest()
{
    static const std::string name = [] {
        char buf[128] = {};
        const DWORD n = GetEnvironmentVariableA("VELLUMO_TEST_LOAD_PAUSE", buf, sizeof buf);
        return n > 0 && n < sizeof buf ? std::string(buf, n) : std::string();
    }();
    if (name.empty()) return;
    const HANDLE reading = OpenEventA(EVENT_MODIFY_STATE, FALSE, (name + ".reading").c_str());
    const HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, (name + ".go").c_str());
    if (reading) SetEvent(reading);
    if (go) WaitForSingleObject(go, 30000);
    if (reading) CloseHandle(reading);
    if (go) CloseHandle(go);
}

} // namespace

// Whether "ESC $ B" or "ESC $ @", the designations that make a text JIS,
// begin in s at or after from.
bool HasJisDesignation(std::string_view s, std::size_t from)
{
    for (std::size_t at = from; (at = s.find("\x1B$", at)) != std::string_view::npos; ++at)
        if (at + 2 < s.size() && (s[at + 2] == 'B' || s[at + 2] == '@')) return true;
    return false;
}

bool ReadFileText(const std::string& name, int code, bool detect, TLoadPages& pages, TFileText& info)
{
    info = TFileText();
    TFile f(name);
    std::size_t n = 0;
    if (!f.Size(n, info.TooLarge) || !pages.Reserve(n * 5 + kPage)) return false;
    std::string buf, out;
    std::size_t read = 0;
    if (!ReadMore(f, std::min(n, kStreamPiece), buf, read)) return false;
    PauseForTest();

    enum { raw, utf16, utf8, maybeUtf8, jis } form = raw;
    const bool given = code >= 0 && code <= ccUtf8N;
    if (GetAnsiCodePage() != 932) form = raw;  // the system converts, as a whole
    else if (given && code == ccUnicode) form = utf16;
    else if (given && (code == ccUtf8 || code == ccUtf8N)) form = utf8;
    else if (given && detect && (code == ccJis || code == ccJisOld)) form = jis;
    else if (!given && detect) form = StartsWith(buf, "\xFF\xFE") ? utf16 : StartsWith(buf, "\xEF\xBB\xBF") ? utf8 : maybeUtf8;
    if (form == raw) return pages.Append(buf) && ReadRaw(f, n - read, pages);

    TCharCode converted = form == jis ? static_cast<TCharCode>(code) : ccUnicode;
    if (form == utf16 && StartsWith(buf, "\xFF\xFE")) {
        buf.erase(0, 2);
    } else if (form == utf8 || form == maybeUtf8) {
        const bool bom = form == utf8 && StartsWith(buf, "\xEF\xBB\xBF");
        if (bom) buf.erase(0, 3);
        converted = bom ? ccUtf8 : ccUtf8N;
    }
    TJisStream jisStream(TJisConversion::jisToSjis);
    // Whether the bytes so far are UTF-8, for a text read as JIS (a file
    // UTF-8 throughout with a sequence of more than one byte is no JIS).
    bool checking = form == maybeUtf8, multiByte = false;
    int jisLooks = 0;
    for (bool end = read >= n || buf.empty();;) {
        // A piece ends on a whole unit, or after an ASCII byte: no sequence
        // runs across.
        std::size_t cut = buf.size();
        if (form == utf16) {
            if (end && cut % 2) info.OddByte = true;
            cut &= ~std::size_t{1};
        } else if (!end) {
            while (cut > 0 && static_cast<unsigned char>(buf[cut - 1]) >= 0x80) --cut;
        }
        const std::string_view piece(buf.data(), cut);
        bool multi = form != maybeUtf8, lost = false;
        if (form == maybeUtf8) {
            // What converts without loss is UTF-8: checked only when not.
            multi = HasHighByte(piece);
        } else if (checking) {
            checking = IsUtf8Text(piece, multi);
            multiByte |= checking && multi;
        }
        if (form == jis) {
            out.clear();
            jisStream.Put(piece, out);
            if (!pages.Append(out)) return false;
        } else if (!multi) {
            const std::size_t before = pages.Size();
            if (!pages.Append(piece)) return false;
            // ASCII alone so far: JIS once a designation decides it, as
            // the whole text's detection would (a few looks at most).
            if (!multiByte && jisLooks < 4 && HasJisDesignation(pages.View(), before < 2 ? 0 : before - 2)) {
                ++jisLooks;
                const TCharCode c = DetectLegacyCharCode(pages.View());
                if (c == ccJis || c == ccJisOld) {
                    form = jis;
                    converted = c;
                    const std::string head(pages.View());
                    out.clear();
                    jisStream.Put(head, out);
                    if (!pages.Resize(0) || !pages.Append(out)) return false;
                } else if (c != ccNone) {
                    jisLooks = 4;
                }
            }
        } else {
            if (form == utf16) Utf16LeToCp932(piece, out, lost);
            else Utf8ToCp932(piece, out, lost);
            bool m = false;
            if (lost && form == maybeUtf8 && !IsUtf8Text(piece, m)) {
                if (multiByte) break;  // what was converted is read again as it stands
                // No UTF-8 after ASCII alone: the pages hold the bytes as they stand.
                info.NotUtf8 = true;
                return pages.Append(buf) && ReadRaw(f, n - read, pages);
            }
            // A character without a form escapes "$" throughout: converted as a whole.
            if (lost) break;
            multiByte = multiByte || form == maybeUtf8;
            if (!pages.Append(out)) return false;
        }
        buf.erase(0, cut);
        if (end) {
            if (form == jis) {
                if (checking && multiByte) break;  // UTF-8 after all
                out.clear();
                jisStream.Finish(out);
                if (!pages.Append(out)) return false;
                info.Replaced = jisStream.Replaced();
                info.Converted = converted;
            } else if (form == maybeUtf8 && !multiByte) {
                info.NotUtf8 = true;  // ASCII alone
            } else {
                info.Converted = converted;
            }
            return true;
        }
        std::size_t got = 0;
        if (!ReadMore(f, std::min(n - read, kStreamPiece), buf, got)) return false;
        read += got;
        end = got == 0 || read >= n;
    }
    // Read again as the bytes stand, into the pages already in use.
    info = TFileText();
    return pages.Resize(0) && f.Rewind() && ReadRaw(f, n, pages);
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
    } catch (const std::bad_alloc&) {
        text.MarkExhausted();
        return false;
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
    } catch (const std::bad_alloc&) {
        text.MarkExhausted();
        return false;
    } catch (const std::exception&) {
        return false;
    }
}

} // namespace vellumo
