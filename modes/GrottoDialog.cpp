#include "modes/GrottoDialog.h"

#include "ui/ControlText.h"
#include "modes/Grotto.h"

namespace {

constexpr int kKindList = 1007;
constexpr int kFemaleRatioList = 1021;
constexpr int kSlotBoxes[4] = {1001, 1002, 1003, 1004};  // A, B, C, D

}  // namespace

void GrottoDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlFillList(controls, kKindList, nullptr, GrottoKindNames, 11);
    controls.setSelection(controls.context, kKindList, s.grottoKind);
    ControlFillList(controls, kFemaleRatioList, nullptr, GrottoFemaleRatioNames, 5);
    controls.setSelection(controls.context, kFemaleRatioList, s.grottoFemaleRatio);
    for (int i = 0; i < 4; ++i) controls.setChecked(controls.context, kSlotBoxes[i], s.grottoSlots[i]);
}

void GrottoDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.grottoKind = controls.getSelection(controls.context, kKindList);
    s.grottoFemaleRatio = controls.getSelection(controls.context, kFemaleRatioList);
    for (int i = 0; i < 4; ++i) s.grottoSlots[i] = controls.isChecked(controls.context, kSlotBoxes[i]);
}
