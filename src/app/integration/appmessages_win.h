#pragma once
// The main window's side of the messages other instances and other programs
// send it (numbers and checks in appmessages.h). Windows only.
#include "classlib/control_win.h"

namespace vellumo {

class TVellumoMainForm;

// Handles an interface message (IsInterfaceMessage) sent to the main window
// and sets its answer; false for any other message. Nothing a sender passes
// is used before it is checked, and no exception leaves it.
bool HandleInterfaceMessage(TVellumoMainForm& form, TMessage& m);

} // namespace vellumo
