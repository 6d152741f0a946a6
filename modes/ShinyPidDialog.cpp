#include "modes/ShinyPidDialog.h"

#include "ui/ControlText.h"
#include "modes/ResultFile.h"

namespace {

constexpr int kTrainerIdEdit = 1005;
constexpr int kSecretIdEdit = 1006;
constexpr int kNatureList = 1007;
constexpr int kIdAdjustBox = 1001;
constexpr int kEggRadio = 1002;     // "孵化", encounter 1
constexpr int kRoamerRadio = 1003;  // "徘徊", encounter 2
constexpr int kFixedRadio = 1004;   // "固定", encounter 3

}  // namespace

void ShinyPidDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlFillList(controls, kNatureList, "指定無し", NatureNames, 25);
    controls.setSelection(controls.context, kNatureList, s.shinyNature);
    ControlShowDecimal(controls, kTrainerIdEdit, s.shinyTrainerId);
    ControlShowDecimal(controls, kSecretIdEdit, s.shinySecretId);
    controls.setChecked(controls.context, kEggRadio, s.shinyEncounter == 1);
    controls.setChecked(controls.context, kRoamerRadio, s.shinyEncounter == 2);
    controls.setChecked(controls.context, kFixedRadio,
                        s.shinyEncounter != 1 && s.shinyEncounter != 2);
    controls.setChecked(controls.context, kIdAdjustBox, s.shinyIdAdjust);
}

void ShinyPidDialogStore(const ControlAccess& controls, SearchSettings& s) {
    // IDs are five typed digits kept modulo 65536.
    s.shinyTrainerId = static_cast<uint16_t>(ControlReadDecimal(controls, kTrainerIdEdit, 5));
    s.shinySecretId = static_cast<uint16_t>(ControlReadDecimal(controls, kSecretIdEdit, 5));
    if (controls.isChecked(controls.context, kRoamerRadio)) s.shinyEncounter = 2;
    else if (controls.isChecked(controls.context, kFixedRadio)) s.shinyEncounter = 3;
    else s.shinyEncounter = 1;
    s.shinyIdAdjust = controls.isChecked(controls.context, kIdAdjustBox);
    s.shinyNature = controls.getSelection(controls.context, kNatureList);
}
