#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/StartCommand.h"
#include "tests/engine/search_test_support.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"

namespace {

// A window around the start command that records what the command does to
// it; the search is a hook the test supplies, called from runSearch.
struct FakeHost {
    StartCommandState* state;
    SearchSettings* settings;
    std::vector<std::string> buttonTexts;
    int captures = 0;
    int searches = 0;
    int depth = 0;      // searches on the stack right now
    int maxDepth = 0;
    int repaints = 0;
    int programEnds = 0;
    bool closed = false;
    bool runningSeenBySearch = false;
    void (*search)(FakeHost& host, bool& running) = nullptr;
};

StartCommandHost HostOf(FakeHost& fake) {
    StartCommandHost host;
    host.context = &fake;
    host.setButtonText = [](void* c, const char* text) {
        static_cast<FakeHost*>(c)->buttonTexts.push_back(text);
    };
    host.capture = [](void* c, SearchSettings&) { ++static_cast<FakeHost*>(c)->captures; };
    host.runSearch = [](void* c, const SearchSettings&, bool& running) {
        FakeHost& f = *static_cast<FakeHost*>(c);
        ++f.searches;
        ++f.depth;
        if (f.depth > f.maxDepth) f.maxDepth = f.depth;
        f.runningSeenBySearch = running;
        if (f.search) f.search(f, running);
        --f.depth;
    };
    host.windowClosed = [](void* c) { return static_cast<FakeHost*>(c)->closed; };
    host.endProgram = [](void* c) { ++static_cast<FakeHost*>(c)->programEnds; };
    host.repaint = [](void* c) { ++static_cast<FakeHost*>(c)->repaints; };
    return host;
}

// The press as the window procedure makes it, from inside the fake search.
void PressFromPump(FakeHost& fake) {
    StartCommandPress(*fake.state, *fake.settings, HostOf(fake));
}

struct StartCommandFixture {
    StartCommandState state;
    SearchSettings settings;
    FakeHost fake;
    StartCommandFixture() {
        StartCommandStateInit(state);
        SearchSettingsInit(settings);
        fake.state = &state;
        fake.settings = &settings;
    }
    void Press() { StartCommandPress(state, settings, HostOf(fake)); }
};

const std::string kIdle = "検索開始";
const std::string kRunning = "中断";

}  // namespace

TEST(StartCommand, SearchRunsToItsEnd) {
    StartCommandFixture f;
    EXPECT_FALSE(f.state.running);
    f.Press();
    EXPECT_EQ(f.fake.captures, 1);
    EXPECT_EQ(f.fake.searches, 1);
    EXPECT_TRUE(f.fake.runningSeenBySearch);
    EXPECT_EQ(f.fake.buttonTexts, (std::vector<std::string>{kRunning, kIdle}));
    EXPECT_EQ(f.fake.repaints, 1);
    EXPECT_EQ(f.fake.programEnds, 0);
    EXPECT_FALSE(f.state.running);
    EXPECT_FALSE(f.state.searchActive);

    // The next press starts a new search.
    f.Press();
    EXPECT_EQ(f.fake.captures, 2);
    EXPECT_EQ(f.fake.searches, 2);
    EXPECT_EQ(f.fake.maxDepth, 1);
}

TEST(StartCommand, SecondPressAbortsAndRelabelsAtOnce) {
    StartCommandFixture f;
    f.fake.search = [](FakeHost& host, bool& running) {
        PressFromPump(host);
        // The abort is visible to the search at its next check.
        EXPECT_FALSE(running);
        EXPECT_EQ(host.buttonTexts.back(), kIdle);
        EXPECT_EQ(host.repaints, 0);
    };
    f.Press();
    EXPECT_EQ(f.fake.captures, 1);  // the abort captures nothing
    EXPECT_EQ(f.fake.searches, 1);
    EXPECT_EQ(f.fake.buttonTexts, (std::vector<std::string>{kRunning, kIdle, kIdle}));
    EXPECT_EQ(f.fake.repaints, 1);
    EXPECT_FALSE(f.state.running);
}

TEST(StartCommand, PressWhileAbortedSearchUnwindsStartsNothing) {
    StartCommandFixture f;
    f.fake.search = [](FakeHost& host, bool& running) {
        PressFromPump(host);  // abort
        PressFromPump(host);  // in the same pump, before the search has stopped
        PressFromPump(host);
        EXPECT_FALSE(running);
    };
    f.Press();
    EXPECT_EQ(f.fake.searches, 1);
    EXPECT_EQ(f.fake.maxDepth, 1);
    EXPECT_EQ(f.fake.captures, 1);
    EXPECT_EQ(f.fake.buttonTexts, (std::vector<std::string>{kRunning, kIdle, kIdle}));

    // Once it has returned the button starts searches again.
    f.fake.search = nullptr;
    f.Press();
    EXPECT_EQ(f.fake.searches, 2);
    EXPECT_EQ(f.fake.captures, 2);
}

TEST(StartCommand, WindowClosedDuringSearchEndsTheProgram) {
    StartCommandFixture f;
    f.fake.search = [](FakeHost& host, bool& running) {
        // What the pump does when it meets the quit message.
        host.closed = true;
        running = false;
    };
    size_t textsBefore = f.fake.buttonTexts.size();
    f.Press();
    EXPECT_EQ(f.fake.programEnds, 1);
    // The window is gone: no relabel and no repaint after the search.
    EXPECT_EQ(f.fake.buttonTexts.size(), textsBefore + 1);
    EXPECT_EQ(f.fake.buttonTexts.back(), kRunning);
    EXPECT_EQ(f.fake.repaints, 0);
    EXPECT_FALSE(f.state.running);
    EXPECT_FALSE(f.state.searchActive);
}

namespace {

// The start command over the real driver and the headless window: the
// driver's pump presses the button again at a chosen pump.
struct DriverHost {
    StartCommandFixture* fixture;
    HeadlessWindow window;
    std::string resultPath;
    int abortAtPump;
};
DriverHost driver;

}  // namespace

TEST(StartCommand, AbortFromTheDriversPumpStopsAtTheNextCandidate) {
    StartCommandFixture f;
    f.settings = ExampleSearchSettings();
    f.settings.startSecond = 0;
    f.settings.endSecond = 59;  // 60 candidates, one per second
    driver.fixture = &f;
    driver.resultPath = TempResultPath("start_command_abort");
    driver.abortAtPump = 3;
    HeadlessWindowInit(driver.window);
    driver.window.fakeStep = 20;  // every candidate is due for a pump
    driver.window.onPump = [](HeadlessWindow& w, void*) {
        if (w.pumpCount == driver.abortAtPump) PressFromPump(driver.fixture->fake);
    };
    f.fake.search = [](FakeHost& host, bool& running) {
        WindowSystem ws = HeadlessWindowSystem(driver.window);
        RunSearch(*host.settings, running, ws,
                  SearchOptions{driver.resultPath.c_str(), &kPlainEngine});
    };
    f.Press();
    // The candidate whose pump saw the abort is still evaluated; the next
    // check stops the walk, so no fourth pump happens.
    EXPECT_EQ(driver.window.pumpCount, 3);
    EXPECT_EQ(driver.window.shellOpenCount, 1);
    EXPECT_EQ(driver.window.restoreCount, 1);
    EXPECT_EQ(f.fake.buttonTexts, (std::vector<std::string>{kRunning, kIdle, kIdle}));
    EXPECT_FALSE(f.state.running);
    std::remove(driver.resultPath.c_str());
}
