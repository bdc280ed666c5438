#include "classlib/filedialog_win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <algorithm>
#include <exception>
#include <string_view>
#include <utility>
#include <vector>

#include "base/showmsg.h"
#include "base/widename.h"

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

// The chosen name into FileName, only when it converts exactly; else the
// refusal is shown and FileName keeps what it held.
bool TFileDialog::TakeWideName(const std::wstring& name)
{
    std::string ansi;
    if (!WideNameToAnsi(name, ansi)) {
        RefuseUnrepresentableNames({name}, save_);
        return false;
    }
    fileName_ = std::move(ansi);
    return true;
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
        if (a.wideFileName.empty())
            fileName_ = a.fileName;
        else if (!TakeWideName(a.wideFileName))
            continue;
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
    auto* note = reinterpret_cast<OFNOTIFYW*>(lParam);
    if (!note || note->hdr.code != CDN_FILEOK || !note->lpOFN)
        return 0;
    auto* self = reinterpret_cast<TFileDialog*>(note->lpOFN->lCustData);
    if (!self)
        return 0;
    bool accept = false;
    // Nothing thrown may leave a dialog procedure.
    ReportFailures([&] {
        accept = self->TakeWideName(note->lpOFN->lpstrFile ? note->lpOFN->lpstrFile : L"") && self->AskCanClose();
    });
    if (accept)
        return 0;
    if (self->fileName_.empty()) {
        HWND parent = GetParent(dlg);
        SendMessageW(parent, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(L""));
        SendMessageW(parent, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(L""));
    }
    SetWindowLongPtrW(dlg, DWLP_MSGRESULT, 1);
    return 1;
}

bool TFileDialog::SystemExecute(HWND owner)
{
    // In UTF-16 throughout: the ANSI dialog would hand back a near name for
    // a file whose name the code page cannot hold.
    const std::string before = fileName_;
    std::vector<wchar_t> name(kNameBuffer, L'\0');
    const std::wstring initialName = AnsiToWideName(fileName_);
    initialName.copy(name.data(), std::min<std::size_t>(initialName.size(), kNameBuffer - 1));
    // The list's NULs are part of the text, so it converts whole.
    const std::string filterList = FilterToSystemList(filter_);
    const std::wstring filter = AnsiToWideName(std::string_view(filterList.data(), filterList.size() + 1));
    const std::wstring initialDir = AnsiToWideName(initialDir_);
    const std::wstring title = AnsiToWideName(title_);
    const std::wstring defaultExt = AnsiToWideName(defaultExt_);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(filterIndex_ > 0 ? filterIndex_ : 1);
    ofn.lpstrFile = name.data();
    ofn.nMaxFile = kNameBuffer;
    ofn.lpstrInitialDir = initialDir.empty() ? nullptr : initialDir.c_str();
    ofn.lpstrTitle = title.empty() ? nullptr : title.c_str();
    ofn.lpstrDefExt = defaultExt.empty() ? nullptr : defaultExt.c_str();
    DWORD flags = OFN_EXPLORER;
    // The hook checks the name while the dialog is still open; it gives the
    // older dialog on newer systems, so only when a check is asked for.
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
    for (int i = 0; i < kScriptTries; ++i) {
        BOOL ok = save_ ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
        if (!ok)
            break;
        // Without the hook the name is first seen here: a refused one opens the dialog again.
        if (TakeWideName(name.data())) {
            filterIndex_ = static_cast<int>(ofn.nFilterIndex);
            options_ = (ofn.Flags & OFN_READONLY) ? (options_ | ofReadOnly) : (options_ & ~ofReadOnly);
            return true;
        }
        name[0] = L'\0';
    }
    fileName_ = before;
    return false;
}

} // namespace vellumo
