#include <gtest/gtest.h>

#include <cstring>

#include "app/Capture.h"
#include "app/MainWindowLists.h"
#include "modes/ResultFile.h"
#include "res/resource.h"
#include "tests/ui/fake_controls.h"

namespace {

// The main window as created: initial texts, the filled combo box.
FakeControls FreshMainWindow() {
    FakeControls f;
    const std::pair<int, const char*> initial[] = {
        {IDC_START_HOUR, "0"},           {IDC_END_HOUR, "23"},
        {IDC_START_MINUTE, "0"},         {IDC_END_MINUTE, "59"},
        {IDC_START_SECOND, "0"},         {IDC_END_SECOND, "59"},
        {IDC_IV_CONSUMPTION_START, "7"}, {IDC_IV_CONSUMPTION_END, "7"},
        {IDC_HIDDEN_POWER_MINIMUM, "30"}, {IDC_PID_CONSUMPTION_START, "50"},
        {IDC_PID_CONSUMPTION_END, "150"}};
    for (const auto& entry : initial) f.texts[entry.first] = entry.second;
    for (int i = 0; i < 6; ++i) {
        f.texts[IDC_IV_MAX_H + i] = "31";
        f.texts[IDC_IV_MIN_H + i] = "0";
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
    f.texts[IDC_VCOUNT] = "0x5f";        // 3 characters: "0x5"
    f.texts[IDC_TIMER0] = "c79ab1";      // 5
    f.texts[IDC_GXSTAT] = "0600000012";  // 8
    f.texts[IDC_FRAME] = "123456789";    // 8
    f.texts[IDC_START_YEAR] = "2012";    // a year typed in full is read as 20
    // The other date and time edits, by field, each with its own value.
    const std::pair<int, int32_t SearchSettings::*> dateTimes[] = {
        {IDC_END_YEAR, &SearchSettings::endYear},
        {IDC_START_MONTH, &SearchSettings::startMonth},
        {IDC_END_MONTH, &SearchSettings::endMonth},
        {IDC_START_DAY, &SearchSettings::startDay},
        {IDC_END_DAY, &SearchSettings::endDay},
        {IDC_START_HOUR, &SearchSettings::startHour},
        {IDC_END_HOUR, &SearchSettings::endHour},
        {IDC_START_MINUTE, &SearchSettings::startMinute},
        {IDC_END_MINUTE, &SearchSettings::endMinute},
        {IDC_START_SECOND, &SearchSettings::startSecond},
        {IDC_END_SECOND, &SearchSettings::endSecond}};
    for (int i = 0; i < 11; ++i) f.texts[dateTimes[i].first] = std::to_string(10 + i) + "9";
    for (int i = 0; i < 6; ++i) {
        f.texts[IDC_IV_MAX_H + i] = std::to_string(20 + i) + "9";
        f.texts[IDC_IV_MIN_H + i] = std::to_string(i);
    }
    f.texts[IDC_HIDDEN_POWER_MINIMUM] = "100";
    f.texts[IDC_IV_CONSUMPTION_START] = "12345";
    f.texts[IDC_IV_CONSUMPTION_END] = "-12";
    f.texts[IDC_PID_CONSUMPTION_START] = "123456";
    f.texts[IDC_PID_CONSUMPTION_END] = "99x";
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
    ASSERT_EQ(f.items[IDC_HIDDEN_POWER_TYPE].size(), 17u);
    EXPECT_EQ(f.items[IDC_HIDDEN_POWER_TYPE][0], "指定無し");
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(f.items[IDC_HIDDEN_POWER_TYPE][i + 1], HiddenPowerTypeNames[i]);
    EXPECT_EQ(Captured(f).hiddenPowerType, -1);
    f.selections[IDC_HIDDEN_POWER_TYPE] = 1;
    EXPECT_EQ(Captured(f).hiddenPowerType, 0);
    f.selections[IDC_HIDDEN_POWER_TYPE] = 16;
    EXPECT_EQ(Captured(f).hiddenPowerType, 15);
    // No entry selected gives -2; a selection the list cannot hold reads so too.
    for (int selection : {-1, 17, INT32_MAX, INT32_MIN}) {
        f.selections[IDC_HIDDEN_POWER_TYPE] = selection;
        EXPECT_EQ(Captured(f).hiddenPowerType, -2) << selection;
    }
}

TEST(Capture, MacWords) {
    FakeControls f = FreshMainWindow();
    for (int i = 0; i < 6; ++i) f.texts[IDC_MAC_0 + i] = "0" + std::to_string(i + 1);
    f.texts[IDC_GXSTAT] = "6";
    f.texts[IDC_FRAME] = "5";
    SearchSettings s = Captured(f);
    EXPECT_EQ(s.MacWord7, 0x02020304u);
    EXPECT_EQ(s.MacWord6, 0x00000506u);

    // Empty Frame: G is GxStat itself, byte-reversed into word 7.
    f.texts[IDC_GXSTAT] = "12345678";
    f.texts[IDC_FRAME] = "";
    s = Captured(f);
    EXPECT_EQ(s.frame, 0);
    EXPECT_EQ(s.MacWord7, 0x01020304u ^ 0x78563412u);

    // A negative Frame is XORed as its two's complement.
    f.texts[IDC_GXSTAT] = "0";
    f.texts[IDC_FRAME] = "-1";
    EXPECT_EQ(Captured(f).MacWord7, 0x01020304u ^ 0xFFFFFFFFu);

    // Only two characters per byte; "g" reads 0.
    f.texts[IDC_FRAME] = "0";
    f.texts[IDC_MAC_0] = "g";
    f.texts[IDC_MAC_5] = "abc";
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

    f.checks[IDC_BLACK] = true;
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.version.fiveWordVersion);
    EXPECT_EQ(s.version.versionWord, 0x02215F10u);
    EXPECT_EQ(s.version.versionWords[2], 0x1234u);

    f.checks[IDC_BLACK] = false;
    f.checks[IDC_WHITE] = true;
    f.checks[IDC_BLACK2] = true;  // ホワイト is tested first
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.version.fiveWordVersion);
    EXPECT_EQ(s.version.versionWord, 0x02215F30u);

