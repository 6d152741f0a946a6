#include "app/MainWindowLayout.h"

#include "res/resource.h"

const char kMainWindowClassName[] = "mrvn";

// Creation order is Tab order, so the rows stay in the order the user moves
// through them; the version radio buttons come last so that no control
// follows their group.
const MainWindowControl kMainWindowControls[kMainWindowControlCount] = {
    {kMainEdit, IDC_MAC_0, "", 350, 23, 30, 22},
    {kMainEdit, IDC_MAC_1, "", 390, 23, 30, 22},
    {kMainEdit, IDC_MAC_2, "", 430, 23, 30, 22},
    {kMainEdit, IDC_MAC_3, "", 470, 23, 30, 22},
    {kMainEdit, IDC_MAC_4, "", 510, 23, 30, 22},
    {kMainEdit, IDC_MAC_5, "", 550, 23, 30, 22},
    {kMainEdit, IDC_VCOUNT, "", 88, 58, 40, 22},
    {kMainEdit, IDC_TIMER0, "", 220, 58, 40, 22},
    {kMainEdit, IDC_GXSTAT, "", 350, 58, 90, 22},
    {kMainEdit, IDC_FRAME, "", 500, 58, 30, 22},
    {kMainEdit, IDC_START_YEAR, "", 68, 93, 25, 22},
    {kMainEdit, IDC_START_MONTH, "", 110, 93, 25, 22},
    {kMainEdit, IDC_START_DAY, "", 152, 93, 25, 22},
    {kMainEdit, IDC_END_YEAR, "", 228, 93, 25, 22},
    {kMainEdit, IDC_END_MONTH, "", 270, 93, 25, 22},
    {kMainEdit, IDC_END_DAY, "", 312, 93, 25, 22},
    {kMainCheckBox, IDC_THREE_DS, "3DS", 380, 92, 50, 30},
    {kMainCheckBox, IDC_KEY_INPUT, "キー入力", 450, 92, 100, 30},
    {kMainPushButton, IDC_KEY_PATTERN_SETTINGS, "設定", 560, 94, 40, 25},
    {kMainEdit, IDC_START_HOUR, "0", 53, 128, 25, 22},
    {kMainEdit, IDC_END_HOUR, "23", 111, 128, 25, 22},
    {kMainEdit, IDC_START_MINUTE, "0", 172, 128, 25, 22},
    {kMainEdit, IDC_END_MINUTE, "59", 230, 128, 25, 22},
    {kMainEdit, IDC_START_SECOND, "0", 291, 128, 25, 22},
    {kMainEdit, IDC_END_SECOND, "59", 349, 128, 25, 22},
    {kMainEdit, IDC_IV_CONSUMPTION_START, "7", 195, 163, 30, 22},
    {kMainEdit, IDC_IV_CONSUMPTION_END, "7", 245, 163, 30, 22},
    {kMainEdit, IDC_IV_MAX_H, "31", 118, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_H, "0", 118, 233, 20, 22},
    {kMainEdit, IDC_IV_MAX_A, "31", 158, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_A, "0", 158, 233, 20, 22},
    {kMainEdit, IDC_IV_MAX_B, "31", 198, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_B, "0", 198, 233, 20, 22},
    {kMainEdit, IDC_IV_MAX_C, "31", 238, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_C, "0", 238, 233, 20, 22},
    {kMainEdit, IDC_IV_MAX_D, "31", 278, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_D, "0", 278, 233, 20, 22},
    {kMainEdit, IDC_IV_MAX_S, "31", 318, 198, 20, 22},
    {kMainEdit, IDC_IV_MIN_S, "0", 318, 233, 20, 22},
    {kMainComboBox, IDC_HIDDEN_POWER_TYPE, "", 435, 198, 120, 350},
    {kMainEdit, IDC_HIDDEN_POWER_MINIMUM, "30", 570, 199, 24, 22},
    {kMainCheckBox, IDC_ROAMER, "徘徊", 380, 232, 60, 30},
    {kMainPushButton, IDC_START_SEARCH, "検索開始", 300, 400, 200, 30},
    {kMainPushButton, IDC_SAVE, "保存", 550, 58, 40, 25},
    {kMainEdit, IDC_PID_CONSUMPTION_START, "50", 195, 270, 60, 22},
    {kMainEdit, IDC_PID_CONSUMPTION_END, "150", 273, 270, 60, 22},
    {kMainCheckBox, IDC_SHINY_PID, "色違い性格値検索", 10, 305, 150, 30},
    {kMainPushButton, IDC_SHINY_PID_SETTINGS, "設定", 180, 305, 40, 25},
    {kMainCheckBox, IDC_BREEDING, "遺伝込みで検索", 10, 340, 150, 30},
    {kMainPushButton, IDC_BREEDING_SETTINGS, "設定", 180, 340, 40, 25},
    {kMainCheckBox, IDC_DELIVERY, "配達員検索", 10, 375, 150, 30},
    {kMainPushButton, IDC_DELIVERY_SETTINGS, "設定", 180, 375, 40, 25},
    {kMainCheckBox, IDC_COMET, "すいせいのかけら", 10, 410, 150, 30},
    {kMainPushButton, IDC_COMET_SETTINGS, "設定", 180, 410, 40, 25},
    {kMainCheckBox, IDC_DOME, "ライモンドーム", 330, 305, 150, 30},
    {kMainPushButton, IDC_DOME_SETTINGS, "設定", 500, 305, 40, 25},
    {kMainCheckBox, IDC_GROTTO, "隠し穴(BW2)", 330, 340, 150, 30},
    {kMainPushButton, IDC_GROTTO_SETTINGS, "設定", 500, 340, 40, 25},
    {kMainRadioGroupStart, IDC_BLACK2, "ブラック2", 12, 2, 100, 22},
    {kMainRadioButton, IDC_WHITE2, "ホワイト2", 112, 2, 100, 22},
    {kMainRadioButton, IDC_BLACK, "ブラック", 12, 25, 100, 22},
    {kMainRadioButton, IDC_WHITE, "ホワイト", 112, 25, 100, 22},
};

