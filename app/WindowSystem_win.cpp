#include "app/Program_win.h"

#include <shellapi.h>  // after <windows.h>, which it needs

#include "app/WindowTitle.h"

Win32Pump searchPump = {nullptr, false, 0};

namespace {

void Win32PumpMessages(void* context) {
    Win32Pump& pump = *static_cast<Win32Pump*>(context);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // The window is gone (WM_DESTROY posted this). Removing the quit
            // here would leave the outer loop running forever, so the search
            // stops and the start command posts the quit again.
            pump.quitSeen = true;
            pump.quitCode = static_cast<int>(message.wParam);
            if (pump.running) *pump.running = false;
            return;
        }
        // Tab, Shift+Tab and the arrow keys among the controls, as in the
        // outer loop, so the window keeps working while a search runs.
        if (mainWindow && IsDialogMessageA(mainWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Win32ShowProgress(void*, int32_t year, int32_t month, int32_t day, int32_t count) {
    if (!mainWindow) return;
    char text[kSearchProgressTextSize];
    SearchProgressText(text, year, month, day, count);
    SetWindowTextA(mainWindow, text);
}

void Win32RestoreTitle(void*) {
    if (mainWindow) SetWindowTextA(mainWindow, kMainWindowTitle);
}

void Win32ShellOpen(void*, const char* path) {
    if (mainWindow) ShellExecuteA(mainWindow, "open", path, nullptr, nullptr, SW_SHOWNORMAL);
}

uint64_t Win32NowMillis(void*) {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    uint64_t f = static_cast<uint64_t>(frequency.QuadPart);
    uint64_t c = static_cast<uint64_t>(counter.QuadPart);
    if (f == 0) return 0;
    // Split so that the multiplication cannot overflow after long uptimes.
    return c / f * 1000u + c % f * 1000u / f;
}

bool Win32QuitRequested(void* context) { return static_cast<Win32Pump*>(context)->quitSeen; }

}  // namespace

WindowSystem Win32WindowSystem(Win32Pump& pump) {
    return WindowSystem{&pump,          Win32PumpMessages, Win32ShowProgress, Win32RestoreTitle,
                        Win32ShellOpen, Win32NowMillis,    Win32QuitRequested};
}
