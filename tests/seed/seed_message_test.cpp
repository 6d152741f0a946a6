#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "seed/RandomStreams.h"
#include "seed/SeedMessage.h"
#include "bench/ExampleConsole.h"

namespace {

// The console of the worked example: ブラック, VCount 0x60, Timer0 0xC79,
// MAC 12-34-56-78-9A-BC, GxStat 0x06000000, Frame 8.


CandidateMoment ExampleMoment() {
    CandidateMoment m{};
    m.year = 12;
    m.month = 11;
    m.day = 29;
    m.weekday = WeekdayOf(12, 11, 29);
    m.hour = 13;
    m.minute = 45;
    m.second = 7;
    m.keyMask = 0x3FF;
    return m;
}

}  // namespace

TEST(SeedMessage, WorkedExampleWordsDigestAndSeed) {
    SearchSettings s = ExampleConsoleSettings();
    CandidateMoment m = ExampleMoment();
    EXPECT_EQ(m.weekday, 4);
    SeedMessage msg = SeedMessageBuild(SeedMessagePrefixOf(StartupParametersOf(s)), m, false);
    const uint32_t expected[13] = {0x105F2102, 0x0C602102, 0x0C602102, 0x58602102, 0x58602102,
                                   0x790C6000, 0x00009ABC, 0x1A34567E, 0x12112904, 0x53450700,
                                   0,          0,          0xFF2F0000};
    for (int i = 0; i < 13; ++i) EXPECT_EQ(msg.w[i], expected[i]) << "word " << i;
    EXPECT_EQ(msg.w[13], 0x80000000u);
    EXPECT_EQ(msg.w[14], 0u);
    EXPECT_EQ(msg.w[15], 0x1A0u);
    EXPECT_EQ(SeedDigestValue(msg), 0x7872D77F6338A983ull);
    EXPECT_EQ(InitialSeedOf(msg), 0x6266D11A5ECD9A72ull);
}

TEST(SeedMessage, HourFlagThreeDsKeysAndVersions) {
    CandidateMoment m = ExampleMoment();
    EXPECT_EQ(SeedMessageTimeWord(m, true), 0x13450700u);
    m.hour = 9;
    EXPECT_EQ(SeedMessageTimeWord(m, false), 0x09450700u);
    EXPECT_EQ(SeedMessageTimeWord(m, true), 0x09450700u);
    m.hour = 12;
    m.minute = 0;
    m.second = 0;
    EXPECT_EQ(SeedMessageTimeWord(m, false), 0x52000000u);
    EXPECT_EQ(SeedMessageKeyWord(0), 0x002C0000u);
    EXPECT_EQ(SeedMessageKeyWord(0x3FF), 0xFF2F0000u);

    SearchSettings s = ExampleConsoleSettings();
    VersionConstantsSet(s.version, kGameWhite);
    SeedMessagePrefix white = SeedMessagePrefixOf(StartupParametersOf(s));
    const uint32_t whiteWords[5] = {0x305F2102, 0x2C602102, 0x2C602102, 0x78602102, 0x78602102};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(white.w[i], whiteWords[i]);
    VersionConstantsSet(s.version, kGameBlack2);
    EXPECT_EQ(SeedMessagePrefixOf(StartupParametersOf(s)).w[0], Swap32(0x0209A8DC));
    EXPECT_EQ(SeedMessagePrefixOf(StartupParametersOf(s)).w[4], Swap32(0x021FFA04));
    s.vCount = 0;
    s.timer0 = 0;
    EXPECT_EQ(SeedMessagePrefixOf(StartupParametersOf(s)).w[5], 0u);
    s.vCount = 0x1;
    s.timer0 = 0x3FFFF;  // above 0xFFFF: overlaps the VCount bits unmasked
    EXPECT_EQ(SeedMessagePrefixOf(StartupParametersOf(s)).w[5], Swap32(0x3FFFF));
}

TEST(SeedMessage, WeekdaysAndBcd) {
    EXPECT_EQ(WeekdayOf(0, 1, 1), 6);    // 2000-01-01 Saturday
    EXPECT_EQ(WeekdayOf(12, 2, 29), 3);  // 2012-02-29 Wednesday
    EXPECT_EQ(WeekdayOf(12, 3, 1), 4);
    EXPECT_EQ(WeekdayOf(99, 12, 31), 4); // 2099-12-31 Thursday
    EXPECT_EQ(WeekdayOf(13, 1, 1), 2);
    EXPECT_EQ(Bcd(45), 0x45u);
    EXPECT_EQ(Bcd(9), 0x09u);
    EXPECT_EQ(Bcd(0), 0u);
    // Far outside two digits (a settings record only): modulo 2^32.
    EXPECT_EQ(Bcd(INT32_MAX), 0xCCCCCCC7u);
    EXPECT_EQ(Bcd(INT32_MIN), 0x33333338u);
    // Years before year 1 keep the 400-year cycle: 1 January of the years
    // 0 and -400 are Saturdays like 2000's, of the year 1 a Monday.
    EXPECT_EQ(WeekdayOf(-2000, 1, 1), 6);
    EXPECT_EQ(WeekdayOf(-2400, 1, 1), 6);
    EXPECT_EQ(WeekdayOf(-1999, 1, 1), 1);
    EXPECT_EQ(WeekdayOf(INT32_MIN, 3, 1), WeekdayOf(INT32_MIN + 400, 3, 1));
}

TEST(Sha1Block, KnownVectors) {
    // "abc" and "" padded into one block.
    uint32_t block[16] = {0x61626380u, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 24};
    uint32_t h[5];
    Sha1Block(block, h);
    EXPECT_EQ(h[0], 0xA9993E36u);
    EXPECT_EQ(h[1], 0x4706816Au);
    EXPECT_EQ(h[2], 0xBA3E2571u);
    EXPECT_EQ(h[3], 0x7850C26Cu);
    EXPECT_EQ(h[4], 0x9CD0D89Du);
    uint32_t empty[16] = {0x80000000u};
    Sha1Block(empty, h);
    EXPECT_EQ(h[0], 0xDA39A3EEu);
    EXPECT_EQ(h[1], 0x5E6B4B0Du);
    EXPECT_EQ(h[4], 0xAFD80709u);
    // "abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq" needs two
    // blocks; its first 52-byte-or-less sibling: 55 bytes of 'a' fit one.
    uint32_t a55[16];
    for (int i = 0; i < 13; ++i) a55[i] = 0x61616161u;
    a55[13] = 0x61616180u;
    a55[14] = 0;
    a55[15] = 55 * 8;
    Sha1Block(a55, h);
    EXPECT_EQ(h[0], 0xC1C8BBDCu);
    EXPECT_EQ(h[1], 0x22796E28u);
}
