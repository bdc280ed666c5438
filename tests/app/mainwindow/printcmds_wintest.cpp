// Printing from a real main window on the PostScript test printer: the
// print dialog's choices on paper (rendered by ghostscript), the preview's
// pages against the printed ones, printing asked for from the preview, the
// busy state, "/p" and the missing printer.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/printcmds.h"
#include "app/commands/printcmds_win.h"
#include "app/core/appcontext.h"
#include "app/core/appfuncs.h"
#include "printing/strpprog_win.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"
#include "support/modalscript_win.h"
#include "support/testprinter.h"
#include "support/winsupport_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

int PostScriptPages(const std::string& ps)
{
    int n = 0;
    for (std::size_t at = ps.find("%%Page: "); at != std::string::npos; at = ps.find("%%Page: ", at + 1)) ++n;
    return n;
}

// Japanese lines, some long enough to wrap in a column.
std::string JapaneseText(int lines)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        text += "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x8D\x73 " + std::to_string(i);  // 日本語の行
        if (i % 7 == 0) text += " \x82\xA0\x82\xA2\x82\xA4\x82\xA6\x82\xA8\x82\xA9\x82\xAB\x82\xAD\x82\xAF\x82\xB1";
        text += "\r\n";
    }
    return text;
}

bool SameLayout(const std::vector<TPrintPage>& a, const std::vector<TPrintPage>& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].Number != b[i].Number || a[i].Items.size() != b[i].Items.size()) return false;
        for (std::size_t k = 0; k < a[i].Items.size(); ++k) {
            const TPrintItem &x = a[i].Items[k], &y = b[i].Items[k];
            if (x.Kind != y.Kind || !(x.Rect == y.Rect) || x.Text != y.Text || x.Flags != y.Flags) return false;
        }
    }
    return true;
}

class PrintCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_print_test";
        form_ = MakeSuiteForm(folder_, true);
        output_ = (fs::temp_directory_path() / "vellumo_print_test.ps").string();
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }

    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(AddTestPrinter(HostPathOf(output_), &error)) << error;
        Printer().Refresh();
        ASSERT_EQ(Printer().Printers()[static_cast<std::size_t>(Printer().PrinterIndex())], kTestPrinterName);
        DeleteFileA(output_.c_str());
        form_->Documents.QuerySaveChanges = [] { return TSaveAnswer::No; };
        AppSettingsStore().Print = TAppIniPrn{};
        AppSettingsStore().Settings.Option.PrnSetNoSave = false;
        Document().CurrentFileName = (folder_ / "doc.txt").string();
    }
    void TearDown() override
    {
        form_->Editor1.Lines().SetText("");
        form_->Editor1.SetModified(false);
    }

    // The job's file once the spooler has written it whole.
    std::string Output()
    {
        for (int i = 0; i < 100; ++i) {
            const std::string s = ReadAll(output_);
            if (s.find("%%EOF") != std::string::npos) return s;
            Sleep(100);
        }
        return ReadAll(output_);
    }

    TStringsPrinter& Component() { return form_->Printing().StringsPrinter1; }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    static std::string output_;
};
TVellumoMainForm* PrintCommands::form_ = nullptr;
fs::path PrintCommands::folder_;
std::string PrintCommands::output_;

