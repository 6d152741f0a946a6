// The command line's portable pieces: the settings text and its checks, the
// output's columns and encoding, the progress line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cli/Console.h"
#include "cli/Progress.h"
#include "cli/ResultOutput.h"
#include "cli/SettingsCheck.h"
#include "cli/SettingsFile.h"

namespace {

// A value for the field that differs from the initial one and from the
// other fields' (so a value landing in the wrong field shows).
std::string OtherValue(const SettingsRecord& initial, int index) {
    const SettingsField& f = SettingsFieldAt(index);
    std::string text;
    for (int i = 0; i < f.count; ++i) {
        if (i > 0) text += ' ';
        switch (f.kind) {
        case kFieldInt:
        case kFieldUInt16: {
            int64_t v = f.high - (index + i) % 3;
            if (f.low == INT32_MIN) v = -123456 - index;
            if (v < f.low) v = f.low;
            int64_t now = std::stoll(SettingsFieldFormat(initial, index));
            if (f.count == 1 && v == now) v = v > f.low ? v - 1 : v + 1;
            text += std::to_string(v);
            break;
        }
        case kFieldBool:  // every value turned over, in both spellings
            text += SettingsFieldFormat(initial, index)[static_cast<size_t>(2 * i)] == '1' ? "0" : "true";
            break;
        case kFieldHex: text += "0xABCDEF12"; break;
        case kFieldHexRange: return index % 2 ? "c79-C7b" : "0x5F";
        case kFieldMac: return "01:23:45:67:89:ab";
        case kFieldVersion: return "0209A8FC 02039AF5 021FF9D0 021FFA24 12345678";
        }
    }
    return text;
}

bool SameSettings(const SettingsRecord& a, const SettingsRecord& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;  // both start from one zeroed initial record
}

// Saved settings have passed the checks, so the dates are real ones.
SettingsRecord CheckedInitial() {
    SettingsRecord s;
    SettingsRecordInit(s);
    s.search.startMonth = s.search.endMonth = 1;
    s.search.startDay = s.search.endDay = 1;
    return s;
}

TEST(SettingsFile, EveryFieldSurvivesItsOwnRoundTrip) {
    const SettingsRecord initial = CheckedInitial();
    SettingsRecord all = initial;
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        SettingsRecord one = initial;
        std::string error;
        const std::string value = OtherValue(initial, i);
        ASSERT_TRUE(SettingsFieldParse(one, i, value, error)) << f.name << ": " << error;
        ASSERT_TRUE(SettingsFieldParse(all, i, value, error)) << f.name << ": " << error;
        EXPECT_FALSE(SameSettings(one, initial)) << f.name << " did not change";

        SettingsRecord loaded = initial;
        SettingsOrigins origins = SettingsOriginsNone();
        ASSERT_TRUE(SettingsTextRead(SettingsText(one), "saved", loaded, origins, error)) << error;
        EXPECT_TRUE(SameSettings(loaded, one)) << f.name;
    }
    SettingsRecord loaded = initial;
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    ASSERT_TRUE(SettingsTextRead(SettingsText(all), "saved", loaded, origins, error)) << error;
    EXPECT_TRUE(SameSettings(loaded, all));
    EXPECT_EQ(SettingsText(loaded), SettingsText(all));
    // Every line of the saved text named where the value came from.
    for (int i = 0; i < SettingsFieldCount(); ++i) EXPECT_EQ(origins[static_cast<size_t>(i)].rfind("saved:", 0), 0u);
}

