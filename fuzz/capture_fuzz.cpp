// The start command's capture: any text in every edit of the main window
// (the fake controls cut each read to its character limit, as
// get-window-text does), any check state and any combo-box selection, also
// one the list cannot hold, into a record holding anything.
#include <cstddef>
#include <cstdint>

#include "app/Capture.h"
#include "app/MainWindowLayout.h"
#include "fuzz/fuzz_support.h"
#include "res/resource.h"
#include "tests/ui/fake_controls.h"

namespace {

// The dialogs' fields, from the key-input pattern to the end of the record;
// the capture leaves them alone.
constexpr size_t kDialogFieldsOffset = offsetof(SearchSettings, usableKeys);

// Every control of the window that holds something, in creation order.
template <typename Stream>
void MainWindowFields(Stream& io, FakeControls& fake) {
    for (const MainWindowControl& control : kMainWindowControls) {
        switch (control.kind) {
        case kMainEdit:
            FuzzField(io, fake.texts[control.id]);
            break;
        case kMainCheckBox:
        case kMainRadioButton:
        case kMainRadioGroupStart:
            FuzzField(io, fake.checks[control.id]);
            break;
        case kMainComboBox:
            FuzzField(io, fake.selections[control.id]);
            break;
        case kMainPushButton:
            break;
        }
    }
}

void WriteSeed(const char* name, SearchSettings prior, FakeControls window) {
    FuzzWriter seed;
    FuzzSettingsFields(seed, prior);
    MainWindowFields(seed, window);
    FuzzWriteSeed(name, seed);
}

// The window as created (initial texts, ブラック2, "指定無し"), as the
// worked example's console is typed into it, and with texts that run past
// their fields and a selection no list holds.
void WriteSeeds() {
    FakeControls fresh;
    for (const MainWindowControl& control : kMainWindowControls)
        if (control.kind == kMainEdit) fresh.texts[control.id] = control.text;
    fresh.checks[IDC_BLACK2] = true;
    fresh.selections[IDC_HIDDEN_POWER_TYPE] = 0;
    SearchSettings initial;
    SearchSettingsInit(initial);
    WriteSeed("fresh-window", initial, fresh);

    FakeControls typed = fresh;
    const std::pair<int, const char*> texts[] = {
        {IDC_VCOUNT, "60"},      {IDC_TIMER0, "c79"},     {IDC_GXSTAT, "6000000"},
        {IDC_FRAME, "8"},        {IDC_MAC_0, "12"},       {IDC_MAC_1, "34"},
        {IDC_MAC_2, "56"},       {IDC_MAC_3, "78"},       {IDC_MAC_4, "9A"},
        {IDC_MAC_5, "BC"},       {IDC_START_YEAR, "12"},  {IDC_START_MONTH, "11"},
        {IDC_START_DAY, "29"},   {IDC_END_YEAR, "12"},    {IDC_END_MONTH, "11"},
        {IDC_END_DAY, "29"},     {IDC_START_HOUR, "13"},  {IDC_END_HOUR, "13"},
        {IDC_START_MINUTE, "45"}, {IDC_END_MINUTE, "45"}, {IDC_START_SECOND, "7"},
        {IDC_END_SECOND, "7"},
    };
    for (const auto& text : texts) typed.texts[text.first] = text.second;
    typed.checks[IDC_BLACK2] = false;
    typed.checks[IDC_BLACK] = true;
    WriteSeed("worked-example", initial, typed);

    FakeControls odd = typed;
    odd.texts[IDC_VCOUNT] = "-1";
    odd.texts[IDC_TIMER0] = "0x5f";
    odd.texts[IDC_MAC_0] = "-1";
    odd.texts[IDC_START_YEAR] = "2012";
    odd.texts[IDC_PID_CONSUMPTION_END] = "  +99999x";
    odd.texts[IDC_FRAME] = "-2147483648";
    odd.checks[IDC_BLACK] = false;
    odd.selections[IDC_HIDDEN_POWER_TYPE] = INT32_MIN;
    WriteSeed("past-the-fields", ExampleSearchSettings(), odd);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSeedsIfAsked(WriteSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader in{data, size, 0};
    SearchSettings before;
    FuzzSettings(in, before);
    FakeControls fake;
    MainWindowFields(in, fake);
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
