#include <gtest/gtest.h>

#include <algorithm>

#include "modes/Dome.h"
#include "tests/modes/mode_test_support.h"

namespace {

// The rows of a window search, written from which positions are satisfied:
// every i whose window i - width .. i lies in the range and is all satisfied.
std::string DomeWindows(const std::vector<bool>& satisfied, int32_t start, int32_t end,
                        int32_t width, const CandidateMoment& m, const SearchSettings& s,
                        uint64_t seed, int32_t& count) {
    std::string rows;
    for (int32_t i = start; i <= end; ++i) {
        if (width < 0 || i - width < start) continue;
        bool all = true;
        for (int32_t j = i - width; j <= i; ++j) all = all && satisfied[static_cast<size_t>(j)];
        if (!all) continue;
        ++count;
        rows += PlainRowStart(m) + std::to_string(i - width) + "," + std::to_string(i) + "," +
                SeedHex(seed) + PlainRowEnd(s, m);
    }
    return rows;
}

}  // namespace

TEST(Dome, WorkedPicksAndSixDistinctTrainers) {
    ModeBench bench;
    ModeBenchInit(bench, kModeDome);
    bench.settings.pidConsumptionEnd = 2800;
    ModeBenchFill(bench, kExampleSeed);
    const uint32_t* U = bench.run.lcg.U.data();
    int32_t picks[6];
    DomePick(U, 0, picks);
    const int32_t at0[6] = {19, 11, 45, 38, 18, 23};
    for (int t = 0; t < 6; ++t) EXPECT_EQ(picks[t], at0[t]) << t;
    DomePick(U, 1, picks);
    const int32_t at1[6] = {12, 45, 38, 18, 23, 7};
    for (int t = 0; t < 6; ++t) EXPECT_EQ(picks[t], at1[t]) << t;
    for (int32_t i = 0; i <= 2800; ++i) {
        DomePick(U, i, picks);
        std::sort(picks, picks + 6);
        EXPECT_TRUE(std::adjacent_find(picks, picks + 6) == picks + 6) << i;
        EXPECT_GE(picks[0], 0);
        EXPECT_LE(picks[5], 51);
    }
    // The last draw of all: each choice takes the last index left.
    uint32_t last[6] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0};
    DomePick(last, 0, picks);
    const int32_t expected[6] = {51, 50, 49, 48, 47, 0};
    for (int t = 0; t < 6; ++t) EXPECT_EQ(picks[t], expected[t]) << t;
    ModeBenchEnd(bench);
}

TEST(Dome, ChoicesAgainstPicks) {
    const int32_t picks[6] = {19, 11, 45, 38, 18, 51};
    const int32_t none[6] = {0, 0, 0, 0, 0, 0};
    EXPECT_TRUE(DomeChoicesSatisfied(none, picks));
    const int32_t two[6] = {20, 0, 46, 0, 0, 52};  // trainers 19, 45 and 51
    EXPECT_TRUE(DomeChoicesSatisfied(two, picks));
    const int32_t twice[6] = {39, 39, 0, 0, 0, 0};  // one requirement, chosen twice
    EXPECT_TRUE(DomeChoicesSatisfied(twice, picks));
    const int32_t missing[6] = {20, 1, 0, 0, 0, 0};
    EXPECT_FALSE(DomeChoicesSatisfied(missing, picks));
    // A choice outside the list never indexes anything and is never satisfied.
    for (int32_t bad : {53, -1, 1000000}) {
        const int32_t choices[6] = {0, 0, bad, 0, 0, 0};
        EXPECT_FALSE(DomeChoicesSatisfied(choices, picks)) << bad;
    }
    EXPECT_STREQ(DomeTrainerNames[0], "OLのアツコ");
    EXPECT_STREQ(DomeTrainerNames[24], "ダンサーのデヴィット");
    EXPECT_STREQ(DomeTrainerNames[51], "えんじのマユコ");
}

