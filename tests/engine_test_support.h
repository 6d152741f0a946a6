// Helpers of the engine tests: the backends as a parameter, random consoles,
// moments and mode settings, and a plain evaluation of single candidates.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/SearchSettings.h"
#include "seed/EngineKernels.h"
#include "seed/SearchEngine.h"
#include "seed/SeedMessage.h"
#include "seed/SeedSearch.h"

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
