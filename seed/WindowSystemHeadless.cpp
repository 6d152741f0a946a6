#include <chrono>
#include <cstdio>
#include <cstring>

#include "seed/WindowSystem.h"

static void HeadlessPump(void* context) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    ++w.pumpCount;
    if (w.onPump) w.onPump(w, w.hookContext);
}

static void HeadlessSetTitle(void* context, const char* text) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    std::snprintf(w.lastTitle, sizeof w.lastTitle, "%s", text);
    ++w.titleCount;
    if (w.onTitle) w.onTitle(w, text, w.hookContext);
}

static void HeadlessShellOpen(void* context, const char* path) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    std::snprintf(w.lastOpened, sizeof w.lastOpened, "%s", path);
    ++w.shellOpenCount;
}

static uint64_t HeadlessNow(void* context) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    if (w.fakeStep > 0) {
        w.fakeNow += w.fakeStep;
        return w.fakeNow;
    }
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count());
}

static bool HeadlessQuit(void* context) { return static_cast<HeadlessWindow*>(context)->quit; }

void HeadlessWindowInit(HeadlessWindow& window) { std::memset(&window, 0, sizeof window); }

WindowSystem HeadlessWindowSystem(HeadlessWindow& window) {
    return WindowSystem{&window,      HeadlessPump, HeadlessSetTitle, HeadlessShellOpen,
                        HeadlessNow, HeadlessQuit};
}
