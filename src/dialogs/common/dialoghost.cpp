#include "dialogs/common/dialoghost.h"

namespace vellumo {

TDialogHost& DialogHost()
{
    static TDialogHost host;
    return host;
}

} // namespace vellumo
