#include "seed/SeedSearch.h"

#include <vector>

#include "modes/ModeDispatch.h"
#include "modes/ResultFile.h"

const char kMainWindowTitle[] = "Morvane ver2.01c";

// The window system is looked at no more often than this while candidates
// are evaluated, and a grown count is shown no more often than the second.
constexpr uint64_t kPumpIntervalMillis = 10;
constexpr uint64_t kTitleIntervalMillis = 100;
// A batch that took longer than this halves the next ones, and one quicker
// than the second doubles them again, up to the engine's size: a search whose
// settings write many rows per candidate still pumps every few milliseconds.
constexpr uint64_t kSlowBatchMillis = 20;
constexpr uint64_t kQuickBatchMillis = 5;

SearchMode SearchModeOf(const SearchSettings& s) {
    if (s.grottoEnabled) return kModeGrotto;
    if (s.domeEnabled) return kModeDome;
    if (s.cometEnabled) return kModeComet;
    if (s.deliveryEnabled) return kModeDelivery;
    if (s.breedingEnabled) return kModeBreeding;
    if (s.shinyPidEnabled) return kModeShiny;
    return kModeIv;
}

int32_t SearchRunIvStart(const SearchRun& run) {
    int32_t start = run.settings->ivConsumptionStart;
    return start < 0 ? 0 : start;
}

int32_t SearchRunIvEnd(const SearchRun& run) {
    int32_t end = run.settings->ivConsumptionEnd;
    int32_t limit = run.settings->roamerEnabled ? kMtSize - 7 : kMtSize - 6;
    return end > limit ? limit : end;
}

int32_t SearchRunDeliveryOffset(const SearchRun& run) {
    int32_t p = run.settings->deliveryNatureOffset;
    if (p < 0) return 0;
    return p > kDeliveryNatureOffsetLimit ? kDeliveryNatureOffsetLimit : p;
}

int32_t SearchRunLcgCount(const SearchRun& run) {
    switch (run.mode) {
    case kModeGrotto:
    case kModeDome:
    case kModeComet:
    case kModeBreeding:
    case kModeShiny:
        return run.pidEnd + 30;
    case kModeDelivery:
        return SearchRunDeliveryOffset(run) + run.pidEnd + 3;
    case kModeIv:
        break;
    }
    return -1;
}

void SearchEvaluateCandidatePlain(SearchRun& run, const CandidateMoment& moment) {
    SeedMessage message = SeedMessageBuild(run.prefix, moment, run.settings->threeDsMode);
    uint64_t seed = InitialSeedOf(message);
    MtTableFill(run.mt, seed);
    int32_t n = SearchRunLcgCount(run);
    if (n >= 0) LcgStreamFill(run.lcg, seed, n);
    EvaluateCandidate(run, moment, seed);
}

static void PlainEvaluateBatch(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    for (int32_t i = 0; i < count; ++i) SearchEvaluateCandidatePlain(run, moments[i]);
}

const SearchEngine kPlainEngine = {"plain", 1, PlainEvaluateBatch};

bool KeyMaskAllowed(const SearchSettings& s, uint32_t keyMask) {
    for (int i = 0; i < 10; ++i)
        if (!s.usableKeys[i] && ((keyMask >> i) & 1u) == 0) return false;
    if (s.excludeOppositeAndReset) {
        auto pressed = [keyMask](int bit) { return ((keyMask >> bit) & 1u) == 0; };
        if (pressed(4) && pressed(5)) return false;
        if (pressed(6) && pressed(7)) return false;
        if (pressed(2) && pressed(3) && pressed(8) && pressed(9)) return false;
    }
    return true;
}

static int32_t WalkMonthLength(int32_t month) {
    if (month == 2) return 28;
    if (month == 4 || month == 6 || month == 9 || month == 11) return 30;
    return 31;
}

void SearchAdvanceDate(int32_t& year, int32_t& month, int32_t& day) {
    ++day;
    if (day > WalkMonthLength(month)) {
        day = 1;
        ++month;
        if (month >= 13) {
            month = 1;
            ++year;
        }
    }
}

static bool DateAfter(int32_t y, int32_t m, int32_t d, int32_t ey, int32_t em, int32_t ed) {
    if (y != ey) return y > ey;
    if (m != em) return m > em;
    return d > ed;
}

void SearchProgressText(char* buffer, int32_t year, int32_t month, int32_t day, int32_t count) {
    std::snprintf(buffer, 256, "%d年%d月%d日計算中...(候補%d個)", year, month, day, count);
}

