#include <gtest/gtest.h>

#include "modes/Comet.h"
#include "tests/modes/mode_test_support.h"

namespace {

// Sets the five tested draws from base b to values that pass.
void CometPassingDraws(uint32_t* U, int32_t b, bool compoundEyes) {
    U[b] = DrawScaledTo(39, 100);
    U[b + 1] = DrawScaledTo(320, 1600);
    U[b + 3] = DrawScaledTo(961, 1600);
    U[b + 7] = DrawScaledTo(compoundEyes ? 80 : 55, 100);
    U[b + 10] = DrawScaledTo(compoundEyes ? 84 : 55, 100);
}

bool PlainBand(uint32_t v) { return v <= 320 || (v >= 641 && v <= 800) || (v >= 961 && v <= 1280); }

bool PlainLast(uint32_t v, bool compoundEyes) {
    return compoundEyes ? (v >= 80 && v <= 84) : v == 55;
}

}  // namespace

TEST(Comet, WorkedValuesOfTheExampleSeed) {
    ModeBench bench;
    ModeBenchInit(bench, kModeComet);
    ModeBenchFill(bench, kExampleSeed);
    const uint32_t* U = bench.run.lcg.U.data();
    // With "ふくがん有り" position 0 tests U[0], U[1], U[3], U[7], U[10].
    EXPECT_EQ(ScaledDraw(U[0], 100), 38u);
    EXPECT_EQ(ScaledDraw(U[1], 1600), 370u);
    EXPECT_EQ(ScaledDraw(U[3], 1600), 1192u);
    EXPECT_EQ(ScaledDraw(U[7], 100), 75u);
    EXPECT_EQ(ScaledDraw(U[10], 100), 89u);
    EXPECT_FALSE(CometTestsPass(U, 0, true));
    // Without it, U[1], U[2], U[4], U[8], U[11].
    EXPECT_EQ(ScaledDraw(U[1], 100), 23u);
    EXPECT_EQ(ScaledDraw(U[2], 1600), 1381u);
    EXPECT_EQ(ScaledDraw(U[4], 1600), 571u);
    EXPECT_EQ(ScaledDraw(U[8], 100), 18u);
    EXPECT_EQ(ScaledDraw(U[11], 100), 32u);
    EXPECT_FALSE(CometTestsPass(U, 1, false));
    ModeBenchEnd(bench);
}

TEST(Comet, BandBounds) {
    for (uint32_t v : {0u, 320u, 641u, 800u, 961u, 1280u}) EXPECT_TRUE(CometBandAccepts(v)) << v;
    for (uint32_t v : {321u, 640u, 801u, 960u, 1281u, 1599u})
        EXPECT_FALSE(CometBandAccepts(v)) << v;
    for (uint32_t v = 0; v < 1600; ++v) EXPECT_EQ(CometBandAccepts(v), PlainBand(v)) << v;
}

