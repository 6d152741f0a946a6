#include <gtest/gtest.h>

#include <random>
#include <string>

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "tests/engine/search_test_support.h"

namespace {
IvSet Ivs(int h, int a, int b, int c, int d, int s) { return IvSet{{h, a, b, c, d, s}}; }
}  // namespace

TEST(HiddenPower, PowerAndTypeFormulas) {
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(31, 31, 31, 31, 31, 31)), 70);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(31, 31, 31, 31, 31, 31)), 15);
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(0, 0, 0, 0, 0, 0)), 30);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(0, 0, 0, 0, 0, 0)), 0);
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(30, 30, 30, 30, 30, 30)), 70);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(30, 30, 30, 30, 30, 30)), 0);
    // S weighs 8, C 16, D 32: only S odd gives 15 * 8 / 63 = 1 (ひこう).
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(0, 0, 0, 0, 0, 1)), 1);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(0, 0, 0, 1, 0, 0)), 3);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(0, 0, 0, 0, 1, 0)), 7);
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(0, 0, 0, 0, 2, 0)), 40 * 32 / 63 + 30);
    // Negative values (typed parents) add to neither sum.
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(-2, -3, -1, -6, -7, -5)), 30);
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(-1, -3, -5, -7, -9, -11)), 0);
    // Values above 31 count by their remainders.
    EXPECT_EQ(HiddenPowerTypeOf(Ivs(33, 0, 0, 0, 0, 0)), 0);
    EXPECT_EQ(HiddenPowerPowerOf(Ivs(34, 0, 0, 0, 0, 0)), 40 / 63 + 30);
}

TEST(IvFilter, BoundsPowerAndType) {
    SearchSettings s;
    SearchSettingsInit(s);
    IvSet all31 = Ivs(31, 31, 31, 31, 31, 31);
    EXPECT_TRUE(IvFilterPasses(s, all31));
    EXPECT_TRUE(IvFilterPasses(s, Ivs(0, 0, 0, 0, 0, 0)));  // default minimum 30 never rejects
    s.ivMin[3] = 31;
    EXPECT_FALSE(IvFilterPasses(s, Ivs(31, 31, 31, 30, 31, 31)));
    s.ivMax[3] = 30;  // lower above upper rejects everything
    EXPECT_FALSE(IvFilterPasses(s, all31));
    SearchSettingsInit(s);
    s.hiddenPowerMinimum = 71;
    EXPECT_FALSE(IvFilterPasses(s, all31));
    s.hiddenPowerMinimum = 70;
    EXPECT_TRUE(IvFilterPasses(s, all31));
    s.hiddenPowerType = 14;
    EXPECT_FALSE(IvFilterPasses(s, all31));
    s.hiddenPowerType = 15;
    EXPECT_TRUE(IvFilterPasses(s, all31));
}

// The filter against its definition, at the power minimum's edges (30 asks
// nothing: every power is 30 or more) and with values outside 0..31.
TEST(IvFilter, AsItsDefinitionAtThePowerMinimumsEdges) {
    std::mt19937 rng(21);
    SearchSettings s;
    SearchSettingsInit(s);
    int32_t passed = 0, failed = 0;
    for (int32_t minimum : {0, 29, 30, 31, 45, 70, 71}) {
        for (int32_t type : {-1, 0, 9}) {
            s.hiddenPowerMinimum = minimum;
            s.hiddenPowerType = type;
            s.ivMin[2] = static_cast<int32_t>(rng() % 8);
            for (int i = 0; i < 2000; ++i) {
                IvSet ivs;
                for (int32_t& v : ivs.v) v = static_cast<int32_t>(rng() % 40) - 4;
                bool within = true;
                for (int k = 0; k < 6; ++k) within = within && ivs.v[k] >= s.ivMin[k] && ivs.v[k] <= s.ivMax[k];
                const bool expected = within && HiddenPowerPowerOf(ivs) >= minimum &&
                                      (type == -1 || HiddenPowerTypeOf(ivs) == type);
                ASSERT_EQ(IvFilterPasses(s, ivs), expected) << minimum << " " << type << " " << i;
                (expected ? passed : failed) += 1;
            }
        }
    }
    EXPECT_GT(passed, 1000);
    EXPECT_GT(failed, 1000);
}

// The rows' value columns (tables of blocks for 0..31, digits otherwise)
// against plain formatting, and the nature's block against its name.
TEST(IvSearch, ValueColumnsAsPlainFormattingWritesThem) {
    std::mt19937 rng(22);
    for (int i = 0; i < 5000; ++i) {
        IvSet ivs;
        for (int32_t& v : ivs.v) v = static_cast<int32_t>(rng() % 32);
        if (i % 5 == 0) ivs.v[rng() % 6] = static_cast<int32_t>(rng() % 300) - 100;  // outside 0..31
        std::string values;
        for (int32_t v : ivs.v) values += "," + std::to_string(v);
        const std::string power = std::string(",") + HiddenPowerTypeNameOf(HiddenPowerTypeOf(ivs)) + "," +
                                  std::to_string(HiddenPowerPowerOf(ivs));
        const int32_t c = static_cast<int32_t>(rng() % 3000);
        char buffer[128];
        ASSERT_EQ(std::string(buffer, RowAppendIvValues(buffer, ivs)), values) << i;
        ASSERT_EQ(std::string(buffer, RowAppendIvSet(buffer, ivs)), values + power) << i;
        ASSERT_EQ(std::string(buffer, RowAppendIvColumns(buffer, c, ivs)), std::to_string(c) + values + power) << i;
    }
    for (int32_t n = 0; n < 25; ++n) {
        char buffer[16];
        EXPECT_EQ(std::string(buffer, RowAppendNature(buffer, n)), NatureNameOf(n)) << n;
    }
}

