#include "cli/SettingsCheck.h"

#include <cstdio>

#include "modes/IndividualValues.h"
#include "seed/SeedWalk.h"

namespace {

constexpr int32_t kLastIvPosition = 618;  // outputs c..c+5 within the 624 of the table

std::string Where(const SettingsOrigins& origins, const char* field) {
    int index = SettingsFieldFind(field);
    const std::string& origin = origins[static_cast<size_t>(index)];
    if (!origin.empty()) return origin;
    return std::string(SettingsFieldAt(index).option) + " (not given)";
}

std::string DateText(int32_t yy, int32_t month, int32_t day) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", 2000 + yy, month, day);
    return text;
}

bool DateBefore(int32_t y, int32_t m, int32_t d, int32_t ey, int32_t em, int32_t ed) {
    if (y != ey) return y < ey;
    if (m != em) return m < em;
    return d < ed;
}

struct OrderedPair {
    const char* first;
    const char* last;
    const char* what;
};

// Ranges whose first value must not lie after their last.
constexpr OrderedPair kOrderedPairs[] = {
    {"startHour", "endHour", "hours"},
    {"startMinute", "endMinute", "minutes"},
    {"startSecond", "endSecond", "seconds"},
    {"ivConsumptionStart", "ivConsumptionEnd", "individual-value positions"},
    {"pidConsumptionStart", "pidConsumptionEnd", "personality-value positions"},
};

int32_t IntField(const SettingsRecord& settings, const char* name) {
    return SettingsFieldInt(settings, SettingsFieldFind(name));
}

}  // namespace

int32_t DaysInMonth(int32_t yy, int32_t month) {
    if (month == 2) return (yy % 4 == 0) ? 29 : 28;  // 2000..2099: every fourth year
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

bool SettingsCheck(const SettingsRecord& settings, const SettingsOrigins& origins, std::string& error) {
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        std::string message;
        if (!SettingsFieldInRange(settings, i, message)) {
            error = Where(origins, SettingsFieldAt(i).name) + ": " + message;
            return false;
        }
    }
    const SearchSettings& s = settings.search;
    if (s.startDay > DaysInMonth(s.startYear, s.startMonth)) {
        error = Where(origins, "startDay") + ": " + DateText(s.startYear, s.startMonth, s.startDay) +
                " is not a date";
        return false;
    }
    if (s.endDay > DaysInMonth(s.endYear, s.endMonth)) {
        error = Where(origins, "endDay") + ": " + DateText(s.endYear, s.endMonth, s.endDay) + " is not a date";
        return false;
    }
    if (DateBefore(s.endYear, s.endMonth, s.endDay, s.startYear, s.startMonth, s.startDay)) {
        error = Where(origins, "endDay") + ": the last date " + DateText(s.endYear, s.endMonth, s.endDay) +
                " lies before the first date " + DateText(s.startYear, s.startMonth, s.startDay);
        return false;
    }
    for (const OrderedPair& pair : kOrderedPairs) {
        int32_t first = IntField(settings, pair.first);
        int32_t last = IntField(settings, pair.last);
        if (first > last) {
            error = Where(origins, pair.last) + ": the " + pair.what + " run from " + std::to_string(first) +
                    " to " + std::to_string(last) + "; the first must not lie after the last";
            return false;
        }
    }
    int32_t ivLast = s.roamerEnabled ? kLastIvPosition - 1 : kLastIvPosition;
    if (s.ivConsumptionEnd > ivLast) {
        error = Where(origins, "ivConsumptionEnd") + ": the last individual-value position is " +
                std::to_string(s.ivConsumptionEnd) + "; with the roamer layout it takes 0.." +
                std::to_string(ivLast);
        return false;
    }
    for (int i = 0; i < 6; ++i) {
        if (s.ivMin[i] > s.ivMax[i]) {
            error = Where(origins, "ivMin") + ": the lower bound of " + StatNames[i] + " (" +
                    std::to_string(s.ivMin[i]) + ") lies above its upper bound (" +
                    std::to_string(s.ivMax[i]) + ")";
            return false;
        }
    }
    return true;
}

uint64_t WalkCandidateCount(const SearchSettings& s) {
    uint64_t masks = 1;
    if (s.keyInputEnabled) {
        masks = 0;
        for (uint32_t mask = 0; mask <= 1023u; ++mask) masks += KeyMaskAllowed(s, mask) ? 1 : 0;
    }
    auto span = [](int32_t first, int32_t last) -> uint64_t {
        return last < first ? 0 : static_cast<uint64_t>(last - first) + 1;
    };
    uint64_t seconds = span(s.startHour, s.endHour) * span(s.startMinute, s.endMinute) *
                       span(s.startSecond, s.endSecond);
    // The walk's own day count: the first day always, then every day up to the
    // last date. A century of days bounds it whatever the dates are.
    uint64_t days = 0;
    int32_t y = s.startYear, m = s.startMonth, d = s.startDay;
    do {
        ++days;
        SearchAdvanceDate(y, m, d);
    } while (!DateBefore(s.endYear, s.endMonth, s.endDay, y, m, d) && days < 100 * 366);
    return days * seconds * masks;
}

uint64_t SearchCandidateCount(const SettingsRecord& settings) {
    uint64_t walks = (static_cast<uint64_t>(settings.vCount.high) - settings.vCount.low + 1) *
                     (static_cast<uint64_t>(settings.timer0.high) - settings.timer0.low + 1);
    return walks * WalkCandidateCount(settings.search);
}
