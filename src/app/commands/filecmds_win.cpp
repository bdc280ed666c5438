// The File menu's handlers: what they ask and which document function runs.
#include "app/window/mainform_win.h"
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
    if (!OpenDialogFolder.empty()) return OpenDialogFolder;
    const std::string& name = Document().CurrentFileName;
    const auto slash = name.find_last_of('\\');
    return slash == std::string::npos ? std::string() : name.substr(0, slash);
}

// ---- menus opening

void TVellumoMainForm::File1Click()
{
    const TFileMenuEnabling e = FileMenuEnabling(FileMenuState(), Document().DocumentCode);
    MainMenuItems.Item("mReLoad").SetEnabled(e.ReLoad);
    MainMenuItems.Item("mSave").SetEnabled(e.Save);
    MainMenuItems.Item("mSaveExit").SetEnabled(e.SaveExit);
}

void TVellumoMainForm::mReLoadCodeClick()
{
    const TFileMenuEnabling e = FileMenuEnabling(FileMenuState(), Document().DocumentCode);
    for (std::size_t i = 0; i < 5; ++i) MainMenuItems.Item(kReloadCodeItems[i]).SetEnabled(e.ReLoadCode[i]);
}

void TVellumoMainForm::mWordWrapRetSaveClick()
{
    const TFileMenuEnabling e = FileMenuEnabling(FileMenuState(), Document().DocumentCode);
    MainMenuItems.Item("mSave2").SetEnabled(e.Save2);
    MainMenuItems.Item("mSaveAs2").SetEnabled(e.SaveAs2);
    MainMenuItems.Item("mSaveExit2").SetEnabled(e.SaveExit2);
}

// ---- opening

namespace {

// The dialog's read-only box decides the document's state.
void ApplyDialogReadOnly(TEditor& editor, bool readOnly) { editor.SetReadOnly(readOnly); }

} // namespace

void TVellumoMainForm::mOpenClick()
{
    const bool elsewhere = OpenGoesToNewInstance(FileMenuState());
    if (!RunOpenDialog()) return;
    const std::string name = OpenDialog1.FileName();
    const bool readOnly = OpenDialogReadOnlyChecked();
    if (elsewhere) {
        if (Documents.StartNewInstance) Documents.StartNewInstance(NewInstanceArguments(name, readOnly));
        return;
    }
    if (Documents.OpenFile && Documents.OpenFile(name) && !Document().HadNul)
        ApplyDialogReadOnly(ActiveEditor(), readOnly);
}

void TVellumoMainForm::mOpen2Click()
{
    // The changed text must be safe before another file replaces it: any
    // failed save stops here.
    if (!SaveBeforeClosing()) return;
    if (!RunOpenDialog()) return;
    if (Documents.OpenFile && Documents.OpenFile(OpenDialog1.FileName()) && !Document().HadNul)
        ApplyDialogReadOnly(ActiveEditor(), OpenDialogReadOnlyChecked());
}

// ---- saving and closing

void TVellumoMainForm::mSaveClick()
{
    const bool needsSaveAs = Documents.NeedsSaveAs && Documents.NeedsSaveAs();
    switch (SaveCommandAction(FileMenuState(), needsSaveAs)) {
    case TSaveAction::Beep: SoundBeep(); break;
    case TSaveAction::SaveAs:
        if (Documents.SaveFileAs) Documents.SaveFileAs(false);
        break;
    case TSaveAction::Save:
        if (Documents.SaveFile) Documents.SaveFile(Document().CurrentFileName, false);
        break;
    }
}

void TVellumoMainForm::mSaveAsClick()
{
    if (Documents.SaveFileAs) Documents.SaveFileAs(false);
}

void TVellumoMainForm::mSaveExitClick()
{
    if (ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    bool saved = false;
    if (Documents.NeedsSaveAs && Documents.NeedsSaveAs())
        saved = Documents.SaveFileAs && Documents.SaveFileAs(false);
    else
        saved = Documents.SaveFile && Documents.SaveFile(Document().CurrentFileName, false);
    // A failed save leaves the window open with the text.
    if (saved) mAppExitClick();
}

void TVellumoMainForm::mAppExitClick() { SendMessageA(Window(), WM_CLOSE, 0, 0); }

// ---- new, reload

void TVellumoMainForm::mNewClick()
{
    if (Documents.StartNewInstance) Documents.StartNewInstance(std::string());
}

void TVellumoMainForm::mReLoadClick()
{
    if (Documents.ReloadCommand) Documents.ReloadCommand();
}

void TVellumoMainForm::mReLoad_SelJCode(int position)
{
    if (Documents.ReloadWithCode) Documents.ReloadWithCode(ReloadCodeOfItem(position));
}

// ---- saves that turn the wrap points into line breaks

bool TVellumoMainForm::SaveWithWrapBreaks()
{
    const int answer = ShowMsg("折り返しへ位置へ改行を挿入し上書き保存を行います。\r\n実行後元へ戻すことはできません。",
                               kMsgCaption, MB_OKCANCEL | kMsgIconInformation);
    return answer == IDOK && Documents.SaveFile && Documents.SaveFile(Document().CurrentFileName, true);
}

void TVellumoMainForm::mSave2Click()
{
    if (ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    if (Documents.NeedsSaveAs && Documents.NeedsSaveAs()) {
        if (Documents.SaveFileAs) Documents.SaveFileAs(true);
        return;
    }
    SaveWithWrapBreaks();
}

void TVellumoMainForm::mSaveAs2Click()
{
    if (Documents.SaveFileAs) Documents.SaveFileAs(true);
}

void TVellumoMainForm::mSaveExit2Click()
{
    if (ActiveEditor().ReadOnly()) {
        SoundBeep();
        return;
    }
    bool saved = false;
    if (Documents.NeedsSaveAs && Documents.NeedsSaveAs())
        saved = Documents.SaveFileAs && Documents.SaveFileAs(true);
    else
        saved = SaveWithWrapBreaks();
    if (saved) mAppExitClick();
}

} // namespace vellumo
