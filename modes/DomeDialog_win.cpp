#include "app/Program_win.h"
#include "modes/DomeDialog.h"

INT_PTR CALLBACK DomeDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, DomeDialogInit, DomeDialogStore);
}
