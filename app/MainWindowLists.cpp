#include "app/MainWindowLists.h"

#include "ui/ControlText.h"
#include "modes/ResultFile.h"

void MainWindowFillHiddenPowerList(const ControlAccess& controls) {
    ControlFillList(controls, 922, "指定無し", HiddenPowerTypeNames, 16);
    controls.setSelection(controls.context, 922, 0);
}
