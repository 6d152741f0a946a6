#include "seed/SeedWalk.h"

#include <algorithm>
#include <cstddef>
#include <vector>

// The pump runs no more often than this while candidates are evaluated, and
// a grown count is shown no more often than the second.
constexpr uint64_t kPumpIntervalMillis = 10;
constexpr uint64_t kProgressIntervalMillis = 100;
// A batch that took longer than this halves the next ones, and one quicker
// than the second doubles them again, up to the batch size: a search whose
// settings write many rows per candidate still pumps every few milliseconds.
constexpr uint64_t kSlowBatchMillis = 20;
constexpr uint64_t kQuickBatchMillis = 5;

bool KeyMaskAllowed(const KeyPatternView& pattern, uint32_t keyMask) {
    for (int i = 0; i < 10; ++i)
        if (!pattern.usableKeys[i] && ((keyMask >> i) & 1u) == 0) return false;
    if (*pattern.excludeOppositeAndReset) {
        auto pressed = [keyMask](int bit) { return ((keyMask >> bit) & 1u) == 0; };
        if (pressed(kKeyBitRight) && pressed(kKeyBitLeft)) return false;
        if (pressed(kKeyBitUp) && pressed(kKeyBitDown)) return false;
        if (pressed(kKeyBitSelect) && pressed(kKeyBitStart) && pressed(kKeyBitR) &&
            pressed(kKeyBitL))
            return false;
    }
    return true;
}

int32_t KeyMasksPerSecond(bool keyInputEnabled, const KeyPatternView& pattern) {
    if (!keyInputEnabled) return 1;
    int32_t n = 0;
    for (uint32_t mask = 0; mask <= kKeyMaskNone; ++mask) n += KeyMaskAllowed(pattern, mask) ? 1 : 0;
    return n;
}

