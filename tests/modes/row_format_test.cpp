#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <random>
#include <string>

#include "modes/RowFormat.h"

namespace {
std::string Int(int32_t v) {
    char buffer[16];
    return std::string(buffer, RowAppendInt(buffer, v));
}
std::string Hex(uint32_t v) {
    char buffer[16];
    return std::string(buffer, RowAppendHex8(buffer, v));
}
std::string Printf(const char* format, long long v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, v);
    return buffer;
}
}  // namespace

TEST(RowFormat, DecimalAndHexadecimalAsStdioPrintsThem) {
    for (int32_t v : {0, 1, 9, 10, 11, 99, 100, 101, 999, 1000, 1005, 9999, 10000, -1, -9, -10, -100, 2800, 65535,
                      INT_MAX, INT_MIN, INT_MIN + 1})
        EXPECT_EQ(Int(v), Printf("%lld", v)) << v;
    for (uint32_t v : {0u, 1u, 9u, 10u, 15u, 16u, 0x9Au, 0xABCDu, 0x7FFFFFFFu, 0x80000000u,
                       0xFFFFFFFFu, 0x0A0B0C0Du, 0xF0F0F0F0u})
        EXPECT_EQ(Hex(v), Printf("%08llX", v)) << v;
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        uint32_t word = random();
        ASSERT_EQ(Hex(word), Printf("%08llX", word));
        int32_t value = static_cast<int32_t>(word) >> (word & 31);
        ASSERT_EQ(Int(value), Printf("%lld", value));
    }
    char buffer[40];
    EXPECT_EQ(std::string(buffer, RowAppendSeed(buffer, 0x0000ABCD12345678ull)), "0000ABCD12345678");
    for (int32_t v = 0; v < 100; ++v) {
        char small[4];
        ASSERT_EQ(std::string(small, RowAppendSmall(small, v)), Printf("%lld", v));
    }
    EXPECT_EQ(std::string(buffer, RowAppendText(buffer, "なまいき　")), "なまいき　");
}
