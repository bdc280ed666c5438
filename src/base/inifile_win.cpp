#include "base/inifile.h"

#include <windows.h>

namespace vellumo {

bool IniFileIsReadOnly(const std::string& path)
{
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) == 0 && (a & FILE_ATTRIBUTE_READONLY) != 0;
}

} // namespace vellumo
