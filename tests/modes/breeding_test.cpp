#include <gtest/gtest.h>

#include <random>

#include "modes/Breeding.h"
#include "modes/SearchModes.h"
#include "modes/ShinyPid.h"
#include "tests/modes/mode_test_support.h"

TEST(BreedingGender, ThresholdsAndOppositeEntries) {
    const uint32_t male[4] = {31, 64, 127, 191};
    for (int32_t entry = 1; entry <= 4; ++entry) {
        const uint32_t t = male[entry - 1];
        EXPECT_FALSE(BreedingGenderAccepts(entry, t - 1)) << entry;
        EXPECT_TRUE(BreedingGenderAccepts(entry, t)) << entry;
        // Each ♂ entry accepts exactly what its opposite ♀ entry rejects.
        for (uint32_t g = 0; g < 256; ++g)
            EXPECT_NE(BreedingGenderAccepts(entry, g), BreedingGenderAccepts(9 - entry, g))
                << entry << " " << g;
    }
    EXPECT_FALSE(BreedingGenderAccepts(2, 63));  // ♂(3/4)
    EXPECT_TRUE(BreedingGenderAccepts(7, 63));   // ♀(1/4)
    EXPECT_TRUE(BreedingGenderAccepts(2, 64));
    EXPECT_FALSE(BreedingGenderAccepts(7, 64));
    EXPECT_TRUE(BreedingGenderAccepts(8, 30));
    EXPECT_FALSE(BreedingGenderAccepts(8, 31));
    // "指定無し" and entries outside the list test nothing.
    for (int32_t entry : {0, -1, 9}) {
        EXPECT_TRUE(BreedingGenderAccepts(entry, 0));
        EXPECT_TRUE(BreedingGenderAccepts(entry, 255));
    }
    EXPECT_STREQ(BreedingGenderNames[0], "♂(7/8)");
    EXPECT_STREQ(BreedingGenderNames[3], "♂(1/4)");
    EXPECT_STREQ(BreedingGenderNames[7], "♀(1/8)");
    EXPECT_STREQ(BreedingAbilityNames[0], "指定無し");
    EXPECT_STREQ(BreedingAbilityNames[3], "夢");
}

TEST(BreedingPrefilter, StreamOrEitherParentWithinBoundsBeforeAnyDraw) {
    ModeBench bench;
    ModeBenchInit(bench, kModeBreeding);
    SearchSettings& s = bench.settings;
    const IvSet v{{25, 5, 6, 5, 19, 19}};
    EXPECT_TRUE(BreedingPrefilterPasses(s, v));  // parents 31, bounds 0..31
    s.ivMin[2] = 32;
    s.ivMax[2] = 40;
    EXPECT_FALSE(BreedingPrefilterPasses(s, v));
    s.parentIv[1][2] = 40;  // typed above 31, still within an upper bound of 40
    EXPECT_TRUE(BreedingPrefilterPasses(s, v));
    s.parentIv[1][2] = 41;
    s.parentIv[0][2] = 32;
    EXPECT_TRUE(BreedingPrefilterPasses(s, v));
    s.parentIv[0][2] = 31;
    EXPECT_FALSE(BreedingPrefilterPasses(s, v));

    // A rejected position reads no draw: with only draw 0 filled, the fill
    // mark stays where it is; an accepted one has to produce draws.
    s.pidConsumptionStart = 50;
    s.pidConsumptionEnd = 60;
    ModeBenchFill(bench, kExampleSeed);
    LcgStreamFill(bench.run.lcg, kExampleSeed, 0);
    EvaluateBreeding(bench.run, ModeExampleMoment(1023), kExampleSeed, 0, v);
    EXPECT_EQ(bench.run.lcg.fillMark, 1);
    EXPECT_EQ(bench.run.candidateCount, 0);
    s.ivMin[2] = 0;
    EvaluateBreeding(bench.run, ModeExampleMoment(1023), kExampleSeed, 0, v);
    EXPECT_GT(bench.run.lcg.fillMark, 60);
    ModeBenchEnd(bench);
}

