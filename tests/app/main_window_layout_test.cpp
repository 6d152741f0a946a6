#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/MainWindowLayout.h"
#include "app/SettingsDialogs.h"
#include "res/resource.h"

namespace {

const MainWindowControl* FindControl(int id) {
    for (const MainWindowControl& c : kMainWindowControls)
        if (c.id == id) return &c;
    return nullptr;
}

int CountKind(MainControlKind kind) {
    int n = 0;
    for (const MainWindowControl& c : kMainWindowControls)
        if (c.kind == kind) ++n;
    return n;
}

bool HasTabStop(const MainWindowControl& c) {
    return (MainControlStyle(c.kind, false) & kWindowStyleTabStop) != 0;
}

}  // namespace

TEST(MainWindowLayout, ControlCountsAndUniqueIds) {
    EXPECT_EQ(CountKind(kMainEdit), 39);
    EXPECT_EQ(CountKind(kMainCheckBox), 9);
    EXPECT_EQ(CountKind(kMainPushButton), 9);
    EXPECT_EQ(CountKind(kMainRadioGroupStart), 1);
    EXPECT_EQ(CountKind(kMainRadioButton), 3);
    EXPECT_EQ(CountKind(kMainComboBox), 1);

    std::set<int> ids;
    for (const MainWindowControl& c : kMainWindowControls) {
        EXPECT_TRUE(ids.insert(c.id).second) << "duplicate ID " << c.id;
        // The edits and the combo box are Win32 controls with these IDs;
        // ID 1 and 2 would be taken for IDOK and IDCANCEL by the dialog
        // manager's Enter and Escape handling.
        EXPECT_GT(c.id, 2);
    }
    EXPECT_EQ(ids.size(), 62u);
}

TEST(MainWindowLayout, TabOrderFollowsCreationAndSkipsButtonsAndRadios) {
    // The controls with a tab stop, in the order Tab visits them.
    const std::vector<int> expected = {
        IDC_MAC_0, IDC_MAC_1, IDC_MAC_2, IDC_MAC_3, IDC_MAC_4, IDC_MAC_5,
        IDC_VCOUNT, IDC_TIMER0, IDC_GXSTAT, IDC_FRAME,
        IDC_START_YEAR, IDC_START_MONTH, IDC_START_DAY, IDC_END_YEAR, IDC_END_MONTH, IDC_END_DAY,
        IDC_THREE_DS, IDC_KEY_INPUT,
        IDC_START_HOUR, IDC_END_HOUR, IDC_START_MINUTE, IDC_END_MINUTE, IDC_START_SECOND,
        IDC_END_SECOND,
        IDC_IV_CONSUMPTION_START, IDC_IV_CONSUMPTION_END,
        IDC_IV_MAX_H, IDC_IV_MIN_H, IDC_IV_MAX_A, IDC_IV_MIN_A, IDC_IV_MAX_B, IDC_IV_MIN_B,
        IDC_IV_MAX_C, IDC_IV_MIN_C, IDC_IV_MAX_D, IDC_IV_MIN_D, IDC_IV_MAX_S, IDC_IV_MIN_S,
        IDC_HIDDEN_POWER_TYPE, IDC_HIDDEN_POWER_MINIMUM, IDC_ROAMER,
        IDC_PID_CONSUMPTION_START, IDC_PID_CONSUMPTION_END,
        IDC_SHINY_PID, IDC_BREEDING, IDC_DELIVERY, IDC_COMET, IDC_DOME, IDC_GROTTO,
    };
    std::vector<int> tabOrder;
    for (const MainWindowControl& c : kMainWindowControls)
        if (HasTabStop(c)) tabOrder.push_back(c.id);
    EXPECT_EQ(tabOrder, expected);

    for (const MainWindowControl& c : kMainWindowControls) {
        if (c.kind == kMainPushButton || c.kind == kMainRadioButton ||
            c.kind == kMainRadioGroupStart) {
            EXPECT_FALSE(HasTabStop(c)) << c.id;
        }
    }
}

TEST(MainWindowLayout, RadioGroupStartsAtBlack2AndEndsTheTable) {
    // The group runs from its WS_GROUP control to the next one or the end,
    // so nothing may follow the four version buttons.
    const int first = kMainWindowControlCount - 4;
    const int expectedIds[4] = {IDC_BLACK2, IDC_WHITE2, IDC_BLACK, IDC_WHITE};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(kMainWindowControls[first + i].id, expectedIds[i]);
    EXPECT_EQ(kMainWindowControls[first].kind, kMainRadioGroupStart);
    for (int i = 0; i < kMainWindowControlCount; ++i) {
        uint32_t style = MainControlStyle(kMainWindowControls[i].kind, false);
        EXPECT_EQ((style & kWindowStyleGroup) != 0, i == first) << kMainWindowControls[i].id;
    }
}

