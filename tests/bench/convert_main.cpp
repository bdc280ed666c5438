// textconv FROM TO [FILE]: converts FILE (or standard input) between two
// character codes with the project's converters and writes the result to
// standard output, a megabyte at a time. Codes: sjis, euc, jis, utf8,
// utf16 (little-endian; a leading byte-order mark is skipped, as the
// loader skips it). Anything but Shift-JIS to anything but Shift-JIS goes
// through Shift-JIS.
//
// textconv --time RUNS FROM TO FILE: reads FILE into memory, converts it
// RUNS times the same way into a buffer that is reused, and prints the
// median rate in MB of input per second; with --whole, through the
// whole-text functions instead (a fresh result each time).
//
// Converting from UTF-8 or UTF-16 in pieces, whether "$" has to be escaped
// is known only at the end: when a character without a code turns up in a
// text that also holds "$", the output already written is wrong and the
// command fails (exit 2) rather than leave it so.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "textcode/cp932conv.h"
#include "textcode/jisconv.h"

using namespace vellumo;

namespace {

enum TCode { cSjis, cEuc, cJis, cUtf8, cUtf16, cBad };

TCode CodeOf(const char* s)
{
    const std::string_view v(s);
    return v == "sjis" ? cSjis : v == "euc" ? cEuc : v == "jis" ? cJis : v == "utf8" ? cUtf8 : v == "utf16" ? cUtf16 : cBad;
}

using TSink = std::function<void(std::string_view)>;

// One direction of a conversion fed in pieces: Put appends to the next
// stage whatever the piece completes, Finish the rest.
class TStage {
public:
    virtual ~TStage() = default;
    virtual void Put(std::string_view piece) = 0;
    virtual void Finish() = 0;
    bool failed = false;
};

class TToSjis : public TStage {
public:
    TToSjis(TCode from, TSink next) : from_(from), next_(std::move(next)),
        jis_(from == cJis ? TJisConversion::jisToSjis : TJisConversion::eucToSjis),
        wide_(from == cUtf8 ? TUnicodeForm::utf8 : TUnicodeForm::utf16le, false) {}

    void Put(std::string_view piece) override
    {
        if (first_) {
            first_ = false;
            const std::string_view bom = from_ == cUtf8 ? "\xEF\xBB\xBF" : from_ == cUtf16 ? "\xFF\xFE" : "";
            if (!bom.empty() && piece.substr(0, bom.size()) == bom) piece.remove_prefix(bom.size());
        }
        out_.clear();
        if (from_ == cJis || from_ == cEuc) {
            jis_.Put(piece, out_);
        } else {
            wide_.Put(piece, out_);
            Check();
        }
        next_(out_);
    }
    void Finish() override
    {
        out_.clear();
        if (from_ == cJis || from_ == cEuc) {
            jis_.Finish(out_);
        } else {
            wide_.Finish(out_);
            Check();
            failed = wide_.Unmappable() && dollar_;
        }
        next_(out_);
    }

private:
    void Check() { dollar_ = dollar_ || out_.find_first_of("$\x01") != std::string::npos; }

    TCode from_;
    TSink next_;
    TJisStream jis_;
    TToCp932Stream wide_;
    std::string out_;
    bool first_ = true, dollar_ = false;
};

class TFromSjis : public TStage {
public:
    TFromSjis(TCode to, TSink next) : to_(to), next_(std::move(next)),
        jis_(to == cJis ? TJisConversion::sjisToJis : TJisConversion::sjisToEuc) {}

    void Put(std::string_view piece) override
    {
        out_.clear();
        if (to_ == cJis || to_ == cEuc) {
            jis_.Put(piece, out_);
        } else {
            // Shift-JIS goes to Unicode in pieces cut after a byte below 40,
            // which no character runs across.
            held_.append(piece);
            std::size_t cut = held_.size();
            while (cut > 0 && static_cast<unsigned char>(held_[cut - 1]) >= 0x40) --cut;
            Convert(std::string_view(held_).substr(0, cut));
            held_.erase(0, cut);
        }
        next_(out_);
    }
    void Finish() override
    {
        out_.clear();
        if (to_ == cJis || to_ == cEuc) jis_.Finish(out_);
        else Convert(held_);
        held_.clear();
        next_(out_);
    }

private:
    void Convert(std::string_view s)
    {
        bool lossy = false;
        if (to_ == cUtf8) Cp932ToUtf8(s, out_, lossy);
        else Cp932ToUtf16Le(s, out_, lossy);
    }

