// Calibration: which console parameters made the boots a player saw. Each
// boot is a moment set by hand (to the second, so within a tolerance either
// side), the keys held, and what the game showed: six individual values at
// some position, or an initial seed. Every second of every boot is tried
// with every VCount, Timer0, GxStat and Frame of the ranges; the candidates
// of different consoles go through the batch engine's digest together (one
// message of its own per lane) and, for the values, through its MT words and
// individual-value screen, on every core. The matches come back in one order
// whatever the number of threads.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "seed/SeedMessage.h"

struct EngineKernels;

// Seconds either side of a boot's moment at most.
constexpr int32_t kCalibrationMostTolerance = 60;

// What the player saw of one boot.
struct CalibrationBoot {
    CandidateMoment at;  // the clock as set; keyMask: the keys held (1023 for none)
    bool seedSeen;       // an initial seed shown by other means; else the six values
    uint64_t seed;
    uint8_t ivs[6];      // H A B C D S, each 0..31
};

// An inclusive range of one unknown.
struct CalibrationRange {
    uint32_t low, high;
};

// The boots of one console (the game and the MAC are known) and the ranges of
// what is not: VCount and Timer0 make word 5 of the message, GxStat and Frame
// (its 32-bit pattern) word 7 with the MAC.
struct CalibrationRequest {
    VersionConstants version;
    uint32_t mac[6];  // bytes, MAC[0] first
    bool threeDsMode;
    std::vector<CalibrationBoot> boots;
    int32_t tolerance;  // 0..kCalibrationMostTolerance seconds
    CalibrationRange vCount, timer0, gxStat, frame;
    int32_t ivStart, ivEnd;  // the positions the six values may come from
    bool roamer;             // the roamer's layout of the values
};

// One combination that gives what a boot showed.
struct CalibrationMatch {
    int32_t boot;            // index in the request's boots
    int32_t offset;          // seconds from the boot's moment
    CandidateMoment moment;  // that second, with the keys held
    uint32_t vCount, timer0, gxStat, frame;
    int32_t position;        // of the six values; -1 for a seen seed
    uint64_t seed;
};

// Zero in a field takes its default.
struct CalibrationOptions {
    const EngineKernels* kernels;  // null: the best engine's
    int32_t threads;               // 0: every core
    // On the calling thread, at most ten times a second: candidates tried so
    // far and matches found.
    void (*progress)(void* context, uint64_t candidates, uint64_t matches);
    void* progressContext;
    const std::atomic<bool>* abort;  // true stops the calibration within a batch; may be null
};

struct CalibrationResult {
    bool finished;        // every candidate was tried
    uint64_t candidates;  // tried
    // By boot, then second, VCount, Timer0, GxStat, Frame and position; when
    // not finished, those found before the stop.
    std::vector<CalibrationMatch> matches;
};

// The moment `offset` seconds (|offset| below a day) from `at` on the
// calendar, weekday included; false when it leaves 2000..2099.
bool CalibrationMomentShift(const CandidateMoment& at, int32_t offset, CandidateMoment& shifted);

// Whether the request can be run: real moments, keys within ten bits,
// values 0..31, ranges that run forwards, a tolerance within its bound, the
// positions inside the MT table, and candidates that can be counted (into
// `candidates`: every second of every boot within 2000..2099 times the four
// ranges).
bool CalibrationRequestValid(const CalibrationRequest& request, uint64_t& candidates);

// Tries every candidate; an invalid request tries none and is not finished.
CalibrationResult CalibrationRun(const CalibrationRequest& request, const CalibrationOptions& options);

// The initial seed of one candidate: the message built whole and digested.
uint64_t CalibrationSeedOf(const CalibrationRequest& request, const CandidateMoment& moment, uint32_t vCount,
                           uint32_t timer0, uint32_t gxStat, uint32_t frame);

// The plain reference the batch engines are held against: one combination
// at a time on this thread, CalibrationSeedOf, the whole MT table and the
// six values of every position. The same matches in the same order. Of the
// options only the progress and the abort count.
CalibrationResult CalibrationRunPlain(const CalibrationRequest& request, const CalibrationOptions& options);
