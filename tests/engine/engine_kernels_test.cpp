// Every kernel family against the plain digest, MT table and LCG stream, and
// the pieces of the batch plan that turn settings into draw thresholds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "modes/IvSearch.h"
#include "modes/ShinyPid.h"
#include "modes/SearchModes.h"
#include "engine/BatchEngine.h"
#include "seed/RandomStreams.h"
#include "seed/SecondDigest.h"

namespace {

constexpr int32_t C = kEngineChunk;

class EngineKernelsTest : public ::testing::TestWithParam<int32_t> {};

// Lanes with messages of their own, and lanes of several consoles: each
// with its own VCount and Timer0 word, its own MAC/GxStat/Frame word, or both.
TEST_P(EngineKernelsTest, SeedsMatchThePlainDigest) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(11);
    for (int round = 0; round < 6; ++round) {
        const int32_t count = round < 3 ? C << (2 * round) : 3 * kEngineMaxLanes;
        const bool ownW5 = round == 3 || round == 5, ownW7 = round >= 4;
        SearchSettings s = RandomConsole(rng);
        SeedMessagePrefix prefix = SeedMessagePrefixOf(StartupParametersOf(s));
        std::vector<CandidateMoment> moments = RandomMoments(rng, count);
        // Boundary key masks and hours: all keys held, none held, noon.
        moments[0].keyMask = 0;
        moments[1].keyMask = 1023;
        moments[2].hour = 12;
        std::vector<uint32_t> w5, w7, w8, w9, w12;
        std::vector<SeedMessagePrefix> prefixes;
        for (const CandidateMoment& m : moments) {
            SearchSettings lane = s;
            if (ownW5) {
                lane.timer0 = rng() % 0x10000;
                lane.vCount = rng() % 0x100;
            }
            if (ownW7) lane.MacWord7 = static_cast<uint32_t>(rng());
            prefixes.push_back(SeedMessagePrefixOf(StartupParametersOf(lane)));
            w5.push_back(prefixes.back().w[5]);
            w7.push_back(prefixes.back().w[7]);
            w8.push_back(SeedMessageDateWord(m));
            w9.push_back(SeedMessageTimeWord(m, s.threeDsMode));
            w12.push_back(SeedMessageKeyWord(m.keyMask));
        }
        Sha1BatchInput in{};
        std::copy(prefix.w, prefix.w + 8, in.prefix);
        in.w5 = ownW5 ? w5.data() : nullptr;
        in.w7 = ownW7 ? w7.data() : nullptr;
        in.w8 = w8.data();
        in.w9 = w9.data();
        in.w12 = w12.data();
        in.count = count;
        std::vector<uint64_t> seeds(static_cast<size_t>(count));
        entry.kernels->sha1Seeds(in, seeds.data());
        for (int32_t i = 0; i < count; ++i) {
            uint64_t expected = InitialSeedOf(SeedMessageBuild(prefixes[i], moments[i], s.threeDsMode));
            ASSERT_EQ(seeds[i], expected) << "round " << round << " lane " << i << " of " << count;
        }
    }
}

TEST_P(EngineKernelsTest, MtWordsMatchTheRegeneratedTable) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(12);
    std::vector<uint64_t> seeds(C);
    for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
    seeds[0] = 0;                        // MT seed 0
    seeds[1] = 0xFFFFFFFF00000000ull;    // MT seed 0xFFFFFFFF
    seeds[2] = 0x7FFFFFFF12345678ull;    // MT seed 0x7FFFFFFF
    std::vector<MtTable> tables(C);
    for (int32_t j = 0; j < C; ++j) MtTableFill(tables[j], seeds[j]);
    std::vector<uint32_t> words(static_cast<size_t>(kMtSize) * C), scratch(words.size());
    // Windows of the partial seeding (below 227), the edge at 226/227 where
    // regenerated words start to read regenerated ones, and the table's end.
    const int32_t ranges[][2] = {{0, 0},     {7, 12},    {0, 5},     {221, 226}, {220, 227},
                                 {226, 233}, {300, 305}, {612, 623}, {0, 623}};
    // A chunk's first lanes alone (the survivors of a screen), in every
    // block size of the seeding chains.
    for (const auto& range : ranges) {
        const int32_t lo = range[0], hi = range[1];
        for (int32_t lanes : {C, 1, 7, 9, 33, 64, 100, 127}) {
            entry.kernels->mtWords(seeds.data(), lanes, lo, hi, words.data(), scratch.data());
            for (int32_t k = lo; k <= hi; ++k)
                for (int32_t j = 0; j < lanes; ++j)
                    ASSERT_EQ(words[static_cast<size_t>((k - lo) * C + j)], tables[j].mt[k])
                        << "word " << k << " lane " << j << " of " << lanes << ", window " << lo << ".." << hi;
        }
    }
}

