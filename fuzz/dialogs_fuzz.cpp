// Every settings dialog: opened on a record holding anything, its controls
// then changed to any text, check state and selection (also one its list
// cannot hold), and "OK". The store must write only the dialog's own
// fields, and what it stored must survive a second opening and "OK"
// unchanged: the dialog shows every value it can store.
#include <cstddef>
#include <cstdint>

#include "app/KeyPatternDialog.h"
#include "fuzz/fuzz_support.h"
#include "modes/BreedingDialog.h"
#include "modes/CometDialog.h"
#include "modes/DeliveryDialog.h"
#include "modes/DomeDialog.h"
#include "modes/GrottoDialog.h"
#include "modes/ShinyPidDialog.h"
#include "tests/ui/fake_controls.h"

namespace {

#define FIELD_END(field) (offsetof(SearchSettings, field) + sizeof(SearchSettings::field))

struct FuzzedDialog {
    void (*init)(const ControlAccess& controls, const SearchSettings& settings);
    void (*store)(const ControlAccess& controls, SearchSettings& settings);
    size_t fieldsBegin, fieldsEnd;  // the dialog's fields, one run of the record
};

const FuzzedDialog kDialogs[] = {
    {KeyPatternDialogInit, KeyPatternDialogStore, offsetof(SearchSettings, usableKeys),
     FIELD_END(excludeOppositeAndReset)},
    {ShinyPidDialogInit, ShinyPidDialogStore, offsetof(SearchSettings, shinyTrainerId),
     FIELD_END(shinyNature)},
    {BreedingDialogInit, BreedingDialogStore, offsetof(SearchSettings, parentIv),
     FIELD_END(breedingGender)},
    {DeliveryDialogInit, DeliveryDialogStore, offsetof(SearchSettings, deliveryNatureOffset),
     FIELD_END(deliverySecretId)},
    {CometDialogInit, CometDialogStore, offsetof(SearchSettings, cometCompoundEyes),
     FIELD_END(cometCompoundEyes)},
    {DomeDialogInit, DomeDialogStore, offsetof(SearchSettings, domeTrainers),
     FIELD_END(domeShiftWidth)},
    {GrottoDialogInit, GrottoDialogStore, offsetof(SearchSettings, grottoKind),
     FIELD_END(grottoSlots)},
};
constexpr int kDialogCount = static_cast<int>(sizeof kDialogs / sizeof kDialogs[0]);

const char* Bytes(const SearchSettings& s) { return reinterpret_cast<const char*>(&s); }

// The record outside [begin, end) is the same in both.
bool SameOutside(const SearchSettings& a, const SearchSettings& b, size_t begin, size_t end) {
    return std::memcmp(Bytes(a), Bytes(b), begin) == 0 &&
           std::memcmp(Bytes(a) + end, Bytes(b) + end, sizeof a - end) == 0;
}

bool SameInside(const SearchSettings& a, const SearchSettings& b, size_t begin, size_t end) {
    return std::memcmp(Bytes(a) + begin, Bytes(b) + begin, end - begin) == 0;
}

// What the user may do between the opening and "OK": any control the
// opening filled may show something else.
void Tamper(FuzzedDataProvider& in, FakeControls& fake) {
    for (auto& text : fake.texts)
        if (in.ConsumeBool()) text.second = in.ConsumeRandomLengthString(300);
    for (auto& check : fake.checks)
        if (in.ConsumeBool()) check.second = in.ConsumeBool();
    for (auto& selection : fake.selections)
        if (in.ConsumeBool()) selection.second = FuzzInt(in);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const FuzzedDialog& dialog = kDialogs[in.ConsumeIntegralInRange<int>(0, kDialogCount - 1)];
    SearchSettings opened;
    FuzzSettings(in, opened);

    FakeControls fake;
    dialog.init(FakeControlsAccess(fake), opened);
    Tamper(in, fake);
    SearchSettings stored;
    std::memcpy(&stored, &opened, sizeof stored);
    dialog.store(FakeControlsAccess(fake), stored);
    FUZZ_CHECK(SameOutside(stored, opened, dialog.fieldsBegin, dialog.fieldsEnd));

    FakeControls reopened;
    dialog.init(FakeControlsAccess(reopened), stored);
    SearchSettings again;
    std::memcpy(&again, &stored, sizeof again);
    dialog.store(FakeControlsAccess(reopened), again);
    FUZZ_CHECK(SameInside(again, stored, dialog.fieldsBegin, dialog.fieldsEnd));
    return 0;
}
