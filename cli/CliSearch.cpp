#include "cli/CliSearch.h"

#include <atomic>

#include "cli/Console.h"
#include "engine/ParallelSearch.h"

namespace {

// The front end's hooks on the parallel search. The bytes come from the
// workers one call at a time, so a failed write is seen by the thread that
// wrote; the progress comes on this thread, which also looks for Ctrl-C.
// Either sets the flag that stops the search.
struct CliWalk {
    const CliSearchHooks* hooks;
    std::atomic<bool> stop;
};

CliWalk& WalkOf(void* context) { return *static_cast<CliWalk*>(context); }

void WalkWrite(void* context, const char* bytes, size_t length) {
    CliWalk& w = WalkOf(context);
    w.hooks->write(w.hooks->context, bytes, length);
    if (w.hooks->stopRequested(w.hooks->context)) w.stop = true;
}

void WalkProgress(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows) {
    CliWalk& w = WalkOf(context);
    if (ConsoleInterrupted()) w.stop = true;
    w.hooks->progress(w.hooks->context, moment, candidates, rows);
}

}  // namespace

bool CliSearchWalk(const SearchSettings& settings, int threads, const SearchEngine* engine,
                   const CliSearchHooks& hooks) {
    CliWalk walk{&hooks, {false}};
    ParallelSearchOptions options{};
    options.engine = engine;
    options.threads = threads;
    options.sink = WalkWrite;
    options.sinkContext = &walk;
    options.progress = WalkProgress;
    options.progressContext = &walk;
    options.abort = &walk.stop;
    return ParallelSearchRun(settings, options).finished;
}
