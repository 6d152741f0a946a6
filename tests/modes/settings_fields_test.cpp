#include <gtest/gtest.h>

#include <set>
#include <string>

#include "modes/SearchModes.h"
#include "modes/SettingsFields.h"

// The table's own columns agree: every name once, each initial value inside
// its range (the window's empty dates excepted), and each list offering one
// entry per value of its range.
TEST(SettingsFields, RowsAgreeWithTheirRangesAndLists) {
    std::set<std::string> names;
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        EXPECT_TRUE(names.insert(f.name).second) << f.name;
        EXPECT_EQ(SettingsFieldFind(f.name), i);
        EXPECT_EQ(f.group == kGroupConsole, i < kConsoleFieldCount) << f.name;
        if (f.group != kGroupConsole && !(f.group == kGroupDates && f.initial == 0 && f.low > 0)) {
            EXPECT_GE(f.initial, f.low) << f.name;
            EXPECT_LE(f.initial, f.high) << f.name;
        }
        if (!f.list) continue;
        int32_t entries = f.list->nameCount;
        for (const char* lead : f.list->lead) entries += lead ? 1 : 0;
        EXPECT_EQ(f.list->firstValue, f.low) << f.name;
        EXPECT_EQ(f.list->firstValue + entries - 1, f.high) << f.name;
    }
    EXPECT_EQ(SettingsFieldFind("noSuchField"), -1);
}

// The window's initial record is the table's: a record read back from the
// text of its own initial values is the same record.
TEST(SettingsFields, InitialRecordIsTheTablesAndSurvivesItsText) {
    SettingsRecord initial;
    SettingsRecordInit(initial);
    EXPECT_EQ(initial.search.endHour, 23);
    EXPECT_EQ(initial.search.deliveryTrainerId, 3012);
    EXPECT_EQ(initial.search.hiddenPowerType, -1);
    EXPECT_TRUE(initial.search.version.fiveWordVersion);
    // The window's empty dates read 0, which no settings file takes.
    initial.search.startMonth = initial.search.startDay = initial.search.endMonth = initial.search.endDay = 1;
    SettingsRecord read;
    SettingsRecordInit(read);
    read.search.endHour = 5;
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    ASSERT_TRUE(SettingsTextRead(SettingsText(initial), "text", read, origins, error)) << error;
    EXPECT_EQ(SettingsText(read), SettingsText(initial));
    EXPECT_EQ(read.search.endHour, 23);
}

// Every mode but the last is named by its switch's row, its --mode name
// finds it, and selecting it leaves only its switch on.
TEST(SearchModes, NamesSwitchesAndDialogsComeFromTheTable) {
    std::set<int> dialogs;
    for (int32_t m = 0; m < kSearchModeCount; ++m) {
        const SearchModeEntry& mode = kSearchModes[m];
        EXPECT_EQ(SearchModeNamed(mode.name), &mode);
        SearchSettings s;
        SearchSettingsInit(s);
        s.grottoEnabled = true;
        SearchModeSelect(s, mode.mode);
        EXPECT_EQ(SearchModeOf(s), mode.mode) << mode.name;
        if (!mode.enabled) {
            EXPECT_EQ(mode.dialog, nullptr);
            continue;
        }
        EXPECT_GE(SettingsFieldOfSwitch(mode.enabled), 0) << mode.name;
        EXPECT_NE(mode.checkBoxId, 0);
        ASSERT_NE(mode.dialog, nullptr);
        EXPECT_TRUE(dialogs.insert(mode.dialog->templateId).second) << mode.name;
    }
    EXPECT_EQ(SearchModeNamed("none"), nullptr);
    EXPECT_EQ(SettingsFieldOfSwitch(&SearchSettings::threeDsMode), SettingsFieldFind("threeDsMode"));
}
