#include <gtest/gtest.h>

#include <string>

#include "app/KeyPatternDialog.h"
#include "fake_controls.h"
#include "modes/BreedingDialog.h"
#include "modes/CometDialog.h"
#include "modes/DeliveryDialog.h"
#include "modes/DomeDialog.h"
#include "modes/GrottoDialog.h"
#include "modes/ResultFile.h"
#include "modes/ShinyPidDialog.h"

namespace {

SearchSettings Defaults() {
    SearchSettings s;
    SearchSettingsInit(s);
    return s;
}

// The nature list of dialogs 101 and 107: "指定無し", then the 25 natures.
void ExpectNatureList(FakeControls& f, int id, size_t firstNature) {
    ASSERT_EQ(f.items[id].size(), firstNature + 25);
    EXPECT_EQ(f.items[id][0], "指定無し");
    for (size_t i = 0; i < 25; ++i) EXPECT_EQ(f.items[id][firstNature + i], NatureNames[i]) << i;
}

// The key boxes by KeyMask bit, as the dialog's layout numbers them.
const int kKeyBoxes[10] = {1001, 1002, 1004, 1003, 1009, 1010, 1007, 1008, 1006, 1005};

}  // namespace

TEST(KeyPatternDialog, BoxesFollowTheKeyBitOrder) {
    FakeControls shown;
    KeyPatternDialogInit(FakeControlsAccess(shown), Defaults());
    for (int id = 1001; id <= 1011; ++id) EXPECT_TRUE(shown.checks[id]) << id;

    for (int bit = 0; bit < 10; ++bit) {
        FakeControls f;
        for (int id = 1001; id <= 1011; ++id) f.checks[id] = id != kKeyBoxes[bit];
        SearchSettings s = Defaults();
        KeyPatternDialogStore(FakeControlsAccess(f), s);
        for (int j = 0; j < 10; ++j) EXPECT_EQ(s.usableKeys[j], j != bit) << bit << " " << j;
        EXPECT_TRUE(s.excludeOppositeAndReset);

        FakeControls reopened;
        KeyPatternDialogInit(FakeControlsAccess(reopened), s);
        for (int id = 1001; id <= 1011; ++id)
            EXPECT_EQ(reopened.checks[id], id != kKeyBoxes[bit]) << bit << " " << id;
    }

    FakeControls f;
    for (int id = 1001; id <= 1010; ++id) f.checks[id] = true;
    SearchSettings s = Defaults();
    KeyPatternDialogStore(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.excludeOppositeAndReset);
}

TEST(ShinyPidDialog, InitShowsStoredValues) {
    FakeControls f;
    ShinyPidDialogInit(FakeControlsAccess(f), Defaults());
    ExpectNatureList(f, 1007, 1);
    EXPECT_EQ(f.selections[1007], 0);
    EXPECT_EQ(f.texts[1005], "0");
    EXPECT_EQ(f.texts[1006], "0");
    EXPECT_TRUE(f.checks[1002]);
    EXPECT_FALSE(f.checks[1003]);
    EXPECT_FALSE(f.checks[1004]);
    EXPECT_FALSE(f.checks[1001]);

    SearchSettings s = Defaults();
    s.shinyTrainerId = 54321;
    s.shinySecretId = 65535;
    s.shinyEncounter = 2;
    s.shinyIdAdjust = true;
    s.shinyNature = 25;
    FakeControls g;
    ShinyPidDialogInit(FakeControlsAccess(g), s);
    EXPECT_EQ(FakeSelectedItem(g, 1007), NatureNames[24]);
    EXPECT_EQ(g.texts[1005], "54321");
    EXPECT_EQ(g.texts[1006], "65535");
    EXPECT_FALSE(g.checks[1002]);
    EXPECT_TRUE(g.checks[1003]);
    EXPECT_FALSE(g.checks[1004]);
    EXPECT_TRUE(g.checks[1001]);

    // OK right away stores what was shown.
    SearchSettings back = Defaults();
    ShinyPidDialogStore(FakeControlsAccess(g), back);
    EXPECT_EQ(back.shinyTrainerId, 54321);
    EXPECT_EQ(back.shinySecretId, 65535);
    EXPECT_EQ(back.shinyEncounter, 2);
    EXPECT_TRUE(back.shinyIdAdjust);
    EXPECT_EQ(back.shinyNature, 25);

    s.shinyEncounter = 9;  // anything but 1 and 2 shows "固定"
    FakeControls h;
    ShinyPidDialogInit(FakeControlsAccess(h), s);
    EXPECT_TRUE(h.checks[1004] && !h.checks[1002] && !h.checks[1003]);
}

