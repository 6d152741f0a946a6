#include "modes/CometDialog.h"

namespace {

constexpr int kCompoundEyesBox = 1001;  // "ふくがん有り"

}  // namespace

void CometDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    controls.setChecked(controls.context, kCompoundEyesBox, s.cometCompoundEyes);
}

void CometDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.cometCompoundEyes = controls.isChecked(controls.context, kCompoundEyesBox);
}
