// Names from the system in UTF-16 taken into code page 932 only exactly.
#include <gtest/gtest.h>

#include <string>

#include "base/showmsg.h"
#include "base/widename.h"

using namespace vellumo;

namespace {

TEST(WideName, OnlyAnExactConversionIsTaken)
{
    const struct {
        std::wstring name;
        const char* ansi;  // nullptr: refused
    } cases[] = {
        {L"C:\\\u65E5\u672C\\a$b.txt", "C:\\\x93\xFA\x96\x7B\\a$b.txt"},
        {L"\uFF5E.txt", "\x81\x60.txt"},  // the full-width tilde is 8160 and comes back as itself
        {L"", ""},
        // Each of these has a near name the system would give: e, "?", the
        // 8160 of the full-width tilde, 5C (a backslash) for the yen sign.
        {L"C:\\d\\\u00E9.txt", nullptr},
        {L"\uD55C.txt", nullptr},
        {L"\u301C.txt", nullptr},
        {L"\u00A5.txt", nullptr},
        {L"\U0001F600.txt", nullptr},
        {std::wstring(L"a\0b", 3), nullptr},
    };
    for (const auto& c : cases) {
        std::string out = "stale";
        const bool ok = WideNameToAnsi(c.name, out);
        EXPECT_EQ(ok, c.ansi != nullptr) << out;
        EXPECT_EQ(out, c.ansi ? c.ansi : "");
    }
}

TEST(WideName, TheMessageShowsEveryNameWithEscapes)
{
    EXPECT_EQ(WideNameForMessage(L"a$\uD55C\u00E9\u65E5.txt"), "a$0024$D55C$00E9\x93\xFA.txt");
    EXPECT_EQ(WideNameForMessage(L"\U0001F600"), "$D83D$DE00");
    // A name that converts is shown as it is, "$" included.
    EXPECT_EQ(WideNameForMessage(L"a$b"), "a$b");

    std::string shown;
    unsigned icon = 0;
    int calls = 0;
    TScopedMsgSink sink([&](const std::string& text, const std::string&, unsigned flags) {
        shown = text;
        icon = flags;
        ++calls;
        return kAnswerOk;
    });
    RefuseUnrepresentableNames({}, false);
    EXPECT_EQ(calls, 0);
    RefuseUnrepresentableNames({L"\u00E9.txt", L"\uD55C.txt"}, true);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(shown, UnrepresentableNamesMessage({"$00E9.txt", "$D55C.txt"}, true));
    EXPECT_EQ(shown.rfind("\"$00E9.txt\"\r\n\"$D55C.txt\"\r\n", 0), 0u) << shown;
    EXPECT_NE(shown.find("保存できません"), std::string::npos);
    EXPECT_EQ(icon, kMsgIconExclamation);
}

} // namespace