TEST(ShinyPidDialog, StoreReadsFiveDigitsModulo65536) {
    FakeControls f;
    ShinyPidDialogInit(FakeControlsAccess(f), Defaults());
    f.texts[1005] = "65537";
    f.texts[1006] = "123456";  // only "12345"
    f.selections[1007] = 7;
    SearchSettings s = Defaults();
    ShinyPidDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.shinyTrainerId, 1);
    EXPECT_EQ(s.shinySecretId, 12345);
    EXPECT_EQ(s.shinyNature, 7);

    f.texts[1005] = "-1";
    f.texts[1006] = "x";
    ShinyPidDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.shinyTrainerId, 65535);
    EXPECT_EQ(s.shinySecretId, 0);

    struct { bool egg, roamer, fixed; int32_t encounter; } radios[] = {
        {true, false, false, 1}, {false, true, false, 2}, {false, false, true, 3},
        {false, false, false, 1}, {false, true, true, 2}};
    for (const auto& r : radios) {
        f.checks[1002] = r.egg;
        f.checks[1003] = r.roamer;
        f.checks[1004] = r.fixed;
        ShinyPidDialogStore(FakeControlsAccess(f), s);
        EXPECT_EQ(s.shinyEncounter, r.encounter);
    }
}

TEST(BreedingDialog, InitShowsStoredValues) {
    FakeControls f;
    BreedingDialogInit(FakeControlsAccess(f), Defaults());
    EXPECT_TRUE(f.checks[1002]);
    EXPECT_FALSE(f.checks[1003]);
    ExpectNatureList(f, 1026, 2);
    EXPECT_EQ(f.items[1026][1], "変わらず");
    EXPECT_EQ(f.selections[1026], 1);  // stored 0, "変わらず"
    const std::vector<std::string> abilities = {"指定無し", "1", "2", "夢"};
    EXPECT_EQ(f.items[1024], abilities);
    EXPECT_EQ(f.selections[1024], 0);
    const std::vector<std::string> genders = {"指定無し", "♂(7/8)", "♂(3/4)", "♂(1/2)", "♂(1/4)",
                                              "♀(3/4)",   "♀(1/2)", "♀(1/4)", "♀(1/8)"};
    EXPECT_EQ(f.items[1025], genders);
    EXPECT_EQ(f.selections[1025], 0);
    for (int id : {1005, 1006, 1023, 1027, 1028, 1029, 1030, 1031, 1032, 1033, 1034, 1035})
        EXPECT_EQ(f.texts[id], "31") << id;

    SearchSettings s = Defaults();
    s.breedingNoDitto = true;
    s.breedingNature = -1;
    s.breedingAbility = 3;
    s.breedingGender = 8;
    FakeControls g;
    BreedingDialogInit(FakeControlsAccess(g), s);
    EXPECT_FALSE(g.checks[1002]);
    EXPECT_TRUE(g.checks[1003]);
    EXPECT_EQ(g.selections[1026], 0);
    EXPECT_EQ(FakeSelectedItem(g, 1024), "夢");
    EXPECT_EQ(FakeSelectedItem(g, 1025), "♀(1/8)");
}

