#pragma once
// A print dialog host for the tests: the settings in memory with a copy
// that stands for [Print], and a log of what the dialog asked for.
#include <string>

#include "classlib/printer_win.h"
#include "dialogs/print/printdlg_win.h"

namespace vellumo::testing {

class TFakePrintHost : public TPrintDialogHost {
public:
    TAppIniPrn Stored;  // [Print]
    TAppIniPrn Current;
    bool NoSaveOption = false, Selection = false, SaveFails = false;
    std::string Log;
    TPrinter PrinterObject;
    TStringsPrinter Component{&PrinterObject};

    TFakePrintHost()
    {
        Stored.LeftMargin = Stored.RightMargin = 20;
        Stored.TopMargin = Stored.BottomMargin = 15;
        Stored.HeaderStr = "[ %F ]";
        Stored.HeaderAlign = Stored.FooterAlign = 2;
        Stored.FooterStr = "- %p -";
        Stored.FontName = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // ＭＳ ゴシック
        Stored.FontSize = 12;
        Stored.ColumnCount = 1;
        Stored.ColumnSpace = 20;
    }
    TAppIniPrn& Settings() override { return Current; }
    void ReadPrintSettings() override
    {
        const TAppIniPrn choices = Current;
        Current = Stored;
        Current.RangeOption = choices.RangeOption;
        Current.StartPage = choices.StartPage;
        Current.LastPage = choices.LastPage;
        Current.SelectionOnly = choices.SelectionOnly;
    }
    bool SavePrintSettings() override
    {
        Note("save");
        if (SaveFails) return false;
        Stored = Current;
        return true;
    }
    bool NoSave() override { return NoSaveOption; }
    bool HasSelection() override { return Selection; }
    void ApplyPrintSettings() override { Note("apply"); }
    void PrintText(bool selectionOnly) override { Note(selectionOnly ? "print-selection" : "print"); }
    void PreviewText(bool selectionOnly) override { Note(selectionOnly ? "preview-selection" : "preview"); }
    TStringsPrinter& Printer() override { return Component; }

    void Note(const std::string& word) { Log += (Log.empty() ? "" : ",") + word; }
};

} // namespace vellumo::testing
