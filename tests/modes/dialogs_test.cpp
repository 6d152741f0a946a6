#include <gtest/gtest.h>

#include <string>

#include "app/KeyPatternDialog.h"
#include "modes/BreedingDialog.h"
#include "modes/CometDialog.h"
#include "modes/DeliveryDialog.h"
#include "modes/DomeDialog.h"
#include "modes/GrottoDialog.h"
#include "modes/ResultFile.h"
#include "modes/ShinyPidDialog.h"
#include "res/resource.h"
#include "tests/ui/fake_controls.h"

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
const int kKeyBoxes[10] = {IDC_KEY_PATTERN_A,     IDC_KEY_PATTERN_B,    IDC_KEY_PATTERN_SELECT,
                           IDC_KEY_PATTERN_START, IDC_KEY_PATTERN_RIGHT, IDC_KEY_PATTERN_LEFT,
                           IDC_KEY_PATTERN_UP,    IDC_KEY_PATTERN_DOWN, IDC_KEY_PATTERN_R,
                           IDC_KEY_PATTERN_L};

}  // namespace

TEST(KeyPatternDialog, BoxesFollowTheKeyBitOrder) {
    FakeControls shown;
    KeyPatternDialogInit(FakeControlsAccess(shown), Defaults());
    for (int id = IDC_KEY_PATTERN_A; id <= IDC_KEY_PATTERN_EXCLUDE; ++id)
        EXPECT_TRUE(shown.checks[id]) << id;

    for (int bit = 0; bit < 10; ++bit) {
        FakeControls f;
        for (int id = IDC_KEY_PATTERN_A; id <= IDC_KEY_PATTERN_EXCLUDE; ++id)
            f.checks[id] = id != kKeyBoxes[bit];
        SearchSettings s = Defaults();
        KeyPatternDialogStore(FakeControlsAccess(f), s);
        for (int j = 0; j < 10; ++j) EXPECT_EQ(s.usableKeys[j], j != bit) << bit << " " << j;
        EXPECT_TRUE(s.excludeOppositeAndReset);

        FakeControls reopened;
        KeyPatternDialogInit(FakeControlsAccess(reopened), s);
        for (int id = IDC_KEY_PATTERN_A; id <= IDC_KEY_PATTERN_EXCLUDE; ++id)
            EXPECT_EQ(reopened.checks[id], id != kKeyBoxes[bit]) << bit << " " << id;
    }

    FakeControls f;
    for (int id = IDC_KEY_PATTERN_A; id <= IDC_KEY_PATTERN_LEFT; ++id) f.checks[id] = true;
    SearchSettings s = Defaults();
    KeyPatternDialogStore(FakeControlsAccess(f), s);
    EXPECT_FALSE(s.excludeOppositeAndReset);
}

TEST(ShinyPidDialog, InitShowsStoredValues) {
    FakeControls f;
    ShinyPidDialogInit(FakeControlsAccess(f), Defaults());
    ExpectNatureList(f, IDC_SHINY_PID_NATURE, 1);
    EXPECT_EQ(f.selections[IDC_SHINY_PID_NATURE], 0);
    EXPECT_EQ(f.texts[IDC_SHINY_PID_TRAINER_ID], "0");
    EXPECT_EQ(f.texts[IDC_SHINY_PID_SECRET_ID], "0");
    EXPECT_TRUE(f.checks[IDC_SHINY_PID_EGG]);
    EXPECT_FALSE(f.checks[IDC_SHINY_PID_ROAMER]);
    EXPECT_FALSE(f.checks[IDC_SHINY_PID_FIXED]);
    EXPECT_FALSE(f.checks[IDC_SHINY_PID_ID_ADJUST]);

    SearchSettings s = Defaults();
    s.shinyTrainerId = 54321;
    s.shinySecretId = 65535;
    s.shinyEncounter = 2;
    s.shinyIdAdjust = true;
    s.shinyNature = 25;
    FakeControls g;
    ShinyPidDialogInit(FakeControlsAccess(g), s);
    EXPECT_EQ(FakeSelectedItem(g, IDC_SHINY_PID_NATURE), NatureNames[24]);
    EXPECT_EQ(g.texts[IDC_SHINY_PID_TRAINER_ID], "54321");
    EXPECT_EQ(g.texts[IDC_SHINY_PID_SECRET_ID], "65535");
    EXPECT_FALSE(g.checks[IDC_SHINY_PID_EGG]);
    EXPECT_TRUE(g.checks[IDC_SHINY_PID_ROAMER]);
    EXPECT_FALSE(g.checks[IDC_SHINY_PID_FIXED]);
    EXPECT_TRUE(g.checks[IDC_SHINY_PID_ID_ADJUST]);

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
    EXPECT_TRUE(h.checks[IDC_SHINY_PID_FIXED] && !h.checks[IDC_SHINY_PID_EGG] &&
                !h.checks[IDC_SHINY_PID_ROAMER]);
}

