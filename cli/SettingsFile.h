// The command line's settings: the search record plus the console as typed
// (MAC bytes, VCount and Timer0 ranges), and the text form shared by
// settings files and options: `name = value` lines whose names are the
// record's field names, with version, mac, vCount, timer0, gxStat and frame
// for the console.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "modes/SearchSettings.h"

// A hexadecimal value or an inclusive range of them ("C79-C7B").
struct HexRange {
    uint32_t low;
    uint32_t high;
    bool isRange;  // written with a dash, even when low == high
};

struct CliSettings {
    SearchSettings search;  // vCount, timer0 and the MAC words are set per walk
    uint32_t mac[6];        // MAC bytes, MAC[0] first (config.txt may hold more; the check refuses it)
    HexRange vCount;
    HexRange timer0;
};

// The window's initial values; the console all zero with ブラック2's words unset.
void CliSettingsInit(CliSettings& settings);

// The search record of one walk: the given VCount and Timer0, and the MAC
// words formed from the MAC bytes, GxStat and Frame as the capture forms them.
SearchSettings CliSettingsForWalk(const CliSettings& settings, uint32_t vCount, uint32_t timer0);

enum SettingsFieldKind {
    kFieldInt,       // signed decimal numbers, `count` of them
    kFieldUInt16,    // one decimal number 0..65535
    kFieldBool,      // 0/1/true/false, `count` of them
    kFieldHex,       // one hexadecimal number, 0x optional (gxStat)
    kFieldHexRange,  // hexadecimal or low-high (vCount, timer0)
    kFieldMac,       // six hexadecimal bytes separated by spaces, - or :
    kFieldVersion,   // B, W, B2, W2, one version word or five
};

struct SettingsField {
    const char* name;    // the record's name, used in settings files
    const char* option;  // the command-line option that sets it
    bool ownOption;      // the option takes the value as the file does (else a combined option)
    SettingsFieldKind kind;
    int count;           // values in a list
    int64_t low, high;   // accepted range of each value
    size_t offset;       // in CliSettings
    const char* help;    // meaning, for --help
};

int SettingsFieldCount();
const SettingsField& SettingsFieldAt(int index);
int SettingsFieldFind(const std::string& name);  // -1 when no field has that name
// The console fields lead the table.
constexpr int kConsoleFieldCount = 6;

// What a value must look like, as the one-line messages say it.
std::string SettingsFieldAccepts(const SettingsField& field);

// Parses a value into the field; false with `error` set to what it accepts.
bool SettingsFieldParse(CliSettings& settings, int index, const std::string& text,
                        std::string& error);
// The value as a settings file writes it.
std::string SettingsFieldFormat(const CliSettings& settings, int index);
// Whether every value of the field lies in its range (false: error says which).
bool SettingsFieldInRange(const CliSettings& settings, int index, std::string& error);

// Where each field got its value: "" (initial value), "--option", or
// "file:line". Indexed like the table.
using SettingsOrigins = std::vector<std::string>;
SettingsOrigins SettingsOriginsNone();

// Reads `name = value` lines over the settings ('#' starts a comment, blank
// lines are skipped). False with a message "file:line: ..." on the first
// line that names no field or holds a value the field does not accept.
bool SettingsFileRead(const std::string& path, CliSettings& settings, SettingsOrigins& origins,
                      std::string& error);
bool SettingsTextRead(const std::string& text, const std::string& path, CliSettings& settings,
                      SettingsOrigins& origins, std::string& error);

// Every field, one line each, in table order.
std::string SettingsFileText(const CliSettings& settings);
