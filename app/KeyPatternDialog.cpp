#include "app/KeyPatternDialog.h"

namespace {

// By KeyMask bit. The boxes are numbered in layout order, which is not the
// bit order: St is 1003 but bit 3, Se is 1004 but bit 2, and so on.
constexpr int kKeyBoxIds[10] = {1001, 1002, 1004, 1003, 1009, 1010, 1007, 1008, 1006, 1005};
constexpr int kExclusionBoxId = 1011;

}  // namespace

void KeyPatternDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    for (int i = 0; i < 10; ++i)
        controls.setChecked(controls.context, kKeyBoxIds[i], s.usableKeys[i]);
    controls.setChecked(controls.context, kExclusionBoxId, s.excludeOppositeAndReset);
}

void KeyPatternDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int i = 0; i < 10; ++i) s.usableKeys[i] = controls.isChecked(controls.context, kKeyBoxIds[i]);
    s.excludeOppositeAndReset = controls.isChecked(controls.context, kExclusionBoxId);
}