TEST(MainWindowLayout, StylesAndClassesByKind) {
    EXPECT_EQ(MainControlStyle(kMainEdit, false), 0x50810000u);
    EXPECT_EQ(MainControlStyle(kMainEdit, true), 0x50810080u);
    // Only the edits change in the morvane-hscroll build.
    for (MainControlKind kind : {kMainCheckBox, kMainPushButton, kMainRadioButton,
                                 kMainRadioGroupStart, kMainComboBox})
        EXPECT_EQ(MainControlStyle(kind, false), MainControlStyle(kind, true));
    EXPECT_EQ(MainControlStyle(kMainCheckBox, false), 0x50010003u);
    EXPECT_EQ(MainControlStyle(kMainPushButton, false), 0x50000000u);
    EXPECT_EQ(MainControlStyle(kMainRadioButton, false), 0x50000009u);
    EXPECT_EQ(MainControlStyle(kMainRadioGroupStart, false), 0x50020009u);
    EXPECT_EQ(MainControlStyle(kMainComboBox, false), 0x50A10003u);

    EXPECT_STREQ(MainControlClass(kMainEdit), "Edit");
    EXPECT_STREQ(MainControlClass(kMainComboBox), "combobox");
    for (MainControlKind kind :
         {kMainCheckBox, kMainPushButton, kMainRadioButton, kMainRadioGroupStart})
        EXPECT_STREQ(MainControlClass(kind), "Button");

#ifdef MORVANE_HSCROLL
    EXPECT_TRUE(kMainWindowEditsScroll);
#else
    EXPECT_FALSE(kMainWindowEditsScroll);
#endif
}

TEST(MainWindowLayout, IndividualValueRowsStepBy40Pixels) {
    for (int i = 0; i < 6; ++i) {
        const MainWindowControl* upper = FindControl(IDC_IV_MAX_H + i);
        const MainWindowControl* lower = FindControl(IDC_IV_MIN_H + i);
        ASSERT_NE(upper, nullptr);
        ASSERT_NE(lower, nullptr);
        EXPECT_EQ(upper->x, 118 + 40 * i);
        EXPECT_EQ(lower->x, 118 + 40 * i);
        EXPECT_EQ(upper->y, 198);
        EXPECT_EQ(lower->y, 233);
        EXPECT_STREQ(upper->text, "31");
        EXPECT_STREQ(lower->text, "0");
        // Created in pairs: the upper bound right before its lower bound.
        EXPECT_EQ(lower - upper, 1);
    }
    for (int i = 0; i < 6; ++i) {
        const MainWindowControl* mac = FindControl(IDC_MAC_0 + i);
        ASSERT_NE(mac, nullptr);
        EXPECT_EQ(mac->x, 350 + 40 * i);
        EXPECT_EQ(mac - kMainWindowControls, i);
    }
}

TEST(MainWindowLayout, InitialTextsAndCommandButtons) {
    struct Expected { int id; const char* text; };
    const Expected texts[] = {
        {IDC_START_HOUR, "0"},
        {IDC_END_HOUR, "23"},
        {IDC_START_MINUTE, "0"},
        {IDC_END_MINUTE, "59"},
        {IDC_START_SECOND, "0"},
        {IDC_END_SECOND, "59"},
        {IDC_IV_CONSUMPTION_START, "7"},
        {IDC_IV_CONSUMPTION_END, "7"},
        {IDC_HIDDEN_POWER_MINIMUM, "30"},
        {IDC_PID_CONSUMPTION_START, "50"},
        {IDC_PID_CONSUMPTION_END, "150"},
        {IDC_VCOUNT, ""},
        {IDC_FRAME, ""},
        {IDC_START_YEAR, ""},
        {IDC_END_DAY, ""},
    };
    for (const Expected& e : texts) {
        const MainWindowControl* c = FindControl(e.id);
        ASSERT_NE(c, nullptr) << e.id;
        EXPECT_STREQ(c->text, e.text) << e.id;
    }
    // Code page 932 bytes of the start button's caption "検索開始".
    const MainWindowControl* start = FindControl(IDC_START_SEARCH);
    ASSERT_NE(start, nullptr);
    EXPECT_STREQ(start->text, "\x8C\x9F\x8D\xF5\x8A\x4A\x8E\x6E");
    EXPECT_EQ(start->width, 200);
    EXPECT_EQ(start->height, 30);

    const MainWindowControl* combo = FindControl(IDC_HIDDEN_POWER_TYPE);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->height, 350);  // the opened list

    // Every push button is a command the window handles.
    for (const MainWindowControl& c : kMainWindowControls) {
        if (c.kind != kMainPushButton) continue;
        bool command =
            c.id == IDC_START_SEARCH || c.id == IDC_SAVE || SettingsDialogOf(c.id) != nullptr;
        EXPECT_TRUE(command) << c.id;
    }
}

