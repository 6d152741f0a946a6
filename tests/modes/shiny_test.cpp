#include <gtest/gtest.h>

#include <random>

#include "modes/ShinyPid.h"
#include "tests/modes/mode_test_support.h"

TEST(ShinyTest, ThresholdOverBothHalvesAndIds) {
    EXPECT_TRUE(ShinyTestPasses(7, 0, 0));
    EXPECT_FALSE(ShinyTestPasses(8, 0, 0));
    EXPECT_TRUE(ShinyTestPasses(0, 0x1234, 0x1233));   // IDs alone give 7
    EXPECT_FALSE(ShinyTestPasses(0, 0x1234, 0x123C));  // and 8
    EXPECT_FALSE(ShinyTestPasses(0xFFFF0000u, 0, 0));
    EXPECT_TRUE(ShinyTestPasses(0xFFFF0000u, 0xFFFF, 0));
    EXPECT_TRUE(ShinyTestPasses(0x00070000u, 0, 0));  // only the low 16 bits count
    EXPECT_TRUE(ShinyTestPasses(0xABCDABCAu, 0, 0));
    EXPECT_FALSE(ShinyTestPasses(0xABCDABC5u, 0, 0));
}

TEST(ShinyPid, EncounterRulesAndIdAdjustment) {
    EXPECT_EQ(ShinyPidOf(kShinyEncounterEgg, 0), 0u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterEgg, 1), 0u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterEgg, 0x80000000u), 0x7FFFFFFFu);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterEgg, 0xFFFFFFFFu), 0xFFFFFFFEu);
    EXPECT_EQ(ShinyEggPidOf(0x12345678u), 0x12345677u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterRoamer, 0xDEADBEEFu), 0xDEADBEEFu);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterFixed, 0x00000001u), 0x80010001u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterFixed, 0x80000001u), 0x80010001u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterFixed, 0x00000000u), 0x00010000u);
    EXPECT_EQ(ShinyPidOf(kShinyEncounterFixed, 0x80010000u), 0x00000000u);

    // With both IDs 0 the adjustment leaves bit 31 equal to bit 0.
    std::mt19937 pick(99);
    for (int i = 0; i < 1000; ++i) {
        uint32_t v = pick();
        uint32_t adjusted = ShinyPidIdAdjusted(v, 0, 0);
        EXPECT_EQ(adjusted >> 31, adjusted & 1u);
        EXPECT_EQ(adjusted & 0x7FFFFFFFu, v & 0x7FFFFFFFu);
    }
    // An odd ID sum makes them differ.
    EXPECT_EQ(ShinyPidIdAdjusted(0x00000000u, 1, 0), 0x80000000u);
    EXPECT_EQ(ShinyPidIdAdjusted(0x80000001u, 3, 0), 0x00000001u);
}

namespace {

// Individual-value position 0 of the example seed: 25 5 6 5 19 19, type 14
// ("ドラゴン"), power 57. Draw 2 is 0xDCFC1B7C, the fixed encounter makes it
// 0xDCFD1B7C after the adjustment for IDs 54711 / 4660, with test value 2;
// draw 3 scales to nature 18.
void ShinyExampleBench(ModeBench& bench) {
    ModeBenchInit(bench, kModeShiny);
    SearchSettings& s = bench.settings;
    s.shinyPidEnabled = true;
    s.ivConsumptionStart = 0;
    s.ivConsumptionEnd = 0;
    s.pidConsumptionStart = 2;
    s.pidConsumptionEnd = 2;
    s.shinyEncounter = kShinyEncounterFixed;
    s.shinyIdAdjust = true;
    s.shinyNature = 19;
    s.shinyTrainerId = 54711;
    s.shinySecretId = 4660;
    ModeBenchFill(bench, kExampleSeed);
}

}  // namespace

TEST(ShinyPid, WorkedRowAndItsConditions) {
    ModeBench bench;
    ShinyExampleBench(bench);
    bench.settings.keyInputEnabled = true;
    const CandidateMoment held = ModeExampleMoment(1023u & ~(1u << 0) & ~(1u << 9));
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed),
              "12,11,29,13,45,7,0,25,5,6,5,19,19,ドラゴン,57,6266D11A5ECD9A72,1,DCFC1B7C,"
              "DCFD1B7C,AL\r\n");
    bench.settings.keyInputEnabled = false;

    // The nature comes from draw k + 1 (18), not draw k (21).
    bench.settings.shinyNature = 22;
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed), "");
    // Without the adjustment bit 31 stays 0 and the test value is 0x8002.
    bench.settings.shinyNature = 19;
    bench.settings.shinyIdAdjust = false;
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed), "");
    // An individual-value position the filter rejects gives nothing either.
    bench.settings.shinyIdAdjust = true;
    bench.settings.ivMin[0] = 26;
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed), "");
    bench.settings.ivMin[0] = 0;
    // A range whose start lies after its end.
    bench.settings.pidConsumptionStart = 3;
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed), "");
    EXPECT_EQ(bench.run.candidateCount, 1);

    // From 0, and from a negative start read as 0: draw 0 is the seed's upper
    // half, printed with consumption -1.
    for (int32_t start : {0, -20}) {
        bench.settings.pidConsumptionStart = start;
        bench.settings.pidConsumptionEnd = 0;
        bench.settings.shinyEncounter = kShinyEncounterRoamer;
        bench.settings.shinyIdAdjust = false;
        bench.settings.shinyNature = 0;
        bench.settings.shinyTrainerId = 0xB37C;
        bench.settings.shinySecretId = 0;
        ModeBenchFill(bench, kExampleSeed);
        EXPECT_EQ(ModeBenchRowsOf(bench, ModeExampleMoment(1023), kExampleSeed),
                  "12,11,29,13,45,7,0,25,5,6,5,19,19,ドラゴン,57,6266D11A5ECD9A72,-1,6266D11A,"
                  "6266D11A\r\n");
    }
    ModeBenchEnd(bench);
}