    f.checks[IDC_WHITE] = false;
    f.checks[IDC_BLACK2] = false;
    f.checks[IDC_WHITE2] = true;
    CaptureMainWindow(FakeControlsAccess(f), s);
    EXPECT_TRUE(s.version.fiveWordVersion);
    const uint32_t white2[5] = {0x0209A8FC, 0x02039AF5, 0x021FF9D0, 0x021FFA24, 0x021FFA24};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.version.versionWords[i], white2[i]) << i;
}

TEST(Capture, EachCheckBoxSetsOnlyItsSwitch) {
    const std::pair<int, bool SearchSettings::*> boxes[] = {
        {IDC_THREE_DS, &SearchSettings::threeDsMode},
        {IDC_KEY_INPUT, &SearchSettings::keyInputEnabled},
        {IDC_ROAMER, &SearchSettings::roamerEnabled},
        {IDC_SHINY_PID, &SearchSettings::shinyPidEnabled},
        {IDC_BREEDING, &SearchSettings::breedingEnabled},
        {IDC_DELIVERY, &SearchSettings::deliveryEnabled},
        {IDC_COMET, &SearchSettings::cometEnabled},
        {IDC_DOME, &SearchSettings::domeEnabled},
        {IDC_GROTTO, &SearchSettings::grottoEnabled}};
    for (const auto& box : boxes) {
        FakeControls f = FreshMainWindow();
        f.checks[box.first] = true;
        SearchSettings s = Captured(f);
        for (const auto& other : boxes)
            EXPECT_EQ(s.*other.second, other.first == box.first) << box.first << " " << other.first;
    }
}
