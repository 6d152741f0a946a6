#include <gtest/gtest.h>

#include <cstring>

#include "app/Capture.h"
#include "app/MainWindowLists.h"
#include "fake_controls.h"
#include "modes/ResultFile.h"

namespace {

// The main window as created: initial texts, the filled combo box.
FakeControls FreshMainWindow() {
    FakeControls f;
    const std::pair<int, const char*> initial[] = {
        {1030, "0"}, {1033, "23"}, {1031, "0"}, {1034, "59"}, {1032, "0"}, {1035, "59"},
        {1027, "7"}, {1028, "7"},  {1040, "30"}, {1038, "50"}, {1039, "150"}};
    for (const auto& entry : initial) f.texts[entry.first] = entry.second;
    for (int i = 0; i < 6; ++i) {
        f.texts[1012 + i] = "31";
        f.texts[1021 + i] = "0";
    }
    MainWindowFillHiddenPowerList(FakeControlsAccess(f));
    return f;
}

SearchSettings Captured(FakeControls& f) {
    SearchSettings s;
    SearchSettingsInit(s);
    CaptureMainWindow(FakeControlsAccess(f), s);
    return s;
}

}  // namespace

TEST(Capture, FreshWindowGivesTheInitialValues) {
    FakeControls f = FreshMainWindow();
    SearchSettings captured;
    SearchSettingsInit(captured);
    CaptureMainWindow(FakeControlsAccess(f), captured);
    SearchSettings initial;
    SearchSettingsInit(initial);
    EXPECT_EQ(std::memcmp(&captured, &initial, sizeof captured), 0);
}

TEST(Capture, EachFieldFromItsEditAndCharacterCount) {
    FakeControls f = FreshMainWindow();
    f.texts[1000] = "0x5f";   // 3 characters: "0x5"
    f.texts[1001] = "c79ab1";  // 5
    f.texts[1002] = "0600000012";  // 8
    f.texts[1029] = "123456789";   // 8
    f.texts[1009] = "2012";  // a year typed in full is read as 20
    // The other date and time edits, by field, each with its own value.
    const std::pair<int, int32_t SearchSettings::*> dateTimes[] = {
        {1018, &SearchSettings::endYear},   {1010, &SearchSettings::startMonth},
        {1019, &SearchSettings::endMonth},  {1011, &SearchSettings::startDay},
        {1020, &SearchSettings::endDay},    {1030, &SearchSettings::startHour},
        {1033, &SearchSettings::endHour},   {1031, &SearchSettings::startMinute},
        {1034, &SearchSettings::endMinute}, {1032, &SearchSettings::startSecond},
        {1035, &SearchSettings::endSecond}};
    for (int i = 0; i < 11; ++i) f.texts[dateTimes[i].first] = std::to_string(10 + i) + "9";
    for (int i = 0; i < 6; ++i) {
        f.texts[1012 + i] = std::to_string(20 + i) + "9";
        f.texts[1021 + i] = std::to_string(i);
    }
    f.texts[1040] = "100";
    f.texts[1027] = "12345";
    f.texts[1028] = "-12";
    f.texts[1038] = "123456";
    f.texts[1039] = "99x";
    SearchSettings s = Captured(f);
    EXPECT_EQ(s.vCount, 5u);
    EXPECT_EQ(s.timer0, 0xC79ABu);
    EXPECT_EQ(s.gxStat, 0x06000000u);
    EXPECT_EQ(s.frame, 12345678);
    EXPECT_EQ(s.startYear, 20);
    for (int i = 0; i < 11; ++i) EXPECT_EQ(s.*dateTimes[i].second, 10 + i) << dateTimes[i].first;
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(s.ivMax[i], 20 + i) << i;
        EXPECT_EQ(s.ivMin[i], i) << i;
    }
    EXPECT_EQ(s.hiddenPowerMinimum, 10);
    EXPECT_EQ(s.ivConsumptionStart, 1234);
    EXPECT_EQ(s.ivConsumptionEnd, -12);
    EXPECT_EQ(s.pidConsumptionStart, 12345);
    EXPECT_EQ(s.pidConsumptionEnd, 99);
}