TEST(ShinyPidDialog, StoreReadsFiveDigitsModulo65536) {
    FakeControls f;
    ShinyPidDialogInit(FakeControlsAccess(f), Defaults());
    f.texts[IDC_SHINY_PID_TRAINER_ID] = "65537";
    f.texts[IDC_SHINY_PID_SECRET_ID] = "123456";  // only "12345"
    f.selections[IDC_SHINY_PID_NATURE] = 7;
    SearchSettings s = Defaults();
    ShinyPidDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.shinyTrainerId, 1);
    EXPECT_EQ(s.shinySecretId, 12345);
    EXPECT_EQ(s.shinyNature, 7);

    f.texts[IDC_SHINY_PID_TRAINER_ID] = "-1";
    f.texts[IDC_SHINY_PID_SECRET_ID] = "x";
    ShinyPidDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.shinyTrainerId, 65535);
    EXPECT_EQ(s.shinySecretId, 0);

    struct { bool egg, roamer, fixed; int32_t encounter; } radios[] = {
        {true, false, false, 1}, {false, true, false, 2}, {false, false, true, 3},
        {false, false, false, 1}, {false, true, true, 2}};
    for (const auto& r : radios) {
        f.checks[IDC_SHINY_PID_EGG] = r.egg;
        f.checks[IDC_SHINY_PID_ROAMER] = r.roamer;
        f.checks[IDC_SHINY_PID_FIXED] = r.fixed;
        ShinyPidDialogStore(FakeControlsAccess(f), s);
        EXPECT_EQ(s.shinyEncounter, r.encounter);
    }
}

