#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ui/TextNumbers.h"

TEST(ParseHex, LenientForms) {
    EXPECT_EQ(ParseHex(""), 0u);
    EXPECT_EQ(ParseHex("g"), 0u);
    EXPECT_EQ(ParseHex("5F"), 0x5Fu);
    EXPECT_EQ(ParseHex("5f"), 0x5Fu);
    EXPECT_EQ(ParseHex("  \t0x5fz9"), 0x5Fu);
    EXPECT_EQ(ParseHex("0X1A"), 0x1Au);
    EXPECT_EQ(ParseHex("0x"), 0u);    // the 0 alone
    EXPECT_EQ(ParseHex("0xg1"), 0u);  // "x" is foreign when no digit follows
    EXPECT_EQ(ParseHex("+c79"), 0xC79u);
    EXPECT_EQ(ParseHex("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex("-0x10"), 0xFFFFFFF0u);
    EXPECT_EQ(ParseHex("- 1"), 0u);   // blanks only before the sign
    EXPECT_EQ(ParseHex("021FFA04\n"), 0x021FFA04u);
    EXPECT_EQ(ParseHex("12\x82\x50"), 0x12u);  // a Shift-JIS lead byte stops it
}

TEST(ParseHex, SaturatesAbove32Bits) {
    EXPECT_EQ(ParseHex("FFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex("-FFFFFFFF"), 1u);
    EXPECT_EQ(ParseHex("100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex("-100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(ParseHex(std::string(300, 'f')), 0xFFFFFFFFu);
}

TEST(ParseDecimal, LenientFormsAndSaturation) {
    EXPECT_EQ(ParseDecimal(""), 0);
    EXPECT_EQ(ParseDecimal("abc"), 0);
    EXPECT_EQ(ParseDecimal("  -7x"), -7);
    EXPECT_EQ(ParseDecimal("+40"), 40);
    EXPECT_EQ(ParseDecimal("0x10"), 0);
    EXPECT_EQ(ParseDecimal("--1"), 0);
    EXPECT_EQ(ParseDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("2147483648"), INT32_MAX);
    EXPECT_EQ(ParseDecimal("-2147483648"), INT32_MIN);
    EXPECT_EQ(ParseDecimal("-2147483649"), INT32_MIN);
    EXPECT_EQ(ParseDecimal(std::string(300, '9')), INT32_MAX);
    EXPECT_EQ(ParseDecimal("-" + std::string(300, '9')), INT32_MIN);
}

// Every short text over the characters that matter, against the C library.
// Five characters cannot overflow 32 bits, so the 64-bit library results,
// reduced to 32 bits, are what the 32-bit conversions give.
TEST(TextNumbers, AgreeWithLibraryOnEveryShortText) {
    const std::string alphabet = " \t\n+-0xX9aFg";
    const size_t symbols = alphabet.size();
    for (size_t length = 0; length <= 5; ++length) {
        size_t total = 1;
        for (size_t i = 0; i < length; ++i) total *= symbols;
        for (size_t code = 0; code < total; ++code) {
            std::string text;
            for (size_t i = 0, rest = code; i < length; ++i, rest /= symbols)
                text += alphabet[rest % symbols];
            ASSERT_EQ(ParseHex(text), static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 16)))
                << '"' << text << '"';
            ASSERT_EQ(ParseDecimal(text), static_cast<int32_t>(std::strtol(text.c_str(), nullptr, 10)))
                << '"' << text << '"';
        }
    }
}
