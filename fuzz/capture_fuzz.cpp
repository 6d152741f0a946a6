// The start command's capture: any text in every edit of the main window
// (the fake controls cut each read to its character limit, as
// get-window-text does), any check state and any combo-box selection, also
// one the list cannot hold, into a record holding anything.
#include <cstddef>
#include <cstdint>

#include "app/Capture.h"
#include "app/MainWindowLayout.h"
#include "fuzz/fuzz_support.h"
#include "tests/ui/fake_controls.h"

namespace {

// The dialogs' fields, from the key-input pattern to the end of the record;
// the capture leaves them alone.
constexpr size_t kDialogFieldsOffset = offsetof(SearchSettings, usableKeys);

void FillMainWindow(FuzzedDataProvider& in, FakeControls& fake) {
    for (const MainWindowControl& control : kMainWindowControls) {
        switch (control.kind) {
        case kMainEdit:
            fake.texts[control.id] = in.ConsumeRandomLengthString(40);
            break;
        case kMainCheckBox:
        case kMainRadioButton:
        case kMainRadioGroupStart:
            fake.checks[control.id] = in.ConsumeBool();
            break;
        case kMainComboBox:
            fake.selections[control.id] = FuzzInt(in);
            break;
        case kMainPushButton:
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    SearchSettings before;
    FuzzSettings(in, before);
    FakeControls fake;
    FillMainWindow(in, fake);
    const ControlAccess controls = FakeControlsAccess(fake);

    SearchSettings captured;
    std::memcpy(&captured, &before, sizeof captured);  // padding too: compared bytewise
    CaptureMainWindow(controls, captured);
    FUZZ_CHECK(std::memcmp(reinterpret_cast<const char*>(&captured) + kDialogFieldsOffset,
                           reinterpret_cast<const char*>(&before) + kDialogFieldsOffset,
                           sizeof captured - kDialogFieldsOffset) == 0);
    // "指定無し" and the sixteen types, or -2 when no entry is selected.
    FUZZ_CHECK(captured.hiddenPowerType >= -2 && captured.hiddenPowerType <= 15);

    // Every main-window field is overwritten: a record that held other
    // values there captures to the same bytes.
    SearchSettings other;
    SearchSettingsInit(other);
    other.version = before.version;
    std::memcpy(reinterpret_cast<char*>(&other) + kDialogFieldsOffset,
                reinterpret_cast<const char*>(&before) + kDialogFieldsOffset,
                sizeof other - kDialogFieldsOffset);
    CaptureMainWindow(controls, other);
    FUZZ_CHECK(std::memcmp(&other, &captured, sizeof other) == 0);
    return 0;
}
