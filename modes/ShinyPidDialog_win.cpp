#include "app/Program_win.h"
#include "modes/ShinyPidDialog.h"

INT_PTR CALLBACK ShinyPidDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, ShinyPidDialogInit, ShinyPidDialogStore);
}