// Lanes of one second from the second's digest and the key terms of their
// masks: every mask, the masks of a pattern with its exclusions, runs of
// every length up to the widest vector and past it, across a day's end.
TEST_P(EngineKernelsTest, SecondSeedsMatchThePlainDigest) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(21);
    constexpr int32_t stride = 1024 + kEngineMaxLanes;
    std::vector<uint32_t> rows(static_cast<size_t>(kKeyTermRows) * stride, 0), laneTerms(rows.size(), 0);
    std::vector<uint64_t> seeds(1024 + kEngineMaxLanes);
    for (int round = 0; round < 6; ++round) {
        SearchSettings s = RandomConsole(rng);
        s.excludeOppositeAndReset = round % 2 == 0;
        for (bool& key : s.usableKeys) key = round < 2 || rng() % 3 != 0;
        std::vector<uint32_t> masks;
        for (uint32_t mask = 0; mask < 1024; ++mask)
            if (KeyMaskAllowed(s, mask)) masks.push_back(mask);
        const int32_t count = static_cast<int32_t>(masks.size());
        for (int32_t p = 0; p < count; ++p) {
            uint32_t terms[kKeyTermRows];
            KeyScheduleTerms(masks[static_cast<size_t>(p)], terms);
            for (int32_t t = 0; t < kKeyTermRows; ++t) rows[static_cast<size_t>(t) * stride + p] = terms[t];
            std::copy(terms, terms + kKeyTermRows, laneTerms.begin() + static_cast<std::ptrdiff_t>(p) * kKeyTermRows);
        }
        CandidateMoment m = RandomMoment(rng);
        if (round == 3) m = CandidateMoment{99, 12, 31, WeekdayOf(99, 12, 31), 23, 59, 59, 0};
        if (round == 4) m.hour = 12;
        const SeedMessagePrefix prefix = SeedMessagePrefixOf(StartupParametersOf(s));
        const SecondDigest second =
            SecondDigestOf(prefix, SeedMessageDateWord(m), SeedMessageTimeWord(m, s.threeDsMode));
        for (int32_t first : {0, 1, 7, count / 2}) {
            for (int32_t n : {1, 3, 8, 15, 16, 17, 100, count}) {
                n = std::min(n, count - first);
                if (n <= 0) continue;
                Sha1SecondInput in{&second, rows.data() + first, stride, n,
                                   laneTerms.data() + static_cast<size_t>(first) * kKeyTermRows};
                entry.kernels->sha1SecondSeeds(in, seeds.data());
                for (int32_t i = 0; i < n; ++i) {
                    m.keyMask = masks[static_cast<size_t>(first + i)];
                    ASSERT_EQ(seeds[static_cast<size_t>(i)],
                              InitialSeedOf(SeedMessageBuild(prefix, m, s.threeDsMode)))
                        << "round " << round << " lanes " << first << "+" << i << " of " << n;
                }
            }
        }
    }
}

