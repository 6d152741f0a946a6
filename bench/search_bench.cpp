// The search benchmark: each case runs whole searches through the plain
// literal engine and through the best batch engine on the same settings,
// with the headless window system on the real clock, timed by the process's
// processor time, and prints
//   bench: <case> <candidates per second> <ratio to the literal path>
// Rows go to the null device (or to --out PATH), never into the tree.
//   morvane_bench            the whole day (with the peak resident size after
//                            its first batch and at its end), on one thread and
//                            on every core (wall clock for those), then every case
//   morvane_bench --quick    shorter measurements, no whole day
//   morvane_bench --whole-day   the whole day alone
//   morvane_bench --engine NAME   a given batch engine instead of the best one
//   morvane_bench --profile CASE   the engine alone on one case, three seconds
//   morvane_bench --kernels  each kernel of every supported engine alone, in
//                            nanoseconds per lane (for tuning the kernels)
//   morvane_bench --check    every supported engine, and the parallel walk on the
//                            best one, against the plain engine, file for file
//                            (the Windows build runs this under Wine)
//   morvane_bench --calibration   the calibration cases alone, then the full
//                            ranges on every core
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "modes/SearchModes.h"
#include "modes/SearchSettings.h"
#include "bench/ExampleConsole.h"
#include "engine/Calibration.h"
#include "engine/ParallelSearch.h"
#include "engine/SearchEngine.h"
#include "seed/SeedMessage.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"
#include "engine/EngineKernels.h"
#include "modes/SearchModes.h"
#include "seed/SecondDigest.h"

