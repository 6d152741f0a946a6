#include "modes/BreedingDialog.h"

#include "ui/ControlText.h"
#include "modes/Breeding.h"
#include "modes/ResultFile.h"

namespace {

constexpr int kDittoRadio = 1002;    // "メタモン有り"
constexpr int kNoDittoRadio = 1003;  // "メタモン無し"
constexpr int kNatureList = 1026;    // entry = breedingNature + 1
constexpr int kAbilityList = 1024;
constexpr int kGenderList = 1025;
// 先 H..S, then 後 H..S.
constexpr int kParentIvEdits[2][6] = {{1005, 1006, 1023, 1027, 1028, 1029},
                                      {1030, 1031, 1032, 1033, 1034, 1035}};
// The parents' edits are read whole; no typed value comes near this.
constexpr int kParentIvCharacters = 255;

}  // namespace

void BreedingDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    controls.setChecked(controls.context, kDittoRadio, !s.breedingNoDitto);
    controls.setChecked(controls.context, kNoDittoRadio, s.breedingNoDitto);
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat)
            ControlShowDecimal(controls, kParentIvEdits[parent][stat], s.parentIv[parent][stat]);

    controls.addItem(controls.context, kNatureList, "指定無し");
    ControlFillList(controls, kNatureList, "変わらず", NatureNames, 25);
    controls.setSelection(controls.context, kNatureList, s.breedingNature + 1);
    ControlFillList(controls, kAbilityList, nullptr, BreedingAbilityNames, 4);
    controls.setSelection(controls.context, kAbilityList, s.breedingAbility);
    ControlFillList(controls, kGenderList, "指定無し", BreedingGenderNames, 8);
    controls.setSelection(controls.context, kGenderList, s.breedingGender);
}

void BreedingDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat)
            s.parentIv[parent][stat] =
                ControlReadDecimal(controls, kParentIvEdits[parent][stat], kParentIvCharacters);
    s.breedingNoDitto = !controls.isChecked(controls.context, kDittoRadio);
    s.breedingNature = controls.getSelection(controls.context, kNatureList) - 1;
    s.breedingAbility = controls.getSelection(controls.context, kAbilityList);
    s.breedingGender = controls.getSelection(controls.context, kGenderList);
}
