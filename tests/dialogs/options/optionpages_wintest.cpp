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

    TPageTable& Checks(const char* section, std::initializer_list<const char*> keys)
    {
        for (const char* k : keys) Rows.push_back({section, k, K::Check});
        return *this;
    }
    TPageTable& Texts(const char* section, std::initializer_list<const char*> keys)
    {
        for (const char* k : keys) Rows.push_back({section, k, K::Text});
        return *this;
    }
    TPageTable& Number(const char* section, const char* key, int min, int max)
    {
        Rows.push_back({section, key, K::Number, min, max});
        return *this;
    }
    TPageTable& List(const char* section, const char* key, int items)
    {
        Rows.push_back({section, key, K::List, 0, items - 1});
        return *this;
    }
};

std::vector<TPageTable> Tables()
{
    const RECT work = GetWorkArea(nullptr);
    const char *L = kSecLeftBarAndRuler, *B = kSecBrowser, *H = kSecFileHistorySet, *J = kSecJCode;
    std::vector<TPageTable> t;
    t.push_back(TPageTable{opBasic, {}}
                    .Number(O, "TabSpaceCount", 1, 8)
                    .Number(O, "UndoMax", 64, 10000)
                    .Number(O, "LinePitch", 0, 10)
                    .Number(O, "CharPitch", 0, 5)
                    .Number(O, "LeftMargin", 0, 100)
                    .Number(O, "TopMargin", 0, 100)
                    .Number(O, "WrapCount", 20, 800)
                    .Checks(O, {"FreeCaret", "AutoIndent", "CaretUnderLine", "RetRowIndent", "StartIme", "ImeDefOnly",
                                "WordWrap", "WrapLine"}));
    t.push_back(TPageTable{opWindow, {}}
                    .Checks(O, {"ToolBar", "FlatToolBar", "ToolBtnHotImg", "ToolBarEnabled", "StatusBar",
                                "SBSimplePanels", "ScrollBar_Tate", "ScrollBar_Yoko", "FullPathFileName", "FullPathCnv",
                                "ButtonFileName", "UserWindowPos", "UserWindowMenu"})
                    .List(O, "ToolBtnImg", 2)
                    .List(O, "StartWindow", 4)
                    .Number(O, "UserWindowSize_W", 100, int(work.right))
                    .Number(O, "UserWindowSize_H", 100, int(work.bottom))
                    .Number(O, "UserWindowPos_X", -32767, 32767)
                    .Number(O, "UserWindowPos_Y", -32767, 32767));
    // StartWindow 3 and the menu item need a size or a place.
    t.back().Rows.push_back({O, "UserWindowSize", K::Check, 0, 0, true});
    t.push_back(TPageTable{opView, {}}
                    .Checks(O, {"TabMark", "SpMark", "HSpMark", "RetMark", "EofMark", "ColLine", "LinkWord",
                                "LinkUnderline", "UrlEx", "InyouRow"})
                    .Number(O, "ColLineByte", 0, 1000)
                    .Texts(O, {"NotUrlChars", "Inyouhu"}));
    t.push_back(TPageTable{opRuler, {}}
                    .Checks(L, {"Ruler", "RulerAutoOff", "RulerClr", "LeftBar", "LeftBarAutoOff", "LeftBarClr"})
                    .List(L, "RulerGaugeRange", 2)
                    .Number(L, "LeftBarColumn", 1, 8)
                    .Checks(O, {"LineNum"}));
    t.push_back(TPageTable{opKinsoku, {}}
                    .Checks(O, {"WordBreak", "FollowRetMark", "Leading", "FollowPunctuation"})
                    .Texts(O, {"FollowStr", "LeadStr", "PunctuationStr"}));
    t.push_back(
        TPageTable{opBrowser, {}}.List(B, "Menu", 3).List(B, "Save", 3).Texts(B, {"IePath", "MfPath"}).Checks(B, {"IeDde", "MfDde"}));
    t.push_back(TPageTable{opFile, {}}
                    .List(O, "HaitaSeigyo", 3)
                    .Checks(O, {"NotDoubleOpen", "ChkFileAge", "ChkFileAgeMsg", "KeepRowLoad", "CreateNewFile",
                                "CreateNewFileMsg", "DropCloseToOpen", "ChkReadOnlyFile", "ChkOkWriteFile",
                                "AutoFileName", "NullFileMsg", "ModifiedOnFileSave"}));
    t.push_back(TPageTable{opFolder, {}}.Checks(O, {"DefDirOn"}).Texts(O, {"DefDir"}));
    t.push_back(TPageTable{opBackup, {}}.Checks(kSecBackup, {"Backup"}).Texts(kSecBackup, {"BackupPath"}));
    t.push_back(TPageTable{opHistory, {}}
                    .List(H, "FileNameFormat", 3)
                    .Number(H, "FileHisMaxCount", 0, 30)
                    .Checks(H, {"NoTempDir", "NoDir"})
                    .Texts(H, {"NoDirs"}));
    t.push_back(TPageTable{opExtension, {}}.List(O, "DefEditMode", 14));
    t.push_back(TPageTable{opCode, {}}
                    .Checks(J, {"LoadAutoCvt", "NowJCodeReLoad"})
                    .List(J, "SaveCvt", 7)
                    .List(J, "SaveRetCvt", 4)
                    .List(J, "NewCode", 6)
                    .List(J, "NewRetCode", 3));
    t.push_back(TPageTable{opOther, {}}.Checks(O, {"Menu_NoSaveIni", "PopToolTop", "PrnSetNoSave", "HaneiBtNoClose",
                                                "NoLButtonImeEnter", "NoRepLoopDrawing"}));
    return t;
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
