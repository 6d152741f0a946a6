#include "app/Program_win.h"

INT_PTR SettingsDialogHandle(HWND dialog, UINT message, WPARAM wParam, SettingsDialogInit init,
                             SettingsDialogStore store) {
    switch (message) {
        case WM_INITDIALOG:
            init(Win32ControlAccess(dialog), searchSettings);
            return TRUE;  // the dialog manager focuses the first tab stop
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    store(Win32ControlAccess(dialog), searchSettings);
                    EndDialog(dialog, 1);
                    break;
                case IDCANCEL:  // also Escape and the close box
                    EndDialog(dialog, 2);
                    break;
                default:  // the automatic check boxes and radios toggle themselves
                    break;
            }
            return TRUE;
        default:
            return FALSE;
    }
}
