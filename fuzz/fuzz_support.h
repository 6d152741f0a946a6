// What the fuzz targets share: numbers drawn from the input with the edges
// of the 32-bit range far more often than chance would give them, a
// settings record with every field drawn so, and a scratch folder of the
// process that goes away when it ends.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <ftw.h>
#include <unistd.h>

#include "modes/SearchSettings.h"

// A 32-bit number: most often one of the edges and small values around the
// ranges the window uses, else any value.
inline int32_t FuzzInt(FuzzedDataProvider& in) {
    static const int32_t kEdges[] = {
        INT32_MIN, INT32_MIN + 1, -65536, -2801, -1000, -100, -31, -2, -1, 0, 1, 2, 3, 5, 6,
        7, 9, 10, 11, 12, 13, 23, 25, 26, 28, 29, 30, 31, 32, 52, 53, 59, 60, 99, 100, 617,
        618, 619, 623, 624, 2799, 2800, 2801, 65535, 65536, 99999999, INT32_MAX - 1, INT32_MAX,
    };
    constexpr int kEdgeCount = static_cast<int>(sizeof kEdges / sizeof kEdges[0]);
    int choice = in.ConsumeIntegralInRange<int>(0, kEdgeCount);
    return choice < kEdgeCount ? kEdges[choice] : in.ConsumeIntegral<int32_t>();
}

// value + delta without leaving the 32-bit range.
inline int32_t FuzzSaturatedAdd(int32_t value, int64_t delta) {
    int64_t sum = static_cast<int64_t>(value) + delta;
    if (sum > INT32_MAX) return INT32_MAX;
    if (sum < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(sum);
}

// Every field of the record from the input, bools as true or false.
inline void FuzzSettings(FuzzedDataProvider& in, SearchSettings& s) {
    SearchSettingsInit(s);
    auto word = [&in]() { return in.ConsumeIntegral<uint32_t>(); };
    auto flag = [&in]() { return in.ConsumeBool(); };
    s.vCount = word();
    s.timer0 = word();
    s.gxStat = in.ConsumeIntegral<uint64_t>();
    s.frame = FuzzInt(in);
    s.MacWord6 = word();
    s.MacWord7 = word();
    if (flag()) {
        VersionConstantsSet(s.version, static_cast<GameVersion>(in.ConsumeIntegralInRange<int>(0, 3)));
    } else {
        s.version.versionWord = word();
        for (uint32_t& w : s.version.versionWords) w = word();
        s.version.fiveWordVersion = flag();
    }
    for (int32_t* f : {&s.startYear, &s.startMonth, &s.startDay, &s.endYear, &s.endMonth,
                       &s.endDay, &s.startHour, &s.startMinute, &s.startSecond, &s.endHour,
                       &s.endMinute, &s.endSecond})
        *f = FuzzInt(in);
    s.threeDsMode = flag();
    s.keyInputEnabled = flag();
    for (int i = 0; i < 6; ++i) {
        s.ivMax[i] = FuzzInt(in);
        s.ivMin[i] = FuzzInt(in);
    }
    s.hiddenPowerType = FuzzInt(in);
    s.hiddenPowerMinimum = FuzzInt(in);
    s.roamerEnabled = flag();
    s.ivConsumptionStart = FuzzInt(in);
    s.ivConsumptionEnd = FuzzInt(in);
    s.pidConsumptionStart = FuzzInt(in);
    s.pidConsumptionEnd = FuzzInt(in);
    for (bool* f : {&s.shinyPidEnabled, &s.breedingEnabled, &s.deliveryEnabled, &s.cometEnabled,
                    &s.domeEnabled, &s.grottoEnabled})
        *f = flag();
    for (bool& key : s.usableKeys) key = flag();
    s.excludeOppositeAndReset = flag();
    s.shinyTrainerId = in.ConsumeIntegral<uint16_t>();
    s.shinySecretId = in.ConsumeIntegral<uint16_t>();
    s.shinyEncounter = FuzzInt(in);
    s.shinyIdAdjust = flag();
    s.shinyNature = FuzzInt(in);
    for (auto& parent : s.parentIv)
        for (int32_t& iv : parent) iv = FuzzInt(in);
    s.breedingNoDitto = flag();
    s.breedingNature = FuzzInt(in);
    s.breedingAbility = FuzzInt(in);
    s.breedingGender = FuzzInt(in);
    s.deliveryNatureOffset = FuzzInt(in);
    s.deliveryNature = FuzzInt(in);
    s.deliveryShinyMethod = FuzzInt(in);
    s.deliveryTrainerId = in.ConsumeIntegral<uint16_t>();
    s.deliverySecretId = in.ConsumeIntegral<uint16_t>();
    s.cometCompoundEyes = flag();
    for (int32_t& trainer : s.domeTrainers) trainer = FuzzInt(in);
    s.domeShiftWidth = FuzzInt(in);
    s.grottoKind = FuzzInt(in);
    s.grottoFemaleRatio = FuzzInt(in);
    for (bool& slot : s.grottoSlots) slot = flag();
}

// A folder of this process under $TMPDIR (or /tmp), removed when the
// process exits (a crash leaves it; the scripts point TMPDIR into build/).
inline std::string& FuzzScratchDirName() {
    static std::string dir;
    return dir;
}

inline int FuzzRemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

inline const std::string& FuzzScratchDir() {
    std::string& dir = FuzzScratchDirName();
    if (dir.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/morvane_fuzz_XXXXXX";
        if (!mkdtemp(&pattern[0])) std::abort();
        dir = pattern;
        std::atexit([] { nftw(FuzzScratchDirName().c_str(), FuzzRemoveEntry, 8, FTW_DEPTH | FTW_PHYS); });
    }
    return dir;
}

inline std::string FuzzScratchPath(const char* name) { return FuzzScratchDir() + "/" + name; }

inline void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

inline std::string FuzzReadFile(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

// A broken property: says which, and stops the run so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,      \
                         #condition);                                                     \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)
