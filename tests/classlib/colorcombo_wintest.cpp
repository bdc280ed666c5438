#include <gtest/gtest.h>

#include <windows.h>

#include <functional>

#include "classlib/colorcombo_win.h"
#include "support/windowpicture_win.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

class TComboForm : public TForm {
public:
    TComboForm() : TForm(nullptr)
    {
        SetFormFont(*this);
        SetBorderStyle(bsDialog);
        SetClientSize(260, 200);
        Combo.SetBounds(10, 10, 220, 24);
    }
    TColorComboBox Combo{*this};
};

int CountPixels(const testpictures::TPicture& pic, DWORD rgb)
{
    int n = 0;
    for (DWORD p : pic.Pixels) n += p == rgb;
    return n;
}

} // namespace

// One control through a sequence of steps: each reports at most once, and
// the handler already sees the new colour.
TEST(ColorComboBox, SettersAndChoicesReportOnce)
{
    TComboForm f;
    HWND combo = f.Combo.Handle();
    int changes = 0;
    TColor seen = -1;
    f.Combo.OnChange = [&] {
        ++changes;
        seen = f.Combo.SelectColor();
    };
    auto key = [&](WPARAM vk) {
        return [&f, vk](TColorComboBox&) { SendMessageA(f.Combo.Handle(), WM_KEYDOWN, vk, 0); };
    };
    struct TStep {
        const char* name;
        std::function<void(TColorComboBox&)> act;
        int index;
        TColor select, custom;
        int changes;
    };
    const TStep steps[] = {
        {"an unlisted colour becomes the custom one", [](auto& c) { c.SetSelectColor(0x123456); }, 0, 0x123456,
         0x123456, 1},
        {"a listed colour leaves the custom one", [](auto& c) { c.SetSelectColor(clRed); }, 10, clRed, 0x123456, 1},
        {"the custom colour again", [](auto& c) { c.SetSelectColor(0x123456); }, 0, 0x123456, 0x123456, 1},
        {"a new custom colour while it is shown", [](auto& c) { c.SetCustomColor(clBlue); }, 0, clBlue, clBlue, 1},
        {"a listed entry before the custom one", [](auto& c) { c.SetSelectColor(clBlue); }, 13, clBlue, clBlue, 1},
        {"the same custom colour", [](auto& c) { c.SetCustomColor(clBlue); }, 13, clBlue, clBlue, 0},
        {"a custom colour while another is shown", [](auto& c) { c.SetCustomColor(0x010101); }, 13, clBlue,
         0x010101, 0},
        {"a system colour", [](auto& c) { c.SetSelectColor(clBtnFace); }, 36, clBtnFace, 0x010101, 1},
        {"the user steps down", key(VK_DOWN), 37, clBtnShadow, 0x010101, 1},
        {"the user goes to the first entry", key(VK_HOME), 0, 0x010101, 0x010101, 1},
        {"blanking", [](auto& c) { c.ClearSelection(); }, -1, clWindow, 0x010101, 0},
    };
    for (const TStep& s : steps) {
        SCOPED_TRACE(s.name);
        changes = 0;
        seen = -1;
        s.act(f.Combo);
        EXPECT_EQ(f.Combo.ItemIndex(), s.index);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), s.index);
        EXPECT_EQ(f.Combo.SelectColor(), s.select);
        EXPECT_EQ(f.Combo.CustomColor(), s.custom);
        EXPECT_EQ(changes, s.changes);
        if (s.changes) {
            EXPECT_EQ(seen, s.select);
        }
    }
}

TEST(ColorComboBox, ListsEveryColourOnceAndShowsTheSelectedOnesSwatch)
{
    TComboForm f;
    f.Combo.SetSelectColor(0x123456);  // no window yet
    f.Show();
    ASSERT_EQ(SendMessageA(f.Combo.Handle(), CB_GETCOUNT, 0, 0), TColorComboBox::kEntryCount);
    // A colour listed twice could never be picked under its second name.
    for (int i = 1; i < TColorComboBox::kEntryCount; ++i) EXPECT_EQ(f.Combo.IndexOfColor(f.Combo.ColorOfIndex(i)), i);
    EXPECT_EQ(f.Combo.ItemIndex(), 0);
    EXPECT_EQ(f.Combo.CustomColor(), 0x123456);
    auto swatchPixels = [&](DWORD rgb) {
        f.Combo.Repaint();
        PumpMessages();
        testpictures::TPicture pic;
        EXPECT_TRUE(testpictures::CaptureWindow(f.Combo.Handle(), pic));
        return CountPixels(pic, rgb);
    };
    EXPECT_GT(swatchPixels(0x563412), 30);
    f.Combo.SetSelectColor(clRed);
    EXPECT_GT(swatchPixels(0xFF0000), 30);
    EXPECT_EQ(swatchPixels(0x563412), 0);
    f.Hide();
}
