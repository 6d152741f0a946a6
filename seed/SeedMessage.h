// The sixteen-word message the games hash at start-up, its single-block
// SHA-1 and the initial seed taken from the digest.
#pragma once

#include <cstdint>
#include <cstring>

// One moment of the walk: the real-time clock and the keys held.
struct CandidateMoment {
    int32_t year;     // two digits, year - 2000
    int32_t month;
    int32_t day;
    int32_t weekday;  // 0 = Sunday .. 6 = Saturday
    int32_t hour;
    int32_t minute;
    int32_t second;
    uint32_t keyMask; // ten bits, a set bit means the key is not pressed
};

// True when two moments lie in the same second: they differ in their key mask
// at most. Compared as the four words of the 28 bytes before the key mask
// (the weekday goes with the date).
static_assert(sizeof(CandidateMoment) == 32, "a moment is 32 bytes, the key mask last");
inline uint64_t CandidateMomentWord(const CandidateMoment& m, int i) {
    uint64_t word;
    std::memcpy(&word, reinterpret_cast<const char*>(&m) + 8 * i, sizeof word);
    return word;
}
inline bool CandidateMomentSameSecond(const CandidateMoment& a, const CandidateMoment& b) {
    return ((CandidateMomentWord(a, 0) ^ CandidateMomentWord(b, 0)) |
            (CandidateMomentWord(a, 1) ^ CandidateMomentWord(b, 1)) |
            (CandidateMomentWord(a, 2) ^ CandidateMomentWord(b, 2)) |
            ((CandidateMomentWord(a, 3) ^ CandidateMomentWord(b, 3)) & 0xFFFFFFFFull)) == 0;
}

// The words that fix the first five words of the message: one base word
// for ブラック and ホワイト, five words for ブラック2 and ホワイト2.
struct VersionConstants {
    uint32_t versionWord;      // base word of ブラック / ホワイト
    uint32_t versionWords[5];  // the five words of ブラック2 / ホワイト2
    bool fiveWordVersion;      // true: versionWords are in force, false: versionWord
};

// The console's start-up parameters as the message takes them; fixed for a
// whole search.
struct StartupParameters {
    uint32_t vCount;
    uint32_t timer0;
    uint32_t macWord6;  // (MAC[4] << 8) | MAC[5]
    uint32_t macWord7;  // MAC[0..3] big-endian XOR swap32(low32(gxStat ^ frame))
    VersionConstants version;
};

struct SeedMessage {
    uint32_t w[16];
};

// Console words that stay fixed for one search: W0..W7 of the message.
struct SeedMessagePrefix {
    uint32_t w[8];
};

uint32_t Swap32(uint32_t x);
uint32_t Bcd(int32_t x);  // two decimal digits as nibbles (BCD(45) = 0x45)

// Day of the week of 2000 + yy / month / day in the Gregorian calendar.
int32_t WeekdayOf(int32_t yy, int32_t month, int32_t day);
// Days in a month of 2000 + yy in the Gregorian calendar (the console's
// clock; the walk's own date advance gives February 28 days).
int32_t DaysInMonth(int32_t yy, int32_t month);

SeedMessagePrefix SeedMessagePrefixOf(const StartupParameters& console);
// W5 of the console: swap32((vCount << 16) | timer0).
uint32_t SeedMessageConsoleWord(uint32_t vCount, uint32_t timer0);
// The MAC word of W7: MAC[0..3] as a big-endian word (macHigh) XOR
// swap32(low32(gxStat ^ frame)), frame as its two's-complement pattern.
uint32_t SeedMessageMacWord7(uint32_t macHigh, uint32_t gxStat, uint32_t frame);
uint32_t SeedMessageDateWord(const CandidateMoment& moment);                   // W8
uint32_t SeedMessageTimeWord(const CandidateMoment& moment, bool threeDsMode); // W9
uint32_t SeedMessageKeyWord(uint32_t keyMask);                                 // W12

SeedMessage SeedMessageBuild(const SeedMessagePrefix& prefix, const CandidateMoment& moment,
                             bool threeDsMode);

// Standard SHA-1 compression of one 512-bit block from the standard initial
// state; h receives the five result words.
void Sha1Block(const uint32_t block[16], uint32_t h[5]);

// The working variables of the compression, its initial values and round t
// with message word w.
struct Sha1State {
    uint32_t a, b, c, d, e;
};
Sha1State Sha1InitialState();
void Sha1Round(Sha1State& s, int t, uint32_t w);

// The initial seed from the first two digest words H0 and H1: the LCG step
// of D = (swap32(H1) << 32) | swap32(H0).
uint64_t Sha1SeedOfDigest(uint32_t h0, uint32_t h1);

// D = (swap32(H1) << 32) | swap32(H0).
uint64_t SeedDigestValue(const SeedMessage& message);
uint64_t InitialSeedOf(const SeedMessage& message);
