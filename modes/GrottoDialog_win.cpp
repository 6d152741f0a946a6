#include "app/Program_win.h"
#include "modes/GrottoDialog.h"

INT_PTR CALLBACK GrottoDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, GrottoDialogInit, GrottoDialogStore);
}
