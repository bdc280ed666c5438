#include "app/core/readonlyrule.h"

#include <stdexcept>

#include "app/core/appcontext.h"
#include "app/document/docopen.h"
#include "editor/editor_win.h"

namespace vellumo {

void ApplyDialogReadOnly(bool boxTicked)
{
    IMainWindow* form = MainForm();
    if (!form) throw std::logic_error("no main window");
    TDocumentState& doc = Document();
    const TReadOnlyState s =
        ReadOnlyAfterOpenDialog({form->ActiveEditor().ReadOnly(), doc.ReadOnlyLocked}, boxTicked);
    doc.ReadOnlyLocked = s.Locked;
    SetReadOnlyState(s.ReadOnly, s.Locked);
}

} // namespace vellumo
