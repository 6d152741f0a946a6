#include "ui/TextNumbers.h"

#include <cstddef>

namespace {

// The C locale's white space, which is what the library conversions skip.
bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

struct ParsedNumber {
    bool negative;
    uint64_t magnitude;  // saturated at kMagnitudeCap
};

// Far above every 32-bit result but far below the point where one more
// digit could overflow the accumulator.
constexpr uint64_t kMagnitudeCap = uint64_t{1} << 40;

ParsedNumber ParseMagnitude(const std::string& text, int base) {
    ParsedNumber parsed{false, 0};
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && IsSpace(text[i])) ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) {
        parsed.negative = text[i] == '-';
        ++i;
    }
    // Skipping "0x" even when no digit follows is harmless: the library then
    // reads the number 0, and no digits read 0 as well.
    if (base == 16 && i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X'))
        i += 2;
    for (; i < n && DigitValue(text[i]) < base; ++i) {
        parsed.magnitude = parsed.magnitude * static_cast<uint64_t>(base) +
                           static_cast<uint64_t>(DigitValue(text[i]));
        if (parsed.magnitude > kMagnitudeCap) parsed.magnitude = kMagnitudeCap;
    }
    return parsed;
}

}  // namespace

uint32_t ParseHex(const std::string& text) {
    ParsedNumber parsed = ParseMagnitude(text, 16);
    if (parsed.magnitude > 0xFFFFFFFFu) return 0xFFFFFFFFu;
    uint32_t value = static_cast<uint32_t>(parsed.magnitude);
    return parsed.negative ? 0u - value : value;
}

int32_t ParseDecimal(const std::string& text) {
    ParsedNumber parsed = ParseMagnitude(text, 10);
    if (parsed.negative) {
        if (parsed.magnitude >= uint64_t{1} << 31) return INT32_MIN;
        return -static_cast<int32_t>(parsed.magnitude);
    }
    if (parsed.magnitude > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(parsed.magnitude);
}
