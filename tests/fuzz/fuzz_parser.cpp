// Row bytes, start state and view options from the input; the tokenizer's
// invariants must hold for all of them.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../editor/parser_properties.h"
#include "../editor/syntax_modes.h"

using namespace vellumo;
using namespace vellumo::test;

namespace {

// A short pattern from the input: length byte (0..3) then that many bytes.
std::string TakePattern(const std::uint8_t*& data, std::size_t& size)
{
    if (size == 0) return "";
    std::size_t len = data[0] % 4;
    ++data;
    --size;
    if (len > size) len = size;
    std::string s(reinterpret_cast<const char*>(data), len);
    data += len;
    size -= len;
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    const std::uint8_t flags = data[0], mode = data[1], state = data[2];
    data += 3;
    size -= 3;

    TEditorViewInfo view;
    TParserSettings settings;
    SetupMode(view, static_cast<TEditMode>(mode % EditModeCount));
    settings.EditMode = static_cast<TEditMode>((mode >> 4) % EditModeCount);
    settings.UrlEx = flags & 1;
    view.SetUrl(flags & 2);
    view.SetMail(flags & 4);
    view.SetControlCode(flags & 8);
    const TBlankPolicy blanks = flags & 16 ? TBlankPolicy::KeepSpaces : TBlankPolicy::SkipSpaces;
    if (flags & 32) {
        view.SetCommenter(TakePattern(data, size));
        view.SetPerlCommenter(TakePattern(data, size));
        view.SetRubyCommenter(TakePattern(data, size));
        view.SetPerlQuotation(TakePattern(data, size));
        view.SetHexPrefix(TakePattern(data, size));
        settings.SetNotUrlChars(TakePattern(data, size));
        if (view.Brackets().Count() < TEditorBracketCollection::MaxItems) {
            std::string l = TakePattern(data, size);
            AddBracket(view, l, TakePattern(data, size));
        }
    }
    const std::string row(reinterpret_cast<const char*>(data), size);
    const int start = static_cast<int>(state % 20) - 3;  // -3..16: invalid and stale states too
    const std::string err = CheckRowProperties(row, flags & 64 ? nullptr : &view, start, blanks, settings);
    if (!err.empty()) {
        std::fprintf(stderr, "tokenizer property failed: %s\n", err.c_str());
        std::abort();
    }
    return 0;
}