    TCode to_;
    TSink next_;
    TJisStream jis_;
    std::string out_, held_;
};

// The stages from one code to another, ending in sink.
std::vector<std::unique_ptr<TStage>> Chain(TCode from, TCode to, TSink sink)
{
    std::vector<std::unique_ptr<TStage>> stages;
    if (from == to) return stages;
    if (to != cSjis) {
        stages.push_back(std::make_unique<TFromSjis>(to, sink));
        TStage* last = stages.back().get();
        sink = [last](std::string_view s) { last->Put(s); };
    }
    if (from != cSjis) stages.insert(stages.begin(), std::make_unique<TToSjis>(from, sink));
    return stages;
}

// Feeds data through the stages in pieces of a megabyte; false when the
// output is wrong (see above).
bool Run(const std::vector<std::unique_ptr<TStage>>& stages, const std::function<std::size_t(char*, std::size_t)>& read,
         const TSink& sink)
{
    std::vector<char> buf(1 << 20);
    for (std::size_t n; (n = read(buf.data(), buf.size())) > 0;) {
        if (stages.empty()) sink(std::string_view(buf.data(), n));
        else stages.front()->Put(std::string_view(buf.data(), n));
    }
    // Each stage finishes into the next, which then finishes in turn.
    bool ok = true;
    for (const auto& s : stages) {
        s->Finish();
        ok = ok && !s->failed;
    }
    return ok;
}

std::string Whole(TCode from, TCode to, const std::string& in)
{
    std::string sjis;
    bool flag = false;
    switch (from) {
    case cEuc: sjis = ConvertEucToSjis(in); break;
    case cJis: sjis = ConvertJisToSjis(in); break;
    case cUtf8: Utf8ToCp932(in, sjis, flag); break;
    case cUtf16: Utf16LeToCp932(in, sjis, flag); break;
    default: sjis = in; break;
    }
    std::string out;
    switch (to) {
    case cEuc: return ConvertSjisToEuc(sjis);
    case cJis: return ConvertSjisToJis(sjis);
    case cUtf8: Cp932ToUtf8(sjis, out, flag); return out;
    case cUtf16: Cp932ToUtf16Le(sjis, out, flag); return out;
    default: return sjis;
    }
}

int Time(int runs, bool whole, TCode from, TCode to, const char* file)
{
    std::FILE* f = std::fopen(file, "rb");
    if (!f) {
        std::perror(file);
        return 1;
    }
    std::string in;
    char buf[1 << 16];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) in.append(buf, n);
    std::fclose(f);
    std::vector<double> rates;
    std::size_t outBytes = 0;
    for (int r = 0; r <= runs; ++r) {  // the first run warms up and is not counted
        outBytes = 0;
        const auto t0 = std::chrono::steady_clock::now();
        if (whole) {
            outBytes = Whole(from, to, in).size();
        } else {
            std::size_t at = 0;
            const auto stages = Chain(from, to, [&outBytes](std::string_view s) { outBytes += s.size(); });
            Run(stages,
                [&](char* d, std::size_t n) {
                    n = std::min(n, in.size() - at);
                    std::memcpy(d, in.data() + at, n);
                    at += n;
                    return n;
                },
                [&outBytes](std::string_view s) { outBytes += s.size(); });
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (r > 0) rates.push_back(static_cast<double>(in.size()) / 1e6 / s);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("%.0f MB/s (%zu bytes in, %zu out)\n", rates.empty() ? 0.0 : rates[rates.size() / 2], in.size(), outBytes);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 6 && std::strcmp(argv[1], "--time") == 0) {
        const bool whole = argc >= 7 && std::strcmp(argv[6], "--whole") == 0;
        const TCode from = CodeOf(argv[3]), to = CodeOf(argv[4]);
        if (from != cBad && to != cBad) return Time(std::atoi(argv[2]), whole, from, to, argv[5]);
    }
    if (argc < 3 || argc > 4 || CodeOf(argv[1]) == cBad || CodeOf(argv[2]) == cBad) {
        std::fprintf(stderr, "usage: textconv FROM TO [FILE] | --time RUNS FROM TO FILE [--whole]\n"
                             "codes: sjis euc jis utf8 utf16\n");
        return 1;
    }
    std::FILE* in = argc == 4 ? std::fopen(argv[3], "rb") : stdin;
    if (!in) {
        std::perror(argv[3]);
        return 1;
    }
    const TSink write = [](std::string_view s) { std::fwrite(s.data(), 1, s.size(), stdout); };
    const auto stages = Chain(CodeOf(argv[1]), CodeOf(argv[2]), write);
    const bool ok = Run(stages, [in](char* d, std::size_t n) { return std::fread(d, 1, n, in); }, write);
    if (std::fflush(stdout) != 0) return 1;
    if (!ok) {
        std::fprintf(stderr, "textconv: characters without a code in a text holding \"$\": the escapes written are "
                             "ambiguous\n");
        return 2;
    }
    return 0;
}
