// The headless side of scripts/window_speed.sh: one search of the worked
// example console (key input on, all six lower bounds 31, consumption 7 to 7
// as the window starts with) from 29 November 2012 to a later day of 2012,
// hours START..END, on the fastest
// engine and the headless window system, timed by the wall clock as the
// window's search is. Built for Windows and run under Wine, next to the
// window program on the same core.
//
//   headless_speed END_MONTH END_DAY START_HOUR END_HOUR OUT
//       prints "candidates <n>", "rows <n>", "engine <name>", "ms <elapsed>"
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "modes/SearchSettings.h"
#include "engine/SearchEngine.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"
#include "bench/ExampleConsole.h"

namespace {

// Counts the candidates on their way to the best engine: the window does not
// report them, and both sides walk the same ones.
const SearchEngine* g_best = nullptr;
int64_t g_candidates = 0;

void CountingBatch(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    g_candidates += count;
    g_best->evaluateBatch(run, moments, count);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: headless_speed END_MONTH END_DAY START_HOUR END_HOUR OUT\n");
        return 2;
    }
    SearchSettings s = ExampleConsoleSettings();
    s.keyInputEnabled = true;
    for (int32_t& low : s.ivMin) low = 31;
    s.endMonth = std::atoi(argv[1]);
    s.endDay = std::atoi(argv[2]);
    s.startHour = std::atoi(argv[3]);
    s.endHour = std::atoi(argv[4]);
    s.startMinute = s.startSecond = 0;
    s.endMinute = s.endSecond = 59;

    g_best = SearchEngineBest();
    SearchEngine counting = {g_best->name, g_best->batchSize, CountingBatch};
    HeadlessWindow window;
    HeadlessWindowInit(window);
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    SearchOptions options{argv[5], &counting};
    auto start = std::chrono::steady_clock::now();
    int32_t rows = RunSearch(s, running, ws, options);
    auto elapsed = std::chrono::steady_clock::now() - start;
    std::printf("candidates %lld\nrows %d\nengine %s\nms %lld\n", static_cast<long long>(g_candidates), rows,
                g_best->name,
                static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count()));
    return 0;
}
