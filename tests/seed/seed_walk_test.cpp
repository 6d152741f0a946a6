#include <gtest/gtest.h>

#include <vector>

#include "seed/SeedWalk.h"

namespace {

// The key-input pattern at its initial values: every key usable, the
// exclusion on.
struct Pattern {
    bool usableKeys[10];
    bool excludeOppositeAndReset;
};

Pattern InitialPattern() {
    Pattern p;
    for (bool& usable : p.usableKeys) usable = true;
    p.excludeOppositeAndReset = true;
    return p;
}

bool KeyMaskAllowed(const Pattern& p, uint32_t mask) {
    return KeyMaskAllowed(KeyPatternView{p.usableKeys, &p.excludeOppositeAndReset}, mask);
}

}  // namespace

TEST(KeyMaskFilter, ExclusionOfOppositeDirectionsAndReset) {
    Pattern s = InitialPattern();
    const uint32_t all = 1023;
    auto press = [](std::initializer_list<int> bits) {
        uint32_t m = 1023;
        for (int b : bits) m &= ~(1u << b);
        return m;
    };
    EXPECT_TRUE(KeyMaskAllowed(s, all));
    EXPECT_FALSE(KeyMaskAllowed(s, press({4, 5})));     // right and left
    EXPECT_FALSE(KeyMaskAllowed(s, press({6, 7})));     // up and down
    EXPECT_FALSE(KeyMaskAllowed(s, press({2, 3, 8, 9})));  // reset
    EXPECT_FALSE(KeyMaskAllowed(s, 0));
    EXPECT_TRUE(KeyMaskAllowed(s, press({2, 3, 8})));   // reset needs L too
    EXPECT_TRUE(KeyMaskAllowed(s, press({4, 6})));
    s.excludeOppositeAndReset = false;
    EXPECT_TRUE(KeyMaskAllowed(s, 0));
    // Entry 2 belongs to bit 2 (Select), not to Start.
    s.usableKeys[2] = false;
    EXPECT_FALSE(KeyMaskAllowed(s, press({2})));
    EXPECT_TRUE(KeyMaskAllowed(s, press({3})));

    s = InitialPattern();
    const KeyPatternView view{s.usableKeys, &s.excludeOppositeAndReset};
    // 3 x 3 direction choices per axis pair (none, one, other), 2^4 for A B
    // and the rest, minus the reset quadruple: 9 * 4 * (16 - 1).
    EXPECT_EQ(KeyMasksPerSecond(true, view), 9 * 4 * 15);
    EXPECT_EQ(KeyMasksPerSecond(false, view), 1);
}