TEST(SettingsFile, NamedVersionsAndConsoleForms) {
    SettingsRecord s;
    SettingsRecordInit(s);
    std::string error;
    const int version = SettingsFieldFind("version");
    ASSERT_TRUE(SettingsFieldParse(s, version, "w2", error));
    EXPECT_EQ(SettingsFieldFormat(s, version), "W2");
    ASSERT_TRUE(SettingsFieldParse(s, version, "02215F10", error));  // the one word of ブラック
    EXPECT_EQ(SettingsFieldFormat(s, version), "B");
    ASSERT_TRUE(SettingsFieldParse(s, version, "02215F11", error));
    EXPECT_EQ(SettingsFieldFormat(s, version), "02215F11");
    EXPECT_FALSE(s.search.version.fiveWordVersion);

    const int mac = SettingsFieldFind("mac");
    ASSERT_TRUE(SettingsFieldParse(s, mac, "12 34 56 78 9a bc", error));
    EXPECT_EQ(SettingsFieldFormat(s, mac), "12-34-56-78-9A-BC");
    for (const char* bad : {"12-34-56-78-9A", "12-34-56-78-9A-BC-DE", "12-34-56-78-9A-BCD", "12-34-56-78-9A-BG"})
        EXPECT_FALSE(SettingsFieldParse(s, mac, bad, error)) << bad;

    const int timer0 = SettingsFieldFind("timer0");
    EXPECT_FALSE(SettingsFieldParse(s, timer0, "C7B-C79", error));
    EXPECT_FALSE(SettingsFieldParse(s, timer0, "123456789", error));
    ASSERT_TRUE(SettingsFieldParse(s, timer0, "C79-C79", error));
    EXPECT_TRUE(s.timer0.isRange);  // written as a range: the columns follow

    // The words of the walk: the capture's example, MAC 01..06 with GxStat 6 and Frame 5.
    ASSERT_TRUE(SettingsFieldParse(s, mac, "01-02-03-04-05-06", error));
    s.search.gxStat = 6;
    s.search.frame = 5;
    SearchSettings walk = SearchSettingsOfConsole(s, 0x60, 0xC79);
    EXPECT_EQ(walk.MacWord7, 0x02020304u);
    EXPECT_EQ(walk.MacWord6, 0x0506u);
    EXPECT_EQ(walk.vCount, 0x60u);
    EXPECT_EQ(walk.timer0, 0xC79u);
}

TEST(SettingsFile, ReadReportsTheLineAndWhatItTakes) {
    SettingsRecord s;
    SettingsRecordInit(s);
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    EXPECT_TRUE(SettingsTextRead("# comment\n\n  ivMin = 30 30 0 0 0 0 # trailing\r\nframe=-5\n", "f.txt", s,
                                 origins, error));
    EXPECT_EQ(s.search.ivMin[1], 30);
    EXPECT_EQ(s.search.frame, -5);
    EXPECT_EQ(origins[static_cast<size_t>(SettingsFieldFind("frame"))], "f.txt:4");

    const char* bad[][2] = {
        {"frame = 1\nivmin = 1 2 3 4 5 6\n", "f.txt:2: \"ivmin\" names no setting"},
        {"ivMin = 1 2 3 4 5\n", "f.txt:1: ivMin expects 6 whole numbers 0..31"},
        {"ivMin = 1 2 3 4 5 32\n", "f.txt:1: ivMin expects 6 whole numbers 0..31"},
        {"startMonth = 13\n", "f.txt:1: startMonth expects a whole number 1..12"},
        {"keyInputEnabled = yes\n", "f.txt:1: keyInputEnabled expects 0, 1, true or false"},
        {"\n\nframe 3\n", "f.txt:3: expects a line \"name = value\""},
        {"deliveryNatureOffset = 65536\n", "deliveryNatureOffset expects a whole number 0..65535"},
        {"pidConsumptionEnd = 2801\n", "pidConsumptionEnd expects a whole number 0..2800"},
        {"gxStat = 0x\n", "gxStat expects a hexadecimal number"},
        {"domeTrainers = 53 0 0 0 0 0\n", "domeTrainers expects 6 whole numbers 0..52"},
    };
    for (auto& c : bad) {
        error.clear();
        EXPECT_FALSE(SettingsTextRead(c[0], "f.txt", s, origins, error)) << c[0];
        EXPECT_NE(error.find(c[1]), std::string::npos) << error;
    }
}