TEST(BreedingDialog, InitShowsStoredValues) {
    FakeControls f;
    BreedingDialogInit(FakeControlsAccess(f), Defaults());
    EXPECT_TRUE(f.checks[IDC_BREEDING_DITTO]);
    EXPECT_FALSE(f.checks[IDC_BREEDING_NO_DITTO]);
    ExpectNatureList(f, IDC_BREEDING_NATURE, 2);
    EXPECT_EQ(f.items[IDC_BREEDING_NATURE][1], "変わらず");
    EXPECT_EQ(f.selections[IDC_BREEDING_NATURE], 1);  // stored 0, "変わらず"
    const std::vector<std::string> abilities = {"指定無し", "1", "2", "夢"};
    EXPECT_EQ(f.items[IDC_BREEDING_ABILITY], abilities);
    EXPECT_EQ(f.selections[IDC_BREEDING_ABILITY], 0);
    const std::vector<std::string> genders = {"指定無し", "♂(7/8)", "♂(3/4)", "♂(1/2)", "♂(1/4)",
                                              "♀(3/4)",   "♀(1/2)", "♀(1/4)", "♀(1/8)"};
    EXPECT_EQ(f.items[IDC_BREEDING_GENDER], genders);
    EXPECT_EQ(f.selections[IDC_BREEDING_GENDER], 0);
    for (int id : {IDC_BREEDING_FIRST_H, IDC_BREEDING_FIRST_A, IDC_BREEDING_FIRST_B,
                   IDC_BREEDING_FIRST_C, IDC_BREEDING_FIRST_D, IDC_BREEDING_FIRST_S,
                   IDC_BREEDING_SECOND_H, IDC_BREEDING_SECOND_A, IDC_BREEDING_SECOND_B,
                   IDC_BREEDING_SECOND_C, IDC_BREEDING_SECOND_D, IDC_BREEDING_SECOND_S})
        EXPECT_EQ(f.texts[id], "31") << id;

    SearchSettings s = Defaults();
    s.breedingNoDitto = true;
    s.breedingNature = -1;
    s.breedingAbility = 3;
    s.breedingGender = 8;
    FakeControls g;
    BreedingDialogInit(FakeControlsAccess(g), s);
    EXPECT_FALSE(g.checks[IDC_BREEDING_DITTO]);
    EXPECT_TRUE(g.checks[IDC_BREEDING_NO_DITTO]);
    EXPECT_EQ(g.selections[IDC_BREEDING_NATURE], 0);
    EXPECT_EQ(FakeSelectedItem(g, IDC_BREEDING_ABILITY), "夢");
    EXPECT_EQ(FakeSelectedItem(g, IDC_BREEDING_GENDER), "♀(1/8)");
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
    const int edits[2][6] = {{IDC_BREEDING_FIRST_H, IDC_BREEDING_FIRST_A, IDC_BREEDING_FIRST_B,
                              IDC_BREEDING_FIRST_C, IDC_BREEDING_FIRST_D, IDC_BREEDING_FIRST_S},
                             {IDC_BREEDING_SECOND_H, IDC_BREEDING_SECOND_A, IDC_BREEDING_SECOND_B,
                              IDC_BREEDING_SECOND_C, IDC_BREEDING_SECOND_D, IDC_BREEDING_SECOND_S}};
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) f.texts[edits[p][i]] = std::to_string(50 + p * 6 + i);
    BreedingDialogStore(FakeControlsAccess(f), s);
    for (int p = 0; p < 2; ++p)
        for (int i = 0; i < 6; ++i) EXPECT_EQ(s.parentIv[p][i], 50 + p * 6 + i) << p << i;

    // Whole texts, leniently.
    f.texts[IDC_BREEDING_FIRST_H] = "  -7x";
    f.texts[IDC_BREEDING_FIRST_A] = "40";
    f.texts[IDC_BREEDING_FIRST_B] = "123456789";
    f.texts[IDC_BREEDING_FIRST_C] = "";
    f.texts[IDC_BREEDING_SECOND_S] = "+8";
    f.checks[IDC_BREEDING_DITTO] = true;
    f.checks[IDC_BREEDING_NO_DITTO] = false;
    f.selections[IDC_BREEDING_NATURE] = 0;
    BreedingDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.parentIv[0][0], -7);
    EXPECT_EQ(s.parentIv[0][1], 40);
    EXPECT_EQ(s.parentIv[0][2], 123456789);
    EXPECT_EQ(s.parentIv[0][3], 0);
    EXPECT_EQ(s.parentIv[1][5], 8);
    EXPECT_FALSE(s.breedingNoDitto);
    EXPECT_EQ(s.breedingNature, -1);
}

