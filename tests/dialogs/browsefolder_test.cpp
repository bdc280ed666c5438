#include <gtest/gtest.h>

#include "dialogs/folder/browsefolder.h"

using namespace vellumo;

TEST(BrowseFolder, Prompt)
{
    EXPECT_EQ(BrowseFolderPrompt("作業フォルダを指定して下さい", ""), "作業フォルダを指定して下さい");
    EXPECT_EQ(BrowseFolderPrompt("一行目", "二行目"), "一行目\n二行目");
    EXPECT_EQ(BrowseFolderPrompt("", "二行目"), "\n二行目");
}

TEST(BrowseFolder, PlacedAtTheOwnerAndKeptInsideTheWorkArea)
{
    const TPlaceRect primary{0, 0, 1280, 1000};
    // Fits: stays at the owner's client origin.
    EXPECT_EQ(BrowseFolderPlace({100, 120}, 400, 350, primary, primary), (TPlacePoint{100, 120}));
    // An owner near the right and bottom edges: shifted left and up.
    EXPECT_EQ(BrowseFolderPlace({1100, 900}, 400, 350, primary, primary), (TPlacePoint{880, 650}));
    // Above and left of the area: brought in.
    EXPECT_EQ(BrowseFolderPlace({-50, -30}, 400, 350, primary, primary), (TPlacePoint{0, 0}));
    // Larger than the area: the right and bottom edges stay inside.
    EXPECT_EQ(BrowseFolderPlace({10, 10}, 1400, 1100, primary, primary), (TPlacePoint{-120, -100}));

    // The main window on a second monitor left of the primary one: the
    // primary shift first, then that monitor's area.
    const TPlaceRect second{-1024, 0, 0, 740};
    EXPECT_EQ(BrowseFolderPlace({-300, 600}, 400, 350, primary, second), (TPlacePoint{-400, 390}));
    // The primary's right edge pulls a window that belongs to a monitor on the right back onto it, where
    // that monitor's area then holds it.
    const TPlaceRect right{1280, 0, 2560, 1000};
    EXPECT_EQ(BrowseFolderPlace({1500, 100}, 400, 350, primary, right), (TPlacePoint{1280, 100}));
}