TEST(BreedingDialog, StoreReadsParentsInOrderAndSelectionsMinusOne) {
    SearchSettings shown = Defaults();
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) shown.parentIv[p][i] = p * 10 + i - 3;
    shown.breedingNoDitto = true;
    shown.breedingNature = 12;
    shown.breedingAbility = 2;
    shown.breedingGender = 5;
    FakeControls f;
    BreedingDialogInit(FakeControlsAccess(f), shown);
    SearchSettings s = Defaults();
    BreedingDialogStore(FakeControlsAccess(f), s);
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) EXPECT_EQ(s.parentIv[p][i], p * 10 + i - 3) << p << i;
    EXPECT_TRUE(s.breedingNoDitto);
    EXPECT_EQ(s.breedingNature, 12);
    EXPECT_EQ(s.breedingAbility, 2);
    EXPECT_EQ(s.breedingGender, 5);

    // 先 H..S, then 後 H..S, each edit to its own value.
    const int edits[2][6] = {{1005, 1006, 1023, 1027, 1028, 1029},
                             {1030, 1031, 1032, 1033, 1034, 1035}};
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) f.texts[edits[p][i]] = std::to_string(50 + p * 6 + i);
    BreedingDialogStore(FakeControlsAccess(f), s);
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) EXPECT_EQ(s.parentIv[p][i], 50 + p * 6 + i) << p << i;

    // Whole texts, leniently.
    f.texts[1005] = "  -7x";
    f.texts[1006] = "40";
    f.texts[1023] = "123456789";
    f.texts[1027] = "";
    f.texts[1035] = "+8";
    f.checks[1002] = true;
    f.checks[1003] = false;
    f.selections[1026] = 0;
    BreedingDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.parentIv[0][0], -7);
    EXPECT_EQ(s.parentIv[0][1], 40);
    EXPECT_EQ(s.parentIv[0][2], 123456789);
    EXPECT_EQ(s.parentIv[0][3], 0);
    EXPECT_EQ(s.parentIv[1][5], 8);
    EXPECT_FALSE(s.breedingNoDitto);
    EXPECT_EQ(s.breedingNature, -1);
}

TEST(DeliveryDialog, InitShowsStoredValues) {
    FakeControls f;
    DeliveryDialogInit(FakeControlsAccess(f), Defaults());
    EXPECT_EQ(f.texts[1005], "10");
    ExpectNatureList(f, 1007, 1);
    EXPECT_EQ(f.selections[1007], 0);
    EXPECT_FALSE(f.checks[1001]);
    EXPECT_EQ(f.texts[1006], "3012");
    EXPECT_EQ(f.texts[1023], "0");
    const std::vector<std::string> methods = {"Method1(ピカチュウ等)", "Method2(グラードン等)"};
    EXPECT_EQ(f.items[1021], methods);
    EXPECT_EQ(f.selections[1021], 0);

    for (int32_t method : {1, 2}) {
        SearchSettings s = Defaults();
        s.deliveryShinyMethod = method;
        s.deliveryNature = 25;
        FakeControls g;
        DeliveryDialogInit(FakeControlsAccess(g), s);
        EXPECT_TRUE(g.checks[1001]);
        EXPECT_EQ(g.selections[1021], method - 1);
        EXPECT_EQ(FakeSelectedItem(g, 1007), NatureNames[24]);
    }
}

TEST(DeliveryDialog, StoreTakesIdsOnlyWithTheShinyBox) {
    SearchSettings s = Defaults();
    s.deliveryShinyMethod = 2;
    FakeControls f;
    DeliveryDialogInit(FakeControlsAccess(f), s);
    f.texts[1005] = "1234567890";  // nine characters
    f.selections[1007] = 25;
    f.checks[1001] = false;
    f.texts[1006] = "1";
    f.texts[1023] = "2";
    DeliveryDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.deliveryNatureOffset, 123456789);
    EXPECT_EQ(s.deliveryNature, 25);
    EXPECT_EQ(s.deliveryShinyMethod, 0);
    EXPECT_EQ(s.deliveryTrainerId, 3012);
    EXPECT_EQ(s.deliverySecretId, 0);

    f.checks[1001] = true;
    f.selections[1021] = 1;
    f.texts[1006] = "70000";
    f.texts[1023] = "655360";  // "65536"
    DeliveryDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.deliveryShinyMethod, 2);
    EXPECT_EQ(s.deliveryTrainerId, 70000 - 65536);
    EXPECT_EQ(s.deliverySecretId, 0);
    f.selections[1021] = 0;
    f.texts[1023] = "-2";
    DeliveryDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.deliveryShinyMethod, 1);
    EXPECT_EQ(s.deliverySecretId, 65534);
}

