// The Search menu's commands on a real main window: replace with its
// question, replace-all with its progress window, the busy state, jumps,
// the matching bracket and find-next's memory. Questions and beeps go
// through the message sinks; the dialogs through their seam.
#include <gtest/gtest.h>

#include "app/window/mainform_win.h"

#include <filesystem>
#include <string>

#include "app/commands/commands_win.h"
#include "app/startup/cmdline_win.h"
#include "app/commands/searchcmds.h"
#include "app/commands/searchdialogs_win.h"
#include "app/commands/searchstate.h"
#include "settings/settingsstore.h"
#include "classlib/msgdialog.h"
#include "base/showmsg.h"
#include "dialogs/replace/replaceform_win.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

class SearchCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_searchcmds_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        saved_ = SearchDialogs();
        sink_ = std::make_unique<TScopedMsgSink>(
            [this](const std::string& text, const std::string&, unsigned flags) {
                messages_.push_back(text);
                if ((flags & 0x0F) != kMsgYesNoCancelAll) return kAnswerOk;
                // The replace question: where it would stand, and the next answer.
                EXPECT_EQ(text, "置き換えますか？");
                EXPECT_TRUE(DocumentBusy());
                EXPECT_TRUE(form_->ReplaceBusy());
                const TDialogPoint at = PendingConfirmPlacer()(200, 100);
                POINT caret = form_->ActiveEditor().GetCaretPixelPos();
                ClientToScreen(form_->ActiveEditor().Handle(), &caret);
                lefts_.push_back(at.X - caret.x);
                return next_ < answers_.size() ? answers_[next_++] : IDCANCEL;
            },
            [this](unsigned) { ++beeps_; });
        form_->Editor1.SetReadOnly(false);
        form_->SearchEscapes = false;
        AppSettingsStore().Settings.Option.NoRepLoopDrawing = false;
    }
    void TearDown() override
    {
        SearchDialogs() = saved_;
        sink_.reset();
    }
    static void SetText(const std::string& text, int row = 0, int col = 0)
    {
        form_->Editor1.Deselect();
        form_->Editor1.Lines().SetText(text);
        form_->Editor1.SetCaretRowCol(row, col);
    }
    static std::string Text() { return form_->Editor1.Lines().Text(); }
    static std::string Status() { return form_->StatusBar1.PanelText(0); }
    // Answers the replace question from a list, and notes where it was put.
    void Answer(std::vector<int> answers)
    {
        lefts_.clear();
        answers_ = std::move(answers);
        next_ = 0;
    }
    void Replace(const std::string& find, const std::string& with, std::uint16_t flags)
    {
        form_->SearchString = find;
        form_->ReplaceWith = with;
        form_->SearchFlags = flags;
        form_->RunReplace();
    }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    TSearchDialogs saved_;
    std::unique_ptr<TScopedMsgSink> sink_;
    std::vector<std::string> messages_;
    std::vector<int> lefts_;
    std::vector<int> answers_;
    std::size_t next_ = 0;
    int beeps_ = 0;
};
TVellumoMainForm* SearchCommandsTest::form_ = nullptr;
fs::path SearchCommandsTest::folder_;

TEST_F(SearchCommandsTest, ConfirmedReplaceCountsWhatWasReplaced)
{
    // Yes once, without All: exactly one replacement.
    SetText("a a a a a\r\n");
    Answer({IDYES});
    Replace("a", "b", sfDown | sfConfirm | sfFindNext);
    EXPECT_EQ(Text(), "b a a a a\r\n");
    EXPECT_EQ(Status(), "1 件の置換を行いました。");
    EXPECT_EQ(beeps_, 1);
    EXPECT_FALSE(form_->ReplaceBusy());
    EXPECT_FALSE(DocumentBusy());

    // No, Yes, then All: the rest without questions.
    SetText("a a a a a\r\n");
    Answer({IDNO, IDYES, kAnswerAll});
    Replace("a", "b", sfDown | sfConfirm | sfReplaceAll);
    EXPECT_EQ(Text(), "a b b b b\r\n");
    EXPECT_EQ(form_->ReplaceCount, 4);
    ASSERT_EQ(lefts_.size(), 3u);
    // The question stands 2 px right of the caret.
    EXPECT_EQ(lefts_, std::vector<int>({2, 2, 2}));
    EXPECT_EQ(Status(), "4 件の置換を行いました。");

    // Cancel stops; what was replaced stays counted.
    SetText("a a a\r\n");
    Answer({IDYES, IDCANCEL});
    Replace("a", "b", sfDown | sfConfirm | sfReplaceAll);
    EXPECT_EQ(Text(), "b a a\r\n");
    EXPECT_EQ(Status(), "1 件の置換を行いました。");
}

