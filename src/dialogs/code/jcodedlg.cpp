#include "dialogs/code/jcodedlg.h"

namespace vellumo {

int SaveCodeIndex(TCharCode code) noexcept
{
    switch (code) {
    case ccJis:
    case ccJisOld: return 1;  // the older escape is saved as the current one
    case ccEuc: return 2;
    case ccUnicode: return 3;
    case ccUtf8: return 4;
    case ccUtf8N: return 5;
    default: return 0;  // undecided and binary text are offered as Shift-JIS
    }
}

TCharCode SaveCodeOfIndex(int index) noexcept
{
    static constexpr TCharCode codes[] = {ccSjis, ccJis, ccEuc, ccUnicode, ccUtf8, ccUtf8N};
    return index >= 0 && index < 6 ? codes[index] : ccSjis;
}

int SaveLineEndIndex(TLineEndCode lineEnd) noexcept
{
    return lineEnd == leCr ? 1 : lineEnd == leLf ? 2 : 0;
}

TLineEndCode SaveLineEndOfIndex(int index) noexcept
{
    return index == 1 ? leCr : index == 2 ? leLf : leCrLf;
}

} // namespace vellumo