TEST(MainWindowLayout, SettingsButtonsOpenTheirTemplates) {
    const std::pair<int, int> opens[] = {
        {IDC_SHINY_PID_SETTINGS, IDD_SHINY_PID}, {IDC_BREEDING_SETTINGS, IDD_BREEDING},
        {IDC_COMET_SETTINGS, IDD_COMET},         {IDC_KEY_PATTERN_SETTINGS, IDD_KEY_PATTERN},
        {IDC_DOME_SETTINGS, IDD_DOME},           {IDC_DELIVERY_SETTINGS, IDD_DELIVERY},
        {IDC_GROTTO_SETTINGS, IDD_GROTTO}};
    for (const auto& open : opens) {
        const SettingsDialog* dialog = SettingsDialogOf(open.first);
        ASSERT_NE(dialog, nullptr) << open.first;
        EXPECT_EQ(dialog->templateId, open.second);
        EXPECT_TRUE(dialog->init != nullptr && dialog->store != nullptr) << open.first;
        // Each is a "設定" push button of the window.
        const MainWindowControl* button = FindControl(open.first);
        ASSERT_NE(button, nullptr) << open.first;
        EXPECT_EQ(button->kind, kMainPushButton);
        EXPECT_STREQ(button->text, "\x90\xDD\x92\xE8");
    }
    // Commands that open no dialog, the unused IDs beside the settings
    // buttons, a check box and no ID at all.
    for (int id : {IDC_START_SEARCH, IDC_REPAINT, IDC_SAVE, IDC_DELIVERY_SETTINGS + 1,
                   IDC_GROTTO_SETTINGS + 1, IDC_SHINY_PID, 0, -1})
        EXPECT_EQ(SettingsDialogOf(id), nullptr) << id;
}

TEST(MainWindowLayout, LabelsAreCodePage932AndInsideTheWindow) {
    // "時刻:" ends in a full-width space, 81 40.
    EXPECT_STREQ(kMainWindowLabels[12].text, "\x8E\x9E\x8D\x8F:\x81\x40");
    EXPECT_EQ(std::strlen(kMainWindowLabels[12].text), 7u);
    // "日～20": the wave dash is 81 60.
    EXPECT_STREQ(kMainWindowLabels[8].text, "\x93\xFA\x81\x60" "20");
    EXPECT_STREQ(kMainWindowLabels[21].text, "\x81\x60");

    for (const MainWindowLabel& label : kMainWindowLabels) {
        EXPECT_GT(std::strlen(label.text), 0u);
        EXPECT_GE(label.x, 0);
        EXPECT_LT(label.x, kMainWindowWidth);
        EXPECT_GE(label.y, 0);
        EXPECT_LT(label.y, kMainWindowHeight);
    }
    // The stat letters above and below the value edits.
    const char* const stats[6] = {"H", "A", "B", "C", "D", "S"};
    int found = 0;
    for (int i = 0; i < 6; ++i) {
        for (const MainWindowLabel& label : kMainWindowLabels) {
            if (std::strcmp(label.text, stats[i]) != 0) continue;
            EXPECT_EQ(label.x, 106 + 40 * i);
            EXPECT_TRUE(label.y == 200 || label.y == 235);
            ++found;
        }
    }
    EXPECT_EQ(found, 12);
}

TEST(MainWindowLayout, WindowFrame) {
    EXPECT_STREQ(kMainWindowClassName, "mrvn");
    EXPECT_EQ(kMainWindowClassStyle, 3u);
    EXPECT_EQ(kMainWindowStyle, 0x00CA0000u);
    EXPECT_EQ(kMainWindowWidth, 640);
    EXPECT_EQ(kMainWindowHeight, 480);
    // Every control fits in the 640 x 480 frame.
    for (const MainWindowControl& c : kMainWindowControls) {
        EXPECT_GE(c.x, 0) << c.id;
        EXPECT_LE(c.x + c.width, kMainWindowWidth) << c.id;
        if (c.kind != kMainComboBox) {
            EXPECT_LE(c.y + c.height, kMainWindowHeight) << c.id;
        }
    }
}
