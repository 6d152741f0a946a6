#include "modes/SearchSettings.h"

#include <cstring>

const uint32_t kVersionWordsBlack2[5] = {0x0209A8DCu, 0x02039AC9u, 0x021FF9B0u, 0x021FFA04u,
                                         0x021FFA04u};
const uint32_t kVersionWordsWhite2[5] = {0x0209A8FCu, 0x02039AF5u, 0x021FF9D0u, 0x021FFA24u,
                                         0x021FFA24u};

void VersionConstantsSet(VersionConstants& constants, GameVersion version) {
    switch (version) {
    case kGameBlack:
        constants.fiveWordVersion = false;
        constants.versionWord = kVersionWordBlack;
        break;
    case kGameWhite:
        constants.fiveWordVersion = false;
        constants.versionWord = kVersionWordWhite;
        break;
    case kGameBlack2:
        constants.fiveWordVersion = true;
        std::memcpy(constants.versionWords, kVersionWordsBlack2, sizeof kVersionWordsBlack2);
        break;
    case kGameWhite2:
        constants.fiveWordVersion = true;
        std::memcpy(constants.versionWords, kVersionWordsWhite2, sizeof kVersionWordsWhite2);
        break;
    }
}

void SearchSettingsInit(SearchSettings& s) {
    std::memset(&s, 0, sizeof s);
    s.version.fiveWordVersion = true;  // version words stay 0 until a button or the file sets them

    // Main-window fields, as the controls' initial texts read.
    s.startHour = 0;
    s.endHour = 23;
    s.startMinute = 0;
    s.endMinute = 59;
    s.startSecond = 0;
    s.endSecond = 59;
    s.ivConsumptionStart = 7;
    s.ivConsumptionEnd = 7;
    for (int i = 0; i < 6; ++i) {
        s.ivMax[i] = 31;
        s.ivMin[i] = 0;
    }
    s.hiddenPowerType = -1;
    s.hiddenPowerMinimum = 30;
    s.pidConsumptionStart = 50;
    s.pidConsumptionEnd = 150;

    // Key-input pattern: every key usable, exclusion on.
    for (bool& key : s.usableKeys) key = true;
    s.excludeOppositeAndReset = true;

    s.shinyTrainerId = 0;
    s.shinySecretId = 0;
    s.shinyEncounter = 1;
    s.shinyIdAdjust = false;
    s.shinyNature = 0;

    for (auto& parent : s.parentIv)
        for (int32_t& iv : parent) iv = 31;
    s.breedingNoDitto = false;
    s.breedingNature = 0;
    s.breedingAbility = 0;
    s.breedingGender = 0;

    s.deliveryNatureOffset = 10;
    s.deliveryNature = 0;
    s.deliveryShinyMethod = 0;
    s.deliveryTrainerId = 3012;
    s.deliverySecretId = 0;

    s.cometCompoundEyes = true;

    for (int32_t& trainer : s.domeTrainers) trainer = 0;
    s.domeShiftWidth = 0;

    s.grottoKind = 0;
    s.grottoFemaleRatio = 0;
    for (bool& slot : s.grottoSlots) slot = true;
}

StartupParameters StartupParametersOf(const SearchSettings& s) {
    return StartupParameters{s.vCount, s.timer0, s.MacWord6, s.MacWord7, s.version};
}

WalkRange WalkRangeOf(const SearchSettings& s) {
    return WalkRange{s.startYear,   s.startMonth,  s.startDay,  s.endYear,        s.endMonth,
                     s.endDay,      s.startHour,   s.startMinute, s.startSecond,  s.endHour,
                     s.endMinute,   s.endSecond,   s.keyInputEnabled};
}

KeyPatternView KeyPatternViewOf(const SearchSettings& s) {
    return KeyPatternView{s.usableKeys, &s.excludeOppositeAndReset};
}