TEST_F(SearchCommandsTest, ReplaceDialogAllFromTheTop)
{
    // The real dialog: "すべて置換(&A)" without questions from the top of the text.
    SetText("b a b a\r\na", 1, 1);
    auto old = TForm::SetModalScript([](TForm& f) {
        auto* r = dynamic_cast<TFormReplace*>(&f);
        ASSERT_NE(r, nullptr);
        r->ComboBox1.SetText("a");
        r->ComboBox2.SetText("cc");
        r->chkReplaceConfirm.SetChecked(false);
        r->btAll2.Click();
    });
    mReplaceClick(*form_);
    TForm::SetModalScript(std::move(old));
    EXPECT_EQ(Text(), "b cc b cc\r\ncc");
    EXPECT_EQ(Status(), "3 件の置換を行いました。");
    EXPECT_TRUE(lefts_.empty());
}

TEST_F(SearchCommandsTest, ReplaceAllEndsAndReports)
{
    SetText("xyz\r\n");
    Replace("a", "b", sfDown | sfReplaceAll);
    EXPECT_EQ(Status(), "0 件の置換を行いました。");
    EXPECT_EQ(beeps_, 1);
    EXPECT_EQ(Text(), "xyz\r\n");

    // Upward, "a" by "aa": the caret goes before each new text, so it ends.
    SetText("a\x82\xA0" "a\r\na", 1, 1);
    Replace("a", "aa", sfReplaceAll);
    EXPECT_EQ(Text(), "aa\x82\xA0" "aa\r\naa");
    EXPECT_EQ(form_->ReplaceCount, 3);
    EXPECT_TRUE(IsWindowEnabled(form_->Window()));

    // Escapes resolve in both texts: a TAB becomes a line break.
    form_->SearchEscapes = true;
    SetText("p\tq\tr");
    Replace("\\t", "\\n", sfDown | sfReplaceAll);
    EXPECT_EQ(Text(), "p\r\nq\r\nr");
    EXPECT_EQ(form_->ReplaceCount, 2);
}

// Presses the progress window's abort button once it shows.
VOID CALLBACK ClickAbort(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND w = FindWindowA(nullptr, "連続置換処理中...");
    if (!w) return;
    KillTimer(nullptr, id);
    for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        char cls[32] = {};
        GetClassNameA(c, cls, sizeof cls);
        if (std::string(cls) == "Button") SendMessageA(c, BM_CLICK, 0, 0);
    }
}

TEST_F(SearchCommandsTest, AbortKeepsTheCountSoFar)
{
    std::string text;
    for (int i = 0; i < 200000; ++i) text += "abc\r\n";
    SetText(text);
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, ClickAbort);
    Replace("b", "B", sfDown | sfReplaceAll);
    KillTimer(nullptr, timer);
    const int n = form_->ReplaceCount;
    EXPECT_GT(n, 0);
    EXPECT_LT(n, 200000);
    EXPECT_EQ(Status(), ReplacedText(n));
    const std::string after = Text();
    EXPECT_EQ(std::count(after.begin(), after.end(), 'B'), n);
    EXPECT_TRUE(IsWindowEnabled(form_->Window()));
    EXPECT_EQ(FindWindowA(nullptr, "連続置換処理中..."), nullptr);
}

// A 9,000-byte row with "abc" at byte `at` (the editor shows 8,000
// columns of a row), and "abc" on the next line.
std::string LongRowText(int at, char fill = 'x')
{
    std::string row(9000, fill);
    row.replace(static_cast<std::size_t>(at), 3, "abc");
    return row + "\r\nabc\r\n";
}

