#include "app/StartCommand.h"

const char kStartButtonIdleText[] = "検索開始";
const char kStartButtonRunningText[] = "中断";

void StartCommandStateInit(StartCommandState& state) {
    state.running = false;
    state.searchActive = false;
}

void StartCommandPress(StartCommandState& state, SearchSettings& settings,
                       const StartCommandHost& host) {
    if (state.running) {
        host.setButtonText(host.context, kStartButtonIdleText);
        state.running = false;
        return;
    }
    // An aborted search that has not yet reached its next check is still on
    // the stack with "result.txt" open; a search started from its pump would
    // write the same file under it. The press is dropped: the button already
    // reads "検索開始" and works again once the search has returned.
    if (state.searchActive) return;

    host.capture(host.context, settings);
    host.setButtonText(host.context, kStartButtonRunningText);
    state.running = true;
    state.searchActive = true;
    host.runSearch(host.context, settings, state.running);
    state.searchActive = false;
    state.running = false;
    if (host.windowClosed(host.context)) {
        host.endProgram(host.context);
        return;
    }
    host.setButtonText(host.context, kStartButtonIdleText);
    host.repaint(host.context);
}
