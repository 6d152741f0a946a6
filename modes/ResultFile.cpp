#include "modes/ResultFile.h"

#include <algorithm>
#include <cstring>

#include "modes/RowFormat.h"

// The texts of the result file are code page 932 bytes in every build (clang
// has no -fexec-charset), each with its spelling beside it;
// tests/modes/result_texts_test.cpp holds them against it.
const char* const NatureNames[25] = {
    "\x82\xAA\x82\xF1\x82\xCE\x82\xE8\x82\xE2",  // がんばりや
    "\x82\xB3\x82\xDD\x82\xB5\x82\xAA\x82\xE8",  // さみしがり
    "\x82\xE4\x82\xA4\x82\xA9\x82\xF1\x81@",  // ゆうかん　
    "\x82\xA2\x82\xB6\x82\xC1\x82\xCF\x82\xE8",  // いじっぱり
    "\x82\xE2\x82\xF1\x82\xBF\x82\xE1\x81@",  // やんちゃ　
    "\x82\xB8\x82\xD4\x82\xC6\x82\xA2\x81@",  // ずぶとい　
    "\x82\xB7\x82\xC8\x82\xA8\x81@\x81@",  // すなお　　
    "\x82\xCC\x82\xF1\x82\xAB\x81@\x81@",  // のんき　　
    "\x82\xED\x82\xF1\x82\xCF\x82\xAD\x81@",  // わんぱく　
    "\x82\xCC\x82\xA4\x82\xC4\x82\xF1\x82\xAB",  // のうてんき
    "\x82\xA8\x82\xAD\x82\xD1\x82\xE5\x82\xA4",  // おくびょう
    "\x82\xB9\x82\xC1\x82\xA9\x82\xBF\x81@",  // せっかち　
    "\x82\xDC\x82\xB6\x82\xDF\x81@\x81@",  // まじめ　　
    "\x82\xE6\x82\xA4\x82\xAB\x81@\x81@",  // ようき　　
    "\x82\xDE\x82\xB6\x82\xE1\x82\xAB\x81@",  // むじゃき　
    "\x82\xD0\x82\xA9\x82\xA6\x82\xDF\x81@",  // ひかえめ　
    "\x82\xA8\x82\xC1\x82\xC6\x82\xE8\x81@",  // おっとり　
    "\x82\xEA\x82\xA2\x82\xB9\x82\xA2\x81@",  // れいせい　
    "\x82\xC4\x82\xEA\x82\xE2\x81@\x81@",  // てれや　　
    "\x82\xA4\x82\xC1\x82\xA9\x82\xE8\x82\xE2",  // うっかりや
    "\x82\xA8\x82\xBE\x82\xE2\x82\xA9\x81@",  // おだやか　
    "\x82\xA8\x82\xC6\x82\xC8\x82\xB5\x82\xA2",  // おとなしい
    "\x82\xC8\x82\xDC\x82\xA2\x82\xAB\x81@",  // なまいき　
    "\x82\xB5\x82\xF1\x82\xBF\x82\xE5\x82\xA4",  // しんちょう
    "\x82\xAB\x82\xDC\x82\xAE\x82\xEA\x81@",  // きまぐれ　
};

const char* const HiddenPowerTypeNames[16] = {
    "\x82\xA9\x82\xAD\x82\xC6\x82\xA4",  // かくとう
    "\x82\xD0\x82\xB1\x82\xA4",  // ひこう
    "\x82\xC7\x82\xAD",  // どく
    "\x82\xB6\x82\xDF\x82\xF1",  // じめん
    "\x82\xA2\x82\xED",  // いわ
    "\x82\xDE\x82\xB5",  // むし
    "\x83S\x81[\x83X\x83g",  // ゴースト
    "\x82\xCD\x82\xAA\x82\xCB",  // はがね
    "\x82\xD9\x82\xCC\x82\xA8",  // ほのお
    "\x82\xDD\x82\xB8",  // みず
    "\x82\xAD\x82\xB3",  // くさ
    "\x82\xC5\x82\xF1\x82\xAB",  // でんき
    "\x83G\x83X\x83p\x81[",  // エスパー
    "\x82\xB1\x82\xA8\x82\xE8",  // こおり
    "\x83h\x83\x89\x83S\x83\x93",  // ドラゴン
    "\x82\xA0\x82\xAD",  // あく
};

const char* const KeyNames[10] = {
    "A", "B", "Se", "St",
    "\x81\xA8", "\x81\xA9", "\x81\xAA", "\x81\xAB",  // → ← ↑ ↓
    "R", "L",
};

const char kResultKeyInputColumn[] = ",\x83L\x81[\x93\xFC\x97\xCD";  // ,キー入力

FILE* ResultFileOpen(const char* path) {
    // Binary mode with explicit CR LF gives the same bytes on every platform.
    return std::fopen(path, "wb");
}

const char* NatureNameOf(int32_t index) {
    return index >= 0 && index < 25 ? NatureNames[index] : "";
}

const char* HiddenPowerTypeNameOf(int32_t index) {
    return index >= 0 && index < 16 ? HiddenPowerTypeNames[index] : "";
}

char* RowAppendKeySuffix(char* out, uint32_t keyMask) {
    *out++ = ',';
    for (int bit = 0; bit < 10; ++bit)
        if (((keyMask >> bit) & 1u) == 0) out = RowAppendText(out, KeyNames[bit]);
    return out;
}

std::string KeyInputSuffix(uint32_t keyMask) {
    char suffix[32];
    return std::string(suffix, RowAppendKeySuffix(suffix, keyMask));
}

char* RowAppendPrefix(char* out, const CandidateMoment& m) {
    const int32_t fields[6] = {m.year, m.month, m.day, m.hour, m.minute, m.second};
    for (int32_t field : fields) {
        out = RowAppendInt(out, field);
        *out++ = ',';
    }
    return out;
}

ResultLineEnds MakeResultLineEnds() {
    ResultLineEnds ends{};
    for (uint32_t mask = 0; mask < 1024; ++mask) {
        char* end = RowAppendKeySuffix(ends.text[mask], mask);
        *end++ = '\r';
        *end++ = '\n';
        ends.length[mask] = static_cast<uint8_t>(end - ends.text[mask]);
    }
    return ends;
}

void ResultRowRenewPrefix(SearchRun& run, const CandidateMoment& m) {
    run.prefixLength = static_cast<uint8_t>(RowAppendPrefix(run.prefixText, m) - run.prefixText);
    run.prefixMoment = m;
    run.prefixValid = true;
}

void ResultWriteMatch(SearchRun& run, const CandidateMoment& m, const char* columns) {
    const size_t length = std::strlen(columns);
    if (length <= kResultColumnsMost) {
        char* out = ResultRowStart(run, m);
        if (!out) return;
        std::memcpy(out, columns, length);
        ResultRowFinish(run, m, out + length);
        return;
    }
    // Longer columns (no mode writes such) are put together on the heap, so
    // the row still leaves in one piece.
    ++run.candidateCount;
    if (!SearchRunWrites(run)) return;
    char frame[80];
    std::string row(frame, RowAppendPrefix(frame, m));
    row += columns;
    if (run.settings->keyInputEnabled) row += KeyInputSuffix(m.keyMask);
    row += "\r\n";
    SearchRunWrite(run, row.data(), row.size());
}