TEST(BreedingInheritance, RepeatedStatIsDrawnAgainTwoDrawsLater) {
    LcgStream lcg;
    LcgStreamInit(lcg, kLcgMinimumCapacity);
    for (uint32_t& u : lcg.U) u = 0;
    lcg.fillMark = lcg.capacity;
    lcg.U[10] = DrawScaledTo(2, 6);  // B
    lcg.U[11] = 0x80000000u;         // from 後
    lcg.U[12] = DrawScaledTo(2, 6);  // B again: skipped, parent draw ignored
    lcg.U[13] = 0x80000000u;
    lcg.U[14] = DrawScaledTo(5, 6);  // S from 先
    lcg.U[16] = DrawScaledTo(0, 6);  // H
    lcg.U[17] = 0xFFFFFFFFu;         // from 後
    BreedingInheritance record;
    ASSERT_TRUE(BreedingInheritanceDraw(lcg, 10, record));
    EXPECT_EQ(record.stat[0], 2);
    EXPECT_EQ(record.parent[0], 1);
    EXPECT_EQ(record.stat[1], 5);
    EXPECT_EQ(record.parent[1], 0);
    EXPECT_EQ(record.stat[2], 0);
    EXPECT_EQ(record.parent[2], 1);
    EXPECT_EQ(record.nextDraw, 18);

    // Draws that pick H for ever run into the end of the stream: no record.
    for (uint32_t& u : lcg.U) u = 0;
    EXPECT_FALSE(BreedingInheritanceDraw(lcg, 10, record));
}

TEST(Breeding, InheritanceThatLeavesTheStreamYieldsNoRow) {
    ModeBench bench;
    ModeBenchInit(bench, kModeBreeding);
    bench.settings.breedingNature = -1;
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 20;
    ModeBenchCraft(bench, 0);  // every pick is H
    EvaluateBreeding(bench.run, ModeExampleMoment(1023), kExampleSeed, 7,
                     IvSet{{1, 2, 3, 4, 5, 6}});
    EXPECT_EQ(bench.run.candidateCount, 0);
    EXPECT_EQ(ModeBenchTakeRows(bench), "");
    ModeBenchEnd(bench);
}

namespace {

// Draw i scales to stat i mod 6 and has bit 31 set when i mod 6 >= 3, so the
// record read from p names p, as the row shows:
//   p = 22: D-後,H-先,B-後, personality from draw 28: g 170, slot 1
//   p = 23: S-先,A-先,C-後, draw 29: g 85, slot 2
//   p = 24: H-先,B-後,D-後, draw 30: g 0, slot 1
void BreedingCyclicDraws(ModeBench& bench) {
    ModeBenchCraft(bench, 0);
    for (int32_t i = 0; i < bench.run.lcg.capacity; ++i)
        bench.run.lcg.U[static_cast<size_t>(i)] = DrawScaledTo(static_cast<uint32_t>(i % 6), 6);
}

std::string BreedingRowAt20(const char* inheritance) {
    return std::string("12,11,29,13,45,7,9,1,2,3,4,5,6,0000000000000007,20,") + inheritance +
           "\r\n";
}

}  // namespace

