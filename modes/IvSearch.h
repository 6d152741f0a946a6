// The individual-value search: six values from the MT stream at every
// consumption position, within per-stat bounds and a hidden-power filter,
// with the roamer's layout; the block in which breeding and the shiny
// personality-value search take the positions instead.
#pragma once

#include <cstdint>
#include <cstring>

#include "modes/IndividualValues.h"
#include "modes/ResultFile.h"
#include "modes/RowFormat.h"
#include "modes/SearchRun.h"

// The columns of values 0..31, by value and by the weight sums of their
// parity bits and of their remainder bits; each is copied as one fixed block.
struct IvColumnPieces {
    char value[32][4];  // ",v"
    uint8_t valueLength[32];
    char type[64][16];  // ",<type name>"
    uint8_t typeLength[64];
    char power[64][4];  // ",30" .. ",70"
    IvColumnPieces();
};
extern const IvColumnPieces kIvColumnPieces;

inline bool IvSetOutside(const IvSet& ivs) {
    uint32_t outside = 0;
    for (int32_t v : ivs.v) outside |= static_cast<uint32_t>(v) & ~31u;
    return outside != 0;
}

// The rows' rare way, for values of which one lies outside 0..31:
// ",H,A,B,C,D,S" of any values, and the same followed by ",<type>,<power>".
char* RowAppendIvValuesAny(char* out, const IvSet& ivs);
char* RowAppendIvSetAny(char* out, const IvSet& ivs);

// ",H,A,B,C,D,S" of six values 0..31, from the pieces.
inline char* RowAppendIvValuesInRange(char* out, const IvSet& ivs) {
    const IvColumnPieces& pieces = kIvColumnPieces;
    for (int32_t v : ivs.v) {
        std::memcpy(out, pieces.value[v], sizeof pieces.value[v]);
        out += pieces.valueLength[v];
    }
    return out;
}

// ",H,A,B,C,D,S" of six values.
inline char* RowAppendIvValues(char* out, const IvSet& ivs) {
    return IvSetOutside(ivs) ? RowAppendIvValuesAny(out, ivs) : RowAppendIvValuesInRange(out, ivs);
}

// ",H,A,B,C,D,S,<hidden-power type>,<power>" of six values: the columns the
// plain, the shiny and the delivery rows share. Inline: with key input on and
// loose bounds every candidate writes one.
inline char* RowAppendIvSet(char* out, const IvSet& ivs) {
    if (IvSetOutside(ivs)) return RowAppendIvSetAny(out, ivs);
    out = RowAppendIvValuesInRange(out, ivs);
    const IvColumnPieces& pieces = kIvColumnPieces;
    int32_t parity = 0, remainder = 0;
    for (int i = 0; i < 6; ++i) {
        parity += (ivs.v[i] & 1) * kHiddenPowerWeights[i];
        remainder += ((ivs.v[i] >> 1) & 1) * kHiddenPowerWeights[i];
    }
    std::memcpy(out, pieces.type[parity], sizeof pieces.type[parity]);
    out += pieces.typeLength[parity];
    std::memcpy(out, pieces.power[remainder], sizeof pieces.power[remainder]);
    return out + 3;
}

// "c,H,A,B,C,D,S,<hidden-power type>,<power>" of a position.
inline char* RowAppendIvColumns(char* out, int32_t c, const IvSet& ivs) {
    return RowAppendIvSet(RowAppendInt(out, c), ivs);
}

// Writes the plain individual-value row of a passing position c.
inline void IvSearchWriteRow(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                             const IvSet& ivs) {
    char* out = ResultRowStart(run, moment);
    if (!out) return;
    out = RowAppendIvColumns(out, c, ivs);
    *out++ = ',';
    ResultRowFinish(run, moment, RowAppendSeed(out, seed));
}

// One candidate through the individual-value block.
void EvaluateIvBlock(SearchRun& run, const CandidateMoment& moment, uint64_t seed);

struct BatchPlan;
// The block's plan: breeding's or the shiny search's draw screen when one
// is on, then the individual values of the positions.
void PlanIvBlock(const SearchRun& run, BatchPlan& plan);
