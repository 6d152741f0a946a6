#include "app/KeyPatternDialog.h"

#include "res/resource.h"

namespace {

// By KeyMask bit: A, B, Select, Start, Right, Left, Up, Down, R, L. The
// boxes are numbered in layout order, which is not the bit order.
constexpr int kKeyBoxIds[10] = {IDC_KEY_PATTERN_A,     IDC_KEY_PATTERN_B,    IDC_KEY_PATTERN_SELECT,
                                IDC_KEY_PATTERN_START, IDC_KEY_PATTERN_RIGHT, IDC_KEY_PATTERN_LEFT,
                                IDC_KEY_PATTERN_UP,    IDC_KEY_PATTERN_DOWN, IDC_KEY_PATTERN_R,
                                IDC_KEY_PATTERN_L};

}  // namespace

void KeyPatternDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    for (int i = 0; i < 10; ++i)
        controls.setChecked(controls.context, kKeyBoxIds[i], s.usableKeys[i]);
    controls.setChecked(controls.context, IDC_KEY_PATTERN_EXCLUDE, s.excludeOppositeAndReset);
}

void KeyPatternDialogStore(const ControlAccess& controls, SearchSettings& s) {
    for (int i = 0; i < 10; ++i) s.usableKeys[i] = controls.isChecked(controls.context, kKeyBoxIds[i]);
    s.excludeOppositeAndReset = controls.isChecked(controls.context, IDC_KEY_PATTERN_EXCLUDE);
}