namespace {

#if defined(_WIN32)
const char* g_out = "NUL";
#else
const char* g_out = "/dev/null";
#endif
double g_minimumSeconds = 1.0;

// The console of the worked example, a walk over key input with the
// initial key pattern, and one mode switched on.
SearchSettings BenchSettings(const char* mode) {
    SearchSettings s = ExampleConsoleSettings();
    s.keyInputEnabled = true;
    const std::string m = mode;
    s.roamerEnabled = m == "iv-roamer";
    if (const SearchModeEntry* entry = SearchModeNamed(mode)) SearchModeSelect(s, entry->mode);
    if (m == "dome") s.domeTrainers[0] = 20;  // one trainer chosen
    // Selective variants of the modes whose default settings make nearly
    // every position a row: they show the engine's share of those searches.
    s.deliveryEnabled = s.deliveryEnabled || m == "delivery-6v";
    s.breedingEnabled = s.breedingEnabled || m == "breeding-6v";
    if (m == "delivery-6v" || m == "breeding-6v" || m == "iv-6v")
        for (int i = 0; i < 6; ++i) s.ivMin[i] = 31;
    // The reference kernels' individual-value workload: consumption 7, all
    // six values 20..31, any hidden power.
    if (m == "iv-anchor") {
        for (int i = 0; i < 6; ++i) s.ivMin[i] = 20;
        s.hiddenPowerMinimum = 0;
    }
    if (m == "dome-3") {
        s.domeEnabled = true;
        s.domeTrainers[0] = 20;
        s.domeTrainers[1] = 7;
        s.domeTrainers[2] = 33;
    }
    return s;
}

// The first `minutes` minutes of the day (whole hours past the first hour).
void SetMinutes(SearchSettings& s, int32_t minutes) {
    s.startHour = 0;
    s.startMinute = 0;
    s.startSecond = 0;
    s.endSecond = 59;
    if (minutes <= 60) {
        s.endHour = 0;
        s.endMinute = minutes - 1;
    } else {
        s.endHour = minutes / 60 - 1;
        s.endMinute = 59;
    }
}

struct Measure {
    int64_t candidates;
    double seconds;
    int32_t rows;
    double wallSeconds;
};

double WallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Seconds of this process on the processor: the figures are per core, and
// other work on the machine must not count. Windows has no such clock in the
// standard library, nor WebAssembly under node; there the wall clock stands in.
double CpuSeconds() {
#if defined(_WIN32) || defined(__EMSCRIPTEN__)
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
#else
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
#endif
}

int64_t CandidatesOf(const SearchSettings& s) {
    const int64_t seconds = static_cast<int64_t>(s.endHour - s.startHour + 1) *
                            (s.endMinute - s.startMinute + 1) * (s.endSecond - s.startSecond + 1);
    return seconds * KeyMasksPerSecond(s.keyInputEnabled, KeyPatternViewOf(s));
}

// Resident size of the process in kB, from /proc/self/status: the peak so
// far (VmHWM) and the present one (VmRSS); zeros where there is no such file.
// Linux keeps both with per-processor counters that it adds up lazily, so
// two readings of an unchanged process can differ by a few hundred kB.
struct Resident {
    long peakKb;
    long nowKb;
};

Resident ResidentOf() {
    Resident r{0, 0};
    FILE* f = std::fopen("/proc/self/status", "r");
    if (!f) return r;
    char line[256];
    while (std::fgets(line, sizeof line, f)) {
        std::sscanf(line, "VmHWM: %ld", &r.peakKb);
        std::sscanf(line, "VmRSS: %ld", &r.nowKb);
    }
    std::fclose(f);
    return r;
}

// From the pump: the second pump comes after the first batch, when the
// search has made every table and buffer it will use.
void NoteStartResident(HeadlessWindow& window, void* context) {
    if (window.pumpCount == 2) *static_cast<Resident*>(context) = ResidentOf();
}

Measure RunOnce(const SearchSettings& s, const SearchEngine* engine, Resident* atStart = nullptr) {
    HeadlessWindow window;
    HeadlessWindowInit(window);
    if (atStart) {
        window.onPump = NoteStartResident;
        window.hookContext = atStart;
    }
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    SearchOptions options{g_out, engine};
    const double start = CpuSeconds(), wallStart = WallSeconds();
    int32_t rows = RunSearch(s, running, ws, options);
    const double elapsed = CpuSeconds() - start;
    return Measure{CandidatesOf(s), elapsed, rows, WallSeconds() - wallStart};
}

void WriteToFile(void* context, const char* bytes, size_t length) {
    std::fwrite(bytes, 1, length, static_cast<FILE*>(context));
}

// The same search on the parallel walk, rows to the same place. Its rate is
// by the wall clock, since the threads' processor time adds up; that sum is
// kept too, to show the walk's own cost on a busy machine.
Measure RunParallel(const SearchSettings& s, const SearchEngine* engine, int32_t threads,
                    const char* path = g_out) {
    FILE* out = std::fopen(path, "wb");
    ParallelSearchOptions options{};
    options.engine = engine;
    options.threads = threads;
    options.sink = out ? WriteToFile : nullptr;
    options.sinkContext = out;
    const double start = CpuSeconds(), wallStart = WallSeconds();
    ParallelSearchResult r = ParallelSearchRun(s, options);
    const double wall = WallSeconds() - wallStart, elapsed = CpuSeconds() - start;
    if (out) std::fclose(out);
    return Measure{static_cast<int64_t>(r.candidates), elapsed, static_cast<int32_t>(r.matches), wall};
}

// Candidates per second, doubling the range until a run lasts long enough.
double Rate(SearchSettings s, const SearchEngine* engine) {
    for (int32_t minutes = 1;; minutes = minutes < 60 ? minutes * 2 : minutes + 120) {
        if (minutes > 60 && minutes < 120) minutes = 60;
        SetMinutes(s, minutes);
        Measure m = RunOnce(s, engine);
        if (m.seconds >= g_minimumSeconds || minutes >= 1440) return m.candidates / m.seconds;
    }
}

// The worked example's boot as a player calibrates it: ブラック with its MAC,
// GxStat and Frame, 14:58:21 on its day, the keys B St Right Left Down R L
// held, and either the six values 31 31 31 26 31 31 seen at some position
// of 0..30 or the initial seed 40B05C6C8CA16448; every VCount of 0..FF, the
// Timer0 values 0..timer0High and two seconds either side.
CalibrationRequest BenchCalibration(bool seedSeen, uint32_t timer0High) {
    CalibrationRequest r{};
    VersionConstantsSet(r.version, kGameBlack);
    const uint32_t mac[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    std::copy(mac, mac + 6, r.mac);
    CalibrationBoot boot{};
    boot.at = CandidateMoment{12, 11, 29, WeekdayOf(12, 11, 29), 14, 58, 21, 0x045};  // A, Se and Up not held
    boot.seedSeen = seedSeen;
    boot.seed = 0x40B05C6C8CA16448ull;
    const uint8_t ivs[6] = {31, 31, 31, 26, 31, 31};
    std::copy(ivs, ivs + 6, boot.ivs);
    r.boots = {boot};
    r.tolerance = 2;
    r.vCount = {0, 0xFF};
    r.timer0 = {0, timer0High};
    r.gxStat = {0x06000000, 0x06000000};
    r.frame = {8, 8};
    r.ivStart = 0;
    r.ivEnd = 30;
    return r;
}

// Candidates per second of a calibration on one thread (processor time),
// the Timer0 range doubled until a run lasts long enough; the plain path on
// the same request for the ratio.
void CalibrationRates(const SearchEngine* engine) {
    for (bool seedSeen : {false, true}) {
        double rates[2] = {0, 0};
        for (int path = 0; path < 2; ++path) {
            for (uint32_t high = 0xF;; high = high * 2 + 1) {
                const CalibrationRequest r = BenchCalibration(seedSeen, high);
                CalibrationOptions options{};
                options.kernels = SearchEngineKernelsOf(engine);
                options.threads = 1;
                const double start = CpuSeconds();
                const CalibrationResult result =
                    path == 0 ? CalibrationRun(r, options) : CalibrationRunPlain(r, options);
                const double elapsed = CpuSeconds() - start;
                if (elapsed >= g_minimumSeconds || high == 0xFFFF) {
                    rates[path] = static_cast<double>(result.candidates) / elapsed;
                    break;
                }
            }
        }
        std::printf("bench: %s %.0f %.1f\n", seedSeen ? "calibrate-seed" : "calibrate-ivs", rates[0],
                    rates[0] / rates[1]);
        std::fflush(stdout);
    }
}

// The full ranges (every Timer0 and VCount, two seconds either side: 83.9
// million candidates) on every core, by the wall clock.
void CalibrationFullRange(const SearchEngine* engine) {
    for (bool seedSeen : {false, true}) {
        const CalibrationRequest r = BenchCalibration(seedSeen, 0xFFFF);
        CalibrationOptions options{};
        options.kernels = SearchEngineKernelsOf(engine);
        const double start = CpuSeconds(), wallStart = WallSeconds();
        const CalibrationResult result = CalibrationRun(r, options);
        const double wall = WallSeconds() - wallStart, elapsed = CpuSeconds() - start;
        std::printf("bench: calibrate-%s-full-range threads %d: %.0f candidates in %.2f s wall (%.2f s processor), "
                    "%.0f candidates/s, %zu matches\n",
                    seedSeen ? "seed" : "ivs", ParallelCoreCount(), static_cast<double>(result.candidates), wall,
                    elapsed, static_cast<double>(result.candidates) / wall, result.matches.size());
        std::fflush(stdout);
    }
}

int Check() {
    const char* modes[] = {"iv", "iv-roamer", "shiny", "breeding", "delivery", "comet", "dome", "grotto"};
    const std::string plainPath = "morvane_check_plain.txt", batchPath = "morvane_check_batch.txt";
    auto readAll = [](const std::string& path) {
        std::string bytes;
        if (FILE* f = std::fopen(path.c_str(), "rb")) {
            char buffer[4096];
            size_t n;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
            std::fclose(f);
        }
        return bytes;
    };
    int failures = 0;
    for (int32_t i = 0; i < SearchEngineCount(); ++i) {
        SearchEngineEntry e = SearchEngineAt(i);
        if (!e.supported) {
            std::printf("check: %s not supported here\n", e.engine->name);
            continue;
        }
        for (const char* mode : modes) {
            SearchSettings s = BenchSettings(mode);
            // Ten seconds of masks; a longer range in the rare modes so that
            // they give rows at all.
            const bool rare = std::strcmp(mode, "shiny") == 0 || std::strcmp(mode, "comet") == 0 ||
                              std::strcmp(mode, "grotto") == 0;
            SetMinutes(s, 1);
            s.endSecond = rare ? 59 : 9;
            if (rare) s.pidConsumptionEnd = 400;
            HeadlessWindow w1, w2;
            HeadlessWindowInit(w1);
            HeadlessWindowInit(w2);
            WindowSystem ws1 = HeadlessWindowSystem(w1), ws2 = HeadlessWindowSystem(w2);
            bool running = true;
            SearchOptions plain{plainPath.c_str(), &kPlainEngine}, batch{batchPath.c_str(), e.engine};
            int32_t n1 = RunSearch(s, running, ws1, plain);
            running = true;
            int32_t n2 = RunSearch(s, running, ws2, batch);
            const bool same = n1 == n2 && readAll(plainPath) == readAll(batchPath);
            failures += same ? 0 : 1;
            std::printf("check: %s %s %d rows %s\n", e.engine->name, mode, n2, same ? "identical" : "DIFFERENT");
            if (e.engine != SearchEngineBest()) continue;
            // The parallel walk on three threads, on the engine it takes by default.
            Measure m = RunParallel(s, e.engine, 3, batchPath.c_str());
            const bool parallelSame = m.rows == n1 && readAll(plainPath) == readAll(batchPath);
            failures += parallelSame ? 0 : 1;
            std::printf("check: %s %s parallel, 3 threads, %d rows %s\n", e.engine->name, mode, m.rows,
                        parallelSame ? "identical" : "DIFFERENT");
        }
    }
    std::remove(plainPath.c_str());
    std::remove(batchPath.c_str());
    std::printf("check: best engine %s, %d difference(s)\n", SearchEngineBest()->name, failures);
    return failures == 0 ? 0 : 1;
}

// Processor seconds of repeat calls of f, at least minimum seconds in all.
template <typename F>
double NanosPerCall(F&& f) {
    int64_t calls = 0;
    const double start = CpuSeconds();
    double elapsed = 0;
    for (int64_t batch = 1; elapsed < g_minimumSeconds; batch *= 2) {
        for (int64_t i = 0; i < batch; ++i) f();
        calls += batch;
        elapsed = CpuSeconds() - start;
    }
    return elapsed * 1e9 / static_cast<double>(calls);
}

int Kernels() {
    g_minimumSeconds = 0.3;
    const SearchSettings base = BenchSettings("iv-keys");
    const SeedMessagePrefix prefix = SeedMessagePrefixOf(StartupParametersOf(base));
    const SecondDigest digest = SecondDigestOf(prefix, 0x12112904u, 0x53450700u);
    // The key terms of the masks the initial pattern allows, packed.
    constexpr int32_t stride = 1024 + kEngineMaxLanes;
    std::vector<uint32_t> rows(static_cast<size_t>(kKeyTermRows) * stride, 0), laneTerms(rows.size(), 0);
    int32_t masks = 0;
    for (uint32_t mask = 0; mask < 1024; ++mask) {
        if (!KeyMaskAllowed(base, mask)) continue;
        uint32_t terms[kKeyTermRows];
        KeyScheduleTerms(mask, terms);
        for (int32_t t = 0; t < kKeyTermRows; ++t) rows[static_cast<size_t>(t) * stride + masks] = terms[t];
        std::copy(terms, terms + kKeyTermRows, laneTerms.begin() + static_cast<std::ptrdiff_t>(masks) * kKeyTermRows);
        ++masks;
    }
    std::vector<uint64_t> seeds(1024 + kEngineMaxLanes);
    for (size_t i = 0; i < seeds.size(); ++i) seeds[i] = 0x9E3779B97F4A7C15ull * (i + 1);
    std::vector<uint32_t> w8(1024, 0x12112904u), w9(1024, 0x53450700u), w12(1024);
    for (uint32_t i = 0; i < 1024; ++i) w12[i] = SeedMessageKeyWord(i);
    std::vector<uint32_t> words(static_cast<size_t>(kMtSize) * kEngineChunk), scratch(words.size());
    std::vector<uint32_t> ivs(words.size());
    std::vector<LaneSet> pass(kMtSize);
    std::vector<uint8_t> screenScratch(kLcgScreenScratchBytes + 64);
    std::vector<LaneSet> passSets(kLcgScreenMaxRows);
    for (int32_t e = 0; e < SearchEngineCount(); ++e) {
        const SearchEngineEntry entry = SearchEngineAt(e);
        if (!entry.supported) continue;
        const EngineKernels& k = *entry.kernels;
        Sha1SecondInput second{&digest, rows.data(), stride, masks, laneTerms.data()};
        std::printf("kernels: %-9s sha1 one second %6.2f ns/lane", entry.engine->name,
                    NanosPerCall([&] { k.sha1SecondSeeds(second, seeds.data()); }) / masks);
        Sha1BatchInput own{};
        std::copy(prefix.w, prefix.w + 8, own.prefix);
        own.w8 = w8.data();
        own.w9 = w9.data();
        own.w12 = w12.data();
        own.count = 1024;
        Sha1SecondInput few{&digest, rows.data(), stride, 64, laneTerms.data()};
        std::printf(" (64 lanes %6.2f)", NanosPerCall([&] { k.sha1SecondSeeds(few, seeds.data()); }) / 64);
        std::printf(", own messages %6.2f", NanosPerCall([&] { k.sha1Seeds(own, seeds.data()); }) / 1024);
        SearchSettings iv = BenchSettings("iv-6v");
        SearchRun run{};
        SearchRunInit(run, iv);
        BatchPlan plan;
        BatchPlanOf(run, plan);
        LaneSet any;
        std::printf(", MT words %d..%d %6.2f", plan.mtLo, plan.mtHi, NanosPerCall([&] {
                        k.mtWords(seeds.data(), kEngineChunk, plan.mtLo, plan.mtHi, words.data(), scratch.data());
                    }) / kEngineChunk);
        std::printf(", individual values %6.2f\n", NanosPerCall([&] {
                        k.ivScreen(plan.iv, words.data(), ivs.data(), pass.data(), any);
                    }) / kEngineChunk);
        std::printf("kernels: %-9s draw screens:", entry.engine->name);
        for (const char* mode : {"grotto", "comet", "shiny", "dome", "dome-3", "delivery-6v", "breeding-6v"}) {
            SearchSettings s = BenchSettings(mode);
            SearchRun r{};
            SearchRunInit(r, s);
            BatchPlan p;
            BatchPlanOf(r, p);
            std::vector<LcgJumpRow> jumps, natures;
            for (int32_t row = 0; row < p.lcgRows; ++row) jumps.push_back(LcgJumpRowOf(static_cast<uint64_t>(p.pidStart + row)));
            for (int32_t pos = 0; pos < p.lcg.positions; ++pos)
                natures.push_back(LcgJumpRowOf(static_cast<uint64_t>(p.pidStart + SearchRunDeliveryOffset(r) + pos)));
            LcgScreenInput in{&p.lcg, jumps.data(), p.natureRow < 0 ? natures.data() : nullptr, seeds.data(),
                              screenScratch.data()};
            LcgScreenOutput out;
            out.pass = passSets.data();
            std::printf(" %s %.2f", mode, NanosPerCall([&] { k.lcgScreen(in, out); }) / kEngineChunk);
            SearchRunRelease(r);
        }
        std::printf(" ns/lane\n");
        SearchRunRelease(run);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool quick = false, wholeDayOnly = false;
    bool calibrationOnly = false;
    const char* onlyCase = nullptr;
    const char* profileCase = nullptr;  // the best engine alone on one case, for a profiler
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--check") == 0) return Check();
        if (std::strcmp(argv[i], "--kernels") == 0) return Kernels();
        if (std::strcmp(argv[i], "--profile") == 0 && i + 1 < argc) profileCase = argv[++i];
        if (std::strcmp(argv[i], "--quick") == 0) quick = true;
        if (std::strcmp(argv[i], "--whole-day") == 0) wholeDayOnly = true;
        if (std::strcmp(argv[i], "--calibration") == 0) calibrationOnly = true;
        if (std::strcmp(argv[i], "--out") == 0 && i + 1 < argc) g_out = argv[++i];
        if (std::strcmp(argv[i], "--case") == 0 && i + 1 < argc) onlyCase = argv[++i];
    }
    if (quick) g_minimumSeconds = 0.3;
    const SearchEngine* best = SearchEngineBest();
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--engine") != 0) continue;
        for (int32_t e = 0; e < SearchEngineCount(); ++e)
            if (std::strcmp(SearchEngineAt(e).engine->name, argv[i + 1]) == 0 && SearchEngineAt(e).supported)
                best = SearchEngineAt(e).engine;
    }
    if (profileCase) {
        g_minimumSeconds = 3;
        std::printf("bench: %s %.0f (best engine only)\n", profileCase, Rate(BenchSettings(profileCase), best));
        return 0;
    }
    CpuFeatures f = CpuFeaturesDetected();
    std::printf("bench: engine %s (cpu: avx2 %d, avx512 %d, sha %d)\n", best->name, f.avx2, f.avx512,
                f.sha);
    if (calibrationOnly) {
        CalibrationRates(best);
        CalibrationFullRange(best);
        return 0;
    }
    // The whole day runs first, so that the process's peak resident size is
    // that of the one-thread search alone: after its first batch and at its
    // end the two agree when the search keeps its tables from start to end.
    if (!quick && !onlyCase) {
        SearchSettings s = BenchSettings("iv-keys");
        SetMinutes(s, 1440);
        Resident atStart{0, 0};
        Measure day = RunOnce(s, best, &atStart);
        Resident atEnd = ResidentOf();
        std::printf("bench: whole-day-iv-keys %.0f candidates in %.2f s (%d rows)\n",
                    static_cast<double>(day.candidates), day.seconds, day.rows);
        if (atStart.peakKb > 0 && atEnd.peakKb > 0)
            std::printf("bench: whole-day-iv-keys peak resident %ld kB after the first batch, %ld kB at the end "
                        "(resident then %ld kB and %ld kB)\n",
                        atStart.peakKb, atEnd.peakKb, atStart.nowKb, atEnd.nowKb);
        else
            std::printf("bench: whole-day-iv-keys peak resident not measured (no /proc/self/status)\n");
        std::fflush(stdout);
        // The same day on the parallel walk, on one thread and on every core,
        // against the one-thread search's wall clock.
        const double single = day.candidates / day.wallSeconds;
        const int32_t cores = ParallelCoreCount();
        Measure one = RunParallel(s, best, 1);
        const double oneRate = one.candidates / one.wallSeconds;
        std::printf("bench: whole-day-iv-keys parallel threads 1: %.0f candidates/s (%.2f s wall, %.2f s "
                    "processor, %d rows)\n",
                    oneRate, one.wallSeconds, one.seconds, one.rows);
        std::fflush(stdout);
        Measure all = RunParallel(s, best, cores);
        const double rate = all.candidates / all.wallSeconds;
        std::printf("bench: whole-day-iv-keys parallel threads %d: %.0f candidates/s (%.2f s wall, %.2f s "
                    "processor, %d rows), speed-up %.2fx over threads 1, per core %.0f/s = %.0f%% of the "
                    "one-thread search (%.0f/s, %.2f s wall)\n",
                    cores, rate, all.wallSeconds, all.seconds, all.rows, rate / oneRate, rate / cores,
                    100.0 * rate / cores / single, single, day.wallSeconds);
    }
    const char* cases[] = {"iv-keys", "iv-roamer", "shiny", "breeding", "delivery", "comet", "dome", "grotto"};
    for (const char* name : cases) {
        if (wholeDayOnly) break;
        if (onlyCase && std::strcmp(onlyCase, name) != 0) continue;
        SearchSettings s = BenchSettings(name);
        const double literal = Rate(s, &kPlainEngine);
        const double fast = Rate(s, best);
        std::printf("bench: %s %.0f %.1f\n", name, fast, fast / literal);
        std::fflush(stdout);
    }
    const char* extras[] = {"iv-6v", "iv-anchor", "delivery-6v", "breeding-6v", "dome-3"};
    for (const char* name : extras) {
        if (wholeDayOnly) break;
        if (onlyCase && std::strcmp(onlyCase, name) != 0) continue;
        SearchSettings s = BenchSettings(name);
        const double literal = Rate(s, &kPlainEngine);
        const double fast = Rate(s, best);
        std::printf("bench: %s %.0f %.1f (selective variant)\n", name, fast, fast / literal);
        std::fflush(stdout);
    }
    if (!wholeDayOnly && (!onlyCase || std::strncmp(onlyCase, "calibrate", 9) == 0)) {
        CalibrationRates(best);
        if (!quick) CalibrationFullRange(best);
    }
    return 0;
}
