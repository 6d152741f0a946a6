// Helpers of the engine tests: the backends as a parameter, random consoles,
// moments and mode settings, and a plain evaluation of single candidates.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "modes/SearchSettings.h"
#include "engine/EngineKernels.h"
#include "engine/SearchEngine.h"
#include "seed/SeedMessage.h"
#include "engine/SeedSearch.h"

// The sanitizer build's whole-search tests walk a shorter stretch between
// the same boundaries; the normal build walks the full one.
#ifdef MORVANE_SANITIZED_BUILD
constexpr bool kSanitizedBuild = true;
#else
constexpr bool kSanitizedBuild = false;
#endif

inline std::vector<int32_t> EngineIndices() {
    std::vector<int32_t> indices;
    for (int32_t i = 0; i < SearchEngineCount(); ++i) indices.push_back(i);
    return indices;
}

inline std::string EngineName(const ::testing::TestParamInfo<int32_t>& info) {
    std::string name = SearchEngineAt(info.param).engine->name;
    for (char& c : name)
        if (c == '-') c = '_';
    return name;
}

// Skips the test on a processor that lacks the backend's instructions.
#define SKIP_UNLESS_SUPPORTED(entry)                                            \
    if (!(entry).supported) GTEST_SKIP() << (entry).engine->name << " not supported here"

inline uint32_t RandomWord(std::mt19937& rng) { return static_cast<uint32_t>(rng()); }

// A random console and version; the rest at the initial values.
inline SearchSettings RandomConsole(std::mt19937& rng) {
    SearchSettings s;
    SearchSettingsInit(s);
    VersionConstantsSet(s.version, static_cast<GameVersion>(rng() % 4));
    s.vCount = rng() % 0x1000;
    s.timer0 = rng() % 0x100000;
    s.gxStat = RandomWord(rng);
    s.frame = static_cast<int32_t>(RandomWord(rng));
    s.MacWord6 = rng() % 0x10000;
    s.MacWord7 = RandomWord(rng);
    s.threeDsMode = rng() % 2 == 0;
    return s;
}

inline CandidateMoment RandomMoment(std::mt19937& rng) {
    CandidateMoment m{};
    m.year = static_cast<int32_t>(rng() % 100);
    m.month = static_cast<int32_t>(rng() % 12 + 1);
    m.day = static_cast<int32_t>(rng() % 28 + 1);
    m.weekday = WeekdayOf(m.year, m.month, m.day);
    m.hour = static_cast<int32_t>(rng() % 24);
    m.minute = static_cast<int32_t>(rng() % 60);
    m.second = static_cast<int32_t>(rng() % 60);
    m.keyMask = static_cast<uint32_t>(rng() % 1024);
    return m;
}

// Moments as the walk hands them: runs of key masks within one second, then
// a jump to another random moment, so batches mix shared and fresh seconds.
inline std::vector<CandidateMoment> RandomMoments(std::mt19937& rng, int32_t count) {
    std::vector<CandidateMoment> moments;
    CandidateMoment m = RandomMoment(rng);
    while (static_cast<int32_t>(moments.size()) < count) {
        if (rng() % 40 == 0) m = RandomMoment(rng);
        m.keyMask = (m.keyMask + 1 + rng() % 3) % 1024;
        moments.push_back(m);
    }
    return moments;
}

inline int32_t Pick(std::mt19937& rng, int32_t low, int32_t high) {
    return low + static_cast<int32_t>(rng() % static_cast<uint32_t>(high - low + 1));
}

// Consumption ranges mostly ordinary, sometimes negative, crossed or past
// the limits the driver and the evaluations clamp to.
inline void RandomRanges(std::mt19937& rng, SearchSettings& s) {
    s.ivConsumptionStart = Pick(rng, 0, 30);
    s.ivConsumptionEnd = s.ivConsumptionStart + Pick(rng, 0, 6);
    s.pidConsumptionStart = Pick(rng, 0, 120);
    s.pidConsumptionEnd = s.pidConsumptionStart + Pick(rng, 0, 250);
    switch (rng() % 12) {
    case 0: s.ivConsumptionStart = -3; break;
    case 1: s.ivConsumptionStart = 610; s.ivConsumptionEnd = 700; break;
    case 2: s.pidConsumptionStart = -5; break;
    case 3: s.pidConsumptionStart = 2700; s.pidConsumptionEnd = 5000; break;
    case 4: s.pidConsumptionEnd = s.pidConsumptionStart - 1; break;
    case 5: s.ivConsumptionStart = 226; s.ivConsumptionEnd = 229; break;
    default: break;
    }
}

