#include "editor/editorhost.h"

namespace vellumo {

namespace {
IEditorHost defaultHost;
IEditorHost* currentHost = nullptr;
} // namespace

TEditorHostValues& EditorHostValues() noexcept
{
    static TEditorHostValues values;
    return values;
}

IEditorHost& EditorHost() noexcept { return currentHost ? *currentHost : defaultHost; }

IEditorHost* SetEditorHost(IEditorHost* host) noexcept
{
    IEditorHost* old = currentHost;
    currentHost = host;
    return old;
}

} // namespace vellumo