TEST_F(PrintCommands, TheDialogsChoicesReachThePaper)
{
    form_->Editor1.Lines().SetText(JapaneseText(400));
    TScript script([](TForm& form) {
        auto* f = dynamic_cast<TPrintForm*>(&form);
        if (!f) return;
        f->HeaderAlign.SetItemIndex(1);  // left
        f->FooterAlign.SetItemIndex(2);  // centre
        f->ColNum.SetChecked(true);
        f->ColumnCount.SetItemIndex(1);  // two columns
        f->ColumnSpace.SetText("10");
        f->Print_Pege.SetChecked(true);
        f->StartPege.SetText("2");
        f->LastPage.SetText("3");
        SendMessageA(f->Button1.Handle(), BM_CLICK, 0, 0);
    });
    mPrintClick(*form_);
    const std::string ps = Output();
    ASSERT_EQ(PostScriptPages(ps), 2) << ps.size() << " bytes";
    const auto& pages = Component().LaidOutPages();
    ASSERT_GE(pages.size(), 3u);
    // The range's pages keep the document's numbers.
    const TPrintPage& second = pages[1];
    ASSERT_FALSE(second.Items.empty());
    EXPECT_EQ(second.Items.front().Text, "[ doc.txt ]");
    EXPECT_EQ(second.Items.back().Text, "- 2 -");

    // The paper as ghostscript draws it: ink where the layout put each part.
    const std::string prefix = (folder_ / "page").string();
    std::string error;
    ASSERT_TRUE(RenderPostScript(output_, prefix, 50, &error)) << error;
    TGreyPage page;
    ASSERT_TRUE(ReadPgm(prefix + "-1.pgm", page));
    EXPECT_FALSE(std::filesystem::exists(prefix + "-3.pgm"));
    const TPrintLayoutSettings& s = Component().LayoutSettings();
    const TPrintOffsets off = Component().PrinterOffsets();
    const double scale = 50.0 / Component().PrinterObject().XDpi();
    auto X = [&](int x) { return static_cast<int>((x + off.Left) * scale); };
    auto Y = [&](int y) { return static_cast<int>((y + off.Top) * scale); };
    const int line = s.Metrics.LineHeight;
    const int midX = (s.Body.Left + s.Body.Right) / 2;
    // Nothing in the left margin.
    EXPECT_FALSE(page.InkIn(0, 0, X(s.Body.Left) - 1, page.Height));
    // The header on the band's first line at the left, nothing at its right.
    EXPECT_TRUE(page.InkIn(X(s.Body.Left), Y(s.Body.Top), X(midX), Y(s.Body.Top + line)));
    EXPECT_FALSE(page.InkIn(X(midX), Y(s.Body.Top), X(s.Body.Right), Y(s.Body.Top + 3 * line)));
    // The footer centred on the band's last line, nothing at its left end.
    EXPECT_TRUE(page.InkIn(X(midX - 4 * line), Y(s.Body.Bottom - line), X(midX + 4 * line), Y(s.Body.Bottom)));
    EXPECT_FALSE(page.InkIn(X(s.Body.Left), Y(s.Body.Bottom - 3 * line), X(midX - 4 * line), Y(s.Body.Bottom)));
    // Line numbers in each column's gutter and text in the second column.
    for (const TPrintItem& item : second.Items) {
        if (item.Kind != TPrintItemKind::LineNumber && item.Kind != TPrintItemKind::Row) continue;
        if (item.Text.empty()) continue;
        const int top = Y(item.Rect.Top), bottom = Y(item.Rect.Top + line);
        EXPECT_TRUE(page.InkIn(X(item.Rect.Left), top, X(item.Rect.Right) + 1, bottom))
            << item.Text << " at " << item.Rect.Left << "," << item.Rect.Top;
    }
    const bool secondColumn = std::any_of(second.Items.begin(), second.Items.end(), [&](const TPrintItem& i) {
        return i.Kind == TPrintItemKind::Row && i.Rect.Left > midX;
    });
    EXPECT_TRUE(secondColumn);
}

TEST_F(PrintCommands, PreviewPagesAreThePrintedPages)
{
    form_->Editor1.Lines().SetText(JapaneseText(150));
    int previews = 0;
    TScript closePreview([&](TForm& form) {
        if (dynamic_cast<TFormStrPreview*>(&form)) ++previews;
        form.SetModalResult(form.Caption() == "\x88\xF3\x8D\xFC" ? mrOk : mrCancel);  // the print dialog prints
    });
    mViewClick(*form_);
    EXPECT_EQ(previews, 1);
    const std::vector<TPrintPage> previewed = Component().LaidOutPages();
    ASSERT_GE(previewed.size(), 2u);
    mPrintClick(*form_);
    EXPECT_EQ(PostScriptPages(Output()), static_cast<int>(previewed.size()));
    EXPECT_TRUE(SameLayout(previewed, Component().LaidOutPages()));

    // A selection previews alone.
    form_->Editor1.SetSelStart(0);
    form_->Editor1.SetSelLength(40);
    mViewClick(*form_);
    ASSERT_EQ(Component().LaidOutPages().size(), 1u);
    const auto& rows = Component().LaidOutPages()[0].Items;
    EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const TPrintItem& i) { return i.Kind == TPrintItemKind::Row; }),
              3);
}

TEST_F(PrintCommands, PrintingAskedFromThePreviewOpensTheDialogOnceThePreviewIsGone)
{
    form_->Editor1.Lines().SetText(JapaneseText(20));
    std::vector<std::string> seen;
    TScript script([&](TForm& form) {
        if (auto* p = dynamic_cast<TFormStrPreview*>(&form)) {
            seen.push_back("preview");
            EXPECT_TRUE(DocumentBusy());
            SendMessageA(p->btPrint.Handle(), BM_CLICK, 0, 0);
        } else if (dynamic_cast<TPrintForm*>(&form)) {
            seen.push_back("dialog");
            EXPECT_EQ(FindWindowA("TFormStrPreview", nullptr), nullptr);
            EXPECT_FALSE(DocumentBusy());
            EXPECT_FALSE(Component().Busy());
            form.SetModalResult(mrCancel);
        }
    });
    form_->RunNamed("mView");
    EXPECT_EQ(seen, (std::vector<std::string>{"preview", "dialog"}));
    EXPECT_TRUE(IsWindowEnabled(form_->Window()));
}

