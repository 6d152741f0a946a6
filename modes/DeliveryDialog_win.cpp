#include "app/Program_win.h"
#include "modes/DeliveryDialog.h"

INT_PTR CALLBACK DeliveryDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, DeliveryDialogInit, DeliveryDialogStore);
}
