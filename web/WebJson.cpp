#include "web/WebJson.h"

#include <cstddef>
#include <cstdio>

#include "modes/ResultFile.h"
#include "modes/SearchModes.h"

namespace {

const char* KindName(SettingsFieldKind kind) {
    switch (kind) {
    case kFieldInt: return "int";
    case kFieldUInt16: return "uint16";
    case kFieldBool: return "bool";
    case kFieldHex: return "hex";
    case kFieldHexRange: return "hexRange";
    case kFieldMac: return "mac";
    case kFieldVersion: return "version";
    }
    return "int";
}

const char* GroupName(SettingsFieldGroup group) {
    switch (group) {
    case kGroupConsole: return "console";
    case kGroupDates: return "dates";
    case kGroupFilter: return "filter";
    case kGroupKeys: return "keys";
    case kGroupShiny: return "shiny";
    case kGroupBreeding: return "breeding";
    case kGroupDelivery: return "delivery";
    case kGroupComet: return "comet";
    case kGroupDome: return "dome";
    case kGroupGrotto: return "grotto";
    }
    return "filter";
}

// The name tables whose bytes are code page 932 whatever the compiler
// (modes/ResultFile.h); the rest of the texts are the build's own, UTF-8.
bool TableIsCp932(const char* const* table) {
    return table == NatureNames || table == HiddenPowerTypeNames || table == KeyNames;
}

std::string HexOf(const char* text) {
    std::string out;
    char byte[4];
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        std::snprintf(byte, sizeof byte, "%02X", *p);
        out += byte;
    }
    return out;
}

std::string TableJson(const char* const* table, int count) {
    const bool cp932 = TableIsCp932(table);
    std::string out = "[";
    for (int i = 0; i < count; ++i)
        out += (i ? "," : "") + (cp932 ? "{\"cp932\":\"" + HexOf(table[i]) + "\"}" : JsonString(table[i]));
    return out + "]";
}

std::string ListJson(const SettingsFieldList* list) {
    if (!list) return "null";
    std::string lead;
    for (const char* entry : list->lead)
        if (entry) lead += (lead.empty() ? "" : ",") + JsonString(entry);
    return "{\"lead\":[" + lead + "],\"names\":" + TableJson(list->names, list->nameCount) +
           ",\"first\":" + std::to_string(list->firstValue) + "}";
}

}  // namespace

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonTrim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string WebDescribeJson(const SettingsRecord& initial, const char* engineName) {
    std::string out = "{\"engine\":" + JsonString(engineName) +
                      ",\"consoleFields\":" + std::to_string(kConsoleFieldCount) + ",\"fields\":[";
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        out += (i ? "," : "") + std::string("{\"name\":") + JsonString(f.name) +
               ",\"option\":" + JsonString(f.option) + ",\"kind\":\"" + KindName(f.kind) +
               "\",\"count\":" + std::to_string(f.count) + ",\"low\":" + std::to_string(f.low) +
               ",\"high\":" + std::to_string(f.high) + ",\"group\":\"" + GroupName(f.group) +
               "\",\"caption\":" + JsonString(f.caption) + ",\"list\":" + ListJson(f.list) +
               ",\"labels\":" + (f.valueLabels ? TableJson(f.valueLabels, f.count) : "null") +
               ",\"help\":" + JsonString(f.help) +
               ",\"value\":" + JsonString(SettingsFieldFormat(initial, i)) + "}";
    }
    out += "],\"modes\":[";
    for (int32_t m = 0; m < kSearchModeCount; ++m)
    {
        const SearchModeEntry& e = kSearchModes[m];
        const int sw = e.enabled ? SettingsFieldOfSwitch(e.enabled) : -1;
        out += (m ? "," : "") + std::string("{\"mode\":") + JsonString(e.name) + ",\"switch\":" +
               JsonString(sw >= 0 ? SettingsFieldAt(sw).name : "") + "}";
    }
    return out + "]}";
}
