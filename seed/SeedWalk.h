// The walk of a search: every day of the date range, every hour, minute and
// second of the day's ranges and every key mask the key-input pattern
// allows, in that order, handed to the caller in batches. The walk knows no
// mode and no window: the caller's hooks evaluate the batches, pump the
// window's messages, show the day being walked and say when to stop. The
// window's search and a producer that hands chunks of candidates to worker
// threads run the same walk.
#pragma once

#include <cstdint>

#include "seed/SeedMessage.h"

// The ranges of one walk; years are two digits (year - 2000). Each inner
// range runs from its start to its end inclusive, and not at all when the
// start lies above the end; the first day is always walked.
struct WalkRange {
    int32_t startYear, startMonth, startDay;
    int32_t endYear, endMonth, endDay;
    int32_t startHour, startMinute, startSecond;
    int32_t endHour, endMinute, endSecond;
    bool keyInputEnabled;  // walk key masks 0..1023; off: 1023 (no key held) only
};

// The key-input pattern, read through pointers at every mask: a dialog that
// changes it while the walk runs takes effect from the next mask on.
struct KeyPatternView {
    const bool* usableKeys;               // ten flags by KeyMask bit: the key may be pressed
    const bool* excludeOppositeAndReset;  // drop left+right, up+down and the reset keys
};

// KeyMask bits of the keys the exclusion looks at.
enum : int {
    kKeyBitSelect = 2,
    kKeyBitStart = 3,
    kKeyBitRight = 4,
    kKeyBitLeft = 5,
    kKeyBitUp = 6,
    kKeyBitDown = 7,
    kKeyBitR = 8,
    kKeyBitL = 9,
};
constexpr uint32_t kKeyMaskNone = 1023;  // every bit set: no key held

// True when the key-input pattern lets the walk take this mask.
bool KeyMaskAllowed(const KeyPatternView& pattern, uint32_t keyMask);

// Candidates the walk takes in every second: 1 with key input off, else the
// masks the pattern allows (at least 1: mask 1023, no key held, always passes).
int32_t KeyMasksPerSecond(bool keyInputEnabled, const KeyPatternView& pattern);

// Day advance as the walk counts days (February always 28). False when the
// next day would fall in the year after INT_MAX, past every end date.
bool SearchAdvanceDate(int32_t& year, int32_t& month, int32_t& day);

// The seconds the walk hands out on each day: the product of its hour,
// minute and second ranges (0 when one runs backwards).
uint64_t WalkSecondsPerDay(const WalkRange& range);
// The days the walk goes through (the first always), counting at most
// maxDays of them.
uint64_t WalkDayCount(const WalkRange& range, uint64_t maxDays);
// Moves the range's first day on by `days` days of the walk's calendar.
void WalkSkipDays(WalkRange& range, uint64_t days);

// What the walk asks of its caller. Each hook gets context first.
struct WalkHooks {
    void* context;
    // Evaluates count candidates (1 .. the batch size) in walk order.
    void (*evaluate)(void* context, const CandidateMoment* moments, int32_t count);
    // True when the walk must stop before the next batch (an abort, a quit).
    bool (*stopRequested)(void* context);
    // Removes and dispatches the messages waiting for the window; may be null.
    void (*pump)(void* context);
    // Monotonic milliseconds, for the rate limits of the pump and the progress.
    uint64_t (*nowMillis)(void* context);
    // Matches so far; the progress is shown again once it has grown.
    int32_t (*matchCount)(void* context);
    // Shows the day being walked with the matches so far; may be null.
    void (*showProgress)(void* context, int32_t year, int32_t month, int32_t day, int32_t count);
};

// Candidates per batch at most.
constexpr int32_t kWalkMaxBatch = 1024;

// Walks the ranges, handing batches of up to batchSize candidates (clamped
// to 1..kWalkMaxBatch) to hooks.evaluate. Before each batch it asks whether
// to stop, pumps at most every 10 ms and shows a grown count at most every
// 100 ms; between batches, however long, it asks and pumps every 10 ms. A
// batch slower than 20 ms halves the next ones and one quicker than 5 ms
// doubles them again. Returns false when it was stopped.
bool SeedWalkRun(const WalkRange& range, const KeyPatternView& keys, int32_t batchSize,
                 const WalkHooks& hooks);
