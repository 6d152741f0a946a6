// Typed numbers as the window reads them: leniently, never failing. Leading
// white space and one sign are accepted (base 16 also takes a 0x prefix),
// reading stops at the first character that does not belong to the number,
// and a text without digits reads as 0. The results match what the 32-bit
// C library conversions give, so a value typed on Windows reads the same
// in the native build.
#pragma once

#include <cstdint>
#include <string>

// Base 16, unsigned. A minus negates modulo 2^32; a magnitude above
// 0xFFFFFFFF saturates to 0xFFFFFFFF (whatever the sign).
uint32_t ParseHex(const std::string& text);

// Base 10, signed; saturates at INT32_MIN and INT32_MAX.
int32_t ParseDecimal(const std::string& text);
