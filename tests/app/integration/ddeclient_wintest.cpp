// The DDE client against a server in this process (its own thread): the
// preview's exchange arrives in order, and a link nobody answers fails in
// bounded time.
#include <gtest/gtest.h>

#include <windows.h>
#include <ddeml.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "app/integration/browserpreview.h"
#include "app/integration/ddeclient_win.h"

using namespace vellumo;

namespace {

// A server of one service that answers every topic and request with "ok".
class TTestServer {
public:
    explicit TTestServer(const char* service)
    {
        HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, service, ready] {
            self_ = this;
            DdeInitializeA(&inst_, Callback, APPCLASS_STANDARD, 0);
            HSZ name = DdeCreateStringHandleA(inst_, service, CP_WINANSI);
            DdeNameService(inst_, name, nullptr, DNS_REGISTER);
            threadId_ = GetCurrentThreadId();
            SetEvent(ready);
            MSG m;
            while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
            DdeNameService(inst_, name, nullptr, DNS_UNREGISTER);
            DdeFreeStringHandle(inst_, name);
            DdeUninitialize(inst_);
        });
        WaitForSingleObject(ready, 10000);
        CloseHandle(ready);
    }
    ~TTestServer()
    {
        PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
        thread_.join();
        self_ = nullptr;
    }
    std::vector<std::string> Log()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return log_;
    }

private:
    static std::string Text(HSZ h)
    {
        char buf[512] = {};
        DdeQueryStringA(self_->inst_, h, buf, sizeof buf, CP_WINANSI);
        return buf;
    }
    static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR, ULONG_PTR)
    {
        switch (type) {
        case XTYP_CONNECT: {
            std::lock_guard<std::mutex> lock(self_->mutex_);
            self_->log_.push_back("topic " + Text(topic));
            return reinterpret_cast<HDDEDATA>(TRUE);
        }
        case XTYP_REQUEST: {
            {
                std::lock_guard<std::mutex> lock(self_->mutex_);
                self_->log_.push_back("item " + Text(item));
            }
            static const char ok[] = "ok";
            return DdeCreateDataHandle(self_->inst_, reinterpret_cast<LPBYTE>(const_cast<char*>(ok)), sizeof ok, 0, item,
                                       CF_TEXT, 0);
        }
        default: return nullptr;
        }
    }
    static inline TTestServer* self_ = nullptr;
    std::thread thread_;
    DWORD inst_ = 0, threadId_ = 0;
    std::mutex mutex_;
    std::vector<std::string> log_;
};

TEST(DdeClient, ThePreviewsExchangeReachesARunningServerInOrder)
{
    TTestServer server("Iexplore");
    TDdeClientConv conv;
    const std::string file = "C:\\\x95\x5C\\a.html";
    ASSERT_TRUE(OpenOverDde(TPreviewBrowser::First, "C:\\x.exe", file, conv));
    EXPECT_EQ(conv.LastData(), "ok");
    EXPECT_EQ(server.Log(), (std::vector<std::string>{"topic WWW_OpenURL", "item \"file:" + file + "\",,-1,,,,,",
                                                      "topic WWW_Activate", "item 0xFFFFFFFF,0x0"}));
}

TEST(DdeClient, ALinkNobodyAnswersFailsInBoundedTime)
{
    TDdeClientConv conv;
    EXPECT_FALSE(conv.SetLink("VellumoNoSuchService", "WWW_OpenURL"));
    EXPECT_FALSE(conv.RequestData("x"));
    // A service program that cannot start is tried once, then the link fails.
    conv.SetServiceApplication("\"c:\\no\\such\\program\" -nohome");
    const DWORD start = GetTickCount();
    EXPECT_FALSE(conv.SetLink("VellumoNoSuchService", "WWW_OpenURL"));
    EXPECT_FALSE(conv.SetLink("VellumoNoSuchService", "WWW_Activate"));
    EXPECT_LT(GetTickCount() - start, 2 * TDdeClientConv::kStartWaitMs);
}

} // namespace
