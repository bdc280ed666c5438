// The about box as shown: the host's version strings, the user and the
// settings folder, and its links opened through the host.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "dialogs/about/aboutbox.h"
#include "dialogs/about/aboutbox_win.h"
#include "dialogs/common/dialoghost.h"
#include "support/modalscript_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

const bool kNoUnscriptedModal = (TForm::SetRefuseUnscriptedModal(true), true);

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = DialogHost();
        DialogHost().SettingsPath = [] { return std::string("C:\\users\\me\\設定\\vellumo.ini"); };
        DialogHost().VersionStrings = [this](std::vector<std::string>& s) {
            s = strings;
            return missing;
        };
        DialogHost().OpenLink = [this](const std::string& target) { opened.push_back(target); };
    }
    void TearDown() override { DialogHost() = saved_; }

    std::vector<std::string> strings{"Co", "Editor", "1.2.0.0", "vellumo", "(C) 2024 Co", "vellumo.exe", "Vellumo", "1.2"};
    bool missing = false;
    std::vector<std::string> opened;

private:
    TDialogHost saved_;
};

void Click(HWND w)
{
    SendMessageA(w, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(w, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
}

} // namespace

TEST_F(AboutBoxTest, ShowsTheVersionUserAndFolderAndOpensItsLinks)
{
    char user[257] = {};
    DWORD size = sizeof user;
    ASSERT_TRUE(GetUserNameA(user, &size));
    for (bool whole : {true, false}) {
        missing = !whole;
        std::string version, notice, shownUser, folder, name;
        bool userReadOnly = false, userTabStop = true;
        TScript script([&](TForm& f) {
            auto& box = dynamic_cast<TAboutBox&>(f);
            name = box.AppName.Caption();
            version = box.VerNo.Caption();
            notice = box.Label2.Caption();
            shownUser = box.Edit_usr.Text();
            folder = box.Edit_ini.Text();
            userReadOnly = (GetWindowLongPtrA(box.Edit_usr.Handle(), GWL_STYLE) & ES_READONLY) != 0;
            userTabStop = (GetWindowLongPtrA(box.Edit_usr.Handle(), GWL_STYLE) & WS_TABSTOP) != 0;
            if (whole)
                for (TURLLabel* link : box.Links()) Click(link->Handle());
            PostMessageA(box.Button1.Handle(), BM_CLICK, 0, 0);
        });
        EXPECT_TRUE(ShowAboutBox());
        EXPECT_EQ(name, "Vellumo");
        EXPECT_EQ(version, whole ? "Version 1.2" : kDesignedVersion);
        EXPECT_EQ(notice, whole ? "(C) 2024 Co" : kDesignedNotice);
        EXPECT_EQ(shownUser, user);
        EXPECT_EQ(folder, "C:\\users\\me\\設定");
        EXPECT_TRUE(userReadOnly);
        EXPECT_FALSE(userTabStop);
    }
    EXPECT_EQ(opened, (std::vector<std::string>{kProjectHome, std::string("mailto:") + kProjectMail, kProjectSocial,
                                                kProjectChat}));
}
