// The Win32 program's process-wide state and the entry points its files
// share. Only *_win.cpp files include this header.
#pragma once

#include <windows.h>

#include "ui/Controls.h"
#include "modes/SearchSettings.h"
#include "app/SettingsDialogs.h"
#include "app/StartCommand.h"
#include "engine/WindowSystem.h"

extern HINSTANCE programInstance;  // owner of the class, the controls and the dialogs
extern HWND mainWindow;            // null once the window has been destroyed
extern SearchSettings searchSettings;
extern StartCommandState startCommand;  // startCommand.running is SearchRunning

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The controls of a window or dialog, by ID.
ControlAccess Win32ControlAccess(HWND parent);

// The search's message pump. A WM_QUIT it removes (the window was closed
// mid-search) stops the search through running and is remembered, so the
// start command can post it again for the outer message loop.
struct Win32Pump {
    bool* running;   // SearchRunning
    bool quitSeen;
    int quitCode;    // wParam of the removed WM_QUIT
};
extern Win32Pump searchPump;
WindowSystem Win32WindowSystem(Win32Pump& pump);

// Opens a settings dialog modally over owner: its init on opening, its store
// on OK (result 1), nothing on Cancel (result 2).
void SettingsDialogShow(HWND owner, const SettingsDialog& dialog);