// Trainer 0 is picked at position i exactly when one of draws i .. i + 5 is
// 0 (the others take the last index left): with zeros at 50..53 and 62,
// positions 45..53 and 57..62 are satisfied.
TEST(Dome, RunCounterAndShiftWidth) {
    ModeBench bench;
    ModeBenchInit(bench, kModeDome);
    bench.settings.pidConsumptionStart = 50;
    bench.settings.pidConsumptionEnd = 70;
    bench.settings.domeTrainers[3] = 1;
    ModeBenchCraft(bench, 0xFFFFFFFFu);
    uint32_t* U = bench.run.lcg.U.data();
    for (int i : {50, 51, 52, 53, 62}) U[i] = 0;
    std::vector<bool> satisfied(80, false);
    for (int i = 45; i <= 53; ++i) satisfied[static_cast<size_t>(i)] = true;
    for (int i = 57; i <= 62; ++i) satisfied[static_cast<size_t>(i)] = true;
    const CandidateMoment m = ModeExampleMoment(1023);

    for (int32_t width : {0, 1, 2, 3, 4, 5, 6, 7, -1, -50}) {
        bench.settings.domeShiftWidth = width;
        int32_t count = 0;
        std::string expected = DomeWindows(satisfied, 50, 70, width, m, bench.settings, 7, count);
        int32_t before = bench.run.candidateCount;
        EvaluateDome(bench.run, m, 7);
        EXPECT_EQ(ModeBenchTakeRows(bench), expected) << width;
        EXPECT_EQ(bench.run.candidateCount - before, count) << width;
    }
    // Width 2 from 50: windows 50..52 and 51..53, then 57..59 to 60..62;
    // 45..49 are satisfied but never looked at.
    bench.settings.domeShiftWidth = 2;
    EvaluateDome(bench.run, m, 7);
    std::vector<std::string> windows = SplitCrLfLines(ModeBenchTakeRows(bench));
    ASSERT_EQ(windows.size(), 6u);
    EXPECT_EQ(windows[0], "12,11,29,13,45,7,50,52,0000000000000007");
    EXPECT_EQ(windows[1], "12,11,29,13,45,7,51,53,0000000000000007");
    EXPECT_EQ(windows[2], "12,11,29,13,45,7,57,59,0000000000000007");

    // No choice: every position satisfied, rows from first + w to last.
    bench.settings.domeTrainers[3] = 0;
    bench.settings.domeShiftWidth = 3;
    EvaluateDome(bench.run, m, 7);
    std::vector<std::string> lines = SplitCrLfLines(ModeBenchTakeRows(bench));
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines.front(), "12,11,29,13,45,7,50,53,0000000000000007");
    EXPECT_EQ(lines.back(), "12,11,29,13,45,7,67,70,0000000000000007");
    ModeBenchEnd(bench);
}

TEST(Dome, RowWithKeyInput) {
    ModeBench bench;
    ModeBenchInit(bench, kModeDome);
    bench.settings.domeEnabled = true;
    bench.settings.keyInputEnabled = true;
    bench.settings.pidConsumptionStart = 0;
    bench.settings.pidConsumptionEnd = 5;
    // Trainers 45 and 38: picked at positions 0 and 1, not at 2 to 5.
    bench.settings.domeTrainers[0] = 46;
    bench.settings.domeTrainers[5] = 39;
    bench.settings.domeShiftWidth = 1;
    ModeBenchFill(bench, kExampleSeed);
    EXPECT_EQ(ModeBenchRowsOf(bench, ModeExampleMoment(1023u & ~(1u << 8)), kExampleSeed),
              "12,11,29,13,45,7,0,1,6266D11A5ECD9A72,R\r\n");
    EXPECT_EQ(bench.run.candidateCount, 1);
    ModeBenchEnd(bench);
}

TEST(Dome, WholeSearchMatchesAPlainReference) {
    SearchSettings s = ExampleSearchSettings();
    s.domeEnabled = true;
    s.keyInputEnabled = true;
    s.domeTrainers[1] = 8;  // trainer 7
    s.domeTrainers[4] = 8;
    s.domeShiftWidth = 1;
    s.pidConsumptionStart = 20;
    s.pidConsumptionEnd = 300;
    ModeSearchOutcome outcome = RunModeSearch(s, "dome_whole");

    std::string expected = "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed,キー入力\r\n";
    int32_t count = 0;
    for (const CandidateMoment& m : PlainMoments(s)) {
        uint64_t seed = PlainSeedOf(s, m);
        std::vector<uint32_t> u = PlainDraws(seed, 310);
        std::vector<bool> satisfied(310, false);
        for (int i = 20; i <= 300; ++i) {
            std::vector<int> left;
            for (int t = 0; t < 52; ++t) left.push_back(t);
            for (int t = 0; t < 6; ++t) {
                int k = static_cast<int>(PlainScaled(u[static_cast<size_t>(i + t)], 52 - t));
                if (left[static_cast<size_t>(k)] == 7) satisfied[static_cast<size_t>(i)] = true;
                left.erase(left.begin() + k);
            }
        }
        expected += DomeWindows(satisfied, 20, 300, 1, m, s, seed, count);
    }
    EXPECT_GT(count, 100);
    EXPECT_EQ(outcome.count, count);
    EXPECT_EQ(outcome.bytes, expected);
}
