// Demonstration search without a window: the example console of the
// README, one minute of 29 November 2012, default individual-value filter
// narrowed to H 31, written to result.txt in the current directory.
#include <cstdio>
#include <cstring>

#include "app/SearchSettings.h"
#include "seed/SeedSearch.h"
#include "seed/SearchEngine.h"

int main(int argc, char** argv) {
    const char* path = argc > 1 ? argv[1] : "result.txt";
    SearchSettings s;
    SearchSettingsInit(s);
    VersionConstantsSet(s.version, kGameBlack);
    s.vCount = 0x60;
    s.timer0 = 0xC79;
    s.gxStat = 0x06000000;
    s.frame = 8;
    const unsigned mac[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    uint32_t g = static_cast<uint32_t>(s.gxStat ^ static_cast<uint32_t>(s.frame));
    s.MacWord6 = (mac[4] << 8) | mac[5];
    s.MacWord7 = ((mac[0] << 24) | (mac[1] << 16) | (mac[2] << 8) | mac[3]) ^
                 ((g >> 24) | ((g >> 8) & 0xFF00u) | ((g << 8) & 0xFF0000u) | (g << 24));
    s.startYear = s.endYear = 12;
    s.startMonth = s.endMonth = 11;
    s.startDay = s.endDay = 29;
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