TEST_P(EngineKernelsTest, IvScreenMatchesTheFilter) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(14);
    std::vector<uint64_t> seeds(C);
    std::vector<MtTable> tables(C);
    std::vector<uint32_t> words(static_cast<size_t>(kMtSize) * C), scratch(words.size());
    std::vector<uint32_t> ivs(words.size());
    std::vector<LaneSet> pass(kMtSize);
    auto laneIn = [](const LaneSet& set, int32_t j) { return ((set.w[j / 64] >> (j % 64)) & 1u) != 0; };
    for (int round = 0; round < 40; ++round) {
        for (int32_t j = 0; j < C; ++j) {
            seeds[j] = (static_cast<uint64_t>(rng()) << 32) | rng();
            MtTableFill(tables[j], seeds[j]);
        }
        SearchSettings s;
        SearchSettingsInit(s);
        s.roamerEnabled = round % 2 == 1;
        for (int i = 0; i < 6; ++i) {
            // Mostly loose bounds, sometimes outside 0..31 or crossed.
            s.ivMin[i] = static_cast<int32_t>(rng() % 12) - 2;
            s.ivMax[i] = static_cast<int32_t>(rng() % 16) + 20;
        }
        if (round % 7 == 3) s.ivMin[2] = s.ivMax[2] + 1;
        s.hiddenPowerType = static_cast<int32_t>(rng() % 18) - 1;
        s.hiddenPowerMinimum = static_cast<int32_t>(rng() % 50) + 25;
        if (round % 3 == 0) s.hiddenPowerType = -1;
        SearchRun run{};
        run.settings = &s;
        run.mode = kModeIv;
        s.ivConsumptionStart = static_cast<int32_t>(rng() % 40);
        s.ivConsumptionEnd = s.ivConsumptionStart + static_cast<int32_t>(rng() % 30);
        BatchPlan plan;
        BatchPlanOf(run, plan);
        ASSERT_TRUE(plan.mtNeeded);
        entry.kernels->mtWords(seeds.data(), C, plan.mtLo, plan.mtHi, words.data(), scratch.data());
        LaneSet any;
        entry.kernels->ivScreen(plan.iv, words.data(), ivs.data(), pass.data(), any);
        for (int32_t j = 0; j < C; ++j) {
            bool anyExpected = false;
            for (int32_t c = 0; c < plan.iv.positions; ++c) {
                const int32_t consumption = plan.ivStart + c;
                IvSet set = IvSetAt(tables[j], consumption, s.roamerEnabled);
                for (int i = 0; i < 6; ++i)
                    ASSERT_EQ(static_cast<int32_t>(ivs[static_cast<size_t>((c + plan.iv.offsets[i]) * C + j)]), set.v[i]);
                const bool expected = IvFilterPasses(s, set);
                anyExpected = anyExpected || expected;
                ASSERT_EQ(laneIn(pass[static_cast<size_t>(c)], j), expected)
                    << "round " << round << " lane " << j << " c " << consumption;
            }
            ASSERT_EQ(laneIn(any, j), anyExpected);
        }
    }
}

// Settings whose individual-value side passes every position: only the
// draws decide.
void OpenIndividualValues(SearchSettings& s) {
    for (int i = 0; i < 6; ++i) {
        s.ivMin[i] = 0;
        s.ivMax[i] = 31;
    }
    s.hiddenPowerType = -1;
    s.hiddenPowerMinimum = 30;
    s.ivConsumptionStart = s.ivConsumptionEnd = 0;
    for (auto& parent : s.parentIv)
        for (int32_t& v : parent) v = 31;
}

BatchPlan ScreenPlanOf(SearchRun& run, SearchSettings& s, SearchMode mode) {
    run.settings = &s;
    run.mode = mode;
    run.pidEnd = std::min(s.pidConsumptionEnd, kPidConsumptionEndLimit);
    LcgStreamInit(run.lcg, kLcgCapacity);
    BatchPlan plan;
    BatchPlanOf(run, plan);
    return plan;
}

// A chunk of seeds through the mode's draw screen and through its own
// evaluation of each candidate: a lane passes exactly when the plain
// evaluation finds a row (breeding: at least when it does), and a plan that
// expects nothing is never contradicted. The exact screens also say which
// positions give rows: evaluating a passing position alone (with the
// positions its row depends on) writes a row, and the rows of all passing
// positions are the candidate's rows. Counts the lanes with rows.
void ExpectScreenMatchesEvaluation(const SearchEngineEntry& entry, SearchSettings& s, SearchMode mode,
                                   const std::vector<uint64_t>& seeds, std::mt19937& rng,
                                   const std::string& what, int32_t& lanesWithRows) {
    std::vector<uint8_t> scratch(kLcgScreenScratchBytes + 64);
    std::vector<LaneSet> pass(kLcgScreenMaxRows);
    SearchRun run{};
    const BatchPlan plan = ScreenPlanOf(run, s, mode);
    LcgScreenOutput out{};
    out.pass = pass.data();
    std::vector<LcgJumpRow> rows, natureRows;
    if (!plan.nothing) {
        ASSERT_TRUE(plan.lcgScreen);
        for (int32_t r = 0; r < plan.lcgRows; ++r) rows.push_back(LcgJumpRowOf(static_cast<uint64_t>(plan.pidStart + r)));
        for (int32_t k = 0; k < plan.lcg.positions; ++k)
            natureRows.push_back(LcgJumpRowOf(static_cast<uint64_t>(plan.pidStart + SearchRunDeliveryOffset(run) + k)));
        LcgScreenInput in{&plan.lcg, rows.data(), plan.natureRow < 0 ? natureRows.data() : nullptr,
                          seeds.data(), scratch.data()};
        entry.kernels->lcgScreen(in, out);
    }
    const SearchModeEntry& modeEntry = SearchModeEntryOf(mode);
    for (int32_t j = 0; j < C; ++j) {
        const bool any = (out.any.w[j / 64] >> (j % 64)) & 1u;
        run.candidateCount = 0;
        LcgStreamFill(run.lcg, seeds[j], SearchRunLcgCount(run));
        MtTableFill(run.mt, seeds[j]);
        const CandidateMoment moment = RandomMoment(rng);
        EvaluateCandidate(run, moment, seeds[j]);
        const int32_t rowsOfLane = run.candidateCount;
        lanesWithRows += rowsOfLane > 0 ? 1 : 0;
        if (mode == kModeBreeding) {
            if (rowsOfLane > 0) {
                ASSERT_TRUE(any) << what << " lane " << j;
            }
            continue;
        }
        ASSERT_EQ(any, rowsOfLane > 0) << what << " lane " << j;
        if (!modeEntry.evaluateRange || plan.nothing) continue;
        int32_t positionRows = 0;
        for (int32_t k = 0; k < plan.lcg.positions; ++k) {
            if (!((pass[k].w[j / 64] >> (j % 64)) & 1u)) continue;
            run.candidateCount = 0;
            const int32_t last = plan.pidStart + k;
            modeEntry.evaluateRange(run, moment, seeds[j], last - plan.lead, last);
            ASSERT_EQ(run.candidateCount, 1) << what << " position " << last;
            ++positionRows;
        }
        ASSERT_EQ(positionRows, rowsOfLane) << what << " lane " << j;
    }
}

