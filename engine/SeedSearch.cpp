#include "engine/SeedSearch.h"

#include <cstdio>

#include "modes/ResultFile.h"
#include "modes/SearchModes.h"

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

void SearchEvaluateChunk(SearchRun& run, const SearchEngine& engine,
                         const CandidateMoment* moments, int32_t count) {
    if (count > 0) engine.evaluateBatch(run, moments, count);
    SearchRunFlush(run);
}

namespace {

// What the walk's hooks reach: the run, its engine and the window.
struct SearchWalk {
    SearchRun* run;
    const SearchEngine* engine;
    const WindowSystem* window;
    bool* running;
};

SearchWalk& WalkOf(void* context) { return *static_cast<SearchWalk*>(context); }

void WalkEvaluate(void* context, const CandidateMoment* moments, int32_t count) {
    SearchWalk& w = WalkOf(context);
    w.engine->evaluateBatch(*w.run, moments, count);
}

bool WalkStopRequested(void* context) {
    SearchWalk& w = WalkOf(context);
    return !*w.running || w.window->quitRequested(w.window->context);
}

void WalkPump(void* context) { WalkOf(context).window->pump(WalkOf(context).window->context); }

uint64_t WalkNow(void* context) {
    return WalkOf(context).window->nowMillis(WalkOf(context).window->context);
}

int32_t WalkMatchCount(void* context) { return WalkOf(context).run->candidateCount; }

void WalkShowProgress(void* context, int32_t year, int32_t month, int32_t day, int32_t count) {
    const WindowSystem& window = *WalkOf(context).window;
    window.showProgress(window.context, year, month, day, count);
}

}  // namespace

int32_t RunSearch(const SearchSettings& settings, bool& running, const WindowSystem& window,
                  const SearchOptions& options) {
    SearchRun run{};
    SearchRunInit(run, settings);
    run.resultFile = ResultFileOpen(options.resultPath);
    if (run.resultFile) ResultWriteHeader(run);

    SearchWalk walk{&run, options.engine ? options.engine : &kPlainEngine, &window, &running};
    const WalkHooks hooks = {&walk,   WalkEvaluate,   WalkStopRequested, WalkPump,
                             WalkNow, WalkMatchCount, WalkShowProgress};
    SeedWalkRun(WalkRangeOf(settings), KeyPatternViewOf(settings), walk.engine->batchSize, hooks);

    SearchRunRelease(run);
    if (run.resultFile) {
        std::fclose(run.resultFile);
        if (!window.quitRequested(window.context)) window.shellOpen(window.context, options.resultPath);
    }
    window.restoreTitle(window.context);
    return run.candidateCount;
}
