// Every kernel family against the plain digest, MT table and LCG stream, and
// the pieces of the batch plan that turn settings into draw thresholds.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "modes/IvSearch.h"
#include "modes/SearchModes.h"
#include "engine/BatchEngine.h"
#include "seed/RandomStreams.h"

namespace {

constexpr int32_t C = kEngineChunk;

class EngineKernelsTest : public ::testing::TestWithParam<int32_t> {};

TEST_P(EngineKernelsTest, SeedsMatchThePlainDigest) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(11);
    for (int32_t count : {C, 2 * C, 16 * C}) {
        SearchSettings s = RandomConsole(rng);
        SeedMessagePrefix prefix = SeedMessagePrefixOf(StartupParametersOf(s));
        std::vector<CandidateMoment> moments = RandomMoments(rng, count);
        // Boundary key masks and hours: all keys held, none held, noon.
        moments[0].keyMask = 0;
        moments[1].keyMask = 1023;
        moments[2].hour = 12;
        std::vector<uint32_t> w8, w9, w12;
        for (const CandidateMoment& m : moments) {
            w8.push_back(SeedMessageDateWord(m));
            w9.push_back(SeedMessageTimeWord(m, s.threeDsMode));
            w12.push_back(SeedMessageKeyWord(m.keyMask));
        }
        Sha1BatchInput in;
        std::copy(prefix.w, prefix.w + 8, in.prefix);
        in.w8 = w8.data();
        in.w9 = w9.data();
        in.w12 = w12.data();
        in.count = count;
        std::vector<uint64_t> seeds(static_cast<size_t>(count));
        entry.kernels->sha1Seeds(in, seeds.data());
        for (int32_t i = 0; i < count; ++i) {
            uint64_t expected = InitialSeedOf(SeedMessageBuild(prefix, moments[i], s.threeDsMode));
            ASSERT_EQ(seeds[i], expected) << "lane " << i << " of " << count;
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
    for (const auto& range : ranges) {
        const int32_t lo = range[0], hi = range[1];
        entry.kernels->mtWords(seeds.data(), lo, hi, words.data(), scratch.data());
        for (int32_t k = lo; k <= hi; ++k)
            for (int32_t j = 0; j < C; ++j)
                ASSERT_EQ(words[static_cast<size_t>((k - lo) * C + j)], tables[j].mt[k])
                    << "word " << k << " lane " << j << " of window " << lo << ".." << hi;
    }
}

TEST_P(EngineKernelsTest, LcgWindowMatchesTheStream) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(13);
    std::vector<uint64_t> seeds(C);
    for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
    seeds[0] = 0;
    seeds[1] = ~0ull;
    std::vector<LcgStream> streams(C);
    for (int32_t j = 0; j < C; ++j) {
        LcgStreamInit(streams[j], kLcgMinimumCapacity);
        LcgStreamFill(streams[j], seeds[j], 2830);
    }
    std::vector<uint32_t> u(static_cast<size_t>(2831) * C);
    for (int32_t start : {0, 1, 50, 2799}) {
        const int32_t rows = 2831 - start;
        uint64_t mul, add;
        LcgJump(static_cast<uint64_t>(start), mul, add);
        entry.kernels->lcgWindow(seeds.data(), mul, add, rows, u.data());
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t j = 0; j < C; ++j)
                ASSERT_EQ(u[static_cast<size_t>(r * C + j)], streams[j].U[static_cast<size_t>(start + r)])
                    << "draw " << start + r << " lane " << j;
    }
}