TEST_P(EngineKernelsTest, ScreensPassExactlyTheCandidatesWithRows) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(16);
    std::vector<uint64_t> seeds(C);
    const SearchMode modes[] = {kModeGrotto, kModeDome, kModeComet, kModeDelivery, kModeShiny,
                                kModeBreeding};
    int32_t lanesWithRows = 0;
    for (SearchMode mode : modes) {
        for (int round = 0; round < 12; ++round) {
            SearchSettings s = RandomModeSettings(rng, mode);
            OpenIndividualValues(s);
            if (mode == kModeDelivery && round % 3 == 1) {
                s.hiddenPowerType = static_cast<int32_t>(rng() % 16);
                s.hiddenPowerMinimum = 50;
                s.ivMin[static_cast<size_t>(rng() % 6)] = 16;
            }
            for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
            ExpectScreenMatchesEvaluation(entry, s, mode, seeds, rng,
                                          "mode " + std::to_string(mode) + " round " + std::to_string(round),
                                          lanesWithRows);
            if (HasFatalFailure()) return;
        }
    }
    EXPECT_GT(lanesWithRows, 500);
}

// A required range that keeps no draw (the plans never make one today, so
// each screen checks it before its rows, which test ranges without a
// check): no position passes, whatever the draws. Grotto with an empty kind
// band or female range, comet with an empty last band, shiny with an empty
// nature.
TEST_P(EngineKernelsTest, ScreensWithAnEmptyRequiredRangePassNothing) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(29);
    const DrawRange empty{2u, 1u};
    for (int variant = 0; variant < 5; ++variant) {
        const SearchMode mode = variant < 3 ? kModeGrotto : variant == 3 ? kModeComet : kModeShiny;
        SearchSettings s = RandomModeSettings(rng, mode);
        OpenIndividualValues(s);
        s.pidConsumptionStart = 10;
        s.pidConsumptionEnd = 300;
        s.grottoKind = 1;
        s.grottoFemaleRatio = 2;
        if (variant == 2) s.grottoSlots[1] = 0;
        s.shinyNature = 3;
        s.shinyEncounter = kShinyEncounterFixed;
        SearchRun run{};
        BatchPlan plan = ScreenPlanOf(run, s, mode);
        ASSERT_FALSE(plan.nothing);
        if (variant == 0 || variant == 2) plan.lcg.grotto.kind = empty;
        if (variant == 1) plan.lcg.grotto.female = empty;
        if (variant == 3) plan.lcg.comet.last = empty;
        if (variant == 4) {
            ASSERT_TRUE(plan.lcg.shiny.natureTest);
            plan.lcg.shiny.nature = empty;
        }
        std::vector<uint64_t> seeds(C);
        for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
        std::vector<LcgJumpRow> rows;
        for (int32_t r = 0; r < plan.lcgRows; ++r) rows.push_back(LcgJumpRowOf(static_cast<uint64_t>(plan.pidStart + r)));
        std::vector<uint8_t> scratch(kLcgScreenScratchBytes + 64);
        std::vector<LaneSet> pass(kLcgScreenMaxRows);
        for (LaneSet& set : pass) std::memset(set.w, 0xFF, sizeof set.w);
        LcgScreenOutput out{};
        out.pass = pass.data();
        LcgScreenInput in{&plan.lcg, rows.data(), nullptr, seeds.data(), scratch.data()};
        entry.kernels->lcgScreen(in, out);
        for (int32_t k = 0; k < plan.lcg.positions; ++k)
            for (uint64_t w : pass[static_cast<size_t>(k)].w) ASSERT_EQ(w, 0u) << "variant " << variant << " position " << k;
        for (uint64_t w : out.any.w) ASSERT_EQ(w, 0u) << "variant " << variant;
    }
}

