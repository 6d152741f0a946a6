// Rows of the plain individual-value search, formatted by hand: with the
// default filter every candidate gives a row, and formatting them through
// the stdio calls costs more than the whole search of the candidate.
#include <cstring>

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "seed/BatchEngine.h"

namespace {

char* AppendText(char* out, const char* text) {
    size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

// "%d" of any 32-bit value.
char* AppendInt(char* out, int32_t value) {
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

// "%08X".
char* AppendHex8(char* out, uint32_t value) {
    static const char kHex[] = "0123456789ABCDEF";
    for (int shift = 28; shift >= 0; shift -= 4) *out++ = kHex[(value >> shift) & 0xFu];
    return out;
}

bool SameSecond(const CandidateMoment& a, const CandidateMoment& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

}  // namespace

void RowBufferInit(RowBuffer& rows, char* text, int32_t capacity) {
    rows.text = text;
    rows.used = 0;
    rows.capacity = capacity;
    rows.prefixValid = false;
    for (uint32_t mask = 0; mask < 1024; ++mask) {
        std::string suffix = KeyInputSuffix(mask);
        std::memcpy(rows.keySuffix[mask], suffix.c_str(), suffix.size() + 1);
    }
}

void RowBufferFlush(RowBuffer& rows, SearchRun& run) {
    if (rows.used > 0 && run.resultFile)
        std::fwrite(rows.text, 1, static_cast<size_t>(rows.used), run.resultFile);
    rows.used = 0;
}

void RowBufferAddIvRow(RowBuffer& rows, SearchRun& run, const CandidateMoment& m, uint64_t seed,
                       int32_t c, const int32_t (&ivs)[6]) {
    ++run.candidateCount;
    if (!run.resultFile) return;
    // The longest row: six prefix numbers and c of 11 characters, six values,
    // the type name, the power, the seed and the key suffix: well under 256.
    if (rows.capacity - rows.used < 256) RowBufferFlush(rows, run);
    if (!rows.prefixValid || !SameSecond(rows.prefixMoment, m)) {
        char* p = rows.prefix;
        const int32_t fields[6] = {m.year, m.month, m.day, m.hour, m.minute, m.second};
        for (int32_t field : fields) {
            p = AppendInt(p, field);
            *p++ = ',';
        }
        rows.prefixLength = static_cast<int32_t>(p - rows.prefix);
        rows.prefixMoment = m;
        rows.prefixValid = true;
    }
    char* out = rows.text + rows.used;
    std::memcpy(out, rows.prefix, static_cast<size_t>(rows.prefixLength));
    out += rows.prefixLength;
    out = AppendInt(out, c);
    IvSet set;
    for (int i = 0; i < 6; ++i) {
        set.v[i] = ivs[i];
        *out++ = ',';
        out = AppendInt(out, ivs[i]);
    }
    *out++ = ',';
    out = AppendText(out, HiddenPowerTypeNameOf(HiddenPowerTypeOf(set)));
    *out++ = ',';
    out = AppendInt(out, HiddenPowerPowerOf(set));
    *out++ = ',';
    out = AppendHex8(out, static_cast<uint32_t>(seed >> 32));
    out = AppendHex8(out, static_cast<uint32_t>(seed));
    if (run.settings->keyInputEnabled) out = AppendText(out, rows.keySuffix[m.keyMask & 1023u]);
    *out++ = '\r';
    *out++ = '\n';
    rows.used = static_cast<int32_t>(out - rows.text);
}
