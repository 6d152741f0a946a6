#include "app/MainWindowLayout.h"
#include "app/Program_win.h"
#include "app/WindowTitle.h"

HINSTANCE programInstance = nullptr;
HWND mainWindow = nullptr;

namespace {

HANDLE LoadSharedSystemImage(LPCSTR name, UINT type) {
    return LoadImageA(nullptr, name, type, 0, 0, LR_SHARED | LR_DEFAULTSIZE);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    programInstance = instance;

    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = kMainWindowClassStyle;
    windowClass.lpfnWndProc = MainWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = static_cast<HICON>(LoadSharedSystemImage(IDI_APPLICATION, IMAGE_ICON));
    windowClass.hIconSm = static_cast<HICON>(LoadSharedSystemImage(IDI_APPLICATION, IMAGE_ICON));
    windowClass.hCursor = static_cast<HCURSOR>(LoadSharedSystemImage(IDC_ARROW, IMAGE_CURSOR));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kMainWindowClassName;
    if (!RegisterClassExA(&windowClass)) return 0;

    HWND window = CreateWindowExA(0, kMainWindowClassName, kMainWindowTitle, kMainWindowStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kMainWindowWidth,
                                  kMainWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 0;
    mainWindow = window;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    MSG message = {};
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) break;
        // The main window is no dialog, but IsDialogMessageA gives it the
        // dialog manager's keyboard handling: Tab through the tab stops and
        // the arrow keys inside the version radio group.
        if (mainWindow && IsDialogMessageA(mainWindow, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
