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
    SearchSize size;
    if (!SearchSizeOf(settings, size)) {
        error = Where(origins, "timer0") + ": " + std::to_string(uint64_t{settings.vCount.high} - settings.vCount.low + 1) +
                " VCount and " + std::to_string(uint64_t{settings.timer0.high} - settings.timer0.low + 1) +
                " Timer0 values over these dates make more candidates than can be counted "
                "(18446744073709551615 at most); narrow the ranges";
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

namespace {

// A century of days bounds the walk whatever the dates are.
constexpr uint64_t kMostDays = 100 * 366;

uint64_t MasksPerSecond(const SearchSettings& s) {
    return static_cast<uint64_t>(KeyMasksPerSecond(s.keyInputEnabled, KeyPatternViewOf(s)));
}

}  // namespace

uint64_t WalkCandidateCount(const SearchSettings& s) {
    const WalkRange range = WalkRangeOf(s);
    return WalkSecondsPerDay(range) * WalkDayCount(range, kMostDays) * MasksPerSecond(s);
}

bool SearchSizeOf(const SettingsRecord& settings, SearchSize& size) {
    const WalkRange range = WalkRangeOf(settings.search);
    size.consoleSeconds = WalkSecondsPerDay(range) * WalkDayCount(range, kMostDays);
    size.masks = MasksPerSecond(settings.search);
    const uint64_t vCounts = uint64_t{settings.vCount.high} - settings.vCount.low + 1;
    const uint64_t timer0s = uint64_t{settings.timer0.high} - settings.timer0.low + 1;
    // Each factor fits; their products are checked.
    return !__builtin_mul_overflow(vCounts, timer0s, &size.consoles) &&
           !__builtin_mul_overflow(size.consoles, size.consoleSeconds, &size.seconds) &&
           !__builtin_mul_overflow(size.seconds, size.masks, &size.candidates);
}