TEST(Capture, HiddenPowerTypeIsSelectionMinusOne) {
    FakeControls f = FreshMainWindow();
    ASSERT_EQ(f.items[922].size(), 17u);
    EXPECT_EQ(f.items[922][0], "指定無し");
    for (int i = 0; i < 16; ++i) EXPECT_EQ(f.items[922][i + 1], HiddenPowerTypeNames[i]);
    EXPECT_EQ(Captured(f).hiddenPowerType, -1);
    f.selections[922] = 1;
    EXPECT_EQ(Captured(f).hiddenPowerType, 0);
    f.selections[922] = 16;
    EXPECT_EQ(Captured(f).hiddenPowerType, 15);
}

TEST(Capture, MacWords) {
    FakeControls f = FreshMainWindow();
    for (int i = 0; i < 6; ++i) f.texts[1003 + i] = "0" + std::to_string(i + 1);
    f.texts[1002] = "6";
    f.texts[1029] = "5";
    SearchSettings s = Captured(f);
    EXPECT_EQ(s.MacWord7, 0x02020304u);
    EXPECT_EQ(s.MacWord6, 0x00000506u);

    // Empty Frame: G is GxStat itself, byte-reversed into word 7.
    f.texts[1002] = "12345678";
    f.texts[1029] = "";
    s = Captured(f);
    EXPECT_EQ(s.frame, 0);
    EXPECT_EQ(s.MacWord7, 0x01020304u ^ 0x78563412u);

    // A negative Frame is XORed as its two's complement.
    f.texts[1002] = "0";
    f.texts[1029] = "-1";
    EXPECT_EQ(Captured(f).MacWord7, 0x01020304u ^ 0xFFFFFFFFu);

    // Only two characters per byte; "g" reads 0.
    f.texts[1029] = "0";
    f.texts[1003] = "g";
    f.texts[1008] = "abc";
    s = Captured(f);
    EXPECT_EQ(s.MacWord7, 0x00020304u);
    EXPECT_EQ(s.MacWord6, 0x05ABu);
}

TEST(Capture, VersionButtonsInOrderOrKept) {
    FakeControls f = FreshMainWindow();
    SearchSettings s;
    SearchSettingsInit(s);
    s.version.fiveWordVersion = true;
    s.version.versionWords[2] = 0x1234;
    s.version.versionWord = 0x99;
    CaptureMainWindow(FakeControlsAccess(f), s);  // none on: kept
    EXPECT_TRUE(s.version.fiveWordVersion);
    EXPECT_EQ(s.version.versionWord, 0x99u);
    EXPECT_EQ(s.version.versionWords[2], 0x1234u);

    f.checks[900] = true;
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.version.fiveWordVersion);
    EXPECT_EQ(s.version.versionWord, 0x02215F10u);
    EXPECT_EQ(s.version.versionWords[2], 0x1234u);

    f.checks[900] = false;
    f.checks[901] = true;
    f.checks[902] = true;  // ホワイト is tested first
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.version.fiveWordVersion);
    EXPECT_EQ(s.version.versionWord, 0x02215F30u);

    f.checks[901] = false;
    f.checks[902] = false;
    f.checks[903] = true;
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_TRUE(s.version.fiveWordVersion);
    const uint32_t white2[5] = {0x0209A8FC, 0x02039AF5, 0x021FF9D0, 0x021FFA24, 0x021FFA24};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.version.versionWords[i], white2[i]) << i;
}

TEST(Capture, EachCheckBoxSetsOnlyItsSwitch) {
    const std::pair<int, bool SearchSettings::*> boxes[] = {
        {956, &SearchSettings::threeDsMode},     {953, &SearchSettings::keyInputEnabled},
        {931, &SearchSettings::roamerEnabled},   {930, &SearchSettings::shinyPidEnabled},
        {932, &SearchSettings::breedingEnabled}, {952, &SearchSettings::deliveryEnabled},
        {954, &SearchSettings::cometEnabled},    {955, &SearchSettings::domeEnabled},
        {958, &SearchSettings::grottoEnabled}};
    for (const auto& box : boxes) {
        FakeControls f = FreshMainWindow();
        f.checks[box.first] = true;
        SearchSettings s = Captured(f);
        for (const auto& other : boxes)
            EXPECT_EQ(s.*other.second, other.first == box.first) << box.first << " " << other.first;
    }
}
