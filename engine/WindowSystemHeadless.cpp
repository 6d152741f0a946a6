#include <chrono>
#include <cstdio>
#include <cstring>

#include "engine/WindowSystem.h"

static void HeadlessPump(void* context) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    ++w.pumpCount;
    if (w.onPump) w.onPump(w, w.hookContext);
}

static void HeadlessShowProgress(void* context, int32_t year, int32_t month, int32_t day,
                                 int32_t count) {
    auto& w = *static_cast<HeadlessWindow*>(context);
    w.lastProgress = HeadlessProgress{year, month, day, count};
    ++w.progressCount;
    if (w.onProgress) w.onProgress(w, w.lastProgress, w.hookContext);
}

static void HeadlessRestoreTitle(void* context) {
    ++static_cast<HeadlessWindow*>(context)->restoreCount;
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
    return WindowSystem{&window,           HeadlessPump, HeadlessShowProgress,
                        HeadlessRestoreTitle, HeadlessShellOpen, HeadlessNow,
                        HeadlessQuit};
}
