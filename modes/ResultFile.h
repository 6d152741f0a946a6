// The frame every mode's rows share: the file, its header, the row prefix,
// the seed's printing, the held-key suffix and the name tables.
#pragma once

#include <cstdint>
#include <cstdio>
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
char* ResultRowStart(SearchRun& run, const CandidateMoment& moment);
void ResultRowFinish(SearchRun& run, const CandidateMoment& moment, char* end);

// A match with its columns as a text (up to kResultColumnsMost bytes).
void ResultWriteMatch(SearchRun& run, const CandidateMoment& moment, const char* columns);
