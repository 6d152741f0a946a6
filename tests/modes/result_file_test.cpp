#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "modes/IvSearch.h"
#include "modes/ResultFile.h"
#include "modes/SearchModes.h"
#include "modes/RowFormat.h"
#include "tests/engine/search_test_support.h"

TEST(ResultFile, ExactBytesOfTheWorkedExampleRow) {
    SearchSettings s = ExampleSearchSettings();
    s.ivConsumptionStart = 0;
    s.ivConsumptionEnd = 0;
    std::string path = TempResultPath("exact");
    HeadlessWindow window;
    HeadlessWindowInit(window);
    EXPECT_EQ(RunHeadless(s, path, &kPlainEngine, window), 1);
    // Outputs 0..5 of seed 6266D11A5ECD9A72 are 25 5 6 5 19 19: remainders 2
    // or 3 for B, D, S (power 57), odd H, A, C, D, S (type 14, ドラゴン).
    const std::string header = "年,月,日,時,分,秒,消費数,H,A,B,C,D,S,めざパ,威力,初期seed";
    const std::string row = "12,11,29,13,45,7,0,25,5,6,5,19,19,ドラゴン,57,6266D11A5ECD9A72";
    EXPECT_EQ(ReadFileBytes(path), header + "\r\n" + row + "\r\n");

    // Key input on with no usable key: the one mask with nothing held ends
    // its row with a bare comma, and the header names the column.
    s.keyInputEnabled = true;
    for (bool& key : s.usableKeys) key = false;
    EXPECT_EQ(RunHeadless(s, path, &kPlainEngine, window), 1);
    EXPECT_EQ(ReadFileBytes(path), header + ",キー入力\r\n" + row + ",\r\n");
    // The bytes are code page 932: 年 is 0x94 0x4E.
    EXPECT_EQ(ReadFileBytes(path).substr(0, 2), "\x94\x4E");
    std::remove(path.c_str());
}

TEST(ResultFile, PrefixSeedAndKeySuffix) {
    EXPECT_EQ(KeyInputSuffix(1023), ",");
    EXPECT_EQ(KeyInputSuffix(0), ",ABSeSt→←↑↓RL");
    EXPECT_EQ(KeyInputSuffix(1023 & ~(1u << 3) & ~(1u << 6)), ",St↑");
    EXPECT_EQ(std::string(KeyNames[4]), "\x81\xA8");  // → in code page 932
    char seed[17];
    *RowAppendSeed(seed, 0x0000ABCD12345678ull) = '\0';
    EXPECT_STREQ(seed, "0000ABCD12345678");
    *RowAppendSeed(seed, 0) = '\0';
    EXPECT_STREQ(seed, "0000000000000000");

    SearchSettings s;
    SearchSettingsInit(s);
    s.keyInputEnabled = true;
    SearchRun run{};
    run.settings = &s;
    run.resultFile = std::tmpfile();
    ASSERT_NE(run.resultFile, nullptr);
    CandidateMoment m{5, 1, 2, 0, 3, 4, 0, 1023u & ~1u};
    ResultWriteMatch(run, m, "cols");
    SearchRunFlush(run);
    std::rewind(run.resultFile);
    char line[64] = {};
    ASSERT_NE(std::fgets(line, sizeof line, run.resultFile), nullptr);
    EXPECT_STREQ(line, "5,1,2,3,4,0,cols,A\r\n");
    std::fclose(run.resultFile);
    run.resultFile = nullptr;
    ResultWriteMatch(run, m, "not written");  // no file: counted only
    EXPECT_EQ(run.candidateCount, 2);
}

TEST(ResultFile, RowPrefixHasNoLeadingZeros) {
    SearchSettings s;
    SearchSettingsInit(s);
    SearchRun run{};
    run.settings = &s;
    std::string path = TempResultPath("prefix");
    run.resultFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(run.resultFile, nullptr);
    ResultWriteMatch(run, CandidateMoment{5, 1, 2, 0, 3, 4, 0, 1023}, "x");
    ResultWriteMatch(run, CandidateMoment{0, 12, 31, 0, 23, 59, 59, 1023}, "y");
    SearchRunFlush(run);
    std::fclose(run.resultFile);
    EXPECT_EQ(ReadFileBytes(path), "5,1,2,3,4,0,x\r\n0,12,31,23,59,59,y\r\n");
    std::remove(path.c_str());
}

TEST(ResultFile, NameTablesAreFullWidthFilled) {
    for (const char* name : NatureNames) EXPECT_EQ(std::strlen(name), kNatureNameBytes) << name;
    EXPECT_EQ(std::string(NatureNames[6]), "すなお\x81\x40\x81\x40");
    EXPECT_EQ(std::string(NatureNames[22]), "なまいき　");
    EXPECT_EQ(std::string(HiddenPowerTypeNames[0]), "かくとう");
    EXPECT_EQ(std::string(HiddenPowerTypeNames[15]), "あく");
    EXPECT_STREQ(NatureNameOf(25), "");
    EXPECT_STREQ(HiddenPowerTypeNameOf(-1), "");
}

TEST(ResultFile, HeaderFollowsTheEvaluationPrecedence) {
    SearchSettings s;
    SearchSettingsInit(s);
    EXPECT_EQ(SearchModeOf(s), kModeIv);
    s.shinyPidEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeShiny);
    s.breedingEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeBreeding);  // breeding before shiny
    s.deliveryEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeDelivery);
    s.domeEnabled = true;  // dome before delivery: the dome header and rows
    EXPECT_EQ(SearchModeOf(s), kModeDome);
    EXPECT_STREQ(ResultHeaderOf(kModeDome), "年,月,日,時,分,秒,性格値乱数消費下限,上限,初期seed");
    s.cometEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeDome);
    s.domeEnabled = false;
    EXPECT_EQ(SearchModeOf(s), kModeComet);
    s.grottoEnabled = true;
    s.domeEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeGrotto);
    EXPECT_STREQ(ResultHeaderOf(kModeGrotto), ResultHeaderOf(kModeComet));
    EXPECT_STREQ(ResultHeaderOf(kModeDelivery),
                 "年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed");
    s.roamerEnabled = true;
    s.threeDsMode = true;
    SearchSettingsInit(s);
    s.roamerEnabled = true;
    EXPECT_EQ(SearchModeOf(s), kModeIv);
}

TEST(ResultFile, ColumnsLongerThanTheLineBufferAreWrittenWhole) {
    SearchSettings s;
    SearchSettingsInit(s);
    s.keyInputEnabled = true;
    SearchRun run{};
    run.settings = &s;
    std::string path = TempResultPath("long_columns");
    run.resultFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(run.resultFile, nullptr);
    const std::string columns(1000, 'x');
    ResultWriteMatch(run, CandidateMoment{5, 1, 2, 0, 3, 4, 0, 1022}, columns.c_str());
    SearchRunFlush(run);
    std::fclose(run.resultFile);
    EXPECT_EQ(ReadFileBytes(path), "5,1,2,3,4,0," + columns + ",A\r\n");
    std::remove(path.c_str());
}
