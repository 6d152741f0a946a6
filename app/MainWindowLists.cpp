#include "app/MainWindowLists.h"

#include "ui/ControlText.h"
#include "modes/ResultFile.h"
#include "res/resource.h"

void MainWindowFillHiddenPowerList(const ControlAccess& controls) {
    ControlFillList(controls, IDC_HIDDEN_POWER_TYPE, "指定無し", HiddenPowerTypeNames, 16);
    controls.setSelection(controls.context, IDC_HIDDEN_POWER_TYPE, 0);
}
