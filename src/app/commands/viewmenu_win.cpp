// The View menu's commands. A toggle flips its setting (never a menu tick:
// a shortcut may run before the menu ever opened), applies it to both
// editors and writes that one key, which tells the other instances.
#include "app/commands/commands_win.h"

#include "app/commands/viewcmds.h"
#include "app/core/appfuncs.h"
#include "app/core/applysettings.h"
#include "app/core/reloadini.h"
#include "app/window/editmodes.h"
#include "app/window/keywords.h"
#include "app/window/mainform_win.h"
#include "app/window/mainformstatus.h"
#include "base/showmsg.h"
#include "classlib/font.h"
#include "classlib/screen_win.h"
#include "dialogs/font/fontdialog_win.h"
#include "dialogs/options/optionform_win.h"
#include "editor/parsersettings.h"
#include "settings/settingsstore.h"

namespace vellumo {

namespace {

TAppIni& Option() { return AppSettingsStore().Settings.Option; }

TMenuItem& Item(TVellumoMainForm& form, const char* name) { return form.MainMenuItems.Item(name); }

// A failed write is told once (a read-only file was told at its first refusal).
void Written(TSaveResult result)
{
    if (result == TSaveResult::Failed && !AppSettingsStore().ErrorReported()) ReportSettingsWrite(result);
}

void WriteSwitch(const char* key, bool value) { Written(AppSettingsStore().SaveOptionBool("Option", key, value)); }

// The view of both editors kept and the hourglass shown while the text is
// re-wrapped or re-tokenized; both come back however the work ends.
class TViewWork {
public:
    explicit TViewWork(TVellumoMainForm& form) : form_(form), cursor_(crHourGlass) { form_.SaveViewState(false); }
    ~TViewWork()
    {
        try {
            form_.RestoreViewState(false);
        } catch (...) {
        }
    }
    TViewWork(const TViewWork&) = delete;
    TViewWork& operator=(const TViewWork&) = delete;

private:
    TVellumoMainForm& form_;
    TScreenCursorScope cursor_;
};

// The holder takes the active editor's settings, is changed, and goes to both.
template <class F>
void ChangeEditorProp(TVellumoMainForm& form, F change)
{
    TViewWork work(form);
    TEditorProp& prop = form.EditorProp1();
    prop.Assign(form.ActiveEditor());
    change(prop);
    ApplyEditorProp();
    // Colours drawn by the window itself (quoted lines) change without the holder.
    form.Editor1.Invalidate();
    if (TEditor* other = form.SecondEditor()) other->Invalidate();
}

void SetWrap(TVellumoMainForm& form, bool on, int width)
{
    for (TEditor* e : {&form.Editor1, form.SecondEditor()}) {
        if (!e) continue;
        if (on) e->WrapOption().SetWrapByte(width);
        e->SetWordWrap(on);
    }
    UpdateGuideLines();
    UpdateModeStatus();
}

TViewMenuState MenuState(TVellumoMainForm& form)
{
    return ViewMenuState(Option(), CurrentEditMode(), ShowsTextSize(form.StatusBar1.PanelText(1)));
}

bool InyouRowEnabled(TVellumoMainForm& form) { return MenuState(form).InyouEnabled; }
bool LinkWordEnabled(TVellumoMainForm& form) { return MenuState(form).LinkEnabled; }
bool UrlExEnabled(TVellumoMainForm& form) { return MenuState(form).UrlExEnabled; }

} // namespace

void Show1Click(TVellumoMainForm& form)
{
    const TViewMenuState s = MenuState(form);
    Item(form, "mToolBar").SetChecked(s.ToolBar);
    Item(form, "mStatusBar").SetChecked(s.StatusBar);
    Item(form, "mInyouRow").SetChecked(s.InyouRow);
    Item(form, "mLinkWord").SetChecked(s.LinkWord);
    Item(form, "mUrlEx").SetChecked(s.UrlEx);
    TMenuItem& wrap = Item(form, "mOnWordWrap");
    wrap.SetChecked(s.WordWrap);
    wrap.SetCaption(s.WrapCaption);
    wrap.SetHint(s.WrapHint);
    Item(form, "mColLine").SetChecked(s.ColLine);
    Item(form, "mByte").SetChecked(s.Byte);
    Item(form, "mByte").SetVisible(s.ByteVisible);
    Item(form, "N_Byte").SetVisible(s.ByteVisible);
    ApplyEnablingRules(form, "Show1");
}

// ---- edit mode

void mModeClick(TVellumoMainForm& form)
{
    TMenuItem& modes = Item(form, "mMode");
    const int mode = static_cast<int>(CurrentEditMode());
    for (int i = 0; i < modes.Count(); ++i) modes.Items(i).SetChecked(modes.Items(i).Tag() == mode);
}

void mMode_defClick(TVellumoMainForm& form, int mode)
{
    if (!IsValidEditMode(mode) || mode == static_cast<int>(CurrentEditMode())) return;
    TViewWork work(form);
    SetCurrentEditMode(static_cast<TEditMode>(mode));
    ApplySyntaxMode(true);
    UpdateModeStatus();
}

// ---- bars

void mToolBarClick(TVellumoMainForm& form)
{
    const bool on = !Option().ToolBar;
    Option().ToolBar = on;
    form.ToolBar1.SetVisible(on);
    form.LayoutControls();
    WriteSwitch("ToolBar", on);
}

void mStatusBarClick(TVellumoMainForm& form)
{
    const bool on = !Option().StatusBar;
    Option().StatusBar = on;
    form.StatusBar1.SetVisible(on);
    form.LayoutControls();
    WriteSwitch("StatusBar", on);
}

// ---- colouring

void mInyouRowClick(TVellumoMainForm& form)
{
    if (!InyouRowEnabled(form)) return;
    Option().InyouRow = !Option().InyouRow;
    ChangeEditorProp(form, [](TEditorProp&) {});
    WriteSwitch("InyouRow", Option().InyouRow);
}

void mLinkWordClick(TVellumoMainForm& form)
{
    if (!LinkWordEnabled(form)) return;
    const bool on = !Option().LinkWord;
    Option().LinkWord = on;
    const TAppColors& c = AppSettingsStore().Settings.Color;
    ChangeEditorProp(form, [&](TEditorProp& prop) {
        prop.View().SetUrl(on);
        prop.View().SetMail(on);
        prop.View().Colors().Url().SetColor(on ? c.Link : c.Font);
        prop.View().Colors().Mail().SetColor(on ? c.Link : c.Font);
    });
    WriteSwitch("LinkWord", on);
}

void mUrlExClick(TVellumoMainForm& form)
{
    if (!UrlExEnabled(form)) return;
    const bool on = !Option().UrlEx;
    Option().UrlEx = on;
    GlobalParserSettings().UrlEx = on;  // the tokenizer's rule for the end of a URL
    ChangeEditorProp(form, [](TEditorProp&) {});
    WriteSwitch("UrlEx", on);
}

// ---- word wrap

void mOnWordWrapClick(TVellumoMainForm& form)
{
    TViewWork work(form);
    TAppIni& o = Option();
    o.WordWrap = !o.WordWrap;
    SetWrap(form, o.WordWrap, o.WrapCount);
    Written(AppSettingsStore().SaveWrapSetting());
}

void WrapWidthItemClick(TVellumoMainForm& form, int width)
{
    TEditor& ed = form.ActiveEditor();
    if (width <= 0 || (ed.WordWrap() && ed.WrapOption().WrapByte() == width)) return;
    TViewWork work(form);
    TAppIni& o = Option();
    o.WrapCount = width;
    o.WordWrap = true;
    Item(form, "mOnWordWrap").SetChecked(true);
    SetWrap(form, true, width);
    Written(AppSettingsStore().SaveWrapSetting());
}

void mNowWidthClick(TVellumoMainForm& form) { WrapWidthItemClick(form, WindowWrapWidth(form.ActiveEditor().ColCount())); }

void mWordWrapListClick(TVellumoMainForm& form)
{
    Item(form, "mNowWidth").SetCaption(NowWidthCaption(WindowWrapWidth(form.ActiveEditor().ColCount())));
}

// F4: the text's size (or the selection's) in panel 1; again, the caret's place.
void mByteClick(TVellumoMainForm& form)
{
    if (ShowsTextSize(form.StatusBar1.PanelText(1))) {
        form.UpdateCaretPanel();
        return;
    }
    TEditor& ed = form.ActiveEditor();
    const bool selection = ed.Selected();
    form.StatusBar1.SetPanelText(1, TextSizeText(selection ? ed.SelLength() : ed.GetTextLength(), selection));
}

// ---- tab width and the column guide

void mTabCountClick(TVellumoMainForm& form)
{
    TMenuItem& counts = Item(form, "mTabCount");
    const int ticked = TabCountItem(form.ActiveEditor().Caret().TabSpaceCount());
    for (int i = 0; i < counts.Count(); ++i) counts.Items(i).SetChecked(i == ticked);
}

void mTabCount_2Click(TVellumoMainForm& form, int count)
{
    if (TabCountItem(count) < 0 || count == form.ActiveEditor().Caret().TabSpaceCount()) return;
    ChangeEditorProp(form, [count](TEditorProp& prop) { prop.Caret().SetTabSpaceCount(count); });
    Option().TabSpaceCount = count;
    Written(AppSettingsStore().SaveOptionInt("Option", "TabSpaceCount", count));
}

void mColLineClick(TVellumoMainForm&)
{
    Option().ColLine = !Option().ColLine;
    UpdateGuideLines();
    WriteSwitch("ColLine", Option().ColLine);
}

// ---- font and repaint

void mFontClick(TVellumoMainForm& form)
{
    TFontInfoA info{Option().FontName, Option().FontSize};
    if (!ExecuteFontDialog(info, 16, 16, form.Window(), true, false)) return;
    if (info.Name == Option().FontName && info.Size == Option().FontSize) return;
    Option().FontName = info.Name;
    Option().FontSize = info.Size;
    ChangeEditorProp(form, [&info](TEditorProp& prop) {
        prop.Font().SetName(info.Name);
        if (info.Size == kHalfPointFontSize)
            prop.Font().SetHeight(HalfPointFontHeight(FontPixelsPerInch()));
        else
            prop.Font().SetSize(info.Size);
    });
    Written(AppSettingsStore().SaveFontSetting());
}

void mRePaintClick(TVellumoMainForm& form) { form.ActiveEditor().Repaint(); }

const char kSettingsDialogFailedText[] =
    "何らかの問題が発生しました。\r\n\r\n"
    "・初期化ファイル(INI)の作成に失敗。\r\n"
    "・リソース不足でウィンドウのオープンに失敗。\r\n\r\n"
    "などが考えられます。\r\n"
    "初期化ファイルの保存先フォルダやリソース等を確認してください。";
// OK saves (which tells the other instances) and applies; the apply button
// applies to this window only.
void mOptionClick(TVellumoMainForm& form)
    try {
        TOptionHost host;
        host.EditMode = CurrentEditMode();
        host.WindowWrapWidth = [&form] { return WindowWrapWidth(form.ActiveEditor().ColCount()); };
        host.SettingsTaken = [&form] {
            form.RebuildSettingsMenus();
            form.UpdateCaptionAndPosition();
            TEditor& editor = form.ActiveEditor();
            editor.SetRow(editor.Row());
        };
        host.ApplyNow = [] { ApplySettingsOnly(); };
        host.PathLengthOk = [](const std::string& path) { return CheckPathLength(path); };
        host.WriteKeywordFile = [](TEditMode mode, const std::string& path) {
            return WriteDefaultKeywordFile(mode, path);
        };
        host.StartNewInstance = [&form](const std::string& params) {
            if (form.Documents.StartNewInstance) form.Documents.StartNewInstance(params);
        };
        const TModalResult result = ShowOptionDialog(AppSettingsStore().Settings, form.OptionPage, host);
        TScreenCursorScope hourglass(crHourGlass);
        if (result == mrOk)
            SaveAndApplySettings();
        else if (result == mrYes)
            ApplySettingsOnly();
    } catch (...) {
        ShowMsg(kSettingsDialogFailedText, kMsgCaption, kMsgIconExclamation);
    }
namespace {

template <int Mode>
void ModeItem(TVellumoMainForm& form)
{
    mMode_defClick(form, Mode);
}

template <int Count>
void TabCountItemClick(TVellumoMainForm& form)
{
    mTabCount_2Click(form, Count);
}

constexpr TCommand kRows[] = {
    {"Show1", Show1Click},
    {"mMode", mModeClick},
    {"mMode_def", ModeItem<emStandard>},
    {"mMode_Html", ModeItem<emHtml>},
    {"mMode_Perl", ModeItem<emPerl>},
    {"mMode_Php", ModeItem<emPhp>},
    {"mMode_Css", ModeItem<emCss>},
    {"mMode_Ruby", ModeItem<emRuby>},
    {"mMode_Ini", ModeItem<emIni>},
    {"mMode_Bat", ModeItem<emBat>},
    {"mMode_Cpp", ModeItem<emCpp>},
    {"mMode_Java", ModeItem<emJava>},
    {"mMode_JS", ModeItem<emJavaScript>},
    {"mMode_VB", ModeItem<emVb>},
    {"mMode_Hsp", ModeItem<emHsp>},
    {"mMode_Delphi", ModeItem<emDelphi>},
    {"mToolBar", mToolBarClick},
    {"mStatusBar", mStatusBarClick},
    {"mInyouRow", mInyouRowClick, InyouRowEnabled},
    {"mLinkWord", mLinkWordClick, LinkWordEnabled},
    {"mUrlEx", mUrlExClick, UrlExEnabled},
    {"mOnWordWrap", mOnWordWrapClick},
    {"mWordWrapList", mWordWrapListClick},
    {"mNowWidth", mNowWidthClick},
    {"mByte", mByteClick},
    {"mTabCount", mTabCountClick},
    {"mTabCount_1", TabCountItemClick<1>},
    {"mTabCount_2", TabCountItemClick<2>},
    {"mTabCount_3", TabCountItemClick<3>},
    {"mTabCount_4", TabCountItemClick<4>},
    {"mTabCount_5", TabCountItemClick<5>},
    {"mTabCount_6", TabCountItemClick<6>},
    {"mTabCount_7", TabCountItemClick<7>},
    {"mTabCount_8", TabCountItemClick<8>},
    {"mColLine", mColLineClick},
    {"mFont", mFontClick},
    {"mRePaint", mRePaintClick},
    {"mOption", mOptionClick},
};

} // namespace

std::span<const TCommand> ViewMenuCommands() noexcept { return kRows; }

} // namespace vellumo
