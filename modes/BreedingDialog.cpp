#include "modes/BreedingDialog.h"

#include "ui/ControlText.h"
#include "modes/Breeding.h"
#include "modes/ResultFile.h"
#include "res/resource.h"

namespace {

// 先 H..S, then 後 H..S.
constexpr int kParentIvEdits[2][6] = {
    {IDC_BREEDING_FIRST_H, IDC_BREEDING_FIRST_A, IDC_BREEDING_FIRST_B, IDC_BREEDING_FIRST_C,
     IDC_BREEDING_FIRST_D, IDC_BREEDING_FIRST_S},
    {IDC_BREEDING_SECOND_H, IDC_BREEDING_SECOND_A, IDC_BREEDING_SECOND_B, IDC_BREEDING_SECOND_C,
     IDC_BREEDING_SECOND_D, IDC_BREEDING_SECOND_S}};
// The parents' edits are read whole; no typed value comes near this.
constexpr int kParentIvCharacters = 255;
// The lists' entries: "指定無し" and "変わらず" before the natures, "指定無し"
// before the genders.
constexpr int32_t kNatureEntries = 2 + 25;
constexpr int32_t kAbilityEntries = 4;
constexpr int32_t kGenderEntries = 1 + 8;

}  // namespace

void BreedingDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    controls.setChecked(controls.context, IDC_BREEDING_DITTO, !s.breedingNoDitto);
    controls.setChecked(controls.context, IDC_BREEDING_NO_DITTO, s.breedingNoDitto);
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat)
            ControlShowDecimal(controls, kParentIvEdits[parent][stat], s.parentIv[parent][stat]);

    controls.addItem(controls.context, IDC_BREEDING_NATURE, "指定無し");
    ControlFillList(controls, IDC_BREEDING_NATURE, "変わらず", NatureNames, 25);
    ControlSelect(controls, IDC_BREEDING_NATURE, int64_t{s.breedingNature} + 1);
    ControlFillList(controls, IDC_BREEDING_ABILITY, nullptr, BreedingAbilityNames, 4);
    controls.setSelection(controls.context, IDC_BREEDING_ABILITY, s.breedingAbility);
    ControlFillList(controls, IDC_BREEDING_GENDER, "指定無し", BreedingGenderNames, 8);
    controls.setSelection(controls.context, IDC_BREEDING_GENDER, s.breedingGender);
}

void BreedingDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int parent = 0; parent < 2; ++parent)
        for (int stat = 0; stat < 6; ++stat)
            s.parentIv[parent][stat] =
                ControlReadDecimal(controls, kParentIvEdits[parent][stat], kParentIvCharacters);
    s.breedingNoDitto = !controls.isChecked(controls.context, IDC_BREEDING_DITTO);
    s.breedingNature = ControlReadSelection(controls, IDC_BREEDING_NATURE, kNatureEntries) - 1;
    s.breedingAbility = ControlReadSelection(controls, IDC_BREEDING_ABILITY, kAbilityEntries);
    s.breedingGender = ControlReadSelection(controls, IDC_BREEDING_GENDER, kGenderEntries);
}