static int32_t WalkMonthLength(int32_t month) {
    if (month == 2) return 28;
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

bool SearchAdvanceDate(int32_t& year, int32_t& month, int32_t& day) {
    // Compared before counting on, so that a day or month at INT_MAX rolls
    // over instead of overflowing.
    if (day < WalkMonthLength(month)) {
        ++day;
        return true;
    }
    day = 1;
    if (month < 12) {
        ++month;
        return true;
    }
    month = 1;
    if (year == INT32_MAX) return false;
    ++year;
    return true;
}

static bool DateAfter(int32_t y, int32_t m, int32_t d, int32_t ey, int32_t em, int32_t ed) {
    if (y != ey) return y > ey;
    if (m != em) return m > em;
    return d > ed;
}

uint64_t WalkSecondsPerDay(const WalkRange& r) {
    auto span = [](int32_t first, int32_t last) -> uint64_t {
        return last < first ? 0 : static_cast<uint64_t>(int64_t{last} - first) + 1;
    };
    return span(r.startHour, r.endHour) * span(r.startMinute, r.endMinute) * span(r.startSecond, r.endSecond);
}

uint64_t WalkDayCount(const WalkRange& r, uint64_t maxDays) {
    uint64_t days = 0;
    int32_t y = r.startYear, m = r.startMonth, d = r.startDay;
    do {
        ++days;
    } while (days < maxDays && SearchAdvanceDate(y, m, d) && !DateAfter(y, m, d, r.endYear, r.endMonth, r.endDay));
    return days;
}

void WalkSkipDays(WalkRange& r, uint64_t days) {
    for (uint64_t i = 0; i < days; ++i)
        if (!SearchAdvanceDate(r.startYear, r.startMonth, r.startDay)) return;
}

namespace {

// Walk state that the batch boundaries share.
struct Walk {
    const WalkHooks* hooks;
    std::vector<CandidateMoment> batch;
    int32_t batchCount;
    int32_t batchLimit;  // candidates per batch now, 1..batch.size()
    bool stopped;
    bool pumpedOnce;
    uint64_t lastPump;
    uint64_t lastProgress;
    int32_t shownCount;
    int32_t year, month, day;  // the current day, for the progress
    uint64_t added;            // candidates handed out so far
};

void ShowProgress(Walk& walk, uint64_t now) {
    const WalkHooks& h = *walk.hooks;
    walk.shownCount = h.matchCount(h.context);
    if (h.showProgress) h.showProgress(h.context, walk.year, walk.month, walk.day, walk.shownCount);
    walk.lastProgress = now;
}

// Stop check, pump and progress before the batch, then its evaluation.
void FlushBatch(Walk& walk) {
    if (walk.batchCount == 0 || walk.stopped) return;
    const WalkHooks& h = *walk.hooks;
    if (h.stopRequested(h.context)) {
        walk.stopped = true;
        return;
    }
    uint64_t now = h.nowMillis(h.context);
    if (!walk.pumpedOnce || now - walk.lastPump >= kPumpIntervalMillis) {
        if (h.pump) h.pump(h.context);
        walk.pumpedOnce = true;
        now = h.nowMillis(h.context);
        walk.lastPump = now;
    }
    if (h.matchCount(h.context) > walk.shownCount &&
        now - walk.lastProgress >= kProgressIntervalMillis)
        ShowProgress(walk, now);
    h.evaluate(h.context, walk.batch.data(), walk.batchCount);
    uint64_t took = h.nowMillis(h.context) - now;
    const int32_t largest = static_cast<int32_t>(walk.batch.size());
    if (took >= kSlowBatchMillis && walk.batchLimit > 1)
        walk.batchLimit /= 2;
    else if (took < kQuickBatchMillis && walk.batchLimit < largest)
        walk.batchLimit = walk.batchLimit * 2 > largest ? largest : walk.batchLimit * 2;
    walk.batchCount = 0;
}

// A day, hour or minute whose inner range runs backwards hands out no
// candidate, so no batch looks at the window. After each such one the walk
// asks whether to stop and pumps, every 10 ms at the most: however long it
// walks without evaluating anything, the window answers and an abort stops
// it. A stretch that handed out candidates leaves this to their batches.
void KeepWindowAlive(Walk& walk, uint64_t addedBefore) {
    const WalkHooks& h = *walk.hooks;
    if (walk.stopped || walk.added != addedBefore) return;
    const uint64_t now = h.nowMillis(h.context);
    if (walk.pumpedOnce && now - walk.lastPump < kPumpIntervalMillis) return;
    if (h.stopRequested(h.context)) {
        walk.stopped = true;
        return;
    }
    if (h.pump) h.pump(h.context);
    walk.pumpedOnce = true;
    walk.lastPump = h.nowMillis(h.context);
}

// The masks of a second that the key-input pattern allows, in increasing
// order, made again whenever the pattern differs from the one they were
// made for (a dialog may change it while the walk runs).
struct MaskList {
    bool made;
    bool usableKeys[10];
    bool exclude;
    int32_t count;
    uint32_t masks[1024];
};

bool MaskListCurrent(const MaskList& list, const KeyPatternView& keys) {
    if (!list.made || list.exclude != *keys.excludeOppositeAndReset) return false;
    for (int i = 0; i < 10; ++i)
        if (list.usableKeys[i] != keys.usableKeys[i]) return false;
    return true;
}

void MaskListMake(MaskList& list, const KeyPatternView& keys) {
    list.made = true;
    for (int i = 0; i < 10; ++i) list.usableKeys[i] = keys.usableKeys[i];
    list.exclude = *keys.excludeOppositeAndReset;
    list.count = 0;
    for (uint32_t mask = 0; mask <= kKeyMaskNone; ++mask)
        if (KeyMaskAllowed(keys, mask)) list.masks[list.count++] = mask;
}

// Hands the allowed masks of one second to the batches. The pattern is
// looked at again after every batch evaluated meanwhile, whose pump may have
// changed it: a change takes effect from the next mask on.
void AddSecond(Walk& walk, CandidateMoment moment, MaskList& list, const KeyPatternView& keys) {
    if (!MaskListCurrent(list, keys)) MaskListMake(list, keys);
    int32_t i = 0;
    while (i < list.count && !walk.stopped) {
        const int32_t n = std::min(walk.batchLimit - walk.batchCount, list.count - i);
        CandidateMoment* out = walk.batch.data() + walk.batchCount;
        for (int32_t k = 0; k < n; ++k) {
            moment.keyMask = list.masks[i + k];
            out[k] = moment;
        }
        walk.batchCount += n;
        walk.added += static_cast<uint64_t>(n);
        i += n;
        if (walk.batchCount < walk.batchLimit) break;
        FlushBatch(walk);
        if (i < list.count && !MaskListCurrent(list, keys)) {
            const uint32_t last = list.masks[i - 1];
            MaskListMake(list, keys);
            i = 0;
            while (i < list.count && list.masks[i] <= last) ++i;
        }
    }
}

void AddCandidate(Walk& walk, const CandidateMoment& moment) {
    walk.batch[static_cast<size_t>(walk.batchCount++)] = moment;
    ++walk.added;
    if (walk.batchCount >= walk.batchLimit) FlushBatch(walk);
}

}  // namespace

bool SeedWalkRun(const WalkRange& range, const KeyPatternView& keys, int32_t batchSize,
                 const WalkHooks& hooks) {
    if (batchSize < 1) batchSize = 1;
    if (batchSize > kWalkMaxBatch) batchSize = kWalkMaxBatch;

    Walk walk{};
    walk.hooks = &hooks;
    walk.batch.resize(static_cast<size_t>(batchSize));
    walk.batchLimit = batchSize;
    walk.year = range.startYear;
    walk.month = range.startMonth;
    walk.day = range.startDay;

    MaskList masks{};
    while (!walk.stopped) {
        ShowProgress(walk, hooks.nowMillis(hooks.context));
        CandidateMoment moment{};
        moment.year = walk.year;
        moment.month = walk.month;
        moment.day = walk.day;
        moment.weekday = WeekdayOf(walk.year, walk.month, walk.day);
        const uint64_t dayAdded = walk.added;
        // Counted wide: a range may end at INT_MAX.
        for (int64_t h = range.startHour; h <= range.endHour && !walk.stopped; ++h) {
            moment.hour = static_cast<int32_t>(h);
            const uint64_t hourAdded = walk.added;
            for (int64_t m = range.startMinute; m <= range.endMinute && !walk.stopped; ++m) {
                moment.minute = static_cast<int32_t>(m);
                const uint64_t minuteAdded = walk.added;
                for (int64_t s = range.startSecond; s <= range.endSecond && !walk.stopped; ++s) {
                    moment.second = static_cast<int32_t>(s);
                    if (range.keyInputEnabled) {
                        AddSecond(walk, moment, masks, keys);
                    } else {
                        moment.keyMask = kKeyMaskNone;
                        AddCandidate(walk, moment);
                    }
                }
                KeepWindowAlive(walk, minuteAdded);
            }
            KeepWindowAlive(walk, hourAdded);
        }
        FlushBatch(walk);
        KeepWindowAlive(walk, dayAdded);
        if (walk.stopped) break;
        // Past the last representable year is past every end date.
        if (!SearchAdvanceDate(walk.year, walk.month, walk.day) ||
            DateAfter(walk.year, walk.month, walk.day, range.endYear, range.endMonth,
                      range.endDay))
            break;
    }
    return !walk.stopped;
}
