#include "web/WebJson.h"

#include <cstddef>
#include <cstdio>

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

// The field whose value a mode's switch is.
std::string SwitchFieldOf(const SearchModeEntry& entry) {
    if (!entry.enabled) return "";
    static const CliSettings probe{};
    const size_t offset = static_cast<size_t>(reinterpret_cast<const char*>(&(probe.search.*entry.enabled)) -
                                              reinterpret_cast<const char*>(&probe));
    for (int i = 0; i < SettingsFieldCount(); ++i)
        if (SettingsFieldAt(i).offset == offset) return SettingsFieldAt(i).name;
    return "";
}

const char* const kModeNames[] = {"grotto", "dome", "comet", "delivery", "breeding", "shiny", "iv"};

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

std::string WebDescribeJson(const CliSettings& initial, const char* engineName) {
    std::string out = "{\"engine\":" + JsonString(engineName) +
                      ",\"consoleFields\":" + std::to_string(kConsoleFieldCount) + ",\"fields\":[";
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        out += (i ? "," : "") + std::string("{\"name\":") + JsonString(f.name) +
               ",\"option\":" + JsonString(f.option) + ",\"kind\":\"" + KindName(f.kind) +
               "\",\"count\":" + std::to_string(f.count) + ",\"low\":" + std::to_string(f.low) +
               ",\"high\":" + std::to_string(f.high) + ",\"help\":" + JsonString(f.help) +
               ",\"value\":" + JsonString(SettingsFieldFormat(initial, i)) + "}";
    }
    out += "],\"modes\":[";
    for (int32_t m = 0; m < kSearchModeCount; ++m)
        out += (m ? "," : "") + std::string("{\"mode\":\"") + kModeNames[kSearchModes[m].mode] +
               "\",\"switch\":" + JsonString(SwitchFieldOf(kSearchModes[m])) + "}";
    return out + "]}";
}
