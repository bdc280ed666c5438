#include "app/commands/filecmds.h"

namespace vellumo {

TCharCode ReloadCodeOfItem(int position) noexcept
{
    static constexpr TCharCode codes[] = {ccSjis, ccJis, ccEuc, ccUnicode, ccUtf8};
    return position >= 0 && position < 5 ? codes[position] : ccSjis;
}

int ReloadItemOfCode(TCharCode code) noexcept
{
    switch (code) {
    case ccJis:
    case ccJisOld: return 1;
    case ccEuc: return 2;
    case ccUnicode: return 3;
    case ccUtf8:
    case ccUtf8N: return 4;
    default: return 0;
    }
}

TFileMenuEnabling FileMenuEnabling(const TFileMenuInput& in, TCharCode documentCode) noexcept
{
    TFileMenuEnabling e;
    e.ReLoad = in.Named;
    e.Save = !in.ReadOnly && (!in.ModifiedOnFileSave || in.Modified);
    e.SaveExit = !in.ReadOnly;
    if (in.Named) {
        e.ReLoadCode.fill(true);
        e.ReLoadCode[static_cast<std::size_t>(ReloadItemOfCode(documentCode))] = false;
    }
    e.Save2 = e.SaveExit2 = !in.ReadOnly && in.WordWrap;
    e.SaveAs2 = in.WordWrap;
    return e;
}

TSaveCode SaveCvtOfCode(TCharCode code) noexcept
{
    switch (code) {
    case ccJis:
    case ccJisOld: return scJis;
    case ccEuc: return scEuc;
    case ccUnicode: return scUnicode;
    case ccUtf8: return scUtf8;
    case ccUtf8N: return scUtf8N;
    default: return scSjis;
    }
}

int SaveRetCvtOfLineEnd(TLineEndCode lineEnd) noexcept
{
    return lineEnd == leCr ? 2 : lineEnd == leLf ? 3 : 1;
}

TSaveAction SaveCommandAction(const TFileMenuInput& in, bool needsSaveAs) noexcept
{
    if (in.ReadOnly || (in.ModifiedOnFileSave && !in.Modified)) return TSaveAction::Beep;
    return needsSaveAs ? TSaveAction::SaveAs : TSaveAction::Save;
}

bool OpenGoesToNewInstance(const TFileMenuInput& in) noexcept { return in.Named || in.Modified; }

std::string NewInstanceArguments(const std::string& fileName, bool readOnly)
{
    std::string quoted = "\"" + fileName + "\"";
    return readOnly ? "/rl " + quoted : quoted;
}

namespace {

// Puts values back when the scope ends, unless told to keep some.
class TSaveCodeRestore {
public:
    explicit TSaveCodeRestore(const TSaveWithCodeState& s)
        : s_(s), cvt_(s.SaveCvt), retCvt_(s.SaveRetCvt), code_(s.DocumentCode), lineEnd_(s.DocumentLineEnd)
    {
    }
    ~TSaveCodeRestore()
    {
        s_.SaveCvt = cvt_;
        s_.SaveRetCvt = retCvt_;
        if (keepDocument_) return;
        s_.DocumentCode = code_;
        s_.DocumentLineEnd = lineEnd_;
    }
    TSaveCodeRestore(const TSaveCodeRestore&) = delete;
    TSaveCodeRestore& operator=(const TSaveCodeRestore&) = delete;
    void KeepDocument() noexcept { keepDocument_ = true; }

private:
    const TSaveWithCodeState& s_;
    int cvt_, retCvt_;
    TCharCode code_;
    TLineEndCode lineEnd_;
    bool keepDocument_ = false;
};

} // namespace

bool SaveWithCode(const TSaveWithCodeState& state, bool readOnly, const TSaveWithCodeSteps& steps)
{
    TSaveCodeRestore restore(state);
    const bool needsSaveAs = steps.NeedsSaveAs && steps.NeedsSaveAs();
    TCharCode code = state.DocumentCode;
    TLineEndCode lineEnd = state.DocumentLineEnd;
    bool saveAs = needsSaveAs;
    if (!steps.Dialog || !steps.Dialog(code, lineEnd, saveAs, readOnly)) return false;
    state.SaveCvt = SaveCvtOfCode(code);
    state.SaveRetCvt = SaveRetCvtOfLineEnd(lineEnd);
    const auto& save = saveAs || needsSaveAs || readOnly ? steps.SaveAs : steps.Save;
    const bool saved = save && save();
    if (saved) restore.KeepDocument();
    return saved;
}

bool MayCloseAfter(TSaveAnswer answer, bool saveSucceeded) noexcept
{
    switch (answer) {
    case TSaveAnswer::No: return true;
    case TSaveAnswer::Yes: return saveSucceeded;
    default: return false;
    }
}

} // namespace vellumo