TEST(Breeding, FirstInheritanceDrawNatureAndHiddenAbility) {
    ModeBench bench;
    ModeBenchInit(bench, kModeBreeding);
    SearchSettings& s = bench.settings;
    s.pidConsumptionStart = 20;
    s.pidConsumptionEnd = 20;
    BreedingCyclicDraws(bench);
    uint32_t* U = bench.run.lcg.U.data();
    const IvSet v{{1, 2, 3, 4, 5, 6}};
    const CandidateMoment m = ModeExampleMoment(1023);
    auto rows = [&]() {
        EvaluateBreeding(bench.run, m, 7, 9, v);
        return ModeBenchTakeRows(bench);
    };

    s.breedingNature = -1;
    s.breedingNoDitto = false;  // n + 3
    EXPECT_EQ(rows(), BreedingRowAt20("S-先,A-先,C-後,85,2"));
    s.breedingNoDitto = true;  // n + 2
    EXPECT_EQ(rows(), BreedingRowAt20("D-後,H-先,B-後,170,1"));
    // "変わらず": one later, and bit 31 of draw n + 1 (21: set) required.
    s.breedingNature = 0;
    EXPECT_EQ(rows(), BreedingRowAt20("S-先,A-先,C-後,85,2"));
    s.breedingNoDitto = false;
    EXPECT_EQ(rows(), BreedingRowAt20("H-先,B-後,D-後,0,1"));
    U[21] = 0x7FFFFFFFu;
    EXPECT_EQ(rows(), "");
    U[21] = DrawScaledTo(3, 6);
    // A nature m: draw n scaled by 25 equals m - 1 (draw 20 scales to 8).
    s.breedingNature = static_cast<int32_t>(ScaledDraw(U[20], 25)) + 1;
    EXPECT_EQ(rows(), BreedingRowAt20("S-先,A-先,C-後,85,2"));
    s.breedingNature += 1;
    EXPECT_EQ(rows(), "");
    s.breedingNature = -2;  // no list entry
    EXPECT_EQ(rows(), "");

    // "夢" with ditto: no ability condition at all.
    s.breedingNature = -1;
    s.breedingAbility = 3;
    U[21] = DrawScaledTo(1, 5);
    EXPECT_EQ(rows(), BreedingRowAt20("S-先,A-先,C-後,85,2"));
    // Without ditto, draw n + 1 scaled by 5 must be 2, 3 or 4 ...
    s.breedingNoDitto = true;
    EXPECT_EQ(rows(), "");
    for (uint32_t hidden : {2u, 3u, 4u}) {
        U[21] = DrawScaledTo(hidden, 5);
        EXPECT_EQ(rows().empty(), false) << hidden;
    }
    // ... and draw n + 2 with "変わらず" (draw 21 then only needs bit 31).
    s.breedingNature = 0;
    U[21] = 0x80000000u;
    U[22] = DrawScaledTo(1, 5);
    EXPECT_EQ(rows(), "");
    U[22] = DrawScaledTo(2, 5);
    EXPECT_EQ(rows().empty(), false);
    EXPECT_EQ(bench.run.candidateCount, 10);
    ModeBenchEnd(bench);
}

namespace {

// Position 0 of the example seed (25 5 6 5 19 19) at consumption 53: the
// record is C-先, D-後, B-先 after two repeated picks, and the personality
// value 0xAAF088E7 gives g 231 and slot 1.
void BreedingExampleBench(ModeBench& bench) {
    ModeBenchInit(bench, kModeBreeding);
    SearchSettings& s = bench.settings;
    s.breedingEnabled = true;
    s.ivConsumptionStart = 0;
    s.ivConsumptionEnd = 0;
    s.pidConsumptionStart = 53;
    s.pidConsumptionEnd = 53;
    for (int i = 0; i < 6; ++i) s.parentIv[1][i] = i;
    s.breedingGender = 4;  // ♂(1/4)
    s.breedingAbility = 1;
    ModeBenchFill(bench, kExampleSeed);
}

}  // namespace

TEST(Breeding, WorkedRowGenderAbilityAndShiny) {
    ModeBench bench;
    BreedingExampleBench(bench);
    SearchSettings& s = bench.settings;
    s.keyInputEnabled = true;
    const CandidateMoment held = ModeExampleMoment(1023u & ~(1u << 4) & ~(1u << 7));
    EXPECT_EQ(ModeBenchRowsOf(bench, held, kExampleSeed),
              "12,11,29,13,45,7,0,25,5,6,5,19,19,6266D11A5ECD9A72,53,C-先,D-後,B-先,231,1,→↓\r\n");
    s.keyInputEnabled = false;
    const CandidateMoment m = ModeExampleMoment(1023);
    s.breedingAbility = 2;
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed), "");
    s.breedingAbility = 3;  // "夢" with ditto tests nothing; slot 1 is printed
    EXPECT_NE(ModeBenchRowsOf(bench, m, kExampleSeed).find(",231,1\r\n"), std::string::npos);
    s.breedingGender = 5;  // ♀(3/4): 231 is not below 191
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed), "");
    s.breedingGender = 0;
    // With the shiny search on, its IDs decide: 0xAAF0 ^ 0x88E7 = 0x2217.
    s.shinyPidEnabled = true;
    s.shinyTrainerId = 0x2217;
    s.shinySecretId = 7;
    EXPECT_FALSE(ModeBenchRowsOf(bench, m, kExampleSeed).empty());
    s.shinySecretId = 8;
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed), "");
    EXPECT_EQ(bench.run.candidateCount, 3);
    ModeBenchEnd(bench);
}

