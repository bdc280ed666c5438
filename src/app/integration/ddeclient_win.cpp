#include "app/integration/ddeclient_win.h"

#include <vector>

namespace vellumo {

namespace {

HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A string handle freed with its scope.
class TDdeString {
public:
    TDdeString(DWORD instance, const std::string& s)
        : instance_(instance), handle_(instance ? DdeCreateStringHandleA(instance, s.c_str(), CP_WINANSI) : nullptr)
    {
    }
    ~TDdeString()
    {
        if (handle_) DdeFreeStringHandle(instance_, handle_);
    }
    TDdeString(const TDdeString&) = delete;
    TDdeString& operator=(const TDdeString&) = delete;
    HSZ Get() const noexcept { return handle_; }

private:
    DWORD instance_;
    HSZ handle_;
};

bool StartProgram(const std::string& commandLine)
{
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_SHOWMINNOACTIVE;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
    WaitForInputIdle(pi.hProcess, TDdeClientConv::kStartWaitMs);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
}

} // namespace

TDdeClientConv::TDdeClientConv()
{
    if (DdeInitializeA(&instance_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) instance_ = 0;
}

TDdeClientConv::~TDdeClientConv()
{
    CloseLink();
    if (instance_) DdeUninitialize(instance_);
}

HCONV TDdeClientConv::Connect(const std::string& service, const std::string& topic)
{
    TDdeString s(instance_, service), t(instance_, topic);
    if (!s.Get() || !t.Get()) return nullptr;
    return DdeConnect(instance_, s.Get(), t.Get(), nullptr);
}

bool TDdeClientConv::SetLink(const std::string& service, const std::string& topic)
{
    CloseLink();
    if (!instance_) return false;
    conversation_ = Connect(service, topic);
    if (!conversation_ && !started_ && !serviceApplication_.empty()) {
        started_ = true;
        if (StartProgram(serviceApplication_)) {
            // The started program registers its service when it is ready: bounded.
            const DWORD start = GetTickCount();
            while (!conversation_ && GetTickCount() - start < kStartWaitMs) {
                Sleep(100);
                conversation_ = Connect(service, topic);
            }
        }
    }
    return conversation_ != nullptr;
}

bool TDdeClientConv::RequestData(const std::string& item)
{
    lastData_.clear();
    if (!conversation_) return false;
    TDdeString i(instance_, item);
    if (!i.Get()) return false;
    DWORD result = 0;
    HDDEDATA data =
        DdeClientTransaction(nullptr, 0, conversation_, i.Get(), CF_TEXT, XTYP_REQUEST, kRequestTimeoutMs, &result);
    if (!data) return false;
    DWORD size = 0;
    if (const BYTE* p = DdeAccessData(data, &size)) {
        std::size_t n = 0;
        while (n < size && p[n]) ++n;  // the server's block may lack a terminator
        lastData_.assign(reinterpret_cast<const char*>(p), n);
        DdeUnaccessData(data);
    }
    DdeFreeDataHandle(data);
    return true;
}

void TDdeClientConv::CloseLink()
{
    if (conversation_) DdeDisconnect(conversation_);
    conversation_ = nullptr;
}

} // namespace vellumo
