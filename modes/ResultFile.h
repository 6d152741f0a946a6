// The frame every mode's rows share: the file, its header, the row prefix,
// the seed's printing, the held-key suffix and the name tables.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "modes/SearchRun.h"

extern const char* const NatureNames[25];          // five full-width characters each
extern const char* const HiddenPowerTypeNames[16];
extern const char* const KeyNames[10];             // by KeyMask bit
// The header's last column when key input is on, ",キー入力".
extern const char kResultKeyInputColumn[];

// Opens the file for writing, truncating it; null when it cannot be opened.
// ResultWriteHeader (modes/SearchModes.h) writes the header line.
FILE* ResultFileOpen(const char* path);

// Nature name by index; an index outside 0..24 gives an empty text.
const char* NatureNameOf(int32_t index);
// The name of nature 0..24 written at out as one block; returns the end.
constexpr size_t kNatureNameBytes = 10;
inline char* RowAppendNature(char* out, int32_t nature) {
    std::memcpy(out, NatureNames[nature], kNatureNameBytes);
    return out + kNatureNameBytes;
}
const char* HiddenPowerTypeNameOf(int32_t index);

// "," and the names of the keys held in the mask, in bit order.
std::string KeyInputSuffix(uint32_t keyMask);
// The same written at out (at most 25 bytes); returns the end.
char* RowAppendKeySuffix(char* out, uint32_t keyMask);
// "yy,month,day,hour,minute,second," of the moment (at most 72 bytes).
char* RowAppendPrefix(char* out, const CandidateMoment& moment);

// A match's row, written in place: ResultRowStart counts the match and, when
// the run writes, returns the place after the moment's prefix
// "yy,month,day,hour,minute,second," (null otherwise); the mode appends at
// most kResultColumnsMost bytes of columns and hands their end to
// ResultRowFinish, which adds the key suffix when key input is on and CR LF.
constexpr size_t kResultColumnsMost = 320;

// The key suffix of every mask and the line end after it, each copied as one
// fixed block; made at first use.
struct ResultLineEnds {
    char text[1024][32];
    uint8_t length[1024];
};
ResultLineEnds MakeResultLineEnds();
inline const ResultLineEnds& ResultLineEndsOf() {
    static const ResultLineEnds ends = MakeResultLineEnds();
    return ends;
}
void ResultRowRenewPrefix(SearchRun& run, const CandidateMoment& moment);

inline char* ResultRowStart(SearchRun& run, const CandidateMoment& m) {
    ++run.candidateCount;
    if (!SearchRunWrites(run)) return nullptr;
    if (!run.prefixValid || !CandidateMomentSameSecond(run.prefixMoment, m)) ResultRowRenewPrefix(run, m);
    char* out = SearchRunRowBegin(run);
    // Fixed-size blocks: a few moves, the second one for the rare long prefix.
    std::memcpy(out, run.prefixText, 32);
    if (run.prefixLength > 32) std::memcpy(out + 32, run.prefixText + 32, sizeof run.prefixText - 32);
    return out + run.prefixLength;
}

inline void ResultRowFinish(SearchRun& run, const CandidateMoment& m, char* end) {
    if (run.settings->keyInputEnabled) {
        const ResultLineEnds& ends = ResultLineEndsOf();
        const uint32_t mask = m.keyMask & 1023u;
        std::memcpy(end, ends.text[mask], sizeof ends.text[mask]);
        end += ends.length[mask];
    } else {
        *end++ = '\r';
        *end++ = '\n';
    }
    SearchRunRowEnd(run, end);
}

// A match with its columns as a text (up to kResultColumnsMost bytes).
void ResultWriteMatch(SearchRun& run, const CandidateMoment& moment, const char* columns);
