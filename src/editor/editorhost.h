#pragma once
// What the editor control takes from the application that hosts it: a few
// process-wide values the application fills when it applies its settings,
// and the calls the editor makes upward. Everything has a harmless default,
// so the control works (and is tested) without a main window.
#include <string>

namespace vellumo {

struct TEditorHostValues {
    // The document is being written to standard output: edits do not mark it modified.
    bool OutputMode = false;
    // A left click does not confirm a pending input-method composition.
    bool NoLButtonImeEnter = false;
    // Indent commands also indent empty lines (and, in a box, rows ending
    // just before the box).
    bool RetRowIndent = false;
    // The input method's reconversion is offered.
    bool ImeReConv = false;
    // Operating-system flags.
    bool IsWinNT = true;
    bool IsWin95 = false;
    bool NewStyleControls = true;  // client-edge borders
    // Windows XP or later: the system hides the caret under the candidate list itself.
    bool IsWinXPOrLater = true;
};

class IEditorHost {
public:
    virtual ~IEditorHost() = default;
    // The clipboard's text (ANSI); empty when there is none.
    virtual std::string ClipboardText() { return {}; }
    // Undo, redo, cut and copy buttons follow the editor's state.
    virtual void RefreshToolBar() {}
    // The document's lock on its open file, released while the loader reads
    // the file and always taken again afterwards: on fileName when it was
    // loaded, else on the file the document had before.
    virtual void ReleaseFileLock() {}
    virtual void RestoreFileLock(bool loaded, const std::string& fileName) { (void)loaded; (void)fileName; }
    // A load failed before the main window was ever shown: the program ends.
    virtual void LoadFailedBeforeShown() {}
    virtual bool MainWindowShown() const { return true; }
    // The edit messages any process may send that change the text wait
    // while the document is opened, saved or replaced in.
    virtual bool DocumentBusy() const { return false; }
    // The program locked the document read-only: no message clears it.
    virtual bool ReadOnlyLocked() const { return false; }
};

TEditorHostValues& EditorHostValues() noexcept;
// The installed host, or a default one that does nothing.
IEditorHost& EditorHost() noexcept;
// Installs a host (not owned; nullptr puts the default back). Returns the previous one.
IEditorHost* SetEditorHost(IEditorHost* host) noexcept;

} // namespace vellumo
