// The main window's share of reading standard input: output mode, the one
// busy state, the text into the active editor and the NUL question.
#include "app/core/appcontext.h"
#include "app/document/docopen.h"
#include "app/window/mainform_win.h"
#include "settings/settingsstore.h"
#include "app/document/stdinput_win.h"
#include "base/showmsg.h"

namespace vellumo {

namespace {

const char kNulQuestion[] =
    "Null文字を含むファイルです。Null文字は半角スペースへ変換しました。\r\n\r\n"
    "[はい]で編集可能な状態になりますが元の状態での保存は不可能ですので注意して下さい。\r\n[いいえ]で書き換え禁止をセットします。"
    "\r\n\r\nこのファイルの編集を行いますか？";

void ReadInto(TVellumoMainForm* form);

} // namespace

void ReadStdInput()
{
    // The window is made whatever happened to the input.
    try {
        ReadInto(VellumoMainForm());
    } catch (const std::exception& e) {
        ShowMsg(e.what(), kMsgCaption, kMsgIconError);
    } catch (...) {
        ShowMsg("標準入力を読み込めませんでした。", kMsgCaption, kMsgIconError);
    }
}

namespace {

void ReadInto(TVellumoMainForm* form)
{
    TDocumentState& doc = Document();
    if (!form || !doc.CurrentFileName.empty() || form->EndingWithoutShowing() || DocumentBusy()) return;
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    if (!IsRedirectedInput(input)) return;
    SetOutputMode(true);
    TStdInputResult r;
    {
        TDocumentBusy busy;
        TEditor& editor = form->ActiveEditor();
        TStdInputHost host;
        host.Form = form->Window();
        host.Anchor = editor.Handle();
        host.Show = [form] { form->ShowMainForm(); };
        host.SetText = [&editor](std::string text) {
            editor.Lines().SetText(text);
            editor.SetModified(false);
        };
        r = ReadInputIntoDocument(input, host);
    }
    SetStdHandle(STD_INPUT_HANDLE, nullptr);
    if (IsWindowVisible(form->Window())) {
        SetActiveWindow(form->Window());
        form->ActiveEditor().SetFocus();
    }
    doc.HadNul = r.HadNul;
    if (r.HadNul && !(AppSettingsStore().Settings.Option.NullFileMsg &&
                      ShowMsg(kNulQuestion, kMsgCaption, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2) == IDYES)) {
        doc.ReadOnlyLocked = true;
        SetReadOnlyState(true, true);
    }
}

} // namespace

} // namespace vellumo
