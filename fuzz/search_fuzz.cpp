// The whole search on a record holding anything: every field, every mode,
// the edges of the 32-bit range and impossible dates. The walk is kept to a
// handful of candidates (the end of each time range a step or two from its
// start, at most two keys usable, an abort once a fourth day begins) while
// the values stay extreme. Through the headless driver on the plain path and
// on a batch engine this processor runs, the input choosing which (every
// search sets up its engine's buffers anew, which costs more than a small
// walk, so one engine per input lets the fuzzer try more inputs): the search
// must end, write one row for every match it counts, and the engine must
// write the plain path's bytes.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/SearchEngine.h"
#include "modes/SearchModes.h"
#include "fuzz/fuzz_support.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"

namespace {

constexpr int kDaysWalked = 3;
constexpr int kUsableKeys = 2;
// Candidates times the positions each one evaluates; inputs above it are
// left out of the corpus, so the fuzzer spends its time on many small walks.
constexpr int64_t kWorkBudget = 200000;

// How far the end of a range lies from its start: a byte's value modulo 4,
// less one (-1 runs backwards).
int32_t EndNear(int32_t start, uint8_t step) { return FuzzSaturatedAdd(start, step % 4 - 1); }

// The input: an engine, a record, and how the walk is kept short.
struct SearchInput {
    uint8_t engine;  // modulo the engines this processor runs
    SearchSettings settings;
    uint8_t hourStep, minuteStep, secondStep;  // the ends of the time ranges, by EndNear
    bool endDateIsStart;                       // else the end date as the record has it
    bool pidNear, ivNear;                      // the consumption ends near their starts
    uint8_t pidStep, ivStep;
};

template <typename Stream>
void SearchInputFields(Stream& io, SearchInput& input) {
    FuzzBytesOf(io, input.engine);
    FuzzSettingsFields(io, input.settings);
    for (uint8_t* step : {&input.hourStep, &input.minuteStep, &input.secondStep, &input.pidStep,
                          &input.ivStep})
        FuzzBytesOf(io, *step);
    FuzzField(io, input.endDateIsStart);
    FuzzField(io, input.pidNear);
    FuzzField(io, input.ivNear);
}

// The record the search runs on: every time range a step or two long (or
// backwards) wherever it starts, at most two keys usable.
SearchSettings WalkedSettings(const SearchInput& input) {
    SearchSettings s = input.settings;
    s.endHour = EndNear(s.startHour, input.hourStep);
    s.endMinute = EndNear(s.startMinute, input.minuteStep);
    s.endSecond = EndNear(s.startSecond, input.secondStep);
    if (input.endDateIsStart) {
        s.endYear = s.startYear;
        s.endMonth = s.startMonth;
        s.endDay = s.startDay;
    }
    int usable = 0;
    for (bool& key : s.usableKeys) key = key && ++usable <= kUsableKeys;
    if (input.pidNear) s.pidConsumptionEnd = EndNear(s.pidConsumptionStart, input.pidStep);
    if (input.ivNear) s.ivConsumptionEnd = EndNear(s.ivConsumptionStart, input.ivStep);
    return s;
}

int64_t Span(int64_t start, int64_t end) { return end >= start ? end - start + 1 : 0; }

int64_t Clamp(int64_t v, int64_t low, int64_t high) { return v < low ? low : v > high ? high : v; }

// Roughly what one candidate costs the plain path, in table reads.
int64_t CandidateWork(const SearchSettings& s) {
    const int64_t pidEnd = Clamp(s.pidConsumptionEnd, INT32_MIN, 2800);
    const int64_t pidSpan = Span(Clamp(s.pidConsumptionStart, 0, INT32_MAX), pidEnd);
    const int64_t ivSpan = Span(Clamp(s.ivConsumptionStart, 0, INT32_MAX),
                                Clamp(s.ivConsumptionEnd, INT32_MIN, 618));
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
    HeadlessProgress last;  // the day of the last progress report
};

void CountDays(HeadlessWindow&, const HeadlessProgress& progress, void* context) {
    DayLimit& limit = *static_cast<DayLimit*>(context);
    if (limit.days > 0 && progress.year == limit.last.year && progress.month == limit.last.month &&
        progress.day == limit.last.day)
        return;  // the same day with a grown count
    limit.last = progress;
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
    DayLimit limit{&running, 0, HeadlessProgress{}};
    window.onProgress = CountDays;
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

void WriteSeed(const std::string& name, SearchInput input) {
    FuzzWriter seed;
    SearchInputFields(seed, input);
    FuzzWriteSeed(name.c_str(), seed);
}

// The worked example's moment in every mode, with and without key input;
// then edges: the last representable day, hour and year, the century of
// empty days, consumption ranges far outside the tables, a delivery nature
// beyond the draw window and the delivery defaults, natures at INT_MIN.
void WriteSeeds() {
    SearchInput example{};
    example.settings = ExampleSearchSettings();
    example.hourStep = example.minuteStep = example.secondStep = 1;  // start = end
    example.endDateIsStart = true;
    uint8_t engine = 0;
    for (int32_t m = kSearchModeCount - 1; m >= 0; --m) {
        const SearchModeEntry& mode = kSearchModes[m];
        for (bool keys : {false, true}) {
            SearchInput input = example;
            input.engine = engine++;
            SearchModeSelect(input.settings, mode.mode);
            input.settings.keyInputEnabled = keys;
            WriteSeed(std::string(mode.name) + (keys ? "-keys" : ""), input);
        }
    }

    SearchInput edge = example;
    edge.settings.deliveryEnabled = true;
    edge.settings.startYear = edge.settings.endYear = INT32_MAX;
    edge.settings.startMonth = 12;
    edge.settings.startDay = INT32_MAX;
    edge.settings.startHour = INT32_MAX;
    edge.settings.startMinute = INT32_MIN;
    edge.settings.deliveryNature = INT32_MIN;
    edge.endDateIsStart = false;
    edge.settings.endMonth = edge.settings.endDay = INT32_MAX;
    edge.hourStep = 3;
    WriteSeed("last-day-and-hour", edge);

    SearchInput century = example;
    century.settings.startYear = 0, century.settings.startMonth = 1, century.settings.startDay = 1;
    century.settings.endYear = 99, century.settings.endMonth = 12, century.settings.endDay = 31;
    century.settings.startHour = 5;
    century.hourStep = 0;  // hours 5 to 4: nothing
    century.endDateIsStart = false;
    WriteSeed("century-of-empty-days", century);

    SearchInput far = example;
    far.engine = 1;
    far.settings.shinyPidEnabled = true;
    far.settings.shinyEncounter = 2;
    far.settings.shinyNature = INT32_MIN;
    far.settings.pidConsumptionStart = INT32_MIN;
    far.settings.pidConsumptionEnd = INT32_MAX;
    far.settings.ivConsumptionStart = 616;
    far.settings.ivConsumptionEnd = INT32_MAX;
    WriteSeed("ranges-past-the-tables", far);

    for (int32_t offset : {10, 70000, -4}) {
        SearchInput delivery = example;
        delivery.engine = static_cast<uint8_t>(offset & 3);
        delivery.settings.deliveryEnabled = true;
        delivery.settings.deliveryNatureOffset = offset;
        delivery.settings.deliveryShinyMethod = offset == 10 ? 0 : 1;
        delivery.settings.pidConsumptionStart = 0;
        WriteSeed("delivery-offset-" + std::to_string(offset), delivery);
    }
}

// Inputs that ran both searches and inputs left out over the work budget,
// said at exit, so a campaign's count of executions can be read honestly.
uint64_t g_searched = 0, g_overBudget = 0;

void SayCounts() {
    std::fprintf(stderr, "search fuzz: %llu inputs searched, %llu over the work budget\n",
                 static_cast<unsigned long long>(g_searched),
                 static_cast<unsigned long long>(g_overBudget));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSeedsIfAsked(WriteSeeds);
    std::atexit(SayCounts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<SearchEngineEntry> engines = FuzzSupportedEngines();
    FuzzReader in{data, size, 0};
    SearchInput input{};
    SearchSettingsInit(input.settings);
    SearchInputFields(in, input);
    const SearchSettings s = WalkedSettings(input);
    const SearchEngine* engine = engines[input.engine % engines.size()].engine;

    const int64_t seconds = Span(s.startHour, s.endHour) * Span(s.startMinute, s.endMinute) *
                            Span(s.startSecond, s.endSecond);
    const int64_t masks = s.keyInputEnabled ? int64_t{1} << kUsableKeys : 1;
    const int64_t days = input.endDateIsStart ? 1 : kDaysWalked;
    if (days * seconds * masks * CandidateWork(s) > kWorkBudget) {
        ++g_overBudget;
        return -1;
    }
    ++g_searched;

    const SearchOutcome plain = Search(s, &kPlainEngine, FuzzScratchPath("plain.txt"));
    FUZZ_CHECK(plain.count == RowsIn(plain.bytes));
    const SearchOutcome batch = Search(s, engine, FuzzScratchPath("batch.txt"));
    FUZZ_CHECK(batch.count == plain.count);
    FUZZ_CHECK(batch.bytes == plain.bytes);
    return 0;
}
