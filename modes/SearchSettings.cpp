#include "modes/SearchSettings.h"

#include <cstring>

#include "modes/SettingsFields.h"

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

int VersionConstantsGame(const VersionConstants& constants) {
    for (GameVersion v : {kGameBlack, kGameWhite, kGameBlack2, kGameWhite2}) {
        VersionConstants known{};
        VersionConstantsSet(known, v);
        if (known.fiveWordVersion != constants.fiveWordVersion) continue;
        if (known.fiveWordVersion ? std::memcmp(known.versionWords, constants.versionWords,
                                                sizeof known.versionWords) == 0
                                  : known.versionWord == constants.versionWord)
            return v;
    }
    return -1;
}

void SearchSettingsInit(SearchSettings& s) {
    std::memset(&s, 0, sizeof s);
    s.version.fiveWordVersion = true;  // version words stay 0 until a button or the file sets them
    // Every other field: its row's initial value (the main window's initial
    // texts and every dialog's default).
    SettingsFieldsInitSearch(s);
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
