// The one record of every search parameter. The main window's capture and the
// settings dialogs write it; the search and the mode evaluations read it at
// every use, so a dialog's "OK" during a search applies to the candidates
// that follow.
#pragma once

#include <cstdint>

#include "seed/SeedMessage.h"
#include "seed/SeedWalk.h"

enum : uint32_t {
    kVersionWordBlack = 0x02215F10u,
    kVersionWordWhite = 0x02215F30u,
};
extern const uint32_t kVersionWordsBlack2[5];
extern const uint32_t kVersionWordsWhite2[5];

// Game version as chosen by the four radio buttons, in the order the capture
// and the save test them.
enum GameVersion { kGameBlack = 0, kGameWhite = 1, kGameBlack2 = 2, kGameWhite2 = 3 };
void VersionConstantsSet(VersionConstants& constants, GameVersion version);
// The game whose words are in force; -1 when they are none of the four.
int VersionConstantsGame(const VersionConstants& constants);

struct SearchSettings {
    // Console parameters.
    uint32_t vCount;
    uint32_t timer0;
    uint64_t gxStat;     // only the low 32 bits are ever set
    int32_t frame;
    uint32_t MacWord6;   // (MAC[4] << 8) | MAC[5]
    uint32_t MacWord7;   // MAC[0..3] big-endian XOR swap32(low32(gxStat ^ frame))
    VersionConstants version;

    // Date and time range; years are two digits (year - 2000).
    int32_t startYear, startMonth, startDay;
    int32_t endYear, endMonth, endDay;
    int32_t startHour, startMinute, startSecond;
    int32_t endHour, endMinute, endSecond;

    bool threeDsMode;      // "3DS": no afternoon flag in the hour byte
    bool keyInputEnabled;  // "キー入力": walk the key masks of the pattern

    // Individual-value filter, H A B C D S.
    int32_t ivMax[6];
    int32_t ivMin[6];
    int32_t hiddenPowerType;     // -1 = any, else 0..15
    int32_t hiddenPowerMinimum;
    bool roamerEnabled;          // "徘徊"

    // Consumption ranges, both ends inclusive.
    int32_t ivConsumptionStart, ivConsumptionEnd;
    int32_t pidConsumptionStart, pidConsumptionEnd;

    // Mode switches.
    bool shinyPidEnabled;
    bool breedingEnabled;
    bool deliveryEnabled;
    bool cometEnabled;
    bool domeEnabled;
    bool grottoEnabled;

    // Key-input pattern: entry i allows KeyMask bit i to be pressed.
    bool usableKeys[10];
    bool excludeOppositeAndReset;

    // Shiny personality-value search.
    uint16_t shinyTrainerId;
    uint16_t shinySecretId;
    int32_t shinyEncounter;  // 1 孵化, 2 徘徊, 3 固定
    bool shinyIdAdjust;
    int32_t shinyNature;     // 0 = any, n = nature n - 1

    // Breeding search.
    int32_t parentIv[2][6];  // 先 and 後, H..S, stored as typed
    bool breedingNoDitto;    // true: "メタモン無し"
    int32_t breedingNature;  // -1 any, 0 変わらず, n = nature n - 1
    int32_t breedingAbility; // 0 any, 1, 2, 3 夢
    int32_t breedingGender;  // 0 any, 1..8 gender entries

    // Delivery search.
    int32_t deliveryNatureOffset;
    int32_t deliveryNature;       // 0 = any, k = nature k - 1
    int32_t deliveryShinyMethod;  // 0 none, 1 Method1, 2 Method2
    uint16_t deliveryTrainerId;
    uint16_t deliverySecretId;

    // Comet-shard search.
    bool cometCompoundEyes;

    // Dome search.
    int32_t domeTrainers[6];  // 0 = none, k = trainer k - 1
    int32_t domeShiftWidth;

    // Hidden-grotto search.
    int32_t grottoKind;
    int32_t grottoFemaleRatio;
    bool grottoSlots[4];  // A, B, C, D
};

// The values the record holds when the main window has just been created:
// the controls' initial texts for the main-window fields (console parameters
// and dates empty, so 0), and every dialog's default.
void SearchSettingsInit(SearchSettings& settings);

// The seed engine's own records, taken from the settings: the console words
// of the message, and the walk's ranges. The key pattern is a view into the
// record itself, so a dialog's change during the search reaches the walk.
StartupParameters StartupParametersOf(const SearchSettings& settings);
WalkRange WalkRangeOf(const SearchSettings& settings);
KeyPatternView KeyPatternViewOf(const SearchSettings& settings);
inline bool KeyMaskAllowed(const SearchSettings& settings, uint32_t keyMask) {
    return KeyMaskAllowed(KeyPatternViewOf(settings), keyMask);
}
