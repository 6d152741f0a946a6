#include "app/Program_win.h"

namespace {

// The one procedure of every settings dialog. Its SettingsDialog comes as
// the creation parameter of WM_INITDIALOG and is kept in the dialog's user
// data for the commands that follow; messages that arrive before
// WM_INITDIALOG (WM_SETFONT) find none and are left to the dialog manager.
INT_PTR CALLBACK SettingsDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
            const auto* settings = reinterpret_cast<const SettingsDialog*>(lParam);
            if (settings) settings->init(Win32ControlAccess(dialog), searchSettings);
            return TRUE;  // the dialog manager focuses the first tab stop
        }
        case WM_COMMAND: {
            const auto* settings =
                reinterpret_cast<const SettingsDialog*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
            switch (LOWORD(wParam)) {
                case IDOK:
                    // The live record: a dialog opened during a search
                    // changes what the following candidates are tested for.
                    if (settings) settings->store(Win32ControlAccess(dialog), searchSettings);
                    EndDialog(dialog, 1);
                    break;
                case IDCANCEL:  // also Escape and the close box
                    EndDialog(dialog, 2);
                    break;
                default:  // the automatic check boxes and radios toggle themselves
                    break;
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

void SettingsDialogShow(HWND owner, const SettingsDialog& settings) {
    // A dialog that cannot be created is ignored, so is the result.
    DialogBoxParamA(programInstance, MAKEINTRESOURCEA(settings.templateId), owner,
                    SettingsDialogProcedure, reinterpret_cast<LPARAM>(&settings));
}
