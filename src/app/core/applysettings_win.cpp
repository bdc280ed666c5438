// Applying the settings to the main window and its editors.
#include <windows.h>

#include <exception>
#include <string>

#include "app/core/appcontext.h"
#include "app/core/applysettings.h"
#include "app/window/editmodes.h"
#include "settings/settingsstore.h"
#include "classlib/font.h"
#include "base/showmsg.h"
#include "editor/editor_win.h"
#include "editor/editprop.h"
#include "editor/parsersettings.h"

namespace vellumo {

namespace {

// The view is restored on every path out of ApplySettings.
class TViewStateKeep {
public:
    TViewStateKeep(IMainWindow& form, bool active) : form_(form), active_(active)
    {
        if (active_) form_.SaveViewState(false);
    }
    ~TViewStateKeep()
    {
        if (!active_) return;
        try {
            form_.RestoreViewState(false);
        } catch (...) {
        }
    }
    TViewStateKeep(const TViewStateKeep&) = delete;
    TViewStateKeep& operator=(const TViewStateKeep&) = delete;

private:
    IMainWindow& form_;
    bool active_;
};

std::string ExpandEnvironment(const std::string& path)
{
    char buf[MAX_PATH * 4];
    const DWORD n = ExpandEnvironmentStringsA(path.c_str(), buf, sizeof buf);
    return n > 0 && n <= sizeof buf ? std::string(buf) : path;
}

// The defaults of a new document, each unless the command line set it.
void ApplyNewDocumentDefaults(const TAppSettings& s, const TStartupOverrides& given)
{
    if (!given.EditMode) SetCurrentEditMode(ListIndexToEditMode(s.Option.DefEditMode));
    TDocumentState& doc = Document();
    if (!given.Code) {
        static constexpr TCharCode codes[] = {ccSjis, ccJis, ccEuc, ccUnicode, ccUtf8, ccUtf8N};
        const int i = s.JCode.NewCode;
        doc.DocumentCode = i >= 0 && i < 6 ? codes[i] : ccSjis;
    }
    if (!given.LineEnd) doc.DocumentLineEnd = s.JCode.NewRetCode == 1 ? leCr : s.JCode.NewRetCode == 2 ? leLf : leCrLf;
}

// The system's version as the editor reads it; an unknown version keeps the
// defaults (a current NT system).
void ApplySystemFlags(TEditorHostValues& host)
{
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof v;
    if (!GetVersionExA(&v)) return;
    host.IsWinNT = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
    host.IsWin95 = !host.IsWinNT && v.dwMajorVersion == 4 && v.dwMinorVersion == 0;
    host.NewStyleControls = v.dwMajorVersion >= 4;
    host.IsWinXPOrLater = v.dwMajorVersion > 5 || (v.dwMajorVersion == 5 && v.dwMinorVersion >= 1);
}

// The undo list's clear hook refreshes the tool bar; set again whenever the
// holder reaches an editor, since a split gives the editors a shared store.
void ConnectUndoClearHook(TEditor& editor)
{
    editor.Store().UndoObj().OnClear = [] { EditorHost().RefreshToolBar(); };
}

void ApplySettingsSteps(IMainWindow& form, bool redetectMode, bool atStartup, const TStartupOverrides& given)
{
    TViewStateKeep keep(form, !atStartup);
    TAppSettings s = AppSettingsStore().Settings;
    ClampAppliedSettings(s, VirtualScreenArea());

    TEditorProp& prop = form.EditorProp1();
    prop.Assign(form.ActiveEditor());
    if (atStartup) ApplySystemFlags(EditorHostValues());
    ApplyHostValues(EditorHostValues(), s);
    ApplyParserValues(GlobalParserSettings(), s);

    TWindowSettings window;
    window.Settings = &s;
    window.AtStartup = atStartup;
    const TFileDialogFilters filters = BuildFileDialogFilters(s.Option);
    window.OpenFilter = filters.Open;
    window.SaveFilter = filters.Save;
    if (atStartup) ApplyNewDocumentDefaults(s, given);
    if (Document().CurrentFileName.empty() && s.Option.DefDirOn) {
        window.SetInitialDir = true;
        window.InitialDir = ExpandEnvironment(s.Option.DefDir);
    }
    form.ApplyWindowSettings(window);
    form.SetClipboardWatcherIgnoreFirst(s.Option.ToolBarEnabled);
    form.PlacePopupToolMenu(s.Option.PopToolTop);

    StageEditorSettings(prop, s, FontPixelsPerInch());
    TEditor* split = form.SplitEditor();
    if (split && !atStartup) {
        form.MainEditor().SetUndoListMax(s.Option.UndoMax);
        split->SetUndoListMax(s.Option.UndoMax);
    } else {
        form.ActiveEditor().SetUndoListMax(s.Option.UndoMax);
    }
    form.UpdateCodeStatus();

    if (redetectMode) SetCurrentEditMode(ModeFromExtension(Document().CurrentFileName, s.Option, CurrentEditMode()));
    // Not reassigned: the holder already holds what was just staged.
    ApplySyntaxMode(false, s);
    ApplyEditorProp();

    TEditor& active = form.ActiveEditor();
    if (active.SelectionMode() == smBox) {
        if (split) split->ToggleBoxMode();
        form.MainEditor().ToggleBoxMode();
    }
    active.SetCol(active.Col());
    UpdateModeStatus();
    form.UpdateToolBarState();
    if (!atStartup) {
        form.MainEditor().Invalidate();
        if (split) split->Invalidate();
    }
}

} // namespace

TScreenArea VirtualScreenArea()
{
    return {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
            GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

void ApplySettings(bool redetectMode, bool atStartup, const TStartupOverrides& given)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    try {
        ApplySettingsSteps(*form, redetectMode, atStartup, given);
    } catch (const std::exception& e) {
        ShowMsg(std::string("設定を適用できませんでした。\r\n") + e.what(), kMsgCaption, kMsgIconError);
    } catch (...) {
        ShowMsg("設定を適用できませんでした。", kMsgCaption, kMsgIconError);
    }
}

void ApplyEditorProp()
{
    IMainWindow* form = MainForm();
    if (!form) return;
    const TEditorProp& prop = form->EditorProp1();
    if (TEditor* split = form->SplitEditor()) {
        prop.AssignTo(*split);
        ConnectUndoClearHook(*split);
    }
    prop.AssignTo(form->MainEditor());
    ConnectUndoClearHook(form->MainEditor());
}

std::string PasteQuoteMark()
{
    try {
        return PasteQuoteMark(AppSettingsStore().Settings.Option);
    } catch (const std::exception&) {
        return {};  // no settings yet: no mark
    }
}

void TAppEditorHost::RefreshToolBar()
{
    if (IMainWindow* form = MainForm()) form->UpdateToolBarState();
}

bool TAppEditorHost::DocumentBusy() const { return vellumo::DocumentBusy(); }

bool TAppEditorHost::ReadOnlyLocked() const { return Document().ReadOnlyLocked; }

void InstallAppEditorHost()
{
    static TAppEditorHost host;
    SetEditorHost(&host);
}

} // namespace vellumo
