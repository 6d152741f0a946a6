#include "seed/SecondDigest.h"

#include "seed/RandomStreams.h"

namespace {

inline uint32_t Rotl(uint32_t x, int n) { return (x << n) | (x >> (32 - n)); }

// The message schedule: W16..W79 from W0..W15.
void Expand(uint32_t (&w)[80]) {
    for (int t = 16; t < 80; ++t) w[t] = Rotl(w[t - 3] ^ w[t - 8] ^ w[t - 14] ^ w[t - 16], 1);
}

}  // namespace

SecondDigest SecondDigestOf(const SeedMessagePrefix& prefix, uint32_t dateWord, uint32_t timeWord) {
    CandidateMoment none{};
    SeedMessage message = SeedMessageBuild(prefix, none, false);
    message.w[8] = dateWord;
    message.w[9] = timeWord;
    message.w[12] = 0;
    SecondDigest d{};
    uint32_t w[80];
    for (int t = 0; t < 16; ++t) d.words[t] = w[t] = message.w[t];
    Expand(w);
    for (int t = 16; t < 80; ++t) d.schedule[t - 16] = w[t];
    Sha1State s = Sha1InitialState();
    for (int t = 0; t < 12; ++t) Sha1Round(s, t, w[t]);
    d.state[0] = s.a;
    d.state[1] = s.b;
    d.state[2] = s.c;
    d.state[3] = s.d;
    d.state[4] = s.e;
    return d;
}

void KeyScheduleTerms(uint32_t keyMask, uint32_t terms[kKeyTermRows]) {
    uint32_t w[80] = {};
    w[12] = SeedMessageKeyWord(keyMask);
    Expand(w);
    terms[0] = w[12];
    for (int t = 16; t < 80; ++t) terms[1 + t - 16] = w[t];
}

uint64_t SecondDigestSeed(const SecondDigest& second, const uint32_t terms[kKeyTermRows]) {
    Sha1State s{second.state[0], second.state[1], second.state[2], second.state[3], second.state[4]};
    for (int t = 12; t < 80; ++t) {
        const uint32_t w = t == 12 ? terms[0] : t < 16 ? second.words[t] : second.schedule[t - 16] ^ terms[1 + t - 16];
        Sha1Round(s, t, w);
    }
    const Sha1State initial = Sha1InitialState();
    return Sha1SeedOfDigest(initial.a + s.a, initial.b + s.b);
}
