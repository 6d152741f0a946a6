#include "app/Capture.h"

#include "ui/ControlText.h"
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
    {1009, 2, &SearchSettings::startYear},   {1018, 2, &SearchSettings::endYear},
    {1010, 2, &SearchSettings::startMonth},  {1019, 2, &SearchSettings::endMonth},
    {1011, 2, &SearchSettings::startDay},    {1020, 2, &SearchSettings::endDay},
    {1030, 2, &SearchSettings::startHour},   {1033, 2, &SearchSettings::endHour},
    {1031, 2, &SearchSettings::startMinute}, {1034, 2, &SearchSettings::endMinute},
    {1032, 2, &SearchSettings::startSecond}, {1035, 2, &SearchSettings::endSecond},
};

constexpr DecimalField kRangeFields[] = {
    {1040, 2, &SearchSettings::hiddenPowerMinimum},
    {1027, 4, &SearchSettings::ivConsumptionStart},
    {1028, 4, &SearchSettings::ivConsumptionEnd},
    {1038, 5, &SearchSettings::pidConsumptionStart},
    {1039, 5, &SearchSettings::pidConsumptionEnd},
};

constexpr SwitchField kSwitchFields[] = {
    {956, &SearchSettings::threeDsMode},     {953, &SearchSettings::keyInputEnabled},
    {931, &SearchSettings::roamerEnabled},   {930, &SearchSettings::shinyPidEnabled},
    {932, &SearchSettings::breedingEnabled}, {952, &SearchSettings::deliveryEnabled},
    {954, &SearchSettings::cometEnabled},    {955, &SearchSettings::domeEnabled},
    {958, &SearchSettings::grottoEnabled},
};

template <size_t N>
void ReadDecimalFields(const ControlAccess& controls, const DecimalField (&fields)[N],
                       SearchSettings& s) {
    for (const DecimalField& f : fields) s.*f.field = ControlReadDecimal(controls, f.id, f.characters);
}

}  // namespace

ConsoleFields ConsoleFieldsRead(const ControlAccess& controls) {
    ConsoleFields fields;
    fields.vCount = ControlReadHex(controls, 1000, 3);
    fields.timer0 = ControlReadHex(controls, 1001, 5);
    fields.gxStat = ControlReadHex(controls, 1002, 8);
    fields.frame = ControlReadDecimal(controls, 1029, 8);
    for (int i = 0; i < 6; ++i) fields.mac[i] = ControlReadHex(controls, 1003 + i, 2);
    return fields;
}

int VersionButtonIdOf(GameVersion version) { return 900 + static_cast<int>(version); }

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
    uint32_t g = console.gxStat ^ static_cast<uint32_t>(console.frame);
    s.MacWord7 = ((mac[0] << 24) | (mac[1] << 16) | (mac[2] << 8) | mac[3]) ^ Swap32(g);
    s.MacWord6 = (mac[4] << 8) | mac[5];

    ReadDecimalFields(controls, kDateTimeFields, s);

    int version = VersionButtonSelected(controls);
    if (version >= 0) VersionConstantsSet(s.version, static_cast<GameVersion>(version));

    for (int i = 0; i < 6; ++i) {
        s.ivMax[i] = ControlReadDecimal(controls, 1012 + i, 2);
        s.ivMin[i] = ControlReadDecimal(controls, 1021 + i, 2);
    }
    s.hiddenPowerType = controls.getSelection(controls.context, 922) - 1;
    ReadDecimalFields(controls, kRangeFields, s);

    for (const SwitchField& f : kSwitchFields) s.*f.field = controls.isChecked(controls.context, f.id);
}
