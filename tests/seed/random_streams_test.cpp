#include <gtest/gtest.h>

#include <random>

#include "seed/RandomStreams.h"
#include "seed/SeedMessage.h"

TEST(MtTable, MatchesStdMt19937OnManySeeds) {
    std::mt19937_64 pick(12345);
    MtTable table;
    for (int round = 0; round < 200; ++round) {
        uint64_t seed = pick();
        if (round == 0) seed = 0;
        if (round == 1) seed = 0xFFFFFFFF00000000ull;
        MtTableFill(table, seed);
        std::mt19937 reference(static_cast<uint32_t>(seed >> 32));
        for (int k = 0; k < kMtSize; ++k) {
            uint32_t out = reference();
            ASSERT_EQ(MtTemper(table.mt[k]), out) << "seed " << seed << " output " << k;
            ASSERT_EQ(MtIv(table, k), out >> 27);
        }
    }
}

TEST(MtTable, WorkedExampleIvs) {
    MtTable table;
    MtTableFill(table, 0x6266D11A5ECD9A72ull);
    const uint32_t expected[8] = {25, 5, 6, 5, 19, 19, 9, 5};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(MtIv(table, k), expected[k]) << k;
}

TEST(LcgStream, FillExtendAndBounds) {
    LcgStream stream;
    LcgStreamInit(stream, kLcgMinimumCapacity);
    LcgStreamFill(stream, 0x6266D11A5ECD9A72ull, 2);
    EXPECT_EQ(stream.L[1], 0x3B58C5E4C0098FBDull);
    EXPECT_EQ(stream.L[2], 0xDCFC1B7C8C037954ull);
    EXPECT_EQ(stream.U[1], 0x3B58C5E4u);
    EXPECT_EQ(stream.fillMark, 3);

    LcgStreamFill(stream, 0x6266D11A5ECD9A72ull, 30);  // E = 0 still fills 0..30
    EXPECT_EQ(stream.fillMark, 31);
    uint64_t at30 = stream.L[30];
    EXPECT_TRUE(LcgStreamExtend(stream, 10));  // below the mark: nothing changes
    EXPECT_EQ(stream.fillMark, 31);
    EXPECT_TRUE(LcgStreamExtend(stream, 40));
    EXPECT_EQ(stream.fillMark, 41);
    EXPECT_EQ(stream.L[31], LcgNext(at30));
    uint64_t x = 0x6266D11A5ECD9A72ull;
    for (int i = 0; i < 40; ++i) x = LcgNext(x);
    EXPECT_EQ(stream.L[40], x);
    EXPECT_EQ(stream.U[40], static_cast<uint32_t>(x >> 32));

    EXPECT_FALSE(LcgStreamExtend(stream, stream.capacity));
    EXPECT_FALSE(LcgStreamExtend(stream, -1));
    EXPECT_TRUE(LcgStreamExtend(stream, stream.capacity - 1));
    LcgStreamFill(stream, 1, 1 << 30);  // cut to the capacity, never past it
    EXPECT_EQ(stream.fillMark, stream.capacity);
    LcgStreamFill(stream, 5, -3);
    EXPECT_EQ(stream.fillMark, 1);
    EXPECT_EQ(stream.L[0], 5u);

    EXPECT_EQ(ScaledDraw(0xFFFFFFFFu, 100), 99u);
    EXPECT_EQ(ScaledDraw(0x80000000u, 4), 2u);
}

TEST(DrawRange, BoundsTheScaledDraws) {
    std::mt19937 rng(15);
    for (int round = 0; round < 2000; ++round) {
        const uint32_t n = round % 4 == 0 ? 100u : static_cast<uint32_t>(rng() % 2000 + 1);
        const int64_t low = static_cast<int64_t>(rng() % (n + 2)) - 1;
        const int64_t high = low + static_cast<int64_t>(rng() % 5);
        DrawRange r = DrawRangeOf(low, high, n);
        const int64_t lowIn = low < 0 ? 0 : low, highIn = high > n - 1 ? n - 1 : high;
        if (lowIn > highIn) {
            EXPECT_GT(r.lo, r.hi) << low << ".." << high << " of " << n;
            continue;
        }
        ASSERT_LE(r.lo, r.hi);
        EXPECT_EQ(ScaledDraw(r.lo, n), lowIn);
        EXPECT_EQ(ScaledDraw(r.hi, n), highIn);
        if (r.lo > 0) {
            EXPECT_EQ(ScaledDraw(r.lo - 1, n), lowIn - 1);
        }
        if (r.hi < 0xFFFFFFFFu) {
            EXPECT_EQ(ScaledDraw(r.hi + 1, n), highIn + 1);
        }
    }
    // The whole range of 100 is every draw.
    DrawRange all = DrawRangeOf(0, 99, 100);
    EXPECT_EQ(all.lo, 0u);
    EXPECT_EQ(all.hi, 0xFFFFFFFFu);
}

TEST(LcgJump, EqualsSteppingOneByOne) {
    uint64_t x = 0x6266D11A5ECD9A72ull;
    const uint64_t seed = x;
    for (uint64_t n = 0; n <= 3000; ++n) {
        uint64_t mul, add;
        LcgJump(n, mul, add);
        ASSERT_EQ(seed * mul + add, x) << n;
        x = LcgNext(x);
    }
    uint64_t mul, add;
    LcgJump(1, mul, add);
    EXPECT_EQ(mul, 0x5D588B656C078965ull);
    EXPECT_EQ(add, 0x269EC3ull);
}
