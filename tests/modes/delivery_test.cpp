#include <gtest/gtest.h>

#include "modes/Delivery.h"
#include "modes/ShinyPid.h"
#include "tests/modes/mode_test_support.h"

namespace {

// Position 0 of the example seed, offset 10: nature 22 ("なまいき　"), values
// 12 7 27 23 11 14 (type 12 "エスパー", power 69), personality value
// 0x2E5E643E with method 1 and 0x2E5E6423 with method 2.
void DeliveryExampleBench(ModeBench& bench) {
    ModeBenchInit(bench, kModeDelivery);
    SearchSettings& s = bench.settings;
    s.deliveryEnabled = true;
    s.pidConsumptionStart = 0;
    s.pidConsumptionEnd = 0;
    ModeBenchFill(bench, kExampleSeed);
}

const char kExampleDeliveryRow[] =
    "12,11,29,13,45,7,0,なまいき　,12,7,27,23,11,14,エスパー,69,6266D11A5ECD9A72";

}  // namespace

TEST(Delivery, WorkedValuesOfTheExampleSeed) {
    ModeBench bench;
    DeliveryExampleBench(bench);
    const uint32_t* U = bench.run.lcg.U.data();
    EXPECT_EQ(ScaledDraw(U[10], 25), 22u);
    IvSet ivs = DeliveryIvsAt(U, 0);
    const int32_t values[6] = {12, 7, 27, 23, 11, 14};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ivs.v[i], values[i]) << i;
    EXPECT_EQ(DeliveryPidOf(1, U[8], U[9]), 0x2E5E643Eu);
    EXPECT_EQ(DeliveryPidOf(2, U[8], U[9]), 0x2E5E6423u);
    // Method 1 keeps the upper 24 bits and only sets the lowest byte.
    EXPECT_EQ(DeliveryPidOf(1, 0xABCDEFFFu, DrawScaledTo(125, 126)), 0xABCDEF7Du);
    EXPECT_EQ(DeliveryPidOf(1, 0xABCDEF00u, 0xFFFFFFFFu), 0xABCDEF7Du);
    EXPECT_EQ(DeliveryPidOf(1, 0xABCDEFFFu, 0), 0xABCDEF00u);
    EXPECT_EQ(DeliveryPidOf(2, 0xABCDEFFFu, 0), 0xABCDEFFFu);
    EXPECT_STREQ(DeliveryShinyMethodNames[0], "Method1(ピカチュウ等)");
    EXPECT_STREQ(DeliveryShinyMethodNames[1], "Method2(グラードン等)");
    ModeBenchEnd(bench);
}

TEST(Delivery, RowsForBothMethodsNatureAndShinyBound) {
    ModeBench bench;
    DeliveryExampleBench(bench);
    SearchSettings& s = bench.settings;
    s.keyInputEnabled = true;
    const CandidateMoment held = ModeExampleMoment(1023u & ~(1u << 1) & ~(1u << 5));
    auto rows = [&](const CandidateMoment& m) { return ModeBenchRowsOf(bench, m, kExampleSeed); };
    // Method 1: 0x2E5E ^ 0x643E ^ 0x4A60 = 0.
    s.deliveryShinyMethod = 1;
    s.deliveryTrainerId = 0x4A60;
    s.deliverySecretId = 0;
    EXPECT_EQ(rows(held), std::string(kExampleDeliveryRow) + ",B←\r\n");
    s.keyInputEnabled = false;
    const CandidateMoment m = ModeExampleMoment(1023);
    const std::string plain = std::string(kExampleDeliveryRow) + "\r\n";
    s.deliverySecretId = 7;
    EXPECT_EQ(rows(m), plain);
    s.deliverySecretId = 8;
    EXPECT_EQ(rows(m), "");
    // Method 2 with the same IDs: test value 0x1D, then IDs made for it.
    s.deliveryShinyMethod = 2;
    s.deliverySecretId = 0;
    EXPECT_EQ(rows(m), "");
    s.deliveryTrainerId = 0x4A7D;
    EXPECT_EQ(rows(m), plain);
    // The method names no third distribution: nothing matches.
    s.deliveryShinyMethod = 3;
    EXPECT_EQ(rows(m), "");
    // No shiny test at all: any IDs.
    for (int32_t none : {0, -1}) {
        s.deliveryShinyMethod = none;
        s.deliveryTrainerId = 1;
        EXPECT_EQ(rows(m), plain) << none;
    }
    // Nature entry k wants index k - 1.
    s.deliveryNature = 23;
    EXPECT_EQ(rows(m), plain);
    s.deliveryNature = 22;
    EXPECT_EQ(rows(m), "");
    s.deliveryNature = 0;
    // The main window's bounds and hidden power apply.
    s.ivMin[2] = 28;
    EXPECT_EQ(rows(m), "");
    s.ivMin[2] = 0;
    s.hiddenPowerType = 11;
    EXPECT_EQ(rows(m), "");
    s.hiddenPowerType = 12;
    s.hiddenPowerMinimum = 69;
    EXPECT_EQ(rows(m), plain);
    s.hiddenPowerMinimum = 70;
    EXPECT_EQ(rows(m), "");
    s.hiddenPowerMinimum = 30;
    // Offset 0 takes the nature from the H draw (draw 0: index 9); a
    // negative offset reads as 0.
    for (int32_t offset : {0, -5}) {
        s.deliveryNatureOffset = offset;
        ModeBenchFill(bench, kExampleSeed);
        EXPECT_EQ(rows(m),
                  "12,11,29,13,45,7,0,のうてんき,12,7,27,23,11,14,エスパー,69,"
                  "6266D11A5ECD9A72\r\n")
            << offset;
    }
    // A range whose first position lies after its last.
    s.pidConsumptionStart = 1;
    EXPECT_EQ(rows(m), "");
    ModeBenchEnd(bench);
}

