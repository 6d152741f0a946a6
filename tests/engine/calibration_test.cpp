// Calibration against boots made up from known parameters: every batch
// engine finds them, with the plain one-combination-at-a-time reference's
// matches in its order whatever the threads, also at the edges of the
// ranges, of the calendar and of the MT table.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "engine/Calibration.h"
#include "modes/IndividualValues.h"
#include "seed/RandomStreams.h"

namespace {

class CalibrationTest : public ::testing::TestWithParam<int32_t> {};

CandidateMoment MomentOf(int32_t year, int32_t month, int32_t day, int32_t hour, int32_t minute, int32_t second,
                         uint32_t keyMask = 1023) {
    return CandidateMoment{year - 2000, month, day, WeekdayOf(year - 2000, month, day), hour, minute, second,
                           keyMask};
}

// The parameters a boot is made from, and what it showed.
struct Truth {
    int32_t offset;  // the console's clock stood this many seconds after the moment set
    uint32_t vCount, timer0, gxStat, frame;
    int32_t position;  // -1: the boot shows its seed
};

CalibrationBoot MakeBoot(const CalibrationRequest& r, const CandidateMoment& at, const Truth& truth) {
    CandidateMoment real;
    EXPECT_TRUE(CalibrationMomentShift(at, truth.offset, real));
    const uint64_t seed = CalibrationSeedOf(r, real, truth.vCount, truth.timer0, truth.gxStat, truth.frame);
    CalibrationBoot boot{};
    boot.at = at;
    boot.seedSeen = truth.position < 0;
    boot.seed = seed;
    if (!boot.seedSeen) {
        MtTable mt;
        MtTableFill(mt, seed);
        const IvSet ivs = IvSetAt(mt, truth.position, r.roamer);
        for (int i = 0; i < 6; ++i) boot.ivs[i] = static_cast<uint8_t>(ivs.v[i]);
    }
    return boot;
}

bool Found(const CalibrationResult& result, int32_t boot, const Truth& t) {
    for (const CalibrationMatch& m : result.matches)
        if (m.boot == boot && m.offset == t.offset && m.vCount == t.vCount && m.timer0 == t.timer0 &&
            m.gxStat == t.gxStat && m.frame == t.frame && m.position == t.position)
            return true;
    return false;
}

void ExpectSameMatches(const CalibrationResult& got, const CalibrationResult& plain) {
    EXPECT_EQ(got.candidates, plain.candidates);
    ASSERT_EQ(got.matches.size(), plain.matches.size());
    for (size_t i = 0; i < got.matches.size(); ++i) {
        const CalibrationMatch& a = got.matches[i];
        const CalibrationMatch& b = plain.matches[i];
        EXPECT_TRUE(a.boot == b.boot && a.offset == b.offset && a.vCount == b.vCount && a.timer0 == b.timer0 &&
                    a.gxStat == b.gxStat && a.frame == b.frame && a.position == b.position && a.seed == b.seed &&
                    a.moment.second == b.moment.second && a.moment.day == b.moment.day &&
                    a.moment.keyMask == b.moment.keyMask)
            << "match " << i;
    }
}

// The engine's run against the plain one and the truths.
void ExpectCalibrates(const CalibrationRequest& r, const std::vector<Truth>& truths, int32_t engine,
                      int32_t threads) {
    CalibrationOptions options{};
    options.kernels = SearchEngineAt(engine).kernels;
    options.threads = threads;
    const CalibrationResult got = CalibrationRun(r, options);
    const CalibrationResult plain = CalibrationRunPlain(r, CalibrationOptions{});
    ASSERT_TRUE(got.finished);
    ASSERT_TRUE(plain.finished);
    ExpectSameMatches(got, plain);
    for (size_t b = 0; b < truths.size(); ++b)
        EXPECT_TRUE(Found(got, static_cast<int32_t>(b), truths[b])) << "boot " << b;
}

uint32_t Near(std::mt19937& rng, uint32_t value, uint32_t spread, uint32_t most) {
    const int64_t v = static_cast<int64_t>(value) + Pick(rng, -static_cast<int32_t>(spread), static_cast<int32_t>(spread));
    return static_cast<uint32_t>(std::min<int64_t>(std::max<int64_t>(v, 0), most));
}

CalibrationRequest RandomRequest(std::mt19937& rng) {
    CalibrationRequest r{};
    VersionConstantsSet(r.version, static_cast<GameVersion>(rng() % 4));
    for (uint32_t& byte : r.mac) byte = rng() % 256;
    r.threeDsMode = rng() % 2 == 0;
    r.tolerance = Pick(rng, 0, 3);
    r.ivStart = Pick(rng, 0, 30);
    r.ivEnd = r.ivStart + Pick(rng, 0, 12);
    r.roamer = rng() % 2 == 0;
    return r;
}

// Several random consoles of every version, three boots each with and
// without keys held, each a few seconds off and with its own Timer0 near
// the console's; one round with enough Timer0 values for many blocks.
TEST_P(CalibrationTest, FindsTheParametersOfMadeUpBoots) {
    SKIP_UNLESS_SUPPORTED(SearchEngineAt(GetParam()));
    std::mt19937 rng(41);
    for (int round = 0; round < 6; ++round) {
        CalibrationRequest r = RandomRequest(rng);
        VersionConstantsSet(r.version, static_cast<GameVersion>(round % 4));
        const uint32_t vCount = rng() % 0x107, timer0 = rng() % 0x10000, frame = 8 + rng() % 2;
        const uint32_t gxStat = round % 2 ? 0x06000000u : RandomWord(rng);
        const uint32_t spread = round == 5 ? 0x100 : 6;
        r.vCount = {Near(rng, vCount, 1, 0xFFFF), 0};
        r.vCount.high = std::max(r.vCount.low, Near(rng, vCount, 1, 0xFFFF));
        if (r.vCount.low > vCount) r.vCount.low = vCount;
        if (r.vCount.high < vCount) r.vCount.high = vCount;
        r.timer0 = {timer0 < spread ? 0 : timer0 - spread, std::min(timer0 + spread, 0xFFFFu)};
        r.gxStat = {gxStat, gxStat};
        r.frame = {8, 9};
        std::vector<Truth> truths;
        for (int b = 0; b < 3; ++b) {
            Truth t{Pick(rng, -r.tolerance, r.tolerance), vCount, Near(rng, timer0, 2, 0xFFFF), gxStat, frame, -1};
            t.timer0 = std::min(std::max(t.timer0, r.timer0.low), r.timer0.high);
            if ((b + round) % 3 != 0) t.position = Pick(rng, r.ivStart, r.ivEnd);
            CandidateMoment at = RandomMoment(rng);
            at.keyMask = b == 0 ? 1023 : at.keyMask;
            r.boots.push_back(MakeBoot(r, at, t));
            truths.push_back(t);
        }
        SCOPED_TRACE("round " + std::to_string(round));
        ExpectCalibrates(r, truths, GetParam(), 1 + round % 3);
    }
}

// The unknowns at both ends of their ranges, moments at the ends of the
// century, of February in leap and common years and of a day, and the
// positions at both ends of the table (with and without the roamer).
TEST_P(CalibrationTest, FindsThemAtTheEdges) {
    SKIP_UNLESS_SUPPORTED(SearchEngineAt(GetParam()));
    std::mt19937 rng(42);
    struct Edge {
        CalibrationRange vCount, timer0, gxStat, frame;
        CandidateMoment at;
        int32_t offset;
        bool roamer;
        int32_t ivStart, ivEnd;
    };
    const Edge edges[] = {
        {{0, 1}, {0, 3}, {0, 0}, {0, 1}, MomentOf(2000, 1, 1, 0, 0, 1), -1, false, 0, 3},
        {{0xFFFE, 0xFFFF}, {0xFFFC, 0xFFFF}, {0xFFFFFFFE, 0xFFFFFFFF}, {0xFFFFFFFE, 0xFFFFFFFF},
         MomentOf(2099, 12, 31, 23, 59, 58), 1, false, 615, 618},
        {{0x60, 0x60}, {0xC79, 0xC7B}, {0x6000000, 0x6000000}, {8, 8}, MomentOf(2012, 2, 28, 23, 59, 59, 0), 1,
         true, 614, 617},
        {{0x5F, 0x60}, {0xC79, 0xC7A}, {0x6000000, 0x6000000}, {9, 9}, MomentOf(2013, 3, 1, 0, 0, 1, 0x3F0), -2,
         true, 0, 0},
        {{0x105, 0x106}, {0x1000, 0x1001}, {0, 1}, {0x7FFFFFFF, 0x80000000}, MomentOf(2013, 12, 31, 23, 59, 30),
         30, false, 0, 30},
    };
    int index = 0;
    for (const Edge& e : edges) {
        CalibrationRequest r = RandomRequest(rng);
        r.vCount = e.vCount;
        r.timer0 = e.timer0;
        r.gxStat = e.gxStat;
        r.frame = e.frame;
        r.tolerance = e.offset < 0 ? -e.offset + 1 : e.offset + 1;
        r.roamer = e.roamer;
        r.ivStart = e.ivStart;
        r.ivEnd = e.ivEnd;
        std::vector<Truth> truths;
        for (int b = 0; b < 2; ++b) {
            // One boot at the low ends, one at the high ends.
            const bool low = b == 0;
            Truth t{e.offset,
                    low ? e.vCount.low : e.vCount.high,
                    low ? e.timer0.low : e.timer0.high,
                    low ? e.gxStat.low : e.gxStat.high,
                    low ? e.frame.low : e.frame.high,
                    low ? e.ivStart : e.ivEnd};
            if (index == 4 && !low) t.position = -1;
            r.boots.push_back(MakeBoot(r, e.at, t));
            truths.push_back(t);
        }
        SCOPED_TRACE("edge " + std::to_string(index++));
        ExpectCalibrates(r, truths, GetParam(), 2);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, CalibrationTest, ::testing::ValuesIn(EngineIndices()), EngineName);

TEST(Calibration, ShiftsMomentsOnTheCalendar) {
    struct Case {
        CandidateMoment at;
        int32_t offset;
        bool inside;
        CandidateMoment expected;
    };
    const Case cases[] = {
        {MomentOf(2012, 11, 29, 14, 58, 21), 2, true, MomentOf(2012, 11, 29, 14, 58, 23)},
        {MomentOf(2012, 2, 28, 23, 59, 59), 1, true, MomentOf(2012, 2, 29, 0, 0, 0)},  // leap year
        {MomentOf(2013, 2, 28, 23, 59, 59), 1, true, MomentOf(2013, 3, 1, 0, 0, 0)},
        {MomentOf(2012, 3, 1, 0, 0, 0), -1, true, MomentOf(2012, 2, 29, 23, 59, 59)},
        {MomentOf(2012, 1, 1, 0, 0, 30), -60, true, MomentOf(2011, 12, 31, 23, 59, 30)},
        {MomentOf(2012, 4, 30, 23, 59, 0), 60, true, MomentOf(2012, 5, 1, 0, 0, 0)},
        {MomentOf(2000, 1, 1, 0, 0, 0), -1, false, {}},
        {MomentOf(2099, 12, 31, 23, 59, 59), 1, false, {}},
    };
    for (const Case& c : cases) {
        CandidateMoment got{};
        ASSERT_EQ(CalibrationMomentShift(c.at, c.offset, got), c.inside);
        if (!c.inside) continue;
        EXPECT_EQ(got.year, c.expected.year);
        EXPECT_EQ(got.month, c.expected.month);
        EXPECT_EQ(got.day, c.expected.day);
        EXPECT_EQ(got.weekday, c.expected.weekday);
        EXPECT_EQ(got.hour * 3600 + got.minute * 60 + got.second,
                  c.expected.hour * 3600 + c.expected.minute * 60 + c.expected.second);
    }
}

// What cannot be run is refused before anything is tried; the candidates
// count only the seconds inside the century.
TEST(Calibration, RefusesWhatCannotBeRunAndCountsTheRest) {
    CalibrationRequest r{};
    VersionConstantsSet(r.version, kGameBlack);
    r.tolerance = 2;
    r.vCount = {0, 0xFF};
    r.timer0 = {0, 0xFFFF};
    r.gxStat = {6, 6};
    r.frame = {8, 9};
    r.ivStart = 0;
    r.ivEnd = 30;
    CalibrationBoot boot{};
    boot.at = MomentOf(2000, 1, 1, 0, 0, 1);
    r.boots = {boot, boot};
    r.boots[1].at = MomentOf(2012, 11, 29, 14, 58, 21);
    uint64_t count = 0;
    ASSERT_TRUE(CalibrationRequestValid(r, count));
    EXPECT_EQ(count, uint64_t{4 + 5} * 256 * 65536 * 2);

    auto refused = [&](auto change) {
        CalibrationRequest bad = r;
        change(bad);
        uint64_t n = 0;
        const bool valid = CalibrationRequestValid(bad, n);
        CalibrationOptions options{};
        const CalibrationResult result = CalibrationRun(bad, options);
        return !valid && !result.finished && result.candidates == 0 && result.matches.empty();
    };
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.tolerance = kCalibrationMostTolerance + 1; }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.timer0 = {5, 4}; }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.boots[0].ivs[3] = 32; }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.ivEnd = 619; }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) {
        b.roamer = true;
        b.ivEnd = 618;
    }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.boots[1].at.day = 31; }));  // 31 November
    EXPECT_TRUE(refused([](CalibrationRequest& b) { b.boots[1].at.keyMask = 1024; }));
    EXPECT_TRUE(refused([](CalibrationRequest& b) {
        b.gxStat = {0, 0xFFFFFFFF};
        b.frame = {0, 0xFFFFFFFF};
    }));
}

// A stop before the first batch tries nothing and is not finished.
TEST(Calibration, StopsWhenAborted) {
    CalibrationRequest r{};
    VersionConstantsSet(r.version, kGameWhite2);
    r.vCount = {0, 0xFF};
    r.timer0 = {0, 0xFFFF};
    r.ivEnd = 30;
    CalibrationBoot boot{};
    boot.at = MomentOf(2012, 11, 29, 14, 58, 21);
    r.boots = {boot};
    std::atomic<bool> abort{true};
    CalibrationOptions options{};
    options.abort = &abort;
    const CalibrationResult result = CalibrationRun(r, options);
    EXPECT_FALSE(result.finished);
    EXPECT_EQ(result.candidates, 0u);
    EXPECT_FALSE(CalibrationRunPlain(r, options).finished);
}

}  // namespace
