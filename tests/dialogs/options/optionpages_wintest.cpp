// Every plain control of every page, through the settings file and the
// dialog: the file's value shows (taken into range), what the user types
// goes back into the file (taken into range), and an untouched control
// writes back what it showed. One table per page, which has to name every
// key its page ties to a control; each pass runs all tables in one dialog
// (a dialog takes seconds to close under the test display).
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/inifile.h"
#include "dialogs/options/optionform_win.h"
#include "settings/settingsdecl.h"
#include "settings/settingsstore.h"
#include "support/modalscript_win.h"
#include "support/tempfolder.h"
#include "support/test_machine.h"

using namespace vellumo;
using namespace vellumo::testing;

namespace {

enum class K { Check, Number, List, Text };

struct TKeyRow {
    const char* Section;
    const char* Key;
    K Kind;
    int Min = 0, Max = 0;
    bool Pinned = false;  // a switch that stays on (another key's rule depends on it)
};

// What one pass does with one key.
struct TValue {
    std::string File, Shown;
    std::optional<std::string> Typed;
    std::string Stored;
};

std::string S(int v) { return std::to_string(v); }

// Four passes: in range, below and above the range, and a typed text that is
// no number (the up-down keeps its position).
TValue PassValue(int pass, const TKeyRow& r)
{
    switch (r.Kind) {
    case K::Number: {
        const TValue v[] = {{S(r.Min + 1), S(r.Min + 1), S(r.Max - 1), S(r.Max - 1)},
                            {S(r.Min - 1), S(r.Min), S(r.Max + 1), S(r.Max)},
                            {S(r.Max + 1), S(r.Max), S(r.Min - 1), S(r.Min)},
                            {S(r.Max), S(r.Max), "1,0", S(r.Max)}};
        return v[pass];
    }
    case K::Check: {
        if (r.Pinned) return {"1", "1", std::nullopt, "1"};
        const TValue v[] = {{"0", "0", "1", "1"}, {"1", "1", "0", "0"}, {"1", "1", std::nullopt, "1"},
                            {"0", "0", std::nullopt, "0"}};
        return v[pass];
    }
    case K::List: {
        // A value that is none of the items shows no item and stays as it was.
        const TValue v[] = {{S(r.Max), S(r.Max), S(r.Min), S(r.Min)},
                            {S(r.Min), S(r.Min), S(r.Max), S(r.Max)},
                            {S(r.Max + 5), "-1", std::nullopt, S(r.Max + 5)},
                            {S(r.Max), S(r.Max), std::nullopt, S(r.Max)}};
        return v[pass];
    }
    case K::Text: {
        const TValue v[] = {{"abc", "abc", "\x83\x7C\x95\x5C;*.x", "\x83\x7C\x95\x5C;*.x"},
                            {"\x83\x7C\x95\x5C", "\x83\x7C\x95\x5C", "q r", "q r"},
                            {"xyz", "xyz", std::nullopt, "xyz"},
                            {"\x83\x7C", "\x83\x7C", std::nullopt, "\x83\x7C"}};
        return v[pass];
    }
    }
    return {};
}

TWinControlChild* ControlOf(const TOptionBindings::TControl& c)
{
    return std::visit([](auto* p) -> TWinControlChild* { return p; }, c);
}

HWND BuddyOf(TUpDown& upDown) { return reinterpret_cast<HWND>(SendMessageA(upDown.Handle(), UDM_GETBUDDY, 0, 0)); }

std::string Shown(const TOptionBindings::TBinding& b)
{
    if (auto* c = std::get_if<TCheckBox*>(&b.Control)) return (*c)->Checked() ? "1" : "0";
    if (auto* c = std::get_if<TComboBox*>(&b.Control)) return S((*c)->ItemIndex());
    if (auto* c = std::get_if<TEdit*>(&b.Control)) return (*c)->Text();
    char text[64] = {};
    GetWindowTextA(BuddyOf(*std::get<TUpDown*>(b.Control)), text, sizeof text);
    return text;
}

void Type(const TOptionBindings::TBinding& b, const std::string& value)
{
    if (auto* c = std::get_if<TCheckBox*>(&b.Control))
        (*c)->SetChecked(value == "1");
    else if (auto* c = std::get_if<TComboBox*>(&b.Control))
        (*c)->SetItemIndex(std::stoi(value));
    else if (auto* c = std::get_if<TEdit*>(&b.Control))
        (*c)->SetText(value);
    else
        SetWindowTextA(BuddyOf(*std::get<TUpDown*>(b.Control)), value.c_str());
}

std::string StoredText(const TSettingDecl<TAppSettings>& d, TAppSettings& s)
{
    if (d.Field.AsBool) return *d.Field.AsBool(s) ? "1" : "0";
    if (d.Field.AsInt) return S(*d.Field.AsInt(s));
    return *d.Field.AsString(s);
}

constexpr const char* O = kSecOption;

struct TPageTable {
    int Page;
    std::vector<TKeyRow> Rows;
};

std::vector<TPageTable> Tables()
{
    const RECT work = GetWorkArea(nullptr);
    const char* L = kSecLeftBarAndRuler;
    const char* B = kSecBrowser;
    const char* H = kSecFileHistorySet;
    const char* J = kSecJCode;
    std::vector<TKeyRow> files{{O, "HaitaSeigyo", K::List, 0, 2}};
    for (const char* key : {"NotDoubleOpen", "ChkFileAge", "ChkFileAgeMsg", "KeepRowLoad", "CreateNewFile",
                            "CreateNewFileMsg", "DropCloseToOpen", "ChkReadOnlyFile", "ChkOkWriteFile", "AutoFileName",
                            "NullFileMsg", "ModifiedOnFileSave"})
        files.push_back({O, key, K::Check});
    return {
        {opBasic,
         {{O, "TabSpaceCount", K::Number, 1, 8},
          {O, "UndoMax", K::Number, 64, 10000},
          {O, "LinePitch", K::Number, 0, 10},
          {O, "CharPitch", K::Number, 0, 5},
          {O, "LeftMargin", K::Number, 0, 100},
          {O, "TopMargin", K::Number, 0, 100},
          {O, "FreeCaret", K::Check},
          {O, "AutoIndent", K::Check},
          {O, "CaretUnderLine", K::Check},
          {O, "RetRowIndent", K::Check},
          {O, "StartIme", K::Check},
          {O, "ImeDefOnly", K::Check},
          {O, "WordWrap", K::Check},
          {O, "WrapCount", K::Number, 20, 800},
          {O, "WrapLine", K::Check}}},
        {opWindow,
         {{O, "ToolBar", K::Check},
          {O, "FlatToolBar", K::Check},
          {O, "ToolBtnHotImg", K::Check},
          {O, "ToolBtnImg", K::List, 0, 1},
          {O, "ToolBarEnabled", K::Check},
          {O, "StatusBar", K::Check},
          {O, "SBSimplePanels", K::Check},
          {O, "ScrollBar_Tate", K::Check},
          {O, "ScrollBar_Yoko", K::Check},
          {O, "FullPathFileName", K::Check},
          {O, "FullPathCnv", K::Check},
          {O, "ButtonFileName", K::Check},
          {O, "StartWindow", K::List, 0, 3},
          {O, "UserWindowSize", K::Check, 0, 0, true},  // StartWindow 3 and the menu item need it
          {O, "UserWindowSize_W", K::Number, 100, int(work.right)},
          {O, "UserWindowSize_H", K::Number, 100, int(work.bottom)},
          {O, "UserWindowPos", K::Check},
          {O, "UserWindowPos_X", K::Number, -32767, 32767},
          {O, "UserWindowPos_Y", K::Number, -32767, 32767},
          {O, "UserWindowMenu", K::Check}}},
        {opView,
         {{O, "TabMark", K::Check},
          {O, "SpMark", K::Check},
          {O, "HSpMark", K::Check},
          {O, "RetMark", K::Check},
          {O, "EofMark", K::Check},
          {O, "ColLine", K::Check},
          {O, "ColLineByte", K::Number, 0, 1000},
          {O, "LinkWord", K::Check},
          {O, "LinkUnderline", K::Check},
          {O, "UrlEx", K::Check},
          {O, "NotUrlChars", K::Text},
          {O, "InyouRow", K::Check},
          {O, "Inyouhu", K::Text}}},
        {opRuler,
         {{L, "Ruler", K::Check},
          {L, "RulerAutoOff", K::Check},
          {L, "RulerClr", K::Check},
          {L, "RulerGaugeRange", K::List, 0, 1},
          {L, "LeftBar", K::Check},
          {L, "LeftBarAutoOff", K::Check},
          {L, "LeftBarClr", K::Check},
          {L, "LeftBarColumn", K::Number, 1, 8},
          {O, "LineNum", K::Check}}},
        {opKinsoku,
         {{O, "WordBreak", K::Check},
          {O, "FollowRetMark", K::Check},
          {O, "Leading", K::Check},
          {O, "FollowStr", K::Text},
          {O, "LeadStr", K::Text},
          {O, "FollowPunctuation", K::Check},
          {O, "PunctuationStr", K::Text}}},
        {opBrowser,
         {{B, "Menu", K::List, 0, 2},
          {B, "Save", K::List, 0, 2},
          {B, "IePath", K::Text},
          {B, "IeDde", K::Check},
          {B, "MfPath", K::Text},
          {B, "MfDde", K::Check}}},
        {opFile, files},
        {opFolder, {{O, "DefDirOn", K::Check}, {O, "DefDir", K::Text}}},
        {opBackup, {{kSecBackup, "Backup", K::Check}, {kSecBackup, "BackupPath", K::Text}}},
        {opHistory,
         {{H, "FileNameFormat", K::List, 0, 2},
          {H, "FileHisMaxCount", K::Number, 0, 30},
          {H, "NoTempDir", K::Check},
          {H, "NoDir", K::Check},
          {H, "NoDirs", K::Text}}},
        {opExtension, {{O, "DefEditMode", K::List, 0, 13}}},
        {opCode,
         {{J, "LoadAutoCvt", K::Check},
          {J, "SaveCvt", K::List, 0, 6},
          {J, "SaveRetCvt", K::List, 0, 3},
          {J, "NowJCodeReLoad", K::Check},
          {J, "NewCode", K::List, 0, 5},
          {J, "NewRetCode", K::List, 0, 2}}},
        {opOther,
         {{O, "Menu_NoSaveIni", K::Check},
          {O, "PopToolTop", K::Check},
          {O, "PrnSetNoSave", K::Check},
          {O, "HaneiBtNoClose", K::Check},
          {O, "NoLButtonImeEnter", K::Check},
          {O, "NoRepLoopDrawing", K::Check}}},
    };
}

const char* Caption(int page) { return kOptionPageCaptions[static_cast<std::size_t>(page)]; }

// One pass over every table: the file written, the dialog checked and
// changed, OK, the file saved and read again.
void Pass(int pass, const std::vector<TPageTable>& tables)
{
    TTempFolder dir;
    TFakeMachine machine;
    const std::string path = dir.File("v.ini");
    {
        TMemIniFile ini(path);
        for (const TPageTable& t : tables)
            for (const TKeyRow& r : t.Rows) ini.WriteString(r.Section, r.Key, PassValue(pass, r).File);
        ASSERT_TRUE(ini.UpdateFile());
    }
    TSettingsStore store(path, machine);
    ASSERT_TRUE(store.LoadSettings());
    bool seen = false;
    TScript script([&](TForm& f) {
        auto& form = dynamic_cast<TOptionForm&>(f);
        seen = true;
        std::set<std::string> named;
        for (const TPageTable& t : tables) {
            SCOPED_TRACE(Caption(t.Page));
            for (const TKeyRow& r : t.Rows) {
                named.insert(std::string(r.Section) + "/" + r.Key);
                const auto* b = form.Bindings().Find(r.Section, r.Key);
                if (!b) {
                    ADD_FAILURE() << r.Key << " has no control";
                    continue;
                }
                EXPECT_EQ(form.PageControl1.PageOf(*ControlOf(b->Control)), t.Page) << r.Key;
                const TValue v = PassValue(pass, r);
                EXPECT_EQ(Shown(*b), v.Shown) << r.Key;
                if (v.Typed) Type(*b, *v.Typed);
            }
        }
        for (const auto& b : form.Bindings().All())
            EXPECT_TRUE(named.count(std::string(b.Decl->Section) + "/" + b.Decl->Key))
                << b.Decl->Key << " is on page " << Caption(form.PageControl1.PageOf(*ControlOf(b.Control)))
                << " but not in its table";
        form.Button1.Click();
    });
    int page = opBasic;
    const TOptionHost host;
    EXPECT_EQ(ShowOptionDialog(store.Settings, page, host), mrOk);
    ASSERT_TRUE(seen);
    ASSERT_TRUE(store.SaveSettings());

    TSettingsStore again(path, machine);
    ASSERT_TRUE(again.LoadSettings());
    for (const TPageTable& t : tables) {
        SCOPED_TRACE(Caption(t.Page));
        for (const TKeyRow& r : t.Rows) {
            const auto* d = FindSettingDecl(AppSettingDecls(), r.Section, r.Key);
            ASSERT_TRUE(d) << r.Key;
            EXPECT_EQ(StoredText(*d, again.Settings), PassValue(pass, r).Stored) << r.Key;
        }
    }
}

} // namespace

TEST(OptionPages, EveryPlainControlRoundTripsThroughTheFileWithinItsRange)
{
    const std::vector<TPageTable> tables = Tables();
    for (int pass = 0; pass < 4; ++pass) {
        SCOPED_TRACE("pass " + S(pass));
        Pass(pass, tables);
    }
}
