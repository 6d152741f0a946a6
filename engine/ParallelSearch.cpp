#include "engine/ParallelSearch.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/SearchEngine.h"
#include "modes/SearchModes.h"
#include "seed/SeedWalk.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
// An interrupt handler sets the abort flag without waking anyone, so no wait
// lasts longer than this before it looks at the flag again.
constexpr auto kAbortPoll = std::chrono::milliseconds(20);
// The buffers of all chunks in flight share this much, each within the
// bounds below.
constexpr size_t kBufferBudget = size_t{64} << 20;
constexpr size_t kBufferLeast = size_t{64} << 10;
constexpr size_t kBufferMost = size_t{4} << 20;
// Chunks sized by their rows hold about half a buffer, and at least this
// many candidates.
constexpr int32_t kChunkLeast = 64;

enum ChunkState {
    kChunkQueued,   // walked, not taken yet
    kChunkRunning,  // a worker evaluates it
    kChunkDone,     // every candidate evaluated
    kChunkPartial,  // stopped by an abort between batches: its rows begin the chunk's rows
    kChunkCut,      // stopped by an abort while rows were held back: none of them may be written
};

// A run of seconds of the walk, in its order; the worker walks their key
// masks.
struct Chunk {
    std::vector<CandidateMoment> seconds;  // the moments of the seconds (key mask unused)
    uint64_t console;          // index of its console in walk order
    uint32_t vCount, timer0;   // that console's
    SeedMessagePrefix prefix;  // and its message words
    std::string rows;    // the rows held until every earlier chunk is written
    ChunkState state;    // changed under the lock only
    bool writeThrough;   // its turn came while it ran: its rows went to the sink directly
    uint64_t evaluated;  // candidates evaluated
    uint64_t matches;
};

// What the walk, the workers and the writer share. The fields up to the
// lock are fixed for the search; the ones after it change under the lock,
// except the counters at the end. nextWrite is also read without the lock,
// as a hint that the lock is worth taking.
struct Shared {
    const ParallelSearchOptions* options;
    const SearchEngine* engine;
    KeyPatternView keys;
    bool keyInput;           // the walk goes through the key masks of each second
    int32_t masksPerSecond;  // candidates in each second
    size_t bufferBytes;  // a chunk holds at most this many bytes of rows
    size_t window;       // chunks in flight at most: walked but not yet written
    std::mutex lock;
    std::condition_variable changed;
    std::deque<std::unique_ptr<Chunk>> chunks;  // in walk order, chunks.front() is nextWrite
    std::vector<std::unique_ptr<Chunk>> spare;  // written chunks whose buffers the walk reuses
    std::atomic<uint64_t> nextWrite;  // index of the next chunk whose rows go to the sink
    uint64_t nextTake;     // index of the next chunk a worker takes
    bool walkDone;         // no more chunks will come
    bool writerBusy;       // a thread is writing (one at a time, in order)
    bool outputClosed;     // a partial chunk was written: nothing may follow it
    bool consoleAnnounced;    // by the writer's turn: the console whose rows are being written
    uint64_t announcedConsole;
    int32_t workersLeft;   // worker threads not yet finished
    uint64_t candidatesWritten;
    std::atomic<uint64_t> evaluated;    // candidates, for the progress
    std::atomic<uint64_t> rowsWritten;  // for the progress
    std::atomic<uint64_t> rowBytes;     // bytes of rows made, for the chunk size
};

struct Worker {
    Shared* shared;
    SearchRun run;
    Chunk* chunk;    // the chunk being evaluated
    uint64_t index;  // its index
    WalkHooks hooks;  // of the walk through the chunk's seconds
};

bool Aborted(const Shared& s) {
    return s.options->abort && s.options->abort->load(std::memory_order_relaxed);
}

void SinkWrite(const Shared& s, const std::string& bytes) {
    if (!bytes.empty() && s.options->sink)
        s.options->sink(s.options->sinkContext, bytes.data(), bytes.size());
}

