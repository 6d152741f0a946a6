#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "modes/ResultFile.h"
#include "modes/SearchModes.h"
#include "tests/engine/search_test_support.h"

namespace {

struct DriverFixture : ::testing::Test {
    RecordedWalk walk;
    HeadlessWindow window;
    std::string path = TempResultPath("driver");
    void SetUp() override {
        g_recordedWalk = &walk;
        HeadlessWindowInit(window);
        window.fakeStep = 10;
    }
    void TearDown() override {
        g_recordedWalk = nullptr;
        std::remove(path.c_str());
    }
    std::vector<uint32_t> MasksOfFirstSecond() const {
        std::vector<uint32_t> masks;
        for (const CandidateMoment& m : walk.moments)
            if (m.second == walk.moments.front().second && m.minute == walk.moments.front().minute)
                masks.push_back(m.keyMask);
        return masks;
    }
};

// Every progress report as "yy/month/day:count"; the title is restored only
// after the last one.
std::vector<std::string> g_progress;
void RecordProgress(HeadlessWindow& w, const HeadlessProgress& p, void*) {
    EXPECT_EQ(w.restoreCount, 0);
    g_progress.push_back(std::to_string(p.year) + "/" + std::to_string(p.month) + "/" +
                         std::to_string(p.day) + ":" + std::to_string(p.count));
}

}  // namespace

TEST_F(DriverFixture, KeyMasksPerSecond) {
    SearchSettings s = ExampleSearchSettings();
    s.startSecond = 0;
    s.endSecond = 1;

    s.keyInputEnabled = false;
    RunHeadless(s, path, &kRecordingEngine1, window);
    ASSERT_EQ(walk.moments.size(), 2u);
    EXPECT_EQ(walk.moments[0].keyMask, 1023u);
    EXPECT_EQ(walk.moments[1].second, 1);

    // Every key usable, exclusion off: 0..1023 in increasing order.
    walk = {};
    s.keyInputEnabled = true;
    s.excludeOppositeAndReset = false;
    RunHeadless(s, path, &kRecordingEngine1, window);
    ASSERT_EQ(walk.moments.size(), 2048u);
    for (uint32_t i = 0; i < 1024; ++i) ASSERT_EQ(walk.moments[i].keyMask, i);

    // Only A usable: A pressed, then nothing pressed.
    walk = {};
    for (int i = 1; i < 10; ++i) s.usableKeys[i] = false;
    RunHeadless(s, path, &kRecordingEngine1, window);
    EXPECT_EQ(MasksOfFirstSecond(), (std::vector<uint32_t>{1022, 1023}));

    // No key usable: one candidate per second, the header still says key input.
    walk = {};
    s.usableKeys[0] = false;
    s.excludeOppositeAndReset = true;
    RunHeadless(s, path, &kRecordingEngine1, window);
    EXPECT_EQ(MasksOfFirstSecond(), (std::vector<uint32_t>{1023}));
    std::string header = SplitCrLfLines(ReadFileBytes(path)).at(0);
    EXPECT_EQ(header, std::string(ResultHeaderOf(kModeIv)) + kResultKeyInputColumn);
}

