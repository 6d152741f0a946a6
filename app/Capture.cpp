#include "app/Capture.h"

#include "app/MainWindowLists.h"
#include "modes/SearchModes.h"
#include "ui/ControlText.h"
#include "res/resource.h"
#include "seed/SeedMessage.h"

namespace {

struct DecimalField {
    int id;
    int characters;
    int32_t SearchSettings::*field;
};

struct SwitchField {
    int id;
    bool SearchSettings::*field;
};

// Dates and times, two characters each: the year edits hold what follows "20".
constexpr DecimalField kDateTimeFields[] = {
    {IDC_START_YEAR, 2, &SearchSettings::startYear},
    {IDC_END_YEAR, 2, &SearchSettings::endYear},
    {IDC_START_MONTH, 2, &SearchSettings::startMonth},
    {IDC_END_MONTH, 2, &SearchSettings::endMonth},
    {IDC_START_DAY, 2, &SearchSettings::startDay},
    {IDC_END_DAY, 2, &SearchSettings::endDay},
    {IDC_START_HOUR, 2, &SearchSettings::startHour},
    {IDC_END_HOUR, 2, &SearchSettings::endHour},
    {IDC_START_MINUTE, 2, &SearchSettings::startMinute},
    {IDC_END_MINUTE, 2, &SearchSettings::endMinute},
    {IDC_START_SECOND, 2, &SearchSettings::startSecond},
    {IDC_END_SECOND, 2, &SearchSettings::endSecond},
};

constexpr DecimalField kRangeFields[] = {
    {IDC_HIDDEN_POWER_MINIMUM, 2, &SearchSettings::hiddenPowerMinimum},
    {IDC_IV_CONSUMPTION_START, 4, &SearchSettings::ivConsumptionStart},
    {IDC_IV_CONSUMPTION_END, 4, &SearchSettings::ivConsumptionEnd},
    {IDC_PID_CONSUMPTION_START, 5, &SearchSettings::pidConsumptionStart},
    {IDC_PID_CONSUMPTION_END, 5, &SearchSettings::pidConsumptionEnd},
};

constexpr SwitchField kSwitchFields[] = {
    {IDC_THREE_DS, &SearchSettings::threeDsMode},
    {IDC_KEY_INPUT, &SearchSettings::keyInputEnabled},
    {IDC_ROAMER, &SearchSettings::roamerEnabled},
};  // the mode switches follow from the table of modes

template <size_t N>
void ReadDecimalFields(const ControlAccess& controls, const DecimalField (&fields)[N],
                       SearchSettings& s) {
    for (const DecimalField& f : fields) s.*f.field = ControlReadDecimal(controls, f.id, f.characters);
}

}  // namespace

ConsoleFields ConsoleFieldsRead(const ControlAccess& controls) {
    ConsoleFields fields;
    fields.vCount = ControlReadHex(controls, IDC_VCOUNT, kVCountCharacters);
    fields.timer0 = ControlReadHex(controls, IDC_TIMER0, kTimer0Characters);
    fields.gxStat = ControlReadHex(controls, IDC_GXSTAT, kGxStatCharacters);
    fields.frame = ControlReadDecimal(controls, IDC_FRAME, kFrameCharacters);
    for (int i = 0; i < 6; ++i) fields.mac[i] = ControlReadHex(controls, IDC_MAC_0 + i, kMacCharacters);
    return fields;
}

int VersionButtonIdOf(GameVersion version) { return IDC_BLACK + static_cast<int>(version); }

int VersionButtonSelected(const ControlAccess& controls) {
    for (GameVersion version : {kGameBlack, kGameWhite, kGameBlack2, kGameWhite2})
        if (controls.isChecked(controls.context, VersionButtonIdOf(version))) return version;
    return -1;
}

void CaptureMainWindow(const ControlAccess& controls, SearchSettings& s) {
    ConsoleFields console = ConsoleFieldsRead(controls);
    s.vCount = console.vCount;
    s.timer0 = console.timer0;
    s.gxStat = console.gxStat;
    s.frame = console.frame;

    const uint32_t* mac = console.mac;
    s.MacWord7 = SeedMessageMacWord7((mac[0] << 24) | (mac[1] << 16) | (mac[2] << 8) | mac[3],
                                     console.gxStat, static_cast<uint32_t>(console.frame));
    s.MacWord6 = (mac[4] << 8) | mac[5];

    ReadDecimalFields(controls, kDateTimeFields, s);

    int version = VersionButtonSelected(controls);
    if (version >= 0) VersionConstantsSet(s.version, static_cast<GameVersion>(version));

    for (int i = 0; i < 6; ++i) {
        s.ivMax[i] = ControlReadDecimal(controls, IDC_IV_MAX_H + i, 2);
        s.ivMin[i] = ControlReadDecimal(controls, IDC_IV_MIN_H + i, 2);
    }
    s.hiddenPowerType = ControlReadSelection(controls, IDC_HIDDEN_POWER_TYPE, kHiddenPowerTypeEntries) - 1;
    ReadDecimalFields(controls, kRangeFields, s);

    for (const SwitchField& f : kSwitchFields) s.*f.field = controls.isChecked(controls.context, f.id);
    for (int32_t m = 0; m < kSearchModeCount; ++m)
        if (const SearchModeEntry& mode = kSearchModes[m]; mode.enabled)
            s.*mode.enabled = controls.isChecked(controls.context, mode.checkBoxId);
}
