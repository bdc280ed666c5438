// What the about box shows of the version resource and the system.
#include <gtest/gtest.h>

#include "dialogs/about/aboutbox.h"

using namespace vellumo;

TEST(AboutBox, VersionAndNoticeOnlyFromAWholeVersionResource)
{
    const std::vector<std::string> all = {"Co", "Editor", "1.2.0.0", "vellumo", "(C) 2024", "vellumo.exe", "Vellumo", "1.2"};
    std::vector<std::string> oneEmpty = all;
    oneEmpty[2].clear();
    const struct { const char* name; std::vector<std::string> strings; bool missing; const char* version, *notice; } cases[] = {
        {"whole", all, false, "Version 1.2", "(C) 2024"},
        {"reported missing", all, true, kDesignedVersion, kDesignedNotice},
        {"one empty", oneEmpty, false, kDesignedVersion, kDesignedNotice},
        {"none", {}, false, kDesignedVersion, kDesignedNotice},
    };
    for (const auto& c : cases) {
        const TAboutTexts t = AboutTextsFromVersion(c.strings, c.missing);
        EXPECT_EQ(t.Version, c.version) << c.name;
        EXPECT_EQ(t.Notice, c.notice) << c.name;
    }
}

TEST(AboutBox, UnknownUserOnlyWhenTheSystemGivesNoName)
{
    EXPECT_EQ(UserNameText(false, ""), "(不明)");
    EXPECT_EQ(UserNameText(false, "default"), "(不明)");
    EXPECT_EQ(UserNameText(true, "default"), "default");  // a user may have that name
    EXPECT_EQ(UserNameText(true, "山田"), "山田");
}
