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

const char* ResultHeaderOf(SearchMode mode) {
    switch (mode) {
    case kModeGrotto:
    case kModeComet:
        return "年,月,日,時,分,秒,性格値乱数消費,初期seed";
    case kModeDelivery:
        return "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed";
    case kModeDome:
        return "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed";
    case kModeBreeding:
        return "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,"
               "遺伝2,遺伝3,性別,特性";
    case kModeShiny:
        return "年,月,日,時,分,秒,個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,"
               "性格値乱数消費,乱数値,性格値";
    case kModeIv:
        break;
    }
    return "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed";
}

FILE* ResultFileBegin(const char* path, SearchMode mode, bool keyInputEnabled) {
    // Binary mode with explicit CR LF gives the same bytes on every platform.
    FILE* file = std::fopen(path, "wb");
    if (!file) return nullptr;
    std::fputs(ResultHeaderOf(mode), file);
    if (keyInputEnabled) std::fputs(",キー入力", file);
    std::fputs("\r\n", file);
    return file;
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

void ResultWriteMatch(SearchRun& run, const CandidateMoment& m, const char* columns) {
    ++run.candidateCount;
    FILE* file = run.resultFile;
    if (!file) return;
    // Prefix, columns, key suffix and line end in one piece; columns longer
    // than the room left go out on their own between the prefix and the rest.
    char line[320];
    char* out = RowAppendPrefix(line, m);
    const size_t columnsLength = std::strlen(columns);
    const size_t room = sizeof line - static_cast<size_t>(out - line) - 32;
    if (columnsLength > room) {
        std::fwrite(line, 1, static_cast<size_t>(out - line), file);
        std::fwrite(columns, 1, columnsLength, file);
        out = line;
    } else {
        std::memcpy(out, columns, columnsLength);
        out += columnsLength;
    }
    if (run.settings->keyInputEnabled) out = RowAppendKeySuffix(out, m.keyMask);
    *out++ = '\r';
    *out++ = '\n';
    std::fwrite(line, 1, static_cast<size_t>(out - line), file);
}
