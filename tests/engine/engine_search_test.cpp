// Every batch engine against the plain path: the same rows, in the same
// order, and the same match count, for random consoles, moments and
// settings of every mode; then whole searches compared byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/engine/engine_test_support.h"
#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "modes/SearchModes.h"
#include "tests/engine/search_test_support.h"
#include "engine/BatchEngine.h"

namespace {

struct Outcome {
    std::string rows;
    int32_t count;
};

// One batch of moments through an engine, on a run set up as the driver
// sets it up, rows going to a temporary file.
Outcome EvaluateThrough(const SearchEngine& engine, const SearchSettings& s,
                        const std::vector<CandidateMoment>& moments) {
    SearchRun run{};
    SearchRunInit(run, s);
    run.resultFile = std::tmpfile();
    SearchEvaluateChunk(run, engine, moments.data(), static_cast<int32_t>(moments.size()));
    SearchRunRelease(run);
    Outcome out{"", run.candidateCount};
    std::fflush(run.resultFile);
    std::rewind(run.resultFile);
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, run.resultFile)) > 0) out.rows.append(buffer, n);
    std::fclose(run.resultFile);
    return out;
}

const SearchMode kEveryMode[] = {kModeGrotto,   kModeDome,     kModeComet, kModeDelivery,
                                 kModeBreeding, kModeShiny,    kModeIv};

class EngineSearchTest : public ::testing::TestWithParam<int32_t> {};

TEST_P(EngineSearchTest, BatchesGiveThePlainRowsInOrder) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(21);
    int32_t rowsCompared = 0;
    for (SearchMode mode : kEveryMode) {
        for (int32_t count : {1, 2, 15, 16, 17, 31, 1000}) {
            for (int round = 0; round < 3; ++round) {
                SearchSettings s = RandomModeSettings(rng, mode);
                ASSERT_EQ(SearchModeOf(s), mode);
                std::vector<CandidateMoment> moments = RandomMoments(rng, count);
                Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
                Outcome batch = EvaluateThrough(*entry.engine, s, moments);
                ASSERT_EQ(batch.count, plain.count) << "mode " << mode << ", " << count << " candidates";
                ASSERT_EQ(batch.rows, plain.rows) << "mode " << mode << ", " << count << " candidates";
                rowsCompared += plain.count;
            }
        }
    }
    // The settings must produce rows, or the comparison proves nothing.
    EXPECT_GT(rowsCompared, 10000);
}

// The ends of the 32-bit range in the fields the batch plans compute with:
// the plain rows (often none), and no overflow on the way to them.
TEST_P(EngineSearchTest, ExtremeValuesGiveThePlainRows) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    struct Extreme {
        SearchMode mode;
        void (*set)(SearchSettings& s);
    };
    const Extreme extremes[] = {
        {kModeShiny, [](SearchSettings& s) { s.shinyEncounter = 2, s.shinyNature = INT32_MIN; }},
        {kModeDelivery, [](SearchSettings& s) { s.deliveryNature = INT32_MIN; }},
        {kModeComet, [](SearchSettings& s) { s.pidConsumptionEnd = INT32_MIN; }},
        {kModeIv, [](SearchSettings& s) { s.ivConsumptionStart = INT32_MAX, s.ivConsumptionEnd = INT32_MIN; }},
        {kModeBreeding, [](SearchSettings& s) { s.breedingNature = INT32_MAX; }},
        {kModeDome, [](SearchSettings& s) { s.domeShiftWidth = INT32_MAX; }},
    };
    std::mt19937 rng(24);
    for (const Extreme& extreme : extremes) {
        SearchSettings s = RandomModeSettings(rng, extreme.mode);
        extreme.set(s);
        std::vector<CandidateMoment> moments = RandomMoments(rng, 300);
        Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
        Outcome batch = EvaluateThrough(*entry.engine, s, moments);
        EXPECT_EQ(batch.count, plain.count) << "mode " << extreme.mode;
        EXPECT_TRUE(batch.rows == plain.rows) << "mode " << extreme.mode;
    }
}

TEST_P(EngineSearchTest, BatchLongerThanTheLaneBuffersGoesInPieces) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(25);
    SearchSettings s = RandomModeSettings(rng, kModeIv);
    s.ivConsumptionStart = 0;
    s.ivConsumptionEnd = 3;
    std::vector<CandidateMoment> moments = RandomMoments(rng, 2 * kSearchMaxBatch + 77);
    Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
    Outcome batch = EvaluateThrough(*entry.engine, s, moments);
    EXPECT_GT(plain.count, 0);
    EXPECT_EQ(batch.count, plain.count);
    EXPECT_TRUE(batch.rows == plain.rows);
}

// Bytes a sink received, and whether every call handed whole lines.
struct SinkBytes {
    std::string bytes;
    int32_t calls = 0;
    bool wholeLines = true;
};

void CollectIntoSink(void* context, const char* bytes, size_t length) {
    SinkBytes& sink = *static_cast<SinkBytes*>(context);
    const std::string piece(bytes, length);
    sink.wholeLines = sink.wholeLines && length >= 2 && piece.compare(length - 2, 2, "\r\n") == 0;
    sink.bytes += piece;
    ++sink.calls;
}

