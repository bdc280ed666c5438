#pragma once
// A shortcut file made through the shell's own link object.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <string>

namespace vellumo::testing {

// link: the .lnk file to write (an ASCII path); target: what it points at.
inline bool MakeShortcut(const std::string& link, const std::string& target)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkA* sl = nullptr;
    IPersistFile* pf = nullptr;
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&sl))) &&
              SUCCEEDED(sl->SetPath(target.c_str())) &&
              SUCCEEDED(sl->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&pf)));
    const std::wstring wide(link.begin(), link.end());
    ok = ok && SUCCEEDED(pf->Save(wide.c_str(), TRUE));
    if (pf) pf->Release();
    if (sl) sl->Release();
    CoUninitialize();
    return ok;
}

} // namespace vellumo::testing