// A stored value no entry shows opens with none selected; a selection the
// list cannot hold is stored as none, so "OK" never stores what the next
// opening could not show.
TEST(Dialogs, ValuesOutsideTheListsSelectNothing) {
    SearchSettings s = Defaults();
    s.breedingNature = INT32_MAX;
    FakeControls f;
    BreedingDialogInit(FakeControlsAccess(f), s);
    EXPECT_EQ(f.selections[IDC_BREEDING_NATURE], -1);

    for (int selection : {INT32_MIN, -5, 27, INT32_MAX}) {
        f.selections[IDC_BREEDING_NATURE] = selection;
        f.selections[IDC_BREEDING_GENDER] = selection;
        BreedingDialogStore(FakeControlsAccess(f), s);
        EXPECT_EQ(s.breedingNature, -2) << selection;
        EXPECT_EQ(s.breedingGender, -1) << selection;
    }
    FakeControls d;
    DeliveryDialogInit(FakeControlsAccess(d), Defaults());
    d.checks[IDC_DELIVERY_SHINY] = true;
    d.selections[IDC_DELIVERY_SHINY_METHOD] = INT32_MAX;
    d.selections[IDC_DELIVERY_NATURE] = 26;
    DeliveryDialogStore(FakeControlsAccess(d), s);
    EXPECT_EQ(s.deliveryShinyMethod, 0);
    EXPECT_EQ(s.deliveryNature, -1);
}

TEST(DeliveryDialog, InitShowsStoredValues) {
    FakeControls f;
    DeliveryDialogInit(FakeControlsAccess(f), Defaults());
    EXPECT_EQ(f.texts[IDC_DELIVERY_NATURE_OFFSET], "10");
    ExpectNatureList(f, IDC_DELIVERY_NATURE, 1);
    EXPECT_EQ(f.selections[IDC_DELIVERY_NATURE], 0);
    EXPECT_FALSE(f.checks[IDC_DELIVERY_SHINY]);
    EXPECT_EQ(f.texts[IDC_DELIVERY_TRAINER_ID], "3012");
    EXPECT_EQ(f.texts[IDC_DELIVERY_SECRET_ID], "0");
    const std::vector<std::string> methods = {"Method1(ピカチュウ等)", "Method2(グラードン等)"};
    EXPECT_EQ(f.items[IDC_DELIVERY_SHINY_METHOD], methods);
    EXPECT_EQ(f.selections[IDC_DELIVERY_SHINY_METHOD], 0);

    for (int32_t method : {1, 2}) {
        SearchSettings s = Defaults();
        s.deliveryShinyMethod = method;
        s.deliveryNature = 25;
        FakeControls g;
        DeliveryDialogInit(FakeControlsAccess(g), s);
        EXPECT_TRUE(g.checks[IDC_DELIVERY_SHINY]);
        EXPECT_EQ(g.selections[IDC_DELIVERY_SHINY_METHOD], method - 1);
        EXPECT_EQ(FakeSelectedItem(g, IDC_DELIVERY_NATURE), NatureNames[24]);
    }
}

TEST(DeliveryDialog, StoreTakesIdsOnlyWithTheShinyBox) {
    SearchSettings s = Defaults();
    s.deliveryShinyMethod = 2;
    FakeControls f;
    DeliveryDialogInit(FakeControlsAccess(f), s);
    f.texts[IDC_DELIVERY_NATURE_OFFSET] = "1234567890";  // nine characters
    f.selections[IDC_DELIVERY_NATURE] = 25;
    f.checks[IDC_DELIVERY_SHINY] = false;
    f.texts[IDC_DELIVERY_TRAINER_ID] = "1";
    f.texts[IDC_DELIVERY_SECRET_ID] = "2";
    DeliveryDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.deliveryNatureOffset, 123456789);
    EXPECT_EQ(s.deliveryNature, 25);
    EXPECT_EQ(s.deliveryShinyMethod, 0);
    EXPECT_EQ(s.deliveryTrainerId, 3012);
    EXPECT_EQ(s.deliverySecretId, 0);

    f.checks[IDC_DELIVERY_SHINY] = true;
    f.selections[IDC_DELIVERY_SHINY_METHOD] = 1;
    f.texts[IDC_DELIVERY_TRAINER_ID] = "70000";
    f.texts[IDC_DELIVERY_SECRET_ID] = "655360";  // "65536"
    DeliveryDialogStore(FakeControlsAccess(f), s);
    EXPECT_EQ(s.deliveryShinyMethod, 2);
    EXPECT_EQ(s.deliveryTrainerId, 70000 - 65536);
    EXPECT_EQ(s.deliverySecretId, 0);
    f.selections[IDC_DELIVERY_SHINY_METHOD] = 0;
    f.texts[IDC_DELIVERY_SECRET_ID] = "-2";
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
        EXPECT_EQ(f.checks[IDC_COMET_COMPOUND_EYES], eyes);
        f.checks[IDC_COMET_COMPOUND_EYES] = !eyes;
        CometDialogStore(FakeControlsAccess(f), s);
        EXPECT_EQ(s.cometCompoundEyes, !eyes);
    }
}

