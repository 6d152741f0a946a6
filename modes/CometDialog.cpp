#include "modes/CometDialog.h"

#include "res/resource.h"

void CometDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    controls.setChecked(controls.context, IDC_COMET_COMPOUND_EYES, s.cometCompoundEyes);
}

void CometDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.cometCompoundEyes = controls.isChecked(controls.context, IDC_COMET_COMPOUND_EYES);
}
