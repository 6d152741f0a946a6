#include "modes/ResultFile.h"

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

// The key suffix when key input is on, and CR LF.
static char* RowAppendLineEnd(const SearchRun& run, char* out, const CandidateMoment& m) {
    if (run.settings->keyInputEnabled) out = RowAppendKeySuffix(out, m.keyMask);
    *out++ = '\r';
    *out++ = '\n';
    return out;
}

void ResultWriteMatch(SearchRun& run, const CandidateMoment& m, const char* columns) {
    ++run.candidateCount;
    if (!SearchRunWrites(run)) return;
    // Prefix, columns, key suffix and line end in one piece.
    char line[320];
    char* out = RowAppendPrefix(line, m);
    const size_t columnsLength = std::strlen(columns);
    const size_t room = sizeof line - static_cast<size_t>(out - line) - 32;
    if (columnsLength <= room) {
        std::memcpy(out, columns, columnsLength);
        out = RowAppendLineEnd(run, out + columnsLength, m);
        SearchRunWrite(run, line, static_cast<size_t>(out - line));
        return;
    }
    // Longer columns than the room left (no mode writes such) are put
    // together on the heap, so the row still leaves in one piece.
    std::string row(line, out);
    row += columns;
    char end[32];
    row.append(end, RowAppendLineEnd(run, end, m));
    SearchRunWrite(run, row.data(), row.size());
}