TEST(Breeding, EggValuesFilteredWithParentsValuesAsTyped) {
    ModeBench bench;
    BreedingExampleBench(bench);
    SearchSettings& s = bench.settings;
    const CandidateMoment m = ModeExampleMoment(1023);
    // D comes from 後. Typed as 40 it meets bounds 35..40 that the stream's
    // 19 misses; the row still prints the stream's 19.
    s.parentIv[1][4] = 40;
    s.ivMin[4] = 35;
    s.ivMax[4] = 40;
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed),
              "12,11,29,13,45,7,0,25,5,6,5,19,19,6266D11A5ECD9A72,53,C-先,D-後,B-先,231,1\r\n");
    // Typed as -1, it adds to neither hidden-power sum: the egg 25 5 31 31 -1
    // 19 has type 7 and power 47 (as 31 it would be 15 and 68).
    s.parentIv[1][4] = -1;
    s.ivMin[4] = -1;
    s.ivMax[4] = -1;
    s.hiddenPowerType = 7;
    s.hiddenPowerMinimum = 47;
    EXPECT_FALSE(ModeBenchRowsOf(bench, m, kExampleSeed).empty());
    s.hiddenPowerMinimum = 48;
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed), "");
    s.hiddenPowerMinimum = 30;
    s.hiddenPowerType = 15;
    EXPECT_EQ(ModeBenchRowsOf(bench, m, kExampleSeed), "");
    ModeBenchEnd(bench);
}

TEST(Breeding, DrawsPastTheFillAreProducedForTheCandidate) {
    // Stale draws of another seed above a short fill must not leak into rows.
    ModeBench full, shortFill;
    for (ModeBench* bench : {&full, &shortFill}) {
        ModeBenchInit(*bench, kModeBreeding);
        bench->settings.breedingEnabled = true;
        bench->settings.breedingNature = -1;
        bench->settings.pidConsumptionStart = 0;
        bench->settings.pidConsumptionEnd = 400;
        bench->settings.ivConsumptionStart = 0;
        bench->settings.ivConsumptionEnd = 3;
        ModeBenchFill(*bench, kExampleSeed);
    }
    LcgStreamFill(shortFill.run.lcg, 0x1111111111111111ull, 2000);
    LcgStreamFill(shortFill.run.lcg, kExampleSeed, 5);
    const CandidateMoment m = ModeExampleMoment(1023);
    EvaluateCandidate(full.run, m, kExampleSeed);
    EvaluateCandidate(shortFill.run, m, kExampleSeed);
    std::string rows = ModeBenchTakeRows(full);
    EXPECT_GT(full.run.candidateCount, 100);
    EXPECT_EQ(ModeBenchTakeRows(shortFill), rows);
    ModeBenchEnd(full);
    ModeBenchEnd(shortFill);
}

