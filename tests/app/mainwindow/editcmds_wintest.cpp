// The Edit menu, the pop-up menu and the tool-bar buttons on a real main
// window: every item's enabled state and effect on untitled, changed,
// read-only, locked and output documents, with and without a selection,
// split and not; then the editors' keys, links, double click and box steps.
// Beeps and messages go through the sinks; the shell's open is recorded.
#include <gtest/gtest.h>

#include "app/window/mainform_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/commands/commands_win.h"
#include "app/commands/searchdialogs_win.h"
#include "app/core/appfuncs.h"
#include "app/core/applysettings.h"
#include "app/document/docopen.h"
#include "app/window/menus.h"
#include "app/window/toolbar.h"
#include "base/showmsg.h"
#include "classlib/clipboard_win.h"
#include "classlib/cursorindex.h"
#include "editor/editorhost.h"
#include "settings/settingsstore.h"
#include "suiteform_win.h"

using namespace vellumo;
using namespace vellumo::testing;
namespace fs = std::filesystem;

namespace {

// The document every scene starts from; the selection is "bc Ｄef\r\n\tG"
// (two lines, a full-width letter, a TAB), the caret otherwise at (0, 1).
// One edit can be undone ("d") and one redone ("!").
const std::string kText = "abc Ｄef\r\n\tGhi ｶﾞ\r\nend";
constexpr long long kSelStart = 1, kSelLength = 11;
const std::string kClip = "XY";

enum class TDoc { Untitled, Changed, ReadOnly, Locked, Output };
const char* DocName(TDoc d)
{
    switch (d) {
    case TDoc::Untitled: return "untitled";
    case TDoc::Changed: return "named and changed";
    case TDoc::ReadOnly: return "read-only";
    case TDoc::Locked: return "locked";
    case TDoc::Output: return "output";
    }
    return "?";
}

struct TScene {
    TDoc Doc;
    bool Selection;
    bool Split;
    bool Writable() const { return Doc != TDoc::ReadOnly && Doc != TDoc::Locked; }
    std::string Name() const
    {
        return std::string(DocName(Doc)) + (Selection ? ", selection" : ", no selection") + (Split ? ", split" : "");
    }
};

// What an item needs of a scene (the clipboard, undo and redo are always
// there; word wrap never is).
enum : unsigned { kSel = 1, kNoSel = 2, kWrite = 4, kWrap = 8, kUnlockedUnchanged = 16 };

struct TItemCase {
    const char* Name;
    unsigned Needs;
    // The text after the item ran, with and without the selection (unset:
    // the item cannot act there).
    std::optional<std::string> WithSelection, WithoutSelection;
    std::optional<std::string> Clipboard;  // checked when set
    // Further checks of the state after it ran.
    std::function<void(TVellumoMainForm&, const TScene&)> Check;
};

std::string Spaces(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

void SelectionIs(TVellumoMainForm& form, const std::string& text)
{
    TEditor& ed = form.ActiveEditor();
    EXPECT_TRUE(ed.Selected());
    EXPECT_EQ(ed.SelStart(), kSelStart);
    EXPECT_EQ(ed.SelText(), text);
}

std::vector<TItemCase> ItemCases(int tab)
{
    const std::string undone = "abc Ｄef\r\n\tGhi ｶﾞ\r\nen", redone = kText + "!";
    const std::string cut = "ahi ｶﾞ\r\nend";
    const std::string pastedOver = "aXYhi ｶﾞ\r\nend", pastedAt = "aXYbc Ｄef\r\n\tGhi ｶﾞ\r\nend";
    const std::string quote = PasteQuoteMark();
    auto converted = [](std::string sel) {
        return [sel](TVellumoMainForm& f, const TScene&) { SelectionIs(f, sel); };
    };
    return {
        {"mUndo", kWrite, undone, undone, {}, {}},
        {"mRedo", kWrite, redone, redone, {}, {}},
        {"mCut", kSel | kWrite, cut, {}, "bc Ｄef\r\n\tG", {}},
        {"mCopy", kSel, kText, {}, "bc Ｄef\r\n\tG", {}},
        {"mWordWrapCopy", kSel | kWrap, {}, {}, {}, {}},
        {"mPaste", kWrite, pastedOver, pastedAt, {}, {}},
        {"mInyouPaste", kWrite, "a" + quote + "XYhi ｶﾞ\r\nend", "a" + quote + "XYbc Ｄef\r\n\tGhi ｶﾞ\r\nend", {}, {}},
        {"mPasteBox", kWrite, pastedOver, pastedAt, {}, {}},
        {"mDelete", kSel | kWrite, cut, {}, {}, {}},
        {"mLineDel", kNoSel | kWrite, {}, "\tGhi ｶﾞ\r\nend", {}, {}},
        // Only the ASCII letters change case; Ｄ and the kana stay; the result stays selected.
        {"mLower", kSel | kWrite, "abc Ｄef\r\n\tghi ｶﾞ\r\nend", {}, {}, converted("bc Ｄef\r\n\tg")},
        {"mUpper", kSel | kWrite, "aBC ＤEF\r\n\tGhi ｶﾞ\r\nend", {}, {}, converted("BC ＤEF\r\n\tG")},
        {"mHankaku", kSel | kWrite, "abc Def\r\n\tGhi ｶﾞ\r\nend", {}, {}, converted("bc Def\r\n\tG")},
        {"mZenkaku", kSel | kWrite, "aｂｃ　Ｄｅｆ\r\n\tＧhi ｶﾞ\r\nend", {}, {}, converted("ｂｃ　Ｄｅｆ\r\n\tＧ")},
        {"mTabIndent", kSel | kWrite, "\tabc Ｄef\r\n\t\tGhi ｶﾞ\r\nend", {}, {}, {}},
        {"mUnTabIndent", kSel | kWrite, "abc Ｄef\r\nGhi ｶﾞ\r\nend", {}, {}, {}},
        {"mIndent", kSel | kWrite, " abc Ｄef\r\n " + Spaces(tab) + "Ghi ｶﾞ\r\nend", {}, {}, {}},
        {"mUnIndent", kSel | kWrite, "abc Ｄef\r\n" + Spaces(tab - 1) + "Ghi ｶﾞ\r\nend", {}, {}, {}},
        {"mWorpRet", kSel | kWrite | kWrap, {}, {}, {}, {}},
        {"mDelRet", kSel | kWrite, "abc Ｄef\tGhi ｶﾞ\r\nend", {}, {}, converted("bc Ｄef\tG")},
        {"mSelectAll", 0, kText, kText,
         {},
         [](TVellumoMainForm& f, const TScene&) {
             EXPECT_EQ(f.ActiveEditor().SelText(), kText);
             EXPECT_EQ(f.ActiveEditor().SelectionMode(), smNormal);
         }},
        {"mBoxMode", kNoSel, {}, kText,
         {},
         [](TVellumoMainForm& f, const TScene&) {
             EXPECT_EQ(f.ActiveEditor().SelectionMode(), smBox);
             if (TEditor* other = f.InactiveEditor()) { EXPECT_EQ(other->SelectionMode(), smBox); }
             EXPECT_EQ(f.StatusBar1.PanelText(4), "矩形");
             mBoxModeClick(f);  // and back
             EXPECT_EQ(f.ActiveEditor().SelectionMode(), smNormal);
             if (TEditor* other = f.InactiveEditor()) { EXPECT_EQ(other->SelectionMode(), smNormal); }
         }},
        {"mFreeCaret", 0, kText, kText,
         {},
         [](TVellumoMainForm& f, const TScene&) {
             EXPECT_TRUE(AppSettingsStore().Settings.Option.FreeCaret);
             EXPECT_TRUE(f.ActiveEditor().Caret().FreeCaret());
             if (TEditor* other = f.InactiveEditor()) { EXPECT_TRUE(other->Caret().FreeCaret()); }
             mFreeCaretClick(f);  // and back
             EXPECT_FALSE(AppSettingsStore().Settings.Option.FreeCaret);
             EXPECT_FALSE(f.ActiveEditor().Caret().FreeCaret());
         }},
        {"mReadOnly", kUnlockedUnchanged, kText, kText,
         {},
         [](TVellumoMainForm& f, const TScene& s) {
             // Toggled on both panes, whichever way it stood.
             EXPECT_EQ(f.ActiveEditor().ReadOnly(), s.Writable());
             if (TEditor* other = f.InactiveEditor()) { EXPECT_EQ(other->ReadOnly(), s.Writable()); }
         }},
        {"mUndo2", kWrite, undone, undone, {}, {}},
        {"mCut2", kSel | kWrite, cut, {}, "bc Ｄef\r\n\tG", {}},
        {"mCopy2", kSel, kText, {}, "bc Ｄef\r\n\tG", {}},
        {"mPaste2", kWrite, pastedOver, pastedAt, {}, {}},
    };
}

bool Expected(const TItemCase& c, const TScene& s)
{
    const bool named = s.Doc == TDoc::Changed || s.Doc == TDoc::ReadOnly || s.Doc == TDoc::Locked;
    if ((c.Needs & kSel) && !s.Selection) return false;
    if ((c.Needs & kNoSel) && s.Selection) return false;
    if ((c.Needs & kWrite) && !s.Writable()) return false;
    if (c.Needs & kWrap) return false;
    if ((c.Needs & kUnlockedUnchanged) && (s.Doc == TDoc::Locked || (named && s.Doc == TDoc::Changed))) return false;
    return true;
}

std::vector<TScene> AllScenes()
{
    std::vector<TScene> out;
    for (bool split : {false, true})
        for (TDoc d : {TDoc::Untitled, TDoc::Changed, TDoc::ReadOnly, TDoc::Locked, TDoc::Output})
            for (bool sel : {false, true}) out.push_back({d, sel, split});
    return out;
}

// The matrix runs with the window's drawing off: a thousand repaints of
// the panes under the display server would take minutes.
class TRedrawOff {
public:
    explicit TRedrawOff(HWND w) : w_(w) { SendMessageA(w_, WM_SETREDRAW, FALSE, 0); }
    ~TRedrawOff()
    {
        SendMessageA(w_, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(w_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    TRedrawOff(const TRedrawOff&) = delete;
    TRedrawOff& operator=(const TRedrawOff&) = delete;

private:
    HWND w_;
};

class EditCommandsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = fs::temp_directory_path() / "vellumo_editcmds_test";
        form_ = MakeSuiteForm(folder_, true);
    }
    static void TearDownTestSuite() { FreeSuiteForm(form_, folder_); }
    void SetUp() override
    {
        sink_ = std::make_unique<TScopedMsgSink>(
            [this](const std::string& text, const std::string&, unsigned) {
                messages_.push_back(text);
                return IDNO;
            },
            [this](unsigned) { ++beeps_; });
        shell_ = SetShellOpenSink([this](const std::string& target) {
            opened_.push_back(target);
            return true;
        });
    }
    void TearDown() override
    {
        SetShellOpenSink(std::move(shell_));
        Reset();
        SetCurrentFile("");
        if (form_->IsSplit()) form_->Unsplit();
        sink_.reset();
    }

    // A writable untitled document, normal mode, no output.
    static void Reset()
    {
        TEditor& ed = form_->ActiveEditor();
        ed.Deselect();
        Document().ReadOnlyLocked = false;
        SetReadOnlyState(false, false);
        SetOutputMode(false);
        ed.SetSelectionMode(smNormal);
        if (form_->InactiveEditor()) form_->InactiveEditor()->SetSelectionMode(smNormal);
        AppSettingsStore().Settings.Option.FreeCaret = false;
        form_->Editor1.SetWordWrap(false);
    }

    static void Prepare(const TScene& s)
    {
        Reset();
        if (s.Split != form_->IsSplit()) {
            if (s.Split)
                form_->Split();
            else
                form_->Unsplit();
        }
        ASSERT_EQ(form_->IsSplit(), s.Split);
        TEditor& ed = form_->ActiveEditor();
        ed.Lines().SetText("abc Ｄef\r\n\tGhi ｶﾞ\r\nen");
        ed.SetCaretRowCol(2, 2);
        ed.InsertStreamText("d");
        ed.InsertStreamText("!");
        ed.Undo();
        ASSERT_EQ(ed.Lines().Text(), kText);
        ASSERT_TRUE(ed.CanUndo() && ed.CanRedo());
        ed.SetModified(true);
        // A new name applies its edit mode: only when it changes.
        const bool named = s.Doc == TDoc::Changed || s.Doc == TDoc::ReadOnly || s.Doc == TDoc::Locked;
        const std::string name = named ? (folder_ / "doc.txt").string() : std::string();
        if (Document().CurrentFileName != name) SetCurrentFile(name);
        switch (s.Doc) {
        case TDoc::Untitled:
        case TDoc::Changed: break;
        case TDoc::ReadOnly:
            ed.SetModified(false);
            SetReadOnlyState(true, false);
            break;
        case TDoc::Locked:
            ed.SetModified(false);
            Document().ReadOnlyLocked = true;
            SetReadOnlyState(true, true);
            break;
        case TDoc::Output:
            ed.SetModified(false);
            ASSERT_TRUE(SetOutputMode(true));
            break;
        }
        ed.SetCaretRowCol(0, 1);
        if (s.Selection) {
            ed.SetSelStart(kSelStart);
            ed.SetSelLength(kSelLength);
            ASSERT_EQ(ed.SelText(), "bc Ｄef\r\n\tG");
        }
        ASSERT_TRUE(Clipboard().SetTextBuf(kClip));
    }

    static std::string Text() { return form_->ActiveEditor().Lines().Text(); }
    static std::string ClipboardText()
    {
        TClipboardOpen open(Clipboard());
        return open.Ok() ? Clipboard().AsText() : std::string("<closed>");
    }

    // Runs one item as the user would (its menus opened first) when it is
    // enabled, else its handler as a posted command or a button would, and
    // checks the effect or the refusal.
    void RunAndCheck(const TItemCase& c, const TScene& s, const std::function<bool()>& openAndClick)
    {
        const bool expected = Expected(c, s);
        const int beepsBefore = beeps_;
        const bool readOnlyBefore = form_->ActiveEditor().ReadOnly();
        if (!openAndClick()) {
            EXPECT_FALSE(expected) << c.Name << " disabled: " << s.Name();
            CommandTable().Find(c.Name)->Run(*form_);
            EXPECT_EQ(Text(), kText) << c.Name << " ran while refused: " << s.Name();
            EXPECT_EQ(form_->ActiveEditor().ReadOnly(), readOnlyBefore) << c.Name << ": " << s.Name();
            EXPECT_GT(beeps_, beepsBefore) << c.Name << " refused silently: " << s.Name();
            return;
        }
        EXPECT_TRUE(expected) << c.Name << " enabled: " << s.Name();
        if (!expected) return;
        const auto& after = s.Selection ? c.WithSelection : c.WithoutSelection;
        ASSERT_TRUE(after.has_value()) << c.Name << ": " << s.Name();
        EXPECT_EQ(Text(), *after) << c.Name << ": " << s.Name();
        if (s.Split) { EXPECT_EQ(form_->InactiveEditor()->Lines().Text(), *after) << c.Name; }
        if (c.Clipboard) { EXPECT_EQ(ClipboardText(), *c.Clipboard) << c.Name << ": " << s.Name(); }
        if (c.Check) c.Check(*form_, s);
        EXPECT_EQ(beeps_, beepsBefore) << c.Name << " beeped: " << s.Name();
    }

    static TVellumoMainForm* form_;
    static fs::path folder_;
    std::unique_ptr<TScopedMsgSink> sink_;
    TShellOpenSink shell_;
    std::vector<std::string> messages_, opened_;
    int beeps_ = 0;
};
TVellumoMainForm* EditCommandsTest::form_ = nullptr;
fs::path EditCommandsTest::folder_;

TEST_F(EditCommandsTest, EveryEditMenuItemThroughItsMenu)
{
    TRedrawOff quiet(form_->Window());
    for (const TScene& s : AllScenes()) {
        Prepare(s);
        for (const TItemCase& c : ItemCases(form_->ActiveEditor().TabSpaceCount())) {
            Prepare(s);
            RunAndCheck(c, s, [&] {
                TMenuItem& item = form_->MainMenuItems.Item(c.Name);
                if (!RefreshAndCheckEnabled(item)) return false;
                item.Click();
                return true;
            });
        }
    }
}

TEST_F(EditCommandsTest, EveryPopupItemRunsItsNamesake)
{
    TRedrawOff quiet(form_->Window());
    const auto table = PopupMenuTable();
    for (const TScene& s : AllScenes()) {
        for (const TItemCase& c : ItemCases(form_->ActiveEditor().TabSpaceCount())) {
            const std::string popupName = "p" + std::string(c.Name).substr(1);
            const TMenuEntry* e = FindMenuEntry(table, popupName);
            if (!e || (e->Flags & mfHidden)) continue;  // pRedo, pReadOnly and the hidden duplicates
            Prepare(s);
            RunAndCheck(c, s, [&] {
                form_->PopupMenu1.DoPopup();
                TMenuItem& item = form_->PopupMenuItems.Item(popupName);
                EXPECT_TRUE(item.Visible()) << popupName;  // no link under the mouse
                if (item.Parent() != &form_->PopupMenu1.Items()) item.Parent()->Click();  // the conversion submenu opens
                if (!item.Enabled()) return false;
                item.Click();
                return true;
            });
        }
    }
    // No link under the mouse: the link items are hidden.
    form_->PopupMenu1.DoPopup();
    for (const char* name : {"pLinkOpen", "pLinkCopy", "pLinkSel"})
        EXPECT_FALSE(form_->PopupMenuItems.Item(name).Visible()) << name;
}

// A press on a button as the bar reports it: the mouse down, then the command.
void PressToolButton(TVellumoMainForm& form, const char* name)
{
    const auto table = ToolButtonTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (table[i].Name != std::string(name)) continue;
        NMHDR down{form.ToolBar1.Handle(), 0, static_cast<UINT>(NM_LDOWN)};
        SendMessageA(form.Window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&down));
        SendMessageA(form.Window(), WM_COMMAND, kFirstToolCommand + static_cast<UINT>(i),
                     reinterpret_cast<LPARAM>(form.ToolBar1.Handle()));
        return;
    }
    ADD_FAILURE() << "no button " << name;
}

TEST_F(EditCommandsTest, ToolButtonsFollowTheStateAndActOnlyAfterAPress)
{
    TRedrawOff quiet(form_->Window());
    const auto table = ToolButtonTable();
    int covered = 0;
    for (const TScene& s : AllScenes()) {
        for (const TItemCase& c : ItemCases(form_->ActiveEditor().TabSpaceCount())) {
            const char* button = nullptr;
            for (const TToolButtonEntry& b : table)
                if (std::string(b.MenuItem) == c.Name) button = b.Name;
            if (!button) continue;
            ++covered;
            Prepare(s);
            RunAndCheck(c, s, [&] {
                form_->UpdateToolBarState();
                if (!form_->ToolBar1.ButtonEnabled(button)) return false;
                UINT id = 0;
                for (std::size_t i = 0; i < table.size(); ++i)
                    if (table[i].Name == std::string(button)) id = kFirstToolCommand + static_cast<UINT>(i);
                // Without a press first (the keyboard), the button does nothing.
                SendMessageA(form_->Window(), WM_COMMAND, id, reinterpret_cast<LPARAM>(form_->ToolBar1.Handle()));
                EXPECT_EQ(Text(), kText) << button;
                PressToolButton(*form_, button);
                return true;
            });
        }
    }
    // Cut, copy, paste, undo and redo in every scene.
    EXPECT_EQ(covered, 5 * static_cast<int>(AllScenes().size()));
    // Buttons whose command has no rule stay enabled: print.
    form_->UpdateToolBarState();
    EXPECT_TRUE(form_->ToolBar1.ButtonEnabled("tbPrint"));
    EXPECT_TRUE(form_->ToolBar1.ButtonEnabled("tbFind"));
}

TEST_F(EditCommandsTest, SearchButtonsFindFirstNextAndBack)
{
    Prepare({TDoc::ReadOnly, false, false});  // searching changes nothing: read-only will do
    TEditor& ed = form_->ActiveEditor();
    ed.Lines().SetText("Ghi x Ghi y Ghi");
    ed.SetCaretRowCol(0, 0);
    const TSearchDialogs saved = SearchDialogs();
    SearchDialogs().Find = [](std::string& text, std::uint16_t& flags, int) {
        text = "Ghi";
        flags = sfDown;
        return true;
    };
    SearchDialogs().LastSearchStateSaved = [] { return true; };
    SearchDialogs().LastSearchText = [] { return std::string("Ghi"); };
    form_->UpdateToolBarState();
    for (const char* b : {"tbFind", "tbFintBack", "tbFindNext"}) EXPECT_TRUE(form_->ToolBar1.ButtonEnabled(b)) << b;
    struct Step {
        const char* button;
        long long start;
    };
    for (const Step& step : {Step{"tbFind", 0}, Step{"tbFindNext", 6}, Step{"tbFindNext", 12}, Step{"tbFintBack", 6}}) {
        PressToolButton(*form_, step.button);
        EXPECT_EQ(ed.SelText(), "Ghi") << step.button;
        EXPECT_EQ(ed.SelStart(), step.start) << step.button;
    }
    SearchDialogs() = saved;
}

TEST_F(EditCommandsTest, WithoutClipboardTextNothingIsPasted)
{
    Prepare({TDoc::Untitled, false, false});
    {
        TClipboardOpen open(Clipboard());
        ASSERT_TRUE(open.Ok());
        EmptyClipboard();
    }
    for (const char* name : {"mPaste", "mInyouPaste", "mPasteBox", "mPaste2"}) {
        TMenuItem& item = form_->MainMenuItems.Item(name);
        EXPECT_FALSE(RefreshAndCheckEnabled(item)) << name;
        const int before = beeps_;
        CommandTable().Find(name)->Run(*form_);
        EXPECT_EQ(beeps_, before + 1) << name;
        EXPECT_EQ(Text(), kText) << name;
    }
    form_->UpdateToolBarState();
    EXPECT_FALSE(form_->ToolBar1.ButtonEnabled("tbPaste"));
}

TEST_F(EditCommandsTest, QuotedPasteOfABoxGoesInAsABox)
{
    Prepare({TDoc::Untitled, false, false});
    TEditor& ed = form_->ActiveEditor();
    ed.Lines().SetText("ab\r\ncd");
    ed.SetCaretRowCol(0, 1);
    ASSERT_TRUE(Clipboard().SetBoxText("p\r\nq\r\n"));
    mInyouPasteClick(*form_);
    const std::string q = PasteQuoteMark();
    // A box ends every row it fills with a line break, the last one too.
    EXPECT_EQ(Text(), "a" + q + "pb\r\nc" + q + "qd\r\n");
    // Plain text replaces the selection.
    ASSERT_TRUE(Clipboard().SetTextBuf("p\r\nq"));
    ed.SetSelStart(0);
    ed.SetSelLength(1);
    mInyouPasteClick(*form_);
    EXPECT_EQ(Text().substr(0, 2 * q.size() + 4), q + "p\r\n" + q + "q");
}

TEST_F(EditCommandsTest, WrapCommandsNeedTheWrapAndAStreamSelection)
{
    Prepare({TDoc::Untitled, false, false});
    TEditor& ed = form_->ActiveEditor();
    ed.WrapOption().SetFollowRetMark(true);
    ed.WrapOption().SetWrapByte(20);
    ed.SetWordWrap(true);
    ed.Lines().SetText("abcdefghij klmnopqrst uvwxyz0123 456789");
    ASSERT_GT(ed.Store().Count(), 1);
    const std::string row0 = ed.GetRowText(0), row1 = ed.GetRowText(1);
    mSelectAllClick(*form_);
    TMenuItem& copy = form_->MainMenuItems.Item("mWordWrapCopy");
    ASSERT_TRUE(RefreshAndCheckEnabled(copy));
    copy.Click();
    EXPECT_EQ(ClipboardText().substr(0, row0.size() + 2), row0 + "\r\n");
    TMenuItem& ret = form_->MainMenuItems.Item("mWorpRet");
    ASSERT_TRUE(RefreshAndCheckEnabled(ret));
    ret.Click();
    EXPECT_EQ(ed.Lines()[0], row0);
    EXPECT_EQ(ed.Lines()[1], row1);
    ed.Undo();
    EXPECT_EQ(ed.Lines().Count(), 1);
    // A box has no wrap copy and no breaks at the wraps.
    ed.SetCaretRowCol(0, 0);
    ed.ExtendBoxSelection(VK_RIGHT);
    ed.ExtendBoxSelection(VK_DOWN);
    ASSERT_TRUE(ed.Selected());
    EXPECT_FALSE(RefreshAndCheckEnabled(copy));
    EXPECT_FALSE(RefreshAndCheckEnabled(ret));
    // Breaks at the wraps only when line ends follow the wrap.
    ed.Deselect();
    ed.WrapOption().SetFollowRetMark(false);
    mSelectAllClick(*form_);
    EXPECT_TRUE(RefreshAndCheckEnabled(copy));
    EXPECT_FALSE(RefreshAndCheckEnabled(ret));
    const int before = beeps_;
    mWorpRetClick(*form_);
    EXPECT_EQ(beeps_, before + 1);
    EXPECT_EQ(ed.Lines().Count(), 1);
    ed.WrapOption().SetFollowRetMark(true);
    ed.SetWordWrap(false);
}

TEST_F(EditCommandsTest, SelectionsOverTheLimitAreRefusedWithTheLimitShown)
{
    Prepare({TDoc::Untitled, false, false});
    TEditor& ed = form_->ActiveEditor();
    // No selection: a beep and no message.
    ClearStatusMessage();
    int before = beeps_;
    mLowerClick(*form_);
    EXPECT_EQ(beeps_, before + 1);
    EXPECT_TRUE(form_->StatusBar1.AutoHint);
    // 10,000,001 bytes: the limit with its group commas.
    const std::string line = std::string(98, 'X') + "\r\n";
    std::string big;
    big.reserve(10'000'001);
    for (int i = 0; i < 99'999; ++i) big += line;
    big += std::string(101, 'X');
    ASSERT_EQ(big.size(), 10'000'001u);
    ed.Lines().SetText(big);
    mSelectAllClick(*form_);
    ASSERT_EQ(ed.SelLength(), 10'000'001);
    before = beeps_;
    mLowerClick(*form_);
    EXPECT_EQ(beeps_, before + 1);
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "10,000,000 バイト制限を超えました。");
    EXPECT_EQ(ed.GetRowText(0), std::string(98, 'X'));
    // The indent limit is lower: 50,001 bytes.
    ed.SetSelStart(0);
    ed.SetSelLength(50'001);
    mTabIndentClick(*form_);
    EXPECT_EQ(form_->StatusBar1.PanelText(0), "50,000 バイト制限を超えました。");
    EXPECT_EQ(ed.GetRowText(0), std::string(98, 'X'));
    ClearStatusMessage();
    ed.Lines().SetText(kText);
}

TEST_F(EditCommandsTest, LineDeleteCommandFromOutsideLeavesALockedTextAlone)
{
    Prepare({TDoc::Locked, false, false});
    // A command posted by another program: no menu was opened before it.
    const UINT id = form_->MainMenuItems.Item("mLineDel").Command();
    form_->MainMenuItems.Item("mLineDel").SetEnabled(true);
    const int before = beeps_;
    SendMessageA(form_->Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(Text(), kText);
    EXPECT_EQ(beeps_, before + 1);
    // Writable again, the same command deletes the caret's row.
    Prepare({TDoc::Untitled, false, false});
    SendMessageA(form_->Window(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(Text(), "\tGhi ｶﾞ\r\nend");
}

// ---- the editors' own events

POINT CellPoint(TEditor& ed, int row, int col)
{
    return POINT{ed.GetTextLeft() + (col - ed.LeftCol()) * ed.CellWidth() + ed.CellWidth() / 2,
                 ed.GetTextTop() + (row - ed.TopRow()) * ed.GetRowHeight() + ed.GetRowHeight() / 2};
}

void MoveMouse(TEditor& ed, POINT p) { SendMessageA(ed.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y)); }

TEST_F(EditCommandsTest, LinksUnderTheMouseTurnThePopupIntoLinkItems)
{
    Prepare({TDoc::Untitled, false, false});
    AppSettingsStore().Settings.Option.LinkWord = true;
    TEditor& ed = form_->ActiveEditor();
    ed.Lines().SetText("see http://example.com/a then\r\nmail to a.b@example.jp now");
    TTableMenu& menu = form_->PopupMenuItems;
    struct Link {
        int row, col;
        const char *open, *copy, *hint, *copied, *opened;
    };
    const Link links[] = {
        {0, 8, "URL を開く(&O)", "URL をコピー(&C)", "この URL をブラウザで開く", "http://example.com/a",
         "http://example.com/a"},
        {1, 10, "アドレス宛へメールを書く(&O)", "アドレスをコピー(&C)", "このアドレス宛へメールを書く", "a.b@example.jp",
         "mailto:a.b@example.jp"},
    };
    for (const Link& l : links) {
        const POINT p = CellPoint(ed, l.row, l.col);
        MoveMouse(ed, p);
        EXPECT_EQ(ed.Cursor(), crHandPoint) << l.copied;
        form_->PopupMenu1.DoPopup();
        EXPECT_TRUE(menu.Item("pLinkOpen").Visible());
        EXPECT_FALSE(menu.Item("pCut").Visible());
        EXPECT_FALSE(menu.Item("pTools").Visible());
        EXPECT_EQ(menu.Item("pLinkOpen").Caption(), l.open);
        EXPECT_EQ(menu.Item("pLinkCopy").Caption(), l.copy);
        EXPECT_EQ(menu.Item("pLinkOpen").Hint(), l.hint);
        menu.Item("pLinkCopy").Click();
        EXPECT_EQ(ClipboardText(), l.copied);
        EXPECT_EQ(ed.SelText(), l.copied);
        ed.Deselect();
        MoveMouse(ed, p);
        menu.Item("pLinkSel").Click();
        EXPECT_EQ(ed.SelText(), l.copied);
        ed.Deselect();
        MoveMouse(ed, p);
        menu.Item("pLinkOpen").Click();
        ASSERT_FALSE(opened_.empty());
        EXPECT_EQ(opened_.back(), l.opened);
        EXPECT_EQ(ed.Row(), l.row);
    }
    // Plain text: the hand goes and the editing items are back.
    MoveMouse(ed, CellPoint(ed, 0, 1));
    EXPECT_NE(ed.Cursor(), crHandPoint);
    form_->PopupMenu1.DoPopup();
    EXPECT_FALSE(menu.Item("pLinkOpen").Visible());
    EXPECT_TRUE(menu.Item("pCut").Visible());
    // With a selection the editing items show even over a link.
    MoveMouse(ed, CellPoint(ed, 0, 8));
    ed.SetSelStart(0);
    ed.SetSelLength(3);
    form_->PopupMenu1.DoPopup();
    EXPECT_FALSE(menu.Item("pLinkOpen").Visible());
    EXPECT_TRUE(menu.Item("pCut").Visible());
    // Inside a box selection the I-beam shows over a link.
    ed.Deselect();
    ed.SetCaretRowCol(0, 5);
    ed.ExtendBoxSelection(VK_RIGHT);
    ed.ExtendBoxSelection(VK_RIGHT);
    ed.ExtendBoxSelection(VK_RIGHT);
    ed.ExtendBoxSelection(VK_RIGHT);
    MoveMouse(ed, CellPoint(ed, 0, 6));
    EXPECT_EQ(ed.Cursor(), crIBeam);
    // Links are not shown at all with the option off.
    ed.Deselect();
    AppSettingsStore().Settings.Option.LinkWord = false;
    MoveMouse(ed, CellPoint(ed, 0, 8));
    EXPECT_NE(ed.Cursor(), crHandPoint);
    AppSettingsStore().Settings.Option.LinkWord = true;
}

void DoubleClick(TEditor& ed, POINT p)
{
    const LPARAM at = MAKELPARAM(p.x, p.y);
    SendMessageA(ed.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(ed.Handle(), WM_LBUTTONUP, 0, at);
    SendMessageA(ed.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageA(ed.Handle(), WM_LBUTTONUP, 0, at);
}

TEST_F(EditCommandsTest, DoubleClickOpensOnlyTheLinkThatIsWhereItFell)
{
    Prepare({TDoc::Untitled, false, false});
    AppSettingsStore().Settings.Option.LinkWord = true;
    TEditor& ed = form_->ActiveEditor();
    ed.Lines().SetText("http://example.com/x word");
    const POINT onLink = CellPoint(ed, 0, 3);
    MoveMouse(ed, onLink);
    DoubleClick(ed, onLink);
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0], "http://example.com/x");
    // The mouse rested on the link, then the text changed under it: the
    // double click falls on a plain word and selects it.
    MoveMouse(ed, onLink);
    ed.Lines().SetText("plainword http://example.com/x");
    DoubleClick(ed, onLink);
    EXPECT_EQ(opened_.size(), 1u);
    EXPECT_EQ(ed.SelText(), "plainword");
}

// Insert and Esc are typed for real end to end (edit_wintest.cpp).
TEST_F(EditCommandsTest, KeysArrowsTabAndReturn)
{
    for (bool split : {false, true}) {
        Prepare({TDoc::Untitled, false, split});
        TEditor& ed = form_->ActiveEditor();
        // Arrows without Shift end a selection at the end they point at.
        for (UINT key : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN}) {
            ed.SetSelStart(kSelStart);
            ed.SetSelLength(kSelLength);
            SendMessageA(ed.Handle(), WM_KEYDOWN, key, 0);
            EXPECT_FALSE(ed.Selected()) << key;
            const bool start = key == VK_LEFT || key == VK_UP;
            EXPECT_EQ(ed.Row(), start ? 0 : 1) << key;
            EXPECT_EQ(ed.SelStart(), start ? kSelStart : kSelStart + kSelLength) << key;
        }

        // TAB: over several lines an indent, inside one line a TAB in place of the selection.
        ed.SetSelStart(kSelStart);
        ed.SetSelLength(kSelLength);
        SendMessageA(ed.Handle(), WM_CHAR, '\t', 0);
        EXPECT_EQ(Text(), "\tabc Ｄef\r\n\t\tGhi ｶﾞ\r\nend");
        ed.SetSelStart(1);
        ed.SetSelLength(3);
        SendMessageA(ed.Handle(), WM_CHAR, '\t', 0);
        EXPECT_EQ(Text(), "\t\t Ｄef\r\n\t\tGhi ｶﾞ\r\nend");

        // Return with auto-indent: the line's leading blanks follow the break.
        AppSettingsStore().Settings.Option.AutoIndent = true;
        ed.Lines().SetText(" \x81\x40x");
        ed.SetCaretRowCol(0, 4);
        SendMessageA(ed.Handle(), WM_CHAR, '\r', 0);
        EXPECT_EQ(Text(), " \x81\x40x\r\n \x81\x40");
        AppSettingsStore().Settings.Option.AutoIndent = false;
        SendMessageA(ed.Handle(), WM_CHAR, '\r', 0);
        EXPECT_EQ(Text(), " \x81\x40x\r\n \x81\x40\r\n");
        ed.Lines().SetText(kText);
    }
}

TEST_F(EditCommandsTest, BoxStepsExtendABoxWithoutKeys)
{
    for (bool split : {false, true}) {
        Prepare({TDoc::Untitled, false, split});
        TEditor& ed = form_->ActiveEditor();
        ed.Lines().SetText("abcdef\r\nghijkl\r\nmnopqr");
        ed.SetCaretRowCol(0, 1);
        BoxRightExecute(*form_);
        BoxRightExecute(*form_);
        BoxDownExecute(*form_);
        EXPECT_EQ(ed.SelectionMode(), smBox);
        if (split) { EXPECT_EQ(form_->InactiveEditor()->SelectionMode(), smBox); }
        EXPECT_EQ(ed.SelText(), "bc\r\nhi\r\n");
        BoxLeftExecute(*form_);
        BoxUpExecute(*form_);
        BoxDownExecute(*form_);
        BoxDownExecute(*form_);
        EXPECT_EQ(ed.SelText(), "b\r\nh\r\nn\r\n");
    }
}

} // namespace
