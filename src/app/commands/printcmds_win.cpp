#include "app/commands/printcmds_win.h"

#include "app/commands/commands_win.h"
#include "app/commands/printcmds.h"
#include "app/core/appcontext.h"
#include "app/window/mainform_win.h"
#include "base/showmsg.h"
#include "classlib/application_win.h"
#include "settings/settingsstore.h"

namespace vellumo {

TMainPrinting& TVellumoMainForm::Printing()
{
    if (!printing_) printing_ = std::make_unique<TMainPrinting>();
    return *printing_;
}

TMainPrinting::TMainPrinting()
{
    SetUpStringsPrinter(StringsPrinter1);
    StringsPrinter1.PreviewSink = &PreviewWindow;
    StringsPrinter1.OnMessage = [](const std::string& text) { ShowMsg(text, kMsgCaption, kMsgIconExclamation); };
    StringsPrinter1.ExpandTabs = [](const std::string& line) {
        IMainWindow* form = MainForm();
        return form ? form->ActiveEditor().ExpandTabs(line) : ExpandTabsPlain(line, 8);
    };
}

TAppIniPrn& TMainPrinting::Settings() { return AppSettingsStore().Print; }
void TMainPrinting::ReadPrintSettings() { AppSettingsStore().ReadPrintSettings(); }
bool TMainPrinting::SavePrintSettings() { return AppSettingsStore().SavePrintSettings(); }
bool TMainPrinting::NoSave() { return AppSettingsStore().Settings.Option.PrnSetNoSave; }

bool TMainPrinting::HasSelection()
{
    IMainWindow* form = MainForm();
    return form && form->ActiveEditor().Selected();
}

void TMainPrinting::ApplyPrintSettings()
{
    const TDocumentState& doc = Document();
    vellumo::ApplyPrintSettings(Settings(), StringsPrinter1, PrintDocumentName(doc.CurrentFileName, doc.OutputMode));
    StringsPrinter1.PrinterObject().Title = Application().Title();
}

std::vector<std::string> TMainPrinting::TextLines(bool selectionOnly)
{
    IMainWindow* form = MainForm();
    if (!form) return {};
    TEditor& editor = form->ActiveEditor();
    if (selectionOnly && editor.Selected()) return SelectionLines(editor.GetSelText());
    TStringList lines;
    editor.Lines().AssignTo(lines);
    return lines.Items();
}

bool TMainPrinting::Print(const std::vector<std::string>& lines)
{
    TDocumentBusy busy;
    return StringsPrinter1.PrintStrings(lines);
}

bool TMainPrinting::Preview(const std::vector<std::string>& lines, bool allowPrint)
{
    TDocumentBusy busy;
    PreviewWindow.PrintRequested = false;
    return StringsPrinter1.PreviewStrings(lines, allowPrint) && PreviewWindow.PrintRequested;
}

void TMainPrinting::PrintText(bool selectionOnly) { Print(TextLines(selectionOnly)); }

void TMainPrinting::PreviewText(bool selectionOnly) { Preview(TextLines(selectionOnly), false); }

bool CheckPrinter()
{
    TPrinter& printer = Printer();
    // A printer installed since the last look counts too.
    if (printer.Printers().empty()) printer.Refresh();
    if (!printer.Printers().empty()) return true;
    ShowMsg(kMsgNoPrinter, kMsgCaption, kMsgIconExclamation);
    return false;
}

bool CheckPrintableSize(TVellumoMainForm& form)
{
    if (PrintableSize(form.ActiveEditor().GetTextLength())) return true;
    ShowMsg(kMsgPrintTooLarge, kMsgCaption, kMsgIconExclamation);
    return false;
}

void PrintFromCommandLine(TVellumoMainForm& form)
{
    if (!CheckPrinter()) return;
    TMainPrinting& printing = form.Printing();
    printing.ReadPrintSettings();
    printing.ApplyPrintSettings();
    if (CheckPrintableSize(form)) printing.Print(printing.TextLines(false));
}

} // namespace vellumo