// A worker of a parallel search: its own run and sink, chunks of the walk in
// order. The sink gets the header and the rows the file would, in whole lines.
TEST_P(EngineSearchTest, ChunksIntoASinkGiveTheFileBytesInWholeLines) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(26);
    for (SearchMode mode : kEveryMode) {
        SearchSettings s = RandomModeSettings(rng, mode);
        std::vector<CandidateMoment> moments = RandomMoments(rng, 600);
        Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
        SinkBytes sink;
        SearchRun run{};
        SearchRunInit(run, s);
        run.sink = CollectIntoSink;
        run.sinkContext = &sink;
        ResultWriteHeader(run);
        const std::string header = sink.bytes;
        for (size_t first = 0; first < moments.size();) {
            const size_t n = std::min<size_t>(1 + rng() % 200, moments.size() - first);
            SearchEvaluateChunk(run, *entry.engine, moments.data() + first, static_cast<int32_t>(n));
            first += n;
        }
        SearchRunRelease(run);
        EXPECT_EQ(header, std::string(ResultHeaderOf(mode)) + (s.keyInputEnabled ? kResultKeyInputColumn : "") + "\r\n");
        EXPECT_EQ(run.candidateCount, plain.count) << "mode " << mode;
        EXPECT_EQ(sink.bytes.substr(header.size()), plain.rows) << "mode " << mode;
        EXPECT_TRUE(sink.wholeLines) << "mode " << mode;
    }
}

TEST_P(EngineSearchTest, EveryModeWithTheDefaultSettingsGivesThePlainRows) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(22);
    for (SearchMode mode : kEveryMode) {
        SearchSettings s = ExampleSearchSettings();
        s.keyInputEnabled = true;
        s.grottoEnabled = mode == kModeGrotto;
        s.domeEnabled = mode == kModeDome;
        s.cometEnabled = mode == kModeComet;
        s.deliveryEnabled = mode == kModeDelivery;
        s.breedingEnabled = mode == kModeBreeding;
        s.shinyPidEnabled = mode == kModeShiny;
        if (mode == kModeDome) s.domeTrainers[0] = 20;
        std::vector<CandidateMoment> moments = RandomMoments(rng, 700);
        Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
        Outcome batch = EvaluateThrough(*entry.engine, s, moments);
        EXPECT_EQ(batch.count, plain.count) << "mode " << mode;
        EXPECT_EQ(batch.rows, plain.rows) << "mode " << mode;
    }
}

// The masks of one second as the walk hands them when a dialog changes the
// key-input pattern in the middle of it: the masks of one pattern up to some
// mask, then those of the other after it, cut into batches anywhere. The
// engines take the masks' key terms from a table packed for the pattern in
// force, which must follow the change.
TEST_P(EngineSearchTest, PatternChangedWithinASecondGivesThePlainRows) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(31);
    for (SearchMode mode : {kModeIv, kModeGrotto}) {
        SearchSettings s = RandomModeSettings(rng, mode);
        s.keyInputEnabled = true;
        s.excludeOppositeAndReset = true;
        SearchSettings other = s;
        other.excludeOppositeAndReset = false;
        other.usableKeys[rng() % 10] = false;
        const CandidateMoment second = RandomMoment(rng);
        const uint32_t change = 300 + rng() % 400;
        std::vector<CandidateMoment> moments;
        for (uint32_t mask = 0; mask < 1024; ++mask) {
            if (!KeyMaskAllowed(mask <= change ? s : other, mask)) continue;
            CandidateMoment m = second;
            m.keyMask = mask;
            moments.push_back(m);
        }
        const Outcome plain = EvaluateThrough(kPlainEngine, s, moments);
        ASSERT_EQ(EvaluateThrough(*entry.engine, s, moments).rows, plain.rows) << "mode " << mode;
        // In pieces, with the second pattern in force from the second piece on.
        SearchRun run{};
        SearchRunInit(run, s);
        run.resultFile = std::tmpfile();
        const size_t cut = rng() % moments.size();
        SearchEvaluateChunk(run, *entry.engine, moments.data(), static_cast<int32_t>(cut));
        run.settings = &other;
        SearchEvaluateChunk(run, *entry.engine, moments.data() + cut, static_cast<int32_t>(moments.size() - cut));
        SearchRunRelease(run);
        std::rewind(run.resultFile);
        std::string rows;
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, run.resultFile)) > 0;) rows.append(buffer, n);
        std::fclose(run.resultFile);
        EXPECT_EQ(rows, plain.rows) << "mode " << mode << " cut at " << cut;
    }
}

