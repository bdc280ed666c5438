#pragma once
// The main window's printing: its printing component (StringsPrinter1), the
// preview window, and what the print dialog asks of the program. Printing
// and the preview run under the document's busy state, since both pump
// messages. Windows only.
#include <string>
#include <vector>

#include "dialogs/print/printdlg_win.h"
#include "printing/preview_win.h"
#include "printing/strprint_win.h"

namespace vellumo {

class TVellumoMainForm;

class TMainPrinting : public TPrintDialogHost {
public:
    TMainPrinting();

    TStringsPrinter StringsPrinter1;
    TPreviewWindowSink PreviewWindow;

    // The print settings into StringsPrinter1, with the document's name and
    // the application's title for the job.
    void ApplyPrintSettings() override;
    // The active editor's lines, or its selection's.
    std::vector<std::string> TextLines(bool selectionOnly);
    // Under the busy state; the preview's answer is whether the user asked to print.
    bool Print(const std::vector<std::string>& lines);
    bool Preview(const std::vector<std::string>& lines, bool allowPrint);

    // TPrintDialogHost
    TAppIniPrn& Settings() override;
    void ReadPrintSettings() override;
    bool SavePrintSettings() override;
    bool NoSave() override;
    bool HasSelection() override;
    void PrintText(bool selectionOnly) override;
    void PreviewText(bool selectionOnly) override;
    TStringsPrinter& Printer() override { return StringsPrinter1; }
};

// False, after saying so, when no printer is installed.
bool CheckPrinter();
// False, after saying so, when the active editor's text is too large to print.
bool CheckPrintableSize(TVellumoMainForm& form);
// "/p": the file the command line loaded, printed with the saved settings
// without showing the window. The caller then ends the program.
void PrintFromCommandLine(TVellumoMainForm& form);

} // namespace vellumo
