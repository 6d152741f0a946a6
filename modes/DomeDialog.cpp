#include "modes/DomeDialog.h"

#include "ui/ControlText.h"
#include "modes/Dome.h"
#include "res/resource.h"

namespace {

constexpr int kTrainerLists[6] = {IDC_DOME_TRAINER_1, IDC_DOME_TRAINER_2, IDC_DOME_TRAINER_3,
                                  IDC_DOME_TRAINER_4, IDC_DOME_TRAINER_5, IDC_DOME_TRAINER_6};

}  // namespace

void DomeDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    for (int i = 0; i < 6; ++i) {
        ControlFillList(controls, kTrainerLists[i], "指定無し", DomeTrainerNames, 52);
        controls.setSelection(controls.context, kTrainerLists[i], s.domeTrainers[i]);
    }
    ControlShowDecimal(controls, IDC_DOME_SHIFT_WIDTH, s.domeShiftWidth);
}

void DomeDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int i = 0; i < 6; ++i)
        s.domeTrainers[i] = ControlReadSelection(controls, kTrainerLists[i], 1 + kDomeTrainerCount);
    s.domeShiftWidth = ControlReadDecimal(controls, IDC_DOME_SHIFT_WIDTH, 2);
}
