// The parallel search against the one-thread search: the same bytes and
// count for any number of threads, also when every chunk outgrows its
// buffer and writes through; an abort leaves whole rows that start the
// one-thread file; an empty walk leaves the header.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "engine/ParallelSearch.h"
#include "engine/SearchEngine.h"
#include "modes/SearchModes.h"
#include "tests/engine/search_test_support.h"

namespace {

struct Reference {
    std::string bytes;
    int32_t matches;
};

Reference OneThread(const SearchSettings& s, const SearchEngine* engine) {
    HeadlessWindow window;
    HeadlessWindowInit(window);
    const std::string path = TempResultPath("parallel_reference");
    Reference r;
    r.matches = RunHeadless(s, path, engine, window);
    r.bytes = ReadFileBytes(path);
    std::remove(path.c_str());
    return r;
}

// The sink and progress of one parallel search; either may set the abort.
struct Collected {
    std::string bytes;
    std::atomic<bool> abort{false};
    size_t abortAtBytes = 0;         // the sink aborts once this many bytes came; 0: never
    bool abortAtProgress = false;    // the first report after some candidates aborts
    std::chrono::steady_clock::time_point abortedAt;
    std::vector<uint64_t> progressCandidates, progressRows;
};

void CollectBytes(void* context, const char* bytes, size_t length) {
    Collected& c = *static_cast<Collected*>(context);
    c.bytes.append(bytes, length);
    if (c.abortAtBytes > 0 && c.bytes.size() >= c.abortAtBytes && !c.abort) {
        c.abortedAt = std::chrono::steady_clock::now();
        c.abort = true;
    }
}

void CollectProgress(void* context, const CandidateMoment&, uint64_t candidates, uint64_t rows) {
    Collected& c = *static_cast<Collected*>(context);
    c.progressCandidates.push_back(candidates);
    c.progressRows.push_back(rows);
    if (c.abortAtProgress && candidates > 0 && !c.abort) {
        c.abortedAt = std::chrono::steady_clock::now();
        c.abort = true;
    }
}

ParallelSearchResult Parallel(const SearchSettings& s, int32_t threads, Collected& out,
                              size_t bufferBytes = 0, int32_t chunk = 0,
                              const SearchEngine* engine = nullptr) {
    ParallelSearchOptions o{};
    o.engine = engine;
    o.threads = threads;
    o.sink = CollectBytes;
    o.sinkContext = &out;
    o.progress = CollectProgress;
    o.progressContext = &out;
    o.abort = &out.abort;
    o.chunkBufferBytes = bufferBytes;
    o.chunkCandidates = chunk;
    return ParallelSearchRun(s, o);
}

// Seconds 0..seconds-1 of 13:45 with key input on, the first `keys` keys
// usable, and the mode switched on.
SearchSettings KeyedSettings(SearchMode mode, int32_t seconds, int32_t keys = 10) {
    SearchSettings s = ExampleSearchSettings();
    s.keyInputEnabled = true;
    for (int32_t i = keys; i < 10; ++i) s.usableKeys[i] = false;
    s.startSecond = 0;
    s.endSecond = seconds - 1;
    s.breedingEnabled = mode == kModeBreeding;
    s.deliveryEnabled = mode == kModeDelivery;
    s.domeEnabled = mode == kModeDome;
    if (mode == kModeDome) s.domeTrainers[0] = 20;
    return s;
}

size_t LineCount(const std::string& bytes) {
    size_t n = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++n;
    return n;
}

}  // namespace