TEST_F(SearchCommandsTest, LongRowStopsReplaceAndFindOnce)
{
    form_->Editor1.SetWordWrap(false);
    // Past the limit, straddling it, and a TAB row whose 8,000th column is byte 1,000.
    for (const std::string& text : {LongRowText(8100), LongRowText(7998), LongRowText(1500, '\t')}) {
        // Replace-all with and without questions, and one replace: none asks,
        // none replaces, each stops once. A loop that never ends is aborted after 5 s.
        for (const TSearchFlags flags : {sfDown | sfReplaceAll, sfDown | sfConfirm | sfReplaceAll, sfDown}) {
            SCOPED_TRACE(::testing::Message() << "at " << text.find("abc") << " flags " << flags);
            SetText(text);
            messages_.clear();
            Answer({kAnswerAll});
            const UINT_PTR timer = SetTimer(nullptr, 0, 5000, ClickAbort);
            Replace("abc", "XX", flags);
            KillTimer(nullptr, timer);
            EXPECT_TRUE(Text() == text) << "the text grew to " << Text().size() << " bytes";
            EXPECT_EQ(form_->ReplaceCount, 0);
            EXPECT_EQ(messages_, std::vector<std::string>({kLongLineStopText}));
            EXPECT_EQ(Status(), "0 件の置換を行いました。");
            EXPECT_TRUE(IsWindowEnabled(form_->Window()));
            EXPECT_FALSE(form_->ReplaceBusy());
            EXPECT_FALSE(form_->Editor1.Selected());
        }
    }

    // Find next: the message, then not found; nothing is left selected.
    SetText(LongRowText(7999));
    messages_.clear();
    beeps_ = 0;
    form_->SearchString = "abc";
    form_->SearchFlags = sfDown;
    SearchDialogs().LastSearchText = [] { return std::string("abc"); };
    SearchDialogs().LastSearchStateSaved = [] { return true; };
    mFindDownClick(*form_);
    EXPECT_EQ(messages_, std::vector<std::string>({kLongLineStopText}));
    EXPECT_EQ(beeps_, 1);
    EXPECT_EQ(Status(), "\"abc\" は見つかりませんでした。");
    EXPECT_FALSE(form_->Editor1.Selected());
    EXPECT_EQ(form_->Editor1.Row(), 0);

    // A match ending before the limit is still replaced, and the loop
    // stops at the next one past it.
    std::string text = LongRowText(8100);
    text.replace(10, 3, "abc");
    SetText(text);
    messages_.clear();
    Replace("abc", "XX", sfDown | sfReplaceAll);
    EXPECT_EQ(form_->ReplaceCount, 1);
    EXPECT_EQ(messages_.size(), 1u);
    text.replace(10, 3, "XX");
    EXPECT_TRUE(Text() == text);

    // With word wrap on no row is that long: every match is replaced.
    form_->Editor1.SetWordWrap(true);
    text = LongRowText(8100);
    SetText(text);
    messages_.clear();
    Replace("abc", "XX", sfDown | sfReplaceAll);
    form_->Editor1.SetWordWrap(false);
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(form_->ReplaceCount, 2);
    text.replace(9002, 3, "XX");
    text.replace(8100, 3, "XX");
    EXPECT_TRUE(Text() == text);
    SearchMemory().Forget();
}

TEST_F(SearchCommandsTest, ReadOnlyRefusedAtTheStart)
{
    SetText("aaa");
    form_->Editor1.SetReadOnly(true);
    form_->StatusBar1.SetPanelText(0, "");
    Replace("a", "b", sfDown | sfReplaceAll);
    EXPECT_EQ(Text(), "aaa");
    EXPECT_EQ(beeps_, 1);
    EXPECT_EQ(form_->ReplaceCount, 0);
    EXPECT_EQ(Status().find("件の置換"), std::string::npos);
    // The menu offers no replace either.
    Find1Click(*form_);
    EXPECT_FALSE(form_->MainMenuItems.Item("mReplace").Enabled());
    form_->Editor1.SetReadOnly(false);
    Find1Click(*form_);
    EXPECT_TRUE(form_->MainMenuItems.Item("mReplace").Enabled());
}

TEST_F(SearchCommandsTest, NothingElseRunsWhileAReplaceAsks)
{
    SetText("a a\r\n");
    int replaceDialogs = 0;
    SearchDialogs().Replace = [&](std::string&, std::string&, std::uint16_t&) {
        ++replaceDialogs;
        return false;
    };
    bool windowLived = false;
    SearchDialogs().ConfirmAll = [&](const std::string&, const std::function<void(int&, int&, int, int)>&) {
        form_->RunNamed("mReplace");                       // a second command
        SendMessageA(form_->Window(), WM_CLOSE, 0, 0);       // a close
        windowLived = IsWindow(form_->Window()) != FALSE;
        return IDYES;
    };
    Replace("a", "b", sfDown | sfConfirm | sfReplaceAll);
    EXPECT_EQ(replaceDialogs, 0);
    EXPECT_TRUE(windowLived);
    EXPECT_EQ(Text(), "b b\r\n");
    // Afterwards commands run again.
    form_->RunNamed("mReplace");
    EXPECT_EQ(replaceDialogs, 1);
}

