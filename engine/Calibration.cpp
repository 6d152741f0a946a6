#include "engine/Calibration.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/EngineKernels.h"
#include "engine/ParallelSearch.h"
#include "engine/SearchEngine.h"
#include "modes/IndividualValues.h"
#include "seed/RandomStreams.h"

namespace {

constexpr int32_t C = kEngineChunk;
// What a worker takes at a time: this many chunks of one boot's candidates.
constexpr uint64_t kBlockCandidates = uint64_t{64} * C;
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
constexpr int32_t kSecondsPerDay = 24 * 60 * 60;
constexpr uint32_t kKeyMaskBits = 0x3FFu;
constexpr int32_t kLastMtOutput = 623;

bool MomentReal(const CandidateMoment& m) {
    return m.year >= 0 && m.year <= 99 && m.month >= 1 && m.month <= 12 && m.day >= 1 &&
           m.day <= DaysInMonth(m.year, m.month) && m.hour >= 0 && m.hour <= 23 && m.minute >= 0 &&
           m.minute <= 59 && m.second >= 0 && m.second <= 59 && m.keyMask <= kKeyMaskBits;
}

uint64_t RangeSize(const CalibrationRange& r) { return uint64_t{r.high} - r.low + 1; }

uint32_t MacHighOf(const CalibrationRequest& r) {
    return (r.mac[0] << 24) | (r.mac[1] << 16) | (r.mac[2] << 8) | r.mac[3];
}

// The request's console with the given unknowns.
StartupParameters ConsoleOf(const CalibrationRequest& r, uint32_t vCount, uint32_t timer0, uint32_t gxStat,
                            uint32_t frame) {
    StartupParameters console{};
    console.vCount = vCount;
    console.timer0 = timer0;
    console.macWord6 = (r.mac[4] << 8) | r.mac[5];
    console.macWord7 = SeedMessageMacWord7(MacHighOf(r), gxStat, frame);
    console.version = r.version;
    return console;
}

// The seconds of one boot that lie within 2000..2099, earliest first, and
// their offsets from its moment.
void BootSeconds(const CalibrationBoot& boot, int32_t tolerance, std::vector<int32_t>& offsets,
                 std::vector<CandidateMoment>& moments) {
    offsets.clear();
    moments.clear();
    for (int32_t offset = -tolerance; offset <= tolerance; ++offset) {
        CandidateMoment m;
        if (!CalibrationMomentShift(boot.at, offset, m)) continue;
        offsets.push_back(offset);
        moments.push_back(m);
    }
}

// One boot as the workers see it: its seconds and their message words, its
// key word, where its candidates stand among the blocks, and for six values
// the screen's terms (each value exactly: low v, high v + 1, no hidden-power
// test).
struct BootPlan {
    std::vector<int32_t> offsets;
    std::vector<CandidateMoment> moments;
    std::vector<uint32_t> dateWords, timeWords;
    uint32_t keyWord;
    uint64_t candidates;
    uint64_t firstBlock;
    IvScreenParams iv;
};

struct Plan {
    const CalibrationRequest* request;
    const EngineKernels* kernels;
    SeedMessagePrefix prefix;  // W5 and W7 come per lane
    uint32_t macHigh;          // MAC[0..3], big-endian
    uint64_t vCounts, timer0s, gxStats, frames;
    std::vector<BootPlan> boots;
    uint64_t blocks;
    int32_t mtLo, mtHi;  // the MT words the positions read
};

IvScreenParams ExactValuesScreen(const CalibrationRequest& r, const CalibrationBoot& boot) {
    IvScreenParams p{};
    p.positions = r.ivEnd - r.ivStart + 1;
    p.rows = p.positions + IvOutputReach(r.roamer);
    const int32_t* offsets = r.roamer ? kRoamerIvOutputOffsets : kIvOutputOffsets;
    std::copy(offsets, offsets + 6, p.offsets);
    for (int i = 0; i < 6; ++i) {
        p.terms.low[i] = boot.ivs[i];
        p.terms.high[i] = static_cast<uint8_t>(boot.ivs[i] + 1);
    }
    p.terms.powerMinimum = 0;
    p.terms.typeTest = false;
    return p;
}

Plan PlanOf(const CalibrationRequest& r, const EngineKernels* kernels) {
    Plan plan{};
    plan.request = &r;
    plan.kernels = kernels;
    plan.prefix = SeedMessagePrefixOf(ConsoleOf(r, 0, 0, 0, 0));
    plan.macHigh = MacHighOf(r);
    plan.vCounts = RangeSize(r.vCount);
    plan.timer0s = RangeSize(r.timer0);
    plan.gxStats = RangeSize(r.gxStat);
    plan.frames = RangeSize(r.frame);
    const uint64_t perSecond = plan.vCounts * plan.timer0s * plan.gxStats * plan.frames;
    plan.mtLo = r.ivStart;
    plan.mtHi = r.ivEnd + IvOutputReach(r.roamer);
    plan.boots.resize(r.boots.size());
    for (size_t i = 0; i < r.boots.size(); ++i) {
        const CalibrationBoot& boot = r.boots[i];
        BootPlan& b = plan.boots[i];
        BootSeconds(boot, r.tolerance, b.offsets, b.moments);
        for (const CandidateMoment& m : b.moments) {
            b.dateWords.push_back(SeedMessageDateWord(m));
            b.timeWords.push_back(SeedMessageTimeWord(m, r.threeDsMode));
        }
        b.keyWord = SeedMessageKeyWord(boot.at.keyMask);
        b.candidates = b.offsets.size() * perSecond;
        b.firstBlock = plan.blocks;
        plan.blocks += (b.candidates + kBlockCandidates - 1) / kBlockCandidates;
        if (!boot.seedSeen) b.iv = ExactValuesScreen(r, boot);
    }
    return plan;
}

// What the workers share. The counters are read by the calling thread for
// the progress; the lock guards only workersLeft.
struct Shared {
    const Plan* plan;
    const CalibrationOptions* options;
    std::atomic<uint64_t> nextBlock;
    std::atomic<uint64_t> candidates;
    std::atomic<uint64_t> matches;
    std::mutex lock;
    std::condition_variable finished;
    int32_t workersLeft;
};

bool Aborted(const Shared& s) { return s.options->abort && s.options->abort->load(std::memory_order_relaxed); }

// One worker's lanes and buffers, and the matches it found.
struct Worker {
    Shared* shared;
    uint32_t w5[C], w7[C], w8[C], w9[C], w12[C];
    uint64_t seeds[C];
    // Each lane's second (index in its boot's) and console.
    int32_t second[C];
    uint32_t vCount[C], timer0[C], gxStat[C], frame[C];
    std::vector<uint32_t> words, mtScratch, ivs;
    std::vector<LaneSet> pass;
    std::vector<CalibrationMatch> matches;
};

// The MT buffers only when some boot showed values, each as large as the
// positions need.
void WorkerInit(Worker& w, Shared& shared) {
    w = Worker{};
    w.shared = &shared;
    const Plan& plan = *shared.plan;
    const std::vector<CalibrationBoot>& boots = plan.request->boots;
    if (std::all_of(boots.begin(), boots.end(), [](const CalibrationBoot& b) { return b.seedSeen; })) return;
    const size_t rows = static_cast<size_t>(plan.mtHi - plan.mtLo + 1);
    w.words.resize(rows * C);
    w.mtScratch.resize(static_cast<size_t>(kMtSize) * C);
    w.ivs.resize(rows * C);
    w.pass.resize(rows);
}

void WorkerMatch(Worker& w, int32_t boot, const BootPlan& b, int32_t lane, int32_t position) {
    const int32_t s = w.second[lane];
    w.matches.push_back(CalibrationMatch{boot, b.offsets[static_cast<size_t>(s)], b.moments[static_cast<size_t>(s)],
                                         w.vCount[lane],
                                         w.timer0[lane], w.gxStat[lane], w.frame[lane], position, w.seeds[lane]});
    w.shared->matches.fetch_add(1, std::memory_order_relaxed);
}

bool LaneIn(const LaneSet& set, int32_t lane) { return (set.w[lane / 64] >> (lane % 64)) & 1u; }

// The first n lanes, their words filled: digest, then the comparison with
// the seen seed or the screen of the six values at every position.
void WorkerChunk(Worker& w, int32_t boot, const BootPlan& b, int32_t n) {
    const Plan& plan = *w.shared->plan;
    const CalibrationBoot& seen = plan.request->boots[static_cast<size_t>(boot)];
    const int32_t padded = (n + kEngineMaxLanes - 1) / kEngineMaxLanes * kEngineMaxLanes;
    for (int32_t j = n; j < padded; ++j) {
        w.w5[j] = w.w5[n - 1];
        w.w7[j] = w.w7[n - 1];
        w.w8[j] = w.w8[n - 1];
        w.w9[j] = w.w9[n - 1];
    }
    Sha1BatchInput in{};
    std::copy(plan.prefix.w, plan.prefix.w + 8, in.prefix);
    in.w5 = w.w5;
    in.w7 = w.w7;
    in.w8 = w.w8;
    in.w9 = w.w9;
    in.w12 = w.w12;
    in.count = padded;
    plan.kernels->sha1Seeds(in, w.seeds);
    if (seen.seedSeen) {
        for (int32_t j = 0; j < n; ++j)
            if (w.seeds[j] == seen.seed) WorkerMatch(w, boot, b, j, -1);
        return;
    }
    plan.kernels->mtWords(w.seeds, n, plan.mtLo, plan.mtHi, w.words.data(), w.mtScratch.data());
    LaneSet any{};
    plan.kernels->ivScreen(b.iv, w.words.data(), w.ivs.data(), w.pass.data(), any);
    for (int32_t j = 0; j < n; ++j) {
        if (!LaneIn(any, j)) continue;
        for (int32_t c = 0; c < b.iv.positions; ++c)
            if (LaneIn(w.pass[static_cast<size_t>(c)], j)) WorkerMatch(w, boot, b, j, plan.request->ivStart + c);
    }
}

// Candidates first..end - 1 of a boot, in the order second, VCount, Timer0,
// GxStat, Frame (Frame changing fastest). False when stopped; `tried` counts
// the candidates evaluated.
bool WorkerBlock(Worker& w, int32_t boot, uint64_t first, uint64_t end, uint64_t& tried) {
    const Plan& plan = *w.shared->plan;
    const CalibrationRequest& r = *plan.request;
    const BootPlan& b = plan.boots[static_cast<size_t>(boot)];
    uint64_t rest = first;
    uint64_t f = rest % plan.frames;
    rest /= plan.frames;
    uint64_t g = rest % plan.gxStats;
    rest /= plan.gxStats;
    uint64_t t = rest % plan.timer0s;
    rest /= plan.timer0s;
    uint64_t v = rest % plan.vCounts;
    uint64_t s = rest / plan.vCounts;
    std::fill(w.w12, w.w12 + C, b.keyWord);
    int32_t n = 0;
    tried = 0;
    for (uint64_t k = first; k < end; ++k) {
        const uint32_t vCount = r.vCount.low + static_cast<uint32_t>(v);
        const uint32_t timer0 = r.timer0.low + static_cast<uint32_t>(t);
        const uint32_t gxStat = r.gxStat.low + static_cast<uint32_t>(g);
        const uint32_t frame = r.frame.low + static_cast<uint32_t>(f);
        w.second[n] = static_cast<int32_t>(s);
        w.vCount[n] = vCount;
        w.timer0[n] = timer0;
        w.gxStat[n] = gxStat;
        w.frame[n] = frame;
        w.w5[n] = SeedMessageConsoleWord(vCount, timer0);
        w.w7[n] = SeedMessageMacWord7(plan.macHigh, gxStat, frame);
        w.w8[n] = b.dateWords[static_cast<size_t>(s)];
        w.w9[n] = b.timeWords[static_cast<size_t>(s)];
        if (++n == C || k + 1 == end) {
            if (Aborted(*w.shared)) return false;
            WorkerChunk(w, boot, b, n);
            tried += static_cast<uint64_t>(n);
            n = 0;
        }
        if (++f < plan.frames) continue;
        f = 0;
        if (++g < plan.gxStats) continue;
        g = 0;
        if (++t < plan.timer0s) continue;
        t = 0;
        if (++v < plan.vCounts) continue;
        v = 0;
        ++s;
    }
    return true;
}

// The boot whose blocks hold `block`.
int32_t BootOfBlock(const Plan& plan, uint64_t block) {
    auto after = std::upper_bound(plan.boots.begin(), plan.boots.end(), block,
                                  [](uint64_t k, const BootPlan& b) { return k < b.firstBlock; });
    // Boots without candidates share their firstBlock with the next one: the
    // last boot starting at or before the block owns it.
    return static_cast<int32_t>(after - plan.boots.begin()) - 1;
}

void WorkerMain(Worker& w) {
    Shared& s = *w.shared;
    const Plan& plan = *s.plan;
    while (!Aborted(s)) {
        const uint64_t block = s.nextBlock.fetch_add(1, std::memory_order_relaxed);
        if (block >= plan.blocks) break;
        const int32_t boot = BootOfBlock(plan, block);
        const BootPlan& b = plan.boots[static_cast<size_t>(boot)];
        const uint64_t first = (block - b.firstBlock) * kBlockCandidates;
        const uint64_t end = std::min(first + kBlockCandidates, b.candidates);
        uint64_t tried = 0;
        const bool whole = WorkerBlock(w, boot, first, end, tried);
        s.candidates.fetch_add(tried, std::memory_order_relaxed);
        if (!whole) break;
    }
    std::lock_guard<std::mutex> held(s.lock);
    --s.workersLeft;
    s.finished.notify_all();
}

bool MatchBefore(const CalibrationMatch& a, const CalibrationMatch& b) {
    if (a.boot != b.boot) return a.boot < b.boot;
    if (a.offset != b.offset) return a.offset < b.offset;
    if (a.vCount != b.vCount) return a.vCount < b.vCount;
    if (a.timer0 != b.timer0) return a.timer0 < b.timer0;
    if (a.gxStat != b.gxStat) return a.gxStat < b.gxStat;
    if (a.frame != b.frame) return a.frame < b.frame;
    return a.position < b.position;
}

const EngineKernels* BestKernels() { return SearchEngineKernelsOf(SearchEngineBest()); }

}  // namespace