TEST(Comet, FiveTestsOnChosenDraws) {
    ModeBench bench;
    ModeBenchInit(bench, kModeComet);
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 40;
    ModeBenchCraft(bench, 0xFFFFFFFFu);  // 99 / 1599: fails test 1 everywhere
    uint32_t* U = bench.run.lcg.U.data();
    CometPassingDraws(U, 3, true);
    EXPECT_TRUE(CometTestsPass(U, 3, true));
    // The draws between the tested ones play no part.
    for (int32_t untested : {5, 7, 8, 9, 11, 12}) U[untested] = 0x12345678u;
    EXPECT_TRUE(CometTestsPass(U, 3, true));

    U[3] = DrawScaledTo(40, 100);
    EXPECT_FALSE(CometTestsPass(U, 3, true));
    U[3] = DrawScaledTo(39, 100);
    U[4] = DrawScaledTo(321, 1600);
    EXPECT_FALSE(CometTestsPass(U, 3, true));
    U[4] = DrawScaledTo(320, 1600);
    U[6] = DrawScaledTo(960, 1600);
    EXPECT_FALSE(CometTestsPass(U, 3, true));
    U[6] = DrawScaledTo(961, 1600);
    for (uint32_t v : {79u, 85u, 55u}) {
        U[10] = DrawScaledTo(v, 100);
        EXPECT_FALSE(CometTestsPass(U, 3, true)) << v;
        U[10] = DrawScaledTo(80, 100);
        U[13] = DrawScaledTo(v, 100);
        EXPECT_FALSE(CometTestsPass(U, 3, true)) << v;
        U[13] = DrawScaledTo(84, 100);
    }
    EXPECT_TRUE(CometTestsPass(U, 3, true));
    // With compound eyes the match is at V = b = 3.
    EvaluateComet(bench.run, ModeExampleMoment(1023), kExampleSeed);
    EXPECT_EQ(ModeBenchTakeRows(bench), "12,11,29,13,45,7,3,6266D11A5ECD9A72\r\n");

    // Without, the same base is V + 1: the row names V = 2 and is otherwise
    // the same; 80..84 no longer pass, 54 and 56 fail, 55 passes.
    bench.settings.cometCompoundEyes = false;
    EXPECT_FALSE(CometTestsPass(U, 3, false));
    CometPassingDraws(U, 3, false);
    EXPECT_TRUE(CometTestsPass(U, 3, false));
    for (uint32_t v : {54u, 56u}) {
        U[10] = DrawScaledTo(v, 100);
        EXPECT_FALSE(CometTestsPass(U, 3, false)) << v;
        U[10] = DrawScaledTo(55, 100);
        U[13] = DrawScaledTo(v, 100);
        EXPECT_FALSE(CometTestsPass(U, 3, false)) << v;
        U[13] = DrawScaledTo(55, 100);
    }
    EvaluateComet(bench.run, ModeExampleMoment(1023), kExampleSeed);
    EXPECT_EQ(ModeBenchTakeRows(bench), "12,11,29,13,45,7,2,6266D11A5ECD9A72\r\n");
    EXPECT_EQ(bench.run.candidateCount, 2);
    ModeBenchEnd(bench);
}

TEST(Comet, RowWithKeyInput) {
    ModeBench bench;
    ModeBenchInit(bench, kModeComet);
    bench.settings.cometEnabled = true;
    bench.settings.keyInputEnabled = true;
    bench.settings.pidConsumptionStart = 7;
    bench.settings.pidConsumptionEnd = 7;
    ModeBenchCraft(bench, 0xFFFFFFFFu);
    CometPassingDraws(bench.run.lcg.U.data(), 7, true);
    EXPECT_EQ(ModeBenchRowsOf(bench, ModeExampleMoment(0), 0x0123456789ABCDEFull),
              "12,11,29,13,45,7,7,0123456789ABCDEF,ABSeSt→←↑↓RL\r\n");
    ModeBenchEnd(bench);
}

TEST(Comet, WholeSearchMatchesAPlainReference) {
    for (bool compoundEyes : {true, false}) {
        SearchSettings s = ExampleSearchSettings();
        s.cometEnabled = true;
        s.breedingEnabled = true;  // comet alone evaluates, under its own header
        s.cometCompoundEyes = compoundEyes;
        s.keyInputEnabled = true;
        s.pidConsumptionStart = 0;
        s.pidConsumptionEnd = 5000;  // read as 2800
        ModeSearchOutcome outcome = RunModeSearch(s, "comet_whole");

        std::string expected = "年,月,日,時,分,秒,性格値乱数消費,初期seed,キー入力\r\n";
        int32_t count = 0;
        for (const CandidateMoment& m : PlainMoments(s)) {
            uint64_t seed = PlainSeedOf(s, m);
            std::vector<uint32_t> u = PlainDraws(seed, 2800 + 13);
            for (int v = 0; v <= 2800; ++v) {
                int b = compoundEyes ? v : v + 1;
                if (PlainScaled(u[b], 100) < 40 && PlainBand(PlainScaled(u[b + 1], 1600)) &&
                    PlainBand(PlainScaled(u[b + 3], 1600)) &&
                    PlainLast(PlainScaled(u[b + 7], 100), compoundEyes) &&
                    PlainLast(PlainScaled(u[b + 10], 100), compoundEyes)) {
                    ++count;
                    expected += PlainRowStart(m) + std::to_string(v) + "," + SeedHex(seed) +
                                PlainRowEnd(s, m);
                }
            }
        }
        EXPECT_GT(count, compoundEyes ? 100 : 3);
        EXPECT_EQ(outcome.count, count);
        EXPECT_EQ(outcome.bytes, expected);
    }
}
