#include <gtest/gtest.h>

#include "classlib/autocomplete.h"

using namespace vellumo;

namespace {

TEST(AutoComplete, KeepsWhatWasTypedAndAddsTheFirstMatchingRest)
{
    const std::vector<std::string> items{"Hello world", "help", "\x95\x5Cx", "\x82\x60Z"};
    // The typed case stays; the item gives only the rest.
    EXPECT_EQ(CompleteFromItems("hel", items), "hello world");
    EXPECT_EQ(CompleteFromItems("HELP", items), "");  // "help" itself adds nothing
    EXPECT_EQ(CompleteFromItems("HeL", items), "HeLlo world");
    EXPECT_EQ(CompleteFromItems("", items), "");
    EXPECT_EQ(CompleteFromItems("Hello world", items), "");
    // Double-byte characters compare exactly: trail 5C is no "\", a full-width
    // letter is not folded (82 60 is "Ａ", 82 81 is "ａ").
    EXPECT_EQ(CompleteFromItems("\x95\x5C", items), "\x95\x5Cx");
    EXPECT_EQ(CompleteFromItems("\x95\x7C", items), "");
    EXPECT_EQ(CompleteFromItems("\x82\x81", items), "");
    EXPECT_EQ(CompleteFromItems("\x82\x60", items), "\x82\x60Z");
    // A lone lead byte never matches half a character.
    EXPECT_EQ(CompleteFromItems("\x95", items), "");
}

} // namespace