TEST_F(DriverFixture, DateWalkLeapYearYearEndAndBadDates) {
    SearchSettings s = ExampleSearchSettings();
    auto days = [&](int sy, int sm, int sd, int ey, int em, int ed) {
        walk = {};
        s.startYear = sy, s.startMonth = sm, s.startDay = sd;
        s.endYear = ey, s.endMonth = em, s.endDay = ed;
        RunHeadless(s, path, &kRecordingEngine1, window);
        std::vector<std::string> out;
        for (const CandidateMoment& m : walk.moments)
            out.push_back(std::to_string(m.year) + "/" + std::to_string(m.month) + "/" +
                          std::to_string(m.day) + ":" + std::to_string(m.weekday));
        return out;
    };
    // 2012 is a leap year; 29 February is never reached by advancing.
    EXPECT_EQ(days(12, 2, 28, 12, 3, 1), (std::vector<std::string>{"12/2/28:2", "12/3/1:4"}));
    g_progress.clear();
    HeadlessWindowInit(window);
    window.fakeStep = 10;
    window.onProgress = RecordProgress;
    EXPECT_EQ(days(12, 12, 31, 13, 1, 1), (std::vector<std::string>{"12/12/31:1", "13/1/1:2"}));
    window.onProgress = nullptr;
    // The year that follows 12 is reported as 13, with the count so far.
    EXPECT_NE(std::find(g_progress.begin(), g_progress.end(), "13/1/1:0"), g_progress.end());
    EXPECT_EQ(window.restoreCount, 1);

    // Start after end: the first day is walked all the same.
    EXPECT_EQ(days(12, 5, 10, 12, 5, 1).size(), 1u);
    // Days past a month's end, and months outside 1..12, end instead of
    // walking forever.
    EXPECT_EQ(days(12, 2, 30, 12, 3, 2), (std::vector<std::string>{"12/2/30:4", "12/3/1:4",
                                                                    "12/3/2:5"}));
    EXPECT_EQ(days(12, 4, 31, 12, 5, 1).size(), 2u);
    EXPECT_EQ(days(12, 13, 30, 13, 1, 1).size(), 3u);  // 13/30, 13/31, then 1 January
    EXPECT_EQ(days(12, 0, 31, 12, 1, 1).size(), 2u);
    // A whole year walks 365 days.
    EXPECT_EQ(days(12, 1, 1, 12, 12, 31).size(), 365u);
}

TEST_F(DriverFixture, BackwardsRangesWalkNothingButShowTheDays) {
    SearchSettings s = ExampleSearchSettings();
    s.startHour = 5;
    s.endHour = 3;
    s.endDay = 30;
    g_progress.clear();
    window.onProgress = RecordProgress;
    RunHeadless(s, path, &kRecordingEngine1, window);
    EXPECT_TRUE(walk.moments.empty());
    EXPECT_EQ(g_progress, (std::vector<std::string>{"12/11/29:0", "12/11/30:0"}));
    EXPECT_EQ(window.progressCount, 2);
    EXPECT_EQ(window.restoreCount, 1);
    EXPECT_EQ(window.shellOpenCount, 1);
    EXPECT_EQ(ReadFileBytes(path), std::string(ResultHeaderOf(kModeIv)) + "\r\n");
}

TEST_F(DriverFixture, PidEndClampedAndBatchesNeverSpanDays) {
    SearchSettings s = ExampleSearchSettings();
    s.pidConsumptionEnd = 5000;
    s.keyInputEnabled = true;
    s.startSecond = 0;
    s.endSecond = 0;
    s.endDay = 30;
    RunHeadless(s, path, &kRecordingEngine64, window);
    ASSERT_FALSE(walk.pidEnds.empty());
    EXPECT_EQ(walk.pidEnds.front(), 2800);
    // 540 masks per second with the default pattern: 8 full batches and a
    // remainder of 28 for each of the two days.
    std::vector<int32_t> expected;
    for (int day = 0; day < 2; ++day) {
        for (int i = 0; i < 8; ++i) expected.push_back(64);
        expected.push_back(540 - 8 * 64);
    }
    EXPECT_EQ(walk.batchSizes, expected);
}

namespace {
struct AbortHook {
    bool* running;
    int abortAtPump;
};
void AbortFromPump(HeadlessWindow& w, void* context) {
    auto* hook = static_cast<AbortHook*>(context);
    if (w.pumpCount == hook->abortAtPump) *hook->running = false;
}
}  // namespace

TEST_F(DriverFixture, AbortInThePumpKeepsRowsClosesAndOpensTheFile) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    s.startSecond = 0;
    s.endSecond = 59;
    s.ivMin[0] = 0;  // every position passes: one row per candidate
    bool running = true;
    AbortHook hook{&running, 5};
    window.onPump = AbortFromPump;
    window.hookContext = &hook;
    WindowSystem ws = HeadlessWindowSystem(window);
    SearchOptions options{path.c_str(), &kPlainEngine};
    int32_t count = RunSearch(s, running, ws, options);
    // The candidate whose pump took the abort is still evaluated.
    EXPECT_EQ(count, 5);
    EXPECT_EQ(SplitCrLfLines(ReadFileBytes(path)).size(), 6u);
    EXPECT_EQ(window.shellOpenCount, 1);
    EXPECT_EQ(std::string(window.lastOpened), path);
    EXPECT_EQ(window.restoreCount, 1);
}

