#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "app/MainWindowLayout.h"

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
        1003, 1004, 1005, 1006, 1007, 1008,  // MAC
        1000, 1001, 1002, 1029,              // VCount, Timer0, GxStat, Frame
        1009, 1010, 1011, 1018, 1019, 1020,  // dates
        956,  953,                           // 3DS, キー入力
        1030, 1033, 1031, 1034, 1032, 1035,  // times
        1027, 1028,                          // 個体値乱数列
        1012, 1021, 1013, 1022, 1014, 1023, 1015, 1024, 1016, 1025, 1017, 1026,
        922,  1040, 931,                     // めざパ, minimum, 徘徊
        1038, 1039,                          // 性格値乱数列
        930,  932,  952,  954,  955,  958,   // mode switches
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
    const int expectedIds[4] = {902, 903, 900, 901};
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
        const MainWindowControl* upper = FindControl(1012 + i);
        const MainWindowControl* lower = FindControl(1021 + i);
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
        const MainWindowControl* mac = FindControl(1003 + i);
        ASSERT_NE(mac, nullptr);
        EXPECT_EQ(mac->x, 350 + 40 * i);
        EXPECT_EQ(mac - kMainWindowControls, i);
    }
}

TEST(MainWindowLayout, InitialTextsAndCommandButtons) {
    struct Expected { int id; const char* text; };
    const Expected texts[] = {
        {1030, "0"},  {1033, "23"}, {1031, "0"},  {1034, "59"}, {1032, "0"},
        {1035, "59"}, {1027, "7"},  {1028, "7"},  {1040, "30"}, {1038, "50"},
        {1039, "150"}, {1000, ""},  {1029, ""},   {1009, ""},   {1020, ""},
    };
    for (const Expected& e : texts) {
        const MainWindowControl* c = FindControl(e.id);
        ASSERT_NE(c, nullptr) << e.id;
        EXPECT_STREQ(c->text, e.text) << e.id;
    }
    // Code page 932 bytes of the start button's caption "検索開始".
    const MainWindowControl* start = FindControl(1100);
    ASSERT_NE(start, nullptr);
    EXPECT_STREQ(start->text, "\x8C\x9F\x8D\xF5\x8A\x4A\x8E\x6E");
    EXPECT_EQ(start->width, 200);
    EXPECT_EQ(start->height, 30);

    const MainWindowControl* combo = FindControl(922);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->height, 350);  // the opened list

    // Every push button is a command the window handles.
    for (const MainWindowControl& c : kMainWindowControls) {
        if (c.kind != kMainPushButton) continue;
        bool command = c.id == 1100 || c.id == 1102 || MainWindowDialogTemplateOf(c.id) != 0;
        EXPECT_TRUE(command) << c.id;
    }
}

TEST(MainWindowLayout, DialogTemplatesOfCommands) {
    EXPECT_EQ(MainWindowDialogTemplateOf(1103), 101);
    EXPECT_EQ(MainWindowDialogTemplateOf(1104), 102);
    EXPECT_EQ(MainWindowDialogTemplateOf(1105), 103);
    EXPECT_EQ(MainWindowDialogTemplateOf(1106), 105);
    EXPECT_EQ(MainWindowDialogTemplateOf(1107), 106);
    EXPECT_EQ(MainWindowDialogTemplateOf(1108), 107);
    EXPECT_EQ(MainWindowDialogTemplateOf(1110), 110);
    for (int id : {1100, 1101, 1102, 1109, 1111, 930, 0, -1})
        EXPECT_EQ(MainWindowDialogTemplateOf(id), 0) << id;
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
