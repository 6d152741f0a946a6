// Rows of the plain individual-value search, formatted by hand: with the
// default filter every candidate gives a row, and formatting them through
// the stdio calls costs more than the whole search of the candidate.
#include <cstdio>
#include <cstring>

#include "modes/IndividualValues.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"
#include "engine/BatchEngine.h"

namespace {

char* AppendPiece(char* out, const RowPiece& piece) {
    std::memcpy(out, piece.text, sizeof piece.text);  // fixed size: one or two moves
    return out + piece.length;
}

void PieceSet(RowPiece& piece, const char* text) {
    std::memset(piece.text, 0, sizeof piece.text);
    size_t length = std::strlen(text);
    std::memcpy(piece.text, text, length);
    piece.length = static_cast<uint8_t>(length);
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
    for (uint32_t mask = 0; mask < 1024; ++mask)
        PieceSet(rows.keySuffix[mask], KeyInputSuffix(mask).c_str());
    for (int32_t sum = 0; sum < 64; ++sum) {
        // The type and power as the IvSet functions give them for values
        // whose parity (remainder) bits make up this weight sum.
        IvSet parity, remainder;
        for (int i = 0; i < 6; ++i) {
            parity.v[i] = (sum & kHiddenPowerWeights[i]) ? 1 : 0;
            remainder.v[i] = (sum & kHiddenPowerWeights[i]) ? 2 : 0;
        }
        PieceSet(rows.typeName[sum], HiddenPowerTypeNameOf(HiddenPowerTypeOf(parity)));
        char power[16];
        std::snprintf(power, sizeof power, ",%d,", HiddenPowerPowerOf(remainder));
        PieceSet(rows.power[sum], power);
    }
}

void RowBufferFlush(RowBuffer& rows, SearchRun& run) {
    if (rows.used > 0) SearchRunWrite(run, rows.text, static_cast<size_t>(rows.used));
    rows.used = 0;
}

void RowBufferAddIvRow(RowBuffer& rows, SearchRun& run, const CandidateMoment& m, uint64_t seed,
                       int32_t c, const int32_t (&ivs)[6]) {
    ++run.candidateCount;
    if (!SearchRunWrites(run)) return;
    // The longest row: six prefix numbers and c of 11 characters, six values,
    // the type name, the power, the seed and the key suffix: well under 256.
    if (rows.capacity - rows.used < 256) RowBufferFlush(rows, run);
    if (!rows.prefixValid || !SameSecond(rows.prefixMoment, m)) {
        rows.prefixLength = static_cast<int32_t>(RowAppendPrefix(rows.prefix, m) - rows.prefix);
        rows.prefixMoment = m;
        rows.prefixValid = true;
    }
    char* out = rows.text + rows.used;
    std::memcpy(out, rows.prefix, sizeof rows.prefix);
    out += rows.prefixLength;
    out = RowAppendInt(out, c);
    int32_t paritySum = 0, remainderSum = 0;
    for (int i = 0; i < 6; ++i) {
        // Individual values are 0..31: the parity and remainder bits are
        // the two lowest, as the truncating remainders give them.
        paritySum += (ivs[i] & 1) * kHiddenPowerWeights[i];
        remainderSum += ((ivs[i] >> 1) & 1) * kHiddenPowerWeights[i];
        *out++ = ',';
        out = RowAppendSmall(out, ivs[i] & 31);
    }
    *out++ = ',';
    out = AppendPiece(out, rows.typeName[paritySum]);
    out = AppendPiece(out, rows.power[remainderSum]);
    out = RowAppendHex8(out, static_cast<uint32_t>(seed >> 32));
    out = RowAppendHex8(out, static_cast<uint32_t>(seed));
    if (run.settings->keyInputEnabled) out = AppendPiece(out, rows.keySuffix[m.keyMask & 1023u]);
    *out++ = '\r';
    *out++ = '\n';
    rows.used = static_cast<int32_t>(out - rows.text);
}
