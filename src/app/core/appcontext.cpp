#include "app/core/appcontext.h"

#include <stdexcept>

namespace vellumo {

namespace {
IMainWindow* g_mainForm = nullptr;
TSettingsStore* g_settings = nullptr;
int g_busy = 0;
int g_toolWait = 0;
} // namespace

IMainWindow* MainForm() noexcept { return g_mainForm; }
void SetMainForm(IMainWindow* form) noexcept { g_mainForm = form; }

TDocumentState& Document() noexcept
{
    static TDocumentState state;
    return state;
}

TSettingsStore& AppSettingsStore()
{
    if (!g_settings) throw std::logic_error("no settings store installed");
    return *g_settings;
}
void SetAppSettingsStore(TSettingsStore* store) noexcept { g_settings = store; }

bool DocumentBusy() noexcept { return g_busy > 0; }
TDocumentBusy::TDocumentBusy() noexcept { ++g_busy; }
TDocumentBusy::~TDocumentBusy() { --g_busy; }

bool ToolWaiting() noexcept { return g_toolWait > 0; }
TToolWait::TToolWait() noexcept { ++g_toolWait; }
TToolWait::~TToolWait() { --g_toolWait; }

} // namespace vellumo
