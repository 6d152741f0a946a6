#include "modes/DomeDialog.h"

#include "ui/ControlText.h"
#include "modes/Dome.h"

namespace {

// Trainer choices 1 to 6, top to bottom.
constexpr int kTrainerLists[6] = {1007, 1021, 1024, 1025, 1026, 1008};
constexpr int kShiftWidthEdit = 1005;

}  // namespace

void DomeDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    for (int i = 0; i < 6; ++i) {
        ControlFillList(controls, kTrainerLists[i], "指定無し", DomeTrainerNames, 52);
        controls.setSelection(controls.context, kTrainerLists[i], s.domeTrainers[i]);
    }
    ControlShowDecimal(controls, kShiftWidthEdit, s.domeShiftWidth);
}

void DomeDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int i = 0; i < 6; ++i)
        s.domeTrainers[i] = controls.getSelection(controls.context, kTrainerLists[i]);
    s.domeShiftWidth = ControlReadDecimal(controls, kShiftWidthEdit, 2);
}
