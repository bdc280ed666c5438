#pragma once
// The Window menu's commands on the main windows of every instance. Other
// instances may hang: nothing here waits for another process's window to
// answer (positions and shows are asynchronous, system commands posted).
// Windows only.
#include <windows.h>

#include <string>
#include <vector>

#include "app/startup/arrange.h"

namespace vellumo {

// The main windows a list takes, as the system enumerates them now.
std::vector<HWND> ListedWindows(TWindowList list);
// A main window and its application window to the top of the Z order, the
// owner first, without activating: activation alone does not raise a window
// everywhere, and the lists go by the main windows' places.
void RaiseWithOwner(HWND main);
// The primary monitor's work area.
TArea WorkArea();

// Each shows "対象のウィンドウが多すぎます。" instead of moving anything when
// the cells would be too small (cascading never refuses).
void ArrangeTiled();
void ArrangeCascaded();
void ArrangeStacked();
void ArrangeSideBySide();
void MinimizeAllWindows();
// self: this instance's main window, brought back to the front afterwards.
void RestoreAllWindows(HWND self);
void ActivateNextWindow();
void ActivatePreviousWindow();

struct TListedInstance {
    HWND Window = nullptr;
    std::string Title;  // the owner's title without the program's suffix
};
// The window list of the menu, in Z order.
std::vector<TListedInstance> WindowListEntries();
// A window list item: a minimized instance is restored, any other brought
// to the front. Nothing when the handle is no instance's main window (any
// more).
void BringInstanceForward(HWND window);

} // namespace vellumo
