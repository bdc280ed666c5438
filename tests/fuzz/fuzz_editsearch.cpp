// The editor's chunked search against one search over the whole joined
// text: from a random start, in both directions, with every option, the
// same match or none.
#include <cstddef>
#include <cstdint>
#include <string>

#include "../editor/model_support.h"
#include "editor/editsearch.h"
#include "editor/wrapoption.h"

using namespace vellumo;

namespace {

void Check(bool ok)
{
    if (!ok) __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 6) return 0;
    const int flagBits = data[0] | (data[1] << 8);
    const int wrap = data[2] % 8;
    const int chunk = 1 + data[3] * 4;
    const std::size_t patLen = 1 + data[4] % 24;
    const unsigned startPick = data[5];
    data += 6;
    size -= 6;
    if (size < patLen) return 0;
    const std::string pattern(reinterpret_cast<const char*>(data), patLen);
    const std::string text(reinterpret_cast<const char*>(data + patLen), size - patLen);

    test::TFakeView view;
    TEditorScreenStrings& s = view.ScreenStrings();
    if (wrap) {
        s.WrapOption().SetWrapByte(20 + wrap);
        s.SetWordWrap(true);
    }
    s.LoadText(text);
    const std::string joined = JoinRows(s);
    if (joined.find('\0') != std::string::npos) return 0;

    const auto flags = static_cast<TSearchFlags>(flagBits & (sfDown | sfMatchCase | sfWholeWord | sfIgnoreWidth |
                                                              sfSkipLineBreaks | sfSkipBlanks));
    // A start at a row's byte (or the end of the text).
    const int n = s.Count();
    TEditorTextPos start{n ? static_cast<int>(startPick % (n + 1)) : 0, 0};
    long long offset = 0;
    for (int r = 0; r < start.Row && r < n; ++r)
        offset += s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
    if (start.Row < n) {
        start.Byte = static_cast<int>((startPick / 7) % (s.Strings(start.Row).size() + 1));
        offset += start.Byte;
    } else if (!(flags & sfDown)) {
        offset = static_cast<long long>(joined.size());
    }

    TEditorSearchOptions opt;
    opt.ChunkBytes = chunk;
    const auto got = SearchRows(s, start, pattern, flags, opt);
    int at = static_cast<int>(offset), length = 0;
    const bool found = SearchBufferPos(joined, at, length, pattern, flags);
    Check(found == got.has_value());
    if (found) {
        long long o = got->Byte;
        for (int r = 0; r < got->Row; ++r) o += s.Strings(r).size() + (s.GetRowAttribute(r) == raLineBreak ? 2 : 0);
        Check(o == at && got->Length == length);
    }
    return 0;
}