TEST_P(EngineSearchTest, WholeSearchWritesTheSameFile) {
    SearchEngineEntry entry = SearchEngineAt(GetParam());
    SKIP_UNLESS_SUPPORTED(entry);
    std::mt19937 rng(23);
    const std::string plainPath = TempResultPath("engine_plain");
    const std::string batchPath = TempResultPath("engine_batch");
    for (SearchMode mode : kEveryMode) {
        SearchSettings s = RandomModeSettings(rng, mode);
        // The last ten seconds (three under the sanitizers) of 31 December
        // and 1 January, all masks the pattern allows: batches cross seconds
        // and the day's end.
        s.keyInputEnabled = true;
        s.usableKeys[rng() % 10] = false;
        s.startYear = 12, s.startMonth = 12, s.startDay = 31;
        s.endYear = 13, s.endMonth = 1, s.endDay = 1;
        s.startHour = s.endHour = 23;
        s.startMinute = s.endMinute = 59;
        s.startSecond = kSanitizedBuild ? 57 : 50, s.endSecond = 59;
        HeadlessWindow plainWindow, batchWindow;
        HeadlessWindowInit(plainWindow);
        HeadlessWindowInit(batchWindow);
        int32_t plainCount = RunHeadless(s, plainPath, &kPlainEngine, plainWindow);
        int32_t batchCount = RunHeadless(s, batchPath, entry.engine, batchWindow);
        EXPECT_EQ(batchCount, plainCount) << "mode " << mode;
        std::string plainBytes = ReadFileBytes(plainPath), batchBytes = ReadFileBytes(batchPath);
        EXPECT_GT(plainBytes.size(), 0u);
        EXPECT_TRUE(batchBytes == plainBytes) << "mode " << mode << ": files differ";
        EXPECT_EQ(batchWindow.restoreCount, 1);
        EXPECT_EQ(batchWindow.shellOpenCount, 1);
    }
    std::remove(plainPath.c_str());
    std::remove(batchPath.c_str());
}

INSTANTIATE_TEST_SUITE_P(EveryBackend, EngineSearchTest, ::testing::ValuesIn(EngineIndices()),
                         EngineName);

TEST(EngineDispatch, BestEngineIsTheLastSupportedOne) {
    const SearchEngine* best = SearchEngineBest();
    ASSERT_NE(best, nullptr);
    EXPECT_EQ(SearchEngineBest(), best);  // cached
    const SearchEngine* expected = nullptr;
    for (int32_t i = 0; i < SearchEngineCount(); ++i) {
        SearchEngineEntry e = SearchEngineAt(i);
        ASSERT_NE(e.engine, nullptr);
        EXPECT_GE(e.engine->batchSize, 64);
        EXPECT_LE(e.engine->batchSize, kSearchMaxBatch);
        if (e.supported) expected = e.engine;
    }
    EXPECT_EQ(best, expected);
    EXPECT_TRUE(SearchEngineAt(0).supported);  // the portable engine runs anywhere
    EXPECT_EQ(SearchEngineAt(SearchEngineCount()).engine, nullptr);
}

}  // namespace

namespace {

TEST(EngineDispatch, FeaturesNeedTheInstructionsAndTheirOsState) {
    const uint32_t osxsave = 1u << 27, sse41 = 1u << 19;
    const uint32_t avx2 = (1u << 5) | (1u << 8), sha = 1u << 29;  // AVX2 with BMI2
    const uint32_t avx512 = (1u << 16) | (1u << 17) | (1u << 30) | (1u << 31);
    const uint64_t ymm = 0x7, zmm = 0xE7;
    CpuFeatures all = CpuFeaturesOf(osxsave | sse41, avx2 | avx512 | sha, zmm);
    EXPECT_TRUE(all.avx2 && all.avx512 && all.sha);
    // AVX-512 instructions with an OS that saves only the YMM state.
    CpuFeatures ymmOnly = CpuFeaturesOf(osxsave | sse41, avx2 | avx512, ymm);
    EXPECT_TRUE(ymmOnly.avx2);
    EXPECT_FALSE(ymmOnly.avx512);
    // No OSXSAVE: XCR0 cannot be trusted, so no vector backend at all.
    CpuFeatures noXsave = CpuFeaturesOf(sse41, avx2 | avx512, zmm);
    EXPECT_FALSE(noXsave.avx2 || noXsave.avx512);
    // AVX-512 without DQ (the 64-bit products) is not enough.
    CpuFeatures noDq = CpuFeaturesOf(osxsave, avx2 | (avx512 & ~(1u << 17)), zmm);
    EXPECT_FALSE(noDq.avx512);
    // A processor without AVX2: only the SHA instructions, which need SSE4.1.
    CpuFeatures old = CpuFeaturesOf(osxsave | sse41, sha, ymm);
    EXPECT_FALSE(old.avx2 || old.avx512);
    EXPECT_TRUE(old.sha);
    EXPECT_FALSE(CpuFeaturesOf(osxsave, sha, ymm).sha);
    // AVX2 without BMI2 (some virtual machines): both backends use BMI2.
    CpuFeatures noBmi2 = CpuFeaturesOf(osxsave | sse41, (avx2 & ~(1u << 8)) | avx512 | sha, zmm);
    EXPECT_FALSE(noBmi2.avx2 || noBmi2.avx512);
    EXPECT_TRUE(noBmi2.sha);
}

}  // namespace
