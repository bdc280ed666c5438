#pragma once
// The browser preview on this system: the shell the commands use, and the
// state of the browser menu items for the window's settings. Windows only.
#include "app/integration/browserpreview.h"

namespace vellumo {

class TVellumoMainForm;

// The system's windows, DDE, ShellExecute and files.
TPreviewShell SystemPreviewShell();
// The shell the commands use; tests put a fake (or the system's with a
// field replaced) in place. An empty ShellOpen restores the system's.
// Returns the one installed before.
TPreviewShell SetPreviewShell(TPreviewShell shell);
const TPreviewShell& CurrentPreviewShell();

// The browser items for the current settings and edit mode.
TBrowserMenuState CurrentBrowserMenuState();

// mIE and mNN: the document of the form shown in that browser.
void PreviewDocument(TVellumoMainForm& form, TPreviewBrowser browser);

} // namespace vellumo
