#include "modes/ResultFile.h"

#include <algorithm>
#include <cstring>

#include "modes/RowFormat.h"

const char* const NatureNames[25] = {
    "がんばりや", "さみしがり", "ゆうかん　", "いじっぱり", "やんちゃ　",
    "ずぶとい　", "すなお　　", "のんき　　", "わんぱく　", "のうてんき",
    "おくびょう", "せっかち　", "まじめ　　", "ようき　　", "むじゃき　",
    "ひかえめ　", "おっとり　", "れいせい　", "てれや　　", "うっかりや",
    "おだやか　", "おとなしい", "なまいき　", "しんちょう", "きまぐれ　",
};

const char* const HiddenPowerTypeNames[16] = {
    "かくとう", "ひこう", "どく",   "じめん", "いわ",   "むし",     "ゴースト", "はがね",
    "ほのお",   "みず",   "くさ",   "でんき", "エスパー", "こおり", "ドラゴン", "あく",
};

const char* const KeyNames[10] = {"A", "B", "Se", "St", "→", "←", "↑", "↓", "R", "L"};

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