TEST(SettingsCheck, DatesRangesAndTheTable) {
    SettingsRecord s;
    SettingsRecordInit(s);
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    EXPECT_FALSE(SettingsCheck(s, origins, error));  // the window's empty dates
    EXPECT_NE(error.find("--from (not given): startMonth is 0"), std::string::npos) << error;

    s.search.startYear = s.search.endYear = 12;
    s.search.startMonth = s.search.endMonth = 2;
    s.search.startDay = s.search.endDay = 29;  // 2012 is a leap year
    EXPECT_TRUE(SettingsCheck(s, origins, error)) << error;
    s.search.startYear = s.search.endYear = 13;
    EXPECT_FALSE(SettingsCheck(s, origins, error));
    EXPECT_NE(error.find("2013-02-29 is not a date"), std::string::npos) << error;

    s.search.startDay = s.search.endDay = 28;
    origins[static_cast<size_t>(SettingsFieldFind("ivConsumptionEnd"))] = "--iv-consumption";
    s.search.ivConsumptionEnd = 618;
    EXPECT_TRUE(SettingsCheck(s, origins, error)) << error;
    s.search.roamerEnabled = true;
    EXPECT_FALSE(SettingsCheck(s, origins, error));
    EXPECT_EQ(error.rfind("--iv-consumption: ", 0), 0u) << error;
    s.search.ivConsumptionEnd = 617;
    EXPECT_TRUE(SettingsCheck(s, origins, error)) << error;

    s.search.ivMin[3] = 20;
    s.search.ivMax[3] = 19;
    EXPECT_FALSE(SettingsCheck(s, origins, error));
    EXPECT_NE(error.find("lower bound of C (20)"), std::string::npos) << error;
}

TEST(SettingsCheck, CandidateCountsFollowTheWalk) {
    SettingsRecord s;
    SettingsRecordInit(s);
    SearchSettings& w = s.search;
    w.startYear = w.endYear = 12;
    w.startMonth = 2;
    w.startDay = 28;
    w.endMonth = 3;
    w.endDay = 1;  // the walk skips 29 February: two days
    w.startHour = w.endHour = 13;
    w.startMinute = w.endMinute = 45;
    w.startSecond = 0;
    w.endSecond = 1;
    EXPECT_EQ(WalkCandidateCount(w), 4u);
    w.keyInputEnabled = true;
    // 1024 masks less those pressing right and left, up and down, or Select,
    // Start, R and L together: 256 + 256 + 64 - 64 - 16 - 16 + 4 = 484.
    EXPECT_EQ(WalkCandidateCount(w), 4u * 540u);
    w.excludeOppositeAndReset = false;
    w.usableKeys[0] = false;
    EXPECT_EQ(WalkCandidateCount(w), 4u * 512u);
    s.vCount = HexRange{0x60, 0x61, true};
    s.timer0 = HexRange{0xC79, 0xC7B, true};
    SearchSize size;
    ASSERT_TRUE(SearchSizeOf(s, size));
    EXPECT_EQ(size.consoles, 6u);
    EXPECT_EQ(size.consoleSeconds, 4u);
    EXPECT_EQ(size.seconds, 24u);
    EXPECT_EQ(size.candidates, 6u * 4u * 512u);
}

// Both ranges whole: 2^64 consoles, which no 64-bit count holds. The count
// once wrapped to 0 there (and the progress showed 100 % from the start);
// such a search is refused, and the largest that counts is counted exactly.
TEST(SettingsCheck, SearchTooLargeToCountIsRefused) {
    SettingsRecord s;
    SettingsRecordInit(s);
    s.search.startYear = s.search.endYear = 12;
    s.search.startMonth = s.search.endMonth = 11;
    s.search.startDay = s.search.endDay = 29;
    s.vCount = HexRange{0, 0xFFFFFFFFu, true};
    s.timer0 = HexRange{0, 0xFFFFFFFFu, true};
    SearchSize size;
    EXPECT_FALSE(SearchSizeOf(s, size));
    SettingsOrigins origins = SettingsOriginsNone();
    origins[static_cast<size_t>(SettingsFieldFind("timer0"))] = "--timer0";
    std::string error;
    EXPECT_FALSE(SettingsCheck(s, origins, error));
    EXPECT_EQ(error.rfind("--timer0: 4294967296 VCount and 4294967296 Timer0 values", 0), 0u) << error;
    s.timer0 = HexRange{0, 0xFFFF, true};  // 2^48 consoles of 86400 seconds: past 2^64 too
    EXPECT_FALSE(SearchSizeOf(s, size));
    s.timer0 = HexRange{0, 0xFF, true};
    ASSERT_TRUE(SearchSizeOf(s, size));
    EXPECT_EQ(size.candidates, (uint64_t{1} << 40) * 86400u);
    EXPECT_TRUE(SettingsCheck(s, origins, error)) << error;
}

