#include "seed/RandomStreams.h"

#include <cstddef>

void LcgJump(uint64_t n, uint64_t& mul, uint64_t& add) {
    uint64_t a = kLcgMultiplier, c = kLcgIncrement;
    mul = 1;
    add = 0;
    while (n) {
        if (n & 1) {
            mul *= a;
            add = add * a + c;
        }
        c = c * a + c;
        a *= a;
        n >>= 1;
    }
}

DrawRange DrawRangeOf(int64_t low, int64_t high, uint32_t n) {
    if (low < 0) low = 0;
    if (high > static_cast<int64_t>(n) - 1) high = static_cast<int64_t>(n) - 1;
    if (n == 0 || low > high) return DrawRange{1, 0};
    // The smallest draw whose scaled value reaches m: ceil(m * 2^32 / n).
    auto reach = [n](int64_t m) {
        return ((static_cast<uint64_t>(m) << 32) + n - 1) / n;
    };
    return DrawRange{static_cast<uint32_t>(reach(low)), static_cast<uint32_t>(reach(high + 1) - 1)};
}

void LcgStreamInit(LcgStream& stream, int32_t capacity) {
    if (capacity < kLcgMinimumCapacity) capacity = kLcgMinimumCapacity;
    stream.L.assign(static_cast<std::size_t>(capacity), 0);
    stream.U.assign(static_cast<std::size_t>(capacity), 0);
    stream.capacity = capacity;
    stream.fillMark = 0;
}

void LcgStreamFill(LcgStream& stream, uint64_t initialSeed, int32_t n) {
    if (n < 0) n = 0;
    if (n > stream.capacity - 1) n = stream.capacity - 1;
    uint64_t x = initialSeed;
    stream.L[0] = x;
    stream.U[0] = static_cast<uint32_t>(x >> 32);
    for (int32_t i = 1; i <= n; ++i) {
        x = LcgNext(x);
        stream.L[static_cast<std::size_t>(i)] = x;
        stream.U[static_cast<std::size_t>(i)] = static_cast<uint32_t>(x >> 32);
    }
    stream.fillMark = n + 1;
}

bool LcgStreamExtend(LcgStream& stream, int32_t j) {
    if (j < 0 || j >= stream.capacity) return false;
    if (stream.fillMark <= 0) return false;  // nothing filled for this candidate
    for (int32_t i = stream.fillMark; i <= j; ++i) {
        uint64_t x = LcgNext(stream.L[static_cast<std::size_t>(i - 1)]);
        stream.L[static_cast<std::size_t>(i)] = x;
        stream.U[static_cast<std::size_t>(i)] = static_cast<uint32_t>(x >> 32);
    }
    if (j >= stream.fillMark) stream.fillMark = j + 1;
    return true;
}

void MtTableFill(MtTable& table, uint64_t initialSeed) {
    uint32_t* mt = table.mt;
    mt[0] = static_cast<uint32_t>(initialSeed >> 32);
    for (uint32_t i = 1; i < kMtSize; ++i)
        mt[i] = 1812433253u * (mt[i - 1] ^ (mt[i - 1] >> 30)) + i;
    for (int i = 0; i < kMtSize; ++i) {
        uint32_t y = (mt[i] & 0x80000000u) | (mt[(i + 1) % kMtSize] & 0x7FFFFFFFu);
        uint32_t v = mt[(i + 397) % kMtSize] ^ (y >> 1);
        if (y & 1u) v ^= 0x9908B0DFu;
        mt[i] = v;
    }
}

uint32_t MtTemper(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

uint32_t MtTemperTop5(uint32_t y) {
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    return (y >> 27) ^ ((y >> 12) & 0x1Du);
}
