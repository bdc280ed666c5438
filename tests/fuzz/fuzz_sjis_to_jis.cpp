// The counted length equals the output, and valid text survives the round trip.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_shiftjis.h"
#include "textcode/jisconv.h"

using namespace vellumo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view raw(reinterpret_cast<const char*>(data), size);
    const std::string out = ConvertSjisToJis(raw);
    if (out.size() != SjisToJisLength(raw)) std::abort();
    CheckRoundTrip(ValidShiftJis(raw));
    return 0;
}