// On the writer's turn, before a chunk's rows: the console they belong to,
// when it is not the one announced last.
void ChunkWriteBegin(Shared& s, const Chunk& c) {
    if (s.consoleAnnounced && s.announcedConsole == c.console) return;
    s.consoleAnnounced = true;
    s.announcedConsole = c.console;
    if (s.options->consoleBegin) s.options->consoleBegin(s.options->sinkContext, c.vCount, c.timer0);
}

// The front chunk has reached the sink: count it and let it go.
void ChunkWrittenLocked(Shared& s) {
    const Chunk& c = *s.chunks.front();
    s.candidatesWritten += c.evaluated;
    s.rowsWritten.fetch_add(c.matches, std::memory_order_relaxed);
    if (c.state == kChunkPartial) s.outputClosed = true;
    s.spare.push_back(std::move(s.chunks.front()));
    s.chunks.pop_front();
    ++s.nextWrite;
}

// Writes the finished chunks at the front in turn, unless another thread is
// writing already (it will take them). The lock is let go while writing.
void DrainLocked(Shared& s, std::unique_lock<std::mutex>& held) {
    if (s.writerBusy) return;
    s.writerBusy = true;
    while (!s.outputClosed && !s.chunks.empty()) {
        Chunk& c = *s.chunks.front();
        if (c.state != kChunkDone && c.state != kChunkPartial) break;
        held.unlock();
        ChunkWriteBegin(s, c);
        SinkWrite(s, c.rows);
        held.lock();
        ChunkWrittenLocked(s);
    }
    s.writerBusy = false;
    s.changed.notify_all();
}

// Takes the writer's turn for the worker's chunk once every earlier chunk is
// written; with mustWait false it only looks. When the output has ended (an
// abort, or a partial chunk written), a chunk that had to wait is cut.
bool TakeTurnLocked(Shared& s, Worker& w, std::unique_lock<std::mutex>& held, bool mustWait) {
    for (;;) {
        if (s.outputClosed || Aborted(s)) {
            if (mustWait) w.chunk->state = kChunkCut;
            return false;
        }
        if (s.nextWrite == w.index && !s.writerBusy) {
            s.writerBusy = true;  // held until the chunk ends
            return true;
        }
        if (!mustWait) return false;
        s.changed.wait_for(held, kAbortPoll);
    }
}

// The worker run's sink. A chunk whose earlier chunks are all written writes
// straight through; the others hold their rows while they fit the buffer,
// and then wait for their turn.
void WorkerSink(void* context, const char* bytes, size_t length) {
    Worker& w = *static_cast<Worker*>(context);
    Shared& s = *w.shared;
    Chunk& c = *w.chunk;
    s.rowBytes.fetch_add(length, std::memory_order_relaxed);
    if (c.state == kChunkCut) return;
    if (!c.writeThrough) {
        const bool fits = c.rows.size() + length <= s.bufferBytes;
        if (fits && s.nextWrite.load(std::memory_order_relaxed) != w.index) {
            c.rows.append(bytes, length);
            return;
        }
        std::unique_lock<std::mutex> held(s.lock);
        if (!TakeTurnLocked(s, w, held, !fits)) {
            if (c.state == kChunkCut) return;
            held.unlock();
            c.rows.append(bytes, length);
            return;
        }
        c.writeThrough = true;
        held.unlock();
        ChunkWriteBegin(s, c);
        SinkWrite(s, c.rows);
        c.rows.clear();
    }
    s.options->sink(s.options->sinkContext, bytes, length);
}

// A worker's walk goes through the seconds of its chunk, every one of which
// hands out candidates, so the walk looks at the abort before each batch;
// its clock stands still, since its batch sizes and pump interval are the
// window's concern and a worker that waits on the others must not shrink
// its batches.
uint64_t WalkClockStill(void*) { return 0; }

