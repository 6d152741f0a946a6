#include "modes/SettingsFields.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "modes/Breeding.h"
#include "modes/Delivery.h"
#include "modes/Dome.h"
#include "modes/Grotto.h"
#include "modes/IndividualValues.h"
#include "modes/ResultFile.h"
#include "modes/ShinyPid.h"
#include "seed/SeedMessage.h"

static_assert(offsetof(SettingsRecord, search) == 0, "the search record's fields share the table's offsets");

namespace {

#define SEARCH_FIELD(member) offsetof(SearchSettings, member)

constexpr int64_t kInt32Min = INT32_MIN;
constexpr int64_t kInt32Max = INT32_MAX;
constexpr int64_t kWordMax = 0xFFFFFFFFll;

// The lists, as the window's lists show them.
const SettingsFieldList kHiddenPowerTypeList = {{"指定無し", nullptr}, HiddenPowerTypeNames, 16, -1};
const SettingsFieldList kShinyNatureList = {{"指定無し", nullptr}, NatureNames, 25, 0};
const SettingsFieldList kShinyEncounterList = {{nullptr, nullptr}, ShinyEncounterNames, 3, 1};
const SettingsFieldList kBreedingNatureList = {{"指定無し", "変わらず"}, NatureNames, 25, -1};
const SettingsFieldList kBreedingAbilityList = {{nullptr, nullptr}, BreedingAbilityNames, 4, 0};
const SettingsFieldList kBreedingGenderList = {{"指定無し", nullptr}, BreedingGenderNames, 8, 0};
const SettingsFieldList kDeliveryNatureList = {{"指定無し", nullptr}, NatureNames, 25, 0};
// 0: the check box "色違い(九州配布)" off.
const SettingsFieldList kDeliveryShinyMethodList = {{"", nullptr}, DeliveryShinyMethodNames, 2, 0};
const SettingsFieldList kDomeTrainerList = {{"指定無し", nullptr}, DomeTrainerNames, 52, 0};
const SettingsFieldList kGrottoKindList = {{nullptr, nullptr}, GrottoKindNames, 11, 0};
const SettingsFieldList kGrottoFemaleRatioList = {{nullptr, nullptr}, GrottoFemaleRatioNames, 5, 0};

// The table every reader, writer, option and check works from; see the
// header for what adding a field takes. ownOption false means a combined
// option (--from, --time, --mode, ...) sets it instead of one of its own.
// Ranges are what the search can use: the consumption ranges stay inside the
// tables, the lists inside their entries.
const SettingsField kFields[] = {
    // Console; kConsoleFieldCount counts these. Their initial values are the
    // window's empty fields (0) with ブラック2's five words unset.
    {"version", "--game", true, kFieldVersion, 1, 0, 0, 0, SEARCH_FIELD(version), kGroupConsole, "",
     nullptr, nullptr, "game version"},
    {"mac", "--mac", true, kFieldMac, 6, 0, 255, 0, offsetof(SettingsRecord, mac), kGroupConsole,
     "MACアドレス:", nullptr, nullptr, "MAC address"},
    {"vCount", "--vcount", true, kFieldHexRange, 1, 0, kWordMax, 0, offsetof(SettingsRecord, vCount),
     kGroupConsole, "VCount:0x", nullptr, nullptr, "VCount, or a range searched value by value"},
    {"timer0", "--timer0", true, kFieldHexRange, 1, 0, kWordMax, 0, offsetof(SettingsRecord, timer0),
     kGroupConsole, "Timer0:0x", nullptr, nullptr, "Timer0, or a range searched value by value"},
    {"gxStat", "--gxstat", true, kFieldHex, 1, 0, kWordMax, 0, SEARCH_FIELD(gxStat), kGroupConsole,
     "GxStat:0x", nullptr, nullptr, "GxStat"},
    {"frame", "--frame", true, kFieldInt, 1, kInt32Min, kInt32Max, 0, SEARCH_FIELD(frame), kGroupConsole,
     "Frame:", nullptr, nullptr, "Frame"},
    // Dates (two-digit years) and times.
    {"startYear", "--from", false, kFieldInt, 1, 0, 99, 0, SEARCH_FIELD(startYear), kGroupDates, "日付:20",
     nullptr, nullptr, "first year - 2000"},
    {"startMonth", "--from", false, kFieldInt, 1, 1, 12, 0, SEARCH_FIELD(startMonth), kGroupDates, "年",
     nullptr, nullptr, "first month"},
    {"startDay", "--from", false, kFieldInt, 1, 1, 31, 0, SEARCH_FIELD(startDay), kGroupDates, "月",
     nullptr, nullptr, "first day"},
    {"endYear", "--to", false, kFieldInt, 1, 0, 99, 0, SEARCH_FIELD(endYear), kGroupDates, "日～20",
     nullptr, nullptr, "last year - 2000"},
    {"endMonth", "--to", false, kFieldInt, 1, 1, 12, 0, SEARCH_FIELD(endMonth), kGroupDates, "年", nullptr,
     nullptr, "last month"},
    {"endDay", "--to", false, kFieldInt, 1, 1, 31, 0, SEARCH_FIELD(endDay), kGroupDates, "月", nullptr,
     nullptr, "last day"},
    {"startHour", "--hours", false, kFieldInt, 1, 0, 23, 0, SEARCH_FIELD(startHour), kGroupDates,
     "時刻:　", nullptr, nullptr, "first hour"},
    {"startMinute", "--minutes", false, kFieldInt, 1, 0, 59, 0, SEARCH_FIELD(startMinute), kGroupDates,
     "時", nullptr, nullptr, "first minute"},
    {"startSecond", "--seconds", false, kFieldInt, 1, 0, 59, 0, SEARCH_FIELD(startSecond), kGroupDates,
     "分", nullptr, nullptr, "first second"},
    {"endHour", "--hours", false, kFieldInt, 1, 0, 23, 23, SEARCH_FIELD(endHour), kGroupDates, "時～",
     nullptr, nullptr, "last hour"},
    {"endMinute", "--minutes", false, kFieldInt, 1, 0, 59, 59, SEARCH_FIELD(endMinute), kGroupDates, "分～",
     nullptr, nullptr, "last minute"},
    {"endSecond", "--seconds", false, kFieldInt, 1, 0, 59, 59, SEARCH_FIELD(endSecond), kGroupDates, "秒～",
     nullptr, nullptr, "last second"},
    {"threeDsMode", "--3ds", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(threeDsMode), kGroupDates, "3DS",
     nullptr, nullptr, "3DS: no afternoon flag in the hour"},
    {"keyInputEnabled", "--keys", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(keyInputEnabled), kGroupDates,
     "キー入力", nullptr, nullptr, "key input: walk the key masks the pattern allows"},
    // Individual-value filter.
    {"ivMax", "--iv-max", true, kFieldInt, 6, 0, 31, 31, SEARCH_FIELD(ivMax), kGroupFilter, "上限", nullptr,
     StatNames, "upper bounds H A B C D S"},
    {"ivMin", "--iv-min", true, kFieldInt, 6, 0, 31, 0, SEARCH_FIELD(ivMin), kGroupFilter, "下限", nullptr,
     StatNames, "lower bounds H A B C D S"},
    {"hiddenPowerType", "--hidden-power-type", true, kFieldInt, 1, -1, 15, -1, SEARCH_FIELD(hiddenPowerType),
     kGroupFilter, "めざパ:", &kHiddenPowerTypeList, nullptr, "hidden-power type, -1 any, 0 fighting .. 15 dark"},
    {"hiddenPowerMinimum", "--hidden-power-minimum", true, kFieldInt, 1, 0, 70, 30,
     SEARCH_FIELD(hiddenPowerMinimum), kGroupFilter, "以上", nullptr, nullptr, "smallest hidden-power power"},
    {"roamerEnabled", "--roamer", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(roamerEnabled), kGroupFilter,
     "徘徊", nullptr, nullptr, "roamer: the values' roaming layout"},
    // Consumption ranges; the individual-value end is checked against the
    // table with the roamer switch in mind.
    {"ivConsumptionStart", "--iv-consumption", false, kFieldInt, 1, 0, 618, 7,
     SEARCH_FIELD(ivConsumptionStart), kGroupFilter, "個体値乱数列", nullptr, nullptr,
     "first individual-value position"},
    {"ivConsumptionEnd", "--iv-consumption", false, kFieldInt, 1, 0, 618, 7, SEARCH_FIELD(ivConsumptionEnd),
     kGroupFilter, "～", nullptr, nullptr, "last individual-value position"},
    {"pidConsumptionStart", "--pid-consumption", false, kFieldInt, 1, 0, 2800, 50,
     SEARCH_FIELD(pidConsumptionStart), kGroupFilter, "性格値乱数列", nullptr, nullptr,
     "first personality-value position"},
    {"pidConsumptionEnd", "--pid-consumption", false, kFieldInt, 1, 0, 2800, 150,
     SEARCH_FIELD(pidConsumptionEnd), kGroupFilter, "～", nullptr, nullptr, "last personality-value position"},
    // Mode switches (--mode sets one and clears the others).
    {"shinyPidEnabled", "--shiny-pid-enabled", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(shinyPidEnabled),
     kGroupShiny, "色違い性格値検索", nullptr, nullptr, "shiny switch (with --mode breeding: the egg's shiny test)"},
    {"breedingEnabled", "--mode", false, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(breedingEnabled),
     kGroupBreeding, "遺伝込みで検索", nullptr, nullptr, "breeding switch"},
    {"deliveryEnabled", "--mode", false, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(deliveryEnabled),
     kGroupDelivery, "配達員検索", nullptr, nullptr, "delivery switch"},
    {"cometEnabled", "--mode", false, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(cometEnabled), kGroupComet,
     "すいせいのかけら", nullptr, nullptr, "comet switch"},
    {"domeEnabled", "--mode", false, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(domeEnabled), kGroupDome,
     "ライモンドーム", nullptr, nullptr, "dome switch"},
    {"grottoEnabled", "--mode", false, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(grottoEnabled), kGroupGrotto,
     "隠し穴(BW2)", nullptr, nullptr, "grotto switch"},
    // Key-input pattern.
    {"usableKeys", "--usable-keys", true, kFieldBool, 10, 0, 1, 1, SEARCH_FIELD(usableKeys), kGroupKeys,
     "使うキー", nullptr, KeyNames, "keys that may be pressed: A B Se St Right Left Up Down R L"},
    {"excludeOppositeAndReset", "--exclude-opposite-and-reset", true, kFieldBool, 1, 0, 1, 1,
     SEARCH_FIELD(excludeOppositeAndReset), kGroupKeys, "逆方向同時押し・リセットを除外", nullptr, nullptr,
     "skip opposite directions and the reset keys"},
    // Shiny personality-value search.
    {"shinyTrainerId", "--shiny-trainer-id", true, kFieldUInt16, 1, 0, 65535, 0, SEARCH_FIELD(shinyTrainerId),
     kGroupShiny, "表ID:", nullptr, nullptr, "trainer ID"},
    {"shinySecretId", "--shiny-secret-id", true, kFieldUInt16, 1, 0, 65535, 0, SEARCH_FIELD(shinySecretId),
     kGroupShiny, "裏ID:", nullptr, nullptr, "secret ID"},
    {"shinyEncounter", "--shiny-encounter", true, kFieldInt, 1, 1, 3, 1, SEARCH_FIELD(shinyEncounter),
     kGroupShiny, "", &kShinyEncounterList, nullptr, "1 egg, 2 roamer, 3 fixed"},
    {"shinyIdAdjust", "--shiny-id-adjust", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(shinyIdAdjust),
     kGroupShiny, "ID補正", nullptr, nullptr, "ID adjustment"},
    {"shinyNature", "--shiny-nature", true, kFieldInt, 1, 0, 25, 0, SEARCH_FIELD(shinyNature), kGroupShiny,
     "性格:", &kShinyNatureList, nullptr, "0 any, n nature n - 1"},
    // Breeding search.
    {"parentIv", "--parent-iv", true, kFieldInt, 12, 0, 31, 31, SEARCH_FIELD(parentIv), kGroupBreeding,
     "先: / 後:", nullptr, nullptr, "first parent H..S, then second parent H..S"},
    {"breedingNoDitto", "--breeding-no-ditto", true, kFieldBool, 1, 0, 1, 0, SEARCH_FIELD(breedingNoDitto),
     kGroupBreeding, "メタモン無し", nullptr, nullptr, "no Ditto among the parents"},
    {"breedingNature", "--breeding-nature", true, kFieldInt, 1, -1, 25, 0, SEARCH_FIELD(breedingNature),
     kGroupBreeding, "", &kBreedingNatureList, nullptr, "-1 any, 0 everstone, n nature n - 1"},
    {"breedingAbility", "--breeding-ability", true, kFieldInt, 1, 0, 3, 0, SEARCH_FIELD(breedingAbility),
     kGroupBreeding, "特性:", &kBreedingAbilityList, nullptr, "0 any, 1, 2, 3 hidden"},
    {"breedingGender", "--breeding-gender", true, kFieldInt, 1, 0, 8, 0, SEARCH_FIELD(breedingGender),
     kGroupBreeding, "性別:", &kBreedingGenderList, nullptr, "0 any, 1..8 the gender entries"},
    // Delivery search.
    {"deliveryNatureOffset", "--delivery-nature-offset", true, kFieldInt, 1, 0, 65535, 10,
     SEARCH_FIELD(deliveryNatureOffset), kGroupDelivery, "性格乱数の位置(H個体値を0として)", nullptr, nullptr,
     "position of the nature draw, H at 0"},
    {"deliveryNature", "--delivery-nature", true, kFieldInt, 1, 0, 25, 0, SEARCH_FIELD(deliveryNature),
     kGroupDelivery, "性格：", &kDeliveryNatureList, nullptr, "0 any, n nature n - 1"},
    {"deliveryShinyMethod", "--delivery-shiny-method", true, kFieldInt, 1, 0, 2, 0,
     SEARCH_FIELD(deliveryShinyMethod), kGroupDelivery, "色違い(九州配布)", &kDeliveryShinyMethodList, nullptr,
     "0 no shiny test, 1 Method1, 2 Method2"},
    {"deliveryTrainerId", "--delivery-trainer-id", true, kFieldUInt16, 1, 0, 65535, 3012,
     SEARCH_FIELD(deliveryTrainerId), kGroupDelivery, "ID:", nullptr, nullptr, "trainer ID of the shiny test"},
    {"deliverySecretId", "--delivery-secret-id", true, kFieldUInt16, 1, 0, 65535, 0,
     SEARCH_FIELD(deliverySecretId), kGroupDelivery, "裏ID:", nullptr, nullptr, "secret ID of the shiny test"},
    // Comet-shard search.
    {"cometCompoundEyes", "--comet-compound-eyes", true, kFieldBool, 1, 0, 1, 1,
     SEARCH_FIELD(cometCompoundEyes), kGroupComet, "ふくがん有り", nullptr, nullptr, "with compound eyes"},
    // Dome search.
    {"domeTrainers", "--dome-trainers", true, kFieldInt, 6, 0, 52, 0, SEARCH_FIELD(domeTrainers), kGroupDome,
     "", &kDomeTrainerList, nullptr, "0 none, k trainer k - 1"},
    {"domeShiftWidth", "--dome-shift-width", true, kFieldInt, 1, 0, 2800, 0, SEARCH_FIELD(domeShiftWidth),
     kGroupDome, "消費数ずれ幅：", nullptr, nullptr, "consumption shift width"},
    // Hidden-grotto search.
    {"grottoKind", "--grotto-kind", true, kFieldInt, 1, 0, 10, 0, SEARCH_FIELD(grottoKind), kGroupGrotto,
     "種類：", &kGrottoKindList, nullptr, "kind entry"},
    {"grottoFemaleRatio", "--grotto-female-ratio", true, kFieldInt, 1, 0, 4, 0, SEARCH_FIELD(grottoFemaleRatio),
     kGroupGrotto, "♀判定：", &kGrottoFemaleRatioList, nullptr, "female-ratio entry"},
    {"grottoSlots", "--grotto-slots", true, kFieldBool, 4, 0, 1, 1, SEARCH_FIELD(grottoSlots), kGroupGrotto,
     "", nullptr, GrottoSlotNames, "accepted slots A B C D"},
};

constexpr int kFieldTotal = static_cast<int>(sizeof kFields / sizeof kFields[0]);

template <typename T>
T* FieldAt(SettingsRecord& settings, const SettingsField& field) {
    return reinterpret_cast<T*>(reinterpret_cast<char*>(&settings) + field.offset);
}
template <typename T>
const T* FieldAt(const SettingsRecord& settings, const SettingsField& field) {
    return reinterpret_cast<const T*>(reinterpret_cast<const char*>(&settings) + field.offset);
}

// The parts between any of the separators, empty ones dropped.
std::vector<std::string> SplitList(const std::string& text, const char* separators = " \t,") {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (std::strchr(separators, c) && c != '\0') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

bool ParseDecimalStrict(const std::string& text, int64_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size() || text.size() - i > 11) return false;
    int64_t v = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    value = negative ? -v : v;
    return true;
}

bool ParseHexStrict(std::string text, uint32_t& value, size_t maxDigits = 8) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text.erase(0, 2);
    if (text.empty() || text.size() > maxDigits) return false;
    uint32_t v = 0;
    for (char c : text) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return false;
        v = v * 16 + static_cast<uint32_t>(d);
    }
    value = v;
    return true;
}

