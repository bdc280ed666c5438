#pragma once
// A DDE client conversation: links to a service and topic, requests items.
// When no server answers a link, the service program (when one is set) is
// started once and the link tried again for a few seconds. Windows only.
#include <windows.h>
#include <ddeml.h>

#include <string>

#include "app/integration/browserpreview.h"

namespace vellumo {

class TDdeClientConv : public IDdeConversation {
public:
    TDdeClientConv();
    ~TDdeClientConv() override;
    TDdeClientConv(const TDdeClientConv&) = delete;
    TDdeClientConv& operator=(const TDdeClientConv&) = delete;

    void SetServiceApplication(const std::string& commandLine) override { serviceApplication_ = commandLine; }
    bool SetLink(const std::string& service, const std::string& topic) override;
    bool RequestData(const std::string& item) override;
    // The data of the last successful request (up to its first NUL).
    const std::string& LastData() const noexcept { return lastData_; }
    void CloseLink() override;

    // How long a link waits for a started service program.
    static constexpr DWORD kStartWaitMs = 5000;
    static constexpr DWORD kRequestTimeoutMs = 10000;

private:
    HCONV Connect(const std::string& service, const std::string& topic);
    DWORD instance_ = 0;
    HCONV conversation_ = nullptr;
    std::string serviceApplication_;
    bool started_ = false;
    std::string lastData_;
};

} // namespace vellumo