namespace {

// Walk state that the batch boundaries share.
struct Walk {
    SearchRun* run;
    const WindowSystem* window;
    bool* running;
    std::vector<CandidateMoment> batch;
    int32_t batchCount;
    int32_t batchLimit;  // candidates per batch now, 1..batch.size()
    bool stopped;
    bool pumpedOnce;
    uint64_t lastPump;
    uint64_t lastTitle;
    int32_t shownCount;
    int32_t year, month, day;  // the current day, for the progress text
};

void ShowProgress(Walk& walk, uint64_t now) {
    char text[256];
    SearchProgressText(text, walk.year, walk.month, walk.day, walk.run->candidateCount);
    walk.window->setTitle(walk.window->context, text);
    walk.shownCount = walk.run->candidateCount;
    walk.lastTitle = now;
}

// Abort check, pump and progress before the batch, then its evaluation.
void FlushBatch(Walk& walk) {
    if (walk.batchCount == 0 || walk.stopped) return;
    const WindowSystem& ws = *walk.window;
    if (!*walk.running || ws.quitRequested(ws.context)) {
        walk.stopped = true;
        return;
    }
    uint64_t now = ws.nowMillis(ws.context);
    if (!walk.pumpedOnce || now - walk.lastPump >= kPumpIntervalMillis) {
        ws.pump(ws.context);
        walk.pumpedOnce = true;
        now = ws.nowMillis(ws.context);
        walk.lastPump = now;
    }
    if (walk.run->candidateCount > walk.shownCount && now - walk.lastTitle >= kTitleIntervalMillis)
        ShowProgress(walk, now);
    walk.run->engine->evaluateBatch(*walk.run, walk.batch.data(), walk.batchCount);
    uint64_t took = ws.nowMillis(ws.context) - now;
    const int32_t largest = static_cast<int32_t>(walk.batch.size());
    if (took >= kSlowBatchMillis && walk.batchLimit > 1)
        walk.batchLimit /= 2;
    else if (took < kQuickBatchMillis && walk.batchLimit < largest)
        walk.batchLimit = walk.batchLimit * 2 > largest ? largest : walk.batchLimit * 2;
    walk.batchCount = 0;
}

void AddCandidate(Walk& walk, const CandidateMoment& moment) {
    walk.batch[static_cast<size_t>(walk.batchCount++)] = moment;
    if (walk.batchCount >= walk.batchLimit) FlushBatch(walk);
}

}  // namespace

int32_t RunSearch(const SearchSettings& settings, bool& running, const WindowSystem& window,
                  const SearchOptions& options) {
    SearchRun run{};
    run.settings = &settings;
    run.mode = SearchModeOf(settings);
    run.pidEnd = settings.pidConsumptionEnd > kPidConsumptionEndLimit ? kPidConsumptionEndLimit
                                                                      : settings.pidConsumptionEnd;
    run.prefix = SeedMessagePrefixOf(settings);
    run.engine = options.engine ? options.engine : &kPlainEngine;
    run.candidateCount = 0;
    LcgStreamInit(run.lcg, kLcgCapacity);
    run.resultFile = ResultFileBegin(options.resultPath, run.mode, settings.keyInputEnabled);

    int32_t batchSize = run.engine->batchSize;
    if (batchSize < 1) batchSize = 1;
    if (batchSize > kSearchMaxBatch) batchSize = kSearchMaxBatch;

    Walk walk{};
    walk.run = &run;
    walk.window = &window;
    walk.running = &running;
    walk.batch.resize(static_cast<size_t>(batchSize));
    walk.batchLimit = batchSize;
    walk.year = settings.startYear;
    walk.month = settings.startMonth;
    walk.day = settings.startDay;

    const uint32_t firstMask = settings.keyInputEnabled ? 0u : 1023u;
    while (!walk.stopped) {
        ShowProgress(walk, window.nowMillis(window.context));
        CandidateMoment moment{};
        moment.year = walk.year;
        moment.month = walk.month;
        moment.day = walk.day;
        moment.weekday = WeekdayOf(walk.year, walk.month, walk.day);
        for (int32_t h = settings.startHour; h <= settings.endHour && !walk.stopped; ++h) {
            moment.hour = h;
            for (int32_t m = settings.startMinute; m <= settings.endMinute && !walk.stopped; ++m) {
                moment.minute = m;
                for (int32_t s = settings.startSecond; s <= settings.endSecond && !walk.stopped;
                     ++s) {
                    moment.second = s;
                    for (uint32_t mask = firstMask; mask <= 1023u && !walk.stopped; ++mask) {
                        if (settings.keyInputEnabled && !KeyMaskAllowed(settings, mask)) continue;
                        moment.keyMask = mask;
                        AddCandidate(walk, moment);
                    }
                }
            }
        }
        FlushBatch(walk);
        if (walk.stopped) break;
        SearchAdvanceDate(walk.year, walk.month, walk.day);
        if (DateAfter(walk.year, walk.month, walk.day, settings.endYear, settings.endMonth,
                      settings.endDay))
            break;
    }

    if (run.engineScratchFree) run.engineScratchFree(run.engineScratch);
    if (run.resultFile) {
        std::fclose(run.resultFile);
        if (!window.quitRequested(window.context)) window.shellOpen(window.context, options.resultPath);
    }
    window.setTitle(window.context, kMainWindowTitle);
    return run.candidateCount;
}