bool ParseBool(const std::string& text, bool& value) {
    std::string t;
    for (char c : text) t += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (t == "1" || t == "true") value = true;
    else if (t == "0" || t == "false") value = false;
    else return false;
    return true;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

std::string UpperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

struct NamedVersion {
    const char* name;
    GameVersion version;
};
constexpr NamedVersion kNamedVersions[] = {
    {"B", kGameBlack}, {"W", kGameWhite}, {"B2", kGameBlack2}, {"W2", kGameWhite2}};

bool ParseVersion(const std::string& text, VersionConstants& version) {
    for (const NamedVersion& named : kNamedVersions) {
        if (UpperCase(text) == named.name) {
            VersionConstantsSet(version, named.version);
            return true;
        }
    }
    std::vector<std::string> words = SplitList(text);
    if (words.size() == 1) {
        uint32_t word;
        if (!ParseHexStrict(words[0], word)) return false;
        version.versionWord = word;
        version.fiveWordVersion = false;
        return true;
    }
    if (words.size() != 5) return false;
    uint32_t parsed[5];
    for (int i = 0; i < 5; ++i)
        if (!ParseHexStrict(words[static_cast<size_t>(i)], parsed[i])) return false;
    std::memcpy(version.versionWords, parsed, sizeof parsed);
    version.fiveWordVersion = true;
    return true;
}

std::string FormatVersion(const VersionConstants& version) {
    const int game = VersionConstantsGame(version);
    for (const NamedVersion& named : kNamedVersions)
        if (named.version == game) return named.name;
    char text[64];
    const uint32_t* w = version.versionWords;
    if (version.fiveWordVersion)
        std::snprintf(text, sizeof text, "%08X %08X %08X %08X %08X", static_cast<unsigned>(w[0]),
                      static_cast<unsigned>(w[1]), static_cast<unsigned>(w[2]),
                      static_cast<unsigned>(w[3]), static_cast<unsigned>(w[4]));
    else
        std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(version.versionWord));
    return text;
}

