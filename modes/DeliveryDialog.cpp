#include "modes/DeliveryDialog.h"

#include "ui/ControlText.h"
#include "modes/Delivery.h"
#include "modes/ResultFile.h"
#include "res/resource.h"

namespace {

// "指定無し" before the natures; the two distributions.
constexpr int32_t kNatureEntries = 1 + 25;
constexpr int32_t kMethodEntries = 2;

}  // namespace

void DeliveryDialogInit(const ControlAccess& controls, const SearchSettings& s) {
    ControlShowDecimal(controls, IDC_DELIVERY_NATURE_OFFSET, s.deliveryNatureOffset);
    ControlFillList(controls, IDC_DELIVERY_NATURE, "指定無し", NatureNames, 25);
    controls.setSelection(controls.context, IDC_DELIVERY_NATURE, s.deliveryNature);
    controls.setChecked(controls.context, IDC_DELIVERY_SHINY, s.deliveryShinyMethod > 0);
    ControlShowDecimal(controls, IDC_DELIVERY_TRAINER_ID, s.deliveryTrainerId);
    ControlShowDecimal(controls, IDC_DELIVERY_SECRET_ID, s.deliverySecretId);
    ControlFillList(controls, IDC_DELIVERY_SHINY_METHOD, nullptr, DeliveryShinyMethodNames, 2);
    controls.setSelection(controls.context, IDC_DELIVERY_SHINY_METHOD,
                          s.deliveryShinyMethod > 0 ? s.deliveryShinyMethod - 1 : 0);
}

void DeliveryDialogStore(const ControlAccess& controls, SearchSettings& s) {
    s.deliveryNatureOffset = ControlReadDecimal(controls, IDC_DELIVERY_NATURE_OFFSET, 9);
    s.deliveryNature = ControlReadSelection(controls, IDC_DELIVERY_NATURE, kNatureEntries);
    if (!controls.isChecked(controls.context, IDC_DELIVERY_SHINY)) {
        // With the distribution off the typed IDs are not taken over.
        s.deliveryShinyMethod = 0;
        return;
    }
    s.deliveryShinyMethod = ControlReadSelection(controls, IDC_DELIVERY_SHINY_METHOD, kMethodEntries) + 1;
    s.deliveryTrainerId = static_cast<uint16_t>(ControlReadDecimal(controls, IDC_DELIVERY_TRAINER_ID, 5));
    s.deliverySecretId = static_cast<uint16_t>(ControlReadDecimal(controls, IDC_DELIVERY_SECRET_ID, 5));
}