TEST(ParallelSearch, SameBytesAsOneThreadWhateverTheThreadsAndBuffers) {
    // Without key input, with gaps in every minute: chunks of seconds that
    // span minutes, hours and days, and days at the same hour and minute.
    SearchSettings hours = KeyedSettings(kModeIv, 41);
    hours.keyInputEnabled = false;
    hours.startSecond = 10;
    hours.endDay = hours.startDay + 1;
    hours.startHour = 22, hours.endHour = 23;
    hours.startMinute = 0, hours.endMinute = 59;
    SearchSettings days = hours;
    days.startDay = 1;
    days.startHour = 23, days.startMinute = 59, days.endSecond = 59;
    const SearchSettings cases[] = {KeyedSettings(kModeIv, 8),           hours, days,
                                    KeyedSettings(kModeBreeding, 20, 5), KeyedSettings(kModeDelivery, 10, 5),
                                    KeyedSettings(kModeDome, 30, 5)};
    const SearchEngine* best = SearchEngineBest();
    for (const SearchSettings& s : cases) {
        const char* mode = ResultHeaderOf(SearchModeOf(s));
        const Reference ref = OneThread(s, best);
        ASSERT_GT(ref.matches, 1000) << mode;
        for (int32_t threads : {1, 2, 4}) {
            // The default buffers, then a tiny one with small chunks: every
            // chunk writes through as soon as its turn comes.
            for (size_t buffer : {size_t{0}, size_t{100}}) {
                Collected out;
                ParallelSearchResult r = Parallel(s, threads, out, buffer, buffer ? 37 : 0);
                SCOPED_TRACE(std::string(mode) + " threads " + std::to_string(threads) +
                             " buffer " + std::to_string(buffer));
                EXPECT_TRUE(r.finished);
                EXPECT_EQ(r.matches, static_cast<uint64_t>(ref.matches));
                EXPECT_TRUE(out.bytes == ref.bytes) << out.bytes.size() << " bytes against " << ref.bytes.size();
                ASSERT_FALSE(out.progressCandidates.empty());
                EXPECT_EQ(out.progressCandidates.back(), r.candidates);
                EXPECT_EQ(out.progressRows.back(), r.matches);
            }
        }
    }
    // The plain engine (one candidate a batch) and a search that writes nothing.
    const SearchSettings s = KeyedSettings(kModeIv, 2);
    const Reference plain = OneThread(s, &kPlainEngine);
    Collected out;
    EXPECT_EQ(Parallel(s, 3, out, 0, 0, &kPlainEngine).matches, static_cast<uint64_t>(plain.matches));
    EXPECT_TRUE(out.bytes == plain.bytes);
    ParallelSearchOptions quiet{};
    quiet.threads = 2;
    EXPECT_EQ(ParallelSearchRun(s, quiet).matches, static_cast<uint64_t>(plain.matches));
}

TEST(ParallelSearch, AbortLeavesWholeRowsThatStartTheOneThreadFile) {
    SearchSettings s = KeyedSettings(kModeIv, 60);
    s.endMinute = s.startMinute + 9;
    const Reference ref = OneThread(s, SearchEngineBest());
    struct Stop {
        int32_t threads;
        size_t buffer;
        size_t atBytes;  // 0: at the first report after some candidates, on the calling thread
        const SearchEngine* engine;
    };
    // The plain engine is slow enough for the progress to come before the end.
    for (const Stop& stop : {Stop{2, 0, 100000, nullptr}, Stop{4, 100, 100000, nullptr},
                             Stop{3, 0, 0, &kPlainEngine}}) {
        Collected out;
        out.abortAtBytes = stop.atBytes;
        out.abortAtProgress = stop.atBytes == 0;
        ParallelSearchResult r = Parallel(s, stop.threads, out, stop.buffer, stop.buffer ? 50 : 0, stop.engine);
        SCOPED_TRACE("threads " + std::to_string(stop.threads) + " abort at " + std::to_string(stop.atBytes));
        ASSERT_TRUE(out.abort);
        EXPECT_FALSE(r.finished);
        ASSERT_LT(out.bytes.size(), ref.bytes.size());
        EXPECT_TRUE(ref.bytes.compare(0, out.bytes.size(), out.bytes) == 0);
        EXPECT_EQ(out.bytes.substr(out.bytes.size() - 2), "\r\n");
        EXPECT_EQ(LineCount(out.bytes), r.matches + 1);  // the header and the rows
    }

    // A year of key input stops soon after the flag is set.
    SearchSettings year = s;
    year.endYear = year.startYear + 1;
    year.startHour = 0, year.endHour = 23;
    year.startMinute = 0, year.endMinute = 59;
    Collected out;
    out.abortAtProgress = true;
    ParallelSearchResult r = Parallel(year, 2, out);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - out.abortedAt).count();
    EXPECT_FALSE(r.finished);
    EXPECT_LT(seconds, 0.5);
}

TEST(ParallelSearch, EmptyWalkWritesTheHeaderOnly) {
    SearchSettings s = KeyedSettings(kModeIv, 10);
    s.startHour = 5;
    s.endHour = 3;
    const Reference ref = OneThread(s, SearchEngineBest());
    Collected out;
    ParallelSearchResult r = Parallel(s, 4, out);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.candidates, 0u);
    EXPECT_EQ(r.matches, 0u);
    EXPECT_EQ(out.bytes, ref.bytes);
    EXPECT_EQ(LineCount(out.bytes), 1u);
}

