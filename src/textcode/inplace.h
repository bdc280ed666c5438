#pragma once
// Running a conversion in the memory of its own input, for conversions
// whose output is no longer than what they read but in rare cases: a big
// text then needs no second buffer of its size, whose fresh pages cost
// more than the conversion itself. Output that would overtake the input
// still unread waits in a side buffer until reading has made room.
#include <cstddef>
#include <cstring>
#include <string>

namespace vellumo {

// A conversion done in its input's memory: the result is the first Written
// bytes of that memory, then Rest (output that never found room there).
struct TInPlaceOutput {
    std::size_t Written = 0;
    std::string Rest;
};

} // namespace vellumo

namespace vellumo::inplace {

constexpr std::size_t kChunk = 1 << 16;

struct TProgress {
    std::size_t written = 0;  // text[0, written) holds output
    std::size_t read = 0;     // input is read up to here
    std::string pending;      // output after text[0, written)
    bool stopped = false;
};

// convert(p, stopAt, end, out, stop) appends to out the conversion of the
// characters of the input that begin before stopAt (looking ahead up to
// end) and returns where it stopped; setting stop ends the run there.
template <class Convert>
TProgress Run(char* data, std::size_t size, std::size_t from, Convert convert)
{
    using u8 = unsigned char;
    TProgress r;
    u8* const base = reinterpret_cast<u8*>(data);
    const u8* const end = base + size;
    const u8* p = base + from;
    std::string chunk;
    chunk.reserve(kChunk + kChunk / 2);
    while (p < end) {
        const u8* stopAt = static_cast<std::size_t>(end - p) > kChunk ? p + kChunk : end;
        chunk.clear();
        p = convert(p, stopAt, end, chunk, r.stopped);
        // Output may go over what has been read, never further.
        const std::size_t room = static_cast<std::size_t>(p - base) - r.written;
        if (r.pending.empty()) {
            const std::size_t n = chunk.size() < room ? chunk.size() : room;
            std::memcpy(base + r.written, chunk.data(), n);
            r.written += n;
            r.pending.assign(chunk, n);
        } else {
            r.pending += chunk;
            const std::size_t n = r.pending.size() < room ? r.pending.size() : room;
            std::memcpy(base + r.written, r.pending.data(), n);
            r.written += n;
            r.pending.erase(0, n);
        }
        if (r.stopped) break;
    }
    r.read = static_cast<std::size_t>(p - base);
    return r;
}

template <class Convert>
TProgress Run(std::string& text, std::size_t from, Convert convert)
{
    return Run(text.data(), text.size(), from, convert);
}

// The text as the output of a finished run.
inline void Finish(std::string& text, TProgress& r)
{
    text.resize(r.written);
    text += r.pending;
    std::string().swap(r.pending);
}

inline void Finish(TInPlaceOutput& out, TProgress& r)
{
    out.Written = r.written;
    out.Rest.swap(r.pending);
}

// A result given over memory as a string's.
inline void Finish(std::string& text, TInPlaceOutput& out)
{
    if (out.Written == 0) {
        text.swap(out.Rest);
        return;
    }
    text.resize(out.Written);
    text += out.Rest;
}

} // namespace vellumo::inplace
