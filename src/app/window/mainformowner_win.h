#pragma once
// The class library's form services and the application object as the main
// window uses them (mainformowner_win.cpp). The library's form header and the
// editor's cannot meet in one file, so they are reached through these.
// Windows only.
#include <windows.h>

#include <string>

namespace vellumo {

// The owner of dialogs and message boxes.
void RegisterMainWindow(HWND window);
// One pass of the message queue, through the application's pump.
void PumpMessagesOnce();
// The class of the hidden file-name edit ("TEdit").
const char* OpenFileNameEditClass();
// The application window: owner of the main window, the task-bar button.
HWND ApplicationWindow();
void SetApplicationTitle(const std::string& title);
void ShowApplicationWindow();
void MinimizeApplication();
// Kept at (-100,-100) with size 0 whenever it comes back on screen.
void KeepApplicationWindowHidden();

} // namespace vellumo
