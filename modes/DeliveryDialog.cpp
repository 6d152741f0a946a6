#include "modes/DeliveryDialog.h"

#include "ui/ControlText.h"
#include "modes/Delivery.h"
#include "modes/ResultFile.h"

namespace {

constexpr int kOffsetEdit = 1005;
constexpr int kNatureList = 1007;
constexpr int kShinyBox = 1001;     // "色違い(九州配布)"
constexpr int kMethodList = 1021;   // entry = deliveryShinyMethod - 1
constexpr int kTrainerIdEdit = 1006;
constexpr int kSecretIdEdit = 1023;

}  // namespace

void DeliveryDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlShowDecimal(controls, kOffsetEdit, s.deliveryNatureOffset);
    ControlFillList(controls, kNatureList, "指定無し", NatureNames, 25);
    controls.setSelection(controls.context, kNatureList, s.deliveryNature);
    controls.setChecked(controls.context, kShinyBox, s.deliveryShinyMethod > 0);
    ControlShowDecimal(controls, kTrainerIdEdit, s.deliveryTrainerId);
    ControlShowDecimal(controls, kSecretIdEdit, s.deliverySecretId);
    ControlFillList(controls, kMethodList, nullptr, DeliveryShinyMethodNames, 2);
    controls.setSelection(controls.context, kMethodList,
                          s.deliveryShinyMethod > 0 ? s.deliveryShinyMethod - 1 : 0);
}

void DeliveryDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.deliveryNatureOffset = ControlReadDecimal(controls, kOffsetEdit, 9);
    s.deliveryNature = controls.getSelection(controls.context, kNatureList);
    if (!controls.isChecked(controls.context, kShinyBox)) {
        // With the distribution off the typed IDs are not taken over.
        s.deliveryShinyMethod = 0;
        return;
    }
    s.deliveryShinyMethod = controls.getSelection(controls.context, kMethodList) + 1;
    s.deliveryTrainerId = static_cast<uint16_t>(ControlReadDecimal(controls, kTrainerIdEdit, 5));
    s.deliverySecretId = static_cast<uint16_t>(ControlReadDecimal(controls, kSecretIdEdit, 5));
}
