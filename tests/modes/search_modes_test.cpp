#include <gtest/gtest.h>

#include <set>
#include <string>

#include "modes/SearchModes.h"

TEST(SearchModes, OneCompleteRowPerModeInPrecedenceOrder) {
    ASSERT_EQ(kSearchModeCount, static_cast<int32_t>(kModeIv) + 1);
    std::set<std::string> headers;
    for (int32_t i = 0; i < kSearchModeCount; ++i) {
        const SearchModeEntry& entry = kSearchModes[i];
        EXPECT_EQ(static_cast<int32_t>(entry.mode), i);
        EXPECT_EQ(&SearchModeEntryOf(entry.mode), &entry);
        // Only the last row takes the candidates when no switch is on.
        EXPECT_EQ(entry.enabled == nullptr, i == kSearchModeCount - 1) << "row " << i;
        EXPECT_TRUE(entry.header && entry.lcgCount && entry.evaluate && entry.plan) << "row " << i;
        headers.insert(entry.header);
    }
    // Grotto and comet share their header; every other mode has its own.
    EXPECT_EQ(headers.size(), static_cast<size_t>(kSearchModeCount) - 1);
    EXPECT_STREQ(ResultHeaderOf(kModeGrotto), ResultHeaderOf(kModeComet));
}

TEST(SearchModes, StreamLengthOfEachMode) {
    SearchSettings s;
    SearchSettingsInit(s);
    s.pidConsumptionEnd = 5000;  // clamped to 2800
    s.deliveryNatureOffset = 7;
    SearchRun run{};
    SearchRunInit(run, s);
    for (SearchMode mode : {kModeGrotto, kModeDome, kModeComet, kModeBreeding, kModeShiny}) {
        run.mode = mode;
        EXPECT_EQ(SearchRunLcgCount(run), 2800 + 30) << "mode " << mode;
    }
    run.mode = kModeDelivery;
    EXPECT_EQ(SearchRunLcgCount(run), 7 + 2800 + 3);
    s.deliveryNatureOffset = -4;  // clamped to 0
    EXPECT_EQ(SearchRunLcgCount(run), 2800 + 3);
    run.mode = kModeIv;
    EXPECT_EQ(SearchRunLcgCount(run), -1);
    SearchRunRelease(run);
}
