// Every settings dialog: opened on a record holding anything, its controls
// then changed to any text, check state and selection (also one its list
// cannot hold), and "OK". The store must write only the dialog's own
// fields, and what it stored must survive a second opening and "OK"
// unchanged: the dialog shows every value it can store.
#include <cstddef>
#include <cstdint>

#include "app/SettingsDialogs.h"
#include "fuzz/fuzz_support.h"
#include "res/resource.h"
#include "tests/ui/fake_controls.h"

namespace {

#define FIELD_END(field) (offsetof(SearchSettings, field) + sizeof(SearchSettings::field))

// The window's dialogs (SettingsDialogAt) by template, each with the run of
// the record it owns. The input's first byte picks an entry of this table, so
// the corpus keeps its meaning whatever order the window lists them in.
struct DialogFields {
    int templateId;
    size_t begin, end;
};

const DialogFields kDialogs[] = {
    {IDD_KEY_PATTERN, offsetof(SearchSettings, usableKeys), FIELD_END(excludeOppositeAndReset)},
    {IDD_SHINY_PID, offsetof(SearchSettings, shinyTrainerId), FIELD_END(shinyNature)},
    {IDD_BREEDING, offsetof(SearchSettings, parentIv), FIELD_END(breedingGender)},
    {IDD_DELIVERY, offsetof(SearchSettings, deliveryNatureOffset), FIELD_END(deliverySecretId)},
    {IDD_COMET, offsetof(SearchSettings, cometCompoundEyes), FIELD_END(cometCompoundEyes)},
    {IDD_DOME, offsetof(SearchSettings, domeTrainers), FIELD_END(domeShiftWidth)},
    {IDD_GROTTO, offsetof(SearchSettings, grottoKind), FIELD_END(grottoSlots)},
};
constexpr int kDialogCount = static_cast<int>(sizeof kDialogs / sizeof kDialogs[0]);

const SettingsDialog& WindowDialogOf(const DialogFields& fields) {
    for (int i = 0; i < SettingsDialogCount(); ++i)
        if (SettingsDialogAt(i).templateId == fields.templateId) return SettingsDialogAt(i);
    std::fprintf(stderr, "dialogs fuzz: template %d is none of the window's dialogs\n", fields.templateId);
    std::abort();
}

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
bool Changed(FuzzReader& in) {
    bool change;
    FuzzField(in, change);
    return change;
}

void Tamper(FuzzReader& in, FakeControls& fake) {
    for (auto& text : fake.texts)
        if (Changed(in)) FuzzField(in, text.second);
    for (auto& check : fake.checks)
        if (Changed(in)) FuzzField(in, check.second);
    for (auto& selection : fake.selections)
        if (Changed(in)) FuzzField(in, selection.second);
}

// Each dialog opened on the initial settings and on the worked example's
// with values outside every list, then "OK" untouched.
void WriteSeeds() {
    SearchSettings odd = ExampleSearchSettings();
    odd.shinyNature = 40;
    odd.shinyEncounter = 0;
    odd.breedingNature = INT32_MAX;
    odd.breedingGender = -7;
    odd.deliveryShinyMethod = 3;
    odd.deliveryNatureOffset = -1;
    odd.domeTrainers[2] = 53;
    odd.domeShiftWidth = INT32_MIN;
    odd.grottoKind = 11;
    for (uint8_t dialog = 0; dialog < kDialogCount; ++dialog) {
        SearchSettings initial;
        SearchSettingsInit(initial);
        for (SearchSettings* s : {&initial, &odd}) {
            FuzzWriter seed;
            FuzzByte(seed, dialog);
            FuzzSettingsFields(seed, *s);
            const std::string name = std::to_string(dialog) + (s == &odd ? "-odd" : "-initial");
            FuzzWriteSeed(name.c_str(), seed);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FUZZ_CHECK(SettingsDialogCount() == kDialogCount);  // every settings dialog needs its fields here
    FuzzSeedsIfAsked(WriteSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzReader in{data, size, 0};
    const DialogFields& fields = kDialogs[FuzzByte(in) % kDialogCount];
    const SettingsDialog& dialog = WindowDialogOf(fields);
    SearchSettings opened;
    FuzzSettings(in, opened);
    FakeControls fake;
    dialog.init(FakeControlsAccess(fake), opened);
    Tamper(in, fake);
    SearchSettings stored;
    std::memcpy(&stored, &opened, sizeof stored);
    dialog.store(FakeControlsAccess(fake), stored);
    FUZZ_CHECK(SameOutside(stored, opened, fields.begin, fields.end));

    FakeControls reopened;
    dialog.init(FakeControlsAccess(reopened), stored);
    SearchSettings again;
    std::memcpy(&again, &stored, sizeof again);
    dialog.store(FakeControlsAccess(reopened), again);
    FUZZ_CHECK(SameInside(again, stored, fields.begin, fields.end));
    return 0;
}
