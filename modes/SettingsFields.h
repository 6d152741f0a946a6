// The one table of settings fields: every field of the search record and of
// the console as a user types it, one row each, with its name in settings
// files, its kind and range, its initial value (the window's), the window's
// caption beside its control, its group and, for lists, the entries. The
// record's initial values, the settings files' reader and writer, the
// command line's options and checks, the web page's form and the fuzz
// targets' input layout are all derived from it.
//
// To add a field: a member of SearchSettings (or of SettingsRecord for the
// console) and one row in kSettingsFields (SettingsFields.cpp). Still by
// hand: the window's control and its capture or dialog (app/, modes/*Dialog),
// and, when the field has an option of its own that is not one line of the
// table (--from, --time, ...), cli/Options.cpp.
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

// "C79" or "C79-C7B": one to eight hexadecimal digits each (0x optional),
// the first not above the last.
bool HexRangeParse(const std::string& text, HexRange& range);

// The settings as a user gives them: the search record plus the console as
// typed (MAC bytes, VCount and Timer0 ranges). The record's vCount, timer0
// and MAC words are formed per walk (SearchSettingsOfConsole).
struct SettingsRecord {
    SearchSettings search;  // first: the table's offsets of its fields are the record's own
    uint32_t mac[6];        // MAC bytes, MAC[0] first (config.txt may hold more; the check refuses it)
    HexRange vCount;
    HexRange timer0;
};

enum SettingsFieldKind {
    kFieldInt,       // signed decimal numbers, `count` of them
    kFieldUInt16,    // one decimal number 0..65535
    kFieldBool,      // 0/1/true/false, `count` of them
    kFieldHex,       // one hexadecimal number, 0x optional (gxStat)
    kFieldHexRange,  // hexadecimal or low-high (vCount, timer0)
    kFieldMac,       // six hexadecimal bytes separated by spaces, - or :
    kFieldVersion,   // B, W, B2, W2, one version word or five
};

// Where a field belongs: the window's part or the mode whose dialog holds it.
enum SettingsFieldGroup {
    kGroupConsole,
    kGroupDates,   // dates, times, "3DS" and "キー入力"
    kGroupFilter,  // individual values, hidden power, "徘徊", consumption ranges
    kGroupKeys,    // the key-input pattern dialog
    kGroupShiny,
    kGroupBreeding,
    kGroupDelivery,
    kGroupComet,
    kGroupDome,
    kGroupGrotto,
};

// The entries of a list field as the window's list shows them: the leading
// entries of its own ("指定無し", ...), then a name table of modes/. Entry i
// stores firstValue + i.
struct SettingsFieldList {
    const char* lead[2];       // null where there are fewer
    const char* const* names;  // the name table
    int32_t nameCount;
    int32_t firstValue;
};

struct SettingsField {
    const char* name;        // the record's name, used in settings files
    const char* option;      // the command-line option that sets it
    bool ownOption;          // the option takes the value as the file does (else a combined option)
    SettingsFieldKind kind;
    int count;               // values in a list
    int64_t low, high;       // accepted range of each value
    int64_t initial;         // each value's initial value (the window's); unused for the console
    size_t offset;           // in SettingsRecord
    SettingsFieldGroup group;
    const char* caption;     // the window's text beside the control, "" where it shows none
    const SettingsFieldList* list;  // the entries, for fields chosen from a list; else null
    const char* const* valueLabels; // one label per value of a multi-value field, or null
    const char* help;        // meaning, for --help
};

int SettingsFieldCount();
const SettingsField& SettingsFieldAt(int index);
int SettingsFieldFind(const std::string& name);  // -1 when no field has that name
// The console fields lead the table.
constexpr int kConsoleFieldCount = 6;

// The window's initial values; the console all zero with ブラック2's words unset.
void SettingsRecordInit(SettingsRecord& settings);
// The initial value of every field of the search record outside the console.
void SettingsFieldsInitSearch(SearchSettings& settings);

// The search record of one walk: the given VCount and Timer0, and the MAC
// words formed from the MAC bytes, GxStat and Frame as the capture forms them.
SearchSettings SearchSettingsOfConsole(const SettingsRecord& settings, uint32_t vCount, uint32_t timer0);

// What a value must look like, as the one-line messages say it.
std::string SettingsFieldAccepts(const SettingsField& field);
// Parses a value into the field; false with `error` set to what it accepts.
bool SettingsFieldParse(SettingsRecord& settings, int index, const std::string& text, std::string& error);
// The value as a settings file writes it.
std::string SettingsFieldFormat(const SettingsRecord& settings, int index);
// Whether every value of the field lies in its range (false: error says which).
bool SettingsFieldInRange(const SettingsRecord& settings, int index, std::string& error);
// The row of a switch of the search record; -1 when none.
int SettingsFieldOfSwitch(bool SearchSettings::*member);
// The field's single signed value (kFieldInt, count 1).
int32_t SettingsFieldInt(const SettingsRecord& settings, int index);

// Where each field got its value: "" (initial value), "--option", or
// "file:line". Indexed like the table.
using SettingsOrigins = std::vector<std::string>;
SettingsOrigins SettingsOriginsNone();

// Reads `name = value` lines over the settings ('#' starts a comment, blank
// lines are skipped). False with a message "path:line: ..." on the first
// line that names no field or holds a value the field does not accept.
bool SettingsTextRead(const std::string& text, const std::string& path, SettingsRecord& settings,
                      SettingsOrigins& origins, std::string& error);
// Every field, one line each, in table order.
std::string SettingsText(const SettingsRecord& settings);
