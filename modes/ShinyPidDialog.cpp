#include "modes/ShinyPidDialog.h"

#include "ui/ControlText.h"
#include "modes/ResultFile.h"
#include "res/resource.h"

namespace {

constexpr int32_t kNatureEntries = 1 + 25;  // "指定無し" before the natures

}  // namespace

void ShinyPidDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlFillList(controls, IDC_SHINY_PID_NATURE, "指定無し", NatureNames, 25);
    controls.setSelection(controls.context, IDC_SHINY_PID_NATURE, s.shinyNature);
    ControlShowDecimal(controls, IDC_SHINY_PID_TRAINER_ID, s.shinyTrainerId);
    ControlShowDecimal(controls, IDC_SHINY_PID_SECRET_ID, s.shinySecretId);
    controls.setChecked(controls.context, IDC_SHINY_PID_EGG, s.shinyEncounter == 1);
    controls.setChecked(controls.context, IDC_SHINY_PID_ROAMER, s.shinyEncounter == 2);
    controls.setChecked(controls.context, IDC_SHINY_PID_FIXED,
                        s.shinyEncounter != 1 && s.shinyEncounter != 2);
    controls.setChecked(controls.context, IDC_SHINY_PID_ID_ADJUST, s.shinyIdAdjust);
}

void ShinyPidDialogStore(const ControlAccess& controls, SearchSettings& s) {
    // IDs are five typed digits kept modulo 65536.
    s.shinyTrainerId = static_cast<uint16_t>(ControlReadDecimal(controls, IDC_SHINY_PID_TRAINER_ID, 5));
    s.shinySecretId = static_cast<uint16_t>(ControlReadDecimal(controls, IDC_SHINY_PID_SECRET_ID, 5));
    if (controls.isChecked(controls.context, IDC_SHINY_PID_ROAMER)) s.shinyEncounter = 2;
    else if (controls.isChecked(controls.context, IDC_SHINY_PID_FIXED)) s.shinyEncounter = 3;
    else s.shinyEncounter = 1;
    s.shinyIdAdjust = controls.isChecked(controls.context, IDC_SHINY_PID_ID_ADJUST);
    s.shinyNature = ControlReadSelection(controls, IDC_SHINY_PID_NATURE, kNatureEntries);
}