TEST_F(DriverFixture, ClosedWindowEndsTheSearchWithoutOpeningTheFile) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    window.onPump = [](HeadlessWindow& w, void*) {
        if (w.pumpCount == 3) w.quit = true;
    };
    bool running = true;
    WindowSystem ws = HeadlessWindowSystem(window);
    SearchOptions options{path.c_str(), &kPlainEngine};
    RunSearch(s, running, ws, options);
    EXPECT_EQ(window.pumpCount, 3);
    EXPECT_EQ(window.shellOpenCount, 0);
    EXPECT_EQ(SplitCrLfLines(ReadFileBytes(path)).at(0), ResultHeaderOf(kModeIv) + std::string(kResultKeyInputColumn));
}

TEST_F(DriverFixture, UnopenableResultFileStillCountsAndIsNotOpened) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    std::string missing = std::string(::testing::TempDir()) + "no/such/dir/result.txt";
    int32_t count = RunHeadless(s, missing, &kPlainEngine, window);
    EXPECT_GT(count, 0);
    EXPECT_EQ(window.shellOpenCount, 0);
    EXPECT_EQ(window.restoreCount, 1);
}

TEST_F(DriverFixture, PumpAndProgressAreRateLimited) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    s.startSecond = 0;
    s.endSecond = 9;
    s.ivMin[0] = 0;
    window.fakeStep = 1;  // one millisecond per clock reading
    g_progress.clear();
    window.onProgress = RecordProgress;
    int32_t count = RunHeadless(s, path, &kPlainEngine, window);
    ASSERT_EQ(count, 5400);
    // The first batch always pumps; then one pump per 10 ms of clock.
    EXPECT_GE(window.pumpCount, 1);
    EXPECT_LT(window.pumpCount, count / 4);
    // A grown count is shown at most every 100 ms: far fewer reports than rows.
    EXPECT_GT(g_progress.size(), 2u);
    EXPECT_LT(g_progress.size(), static_cast<size_t>(count / 40));
}

namespace {
HeadlessWindow* g_slowWindow = nullptr;
// Records the batch and lets 30 ms pass on the fake clock while "evaluating"
// every batch of the first second, none afterwards.
void SlowFirstSecondBatch(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    RecordBatch(run, moments, count);
    if (moments[0].second == 0) g_slowWindow->fakeNow += 30;
}
const SearchEngine kSlowEngine = {"slow", 64, SlowFirstSecondBatch};
}  // namespace

TEST_F(DriverFixture, SlowBatchesShrinkAndQuickOnesGrowBack) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    s.startSecond = 0;
    s.endSecond = 1;
    window.fakeStep = 1;
    g_slowWindow = &window;
    RunHeadless(s, path, &kSlowEngine, window);
    g_slowWindow = nullptr;
    // Second 0: every batch is slow, so each is half the one before, down to
    // one candidate; second 1: quick again, doubling back to 64.
    ASSERT_GE(walk.batchSizes.size(), 8u);
    EXPECT_EQ(std::vector<int32_t>(walk.batchSizes.begin(), walk.batchSizes.begin() + 8),
              (std::vector<int32_t>{64, 32, 16, 8, 4, 2, 1, 1}));
    EXPECT_EQ(walk.batchSizes.back() <= 64, true);
    EXPECT_NE(std::find(walk.batchSizes.rbegin(), walk.batchSizes.rbegin() + 3, 64),
              walk.batchSizes.rbegin() + 3);
    // Nothing is lost or reordered by the changing sizes.
    ASSERT_EQ(walk.moments.size(), 2u * 540u);
    for (size_t i = 1; i < walk.moments.size(); ++i) {
        const CandidateMoment& a = walk.moments[i - 1];
        const CandidateMoment& b = walk.moments[i];
        EXPECT_TRUE(a.second < b.second || (a.second == b.second && a.keyMask < b.keyMask));
    }
}
