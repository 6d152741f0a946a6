// What the search needs from the window system: the message pump that lets
// the window's commands run between candidates, the title that carries the
// progress text, the shell's "open" of the result file and a clock for rate
// limiting the first two. The Win32 program supplies one implementation; the
// headless one serves the tests, the benchmark and the demonstration run.
#pragma once

#include <cstdint>

struct WindowSystem {
    void* context;
    // Remove and dispatch every message waiting for the thread.
    void (*pump)(void* context);
    // Set the main window's title (code page 932 bytes).
    void (*setTitle)(void* context, const char* text);
    // Hand the file to the shell's "open" action, shown normally.
    void (*shellOpen)(void* context, const char* path);
    // Monotonic milliseconds.
    uint64_t (*nowMillis)(void* context);
    // True once the window has been closed: the search ends without handing
    // the result file to the shell.
    bool (*quitRequested)(void* context);
};

// Headless window system: records titles and opens, calls an optional hook
// from the pump (tests abort or change settings there), and either reads the
// steady clock or advances a fake one by a fixed step on every reading.
struct HeadlessWindow {
    char lastTitle[256];
    int titleCount;       // titles set so far
    int pumpCount;        // pumps so far
    int shellOpenCount;
    char lastOpened[260];
    bool quit;
    uint64_t fakeNow;     // used when fakeStep > 0
    uint64_t fakeStep;    // 0: real clock
    void (*onPump)(HeadlessWindow& window, void* hookContext);
    void (*onTitle)(HeadlessWindow& window, const char* text, void* hookContext);
    void* hookContext;
};

void HeadlessWindowInit(HeadlessWindow& window);
WindowSystem HeadlessWindowSystem(HeadlessWindow& window);
