#include "classlib/filedialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <exception>
#include <utility>
#include <vector>

#include "base/showmsg.h"

namespace vellumo {

namespace {

TFileDialog::TScript& Script()
{
    static TFileDialog::TScript script;
    return script;
}

constexpr int kScriptTries = 20;
constexpr DWORD kNameBuffer = 4096;

} // namespace

TFileDialog::TScript TFileDialog::SetScript(TScript script) { return std::exchange(Script(), std::move(script)); }

bool TFileDialog::Execute(HWND owner)
{
    return Script() ? ScriptedExecute() : SystemExecute(owner);
}

bool TFileDialog::AskCanClose()
{
    bool can = true;
    if (!OnCanClose)
        return true;
    // A failing check keeps the dialog open.
    return ReportFailures([&] { OnCanClose(*this, can); }) && can;
}

bool TFileDialog::ScriptedExecute()
{
    const std::string before = fileName_;
    const int indexBefore = filterIndex_;
    const TOpenOptions optionsBefore = options_;
    for (int i = 0; i < kScriptTries; ++i) {
        TScript script = Script();  // the script may replace itself
        TFileDialogAnswer a = script(*this);
        if (!a.ok)
            break;
        fileName_ = a.fileName;
        if (a.filterIndex > 0)
            filterIndex_ = a.filterIndex;
        options_ = a.readOnly ? (options_ | ofReadOnly) : (options_ & ~ofReadOnly);
        if (AskCanClose())
            return true;
    }
    fileName_ = before;
    filterIndex_ = indexBefore;
    options_ = optionsBefore;
    return false;
}

UINT_PTR CALLBACK TFileDialog::Hook(HWND dlg, UINT msg, WPARAM, LPARAM lParam)
{
    if (msg != WM_NOTIFY)
        return 0;
    auto* note = reinterpret_cast<OFNOTIFYA*>(lParam);
    if (!note || note->hdr.code != CDN_FILEOK || !note->lpOFN)
        return 0;
    auto* self = reinterpret_cast<TFileDialog*>(note->lpOFN->lCustData);
    if (!self)
        return 0;
    self->fileName_ = note->lpOFN->lpstrFile ? note->lpOFN->lpstrFile : "";
    if (self->AskCanClose())
        return 0;
    if (self->fileName_.empty()) {
        HWND parent = GetParent(dlg);
        SendMessageA(parent, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(""));
        SendMessageA(parent, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(""));
    }
    SetWindowLongPtrA(dlg, DWLP_MSGRESULT, 1);
    return 1;
}

bool TFileDialog::SystemExecute(HWND owner)
{
    std::vector<char> name(kNameBuffer, '\0');
    fileName_.copy(name.data(), std::min<std::size_t>(fileName_.size(), kNameBuffer - 1));
    const std::string filter = FilterToSystemList(filter_);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ > 0 ? filterIndex_ : 1);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBuffer;
    ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
    ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
    ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
    DWORD flags = OFN_EXPLORER;
    // A hook gives the older dialog on newer systems: only when it is needed.
    if (OnCanClose) {
        ofn.lCustData = reinterpret_cast<LPARAM>(this);
        ofn.lpfnHook = &TFileDialog::Hook;
        flags |= OFN_ENABLEHOOK;
    }
    if (options_ & ofReadOnly) flags |= OFN_READONLY;
    if (options_ & ofOverwritePrompt) flags |= OFN_OVERWRITEPROMPT;
    if (options_ & ofHideReadOnly) flags |= OFN_HIDEREADONLY;
    if (options_ & ofNoChangeDir) flags |= OFN_NOCHANGEDIR;
    if (options_ & ofNoReadOnlyReturn) flags |= OFN_NOREADONLYRETURN;
    if (options_ & ofPathMustExist) flags |= OFN_PATHMUSTEXIST;
    if (options_ & ofFileMustExist) flags |= OFN_FILEMUSTEXIST;
    if (options_ & ofEnableSizing) flags |= OFN_ENABLESIZING;
    ofn.Flags = flags;
    BOOL ok = save_ ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!ok)
        return false;
    fileName_ = name.data();
    filterIndex_ = static_cast<int>(ofn.nFilterIndex);
    options_ = (ofn.Flags & OFN_READONLY) ? (options_ | ofReadOnly) : (options_ & ~ofReadOnly);
    return true;
}

} // namespace vellumo
