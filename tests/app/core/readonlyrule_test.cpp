// Who may make a document writable: the open dialog's box only adds
// read-only, and a lock refuses every way of clearing it.
#include <gtest/gtest.h>

#include "app/core/appcontext.h"
#include "app/core/readonlyrule.h"

using namespace vellumo;

TEST(ReadOnlyRule, DialogBoxOnlyAddsAndALockIsNeverCleared)
{
    const struct {
        TReadOnlyState loaded;
        bool ticked;
        TReadOnlyState after, toggled;
    } cases[] = {
        {{false, false}, false, {false, false}, {true, false}},
        {{false, false}, true, {true, true}, {true, true}},
        // A load that locked (unwritable file, "No" to editing): the unticked box keeps it.
        {{true, true}, false, {true, true}, {true, true}},
        {{true, false}, false, {true, false}, {false, false}},
        // A lock without read-only is taken as read-only.
        {{false, true}, false, {true, true}, {true, true}},
    };
    for (const auto& c : cases) {
        const TReadOnlyState after = ReadOnlyAfterOpenDialog(c.loaded, c.ticked);
        EXPECT_EQ(after, c.after) << c.loaded.ReadOnly << c.loaded.Locked << c.ticked;
        EXPECT_EQ(ToggledReadOnly(after), c.toggled) << c.loaded.ReadOnly << c.loaded.Locked << c.ticked;
    }
    const bool before = Document().ReadOnlyLocked;
    Document().ReadOnlyLocked = true;
    EXPECT_FALSE(CanClearReadOnly());
    Document().ReadOnlyLocked = false;
    EXPECT_TRUE(CanClearReadOnly());
    Document().ReadOnlyLocked = before;
}