bool ParseMac(const std::string& text, uint32_t (&mac)[6]) {
    const std::vector<std::string> parts = SplitList(text, " -:");
    if (parts.size() != 6) return false;
    uint32_t parsed[6];
    for (int i = 0; i < 6; ++i)
        if (!ParseHexStrict(parts[static_cast<size_t>(i)], parsed[i], 2)) return false;
    std::memcpy(mac, parsed, sizeof parsed);
    return true;
}

}  // namespace

bool HexRangeParse(const std::string& text, HexRange& range) {
    size_t dash = text.find('-');
    HexRange parsed{};
    if (dash == std::string::npos) {
        if (!ParseHexStrict(text, parsed.low)) return false;
        parsed.high = parsed.low;
    } else {
        if (!ParseHexStrict(text.substr(0, dash), parsed.low) ||
            !ParseHexStrict(text.substr(dash + 1), parsed.high) || parsed.low > parsed.high)
            return false;
        parsed.isRange = true;
    }
    range = parsed;
    return true;
}

namespace {

std::string Trim(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return std::string();
    size_t end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

}  // namespace

void SettingsRecordInit(SettingsRecord& settings) {
    std::memset(&settings, 0, sizeof settings);
    SearchSettingsInit(settings.search);
}

void SettingsFieldsInitSearch(SearchSettings& settings) {
    for (const SettingsField& f : kFields) {
        if (f.group == kGroupConsole) continue;
        char* at = reinterpret_cast<char*>(&settings) + f.offset;
        for (int i = 0; i < f.count; ++i) {
            switch (f.kind) {
            case kFieldInt: reinterpret_cast<int32_t*>(at)[i] = static_cast<int32_t>(f.initial); break;
            case kFieldUInt16: reinterpret_cast<uint16_t*>(at)[i] = static_cast<uint16_t>(f.initial); break;
            case kFieldBool: reinterpret_cast<bool*>(at)[i] = f.initial != 0; break;
            default: break;  // console kinds only
            }
        }
    }
}

SearchSettings SearchSettingsOfConsole(const SettingsRecord& settings, uint32_t vCount, uint32_t timer0) {
    SearchSettings s = settings.search;
    s.vCount = vCount;
    s.timer0 = timer0;
    const uint32_t* mac = settings.mac;
    s.MacWord7 = SeedMessageMacWord7((mac[0] << 24) | (mac[1] << 16) | (mac[2] << 8) | mac[3],
                                     static_cast<uint32_t>(s.gxStat), static_cast<uint32_t>(s.frame));
    s.MacWord6 = (mac[4] << 8) | mac[5];
    return s;
}

int SettingsFieldCount() { return kFieldTotal; }
const SettingsField& SettingsFieldAt(int index) { return kFields[index]; }

int SettingsFieldFind(const std::string& name) {
    for (int i = 0; i < kFieldTotal; ++i)
        if (name == kFields[i].name) return i;
    return -1;
}

std::string SettingsFieldAccepts(const SettingsField& f) {
    const std::string range = std::to_string(f.low) + ".." + std::to_string(f.high);
    const std::string many = std::to_string(f.count) + " ";
    switch (f.kind) {
    case kFieldInt:
        if (f.count == 1) return f.low == kInt32Min ? "a whole number" : "a whole number " + range;
        return many + "whole numbers " + range + " separated by spaces";
    case kFieldUInt16:
        return "a whole number " + range;
    case kFieldBool:
        if (f.count == 1) return "0, 1, true or false";
        return many + "values 0 or 1 separated by spaces";
    case kFieldHex:
        return "a hexadecimal number up to FFFFFFFF (0x optional)";
    case kFieldHexRange:
        return "a hexadecimal number up to FFFFFFFF or a range such as C79-C7B (0x optional)";
    case kFieldMac:
        return "six hexadecimal bytes separated by spaces, - or : (such as 12-34-56-78-9A-BC)";
    case kFieldVersion:
        return "B, W, B2, W2, or one or five hexadecimal version words";
    }
    return std::string();
}

bool SettingsFieldParse(SettingsRecord& settings, int index, const std::string& rawText,
                        std::string& error) {
    const SettingsField& f = kFields[index];
    const std::string text = Trim(rawText);
    bool ok = false;
    switch (f.kind) {
    case kFieldInt:
    case kFieldUInt16: {
        std::vector<std::string> parts = SplitList(text);
        if (static_cast<int>(parts.size()) != f.count) break;
        std::vector<int64_t> values;
        for (const std::string& part : parts) {
            int64_t v;
            if (!ParseDecimalStrict(part, v) || v < f.low || v > f.high) break;
            values.push_back(v);
        }
        if (static_cast<int>(values.size()) != f.count) break;
        for (int i = 0; i < f.count; ++i) {
            if (f.kind == kFieldInt) FieldAt<int32_t>(settings, f)[i] = static_cast<int32_t>(values[i]);
            else FieldAt<uint16_t>(settings, f)[i] = static_cast<uint16_t>(values[i]);
        }
        ok = true;
        break;
    }
    case kFieldBool: {
        std::vector<std::string> parts = SplitList(text);
        if (static_cast<int>(parts.size()) != f.count) break;
        bool values[16];
        int parsed = 0;
        while (parsed < f.count && ParseBool(parts[static_cast<size_t>(parsed)], values[parsed])) ++parsed;
        if (parsed != f.count) break;
        for (int i = 0; i < f.count; ++i) FieldAt<bool>(settings, f)[i] = values[i];
        ok = true;
        break;
    }
    case kFieldHex: {
        uint32_t v;
        ok = ParseHexStrict(text, v);
        if (ok) *FieldAt<uint64_t>(settings, f) = v;
        break;
    }
    case kFieldHexRange:
        ok = HexRangeParse(text, *FieldAt<HexRange>(settings, f));
        break;
    case kFieldMac:
        ok = ParseMac(text, settings.mac);
        break;
    case kFieldVersion:
        ok = ParseVersion(text, *FieldAt<VersionConstants>(settings, f));
        break;
    }
    if (!ok) error = "expects " + SettingsFieldAccepts(f) + ", not \"" + text + "\"";
    return ok;
}

std::string SettingsFieldFormat(const SettingsRecord& settings, int index) {
    const SettingsField& f = kFields[index];
    std::string text;
    for (int i = 0; i < f.count; ++i) {
        if (i > 0) text += ' ';
        switch (f.kind) {
        case kFieldInt: text += std::to_string(FieldAt<int32_t>(settings, f)[i]); break;
        case kFieldUInt16: text += std::to_string(FieldAt<uint16_t>(settings, f)[i]); break;
        case kFieldBool: text += FieldAt<bool>(settings, f)[i] ? "1" : "0"; break;
        case kFieldHex: text += Hex(static_cast<uint32_t>(*FieldAt<uint64_t>(settings, f))); break;
        case kFieldHexRange: {
            const HexRange& r = *FieldAt<HexRange>(settings, f);
            text += Hex(r.low);
            if (r.isRange) text += "-" + Hex(r.high);
            break;
        }
        case kFieldMac: {
            char byte[16];
            std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned>(settings.mac[i]));
            if (i > 0) text.back() = '-';
            text += byte;
            break;
        }
        case kFieldVersion: text += FormatVersion(*FieldAt<VersionConstants>(settings, f)); break;
        }
    }
    return text;
}

