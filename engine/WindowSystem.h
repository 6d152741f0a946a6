// What the search needs from the window system: the message pump that lets
// the window's commands run between candidates, the progress of the walk and
// the end of the search (which the window shows in its title), the shell's
// "open" of the result file and a clock for rate limiting the pump and the
// progress. The search says only what happened; the window program turns it
// into its texts. The Win32 program supplies one implementation; the headless
// one serves the tests, the benchmark and the demonstration run.
#pragma once

#include <cstdint>

struct WindowSystem {
    void* context;
    // Remove and dispatch every message waiting for the thread.
    void (*pump)(void* context);
    // The walk is at this day (yy, month, day) with count matches so far.
    void (*showProgress)(void* context, int32_t year, int32_t month, int32_t day, int32_t count);
    // The search has ended: the window shows its own title again.
    void (*restoreTitle)(void* context);
    // Hand the file to the shell's "open" action, shown normally.
    void (*shellOpen)(void* context, const char* path);
    // Monotonic milliseconds.
    uint64_t (*nowMillis)(void* context);
    // True once the window has been closed: the search ends without handing
    // the result file to the shell.
    bool (*quitRequested)(void* context);
};

// One progress report of the search: the day walked and the matches so far.
struct HeadlessProgress {
    int32_t year, month, day;
    int32_t count;
};

// Headless window system: records what the search told it and the files it
// opened, calls optional hooks from the pump (tests abort or change settings
// there) and from every progress report, and either reads the steady clock
// or advances a fake one by a fixed step on every reading.
struct HeadlessWindow {
    HeadlessProgress lastProgress;  // the last one reported
    int progressCount;    // progress reports so far
    int restoreCount;     // title restorations so far (one per search)
    int pumpCount;        // pumps so far
    int shellOpenCount;
    char lastOpened[260];
    bool quit;
    uint64_t fakeNow;     // used when fakeStep > 0
    uint64_t fakeStep;    // 0: real clock
    void (*onPump)(HeadlessWindow& window, void* hookContext);
    void (*onProgress)(HeadlessWindow& window, const HeadlessProgress& progress,
                       void* hookContext);
    void* hookContext;
};

void HeadlessWindowInit(HeadlessWindow& window);
WindowSystem HeadlessWindowSystem(HeadlessWindow& window);