namespace {

// Rows tagged with the console they came under, as the command line's
// columns do; the header comes before any console and stays untagged.
struct Tagged {
    std::string bytes;
    std::string tag;
};

void TaggedBytes(void* context, const char* bytes, size_t length) {
    Tagged& t = *static_cast<Tagged*>(context);
    for (const std::string& line : {std::string(bytes, length)}) {
        for (size_t at = 0, end; at < line.size(); at = end + 2) {
            end = line.find("\r\n", at);
            t.bytes += line.substr(at, end - at) + t.tag + "\r\n";
        }
    }
}

void TaggedConsole(void* context, uint32_t vCount, uint32_t timer0) {
    static_cast<Tagged*>(context)->tag = "," + std::to_string(timer0) + "," + std::to_string(vCount);
}

std::string TaggedRun(const SearchSettings& s, const ParallelConsoles& consoles, const ParallelPart* part,
                      int32_t threads, bool header = true) {
    Tagged out;
    ParallelSearchOptions o{};
    o.threads = threads;
    o.sink = TaggedBytes;
    o.sinkContext = &out;
    o.chunkCandidates = 64;  // several chunks in every console
    o.consoles = &consoles;
    o.consoleBegin = TaggedConsole;
    o.part = part;
    o.noHeader = !header;
    EXPECT_TRUE(ParallelSearchRun(s, o).finished);
    return out.bytes;
}

}  // namespace

// Several consoles in one walk give the one-thread files of each console
// one after the other (the header once), and the parts of that walk, joined
// in order, give it again byte for byte, however many parts there are:
// parts that begin inside a day, inside a console, and more parts than
// seconds (some of them empty).
TEST(ParallelSearch, ConsolesInOneWalkAndItsPartsJoined) {
    SearchSettings s = KeyedSettings(kModeIv, 5, 5);
    s.endDay = s.startDay + 1;
    s.endHour = s.startHour + 1;
    const ParallelConsoles consoles{0x60, 0x61, 0xC79, 0xC7B};
    std::string expected;
    for (uint32_t v = 0x60; v <= 0x61; ++v) {
        for (uint32_t t = 0xC79; t <= 0xC7B; ++t) {
            SearchSettings one = s;
            one.vCount = v, one.timer0 = t;
            const std::string file = OneThread(one, SearchEngineBest()).bytes;
            const size_t headerEnd = file.find("\r\n") + 2;
            if (expected.empty()) expected = file.substr(0, headerEnd);
            Tagged rows{"", "," + std::to_string(t) + "," + std::to_string(v)};
            TaggedBytes(&rows, file.data() + headerEnd, file.size() - headerEnd);
            expected += rows.bytes;
        }
    }
    ASSERT_GT(LineCount(expected), 100u);
    const uint64_t consoleSeconds = ParallelWalkSeconds(s, 1000);
    ASSERT_EQ(consoleSeconds, 2u * 2u * 5u);  // two days of two hours of five seconds
    EXPECT_EQ(TaggedRun(s, consoles, nullptr, 2), expected);
    const uint64_t seconds = 6 * consoleSeconds;
    for (uint64_t parts : {uint64_t{1}, uint64_t{3}, uint64_t{7}, seconds, seconds + 9}) {
        std::string joined;
        for (uint64_t k = 0; k < parts; ++k) {
            const ParallelPart part{seconds * k / parts, seconds * (k + 1) / parts, consoleSeconds};
            joined += TaggedRun(s, consoles, &part, k % 2 + 1, k == 0);
        }
        EXPECT_EQ(joined, expected) << parts << " parts";
    }
}

// An hour range that runs backwards over a very long date range hands out
// no candidate for days on end; the walk must still look at the abort flag
// every few milliseconds. It once read it only once and went on for as
// long as the days lasted.
TEST(ParallelSearch, AbortStopsAWalkOfDaysWithoutCandidates) {
    SearchSettings s = KeyedSettings(kModeIv, 10);
    s.startHour = 5;
    s.endHour = 3;
    s.endYear = 1000000;  // millions of days, many seconds of walking
    Collected out;
    std::thread stopper([&out] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        out.abortedAt = std::chrono::steady_clock::now();
        out.abort = true;
    });
    ParallelSearchResult r = Parallel(s, 2, out);
    const auto returned = std::chrono::steady_clock::now();
    stopper.join();
    EXPECT_FALSE(r.finished);
    EXPECT_LT(std::chrono::duration<double>(returned - out.abortedAt).count(), 0.5);
    EXPECT_EQ(LineCount(out.bytes), 1u);  // the header
}
