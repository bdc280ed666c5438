#pragma once
// Reading and writing the program's settings file. Every operation opens the
// file afresh (another instance may have written it) and writes it whole.
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "settings/machinedefaults.h"
#include "settings/settings.h"

namespace vellumo {

class TMemIniFile;

enum class TSaveResult {
    Saved,    // written; the other instances were told
    Skipped,  // Menu_NoSaveIni is on: nothing written, nobody told
    Failed    // not written (ErrorText says why); nobody told
};

class TSettingsStore {
public:
    TSettingsStore(std::string path, const TMachineDefaults& machine);

    // The process-wide values.
    TAppSettings Settings;

    // Told after every successful write, to make the other instances re-read
    // the file; never after a failed one.
    std::function<void()> OnSaved;

    const std::string& Path() const noexcept { return path_; }
    // Another settings file from now on (a settings folder switched at run
    // time); its first failures are reported again.
    void SetPath(std::string path)
    {
        path_ = std::move(path);
        errorReported_ = readOnlyReported_ = false;
    }
    const std::string& ErrorText() const noexcept { return error_; }
    // The last failure has been reported to the user already (a read-only
    // settings file is reported at its first refused write only): the
    // caller shows nothing more.
    bool ErrorReported() const noexcept { return errorReported_; }

    // Reads every section but [Print], [SearchOptions] and the window
    // placement. A missing file gives the defaults and is not created. A file
    // that exists but cannot be read also gives the defaults, and false.
    bool LoadSettings();

    // Writes [Option], [Color], [Browser], [JCode], [LeftBarAndRuler],
    // [Backup], [FileHistorySet] and [WrapByteList], and removes the obsolete
    // entries; other sections and lines stay as they are.
    bool SaveSettings();

    // The writes of the menu toggles; each does nothing when Menu_NoSaveIni is on.
    TSaveResult SaveWrapSetting();
    TSaveResult SaveFontSetting();
    // Section and key must name a declared key of that kind, or nothing is written.
    TSaveResult SaveOptionBool(std::string_view section, std::string_view key, bool value);
    TSaveResult SaveOptionInt(std::string_view section, std::string_view key, int value);

    // The quoted paste's mark: PasteInyouhu without its wrapping "%".
    std::string PasteQuoteMark() const;

    // The window placement at the last exit (read at start-up).
    TAppWindowPlacement LoadWindowPlacement();

    // [Print] and the print dialog's choices of this run (range, pages,
    // selection), which are never stored.
    TAppIniPrn Print;
    // [Print] -> Print, clamped (ClampPrintSettings); an obsolete ColPitch
    // above 0 is removed from the file, quietly. Values a failed save could
    // not store are kept for the rest of the run instead of being read back.
    void ReadPrintSettings();
    // Print -> [Print]. False when the file could not take them: the values
    // stay in Print for this run and the first such failure is reported
    // (ErrorReported()); no other instance is told either way.
    bool SavePrintSettings();

private:
    TSaveResult WriteSingle(const std::function<void(TMemIniFile&)>& write);
    bool Commit(TMemIniFile& ini);

    std::string path_;
    const TMachineDefaults& machine_;
    std::string error_;
    bool errorReported_ = false;
    bool readOnlyReported_ = false;
    bool printUnsaved_ = false;        // Print holds values the file refused
    bool printFailureReported_ = false;
};

// Where the settings file lives: beside the program, per Windows user under
// the program's folder, or in the application-data folder. Values outside
// the range are kept as read: below 0 counts as beside, above 2 as the
// application-data folder.
enum TIniLocation : int { ilBesideProgram = 0, ilPerUser = 1, ilAppData = 2 };

// [INI] UserIni of the file beside the program (the application-data folder
// also for a missing file or key).
TIniLocation ReadUserIniMode(const std::string& usrIniPath);

// Reads [WrapByteList] into a list of at most nine widths.
std::vector<int> ReadWrapWidths(const TMemIniFile& ini);
// Erases [WrapByteList] and writes the first nine widths when there are any.
void WriteWrapWidths(TMemIniFile& ini, const std::vector<int>& widths);

} // namespace vellumo
