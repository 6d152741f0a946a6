#include "cli/CliSearch.h"

#include <chrono>

#include "modes/SearchModes.h"
#include "seed/SeedWalk.h"

namespace {

struct CliWalk {
    SearchRun* run;
    const SearchEngine* engine;
    const CliSearchHooks* hooks;
    uint64_t candidates;
};

CliWalk& WalkOf(void* context) { return *static_cast<CliWalk*>(context); }

void WalkEvaluate(void* context, const CandidateMoment* moments, int32_t count) {
    CliWalk& w = WalkOf(context);
    SearchEvaluateChunk(*w.run, *w.engine, moments, count);
    w.candidates += static_cast<uint64_t>(count);
    w.hooks->progress(w.hooks->context, moments[count - 1], w.candidates,
                      static_cast<uint64_t>(w.run->candidateCount));
}

bool WalkStopRequested(void* context) {
    CliWalk& w = WalkOf(context);
    return w.hooks->stopRequested(w.hooks->context);
}

uint64_t WalkNow(void*) {
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

int32_t WalkMatchCount(void* context) { return WalkOf(context).run->candidateCount; }

}  // namespace

bool CliSearchWalk(const SearchSettings& settings, int threads, const SearchEngine* engine,
                   const CliSearchHooks& hooks) {
    (void)threads;  // one thread until the parallel walk takes this place
    SearchRun run{};
    SearchRunInit(run, settings);
    run.sink = hooks.write;
    run.sinkContext = hooks.context;
    ResultWriteHeader(run);
    CliWalk walk{&run, engine, &hooks, 0};
    // No window: nothing to pump, no title to show.
    const WalkHooks walkHooks = {&walk, WalkEvaluate, WalkStopRequested, nullptr, WalkNow, WalkMatchCount,
                                 nullptr};
    bool finished = SeedWalkRun(WalkRangeOf(settings), KeyPatternViewOf(settings), engine->batchSize, walkHooks);
    SearchRunRelease(run);
    return finished;
}
