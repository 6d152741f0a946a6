#include "app/Program_win.h"
#include "app/KeyPatternDialog.h"

INT_PTR CALLBACK KeyPatternDialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    return SettingsDialogHandle(dialog, message, wParam, KeyPatternDialogInit, KeyPatternDialogStore);
}