// The producer's walk may go through days, hours or minutes that hand out
// no second at all (a range that runs backwards); the walk then asks
// whether to stop only as often as its clock says 10 ms have passed, so
// this clock must advance. Its batches are only the seconds it cuts into
// chunks of their own size, so their length does not matter.
uint64_t WalkClockNow(void*) {
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count());
}

int32_t WalkNoMatchCount(void*) { return 0; }

Worker& WorkerOf(void* context) { return *static_cast<Worker*>(context); }

void WorkerWalkEvaluate(void* context, const CandidateMoment* moments, int32_t count) {
    Worker& w = WorkerOf(context);
    w.run.candidateCount = 0;
    SearchEvaluateChunk(w.run, *w.shared->engine, moments, count);
    w.chunk->matches += static_cast<uint32_t>(w.run.candidateCount);
    w.chunk->evaluated += static_cast<uint64_t>(count);
    w.shared->evaluated.fetch_add(static_cast<uint64_t>(count), std::memory_order_relaxed);
}

bool WorkerWalkStop(void* context) {
    Worker& w = WorkerOf(context);
    return Aborted(*w.shared) || w.chunk->state == kChunkCut;
}

bool SameMinute(const CandidateMoment& a, const CandidateMoment& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute;
}

// Walks the key masks of the chunk's seconds with seed's walk, the seconds
// of one minute at a time, evaluating batch by batch; false when an abort
// stopped it before the end.
bool WorkerEvaluate(Worker& w) {
    const Shared& s = *w.shared;
    const std::vector<CandidateMoment>& seconds = w.chunk->seconds;
    const int32_t batch = std::max(1, s.engine->batchSize);
    for (size_t at = 0, end; at < seconds.size(); at = end) {
        const CandidateMoment& first = seconds[at];
        // The walk's seconds of one minute follow each other without a gap.
        for (end = at + 1; end < seconds.size() && SameMinute(seconds[end], first); ++end) {
        }
        const CandidateMoment& last = seconds[end - 1];
        const WalkRange minute = {first.year, first.month,  first.day,    last.year,   last.month,
                                  last.day,   first.hour,   first.minute, first.second, last.hour,
                                  last.minute, last.second, s.keyInput};
        if (!SeedWalkRun(minute, s.keys, batch, w.hooks)) return false;
    }
    return true;
}

// Takes the next queued chunk, evaluates it and writes what may be written;
// false when no chunk is queued. Called and returning with the lock held.
bool WorkerTakeChunk(Worker& w, std::unique_lock<std::mutex>& held) {
    Shared& s = *w.shared;
    if (s.nextTake >= s.nextWrite + s.chunks.size()) return false;
    w.index = s.nextTake++;
    w.chunk = s.chunks[static_cast<size_t>(w.index - s.nextWrite)].get();
    w.chunk->state = kChunkRunning;
    held.unlock();
    w.run.prefix = w.chunk->prefix;
    const bool whole = WorkerEvaluate(w);
    held.lock();
    Chunk& c = *w.chunk;
    w.chunk = nullptr;
    if (c.state == kChunkCut) {  // a gap that ends the output
        s.changed.notify_all();
        return true;
    }
    c.state = whole ? kChunkDone : kChunkPartial;
    if (c.writeThrough) {  // written already, and this worker holds the writer's turn
        ChunkWrittenLocked(s);
        s.writerBusy = false;
    }
    DrainLocked(s, held);
    return true;
}

void WorkerMain(Worker& w) {
    Shared& s = *w.shared;
    std::unique_lock<std::mutex> held(s.lock);
    while (!Aborted(s)) {
        if (WorkerTakeChunk(w, held)) continue;
        if (s.walkDone) break;
        s.changed.wait_for(held, kAbortPoll);
    }
    --s.workersLeft;
    s.changed.notify_all();
}