bool CalibrationMomentShift(const CandidateMoment& at, int32_t offset, CandidateMoment& shifted) {
    CandidateMoment m = at;
    int32_t seconds = (m.hour * 60 + m.minute) * 60 + m.second + offset;
    if (seconds < 0) {
        seconds += kSecondsPerDay;
        if (--m.day < 1) {
            if (--m.month < 1) {
                m.month = 12;
                --m.year;
            }
            m.day = DaysInMonth(m.year, m.month);
        }
    } else if (seconds >= kSecondsPerDay) {
        seconds -= kSecondsPerDay;
        if (++m.day > DaysInMonth(m.year, m.month)) {
            m.day = 1;
            if (++m.month > 12) {
                m.month = 1;
                ++m.year;
            }
        }
    }
    if (m.year < 0 || m.year > 99) return false;
    m.hour = seconds / 3600;
    m.minute = seconds / 60 % 60;
    m.second = seconds % 60;
    m.weekday = WeekdayOf(m.year, m.month, m.day);
    shifted = m;
    return true;
}

bool CalibrationRequestValid(const CalibrationRequest& r, uint64_t& candidates) {
    if (r.tolerance < 0 || r.tolerance > kCalibrationMostTolerance) return false;
    for (const CalibrationRange* range : {&r.vCount, &r.timer0, &r.gxStat, &r.frame})
        if (range->low > range->high) return false;
    if (r.ivStart < 0 || r.ivStart > r.ivEnd || r.ivEnd + IvOutputReach(r.roamer) > kLastMtOutput) return false;
    for (uint32_t byte : r.mac)
        if (byte > 0xFFu) return false;
    uint64_t perSecond = 0;
    if (__builtin_mul_overflow(RangeSize(r.vCount), RangeSize(r.timer0), &perSecond) ||
        __builtin_mul_overflow(perSecond, RangeSize(r.gxStat), &perSecond) ||
        __builtin_mul_overflow(perSecond, RangeSize(r.frame), &perSecond))
        return false;
    uint64_t total = 0;
    std::vector<int32_t> offsets;
    std::vector<CandidateMoment> moments;
    for (const CalibrationBoot& boot : r.boots) {
        if (!MomentReal(boot.at)) return false;
        for (uint8_t v : boot.ivs)
            if (!boot.seedSeen && v > 31) return false;
        BootSeconds(boot, r.tolerance, offsets, moments);
        uint64_t count = 0;
        if (__builtin_mul_overflow(static_cast<uint64_t>(offsets.size()), perSecond, &count) ||
            __builtin_add_overflow(total, count, &total))
            return false;
    }
    candidates = total;
    return true;
}

