// Helpers shared by the mode tests: a run built by hand over one seed with a
// temporary result file, hand-chosen draws, and the plain pieces the
// whole-search references are written from.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "modes/SearchModes.h"
#include "modes/ResultFile.h"
#include "tests/engine/search_test_support.h"

// The worked example's seed: the console of ExampleSearchSettings at
// 2012-11-29 13:45:07 with no key held.
constexpr uint64_t kExampleSeed = 0x6266D11A5ECD9A72ull;

// Settings at their initial values and a run over them, as the driver would
// hand it to the evaluation. Not to be copied: run.settings points into it.
struct ModeBench {
    SearchSettings settings;
    SearchRun run;
};

inline void ModeBenchInit(ModeBench& bench, SearchMode mode) {
    SearchSettingsInit(bench.settings);
    SearchRunInit(bench.run, bench.settings);
    bench.run.mode = mode;
    bench.run.pidEnd = 0;
    bench.run.resultFile = std::tmpfile();
}

// Fills both streams for the run's mode as the driver does, from the settings
// as they are now.
inline void ModeBenchFill(ModeBench& bench, uint64_t seed) {
    const int32_t e = bench.settings.pidConsumptionEnd;
    bench.run.pidEnd = e > kPidConsumptionEndLimit ? kPidConsumptionEndLimit : e;
    LcgStreamFill(bench.run.lcg, seed, SearchRunLcgCount(bench.run));
    MtTableFill(bench.run.mt, seed);
}

// Every draw set to fill and marked valid, so the evaluation reads only what
// the test writes into U and never produces a draw itself.
inline void ModeBenchCraft(ModeBench& bench, uint32_t fill) {
    const int32_t e = bench.settings.pidConsumptionEnd;
    bench.run.pidEnd = e > kPidConsumptionEndLimit ? kPidConsumptionEndLimit : e;
    LcgStream& lcg = bench.run.lcg;
    for (int32_t i = 0; i < lcg.capacity; ++i) {
        lcg.U[static_cast<size_t>(i)] = fill;
        lcg.L[static_cast<size_t>(i)] = static_cast<uint64_t>(fill) << 32;
    }
    lcg.fillMark = lcg.capacity;
}

// The bytes written since the last call; the file then starts empty again.
inline std::string ModeBenchTakeRows(ModeBench& bench) {
    std::string bytes;
    FILE* file = bench.run.resultFile;
    if (!file) return bytes;
    SearchRunFlush(bench.run);
    std::fflush(file);
    std::rewind(file);
    char chunk[4096];
    for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, got);
    std::fclose(file);
    bench.run.resultFile = std::tmpfile();
    return bytes;
}

// One candidate through the mode dispatch; the rows it wrote.
inline std::string ModeBenchRowsOf(ModeBench& bench, const CandidateMoment& moment, uint64_t seed) {
    EvaluateCandidate(bench.run, moment, seed);
    return ModeBenchTakeRows(bench);
}

inline void ModeBenchEnd(ModeBench& bench) {
    if (bench.run.resultFile) std::fclose(bench.run.resultFile);
    bench.run.resultFile = nullptr;
}

// The example moment with the given keys held (bits cleared).
inline CandidateMoment ModeExampleMoment(uint32_t keyMask) {
    return CandidateMoment{12, 11, 29, 4, 13, 45, 7, keyMask};
}

// The smallest draw that scales to value out of n.
inline uint32_t DrawScaledTo(uint32_t value, uint32_t n) {
    return static_cast<uint32_t>(((static_cast<uint64_t>(value) << 32) + n - 1) / n);
}

// --- plain references for the whole-search tests ---------------------------

// Draws 0..count-1 of the LCG from seed, stepped one by one.
inline std::vector<uint32_t> PlainDraws(uint64_t seed, int count) {
    std::vector<uint32_t> draws;
    uint64_t x = seed;
    for (int i = 0; i < count; ++i) {
        draws.push_back(static_cast<uint32_t>(x >> 32));
        x = x * 0x5D588B656C078965ull + 0x269EC3ull;
    }
    return draws;
}

inline uint32_t PlainScaled(uint32_t draw, uint32_t n) {
    return static_cast<uint32_t>((static_cast<uint64_t>(draw) * n) >> 32);
}

// Every candidate of a one-day search in walk order.
inline std::vector<CandidateMoment> PlainMoments(const SearchSettings& s) {
    std::vector<CandidateMoment> moments;
    const uint32_t firstMask = s.keyInputEnabled ? 0u : 1023u;
    for (int h = s.startHour; h <= s.endHour; ++h)
        for (int mi = s.startMinute; mi <= s.endMinute; ++mi)
            for (int se = s.startSecond; se <= s.endSecond; ++se)
                for (uint32_t mask = firstMask; mask <= 1023u; ++mask) {
                    if (s.keyInputEnabled && !KeyMaskAllowed(s, mask)) continue;
                    moments.push_back(CandidateMoment{
                        s.startYear, s.startMonth, s.startDay,
                        WeekdayOf(s.startYear, s.startMonth, s.startDay), h, mi, se, mask});
                }
    return moments;
}

inline uint64_t PlainSeedOf(const SearchSettings& s, const CandidateMoment& m) {
    return InitialSeedOf(SeedMessageBuild(SeedMessagePrefixOf(StartupParametersOf(s)), m, s.threeDsMode));
}

inline std::string Hex8(uint32_t x) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", x);
    return text;
}

inline std::string SeedHex(uint64_t seed) {
    return Hex8(static_cast<uint32_t>(seed >> 32)) + Hex8(static_cast<uint32_t>(seed));
}

// "yy,month,day,hour,minute,second," of a row.
inline std::string PlainRowStart(const CandidateMoment& m) {
    return std::to_string(m.year) + "," + std::to_string(m.month) + "," + std::to_string(m.day) +
           "," + std::to_string(m.hour) + "," + std::to_string(m.minute) + "," +
           std::to_string(m.second) + ",";
}

// The key suffix when key input is on, then the line end.
inline std::string PlainRowEnd(const SearchSettings& s, const CandidateMoment& m) {
    return (s.keyInputEnabled ? KeyInputSuffix(m.keyMask) : std::string()) + "\r\n";
}

struct ModeSearchOutcome {
    int32_t count;
    std::string bytes;
};

// A whole search through the driver with a headless window whose fake clock
// pumps before every candidate; hook (may be null) runs from the pump.
inline ModeSearchOutcome RunModeSearch(const SearchSettings& s, const char* name,
                                       void (*hook)(HeadlessWindow&, void*) = nullptr,
                                       void* hookContext = nullptr) {
    std::string path = TempResultPath(name);
    HeadlessWindow window;
    HeadlessWindowInit(window);
    window.fakeStep = 10;
    window.onPump = hook;
    window.hookContext = hookContext;
    ModeSearchOutcome outcome;
    outcome.count = RunHeadless(s, path, &kPlainEngine, window);
    outcome.bytes = ReadFileBytes(path);
    std::remove(path.c_str());
    return outcome;
}
