// The text's length and the text itself handed out without a joined copy of
// a large document (another program's length query makes the system fetch
// the whole text). Every allocation of this test program passes through
// the counting operator new below; only the bytes asked for while a count
// is armed are added up.
#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "editor_support_win.h"

// The replacements pair malloc with free, which the compiler cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<bool> g_counting{false};
std::atomic<std::size_t> g_largest{0};

} // namespace

void* operator new(std::size_t n)
{
    if (g_counting.load(std::memory_order_relaxed) && n > g_largest.load(std::memory_order_relaxed)) g_largest = n;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vellumo::testing {
namespace {

// The largest single allocation made by the call.
template <typename F>
std::size_t LargestAllocation(F call)
{
    g_largest = 0;
    g_counting = true;
    call();
    g_counting = false;
    return g_largest;
}

// About 6 MB of lines of single- and double-byte characters, some longer
// than the wrap width.
std::string BigText()
{
    std::string text;
    for (int i = 0; text.size() < 6'000'000; ++i) {
        const int singles = i % 97, doubles = i % 13;
        text.append(static_cast<std::size_t>(singles), 'a' + static_cast<char>(i % 26));
        for (int k = 0; k < doubles; ++k) text += "\x82\xA0";
        text += "\r\n";
    }
    text += "end";  // a last line without a line break
    return text;
}

TEST(TextSize, LengthAndTextComeFromTheRowsWithoutACopy)
{
    auto e = MakeEditor(400, 200);
    const HWND h = e->Handle();
    const std::string text = BigText();
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap ? "wrapped" : "not wrapped");
        e->SetWordWrap(wrap);
        if (wrap) e->WrapOption().SetWrapByte(40);
        e->Lines().SetText(text);
        if (wrap) {
            ASSERT_GT(SendMessageA(h, EM_GETLINECOUNT, 0, 0), 150'000) << "rows were wrapped";
        }

        LRESULT bytes = 0;
        EXPECT_LT(LargestAllocation([&] { bytes = SendMessageA(h, WM_GETTEXTLENGTH, 0, 0); }), 65536u);
        EXPECT_EQ(bytes, static_cast<LRESULT>(text.size()));

        std::vector<char> buf(text.size() + 1, '\x7F');
        LRESULT got = 0;
        EXPECT_LT(LargestAllocation([&] {
                      got = SendMessageA(h, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
                  }),
                  65536u);
        ASSERT_EQ(got, static_cast<LRESULT>(text.size()));
        EXPECT_TRUE(std::string(buf.data(), text.size()) == text);
        EXPECT_EQ(buf[text.size()], '\0');
    }
    e->SetWordWrap(false);
}

} // namespace
} // namespace vellumo::testing
