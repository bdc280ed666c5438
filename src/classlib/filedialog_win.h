#pragma once
// The system's open and save dialogs. Every Execute goes through a seam that
// tests script: the script answers instead of the dialog. Windows only.
#include <windows.h>

#include <functional>
#include <string>

#include "classlib/filefilter.h"

namespace vellumo {

using TOpenOptions = unsigned;
constexpr TOpenOptions ofReadOnly = 0x0001;         // the read-only box (in: ticked; out: its state)
constexpr TOpenOptions ofOverwritePrompt = 0x0002;  // save: ask before replacing a file
constexpr TOpenOptions ofHideReadOnly = 0x0004;     // no read-only box
constexpr TOpenOptions ofNoChangeDir = 0x0008;      // keep the current folder
constexpr TOpenOptions ofNoReadOnlyReturn = 0x0010; // refuse read-only files
constexpr TOpenOptions ofPathMustExist = 0x0020;
constexpr TOpenOptions ofFileMustExist = 0x0040;
constexpr TOpenOptions ofEnableSizing = 0x0080;

class TFileDialog;

// What a scripted dialog answers.
struct TFileDialogAnswer {
    bool ok = false;
    std::string fileName;
    int filterIndex = 0;  // 0: keep the dialog's
    bool readOnly = false;
    // The name as the system's dialog hands it over, in UTF-16; when set it
    // takes the place of fileName and is checked as the system's answer is.
    std::wstring wideFileName{};
};

class TFileDialog {
public:
    TFileDialog(const TFileDialog&) = delete;
    TFileDialog& operator=(const TFileDialog&) = delete;
    virtual ~TFileDialog() = default;

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& t) { title_ = t; }
    // "Description|pattern|Description|pattern" ("|" never a trail byte).
    const std::string& Filter() const { return filter_; }
    void SetFilter(const std::string& f) { filter_ = f; }
    // 1-based.
    int FilterIndex() const { return filterIndex_; }
    void SetFilterIndex(int i) { filterIndex_ = i; }
    // Without the dot.
    const std::string& DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const std::string& e) { defaultExt_ = e; }
    const std::string& InitialDir() const { return initialDir_; }
    void SetInitialDir(const std::string& d) { initialDir_ = d; }
    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& n) { fileName_ = n; }
    TOpenOptions Options() const { return options_; }
    void SetOptions(TOpenOptions o) { options_ = o; }
    bool IsSave() const { return save_; }

    // Shows the dialog owned by a window; true on OK, with FileName,
    // FilterIndex and the ofReadOnly bit set from the answer. A chosen name
    // the ANSI code page cannot hold exactly is refused with a message and
    // the dialog asks again: FileName is never a near name.
    bool Execute(HWND owner = nullptr);

    // Asked before the dialog accepts a name (FileName holds it); setting
    // canClose false keeps the dialog open. A handler may change FileName
    // (an empty name clears the dialog's edit).
    std::function<void(TFileDialog& dialog, bool& canClose)> OnCanClose;

    // Tests: the script answers every Execute in place of the system dialog,
    // and is asked again while OnCanClose refuses (at most 20 times, then
    // Cancel). An empty script restores the system dialog. Returns the
    // previous script.
    using TScript = std::function<TFileDialogAnswer(TFileDialog& dialog)>;
    static TScript SetScript(TScript script);

protected:
    explicit TFileDialog(bool save) : save_(save) {}

private:
    bool SystemExecute(HWND owner);
    bool ScriptedExecute();
    bool AskCanClose();
    bool TakeWideName(const std::wstring& name);
    static UINT_PTR CALLBACK Hook(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);

    bool save_;
    std::string title_;
    std::string filter_;
    int filterIndex_ = 1;
    std::string defaultExt_;
    std::string initialDir_;
    std::string fileName_;
    TOpenOptions options_ = ofHideReadOnly | ofEnableSizing;
};

class TOpenDialog : public TFileDialog {
public:
    TOpenDialog() : TFileDialog(false) {}
};

class TSaveDialog : public TFileDialog {
public:
    TSaveDialog() : TFileDialog(true) {}
};

} // namespace vellumo