CalibrationResult CalibrationRun(const CalibrationRequest& request, const CalibrationOptions& options) {
    CalibrationResult result{};
    uint64_t total = 0;
    if (!CalibrationRequestValid(request, total)) return result;
    const EngineKernels* kernels = options.kernels ? options.kernels : BestKernels();
    const Plan plan = PlanOf(request, kernels);

    Shared shared;
    shared.plan = &plan;
    shared.options = &options;
    shared.nextBlock = 0;
    shared.candidates = 0;
    shared.matches = 0;
    int32_t threads = options.threads > 0 ? options.threads : ParallelCoreCount();
    threads = static_cast<int32_t>(std::min<uint64_t>({static_cast<uint64_t>(threads),
                                                       static_cast<uint64_t>(kParallelMaxThreads),
                                                       std::max<uint64_t>(plan.blocks, 1)}));
    // Workers live in a vector sized once: each thread holds its worker's address.
    std::vector<Worker> workers(static_cast<size_t>(threads));
    std::vector<std::thread> pool;
    shared.workersLeft = threads;
    for (Worker& w : workers) {
        WorkerInit(w, shared);
        if (!kParallelHasThreads) continue;  // the calling thread does it all
        try {
            pool.emplace_back(WorkerMain, std::ref(w));
        } catch (const std::system_error&) {
            break;  // as many as the system gives
        }
    }
    if (pool.empty()) {
        shared.workersLeft = 1;
        WorkerMain(workers[0]);
    } else {
        std::unique_lock<std::mutex> held(shared.lock);
        shared.workersLeft -= threads - static_cast<int32_t>(pool.size());
        while (shared.workersLeft > 0) {
            shared.finished.wait_for(held, kProgressInterval);
            if (!options.progress) continue;
            held.unlock();
            options.progress(options.progressContext, shared.candidates.load(), shared.matches.load());
            held.lock();
        }
    }
    for (std::thread& t : pool) t.join();

    for (Worker& w : workers) result.matches.insert(result.matches.end(), w.matches.begin(), w.matches.end());
    std::sort(result.matches.begin(), result.matches.end(), MatchBefore);
    result.candidates = shared.candidates.load();
    result.finished = result.candidates == total && !Aborted(shared);
    return result;
}