bool SettingsFieldInRange(const SettingsRecord& settings, int index, std::string& error) {
    const SettingsField& f = kFields[index];
    for (int i = 0; i < f.count; ++i) {
        int64_t v;
        switch (f.kind) {
        case kFieldInt: v = FieldAt<int32_t>(settings, f)[i]; break;
        case kFieldUInt16: v = FieldAt<uint16_t>(settings, f)[i]; break;
        case kFieldMac: v = FieldAt<uint32_t>(settings, f)[i]; break;  // config.txt's "-1" is not a byte
        default: continue;  // every value these kinds can hold is accepted
        }
        if (v < f.low || v > f.high) {
            error = std::string(f.name) + " is " + SettingsFieldFormat(settings, index) + "; it takes " +
                    SettingsFieldAccepts(f);
            return false;
        }
    }
    return true;
}

SettingsOrigins SettingsOriginsNone() { return SettingsOrigins(static_cast<size_t>(kFieldTotal)); }

bool SettingsTextRead(const std::string& text, const std::string& path, SettingsRecord& settings,
                      SettingsOrigins& origins, std::string& error) {
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::string where = path + ":" + std::to_string(number);
        size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        line = Trim(line);
        if (line.empty()) continue;
        size_t equals = line.find('=');
        if (equals == std::string::npos) {
            error = where + ": expects a line \"name = value\", not \"" + line + "\"";
            return false;
        }
        const std::string name = Trim(line.substr(0, equals));
        int index = SettingsFieldFind(name);
        if (index < 0) {
            error = where + ": \"" + name + "\" names no setting (the names are the record's, such as startYear or ivMin)";
            return false;
        }
        std::string message;
        if (!SettingsFieldParse(settings, index, line.substr(equals + 1), message)) {
            error = where + ": " + name + " " + message;
            return false;
        }
        origins[static_cast<size_t>(index)] = where;
    }
    return true;
}

std::string SettingsText(const SettingsRecord& settings) {
    std::string text = "# morvane-cli settings: name = value; lists are separated by spaces\n";
    for (int i = 0; i < kFieldTotal; ++i)
        text += std::string(kFields[i].name) + " = " + SettingsFieldFormat(settings, i) + "\n";
    return text;
}

int32_t SettingsFieldInt(const SettingsRecord& settings, int index) {
    return *FieldAt<int32_t>(settings, kFields[index]);
}

int SettingsFieldOfSwitch(bool SearchSettings::*member) {
    static SettingsRecord record;  // only its addresses are compared
    const char* at = reinterpret_cast<const char*>(&(record.search.*member));
    for (int i = 0; i < kFieldTotal; ++i)
        if (kFields[i].kind == kFieldBool && reinterpret_cast<const char*>(&record) + kFields[i].offset == at)
            return i;
    return -1;
}