TEST(IvSearch, RoamerLayoutReadsOutputsOneToSix) {
    MtTable table;
    MtTableFill(table, 0x6266D11A5ECD9A72ull);
    // Outputs 0..7: 25 5 6 5 19 19 9 5.
    IvSet plain = IvSetAt(table, 0, false);
    EXPECT_EQ(plain.v[0], 25);
    EXPECT_EQ(plain.v[5], 19);
    IvSet roamer = IvSetAt(table, 0, true);
    // H A B from outputs 1..3, D S from 4..5, C from 6.
    EXPECT_EQ(roamer.v[0], 5);
    EXPECT_EQ(roamer.v[1], 6);
    EXPECT_EQ(roamer.v[2], 5);
    EXPECT_EQ(roamer.v[4], 19);
    EXPECT_EQ(roamer.v[5], 19);
    EXPECT_EQ(roamer.v[3], 9);
}

TEST(IvSearch, ConsumptionRangeClampedToTheTable) {
    SearchSettings s;
    SearchSettingsInit(s);
    SearchRun run{};
    run.settings = &s;
    s.ivConsumptionStart = -40;
    s.ivConsumptionEnd = 9999;
    EXPECT_EQ(SearchRunIvStart(run), 0);
    EXPECT_EQ(SearchRunIvEnd(run), 618);
    s.roamerEnabled = true;
    EXPECT_EQ(SearchRunIvEnd(run), 617);
    s.ivConsumptionEnd = 100;
    EXPECT_EQ(SearchRunIvEnd(run), 100);
}

// A search over two minutes with key input and the roamer variant against a
// plain loop over std::mt19937: every row, in walk order.
TEST(IvSearch, WholeSearchMatchesAPlainReference) {
    for (bool roamer : {false, true}) {
        SearchSettings s = ExampleSearchSettings();
        s.startMinute = 44;
        s.startSecond = 0;
        s.endSecond = 1;
        s.keyInputEnabled = true;
        s.roamerEnabled = roamer;
        s.ivConsumptionStart = -3;   // clamped to 0
        s.ivConsumptionEnd = 620;    // clamped to the table
        for (int i = 0; i < 6; ++i) s.ivMin[i] = 20;
        s.hiddenPowerMinimum = 50;
        std::string path = TempResultPath(roamer ? "iv_roamer" : "iv_plain");
        HeadlessWindow window;
        HeadlessWindowInit(window);
        int32_t count = RunHeadless(s, path, &kPlainEngine, window);

        std::string expected = "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n";
        int32_t expectedCount = 0;
        SeedMessagePrefix prefix = SeedMessagePrefixOf(StartupParametersOf(s));
        const int last = roamer ? 617 : 618;
        for (int minute = 44; minute <= 45; ++minute)
            for (int second = 0; second <= 1; ++second)
                for (uint32_t mask = 0; mask < 1024; ++mask) {
                    if (!KeyMaskAllowed(s, mask)) continue;
                    CandidateMoment m{12, 11, 29, 4, 13, minute, second, mask};
                    uint64_t seed = InitialSeedOf(SeedMessageBuild(prefix, m, false));
                    std::mt19937 mt(static_cast<uint32_t>(seed >> 32));
                    int out[624];
                    for (int& o : out) o = static_cast<int>(mt() >> 27);
                    for (int c = 0; c <= last; ++c) {
                        int h, a, b, cc, d, sp;
                        if (!roamer) {
                            h = out[c], a = out[c + 1], b = out[c + 2], cc = out[c + 3],
                            d = out[c + 4], sp = out[c + 5];
                        } else {
                            h = out[c + 1], a = out[c + 2], b = out[c + 3], d = out[c + 4],
                            sp = out[c + 5], cc = out[c + 6];
                        }
                        int v[6] = {h, a, b, cc, d, sp};
                        bool pass = true;
                        for (int x : v) pass = pass && x >= 20;
                        int p = 0, t = 0;
                        const int w[6] = {1, 2, 4, 16, 32, 8};
                        for (int i = 0; i < 6; ++i) {
                            if (v[i] % 4 >= 2) p += w[i];
                            if (v[i] % 2) t += w[i];
                        }
                        int power = 40 * p / 63 + 30;
                        if (!pass || power < 50) continue;
                        ++expectedCount;
                        char row[200];
                        std::snprintf(row, sizeof row,
                                      "12,11,29,13,%d,%d,%d,%d,%d,%d,%d,%d,%d,%s,%d,%08X%08X", minute,
                                      second, c, h, a, b, cc, d, sp,
                                      HiddenPowerTypeNames[15 * t / 63], power,
                                      static_cast<unsigned>(seed >> 32),
                                      static_cast<unsigned>(seed));
                        expected += row + KeyInputSuffix(mask) + "\r\n";
                    }
                }
        EXPECT_EQ(count, expectedCount);
        EXPECT_GT(count, 10);
        EXPECT_EQ(ReadFileBytes(path), expected);
        std::remove(path.c_str());
    }
}

TEST(IvSearch, BackwardsConsumptionRangeWritesNothing) {
    SearchSettings s = ExampleSearchSettings();
    s.ivConsumptionStart = 9;
    s.ivConsumptionEnd = 8;
    for (int& lo : s.ivMin) lo = 0;
    std::string path = TempResultPath("iv_backwards");
    HeadlessWindow window;
    HeadlessWindowInit(window);
    EXPECT_EQ(RunHeadless(s, path, &kPlainEngine, window), 0);
    EXPECT_EQ(SplitCrLfLines(ReadFileBytes(path)).size(), 1u);
    std::remove(path.c_str());
}