TEST(ShinyPid, HatchedEggIgnoresTheNatureChoice) {
    ModeBench bench;
    ShinyExampleBench(bench);
    bench.settings.shinyEncounter = kShinyEncounterEgg;
    bench.settings.shinyIdAdjust = false;
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 2800;
    bench.settings.ivConsumptionEnd = 40;
    ModeBenchFill(bench, kExampleSeed);
    bench.settings.shinyNature = 0;
    std::string any = ModeBenchRowsOf(bench, ModeExampleMoment(1023), kExampleSeed);
    EXPECT_FALSE(any.empty());
    for (int32_t nature : {1, 13, 25}) {
        bench.settings.shinyNature = nature;
        EXPECT_EQ(ModeBenchRowsOf(bench, ModeExampleMoment(1023), kExampleSeed), any) << nature;
    }
    ModeBenchEnd(bench);
}

// Every encounter, with and without the adjustment and a nature, and with
// the main window's roamer layout, against a plain loop over std::mt19937
// and the LCG.
TEST(ShinyPid, WholeSearchMatchesAPlainReference) {
    struct Variant {
        int32_t encounter;
        bool adjust;
        int32_t nature;
        bool roamer;
    };
    const Variant variants[] = {{1, false, 5, false},
                                {2, true, 0, true},
                                {3, true, 0, false},
                                {2, false, 7, true},
                                {3, false, 11, false}};
    for (const Variant& variant : variants) {
        SearchSettings s = ExampleSearchSettings();
        s.shinyPidEnabled = true;
        s.keyInputEnabled = true;
        s.roamerEnabled = variant.roamer;
        s.ivConsumptionStart = 0;
        s.ivConsumptionEnd = 3;
        s.ivMin[1] = 8;
        s.pidConsumptionStart = 0;
        s.pidConsumptionEnd = 2800;
        s.shinyEncounter = variant.encounter;
        s.shinyIdAdjust = variant.adjust;
        s.shinyNature = variant.nature;
        s.shinyTrainerId = 12345;
        s.shinySecretId = 54321;
        ModeSearchOutcome outcome = RunModeSearch(s, "shiny_whole");

        std::string expected =
            "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,"
            "乱数値,性格値,キー入力\r\n";
        int32_t count = 0;
        for (const CandidateMoment& m : PlainMoments(s)) {
            uint64_t seed = PlainSeedOf(s, m);
            std::mt19937 mt(static_cast<uint32_t>(seed >> 32));
            int32_t out[70];
            for (int32_t& o : out) o = static_cast<int32_t>(mt() >> 27);
            std::vector<uint32_t> u = PlainDraws(seed, 2802);
            for (int c = 0; c <= 3; ++c) {
                IvSet ivs;  // H A B C D S
                if (!variant.roamer)
                    ivs =
                        IvSet{{out[c], out[c + 1], out[c + 2], out[c + 3], out[c + 4], out[c + 5]}};
                else
                    ivs = IvSet{
                        {out[c + 1], out[c + 2], out[c + 3], out[c + 6], out[c + 4], out[c + 5]}};
                if (ivs.v[1] < 8) continue;
                for (int k = 0; k <= 2800; ++k) {
                    if (variant.encounter != 1 && variant.nature > 0 &&
                        static_cast<int32_t>(PlainScaled(u[k + 1], 25)) != variant.nature - 1)
                        continue;
                    uint32_t d = u[k], v = d;
                    if (variant.encounter == 1) v = d == 0 ? 0 : d - 1;
                    if (variant.encounter == 3) {
                        v = d ^ 0x10000u;
                        if ((v >> 31) != (v & 1)) v ^= 0x80000000u;
                    }
                    if (variant.adjust) v = (v & 0x7FFFFFFFu) | (((12345u ^ 54321u ^ v) & 1) << 31);
                    if ((((v >> 16) ^ v ^ 12345u ^ 54321u) & 0xFFFFu) > 7) continue;
                    ++count;
                    char columns[200];
                    std::snprintf(columns, sizeof columns, "%d,%d,%d,%d,%d,%d,%d,%s,%d,", c,
                                  ivs.v[0], ivs.v[1], ivs.v[2], ivs.v[3], ivs.v[4], ivs.v[5],
                                  HiddenPowerTypeNames[HiddenPowerTypeOf(ivs)],
                                  HiddenPowerPowerOf(ivs));
                    expected += PlainRowStart(m) + columns + SeedHex(seed) + "," +
                                std::to_string(k - 1) + "," + Hex8(d) + "," + Hex8(v) +
                                PlainRowEnd(s, m);
                }
            }
        }
        EXPECT_GT(count, 5) << variant.encounter;
        EXPECT_EQ(outcome.count, count) << variant.encounter;
        EXPECT_EQ(outcome.bytes, expected) << variant.encounter;
    }
}