TEST(Delivery, DrawsPastTheFillAreProducedForTheCandidate) {
    // Offset 0 with a shiny test reads up to V + 9 while the driver fills to
    // E + 3. IDs chosen for the last position's own draw 108; stale draws of
    // another seed lie above the fill.
    std::vector<uint32_t> u = PlainDraws(kExampleSeed, 110);
    ModeBench bench;
    ModeBenchInit(bench, kModeDelivery);
    SearchSettings& s = bench.settings;
    s.deliveryNatureOffset = 0;
    s.deliveryShinyMethod = 2;
    s.deliveryTrainerId = static_cast<uint16_t>((u[108] >> 16) ^ u[108]);
    s.deliverySecretId = 0;
    s.pidConsumptionStart = 100;
    s.pidConsumptionEnd = 100;
    LcgStreamFill(bench.run.lcg, 0x2222222222222222ull, 500);
    ModeBenchFill(bench, kExampleSeed);
    EXPECT_EQ(bench.run.lcg.fillMark, 104);
    EvaluateDelivery(bench.run, ModeExampleMoment(1023), kExampleSeed);
    std::string expected = "12,11,29,13,45,7,100,";
    expected += NatureNames[PlainScaled(u[100], 25)];
    IvSet ivs{};
    for (int i = 0; i < 6; ++i) {
        ivs.v[i] = static_cast<int32_t>(u[static_cast<size_t>(100 + i)] >> 27);
        expected += "," + std::to_string(ivs.v[i]);
    }
    expected += std::string(",") + HiddenPowerTypeNames[HiddenPowerTypeOf(ivs)] + "," +
                std::to_string(HiddenPowerPowerOf(ivs)) + ",6266D11A5ECD9A72\r\n";
    EXPECT_EQ(ModeBenchTakeRows(bench), expected);

    // The largest offset stays inside the stream: 70000 reads as 65535.
    s.deliveryNatureOffset = 70000;
    s.deliveryShinyMethod = 0;
    s.pidConsumptionStart = 0;
    s.pidConsumptionEnd = 5000;
    ModeBenchFill(bench, kExampleSeed);
    EvaluateDelivery(bench.run, ModeExampleMoment(1023), kExampleSeed);
    std::vector<uint32_t> far = PlainDraws(kExampleSeed, 65535 + 2801);
    std::string rows = ModeBenchTakeRows(bench);
    EXPECT_EQ(SplitCrLfLines(rows).size(), 2801u);
    EXPECT_EQ(rows.substr(0, 19), std::string("12,11,29,13,45,7,0,"));
    EXPECT_EQ(rows.substr(19, 10), NatureNames[PlainScaled(far[65535], 25)]);
    ModeBenchEnd(bench);
}

TEST(Delivery, WholeSearchMatchesAPlainReference) {
    struct Variant {
        int32_t offset, nature, method;
    };
    for (const Variant& variant : {Variant{10, 6, 0}, Variant{3, 0, 1}, Variant{0, 0, 2}}) {
        SearchSettings s = ExampleSearchSettings();
        s.deliveryEnabled = true;
        s.shinyPidEnabled = true;  // delivery alone evaluates, under its own header
        s.keyInputEnabled = true;
        s.deliveryNatureOffset = variant.offset;
        s.deliveryNature = variant.nature;
        s.deliveryShinyMethod = variant.method;
        s.pidConsumptionStart = 0;
        s.pidConsumptionEnd = variant.method ? 2800 : 300;
        s.ivMin[0] = 10;
        ModeSearchOutcome outcome = RunModeSearch(s, "delivery_whole");

        std::string expected =
            "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed,キー入力\r\n";
        int32_t count = 0;
        for (const CandidateMoment& m : PlainMoments(s)) {
            uint64_t seed = PlainSeedOf(s, m);
            std::vector<uint32_t> u = PlainDraws(seed, s.pidConsumptionEnd + 20);
            for (int v = 0; v <= s.pidConsumptionEnd; ++v) {
                uint32_t nature = PlainScaled(u[v + variant.offset], 25);
                if (variant.nature && nature != static_cast<uint32_t>(variant.nature - 1)) continue;
                IvSet ivs;
                for (int i = 0; i < 6; ++i) ivs.v[i] = static_cast<int32_t>(u[v + i] >> 27);
                if (!IvFilterPasses(s, ivs)) continue;
                uint32_t pid = u[v + 8];
                if (variant.method == 1) pid = (pid & ~0xFFu) | PlainScaled(u[v + 9], 126);
                if (variant.method && (((pid >> 16) ^ pid ^ 3012u) & 0xFFFF) > 7) continue;
                ++count;
                expected += PlainRowStart(m) + std::to_string(v) + "," + NatureNames[nature];
                for (int32_t x : ivs.v) expected += "," + std::to_string(x);
                expected += std::string(",") + HiddenPowerTypeNames[HiddenPowerTypeOf(ivs)] + "," +
                            std::to_string(HiddenPowerPowerOf(ivs)) + "," + SeedHex(seed) +
                            PlainRowEnd(s, m);
            }
        }
        EXPECT_GT(count, 20) << variant.method;
        EXPECT_EQ(outcome.count, count) << variant.method;
        EXPECT_EQ(outcome.bytes, expected) << variant.method;
    }
}
