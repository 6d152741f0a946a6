#include "seed/SeedMessage.h"

#include "seed/RandomStreams.h"

uint32_t Swap32(uint32_t x) {
    return (x >> 24) | ((x >> 8) & 0xFF00u) | ((x << 8) & 0xFF0000u) | (x << 24);
}

// Modulo 2^32 like the rest of the message: a walk handed values far outside
// two digits (only a settings record can) gives some word, never an overflow.
uint32_t Bcd(int32_t x) { return static_cast<uint32_t>(x) + 6u * static_cast<uint32_t>(x / 10); }

int32_t WeekdayOf(int32_t yy, int32_t month, int32_t day) {
    // Sakamoto's method; the walk can hand in months outside 1..12 for a
    // mistyped range, so the month is folded into the table's bounds.
    // The calendar repeats every 400 years, a whole number of weeks, and the
    // method's divisions round down only for positive years: the year is
    // moved into the cycle 400..799, so a negative year gets its true weekday.
    static const int offsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    int64_t y = ((2000 + static_cast<int64_t>(yy)) % 400 + 400) % 400 + 400;
    int64_t m = month;
    int64_t d = day;
    int index = static_cast<int>(((m - 1) % 12 + 12) % 12);
    if (m < 3) y -= 1;
    int64_t w = (y + y / 4 - y / 100 + y / 400 + offsets[index] + d) % 7;
    return static_cast<int32_t>((w + 7) % 7);
}

int32_t DaysInMonth(int32_t yy, int32_t month) {
    if (month == 2) return (yy % 4 == 0) ? 29 : 28;  // 2000..2099: every fourth year
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

uint32_t SeedMessageConsoleWord(uint32_t vCount, uint32_t timer0) { return Swap32((vCount << 16) | timer0); }

uint32_t SeedMessageMacWord7(uint32_t macHigh, uint32_t gxStat, uint32_t frame) {
    return macHigh ^ Swap32(gxStat ^ frame);
}

SeedMessagePrefix SeedMessagePrefixOf(const StartupParameters& s) {
    SeedMessagePrefix p{};
    uint32_t v[5];
    if (s.version.fiveWordVersion) {
        for (int i = 0; i < 5; ++i) v[i] = s.version.versionWords[i];
    } else {
        uint32_t b = s.version.versionWord;
        v[0] = b;
        v[1] = v[2] = b + 0xFCu;
        v[3] = v[4] = b + 0x148u;
    }
    for (int i = 0; i < 5; ++i) p.w[i] = Swap32(v[i]);
    p.w[5] = SeedMessageConsoleWord(s.vCount, s.timer0);
    p.w[6] = s.macWord6;
    p.w[7] = s.macWord7;
    return p;
}

uint32_t SeedMessageDateWord(const CandidateMoment& m) {
    return (Bcd(m.year) << 24) | (Bcd(m.month) << 16) | (Bcd(m.day) << 8) |
           static_cast<uint32_t>(m.weekday);
}

uint32_t SeedMessageTimeWord(const CandidateMoment& m, bool threeDsMode) {
    uint32_t hourByte = Bcd(m.hour);
    if (m.hour >= 12 && !threeDsMode) hourByte += 0x40u;
    return (hourByte << 24) | (Bcd(m.minute) << 16) | (Bcd(m.second) << 8);
}

// The key word carries the mask with these bits flipped, byte-swapped into
// its top half: all ten keys held (mask 0) gives 0x002C0000.
constexpr uint32_t kKeyWordFlip = 0x2C00u;

uint32_t SeedMessageKeyWord(uint32_t keyMask) { return Swap32(keyMask ^ kKeyWordFlip); }

SeedMessage SeedMessageBuild(const SeedMessagePrefix& prefix, const CandidateMoment& m,
                             bool threeDsMode) {
    SeedMessage msg{};
    for (int i = 0; i < 8; ++i) msg.w[i] = prefix.w[i];
    msg.w[8] = SeedMessageDateWord(m);
    msg.w[9] = SeedMessageTimeWord(m, threeDsMode);
    msg.w[10] = 0;
    msg.w[11] = 0;
    msg.w[12] = SeedMessageKeyWord(m.keyMask);
    msg.w[13] = 0x80000000u;
    msg.w[14] = 0;
    msg.w[15] = 0x000001A0u;
    return msg;
}

static inline uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

Sha1State Sha1InitialState() {
    return Sha1State{0x67452301u, 0xEFCDAB89u, 0x98BADCFEu, 0x10325476u, 0xC3D2E1F0u};
}

void Sha1Round(Sha1State& s, int t, uint32_t w) {
    uint32_t f, k;
    if (t < 20) {
        f = (s.b & s.c) | (~s.b & s.d);
        k = 0x5A827999u;
    } else if (t < 40) {
        f = s.b ^ s.c ^ s.d;
        k = 0x6ED9EBA1u;
    } else if (t < 60) {
        f = (s.b & s.c) | (s.b & s.d) | (s.c & s.d);
        k = 0x8F1BBCDCu;
    } else {
        f = s.b ^ s.c ^ s.d;
        k = 0xCA62C1D6u;
    }
    uint32_t temp = Rotl(s.a, 5) + f + s.e + k + w;
    s.e = s.d;
    s.d = s.c;
    s.c = Rotl(s.b, 30);
    s.b = s.a;
    s.a = temp;
}

void Sha1Block(const uint32_t block[16], uint32_t h[5]) {
    uint32_t w[80];
    for (int t = 0; t < 16; ++t) w[t] = block[t];
    for (int t = 16; t < 80; ++t) w[t] = Rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
    const Sha1State initial = Sha1InitialState();
    Sha1State s = initial;
    for (int t = 0; t < 80; ++t) Sha1Round(s, t, w[t]);
    h[0] = initial.a + s.a;
    h[1] = initial.b + s.b;
    h[2] = initial.c + s.c;
    h[3] = initial.d + s.d;
    h[4] = initial.e + s.e;
}

uint64_t SeedDigestValue(const SeedMessage& message) {
    uint32_t h[5];
    Sha1Block(message.w, h);
    return (static_cast<uint64_t>(Swap32(h[1])) << 32) | Swap32(h[0]);
}

uint64_t Sha1SeedOfDigest(uint32_t h0, uint32_t h1) {
    return LcgNext((static_cast<uint64_t>(Swap32(h1)) << 32) | Swap32(h0));
}

uint64_t InitialSeedOf(const SeedMessage& message) { return LcgNext(SeedDigestValue(message)); }
