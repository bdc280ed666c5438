// Pictures of the dialogs for people to look at (build/win/dialog-*.bmp),
// and a check that every caption fits its control and that no control
// leaves the form or covers another.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "dialogs/code/jcodedlg_win.h"
#include "dialogs/jump/jumpdlg_win.h"
#include "dialogs/replace/replacedlg.h"
#include "dialogs/search/searchdlg.h"
#include "layoutfaults_win.h"
#include "dialogs/tools/tooldlg.h"
#include "dialogs/tools/tooleditdlg_win.h"
#include "base/inifile.h"
#include "dialogs/common/dialoghost.h"
#include "searchfixture.h"
#include "support/windowpicture_win.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

// Shows the dialog through its entry function, captures it, checks it.
void Picture(const std::string& name, const std::function<void()>& show)
{
    SCOPED_TRACE(name);
    bool seen = false;
    TScript script([&](TForm& form) {
        seen = true;
        RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        ProcessMessages();
        Sleep(300);
        ProcessMessages();
        const std::string path = BuildFolder() + "\\dialog-" + name + ".bmp";
        testpictures::TPicture picture;
        EXPECT_TRUE(testpictures::SaveWindowPicture(form.Handle(), path, picture)) << path;
        const std::vector<DWORD>& pixels = picture.Pixels;
        std::printf("picture: %s\n", path.c_str());
        for (const auto& fault : LayoutFaults(form)) ADD_FAILURE() << fault;
        for (const auto& fault : FrameFaults(form, pixels)) ADD_FAILURE() << fault;
        form.SetModalResult(mrCancel);
    });
    show();
    EXPECT_TRUE(seen);
}

} // namespace

TEST(DialogPictures, CaptionsFitTheirControls)
{
    TTempFolder dir;
    InstallSearchHost(dir.File("v.ini"), "one\r\ntwo");
    struct TRemove {
        ~TRemove() { RemoveSearchHost(); }
    } remove;
    Picture("find", [] {
        std::string text;
        std::uint16_t flags = 0;
        ShowSearchDialog(text, flags, 1);
    });
    Picture("replace", [] {
        std::string findText, replaceText;
        std::uint16_t flags = 0;
        ShowReplaceDialog(findText, replaceText, flags);
    });
    Picture("code", [] {
        TCharCode code = ccSjis;
        TLineEndCode lineEnd = leCrLf;
        bool saveAs = false;
        ShowJcodeDialog(code, lineEnd, saveAs, false);
    });
    Picture("jump", [] {
        std::vector<std::string> history{"120", "3"};
        int line = 0;
        bool logical = false;
        std::string typed;
        ShowJumpDialog(line, logical, history, typed);
    });
}

TEST(DialogPictures, ToolDialogsShowWhole)
{
    TTempFolder dir;
    const std::string ini = dir.File("v.ini");
    TMemIniFile file(ini);
    TAppTool tool;
    tool.Title = "ポータブル表示";
    tool.File = "C:\\Program Files\\viewer\\viewer.exe";
    tool.Param = "\"%f\" /line %w";
    tool.Key = TextToShortCut("Ctrl+Shift+F9");
    tool.SelOn = true;
    WriteAppTools(file, {tool, ToolSeparatorEntry(true, false)});
    ASSERT_TRUE(file.UpdateFile());
    const TDialogHost saved = DialogHost();
    DialogHost().SettingsPath = [ini] { return ini; };
    Picture("toollist", [] { ShowToolListDialog(); });
    Picture("tooledit", [&tool] { ShowToolEditDialog(tool, nullptr); });
    DialogHost() = saved;
}
