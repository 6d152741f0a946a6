// The start button's command (1100): starts a search when none runs and
// aborts the running one otherwise. The search runs inside this command and
// pumps the window's messages, so the command is entered again from that
// pump; the cases that re-entry brings (abort, a press while an aborted
// search unwinds, the window closed mid-search) are settled here, apart from
// the window system, so they can be tested natively.
#pragma once

#include "modes/SearchSettings.h"

extern const char kStartButtonIdleText[];     // "検索開始"
extern const char kStartButtonRunningText[];  // "中断"

struct StartCommandState {
    bool running;       // SearchRunning: cleared by an abort, the search stops at its next check
    bool searchActive;  // a search is on the stack, possibly already aborted
};

// What the command needs from the window around it.
struct StartCommandHost {
    void* context;
    void (*setButtonText)(void* context, const char* text);
    // Copies the main window's controls into the settings.
    void (*capture)(void* context, SearchSettings& settings);
    // Runs one search; returns when it has finished or stopped.
    void (*runSearch)(void* context, const SearchSettings& settings, bool& running);
    // True once the window was closed during the search: it is gone, and
    // the program must end instead of relabelling it.
    bool (*windowClosed)(void* context);
    // Ends the message loop (the quit the search's pump swallowed).
    void (*endProgram)(void* context);
    // Invalidates the client area without erasing it.
    void (*repaint)(void* context);
};

void StartCommandStateInit(StartCommandState& state);

// One press of the start button.
void StartCommandPress(StartCommandState& state, SearchSettings& settings,
                       const StartCommandHost& host);