TEST_F(SearchCommandsTest, JumpChecksTheLineCount)
{
    std::string text;
    for (int i = 0; i < 10; ++i) text += "line\r\n";
    SetText(text);
    auto jump = [&](int n, bool logical) {
        SearchDialogs().Jump = [n, logical](int& line, bool& lg, std::vector<std::string>&, std::string& typed) {
            line = n;
            lg = logical;
            typed = std::to_string(n);
            return true;
        };
        mRowJmpClick(*form_);
    };
    jump(0, false);
    EXPECT_EQ(Status(), "正しい行番号を指定して下さい。");
    jump(11, false);  // one past the last line, after a final line break
    EXPECT_EQ(form_->Editor1.Row(), 10);
    EXPECT_EQ(JumpHistory().front(), "11");
    jump(12, true);
    EXPECT_EQ(Status(), "12 行は見つかりませんでした。");
    jump(3, true);
    EXPECT_EQ(form_->Editor1.Row(), 2);
    EXPECT_EQ(form_->Editor1.Col(), 0);
    EXPECT_EQ(beeps_, 2);
}

TEST_F(SearchCommandsTest, BracketJumpAndExtend)
{
    SetText("a(b(x)d)e", 0, 1);
    form_->BracketJump(false);
    EXPECT_EQ(form_->Editor1.SelStart(), 7);
    EXPECT_EQ(form_->Editor1.SelText(), ")");
    form_->Editor1.Deselect();
    form_->Editor1.SetCaretRowCol(0, 7);
    form_->BracketJump(true);
    EXPECT_EQ(form_->Editor1.SelText(), "(b(x)d)");
    form_->Editor1.Deselect();
    form_->Editor1.SetCaretRowCol(0, 0);
    form_->BracketJump(false);
    EXPECT_EQ(Status(), "対象は括弧ではありません。");
    SetText("(ab", 0, 0);
    form_->BracketJump(false);
    EXPECT_EQ(Status(), "対応する括弧 \")\" は見つかりませんでした。");
}

TEST_F(SearchCommandsTest, FindNextUsesOwnSearchWhenItsWriteFailed)
{
    SetText("older mine older mine\r\n");
    bool saved = false;
    SearchDialogs().LastSearchText = [] { return std::string("older"); };
    SearchDialogs().LastSearchStateSaved = [&] { return saved; };
    SearchDialogs().Find = [](std::string& text, std::uint16_t& flags, int) {
        text = "mine";
        flags = sfDown;
        return true;
    };
    mFindClick(*form_);
    EXPECT_EQ(form_->Editor1.SelStart(), 6);
    mFindDownClick(*form_);  // the history still says "older": this instance's own search wins
    EXPECT_EQ(form_->Editor1.SelStart(), 17);
    EXPECT_EQ(form_->Editor1.SelText(), "mine");
    saved = true;
    form_->Editor1.Deselect();
    form_->Editor1.SetCaretRowCol(0, 0);
    mFindClick(*form_);
    mFindDownClick(*form_);  // written: the file's text is what F3 continues
    EXPECT_EQ(form_->Editor1.SelText(), "older");
    EXPECT_EQ(form_->Editor1.SelStart(), 11);
    mFindDownClick(*form_);
    EXPECT_EQ(Status(), "\"older\" は見つかりませんでした。");
    SearchMemory().Forget();
}

// Run by hand: mainform_tests --gtest_also_run_disabled_tests --gtest_filter=*100MB*
TEST_F(SearchCommandsTest, DISABLED_ReplaceAll100MB)
{
    AppSettingsStore().Settings.Option.LineNum = true;
    std::string text;
    text.reserve((100u << 20) + 200);
    int lines = 0;
    while (text.size() < (100u << 20)) {
        std::string line = "\x93\xFA\x96\x7B\x8C\xEA " + std::to_string(lines++) + " \x82\xA0 ASCII";
        line.resize(98, '.');
        text += line + "\r\n";
    }
    SetText(text);
    std::string().swap(text);
    const DWORD t0 = GetTickCount();
    Replace("\x82\xA0", "\x83\x41x", sfDown | sfReplaceAll);
    const double s = (GetTickCount() - t0) / 1000.0;
    std::printf("replace-all of %d matches in 100 MB: %.2f s\n", form_->ReplaceCount, s);
    EXPECT_EQ(form_->ReplaceCount, lines);
}

} // namespace