// A seed whose LCG draw at index is the given one (the state's lower half
// random): the jump's multiplier is odd, so it has an inverse.
uint64_t SeedWithDraw(uint64_t index, uint32_t draw, std::mt19937& rng) {
    uint64_t mul, add;
    LcgJump(index, mul, add);
    uint64_t inverse = mul;
    for (int i = 0; i < 5; ++i) inverse *= 2 - mul * inverse;
    return inverse * (((static_cast<uint64_t>(draw) << 32) | rng()) - add);
}

// The shiny screen takes its offsets off the jump rows and moves the
// nature's range with them: a lane whose personality value is shiny for
// the IDs chosen, with the egg's value draw at 0, 1, 2 and 2^32 - 1, or the
// nature draw of the other encounters at the ends of the nature's range and
// just outside, against the plain evaluation.
TEST_P(EngineKernelsTest, ShinyScreenAtTheDrawEdges) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(23);
    int32_t lanesWithRows = 0;
    for (int32_t rule : {kShinyEncounterEgg, kShinyEncounterRoamer, kShinyEncounterFixed}) {
        for (bool adjust : {false, true}) {
            for (int edge = 0; edge < 4; ++edge) {
                SearchSettings s = RandomModeSettings(rng, kModeShiny);
                OpenIndividualValues(s);
                s.shinyEncounter = rule;
                s.shinyIdAdjust = adjust;
                s.shinyNature = 1 + static_cast<int32_t>(rng() % 25);
                SearchRun run{};
                const BatchPlan plan = ScreenPlanOf(run, s, kModeShiny);
                ASSERT_FALSE(plan.nothing);
                const int64_t k = plan.pidStart + static_cast<int64_t>(rng() % static_cast<uint32_t>(plan.lcg.positions));
                const DrawRange nature = DrawRangeOf(s.shinyNature - 1, s.shinyNature - 1, 25);
                const uint32_t eggEdges[4] = {0u, 1u, 2u, 0xFFFFFFFFu};
                const uint32_t natureEdges[4] = {nature.lo - 1, nature.lo, nature.hi, nature.hi + 1};
                std::vector<uint64_t> seeds(C);
                for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
                seeds[0] = rule == kShinyEncounterEgg
                               ? SeedWithDraw(static_cast<uint64_t>(k + kShinyPidDraw), eggEdges[edge], rng)
                               : SeedWithDraw(static_cast<uint64_t>(k + kShinyNatureDraw), natureEdges[edge], rng);
                // IDs that make lane 0's value shiny (the adjustment reads bit 0 of the IDs).
                uint64_t mul, add;
                LcgJump(static_cast<uint64_t>(k + kShinyPidDraw), mul, add);
                const uint32_t pid = ShinyPidOf(rule, static_cast<uint32_t>((mul * seeds[0] + add) >> 32));
                for (uint32_t bit = 0; bit < 2; ++bit) {
                    const uint32_t v = adjust ? ShinyPidIdAdjusted(pid, static_cast<uint16_t>(bit), 0) : pid;
                    const uint32_t ids = ((v >> 16) ^ v) & 0xFFFFu;
                    if ((ids & 1u) == bit || !adjust) s.shinyTrainerId = static_cast<uint16_t>(ids);
                }
                s.shinySecretId = 0;
                ExpectScreenMatchesEvaluation(entry, s, kModeShiny, seeds, rng,
                                              "rule " + std::to_string(rule) + " adjust " + std::to_string(adjust) +
                                                  " edge " + std::to_string(edge),
                                              lanesWithRows);
                if (HasFatalFailure()) return;
            }
        }
    }
    // Lane 0 has rows unless its nature draw lies outside the range.
    EXPECT_GE(lanesWithRows, 8 + 2 * 4);
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, EngineKernelsTest, ::testing::ValuesIn(EngineIndices()),
                         EngineName);

}  // namespace