uint64_t CalibrationSeedOf(const CalibrationRequest& r, const CandidateMoment& moment, uint32_t vCount,
                           uint32_t timer0, uint32_t gxStat, uint32_t frame) {
    const StartupParameters console = ConsoleOf(r, vCount, timer0, gxStat, frame);
    return InitialSeedOf(SeedMessageBuild(SeedMessagePrefixOf(console), moment, r.threeDsMode));
}

CalibrationResult CalibrationRunPlain(const CalibrationRequest& r, const CalibrationOptions& options) {
    CalibrationResult result{};
    uint64_t total = 0;
    if (!CalibrationRequestValid(r, total)) return result;
    auto lastProgress = std::chrono::steady_clock::now();
    // Every so many candidates: the abort, and the progress when it is due.
    auto goOn = [&]() {
        if (result.candidates % 1024 != 0) return true;
        if (options.progress && std::chrono::steady_clock::now() - lastProgress >= kProgressInterval) {
            lastProgress = std::chrono::steady_clock::now();
            options.progress(options.progressContext, result.candidates, result.matches.size());
        }
        return !(options.abort && options.abort->load(std::memory_order_relaxed));
    };
    MtTable mt;
    std::vector<int32_t> offsets;
    std::vector<CandidateMoment> moments;
    // Ranges may end at 0xFFFFFFFF: each loop counts its values, not its ends.
    auto each = [](const CalibrationRange& range, auto&& body) {
        for (uint64_t i = 0; i < RangeSize(range); ++i)
            if (!body(range.low + static_cast<uint32_t>(i))) return false;
        return true;
    };
    for (size_t b = 0; b < r.boots.size(); ++b) {
        const CalibrationBoot& boot = r.boots[b];
        BootSeconds(boot, r.tolerance, offsets, moments);
        for (size_t k = 0; k < offsets.size(); ++k) {
            const bool whole = each(r.vCount, [&](uint32_t v) {
                return each(r.timer0, [&](uint32_t t) {
                    return each(r.gxStat, [&](uint32_t g) {
                        return each(r.frame, [&](uint32_t f) {
                            if (!goOn()) return false;
                            ++result.candidates;
                            const uint64_t seed = CalibrationSeedOf(r, moments[k], v, t, g, f);
                            CalibrationMatch match{static_cast<int32_t>(b), offsets[k], moments[k], v, t, g, f, -1, seed};
                            if (boot.seedSeen) {
                                if (seed == boot.seed) result.matches.push_back(match);
                                return true;
                            }
                            MtTableFill(mt, seed);
                            for (match.position = r.ivStart; match.position <= r.ivEnd; ++match.position) {
                                const IvSet ivs = IvSetAt(mt, match.position, r.roamer);
                                if (std::equal(ivs.v, ivs.v + 6, boot.ivs)) result.matches.push_back(match);
                            }
                            return true;
                        });
                    });
                });
            });
            if (!whole) return result;
        }
    }
    result.finished = true;
    return result;
}