// The whole walk against a plain loop over std::mt19937 and the LCG, once
// with the defaults' "変わらず" and ditto and once with a nature, no ditto,
// "夢", a gender and the roamer layout.
TEST(Breeding, WholeSearchMatchesAPlainReference) {
    for (int variant = 0; variant < 2; ++variant) {
        SearchSettings s = ExampleSearchSettings();
        s.breedingEnabled = true;
        s.shinyPidEnabled = variant == 0;  // breeding comes first; IDs make it rare
        s.shinyTrainerId = 1;
        s.keyInputEnabled = true;
        for (int key = 4; key < 10; ++key) s.usableKeys[key] = false;
        s.roamerEnabled = variant == 1;
        s.ivConsumptionStart = 0;
        s.ivConsumptionEnd = 4;
        s.pidConsumptionStart = -3;  // read as 0
        s.pidConsumptionEnd = variant == 0 ? 2800 : 300;
        const int32_t parents[2][6] = {{31, 30, 29, 28, 27, 26}, {0, 1, 2, 3, 4, 5}};
        for (int p = 0; p < 2; ++p)
            for (int i = 0; i < 6; ++i) s.parentIv[p][i] = parents[p][i];
        s.ivMin[1] = 3;
        if (variant == 1) {
            s.breedingNature = 4;
            s.breedingNoDitto = true;
            s.breedingAbility = 3;
            s.breedingGender = 6;
            s.ivMax[0] = 20;
            s.ivMin[5] = 5;
        }
        ModeSearchOutcome outcome = RunModeSearch(s, "breeding_whole");

        std::string expected =
            "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,"
            "遺伝3,性別,特性,キー入力\r\n";
        int32_t count = 0;
        const char* statNames[6] = {"H", "A", "B", "C", "D", "S"};
        for (const CandidateMoment& m : PlainMoments(s)) {
            uint64_t seed = PlainSeedOf(s, m);
            std::mt19937 mt(static_cast<uint32_t>(seed >> 32));
            int32_t out[12];
            for (int32_t& o : out) o = static_cast<int32_t>(mt() >> 27);
            std::vector<uint32_t> u = PlainDraws(seed, 3400);
            for (int c = 0; c <= 4; ++c) {
                int32_t v[6];  // H A B C D S
                if (variant == 0) {
                    for (int i = 0; i < 6; ++i) v[i] = out[c + i];
                } else {
                    int32_t r[6] = {out[c + 1], out[c + 2], out[c + 3],
                                    out[c + 6], out[c + 4], out[c + 5]};
                    for (int i = 0; i < 6; ++i) v[i] = r[i];
                }
                bool worth = true;
                for (int i = 0; i < 6; ++i) {
                    bool any = false;
                    for (int32_t x : {v[i], parents[0][i], parents[1][i]})
                        any = any || (x >= s.ivMin[i] && x <= s.ivMax[i]);
                    worth = worth && any;
                }
                if (!worth) continue;
                for (int n = 0; n <= s.pidConsumptionEnd; ++n) {
                    if (variant == 0 && (u[n + 1] >> 31) == 0) continue;
                    if (variant == 1 && PlainScaled(u[n], 25) != 3) continue;
                    if (variant == 1 && PlainScaled(u[n + 1], 5) < 2) continue;
                    int p = variant == 0 ? n + 4 : n + 2;
                    std::vector<int> stats, from;
                    while (stats.size() < 3) {
                        int stat = static_cast<int>(PlainScaled(u[p], 6));
                        bool seen = false;
                        for (int x : stats) seen = seen || x == stat;
                        if (!seen) {
                            stats.push_back(stat);
                            from.push_back(static_cast<int>(u[p + 1] >> 31));
                        }
                        p += 2;
                    }
                    IvSet egg{{v[0], v[1], v[2], v[3], v[4], v[5]}};
                    for (int e = 0; e < 3; ++e) egg.v[stats[e]] = parents[from[e]][stats[e]];
                    if (!IvFilterPasses(s, egg)) continue;
                    uint32_t pid = u[p] == 0 ? 0 : u[p] - 1;
                    uint32_t g = pid & 0xFF, slot = ((pid >> 16) & 1) + 1;
                    if (variant == 1 && g >= 127) continue;
                    if (variant == 0 && (((pid >> 16) ^ pid ^ 1u) & 0xFFFF) > 7) continue;
                    ++count;
                    std::string row = PlainRowStart(m) + std::to_string(c);
                    for (int32_t x : v) row += "," + std::to_string(x);
                    row += "," + SeedHex(seed) + "," + std::to_string(n) + ",";
                    for (int e = 0; e < 3; ++e)
                        row += std::string(statNames[stats[e]]) + (from[e] ? "-後," : "-先,");
                    expected +=
                        row + std::to_string(g) + "," + std::to_string(slot) + PlainRowEnd(s, m);
                }
            }
        }
        EXPECT_GT(count, variant == 0 ? 0 : 10) << variant;
        EXPECT_EQ(outcome.count, count) << variant;
        EXPECT_EQ(outcome.bytes, expected) << variant;
    }
}