TEST(DomeDialog, SixListsAndTwoCharacterWidth) {
    const int lists[6] = {IDC_DOME_TRAINER_1, IDC_DOME_TRAINER_2,
                          IDC_DOME_TRAINER_3, IDC_DOME_TRAINER_4,
                          IDC_DOME_TRAINER_5, IDC_DOME_TRAINER_6};  // top to bottom
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
    EXPECT_EQ(f.texts[IDC_DOME_SHIFT_WIDTH], "-5");

    SearchSettings back = Defaults();
    DomeDialogStore(FakeControlsAccess(f), back);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(back.domeTrainers[i], chosen[i]) << i;
    EXPECT_EQ(back.domeShiftWidth, -5);

    f.texts[IDC_DOME_SHIFT_WIDTH] = "123";
    DomeDialogStore(FakeControlsAccess(f), back);
    EXPECT_EQ(back.domeShiftWidth, 12);
    f.texts[IDC_DOME_SHIFT_WIDTH] = "-15";
    DomeDialogStore(FakeControlsAccess(f), back);
    EXPECT_EQ(back.domeShiftWidth, -1);
}

TEST(GrottoDialog, ListsAndSlots) {
    FakeControls f;
    GrottoDialogInit(FakeControlsAccess(f), Defaults());
    ASSERT_EQ(f.items[IDC_GROTTO_KIND].size(), 11u);
    EXPECT_EQ(f.items[IDC_GROTTO_KIND][0], "ポケモン(1%)");
    EXPECT_EQ(f.items[IDC_GROTTO_KIND][10], "ダウジング(25%)");
    const std::vector<std::string> ratios = {"気にしない", "♀率5%", "♀率10%", "♀率30%", "♀率60%"};
    EXPECT_EQ(f.items[IDC_GROTTO_FEMALE_RATIO], ratios);
    EXPECT_EQ(f.selections[IDC_GROTTO_KIND], 0);
    EXPECT_EQ(f.selections[IDC_GROTTO_FEMALE_RATIO], 0);
    for (int id = IDC_GROTTO_SLOT_A; id <= IDC_GROTTO_SLOT_D; ++id) EXPECT_TRUE(f.checks[id]) << id;

    SearchSettings s = Defaults();
    s.grottoKind = 10;
    s.grottoFemaleRatio = 4;
    const bool slots[4] = {false, true, false, true};
    for (int i = 0; i < 4; ++i) s.grottoSlots[i] = slots[i];
    FakeControls g;
    GrottoDialogInit(FakeControlsAccess(g), s);
    EXPECT_EQ(g.selections[IDC_GROTTO_KIND], 10);
    EXPECT_EQ(g.selections[IDC_GROTTO_FEMALE_RATIO], 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(g.checks[IDC_GROTTO_SLOT_A + i], slots[i]) << i;

    g.checks[IDC_GROTTO_SLOT_A] = true;
    g.selections[IDC_GROTTO_KIND] = 3;
    SearchSettings back = Defaults();
    GrottoDialogStore(FakeControlsAccess(g), back);
    EXPECT_EQ(back.grottoKind, 3);
    EXPECT_EQ(back.grottoFemaleRatio, 4);
    const bool stored[4] = {true, true, false, true};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back.grottoSlots[i], stored[i]) << i;
}
