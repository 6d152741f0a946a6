// Hand formatting of result rows. Searches whose settings match many
// positions per candidate spend most of their time writing rows, and the
// stdio formatting calls cost more than the whole evaluation of a candidate.
// Each function writes at out and returns the end; none writes a terminator.
// The common cases are inline: a row calls them a dozen times.
#pragma once

#include <cstdint>
#include <cstring>

// "%d" of 0..99 as two bytes, and the length that counts: one or two; and
// "%02d" of the same.
struct RowDigitPairs {
    char pairs[100][2];
    uint8_t length[100];
    char padded[100][2];
};
constexpr RowDigitPairs MakeRowDigitPairs() {
    RowDigitPairs d{};
    for (int i = 0; i < 100; ++i) {
        d.pairs[i][0] = static_cast<char>(i < 10 ? '0' + i : '0' + i / 10);
        d.pairs[i][1] = static_cast<char>('0' + i % 10);
        d.length[i] = static_cast<uint8_t>(i < 10 ? 1 : 2);
        d.padded[i][0] = static_cast<char>('0' + i / 10);
        d.padded[i][1] = static_cast<char>('0' + i % 10);
    }
    return d;
}
inline constexpr RowDigitPairs kRowDigitPairs = MakeRowDigitPairs();

char* RowAppendIntSlow(char* out, int32_t value);  // "%d" of any value

// "%d" of 0..99; writes two bytes, so the buffer needs one spare.
inline char* RowAppendSmall(char* out, int32_t value) {
    std::memcpy(out, kRowDigitPairs.pairs[value], 2);
    return out + kRowDigitPairs.length[value];
}

// "%d"; positions and the breeding's draws reach the hundreds and thousands.
inline char* RowAppendInt(char* out, int32_t value) {
    if (value >= 0 && value < 100) return RowAppendSmall(out, value);
    if (value >= 0 && value < 10000) {
        out = RowAppendSmall(out, value / 100);
        std::memcpy(out, kRowDigitPairs.padded[value % 100], 2);
        return out + 2;
    }
    return RowAppendIntSlow(out, value);
}

// "%08X": the word's nibbles spread into the bytes of one 64-bit value, most
// significant first in memory (each step puts the upper half of every piece
// below its lower half, so no byte swap is needed: WebAssembly has none),
// then turned into digits all at once.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the digits are stored as one little-endian word");
inline char* RowAppendHex8(char* out, uint32_t h) {
    uint64_t x = h;
    x = (x >> 16) | ((x & 0x0000FFFFull) << 32);
    x = ((x >> 8) & 0x000000FF000000FFull) | ((x & 0x000000FF000000FFull) << 16);
    x = ((x >> 4) & 0x000F000F000F000Full) | ((x & 0x000F000F000F000Full) << 8);
    // A nibble of 10 or more gets bit 4 from adding 6: those digits move on
    // by 7 from '9' + 1 to 'A'.
    const uint64_t letters = ((x + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
    x += 0x3030303030303030ull + letters * 7;
    std::memcpy(out, &x, 8);
    return out + 8;
}

// "%08X%08X", upper half first.
inline char* RowAppendSeed(char* out, uint64_t seed) {
    out = RowAppendHex8(out, static_cast<uint32_t>(seed >> 32));
    return RowAppendHex8(out, static_cast<uint32_t>(seed));
}

inline char* RowAppendText(char* out, const char* text) {
    const size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}
