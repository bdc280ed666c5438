// The File menu's commands: what they ask, which document function runs,
// and which items the document's state enables.
#include "app/commands/commands_win.h"
#include "app/commands/printcmds_win.h"
#include "app/core/readonlyrule.h"
#include "app/window/mainform_win.h"
#include "dialogs/code/jcodedlg.h"
#include "settings/settingsstore.h"
#include "base/showmsg.h"

namespace vellumo {

TFileMenuInput TVellumoMainForm::FileMenuState()
{
    TEditor& e = ActiveEditor();
    TFileMenuInput in;
    in.Named = !Document().CurrentFileName.empty();
    in.Modified = e.Modified();
    in.ReadOnly = e.ReadOnly();
    in.WordWrap = e.WordWrap();
    try {
        in.ModifiedOnFileSave = AppSettingsStore().Settings.Option.ModifiedOnFileSave;
    } catch (const std::logic_error&) {
        in.ModifiedOnFileSave = false;  // no settings yet: the defaults
    }
    return in;
}

std::string TVellumoMainForm::DialogFolder() const
{
    // A loaded file's folder wins over "/d=" and the default folder, which
    // serve only until a file is open.
    const std::string& name = Document().CurrentFileName;
    const auto slash = name.find_last_of('\\');
    return slash == std::string::npos ? OpenDialogFolder : name.substr(0, slash);
}

// ---- menus opening

void File1Click(TVellumoMainForm& form) { ApplyEnablingRules(form, "File1"); }
void mReLoadCodeClick(TVellumoMainForm& form) { ApplyEnablingRules(form, "mReLoadCode"); }
void mWordWrapRetSaveClick(TVellumoMainForm& form) { ApplyEnablingRules(form, "mWordWrapRetSave"); }

// ---- opening

void mOpenClick(TVellumoMainForm& form)
{
    const bool elsewhere = OpenGoesToNewInstance(form.FileMenuState());
    if (!form.RunOpenDialog()) return;
    const std::string name = form.OpenDialog1.FileName();
    const bool readOnly = form.OpenDialogReadOnlyChecked();
    TDocumentFunctions& docs = form.Documents;
    if (elsewhere) {
        if (docs.StartNewInstance) docs.StartNewInstance(NewInstanceArguments(name, readOnly));
        return;
    }
    if (docs.OpenFile && docs.OpenFile(name) && !Document().HadNul) ApplyDialogReadOnly(readOnly);
}

void mOpen2Click(TVellumoMainForm& form)
{
    // The changed text must be safe before another file replaces it: any
    // failed save stops here.
    if (!form.SaveBeforeClosing()) return;
    if (!form.RunOpenDialog()) return;
    TDocumentFunctions& docs = form.Documents;
    if (docs.OpenFile && docs.OpenFile(form.OpenDialog1.FileName()) && !Document().HadNul)
        ApplyDialogReadOnly(form.OpenDialogReadOnlyChecked());
}

// ---- saving and closing

void mSaveClick(TVellumoMainForm& form)
{
    TDocumentFunctions& docs = form.Documents;
    const bool needsSaveAs = docs.NeedsSaveAs && docs.NeedsSaveAs();
    switch (SaveCommandAction(form.FileMenuState(), needsSaveAs)) {
    case TSaveAction::Beep: SoundBeep(); break;
    case TSaveAction::SaveAs:
        if (docs.SaveFileAs) docs.SaveFileAs(false);
        break;
    case TSaveAction::Save:
        if (docs.SaveFile) docs.SaveFile(Document().CurrentFileName, false);
        break;
    }
}

void mSaveAsClick(TVellumoMainForm& form)
{
    if (form.Documents.SaveFileAs) form.Documents.SaveFileAs(false);
}

void mSaveExitClick(TVellumoMainForm& form)
{
    if (form.ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    TDocumentFunctions& docs = form.Documents;
    bool saved = false;
    if (docs.NeedsSaveAs && docs.NeedsSaveAs())
        saved = docs.SaveFileAs && docs.SaveFileAs(false);
    else
        saved = docs.SaveFile && docs.SaveFile(Document().CurrentFileName, false);
    // A failed save leaves the window open with the text.
    if (saved) mAppExitClick(form);
}

void mSave_JCodeClick(TVellumoMainForm& form)
{
    TDocumentFunctions& docs = form.Documents;
    TAppJCode& jcode = AppSettingsStore().Settings.JCode;
    TDocumentState& doc = Document();
    TSaveWithCodeSteps steps;
    steps.Dialog = [](TCharCode& code, TLineEndCode& lineEnd, bool& saveAs, bool force) {
        return ShowJcodeDialog(code, lineEnd, saveAs, force);
    };
    steps.NeedsSaveAs = [&docs] { return docs.NeedsSaveAs && docs.NeedsSaveAs(); };
    steps.Save = [&docs] { return docs.SaveFile && docs.SaveFile(Document().CurrentFileName, false); };
    steps.SaveAs = [&docs] { return docs.SaveFileAs && docs.SaveFileAs(false); };
    SaveWithCode({jcode.SaveCvt, jcode.SaveRetCvt, doc.DocumentCode, doc.DocumentLineEnd},
                 form.ActiveEditor().ReadOnly(), steps);
}

void mAppExitClick(TVellumoMainForm& form) { SendMessageA(form.Window(), WM_CLOSE, 0, 0); }

// ---- new, reload

void mNewClick(TVellumoMainForm& form)
{
    if (form.Documents.StartNewInstance) form.Documents.StartNewInstance(std::string());
}

void mReLoadClick(TVellumoMainForm& form)
{
    if (form.Documents.ReloadCommand) form.Documents.ReloadCommand();
}

void mReLoad_SelJCode(TVellumoMainForm& form, int position)
{
    if (form.Documents.ReloadWithCode) form.Documents.ReloadWithCode(ReloadCodeOfItem(position));
}

// ---- saves that turn the wrap points into line breaks

namespace {

// The wrap-reflecting save of the current name, after the user agreed.
bool SaveWithWrapBreaks(TVellumoMainForm& form)
{
    const int answer = ShowMsg("折り返しへ位置へ改行を挿入し上書き保存を行います。\r\n実行後元へ戻すことはできません。",
                               kMsgCaption, MB_OKCANCEL | kMsgIconInformation);
    return answer == IDOK && form.Documents.SaveFile && form.Documents.SaveFile(Document().CurrentFileName, true);
}

} // namespace

void mSave2Click(TVellumoMainForm& form)
{
    if (form.ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    TDocumentFunctions& docs = form.Documents;
    if (docs.NeedsSaveAs && docs.NeedsSaveAs()) {
        if (docs.SaveFileAs) docs.SaveFileAs(true);
        return;
    }
    SaveWithWrapBreaks(form);
}

void mSaveAs2Click(TVellumoMainForm& form)
{
    if (form.Documents.SaveFileAs) form.Documents.SaveFileAs(true);
}

void mSaveExit2Click(TVellumoMainForm& form)
{
    if (form.ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    TDocumentFunctions& docs = form.Documents;
    bool saved = false;
    if (docs.NeedsSaveAs && docs.NeedsSaveAs())
        saved = docs.SaveFileAs && docs.SaveFileAs(true);
    else
        saved = SaveWithWrapBreaks(form);
    if (saved) mAppExitClick(form);
}

// ---- printing

void mPrintClick(TVellumoMainForm& form)
{
    if (!CheckPrinter()) return;
    ShowPrintDialog(form.Printing());
}

void mViewClick(TVellumoMainForm& form)
{
    if (!CheckPrinter()) return;
    TMainPrinting& printing = form.Printing();
    printing.ReadPrintSettings();
    printing.ApplyPrintSettings();
    // The preview and its pages are gone before the print dialog it asked for opens.
    if (printing.Preview(printing.TextLines(true), true)) ShowPrintDialog(printing);
}

// ---- the rows

namespace {

TFileMenuEnabling Enabling(TVellumoMainForm& form)
{
    return FileMenuEnabling(form.FileMenuState(), Document().DocumentCode);
}

template <bool TFileMenuEnabling::*Item>
bool EnabledBy(TVellumoMainForm& form)
{
    return Enabling(form).*Item;
}

template <int Position>
void ReloadAs(TVellumoMainForm& form)
{
    mReLoad_SelJCode(form, Position);
}

// The code the document was read in has nothing to reload with.
template <int Position>
bool ReloadAsEnabled(TVellumoMainForm& form)
{
    return Enabling(form).ReLoadCode[static_cast<std::size_t>(Position)];
}

constexpr TCommand kRows[] = {
    {"File1", File1Click},
    {"mNew", mNewClick},
    {"mOpen", mOpenClick},
    {"mOpen2", mOpen2Click},
    {"mReLoad", mReLoadClick, EnabledBy<&TFileMenuEnabling::ReLoad>},
    {"mReLoadCode", mReLoadCodeClick},
    {kReloadCodeItems[0], ReloadAs<0>, ReloadAsEnabled<0>},
    {kReloadCodeItems[1], ReloadAs<1>, ReloadAsEnabled<1>},
    {kReloadCodeItems[2], ReloadAs<2>, ReloadAsEnabled<2>},
    {kReloadCodeItems[3], ReloadAs<3>, ReloadAsEnabled<3>},
    {kReloadCodeItems[4], ReloadAs<4>, ReloadAsEnabled<4>},
    {"mSave", mSaveClick, EnabledBy<&TFileMenuEnabling::Save>},
    {"mSaveAs", mSaveAsClick},
    {"mWordWrapRetSave", mWordWrapRetSaveClick},
    {"mSave2", mSave2Click, EnabledBy<&TFileMenuEnabling::Save2>},
    {"mSaveAs2", mSaveAs2Click, EnabledBy<&TFileMenuEnabling::SaveAs2>},
    {"mSaveExit2", mSaveExit2Click, EnabledBy<&TFileMenuEnabling::SaveExit2>},
    {"mSave_JCode", mSave_JCodeClick},
    {"mPrint", mPrintClick},
    {"mView", mViewClick},
    {"mSaveExit", mSaveExitClick, EnabledBy<&TFileMenuEnabling::SaveExit>},
    {"mAppExit", mAppExitClick},
};

} // namespace

std::span<const TCommand> FileMenuCommands() noexcept { return kRows; }

} // namespace vellumo
