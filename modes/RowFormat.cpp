#include "modes/RowFormat.h"

#include <cstring>

namespace {

// "%d" of 0..99 as two bytes and the length that counts: one or two.
struct DigitPairs {
    char pairs[100][2];
    uint8_t length[100];
    DigitPairs() {
        for (int i = 0; i < 100; ++i) {
            pairs[i][0] = static_cast<char>(i < 10 ? '0' + i : '0' + i / 10);
            pairs[i][1] = static_cast<char>('0' + i % 10);
            length[i] = i < 10 ? 1 : 2;
        }
    }
};
const DigitPairs kDigitPairs;

}  // namespace

char* RowAppendSmall(char* out, int32_t value) {
    // Both bytes are always written, so the caller's buffer needs one spare.
    std::memcpy(out, kDigitPairs.pairs[value], 2);
    return out + kDigitPairs.length[value];
}

char* RowAppendInt(char* out, int32_t value) {
    if (value >= 0 && value < 100) {
        if (value < 10) {
            *out = static_cast<char>('0' + value);
            return out + 1;
        }
        std::memcpy(out, kDigitPairs.pairs[value], 2);
        return out + 2;
    }
    uint32_t magnitude = static_cast<uint32_t>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    char digits[10];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (n > 0) *out++ = digits[--n];
    return out;
}

// The word's nibbles spread into the bytes of one 64-bit value, most
// significant first in memory, then turned into digits all at once.
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__,
              "the digits are stored as one little-endian word");

char* RowAppendHex8(char* out, uint32_t h) {
    uint64_t x = h;
    x = ((x & 0xFFFF0000ull) << 16) | (x & 0x0000FFFFull);
    x = ((x & 0x0000FF000000FF00ull) << 8) | (x & 0x000000FF000000FFull);
    x = ((x & 0x00F000F000F000F0ull) << 4) | (x & 0x000F000F000F000Full);
    x = __builtin_bswap64(x);
    // A nibble of 10 or more gets bit 4 from adding 6: those digits move on
    // by 7 from '9' + 1 to 'A'.
    const uint64_t letters = ((x + 0x0606060606060606ull) >> 4) & 0x0101010101010101ull;
    x += 0x3030303030303030ull + letters * 7;
    std::memcpy(out, &x, 8);
    return out + 8;
}

char* RowAppendSeed(char* out, uint64_t seed) {
    out = RowAppendHex8(out, static_cast<uint32_t>(seed >> 32));
    return RowAppendHex8(out, static_cast<uint32_t>(seed));
}

char* RowAppendText(char* out, const char* text) {
    size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}