// The walk's side: the chunk being filled, and the progress it reports.
struct Producer {
    Shared* shared;
    std::unique_ptr<Chunk> filling;
    size_t chunkSeconds;  // the size of the chunk being filled
    CandidateMoment lastMoment;
    Clock::time_point lastProgress;
    Worker* inlineWorker;  // evaluates each chunk on this thread when no worker thread started
    // The console being walked, which its chunks carry.
    uint64_t console;
    uint32_t vCount, timer0;
    SeedMessagePrefix prefix;
    // A part of the sequence: seconds still to drop before it, and to take.
    uint64_t skip;
    bool partial;
    uint64_t take;
    bool partDone;  // every second of the part is taken
};

void ProducerReport(Producer& p, bool always) {
    const ParallelSearchOptions& o = *p.shared->options;
    if (!o.progress) return;
    const Clock::time_point now = Clock::now();
    if (!always && now - p.lastProgress < kProgressInterval) return;
    p.lastProgress = now;
    o.progress(o.progressContext, p.lastMoment,
               p.shared->evaluated.load(std::memory_order_relaxed),
               p.shared->rowsWritten.load(std::memory_order_relaxed));
}

// Waits on the shared state at most until the next progress report is due
// or the abort flag is to be looked at again, then reports when due.
void ProducerWait(Producer& p, std::unique_lock<std::mutex>& held) {
    p.shared->changed.wait_for(held, kAbortPoll);
    held.unlock();
    ProducerReport(p, false);
    held.lock();
}

// Seconds of a chunk: about kParallelChunkCandidates candidates, fewer when
// the rows seen so far say they would fill more than half a buffer.
size_t ChunkSecondsNext(const Shared& s) {
    double candidates = kParallelChunkCandidates;
    if (s.options->chunkCandidates > 0) {
        candidates = std::min(s.options->chunkCandidates, kParallelChunkCandidates);
    } else {
        const uint64_t evaluated = s.evaluated.load(std::memory_order_relaxed);
        const uint64_t bytes = s.rowBytes.load(std::memory_order_relaxed);
        if (evaluated > 0 && bytes > 0) {
            const double perCandidate = static_cast<double>(bytes) / static_cast<double>(evaluated);
            candidates = std::clamp(static_cast<double>(s.bufferBytes) / 2 / perCandidate,
                                    static_cast<double>(kChunkLeast), candidates);
        }
    }
    return std::max<size_t>(1, static_cast<size_t>(candidates / s.masksPerSecond));
}

// The next chunk to fill: a written one with its buffers kept, or a new one.
void ProducerNewChunkLocked(Producer& p) {
    Shared& s = *p.shared;
    p.chunkSeconds = ChunkSecondsNext(s);
    if (s.spare.empty()) {
        p.filling.reset(new Chunk{});
    } else {
        p.filling = std::move(s.spare.back());
        s.spare.pop_back();
        p.filling->seconds.clear();
        p.filling->rows.clear();
        p.filling->state = kChunkQueued;
        p.filling->writeThrough = false;
        p.filling->evaluated = 0;
        p.filling->matches = 0;
    }
    p.filling->seconds.reserve(p.chunkSeconds);
}

// Hands the filled chunk to the workers once fewer than the window are in
// flight; false when the search was aborted meanwhile.
bool ProducerPush(Producer& p) {
    Shared& s = *p.shared;
    std::unique_lock<std::mutex> held(s.lock);
    while (s.chunks.size() >= s.window) {
        if (Aborted(s)) return false;
        ProducerWait(p, held);
    }
    p.filling->console = p.console;
    p.filling->vCount = p.vCount;
    p.filling->timer0 = p.timer0;
    p.filling->prefix = p.prefix;
    s.chunks.push_back(std::move(p.filling));
    s.changed.notify_all();
    if (p.inlineWorker) WorkerTakeChunk(*p.inlineWorker, held);
    ProducerNewChunkLocked(p);
    return true;
}

Producer& ProducerOf(void* context) { return *static_cast<Producer*>(context); }

