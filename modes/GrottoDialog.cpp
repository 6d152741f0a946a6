#include "modes/GrottoDialog.h"

#include "ui/ControlText.h"
#include "modes/Grotto.h"
#include "res/resource.h"

namespace {

constexpr int kSlotBoxes[4] = {IDC_GROTTO_SLOT_A, IDC_GROTTO_SLOT_B, IDC_GROTTO_SLOT_C,
                               IDC_GROTTO_SLOT_D};

}  // namespace

void GrottoDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlFillList(controls, IDC_GROTTO_KIND, nullptr, GrottoKindNames, 11);
    controls.setSelection(controls.context, IDC_GROTTO_KIND, s.grottoKind);
    ControlFillList(controls, IDC_GROTTO_FEMALE_RATIO, nullptr, GrottoFemaleRatioNames, 5);
    controls.setSelection(controls.context, IDC_GROTTO_FEMALE_RATIO, s.grottoFemaleRatio);
    for (int i = 0; i < 4; ++i) controls.setChecked(controls.context, kSlotBoxes[i], s.grottoSlots[i]);
}

void GrottoDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.grottoKind = ControlReadSelection(controls, IDC_GROTTO_KIND, kGrottoKindCount);
    s.grottoFemaleRatio = ControlReadSelection(controls, IDC_GROTTO_FEMALE_RATIO, kGrottoFemaleRatioCount);
    for (int i = 0; i < 4; ++i) s.grottoSlots[i] = controls.isChecked(controls.context, kSlotBoxes[i]);
}
