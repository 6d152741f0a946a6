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

void WalkConsole(void* context, uint32_t vCount, uint32_t timer0) {
    CliWalk& w = WalkOf(context);
    w.hooks->console(w.hooks->context, vCount, timer0);
}

void WalkProgress(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows) {
    CliWalk& w = WalkOf(context);
    if (ConsoleInterrupted()) w.stop = true;
    w.hooks->progress(w.hooks->context, moment, candidates, rows);
}

}  // namespace

ParallelPart CliShardPart(const CliShard& shard, uint64_t seconds, uint64_t consoleSeconds) {
    // floor(seconds * k / count) without the product: count fits 32 bits, so
    // the remainder's product fits 64.
    auto boundary = [&](uint64_t k) {
        return seconds / shard.count * k + seconds % shard.count * k / shard.count;
    };
    return ParallelPart{boundary(shard.index - 1), boundary(shard.index), consoleSeconds};
}

bool CliSearchRun(const SearchSettings& settings, const ParallelConsoles& consoles, const CliShard* shard,
                  uint64_t consoleSeconds, uint64_t seconds, int threads, const SearchEngine* engine,
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
    options.consoles = &consoles;
    options.consoleBegin = WalkConsole;
    ParallelPart part{};
    if (shard) {
        part = CliShardPart(*shard, seconds, consoleSeconds);
        options.part = &part;
        options.noHeader = shard->index > 1;
    }
    return ParallelSearchRun(settings, options).finished;
}