// Takes the seconds of the walk (one candidate each: key input off), those
// of the part only.
void ProducerEvaluate(void* context, const CandidateMoment* moments, int32_t count) {
    Producer& p = ProducerOf(context);
    int32_t at = 0, end = count;
    if (p.skip > 0) {
        const uint64_t n = std::min<uint64_t>(p.skip, static_cast<uint64_t>(count));
        p.skip -= n;
        at = static_cast<int32_t>(n);
    }
    if (p.partial) {
        const uint64_t n = std::min<uint64_t>(p.take, static_cast<uint64_t>(end - at));
        end = at + static_cast<int32_t>(n);
        p.take -= n;
        p.partDone = p.take == 0;
    }
    while (at < end) {
        const size_t room = p.chunkSeconds - p.filling->seconds.size();
        const int32_t n = static_cast<int32_t>(std::min(room, static_cast<size_t>(end - at)));
        p.filling->seconds.insert(p.filling->seconds.end(), moments + at, moments + at + n);
        at += n;
        if (p.filling->seconds.size() >= p.chunkSeconds && !ProducerPush(p)) break;
    }
    p.lastMoment = moments[count - 1];
    ProducerReport(p, false);
}

bool ProducerStopRequested(void* context) {
    Producer& p = ProducerOf(context);
    return p.partDone || Aborted(*p.shared);
}

size_t BufferBytesOf(const ParallelSearchOptions& options, size_t window) {
    if (options.chunkBufferBytes > 0) return options.chunkBufferBytes;
    return std::clamp(kBufferBudget / window, kBufferLeast, kBufferMost);
}

void WorkerInit(Worker& w, Shared& s, const SearchSettings& settings) {
    w.shared = &s;
    SearchRunInit(w.run, settings);
    if (s.options->sink) {
        w.run.sink = WorkerSink;
        w.run.sinkContext = &w;
    }
    w.chunk = nullptr;
    w.index = 0;
    w.hooks = WalkHooks{&w,           WorkerWalkEvaluate, WorkerWalkStop, nullptr,
                        WalkClockStill, WalkNoMatchCount,   nullptr};
}

}  // namespace

uint64_t ParallelWalkSeconds(const SearchSettings& settings, uint64_t maxDays) {
    const WalkRange range = WalkRangeOf(settings);
    const uint64_t perDay = WalkSecondsPerDay(range);
    return perDay == 0 ? 0 : perDay * WalkDayCount(range, maxDays);
}

int32_t ParallelCoreCount() {
    if (!kParallelHasThreads) return 1;
    const unsigned n = std::thread::hardware_concurrency();
    return n == 0 ? 1 : static_cast<int32_t>(std::min<unsigned>(n, kParallelMaxThreads));
}

