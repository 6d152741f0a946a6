// The whole search on a record holding anything: every field, every mode,
// the edges of the 32-bit range and impossible dates. The walk is kept to a
// handful of candidates (the end of each time range a step or two from its
// start, at most two keys usable, an abort once a fourth day begins) while
// the values stay extreme. Through the headless driver on the plain path and
// on every batch engine this processor runs: the search must end, write one
// row for every match it counts, and every engine must write the plain
// path's bytes.
#include <cstddef>
#include <cstdint>

#include "engine/SearchEngine.h"
#include "fuzz/fuzz_support.h"
#include "engine/SeedSearch.h"
#include "seed/WindowSystem.h"

namespace {

constexpr int kDaysWalked = 3;
constexpr int kUsableKeys = 2;
// Candidates times the positions each one evaluates; inputs above it are
// left out of the corpus, so the fuzzer spends its time on many small walks.
constexpr int64_t kWorkBudget = 400000;

// A time range a step or two long, or one running backwards, wherever it starts.
void ShortRange(FuzzedDataProvider& in, int32_t start, int32_t& end) {
    end = FuzzSaturatedAdd(start, in.ConsumeIntegralInRange<int>(-1, 2));
}

int64_t Span(int64_t start, int64_t end) { return end >= start ? end - start + 1 : 0; }

int64_t Clamp(int64_t v, int64_t low, int64_t high) { return v < low ? low : v > high ? high : v; }

// Roughly what one candidate costs the plain path, in table reads.
int64_t CandidateWork(const SearchSettings& s) {
    const int64_t pidEnd = Clamp(s.pidConsumptionEnd, INT32_MIN, 2800);
    const int64_t pidSpan = Span(Clamp(s.pidConsumptionStart, 0, INT32_MAX), pidEnd);
    const int64_t ivSpan = Span(Clamp(s.ivConsumptionStart, 0, INT32_MAX),
                                Clamp(s.ivConsumptionEnd, INT32_MIN, 623));
    const int64_t fill = Clamp(pidEnd, 0, 2800) + 30 +
                         (s.deliveryEnabled ? Clamp(s.deliveryNatureOffset, 0, 65535) : 0);
    if (s.grottoEnabled || s.domeEnabled || s.cometEnabled || s.deliveryEnabled)
        return 624 + fill + 8 * pidSpan;
    if (s.breedingEnabled || s.shinyPidEnabled) return 624 + fill + ivSpan * (1 + 4 * pidSpan);
    return 624 + ivSpan;
}

struct DayLimit {
    bool* running;
    int days;
    std::string lastDate;  // the title up to its first '.', the day it shows
};

void CountDays(HeadlessWindow&, const char* title, void* context) {
    DayLimit& limit = *static_cast<DayLimit*>(context);
    const char* dot = std::strchr(title, '.');
    if (!dot) return;  // the closing title
    std::string date(title, dot);
    if (date == limit.lastDate) return;  // the same day with a grown count
    limit.lastDate = date;
    if (++limit.days > kDaysWalked) *limit.running = false;
}

struct SearchOutcome {
    int32_t count;
    std::string bytes;
};

SearchOutcome Search(const SearchSettings& s, const SearchEngine* engine, const std::string& path) {
    HeadlessWindow window;
    HeadlessWindowInit(window);
    window.fakeStep = 1;  // a clock that moves the same for every engine
    bool running = true;
    DayLimit limit{&running, 0, std::string()};
    window.onTitle = CountDays;
    window.hookContext = &limit;
    SearchOptions options{path.c_str(), engine};
    SearchOutcome outcome;
    outcome.count = RunSearch(s, running, HeadlessWindowSystem(window), options);
    outcome.bytes = FuzzReadFile(path);
    return outcome;
}

int64_t RowsIn(const std::string& bytes) {
    int64_t lines = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++lines;
    return lines - 1;  // the header
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    SearchSettings s;
    FuzzSettings(in, s);
    ShortRange(in, s.startHour, s.endHour);
    ShortRange(in, s.startMinute, s.endMinute);
    ShortRange(in, s.startSecond, s.endSecond);
    if (in.ConsumeBool()) {  // the end date as often the start's as anything
        s.endYear = s.startYear;
        s.endMonth = s.startMonth;
        s.endDay = s.startDay;
    }
    int usable = 0;
    for (bool& key : s.usableKeys) key = key && ++usable <= kUsableKeys;
    if (in.ConsumeBool()) ShortRange(in, s.pidConsumptionStart, s.pidConsumptionEnd);
    if (in.ConsumeBool()) ShortRange(in, s.ivConsumptionStart, s.ivConsumptionEnd);

    const int64_t seconds = Span(s.startHour, s.endHour) * Span(s.startMinute, s.endMinute) *
                            Span(s.startSecond, s.endSecond);
    const int64_t masks = s.keyInputEnabled ? int64_t{1} << kUsableKeys : 1;
    if (kDaysWalked * seconds * masks * CandidateWork(s) > kWorkBudget) return -1;

    const std::string plainPath = FuzzScratchPath("plain.txt");
    const SearchOutcome plain = Search(s, &kPlainEngine, plainPath);
    FUZZ_CHECK(plain.count == RowsIn(plain.bytes));
    for (int32_t i = 0; i < SearchEngineCount(); ++i) {
        const SearchEngineEntry entry = SearchEngineAt(i);
        if (!entry.supported) continue;
        const SearchOutcome batch = Search(s, entry.engine, FuzzScratchPath("batch.txt"));
        FUZZ_CHECK(batch.count == plain.count);
        FUZZ_CHECK(batch.bytes == plain.bytes);
    }
    return 0;
}
