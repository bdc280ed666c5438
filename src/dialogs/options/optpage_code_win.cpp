// "文字コード": detection on loading, the code and line end of saves and of new documents.
#include "dialogs/options/optpages_win.h"
#include "settings/settingsdecl.h"

namespace vellumo {

TCodePage::TCodePage(TPageContext& context) : TOptionPage(context, opCode)
{
    TakeNewControls();
    SaveCvt.SetItems({"自動", "SHIFT-JIS", "JIS", "EUC", "Unicode", "UTF-8", "UTF-8N"});
    SaveRetCvt.SetItems({"自動", "CR+LF", "CR", "LF"});
    NewCode.SetItems({"SHIFT-JIS", "JIS", "EUC", "Unicode", "UTF-8", "UTF-8N"});
    NewRetCode.SetItems({"CR+LF", "CR", "LF"});
    TOptionBindings& b = ctx_.Bindings;
    b.Check(kSecJCode, "LoadAutoCvt", LoadAutoCvt);
    b.List(kSecJCode, "SaveCvt", SaveCvt);
    b.List(kSecJCode, "SaveRetCvt", SaveRetCvt);
    b.Check(kSecJCode, "NowJCodeReLoad", NowJCodeReLoad);
    b.List(kSecJCode, "NewCode", NewCode);
    b.List(kSecJCode, "NewRetCode", NewRetCode);
}

void TCodePage::Layout(const RECT& area)
{
    Origin(area);
    const int gw = width_ - 16;
    Put(GroupBox1, 8, 4, gw, 190);
    Put(LoadAutoCvt, 20, 24, 300, kCheckH);
    Put(Label1, 36, 50 + kLabelDy, 120, 16);
    Put(SaveCvt, 158, 50, 120, 22);
    Put(Label2, 36, 78 + kLabelDy, 120, 16);
    Put(SaveRetCvt, 158, 78, 120, 22);
    Put(NowJCodeReLoad, 20, 108, 300, kCheckH);
    Put(Label3, 36, 134 + kLabelDy, 120, 16);
    Put(NewCode, 158, 134, 120, 22);
    Put(Label4, 36, 162 + kLabelDy, 120, 16);
    Put(NewRetCode, 158, 162, 120, 22);
}

} // namespace vellumo
