#include "app/Program_win.h"
#include "modes/CometDialog.h"

INT_PTR CALLBACK CometDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, CometDialogInit, CometDialogStore);
}
