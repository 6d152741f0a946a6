#include <gtest/gtest.h>

#include "modes/Grotto.h"
#include "tests/modes/mode_test_support.h"

namespace {

// The rows a grotto search gives, written from the plain draws: candidates
// before switchAt use `before`, the rest `after`.
std::string GrottoReference(const SearchSettings& before, const SearchSettings& after,
                            size_t switchAt, int32_t& count) {
    std::string rows;
    count = 0;
    std::vector<CandidateMoment> moments = PlainMoments(before);
    for (size_t index = 0; index < moments.size(); ++index) {
        const SearchSettings& s = index < switchAt ? before : after;
        const CandidateMoment& m = moments[index];
        const uint64_t seed = PlainSeedOf(s, m);
        const int32_t start = s.pidConsumptionStart < 0 ? 0 : s.pidConsumptionStart;
        const int32_t end = s.pidConsumptionEnd > 2800 ? 2800 : s.pidConsumptionEnd;
        std::vector<uint32_t> u = PlainDraws(seed, end + 4);
        const uint32_t lows[11] = {0, 1, 5, 20, 21, 25, 35, 60, 61, 65, 75};
        const uint32_t highs[11] = {0, 4, 19, 20, 24, 34, 59, 60, 64, 74, 99};
        const uint32_t female[5] = {100, 5, 10, 30, 60};
        for (int32_t n = start; n <= end; ++n) {
            uint32_t kind = PlainScaled(u[n + 2], 100);
            bool match = PlainScaled(u[n], 100) < 5 && kind >= lows[s.grottoKind] &&
                         kind <= highs[s.grottoKind] && s.grottoSlots[u[n + 1] >> 30] &&
                         PlainScaled(u[n + 3], 100) < female[s.grottoFemaleRatio];
            if (!match) continue;
            ++count;
            rows +=
                PlainRowStart(m) + std::to_string(n - 1) + "," + SeedHex(seed) + PlainRowEnd(s, m);
        }
    }
    return rows;
}

SearchSettings GrottoSearchSettings() {
    SearchSettings s = ExampleSearchSettings();
    s.grottoEnabled = true;
    s.keyInputEnabled = true;
    s.grottoKind = 10;
    s.grottoSlots[1] = false;
    s.grottoFemaleRatio = 3;
    s.pidConsumptionStart = -5;  // read as 0
    s.pidConsumptionEnd = 200;
    return s;
}

struct KindSwitch {
    SearchSettings* settings;
    int switchPump;
};

void SwitchGrottoKind(HeadlessWindow& window, void* context) {
    auto* change = static_cast<KindSwitch*>(context);
    if (window.pumpCount == change->switchPump) {
        change->settings->grottoKind = 6;
        change->settings->grottoFemaleRatio = 0;
    }
}

}  // namespace

TEST(Grotto, WorkedValuesOfTheExampleSeed) {
    ModeBench bench;
    ModeBenchInit(bench, kModeGrotto);
    ModeBenchFill(bench, kExampleSeed);
    const uint32_t* U = bench.run.lcg.U.data();
    EXPECT_EQ(ScaledDraw(U[0], 100), 38u);
    EXPECT_EQ(U[1] >> 30, 0u);  // slot A
    EXPECT_EQ(ScaledDraw(U[2], 100), 86u);
    EXPECT_EQ(ScaledDraw(U[3], 100), 74u);
    EXPECT_EQ(ScaledDraw(U[1], 100), 23u);
    EXPECT_EQ(U[2] >> 30, 3u);  // slot D
    EXPECT_EQ(ScaledDraw(U[3], 100), 74u);
    EXPECT_EQ(ScaledDraw(U[4], 100), 35u);
    EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));

    // "アイテム(25%)" over 0..150: the first values below 5 lie at 36, 52, 56,
    // 84, 104, 112, 139 and 142, and only 36 (kind 48) and 56 (kind 35) fall
    // in the band. Rows print one less.
    bench.settings.grottoKind = 6;
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 150;
    ModeBenchFill(bench, kExampleSeed);
    EvaluateGrotto(bench.run, ModeExampleMoment(1023), kExampleSeed);
    EXPECT_EQ(ModeBenchTakeRows(bench),
              "12,11,29,13,45,7,35,6266D11A5ECD9A72\r\n"
              "12,11,29,13,45,7,55,6266D11A5ECD9A72\r\n");
    // "♀率60%": their female values 85 and 62 both fail.
    bench.settings.grottoFemaleRatio = 4;
    EvaluateGrotto(bench.run, ModeExampleMoment(1023), kExampleSeed);
    EXPECT_EQ(ModeBenchTakeRows(bench), "");
    EXPECT_EQ(bench.run.candidateCount, 2);
    ModeBenchEnd(bench);
}