TEST_P(EngineKernelsTest, IvScreenMatchesTheFilter) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(14);
    std::vector<uint64_t> seeds(C);
    std::vector<MtTable> tables(C);
    std::vector<uint32_t> words(static_cast<size_t>(kMtSize) * C), scratch(words.size());
    std::vector<uint8_t> ivs(words.size()), pass(words.size());
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
        entry.kernels->mtWords(seeds.data(), plan.mtLo, plan.mtHi, words.data(), scratch.data());
        uint8_t any[C];
        entry.kernels->ivScreen(plan.iv, words.data(), ivs.data(), pass.data(), any);
        for (int32_t j = 0; j < C; ++j) {
            bool anyExpected = false;
            for (int32_t c = 0; c < plan.iv.positions; ++c) {
                const int32_t consumption = plan.ivStart + c;
                IvSet set = IvSetAt(tables[j], consumption, s.roamerEnabled);
                for (int i = 0; i < 6; ++i)
                    ASSERT_EQ(ivs[static_cast<size_t>((c + plan.iv.offsets[i]) * C + j)], set.v[i]);
                const bool expected = IvFilterPasses(s, set);
                anyExpected = anyExpected || expected;
                ASSERT_EQ(pass[static_cast<size_t>(c * C + j)] != 0, expected)
                    << "round " << round << " lane " << j << " c " << consumption;
            }
            ASSERT_EQ(any[j] != 0, anyExpected);
        }
    }
}

// The screens against the modes' own evaluation of each candidate: a lane
// passes exactly when the plain evaluation finds a row (breeding: at least
// when it does), and a plan that expects nothing is never contradicted.
TEST_P(EngineKernelsTest, ScreensPassExactlyTheCandidatesWithRows) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(16);
    std::vector<uint32_t> draws(static_cast<size_t>(2900) * C), natures(draws.size());
    std::vector<uint64_t> seeds(C);
    const SearchMode modes[] = {kModeGrotto, kModeDome, kModeComet, kModeDelivery, kModeShiny,
                                kModeBreeding};
    int32_t lanesWithRows = 0;
    for (SearchMode mode : modes) {
        for (int round = 0; round < 12; ++round) {
            // The individual-value side passes every position: only the
            // draws decide.
            SearchSettings s = RandomModeSettings(rng, mode);
            for (int i = 0; i < 6; ++i) {
                s.ivMin[i] = 0;
                s.ivMax[i] = 31;
            }
            s.hiddenPowerType = -1;
            s.hiddenPowerMinimum = 30;
            s.ivConsumptionStart = s.ivConsumptionEnd = 0;
            for (auto& parent : s.parentIv)
                for (int32_t& v : parent) v = 31;
            SearchRun run{};
            run.settings = &s;
            run.mode = mode;
            run.pidEnd = std::min(s.pidConsumptionEnd, kPidConsumptionEndLimit);
            LcgStreamInit(run.lcg, kLcgCapacity);
            BatchPlan plan;
            BatchPlanOf(run, plan);
            uint8_t any[C] = {};
            uint64_t inherited[C] = {};
            for (uint64_t& seed : seeds) seed = (static_cast<uint64_t>(rng()) << 32) | rng();
            if (!plan.nothing) {
                ASSERT_TRUE(plan.lcgScreen);
                uint64_t mul, add;
                LcgJump(static_cast<uint64_t>(plan.pidStart), mul, add);
                entry.kernels->lcgWindow(seeds.data(), mul, add, plan.lcgRows, draws.data());
                const uint32_t* natureRows = draws.data() + std::max(plan.natureRow, 0) * C;
                if (plan.natureRow < 0) {
                    LcgJump(static_cast<uint64_t>(plan.pidStart + SearchRunDeliveryOffset(run)), mul, add);
                    entry.kernels->lcgWindow(seeds.data(), mul, add, plan.lcg.positions, natures.data());
                    natureRows = natures.data();
                }
                entry.kernels->lcgScreen(plan.lcg, draws.data(), natureRows, any, inherited);
            }
            for (int32_t j = 0; j < C; ++j) {
                run.candidateCount = 0;
                LcgStreamFill(run.lcg, seeds[j], SearchRunLcgCount(run));
                MtTableFill(run.mt, seeds[j]);
                EvaluateCandidate(run, RandomMoment(rng), seeds[j]);
                const bool rows = run.candidateCount > 0;
                lanesWithRows += rows ? 1 : 0;
                if (mode == kModeBreeding && rows) {
                    ASSERT_TRUE(any[j]) << "breeding round " << round << " lane " << j;
                } else if (mode != kModeBreeding) {
                    ASSERT_EQ(any[j] != 0, rows) << "mode " << mode << " round " << round << " lane " << j;
                }
            }
        }
    }
    EXPECT_GT(lanesWithRows, 500);
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, EngineKernelsTest, ::testing::ValuesIn(EngineIndices()),
                         EngineName);

}  // namespace
