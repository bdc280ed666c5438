// Find-next across instances and the real find dialog, driven from
// outside: F3 in a fresh instance continues the last search of another
// (its text from the search history, its options from the settings file).
#include <windows.h>

#include "e2e/e2e_support.h"

namespace e2e {
namespace {

class Search : public TEndToEnd {
protected:
    static std::pair<DWORD, DWORD> Selection(HWND editor)
    {
        DWORD a = 0, b = 0;
        DWORD_PTR r = 0;
        SendMessageTimeoutA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&a), reinterpret_cast<LPARAM>(&b),
                            SMTO_ABORTIFHUNG, 5000, &r);
        return {a, b};
    }
};

TEST_F(Search, FindNextInAFreshInstanceContinuesTheLastSearch)
{
    // What another instance left: its search text first in the history,
    // "match case" in the options.
    WriteSettings("[SearchOptions]\r\nMatchCase=1\r\nWholeWord=0\r\nDirection=1\r\nEsc=0\r\n");
    ASSERT_TRUE(WriteFileBytes(ini_ + "\\vellumo.sch", "Needle\r\nneedle\r\n"));
    const std::string doc = dir_.File("doc.txt");
    ASSERT_TRUE(WriteFileBytes(doc, "needle Needle needle Needle\r\n"));
    TVellumo v;
    ASSERT_TRUE(Launch(v, Quoted(doc)));
    ASSERT_TRUE(v.Sync());
    v.Keys({VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(7), DWORD(13)); }))
        << Selection(v.Editor()).first;
    v.Keys({VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(21), DWORD(27)); }));
    // Shift+F3 goes back up.
    v.Keys({VK_SHIFT, VK_F3});
    EXPECT_TRUE(v.WaitFor([&] { return Selection(v.Editor()) == std::make_pair(DWORD(7), DWORD(13)); }));
    EXPECT_TRUE(v.Close());
}

} // namespace
} // namespace e2e