inline void RandomIvFilter(std::mt19937& rng, SearchSettings& s) {
    for (int i = 0; i < 6; ++i) {
        s.ivMin[i] = rng() % 3 == 0 ? Pick(rng, 0, 20) : 0;
        s.ivMax[i] = rng() % 4 == 0 ? Pick(rng, 10, 40) : 31;
    }
    s.hiddenPowerType = rng() % 3 == 0 ? Pick(rng, -1, 16) : -1;
    s.hiddenPowerMinimum = rng() % 3 == 0 ? Pick(rng, 30, 71) : 30;
    s.roamerEnabled = rng() % 2 == 0;
}

// Settings of one mode, chosen so that matches are neither absent nor in
// every position, with values outside the dialogs' lists now and then.
inline SearchSettings RandomModeSettings(std::mt19937& rng, SearchMode mode) {
    SearchSettings s = RandomConsole(rng);
    s.keyInputEnabled = rng() % 2 == 0;
    RandomRanges(rng, s);
    RandomIvFilter(rng, s);
    switch (mode) {
    case kModeGrotto:
        s.grottoEnabled = true;
        s.domeEnabled = rng() % 2 == 0;  // the grotto still takes the candidate
        s.grottoKind = Pick(rng, -1, 11);
        s.grottoFemaleRatio = Pick(rng, -1, 5);
        for (bool& slot : s.grottoSlots) slot = rng() % 4 != 0;
        break;
    case kModeDome:
        s.domeEnabled = true;
        for (int32_t& t : s.domeTrainers) t = rng() % 3 == 0 ? Pick(rng, 1, 52) : 0;
        if (rng() % 10 == 0) s.domeTrainers[rng() % 6] = rng() % 2 ? 53 : -1;
        s.domeShiftWidth = Pick(rng, -1, 3);
        break;
    case kModeComet:
        s.cometEnabled = true;
        s.cometCompoundEyes = rng() % 2 == 0;
        s.pidConsumptionStart = Pick(rng, 0, 100);
        s.pidConsumptionEnd = s.pidConsumptionStart + Pick(rng, 500, 2800);
        break;
    case kModeDelivery: {
        s.deliveryEnabled = true;
        const int32_t offsets[] = {0, 3, 5, 6, 9, 10, 12, 40, 1000, 65535, 70000, -4};
        s.deliveryNatureOffset = offsets[rng() % 12];
        s.deliveryNature = rng() % 2 ? 0 : Pick(rng, -1, 26);
        s.deliveryShinyMethod = rng() % 3 ? 0 : Pick(rng, 1, 3);
        s.deliveryTrainerId = static_cast<uint16_t>(rng());
        s.deliverySecretId = static_cast<uint16_t>(rng());
        break;
    }
    case kModeBreeding:
        s.breedingEnabled = true;
        s.shinyPidEnabled = rng() % 4 == 0;
        s.breedingNature = Pick(rng, -2, 26);
        if (rng() % 2) s.breedingNature = 0;
        s.breedingNoDitto = rng() % 2 == 0;
        s.breedingAbility = Pick(rng, 0, 3);
        s.breedingGender = Pick(rng, 0, 9);
        for (auto& parent : s.parentIv)
            for (int32_t& v : parent) v = rng() % 3 ? 31 : Pick(rng, -1, 40);
        break;
    case kModeShiny:
        s.shinyPidEnabled = true;
        s.shinyEncounter = Pick(rng, 0, 4);
        s.shinyNature = rng() % 2 ? 0 : Pick(rng, 0, 26);
        s.shinyIdAdjust = rng() % 2 == 0;
        s.shinyTrainerId = static_cast<uint16_t>(rng());
        s.shinySecretId = static_cast<uint16_t>(rng());
        s.pidConsumptionEnd = s.pidConsumptionStart + Pick(rng, 200, 2000);
        break;
    case kModeIv:
        break;
    }
    return s;
}
