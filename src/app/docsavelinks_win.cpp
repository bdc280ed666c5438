#include "app/docsavelinks.h"

#include "app/appcontext.h"
#include "app/pathnames.h"
#include "editor/editor.h"

// The open functions own these effects; until they are linked in, this
// file applies the same state through the main window's face.
namespace vellumo::savelinks {

namespace {

const char* CodeText(TCharCode c)
{
    switch (c) {
    case ccJis:
    case ccJisOld: return "JIS";
    case ccEuc: return "EUC";
    case ccUnicode: return "Unicode";
    case ccUtf8: return "UTF-8";
    case ccUtf8N: return "UTF-8N";
    default: return "SJIS";
    }
}

const char* LineEndText(TLineEndCode le)
{
    return le == leCr ? "CR" : le == leLf ? "LF" : "CRLF";
}

} // namespace

void UpdateCaption(const std::string& fileName)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    std::string name = fileName.empty() ? std::string("無題") : ExtractFileName(fileName);
    if (Document().ReadOnlyAttr) name += " [読み取り専用]";
    if (form->ActiveEditor().Modified()) name += " *";
    name += " - Vellumo";
    form->SetCaptions(name, name);
}

void SetCurrentFile(const std::string& fileName)
{
    const std::string old = Document().CurrentFileName;
    Document().CurrentFileName = fileName;
    IMainWindow* form = MainForm();
    if (!form) return;
    form->SetDialogFileNames(fileName);
    form->SetOpenFileNameText(fileName);
    UpdateCaption(fileName);
    if (!fileName.empty()) form->AddRecentFile(fileName);
    form->UpdateToolBarState();
    if (!SameFileName(old, fileName)) form->EditModeFromFileName(fileName);
}

void UpdateCodeStatus()
{
    IMainWindow* form = MainForm();
    if (!form) return;
    form->SetPanelText(5, CodeText(Document().DocumentCode));
    form->SetPanelText(6, LineEndText(Document().DocumentLineEnd));
}

void SetReadOnlyState(bool readOnly, bool locked)
{
    IMainWindow* form = MainForm();
    if (!form) return;
    if (TEditor* split = form->SplitEditor()) split->SetReadOnly(readOnly);
    form->MainEditor().SetReadOnly(readOnly);
    form->SetPanelText(8, !readOnly ? "" : locked ? "書禁" : "(書禁)");
    form->UpdateToolBarState();
}

void SetOutputMode(bool on) { Document().OutputMode = on; }

struct TViewKeeper::TState {
    int Row = 0, Col = 0, TopRow = 0;
};

TViewKeeper::TViewKeeper() : state_(new TState)
{
    if (IMainWindow* form = MainForm()) {
        TEditor& ed = form->ActiveEditor();
        state_->Row = ed.Row();
        state_->Col = ed.Col();
        state_->TopRow = ed.TopRow();
    }
}

TViewKeeper::~TViewKeeper()
{
    if (IMainWindow* form = MainForm()) {
        TEditor& ed = form->ActiveEditor();
        ed.SetRow(state_->Row);
        ed.SetCol(state_->Col);
        ed.SetTopRow(state_->TopRow);
    }
    delete state_;
}

} // namespace vellumo::savelinks
