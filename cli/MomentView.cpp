#include "cli/MomentView.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

#include "cli/SettingsCheck.h"
#include "modes/Grotto.h"
#include "modes/SearchModes.h"
#include "seed/RandomStreams.h"
#include "seed/SeedMessage.h"

namespace {

// The names --held takes for each KeyMask bit, bit 0 first, in any case; the
// second is another name for the same key.
constexpr const char* kHeldNames[10][2] = {
    {"A", nullptr},  {"B", nullptr},    {"Se", "Select"}, {"St", "Start"}, {"Right", nullptr},
    {"Left", nullptr}, {"Up", nullptr}, {"Down", nullptr}, {"R", nullptr},  {"L", nullptr},
};

constexpr int32_t kOpenPowerMinimum = 0;  // every power passes (30 is the least)

bool Digits(const std::string& text, size_t at, size_t count, int32_t& value) {
    if (at + count > text.size()) return false;
    value = 0;
    for (size_t i = at; i < at + count; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void CollectRows(void* context, const char* bytes, size_t length) {
    static_cast<std::string*>(context)->append(bytes, length);
}

void WriteLine(ResultOutput& out, const std::string& line) {
    const std::string text = line + "\r\n";
    ResultOutputWrite(out, text.data(), text.size());
}

}  // namespace

bool MomentViewParseAt(const std::string& text, CandidateMoment& moment, std::string& error) {
    // YYYY-MM-DDTHH:MM:SS
    int32_t year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    const bool shaped = text.size() == 19 && text[4] == '-' && text[7] == '-' && (text[10] == 'T' || text[10] == 't') &&
                        text[13] == ':' && text[16] == ':' && Digits(text, 0, 4, year) && Digits(text, 5, 2, month) &&
                        Digits(text, 8, 2, day) && Digits(text, 11, 2, hour) && Digits(text, 14, 2, minute) &&
                        Digits(text, 17, 2, second);
    const int32_t yy = year - 2000;
    if (!shaped || yy < 0 || yy > 99 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(yy, month) ||
        hour > 23 || minute > 59 || second > 59) {
        error = "expects a moment YYYY-MM-DDTHH:MM:SS of 2000..2099 (such as 2012-11-29T14:58:21), not \"" + text +
                "\"";
        return false;
    }
    moment = CandidateMoment{yy, month, day, WeekdayOf(yy, month, day), hour, minute, second, kKeyMaskNone};
    return true;
}

std::string MomentViewMomentText(const CandidateMoment& m) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", 2000 + m.year, m.month, m.day, m.hour,
                  m.minute, m.second);
    return text;
}

bool MomentViewParseHeld(const std::string& text, uint32_t& keyMask, std::string& error) {
    uint32_t mask = kKeyMaskNone;
    std::string word;
    for (size_t at = 0; at <= text.size(); ++at) {
        if (at < text.size() && text[at] != ' ' && text[at] != ',') {
            word += text[at];
            continue;
        }
        if (word.empty()) continue;
        int bit = -1;
        for (int i = 0; i < 10; ++i)
            for (const char* name : kHeldNames[i])
                if (name && Lower(word) == Lower(name)) bit = i;
        if (bit < 0) {
            error = "expects key names separated by spaces, of A B Se St Right Left Up Down R L, not \"" + word +
                    "\"";
            return false;
        }
        mask &= ~(1u << bit);
        word.clear();
    }
    keyMask = mask;
    return true;
}

bool MomentViewParseSeed(const std::string& text, uint64_t& seed, std::string& error) {
    uint64_t value = 0;
    bool ok = text.size() == 16;
    for (size_t i = 0; ok && i < text.size(); ++i) {
        const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        ok = std::isxdigit(static_cast<unsigned char>(c)) != 0;
        value = value * 16 + static_cast<uint64_t>(c <= '9' ? c - '0' : c - 'a' + 10);
    }
    if (!ok) {
        error = "expects an initial seed of 16 hexadecimal digits (such as 6266D11A5ECD9A72), not \"" + text + "\"";
        return false;
    }
    seed = value;
    return true;
}