std::string Cp932(const char* text) { return text; }  // this file's literals are code page 932

TEST(ResultOutput, ColumnsHeaderOnceAndWholeLinesOnly) {
    std::string path = ::testing::TempDir() + "morvane_cli_output.txt";
    ResultOutput out;
    std::string error;
    ASSERT_TRUE(ResultOutputOpen(out, path, false, true, error)) << error;
    ResultOutputSetConsole(out, 0xC79, 0x60);
    const std::string walk1 = Cp932("年,秒\r\n1,2\r\n3,4\r\n");
    ResultOutputWrite(out, walk1.data(), 7);  // a write may end inside a line
    ResultOutputWrite(out, walk1.data() + 7, walk1.size() - 7);
    ResultOutputSetConsole(out, 0xC7A, 0x61);
    const std::string walk2 = Cp932("5,6\r\n7,");  // stopped mid-row
    ResultOutputWrite(out, walk2.data(), walk2.size());
    ASSERT_TRUE(ResultOutputClose(out, error)) << error;
    EXPECT_EQ(out.rows, 3u);
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[256];
    size_t n = std::fread(buffer, 1, sizeof buffer, f);
    std::fclose(f);
    EXPECT_EQ(std::string(buffer, n),
              Cp932("年,秒,Timer0,VCount\r\n1,2,C79,60\r\n3,4,C79,60\r\n5,6,C7A,61\r\n"));
    std::remove(path.c_str());
}

TEST(ResultOutput, Utf8WithLineFeeds) {
    std::string converted;
    const std::string text = Cp932("年,なまいき　,→");
    EXPECT_TRUE(Cp932ToUtf8(text.data(), text.size(), converted));
    EXPECT_EQ(converted, u8"年,なまいき　,→");

    std::string path = ::testing::TempDir() + "morvane_cli_utf8.txt";
    ResultOutput out;
    std::string error;
    ASSERT_TRUE(ResultOutputOpen(out, path, true, false, error)) << error;
    ResultOutputSetConsole(out, 0, 0);
    const std::string walk = Cp932("年\r\nあ\r\n");
    ResultOutputWrite(out, walk.data(), walk.size());
    ASSERT_TRUE(ResultOutputClose(out, error));
    FILE* f = std::fopen(path.c_str(), "rb");
    ASSERT_NE(f, nullptr);
    char buffer[64];
    size_t n = std::fread(buffer, 1, sizeof buffer, f);
    std::fclose(f);
    EXPECT_EQ(std::string(buffer, n), u8"年\nあ\n");
    std::remove(path.c_str());
}

TEST(Progress, LineAndSummary) {
    ProgressState p{};
    p.total = 1000;
    p.done = 250;
    p.rows = 7;
    p.year = 12;
    p.month = 11;
    p.day = 29;
    EXPECT_EQ(ProgressLine(p, 5.0), "2012-11-29   25.0%  50 candidates/s  rows 7  left 0:00:15");
    EXPECT_EQ(ProgressSummary(p, 5.0), "250 candidates, 7 rows, 5.0 s, 50 candidates/s");
    p.done = 0;
    EXPECT_EQ(ProgressLine(p, 0.0), "2012-11-29    0.0%  0 candidates/s  rows 7  left ?");
}

}  // namespace
