#include "app/ConfigFile.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/Capture.h"
#include "res/resource.h"
#include "ui/TextNumbers.h"

namespace {

// One line as a 256-byte fgets delivers it: at most 255 characters, the
// line break included when it fits; the rest of a longer line comes as the
// next line. A carriage return before the line break is dropped, so a file
// written on either platform reads the same without text-mode conversion.
bool ReadLine(FILE* file, std::string& line) {
    char buffer[256];
    if (!std::fgets(buffer, sizeof buffer, file)) return false;
    line = buffer;
    size_t n = line.size();
    if (n >= 2 && line[n - 2] == '\r' && line[n - 1] == '\n') line.erase(n - 2, 1);
    return true;
}

void SetText(const ControlAccess& controls, int id, const std::string& text) {
    controls.setText(controls.context, id, text.c_str());
}

// Checks the button of `version` and clears the other three; -1 clears all.
void SelectVersionButton(const ControlAccess& controls, int version) {
    for (GameVersion v : {kGameBlack, kGameWhite, kGameBlack2, kGameWhite2})
        controls.setChecked(controls.context, VersionButtonIdOf(v), v == version);
}

bool WordsEqual(const uint32_t* a, const uint32_t* b) {
    return std::memcmp(a, b, 5 * sizeof(uint32_t)) == 0;
}

// Line 6: fewer than ten characters (line break included) is one word.
void LoadVersionLine(const std::string& line, const ControlAccess& controls,
                     VersionConstants& version) {
    int selected = -1;
    if (line.size() < 10) {
        version.versionWord = ParseHex(line);
        version.fiveWordVersion = false;
        if (version.versionWord == kVersionWordWhite) selected = kGameWhite;
        else if (version.versionWord == kVersionWordBlack) selected = kGameBlack;
    } else {
        // Words are the runs between spaces; a word that is not there reads 0.
        size_t pos = 0;
        for (uint32_t& word : version.versionWords) {
            while (pos < line.size() && line[pos] == ' ') ++pos;
            size_t end = line.find(' ', pos);
            if (end == std::string::npos) end = line.size();
            word = ParseHex(line.substr(pos, end - pos));
            pos = end;
        }
        version.fiveWordVersion = true;
        if (version.versionWords[0] == kVersionWordsWhite2[0]) {
            if (WordsEqual(version.versionWords, kVersionWordsWhite2)) selected = kGameWhite2;
        } else if (WordsEqual(version.versionWords, kVersionWordsBlack2)) {
            selected = kGameBlack2;
        }
    }
    SelectVersionButton(controls, selected);
}

void LoadLines(FILE* file, const ControlAccess& controls, SearchSettings& settings) {
    std::string line;
    for (int id : {IDC_VCOUNT, IDC_TIMER0, IDC_GXSTAT, IDC_FRAME}) {
        if (!ReadLine(file, line)) return;
        if (!line.empty() && line.back() == '\n') line.pop_back();
        SetText(controls, id, line);
    }
    if (!ReadLine(file, line)) return;
    // The MAC bytes stand at 0-1, 3-4, ..., 15-16; a short line fills what it covers.
    for (int i = 0; i < 6; ++i) {
        size_t at = static_cast<size_t>(i) * 3;
        std::string byte = at < line.size() ? line.substr(at, 2) : std::string();
        if (!byte.empty() && byte.back() == '\n') byte.pop_back();
        SetText(controls, IDC_MAC_0 + i, byte);
    }
    if (!ReadLine(file, line)) return;
    LoadVersionLine(line, controls, settings.version);
}

// A hexadecimal field read from `characters` characters holds at most that
// many digits, or a minus sign and fewer: "-1" reads as 0xFFFFFFFF. Such a
// word is written with its sign, since its eight digits would read back as
// their first few only; every other word as plain digits.
void WriteHexField(FILE* file, uint32_t value, int characters, const char* digits,
                   const char* negated) {
    const bool fits = characters >= 8 || value >> (4 * characters) == 0;
    if (fits) std::fprintf(file, digits, static_cast<unsigned>(value));
    else std::fprintf(file, negated, static_cast<unsigned>(0u - value));
}

}  // namespace

void ConfigFileLoad(const char* path, const ControlAccess& controls, SearchSettings& settings) {
    FILE* file = std::fopen(path, "r");
    if (!file) {
        SelectVersionButton(controls, kGameBlack2);
        return;
    }
    LoadLines(file, controls, settings);
    std::fclose(file);
}

void ConfigFileSave(const char* path, const ControlAccess& controls) {
    FILE* file = std::fopen(path, "w");
    if (!file) return;
    ConsoleFields console = ConsoleFieldsRead(controls);
    WriteHexField(file, console.vCount, kVCountCharacters, "%x", "-%x");
    std::fputc('\n', file);
    WriteHexField(file, console.timer0, kTimer0Characters, "%x", "-%x");
    std::fputc('\n', file);
    WriteHexField(file, console.gxStat, kGxStatCharacters, "%x", "-%x");
    std::fputc('\n', file);
    std::fprintf(file, "%d\n", static_cast<int>(console.frame));  // eight characters hold any frame read
    for (int i = 0; i < 6; ++i) {
        WriteHexField(file, console.mac[i], kMacCharacters, "%02X", "-%X");
        std::fputc(i < 5 ? '-' : '\n', file);
    }

    int selected = VersionButtonSelected(controls);
    if (selected >= 0) {
        VersionConstants version{};
        VersionConstantsSet(version, static_cast<GameVersion>(selected));
        const uint32_t* w = version.versionWords;
        if (version.fiveWordVersion)
            std::fprintf(file, "%08X %08X %08X %08X %08X\n", static_cast<unsigned>(w[0]),
                         static_cast<unsigned>(w[1]), static_cast<unsigned>(w[2]),
                         static_cast<unsigned>(w[3]), static_cast<unsigned>(w[4]));
        else
            std::fprintf(file, "%08X\n", static_cast<unsigned>(version.versionWord));
    }
    std::fclose(file);
}
