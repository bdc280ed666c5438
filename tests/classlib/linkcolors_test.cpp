// A link label's colour through the mouse's moves and presses.
#include <gtest/gtest.h>

#include "classlib/linkcolors.h"

using namespace vellumo;

TEST(LinkColors, FollowTheMouseAndComeBackToTheLabelsOwn)
{
    constexpr TColor own = clNavy, hot = clBlue, pushed = clRed;
    enum TStep { Enter, Leave, Down, UpIn, UpOut };
    const struct { const char* name; bool hotTrack; std::vector<TStep> steps; TColor shown; } cases[] = {
        {"over", true, {Enter}, hot},
        {"over and away", true, {Enter, Leave}, own},
        {"pressed", true, {Enter, Down}, pushed},
        {"clicked", true, {Enter, Down, UpIn}, hot},
        {"released outside", true, {Enter, Down, UpOut}, own},
        // A second entry while pressed: the pressed colour is no colour of its own.
        {"entered again while pressed", true, {Enter, Down, Enter, Leave}, own},
        {"pressed, away, back", true, {Enter, Down, Leave, Enter, UpIn, Leave}, own},
        {"no tracking", false, {Enter, Down, UpIn}, own},
    };
    for (const auto& c : cases) {
        TLinkColors colors(own);
        colors.HotTrack = c.hotTrack;
        colors.HotColor = hot;
        colors.PushedColor = pushed;
        for (TStep s : c.steps) {
            switch (s) {
            case Enter: colors.Enter(); break;
            case Leave: colors.Leave(); break;
            case Down: colors.Down(); break;
            case UpIn: colors.Up(true); break;
            case UpOut: colors.Up(false); break;
            }
        }
        EXPECT_EQ(colors.Color(), c.shown) << c.name;
    }
}
