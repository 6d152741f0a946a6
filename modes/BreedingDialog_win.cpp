#include "app/Program_win.h"
#include "modes/BreedingDialog.h"

INT_PTR CALLBACK BreedingDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, BreedingDialogInit, BreedingDialogStore);
}