const MainWindowLabel kMainWindowLabels[kMainWindowLabelCount] = {
    {"MACアドレス:", 230, 25},
    {"VCount:0x", 12, 60},
    {"Timer0:0x", 150, 60},
    {"GxStat:0x", 280, 60},
    {"Frame:", 450, 60},
    {"日付:20", 12, 95},
    {"年", 94, 95},
    {"月", 136, 95},
    {"日～20", 178, 95},
    {"年", 252, 95},
    {"月", 296, 95},
    {"日", 338, 95},
    {"時刻:　", 12, 130},  // ends in a full-width space
    {"時～", 79, 130},
    {"分～", 198, 130},
    {"秒～", 317, 130},
    {"時", 137, 130},
    {"分", 256, 130},
    {"秒", 375, 130},
    {"個体値乱数列", 0, 165},
    {"消費:", 140, 165},
    {"～", 230, 165},
    {"個体値:", 10, 217},
    {"上限", 70, 200},
    {"下限", 70, 235},
    {"H", 106, 200},
    {"A", 146, 200},
    {"B", 186, 200},
    {"C", 226, 200},
    {"D", 266, 200},
    {"S", 306, 200},
    {"H", 106, 235},
    {"A", 146, 235},
    {"B", 186, 235},
    {"C", 226, 235},
    {"D", 266, 235},
    {"S", 306, 235},
    {"めざパ:", 380, 200},
    {"以上", 600, 200},
    {"性格値乱数列", 0, 270},
    {"消費:", 140, 270},
    {"～", 256, 270},
};

const char* MainControlClass(MainControlKind kind) {
    switch (kind) {
        case kMainEdit: return "Edit";
        case kMainComboBox: return "combobox";
        case kMainCheckBox:
        case kMainPushButton:
        case kMainRadioButton:
        case kMainRadioGroupStart: return "Button";
    }
    return "Button";
}

uint32_t MainControlStyle(MainControlKind kind, bool hscroll) {
    switch (kind) {
        case kMainEdit: return hscroll ? kMainEditStyleHscroll : kMainEditStyle;
        case kMainCheckBox: return kMainCheckBoxStyle;
        case kMainPushButton: return kMainPushButtonStyle;
        case kMainRadioButton: return kMainRadioButtonStyle;
        case kMainRadioGroupStart: return kMainRadioGroupStartStyle;
        case kMainComboBox: return kMainComboBoxStyle;
    }
    return kMainPushButtonStyle;
}
