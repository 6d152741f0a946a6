// The digests of one second's messages taken apart the way the batch engines
// compute them. Within one second the words W0..W11 are the same for every
// key mask, so the first twelve rounds are shared; and the message schedule
// is linear over XOR (each expanded word is a rotated XOR of earlier ones),
// so every expanded word is the second's own part (its message with W12 = 0)
// XOR the key word's part (the message with W12 alone, every other word 0),
// which depends on the key mask only and is made once.
#pragma once

#include <cstdint>

#include "seed/SeedMessage.h"

// Rows of a key mask's terms: W12 itself, then its parts of W16..W79.
constexpr int32_t kKeyTermRows = 65;

struct SecondDigest {
    uint32_t words[16];     // W0..W15 of the second with W12 = 0
    uint32_t state[5];      // a, b, c, d, e after rounds 0..11
    uint32_t schedule[64];  // W16..W79 of the second with W12 = 0
};

SecondDigest SecondDigestOf(const SeedMessagePrefix& prefix, uint32_t dateWord, uint32_t timeWord);

// terms[0] = W12 of the mask, terms[1 + t - 16] = the key word's part of Wt.
void KeyScheduleTerms(uint32_t keyMask, uint32_t terms[kKeyTermRows]);

// The initial seed of the second's message with this key mask, from the two
// parts: rounds 12..79 from the shared state, each expanded word the XOR of
// the second's and the key's part. The plain form of what the engines do.
uint64_t SecondDigestSeed(const SecondDigest& second, const uint32_t terms[kKeyTermRows]);