TEST(CometDialog, CompoundEyesBox) {
    for (bool eyes : {true, false}) {
        SearchSettings s = Defaults();
        s.cometCompoundEyes = eyes;
        FakeControls f;
        CometDialogInit(FakeControlsAccess(f), s);
        EXPECT_EQ(f.checks[1001], eyes);
        f.checks[1001] = !eyes;
        CometDialogStore(FakeControlsAccess(f), s);
        EXPECT_EQ(s.cometCompoundEyes, !eyes);
    }
}

TEST(DomeDialog, SixListsAndTwoCharacterWidth) {
    const int lists[6] = {1007, 1021, 1024, 1025, 1026, 1008};  // top to bottom
    SearchSettings s = Defaults();
    const int32_t chosen[6] = {1, 52, 0, 7, 7, 30};
    for (int i = 0; i < 6; ++i) s.domeTrainers[i] = chosen[i];
    s.domeShiftWidth = -5;
    FakeControls f;
    DomeDialogInit(FakeControlsAccess(f), s);
    for (int i = 0; i < 6; ++i) {
        ASSERT_EQ(f.items[lists[i]].size(), 53u);
        EXPECT_EQ(f.items[lists[i]][0], "指定無し");
        EXPECT_EQ(f.items[lists[i]][1], "OLのアツコ");
        EXPECT_EQ(f.items[lists[i]][52], "えんじのマユコ");
        EXPECT_EQ(f.selections[lists[i]], chosen[i]) << i;
    }
    EXPECT_EQ(f.texts[1005], "-5");

    SearchSettings back = Defaults();
    DomeDialogStore(FakeControlsAccess(f), back);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.domeTrainers[i], chosen[i]) << i;
    EXPECT_EQ(back.domeShiftWidth, -5);

    f.texts[1005] = "123";
    DomeDialogStore(FakeControlsAccess(f), back);
    EXPECT_EQ(back.domeShiftWidth, 12);
    f.texts[1005] = "-15";
    DomeDialogStore(FakeControlsAccess(f), back);
    EXPECT_EQ(back.domeShiftWidth, -1);
}

TEST(GrottoDialog, ListsAndSlots) {
    FakeControls f;
    GrottoDialogInit(FakeControlsAccess(f), Defaults());
    ASSERT_EQ(f.items[1007].size(), 11u);
    EXPECT_EQ(f.items[1007][0], "ポケモン(1%)");
    EXPECT_EQ(f.items[1007][10], "ダウジング(25%)");
    const std::vector<std::string> ratios = {"気にしない", "♀率5%", "♀率10%", "♀率30%", "♀率60%"};
    EXPECT_EQ(f.items[1021], ratios);
    EXPECT_EQ(f.selections[1007], 0);
    EXPECT_EQ(f.selections[1021], 0);
    for (int id = 1001; id <= 1004; ++id) EXPECT_TRUE(f.checks[id]) << id;

    SearchSettings s = Defaults();
    s.grottoKind = 10;
    s.grottoFemaleRatio = 4;
    const bool slots[4] = {false, true, false, true};
    for (int i = 0; i < 4; ++i) s.grottoSlots[i] = slots[i];
    FakeControls g;
    GrottoDialogInit(FakeControlsAccess(g), s);
    EXPECT_EQ(g.selections[1007], 10);
    EXPECT_EQ(g.selections[1021], 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.checks[1001 + i], slots[i]) << i;

    g.checks[1001] = true;
    g.selections[1007] = 3;
    SearchSettings back = Defaults();
    GrottoDialogStore(FakeControlsAccess(g), back);
    EXPECT_EQ(back.grottoKind, 3);
    EXPECT_EQ(back.grottoFemaleRatio, 4);
    const bool stored[4] = {true, true, false, true};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back.grottoSlots[i], stored[i]) << i;
}