TEST(Grotto, KindBandsAndFemaleRatios) {
    // The bands split 0..99 without gap or overlap.
    for (uint32_t value = 0; value < 100; ++value) {
        int accepting = 0;
        for (int32_t kind = 0; kind < kGrottoKindCount; ++kind)
            accepting += GrottoKindAccepts(kind, value) ? 1 : 0;
        EXPECT_EQ(accepting, 1) << value;
    }
    EXPECT_TRUE(GrottoKindAccepts(0, 0));
    EXPECT_FALSE(GrottoKindAccepts(0, 1));
    EXPECT_TRUE(GrottoKindAccepts(2, 5));
    EXPECT_TRUE(GrottoKindAccepts(2, 19));
    EXPECT_FALSE(GrottoKindAccepts(2, 20));
    EXPECT_TRUE(GrottoKindAccepts(3, 20));
    EXPECT_FALSE(GrottoKindAccepts(6, 34));
    EXPECT_TRUE(GrottoKindAccepts(6, 35));
    EXPECT_TRUE(GrottoKindAccepts(6, 59));
    EXPECT_FALSE(GrottoKindAccepts(6, 60));
    EXPECT_TRUE(GrottoKindAccepts(7, 60));
    EXPECT_TRUE(GrottoKindAccepts(10, 75));
    EXPECT_TRUE(GrottoKindAccepts(10, 99));
    EXPECT_FALSE(GrottoKindAccepts(9, 75));
    // A kind outside the list accepts nothing.
    for (uint32_t value : {0u, 50u, 99u}) {
        EXPECT_FALSE(GrottoKindAccepts(-1, value));
        EXPECT_FALSE(GrottoKindAccepts(11, value));
    }

    EXPECT_TRUE(GrottoFemaleAccepts(4, 59));
    EXPECT_FALSE(GrottoFemaleAccepts(4, 60));
    EXPECT_TRUE(GrottoFemaleAccepts(1, 4));
    EXPECT_FALSE(GrottoFemaleAccepts(1, 5));
    EXPECT_TRUE(GrottoFemaleAccepts(2, 9));
    EXPECT_FALSE(GrottoFemaleAccepts(2, 10));
    EXPECT_TRUE(GrottoFemaleAccepts(3, 29));
    EXPECT_FALSE(GrottoFemaleAccepts(3, 30));
    // "気にしない" and entries outside the list make no test.
    for (int32_t ratio : {0, -1, 5}) EXPECT_TRUE(GrottoFemaleAccepts(ratio, 99));

    EXPECT_STREQ(GrottoKindNames[6], "アイテム(25%)");
    EXPECT_STREQ(GrottoKindNames[10], "ダウジング(25%)");
    EXPECT_STREQ(GrottoFemaleRatioNames[0], "気にしない");
    EXPECT_STREQ(GrottoFemaleRatioNames[4], "♀率60%");
}

