#include "dialogs/folder/browsefolder_win.h"

namespace vellumo {

// PLACEHOLDER until the folder browser lands: never chooses.
bool TBrowseFolderDlg::Execute() { return false; }

} // namespace vellumo