std::string MomentViewHeldText(uint32_t keyMask) {
    std::string text;
    for (int i = 0; i < 10; ++i)
        if (((keyMask >> i) & 1u) == 0) text += (text.empty() ? "" : " ") + std::string(kHeldNames[i][0]);
    return text;
}

void MomentViewSettle(SettingsRecord& settings, const MomentViewRequest& request) {
    SearchSettings& s = settings.search;
    const CandidateMoment& m = request.moment;
    s.startYear = s.endYear = m.year;
    s.startMonth = s.endMonth = m.month;
    s.startDay = s.endDay = m.day;
    s.startHour = s.endHour = m.hour;
    s.startMinute = s.endMinute = m.minute;
    s.startSecond = s.endSecond = m.second;
    s.keyInputEnabled = request.heldGiven;
}

SearchSettings MomentViewOpened(const SearchSettings& settings, SearchMode mode, int32_t grottoKind) {
    SearchSettings s = settings;
    SearchModeSelect(s, mode);
    for (int i = 0; i < 6; ++i) {
        s.ivMin[i] = 0;
        s.ivMax[i] = 31;
    }
    s.hiddenPowerType = -1;
    s.hiddenPowerMinimum = kOpenPowerMinimum;
    s.shinyNature = 0;
    s.breedingNature = -1;
    s.breedingAbility = 0;
    s.breedingGender = 0;
    s.deliveryNature = 0;
    s.deliveryShinyMethod = 0;
    for (int32_t& trainer : s.domeTrainers) trainer = 0;
    s.grottoKind = grottoKind;
    s.grottoFemaleRatio = 0;
    for (bool& slot : s.grottoSlots) slot = true;
    return s;
}

std::string MomentViewModeRows(const SearchSettings& opened, const CandidateMoment& moment, uint64_t seed) {
    std::string rows;
    SearchRun run;
    SearchRunInit(run, opened);
    run.sink = CollectRows;
    run.sinkContext = &rows;
    ResultWriteHeader(run);
    // The streams as the search fills them for this candidate.
    MtTableFill(run.mt, seed);
    const int32_t n = SearchRunLcgCount(run);
    if (n >= 0) LcgStreamFill(run.lcg, seed, n);
    EvaluateCandidate(run, moment, seed);
    SearchRunRelease(run);
    return rows;
}

void MomentViewWrite(const SettingsRecord& settings, const MomentViewRequest& request, ResultOutput& out) {
    const SearchSettings s = SearchSettingsOfConsole(settings, settings.vCount.low, settings.timer0.low);
    uint64_t seed = request.seed;
    char text[160];
    if (!request.seedGiven) {
        const SeedMessage message = SeedMessageBuild(SeedMessagePrefixOf(StartupParametersOf(s)), request.moment,
                                                     s.threeDsMode);
        seed = InitialSeedOf(message);
        std::string words = "message";
        for (int i = 0; i < 16; ++i) {
            std::snprintf(text, sizeof text, ",%08X", static_cast<unsigned>(message.w[i]));
            words += text;
        }
        WriteLine(out, words);
    }
    std::snprintf(text, sizeof text, "初期seed,%08X%08X", static_cast<unsigned>(seed >> 32),
                  static_cast<unsigned>(seed));
    WriteLine(out, text);
    // The simplest mode first, as --mode lists them.
    for (int32_t m = kSearchModeCount - 1; m >= 0; --m) {
        const SearchModeEntry& mode = kSearchModes[m];
        // The grotto's kind cannot be opened: one table per kind entry.
        const int32_t kinds = mode.mode == kModeGrotto ? kGrottoKindCount : 1;
        for (int32_t kind = 0; kind < kinds; ++kind) {
            std::string title = std::string("[") + mode.name;
            if (mode.mode == kModeGrotto) title += std::string(" ") + GrottoKindNames[kind];
            WriteLine(out, title + "]");
            const std::string rows = MomentViewModeRows(MomentViewOpened(s, mode.mode, kind), request.moment, seed);
            ResultOutputWrite(out, rows.data(), rows.size());
        }
    }
}
