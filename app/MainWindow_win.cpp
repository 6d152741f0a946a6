#include <cstring>

#include "app/Capture.h"
#include "app/ConfigFile.h"
#include "app/MainWindowLayout.h"
#include "app/MainWindowLists.h"
#include "app/Program_win.h"
#include "res/resource.h"
#include "engine/SearchEngine.h"
#include "engine/SeedSearch.h"

SearchSettings searchSettings;
StartCommandState startCommand;

namespace {

const char kConfigPath[] = "config.txt";
const char kResultPath[] = "result.txt";

void CreateControls(HWND window) {
    for (const MainWindowControl& control : kMainWindowControls) {
        // The control ID travels in the menu argument of a child window.
        CreateWindowExA(0, MainControlClass(control.kind), control.text,
                        MainControlStyle(control.kind, kMainWindowEditsScroll), control.x,
                        control.y, control.width, control.height, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                        programInstance, nullptr);
    }
}

void Paint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    // Default pen and white brush: the black border lies outside the client area.
    Rectangle(dc, kMainWindowPaintLeft, kMainWindowPaintTop, kMainWindowPaintRight,
              kMainWindowPaintBottom);
    for (const MainWindowLabel& label : kMainWindowLabels)
        TextOutA(dc, label.x, label.y, label.text, static_cast<int>(std::strlen(label.text)));
    EndPaint(window, &paint);
}

// The start command's view of the window. The context is the window handle,
// valid as long as windowClosed() is false.
void HostSetButtonText(void* context, const char* text) {
    SetWindowTextA(GetDlgItem(static_cast<HWND>(context), IDC_START_SEARCH), text);
}

void HostCapture(void* context, SearchSettings& settings) {
    CaptureMainWindow(Win32ControlAccess(static_cast<HWND>(context)), settings);
}

void HostRunSearch(void*, const SearchSettings& settings, bool& running) {
    searchPump.running = &running;
    WindowSystem window = Win32WindowSystem(searchPump);
    RunSearch(settings, running, window, SearchOptions{kResultPath, SearchEngineBest()});
    searchPump.running = nullptr;
}

bool HostWindowClosed(void*) { return searchPump.quitSeen; }

void HostEndProgram(void*) { PostQuitMessage(searchPump.quitCode); }

void HostRepaint(void* context) { InvalidateRect(static_cast<HWND>(context), nullptr, FALSE); }

void Command(HWND window, int id) {
    switch (id) {
        case IDC_START_SEARCH: {
            StartCommandHost host{window,          HostSetButtonText, HostCapture,
                                  HostRunSearch,   HostWindowClosed,  HostEndProgram,
                                  HostRepaint};
            StartCommandPress(startCommand, searchSettings, host);
            break;
        }
        case IDC_REPAINT:
            InvalidateRect(window, nullptr, FALSE);
            break;
        case IDC_SAVE:
            ConfigFileSave(kConfigPath, Win32ControlAccess(window));
            break;
        default:
            if (const SettingsDialog* dialog = SettingsDialogOf(id)) SettingsDialogShow(window, *dialog);
            break;
    }
}

}  // namespace

LRESULT CALLBACK MainWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE: {
            mainWindow = window;
            StartCommandStateInit(startCommand);
            CreateControls(window);
            SearchSettingsInit(searchSettings);
            ControlAccess controls = Win32ControlAccess(window);
            MainWindowFillHiddenPowerList(controls);
            ConfigFileLoad(kConfigPath, controls, searchSettings);
            return 0;
        }
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_COMMAND:
            Command(window, LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            // From here on nothing may address the window: the pump, the
            // title and the shell's owner all test mainWindow first.
            mainWindow = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}