TEST_F(PrintCommands, ClosingTheWindowWhilePrintingIsRefused)
{
    // Over 64,000 bytes: the render pass shows its progress window and pumps messages.
    form_->Editor1.Lines().SetText(JapaneseText(5000));
    form_->Editor1.SetModified(true);
    PostMessageA(form_->Window(), WM_CLOSE, 0, 0);
    bool progressSeen = false;
    auto showProgress = Component().CreateProgress;
    Component().CreateProgress = [&](const std::string& caption) {
        progressSeen = true;
        return showProgress(caption);
    };
    TScript script([&](TForm& form) {
        EXPECT_EQ(FindWindowA("TFormStrProgress", nullptr), nullptr);  // gone with the pass
        PostMessageA(form_->Window(), WM_CLOSE, 0, 0);
        ProcessMessages();
        EXPECT_TRUE(IsWindow(form_->Window()));
        form.SetModalResult(mrCancel);
    });
    mViewClick(*form_);
    Component().CreateProgress = showProgress;
    EXPECT_TRUE(progressSeen);
    ASSERT_TRUE(IsWindow(form_->Window()));
    MSG m;
    EXPECT_FALSE(PeekMessageA(&m, form_->Window(), WM_CLOSE, WM_CLOSE, PM_NOREMOVE));  // handled, not kept
    EXPECT_TRUE(IsWindowEnabled(form_->Window()));
    EXPECT_FALSE(DocumentBusy());
}

TEST_F(PrintCommands, CommandLinePrintKeepsToTheSizeLimit)
{
    form_->Editor1.Lines().SetText(std::string(3000001, 'x'));
    TMsgRecorder messages;
    PrintFromCommandLine(*form_);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, kMsgPrintTooLarge);
    EXPECT_FALSE(fs::exists(output_));
}

TEST_F(PrintCommands, ASettingsFileThatRefusesTheSettingsDoesNotStopPrinting)
{
    form_->Editor1.Lines().SetText(JapaneseText(30));
    const std::string ini = AppSettingsStore().Path();
    std::ofstream(ini, std::ios::binary) << "[Print]\r\nLeftMargin=20\r\n";
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
    TMsgRecorder messages;
    std::vector<std::string> shown;
    TScript script([&](TForm& form) {
        auto* f = dynamic_cast<TPrintForm*>(&form);
        if (!f) return;
        shown.push_back(f->LeftMargin.Text());
        f->LeftMargin.SetText("30");
        SendMessageA(f->Button1.Handle(), BM_CLICK, 0, 0);
    });
    for (int run = 0; run < 2; ++run) {
        DeleteFileA(output_.c_str());
        mPrintClick(*form_);
        EXPECT_GE(PostScriptPages(Output()), 1) << run;
    }
    SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(messages.messages.size(), 1u);  // told once
    EXPECT_EQ(shown, (std::vector<std::string>{"20", "30"}));  // kept for the run
    EXPECT_EQ(Component().MarginLeft(), 30);
    EXPECT_NE(ReadAll(ini).find("LeftMargin=20"), std::string::npos);
}

TEST_F(PrintCommands, WithoutAPrinterEveryPathSaysSoOnce)
{
    UpdateToolBarState();
    EXPECT_TRUE(form_->ToolBar1.ButtonEnabled("tbPrint"));
    ASSERT_TRUE(RemoveTestPrinter());
    Printer().Refresh();
    if (!Printer().Printers().empty()) GTEST_SKIP() << "another printer is installed";
    form_->Editor1.Lines().SetText("a\r\n");
    int forms = 0;
    TScript script([&](TForm& form) {
        ++forms;
        form.SetModalResult(mrCancel);
    });
    TMsgRecorder messages;
    for (const char* command : {"mPrint", "mView"}) {
        form_->RunNamed(command);
        ASSERT_EQ(messages.messages.size(), 1u) << command;
        EXPECT_EQ(messages.messages[0].text, kMsgNoPrinter);
        messages.messages.clear();
        EXPECT_TRUE(IsWindowEnabled(form_->Window()));
        EXPECT_FALSE(DocumentBusy());
    }
    PrintFromCommandLine(*form_);
    EXPECT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(forms, 0);
}

} // namespace