TEST(Grotto, TestsInOrderOnChosenDraws) {
    ModeBench bench;
    ModeBenchInit(bench, kModeGrotto);
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 0;
    bench.settings.grottoKind = 10;
    bench.settings.grottoFemaleRatio = 4;
    ModeBenchCraft(bench, 0);
    uint32_t* U = bench.run.lcg.U.data();
    U[0] = DrawScaledTo(4, 100);
    U[1] = 0x80000000u;  // slot C
    U[2] = DrawScaledTo(99, 100);
    U[3] = DrawScaledTo(59, 100);
    EXPECT_TRUE(GrottoPositionMatches(bench.settings, U, 0));
    // A match at position 0 prints consumption -1.
    EvaluateGrotto(bench.run, ModeExampleMoment(1023), 0xABCDull);
    EXPECT_EQ(ModeBenchTakeRows(bench), "12,11,29,13,45,7,-1,000000000000ABCD\r\n");

    U[0] = DrawScaledTo(5, 100);
    EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));
    U[0] = DrawScaledTo(4, 100);
    U[3] = DrawScaledTo(60, 100);
    EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));
    U[3] = DrawScaledTo(59, 100);
    bench.settings.grottoSlots[2] = false;
    EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));
    bench.settings.grottoSlots[2] = true;
    bench.settings.grottoKind = 9;
    EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));
    bench.settings.grottoKind = 10;
    // All four slots off: nothing matches, whatever the slot draw.
    for (bool& slot : bench.settings.grottoSlots) slot = false;
    for (uint32_t top = 0; top < 4; ++top) {
        U[1] = top << 30;
        EXPECT_FALSE(GrottoPositionMatches(bench.settings, U, 0));
    }
    ModeBenchEnd(bench);
}

TEST(Grotto, RowWithKeyInputAndWithoutFile) {
    ModeBench bench;
    ModeBenchInit(bench, kModeGrotto);
    bench.settings.grottoEnabled = true;
    bench.settings.keyInputEnabled = true;
    bench.settings.grottoKind = 6;
    bench.settings.pidConsumptionStart = 36;
    bench.settings.pidConsumptionEnd = 36;
    ModeBenchFill(bench, kExampleSeed);
    const uint32_t startAndUp = 1023u & ~(1u << 3) & ~(1u << 6);
    EXPECT_EQ(ModeBenchRowsOf(bench, ModeExampleMoment(startAndUp), kExampleSeed),
              "12,11,29,13,45,7,35,6266D11A5ECD9A72,St↑\r\n");
    EXPECT_EQ(bench.run.candidateCount, 1);
    // Without a file the match still counts.
    ModeBenchEnd(bench);
    EvaluateGrotto(bench.run, ModeExampleMoment(startAndUp), kExampleSeed);
    EXPECT_EQ(bench.run.candidateCount, 2);
}

TEST(Grotto, WholeSearchMatchesAPlainReference) {
    SearchSettings s = GrottoSearchSettings();
    s.shinyPidEnabled = true;  // the grotto alone evaluates, under its own header
    s.domeEnabled = true;
    ModeSearchOutcome outcome = RunModeSearch(s, "grotto_whole");
    int32_t count = 0;
    std::string rows = GrottoReference(s, s, 0, count);
    EXPECT_GT(count, 20);
    EXPECT_EQ(outcome.count, count);
    EXPECT_EQ(outcome.bytes, "年,月,日,時,分,秒,性格値乱数消費,初期seed,キー入力\r\n" + rows);
}

TEST(Grotto, SettingsChangedDuringTheSearchApplyFromTheNextCandidate) {
    SearchSettings s = GrottoSearchSettings();
    KindSwitch change{&s, 201};  // the pump before candidate 200
    SearchSettings before = s;
    SearchSettings after = s;
    after.grottoKind = 6;
    after.grottoFemaleRatio = 0;
    ModeSearchOutcome outcome = RunModeSearch(s, "grotto_switch", SwitchGrottoKind, &change);
    int32_t count = 0;
    std::string rows = GrottoReference(before, after, 200, count);
    int32_t unchanged = 0;
    GrottoReference(before, before, 0, unchanged);
    EXPECT_NE(count, unchanged);
    EXPECT_EQ(outcome.count, count);
    EXPECT_EQ(outcome.bytes, "年,月,日,時,分,秒,性格値乱数消費,初期seed,キー入力\r\n" + rows);
}
