// The colour page's keyword button from the View menu's options command: the
// mode's built-in list goes into a new file beside the settings file, which
// another instance then opens.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/window/keywords.h"
#include "base/filebytes.h"
#include "dialogs/options/optionform_win.h"
#include "support/modalscript_win.h"
#include "support/winsupport_win.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

TEST(ColorKeywords, TheButtonWritesTheBuiltInListAndOpensItElsewhere)
{
    const fs::path folder = fs::temp_directory_path() / "vellumo_colorkeywords_test";
    TVellumoMainForm* form = MakeSuiteForm(folder, false);
    std::vector<std::string> started;
    form->Documents.StartNewInstance = [&](const std::string& params) { started.push_back(params); };
    TMsgRecorder answers;  // "create?": OK
    {
        TScript s([](TForm& f) {
            auto& options = dynamic_cast<TOptionForm&>(f);
            options.Color.ColorListView.SetItemIndex(37);  // C/C++
            options.Color.KwdButton.Click();
            options.Color.KwdButton.Click();  // there now: opened without asking
            f.SetModalResult(mrCancel);
        });
        SendMessageA(form->Window(), WM_COMMAND, form->MainMenuItems.Item("mOption").Command(), 0);
    }
    const std::string path = (folder / "cpp.kwd").string();
    std::string bytes;
    ASSERT_EQ(ReadFileBytes(path, bytes), TReadStatus::Ok);
    TStringList builtIn;
    FillBuiltInKeywords(kwmode::Cpp, builtIn);
    EXPECT_EQ(bytes.substr(0, builtIn.Items()[0].size() + 2), builtIn.Items()[0] + "\r\n");
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(started, (std::vector<std::string>{"\"" + path + "\"", "\"" + path + "\""}));
    FreeSuiteForm(form, folder);
}