ParallelSearchResult ParallelSearchRun(const SearchSettings& settings,
                                       const ParallelSearchOptions& options) {
    int32_t threads = options.threads > 0 ? options.threads : ParallelCoreCount();
    threads = std::min(threads, kParallelMaxThreads);

    Shared s{};
    s.options = &options;
    s.engine = options.engine ? options.engine : SearchEngineBest();
    s.keys = KeyPatternViewOf(settings);
    s.keyInput = settings.keyInputEnabled;
    s.masksPerSecond = KeyMasksPerSecond(s.keyInput, s.keys);
    s.window = static_cast<size_t>(2 * threads + 2);
    s.bufferBytes = BufferBytesOf(options, s.window);

    if (!options.noHeader) {
        SearchRun head{};
        SearchRunInit(head, settings);
        head.sink = options.sink;
        head.sinkContext = options.sinkContext;
        ResultWriteHeader(head);
        SearchRunRelease(head);
    }

    // Workers live in a vector sized once: each thread holds its worker's address.
    std::vector<Worker> workers(static_cast<size_t>(threads));
    for (Worker& w : workers) WorkerInit(w, s, settings);
    std::vector<std::thread> pool;
    {
        std::lock_guard<std::mutex> held(s.lock);
        for (Worker& w : workers) {
            try {
                pool.emplace_back(WorkerMain, std::ref(w));
            } catch (const std::system_error&) {
                break;  // as many as the system gives
            }
            ++s.workersLeft;
        }
    }

    Producer p{};
    p.shared = &s;
    ProducerNewChunkLocked(p);  // nothing else runs on the chunks yet
    const WalkRange range = WalkRangeOf(settings);
    p.lastMoment = CandidateMoment{range.startYear, range.startMonth, range.startDay,
                                   WeekdayOf(range.startYear, range.startMonth, range.startDay),
                                   range.startHour, range.startMinute, range.startSecond,
                                   range.keyInputEnabled ? 0u : kKeyMaskNone};
    p.lastProgress = Clock::now();
    p.inlineWorker = pool.empty() ? &workers[0] : nullptr;
    ProducerReport(p, true);

    // The calling thread walks the seconds of each console; the workers walk
    // their key masks.
    WalkRange seconds = range;
    seconds.keyInputEnabled = false;
    const WalkHooks hooks = {&p,           ProducerEvaluate, ProducerStopRequested, nullptr,
                             WalkClockNow, WalkNoMatchCount, nullptr};
    const ParallelConsoles consoles =
        options.consoles ? *options.consoles
                         : ParallelConsoles{settings.vCount, settings.vCount, settings.timer0, settings.timer0};
    const uint64_t timer0Count = uint64_t{consoles.timer0High} - consoles.timer0Low + 1;
    uint64_t firstConsole = 0;
    bool walked = true;
    if (const ParallelPart* part = options.part) {
        // The part's first second: its console, its day, its place in the day.
        const uint64_t perConsole = part->consoleSeconds;
        if (part->firstSecond >= part->endSecond || perConsole == 0) {
            p.partDone = true;
        } else {
            firstConsole = part->firstSecond / perConsole;
            const uint64_t within = part->firstSecond % perConsole;
            const uint64_t perDay = WalkSecondsPerDay(range);
            WalkSkipDays(seconds, within / perDay);
            p.skip = within % perDay;
            p.partial = true;
            p.take = part->endSecond - part->firstSecond;
        }
    }
    uint64_t console = firstConsole;
    uint64_t t = consoles.timer0Low + firstConsole % timer0Count;
    for (uint64_t v = consoles.vCountLow + firstConsole / timer0Count;
         v <= consoles.vCountHigh && walked && !p.partDone; ++v, t = consoles.timer0Low) {
        for (; t <= consoles.timer0High && walked && !p.partDone; ++t, ++console) {
            p.console = console;
            p.vCount = static_cast<uint32_t>(v);
            p.timer0 = static_cast<uint32_t>(t);
            p.prefix = SeedMessagePrefixOf(StartupParameters{p.vCount, p.timer0, settings.MacWord6,
                                                             settings.MacWord7, settings.version});
            walked = SeedWalkRun(seconds, s.keys, kWalkMaxBatch, hooks) || p.partDone;
            seconds = range;  // only the part's first console starts on a later day
            seconds.keyInputEnabled = false;
            // A chunk holds the seconds of one console.
            if (walked && !p.filling->seconds.empty()) walked = ProducerPush(p);
        }
    }

    std::unique_lock<std::mutex> held(s.lock);
    s.walkDone = true;
    s.changed.notify_all();
    while (s.workersLeft > 0) ProducerWait(p, held);
    held.unlock();
    for (std::thread& t : pool) t.join();
    held.lock();
    DrainLocked(s, held);

    ParallelSearchResult result{};
    result.finished = walked && s.chunks.empty() && !s.outputClosed;
    result.candidates = s.candidatesWritten;
    result.matches = s.rowsWritten.load();
    held.unlock();

    for (Worker& w : workers) SearchRunRelease(w.run);
    ProducerReport(p, true);
    return result;
}
