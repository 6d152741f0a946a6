// Hand formatting of result rows. Searches whose settings match many
// positions per candidate spend most of their time writing rows, and the
// stdio formatting calls cost more than the whole evaluation of a candidate.
// Each function writes at out and returns the end; none writes a terminator.
#pragma once

#include <cstdint>

char* RowAppendInt(char* out, int32_t value);     // "%d"
char* RowAppendSmall(char* out, int32_t value);   // "%d" of 0..99; may write one byte past
char* RowAppendHex8(char* out, uint32_t value);   // "%08X"
char* RowAppendSeed(char* out, uint64_t seed);    // "%08X%08X", upper half first
char* RowAppendText(char* out, const char* text);
