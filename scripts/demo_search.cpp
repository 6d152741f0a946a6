// Demonstration search without a window: the worked example's console, one
// minute of 29 November 2012 with key input, H narrowed to 31, written to
// result.txt (or the path given) by the fastest engine this processor has.
#include <cstdio>

#include "modes/SearchSettings.h"
#include "engine/SeedSearch.h"
#include "engine/SearchEngine.h"
#include "bench/ExampleConsole.h"

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "result.txt";
    SearchSettings s = ExampleConsoleSettings();
    s.startHour = s.endHour = 13;
    s.startMinute = s.endMinute = 45;
    s.keyInputEnabled = true;
    s.ivMin[0] = 31;
    HeadlessWindow window;
    HeadlessWindowInit(window);
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    SearchOptions options{path, SearchEngineBest()};
    int32_t count = RunSearch(s, running, ws, options);
    std::printf("demonstration search (%s engine): %d rows written to %s\n",
                options.engine->name, count, path);
    return 0;
}