TEST(DateAdvance, MonthLengthsAsTheWalkCountsThem) {
    int y = 12, m = 1, d = 31;
    SearchAdvanceDate(y, m, d);
    EXPECT_EQ(m * 100 + d, 201);
    y = 12, m = 2, d = 28;
    SearchAdvanceDate(y, m, d);
    EXPECT_EQ(m * 100 + d, 301);
    y = 12, m = 4, d = 30;
    SearchAdvanceDate(y, m, d);
    EXPECT_EQ(m * 100 + d, 501);
    y = 12, m = 6, d = 29;
    SearchAdvanceDate(y, m, d);
    EXPECT_EQ(m * 100 + d, 630);
    y = 99, m = 12, d = 31;
    SearchAdvanceDate(y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 1000101);
    // Counters at INT_MAX roll over; the year after INT_MAX is past every end.
    y = 12, m = 3, d = INT32_MAX;
    EXPECT_TRUE(SearchAdvanceDate(y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 120401);
    y = 12, m = INT32_MAX, d = 31;
    EXPECT_TRUE(SearchAdvanceDate(y, m, d));
    EXPECT_EQ(y * 10000 + m * 100 + d, 130101);
    y = INT32_MAX, m = 12, d = 31;
    EXPECT_FALSE(SearchAdvanceDate(y, m, d));
}

namespace {

// A caller of the walk with no window: candidates recorded, a clock that
// stands still, and a key pattern of its own that the evaluation changes.
struct BareWalk {
    bool usableKeys[10];
    bool exclude;
    std::vector<uint32_t> masks;
    uint32_t forbidAfterMask;  // A becomes unusable once this mask is evaluated
    size_t stopAfter;          // candidates before the stop; 0: never
};

void BareEvaluate(void* context, const CandidateMoment* moments, int32_t count) {
    BareWalk& w = *static_cast<BareWalk*>(context);
    for (int32_t i = 0; i < count; ++i) {
        w.masks.push_back(moments[i].keyMask);
        if (moments[i].keyMask == w.forbidAfterMask) w.usableKeys[0] = false;
    }
}
bool BareStop(void* context) {
    BareWalk& w = *static_cast<BareWalk*>(context);
    return w.stopAfter > 0 && w.masks.size() >= w.stopAfter;
}
uint64_t BareNow(void*) { return 0; }
int32_t BareCount(void*) { return 0; }

// A walk that evaluates nothing: a clock that moves 1 ms at every reading,
// and a stop requested at the third pump.
struct IdleWalk {
    uint64_t now;
    std::vector<uint64_t> pumpTimes;
    int days;
};
void IdleEvaluate(void*, const CandidateMoment*, int32_t) { ADD_FAILURE() << "a candidate"; }
bool IdleStop(void* context) { return static_cast<IdleWalk*>(context)->pumpTimes.size() >= 3; }
void IdlePump(void* context) {
    IdleWalk& w = *static_cast<IdleWalk*>(context);
    w.pumpTimes.push_back(w.now);
}
uint64_t IdleNow(void* context) { return ++static_cast<IdleWalk*>(context)->now; }
void IdleDay(void* context, int32_t, int32_t, int32_t, int32_t) { ++static_cast<IdleWalk*>(context)->days; }

}  // namespace

TEST(SeedWalk, ReadsTheLivePatternAndRunsWithoutPumpOrProgress) {
    BareWalk w{};
    for (bool& usable : w.usableKeys) usable = true;
    w.forbidAfterMask = 5;
    const WalkHooks hooks = {&w, BareEvaluate, BareStop, nullptr, BareNow, BareCount, nullptr};
    const KeyPatternView keys = {w.usableKeys, &w.exclude};
    WalkRange range = {12, 11, 29, 12, 11, 29, 0, 0, 0, 0, 0, 0, true};

    // One candidate per batch: from mask 6 on, only masks with A not pressed.
    EXPECT_TRUE(SeedWalkRun(range, keys, 1, hooks));
    std::vector<uint32_t> expected = {0, 1, 2, 3, 4, 5};
    for (uint32_t mask = 7; mask <= 1023; mask += 2) expected.push_back(mask);
    EXPECT_EQ(w.masks, expected);

    // Key input off: mask 1023 only, whatever the pattern. A stop ends the walk.
    w.masks.clear();
    range.keyInputEnabled = false;
    range.endSecond = 9;
    w.stopAfter = 4;
    EXPECT_FALSE(SeedWalkRun(range, keys, 2, hooks));
    EXPECT_EQ(w.masks, (std::vector<uint32_t>{1023, 1023, 1023, 1023}));

    // An hour range that ends at INT_MAX walks that hour once.
    w.masks.clear();
    w.stopAfter = 2;
    range = {12, 11, 29, 12, 11, 29, INT32_MAX, 0, 0, INT32_MAX, 0, 0, false};
    EXPECT_TRUE(SeedWalkRun(range, keys, 1, hooks));
    EXPECT_EQ(w.masks, (std::vector<uint32_t>{1023}));
}

// Hours 5 to 3 over a century: no candidate, yet the walk pumps every 10 ms
// and stops when asked to, instead of walking all 36500 days unseen.
TEST(SeedWalk, PumpsAndStopsWhileEvaluatingNothing) {
    IdleWalk w{};
    BareWalk keysOwner{};
    const WalkHooks hooks = {&w, IdleEvaluate, IdleStop, IdlePump, IdleNow, BareCount, IdleDay};
    const KeyPatternView keys = {keysOwner.usableKeys, &keysOwner.exclude};
    const WalkRange range = {0, 1, 1, 99, 12, 31, 5, 0, 0, 3, 59, 59, false};
    EXPECT_FALSE(SeedWalkRun(range, keys, 256, hooks));
    ASSERT_EQ(w.pumpTimes.size(), 3u);
    for (size_t i = 1; i < w.pumpTimes.size(); ++i)
        EXPECT_LE(w.pumpTimes[i] - w.pumpTimes[i - 1], 10u + 2u) << i;
    EXPECT_LT(w.days, 100);
}
