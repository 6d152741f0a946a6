// Template numbers of the settings dialogs and every control ID of the main
// window and of the dialogs. Plain #defines: read by the resource compiler,
// by the Win32 layer and by the portable layout, capture and dialog logic
// alike. Runs that code walks with an offset (MAC bytes, individual-value
// bounds) are consecutive and say so.
#pragma once

// Labels of the dialog templates that nothing addresses.
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Settings dialog templates.
#define IDD_SHINY_PID 101
#define IDD_BREEDING 102
#define IDD_COMET 103
#define IDD_KEY_PATTERN 105
#define IDD_DOME 106
#define IDD_DELIVERY 107
#define IDD_GROTTO 110

// Main window: console parameters.
#define IDC_VCOUNT 1000
#define IDC_TIMER0 1001
#define IDC_GXSTAT 1002
#define IDC_MAC_0 1003  // MAC bytes 1 to 6, consecutive: IDC_MAC_0 + 0 .. + 5
#define IDC_MAC_1 1004
#define IDC_MAC_2 1005
#define IDC_MAC_3 1006
#define IDC_MAC_4 1007
#define IDC_MAC_5 1008
#define IDC_FRAME 1029

// Main window: date and time range.
#define IDC_START_YEAR 1009
#define IDC_START_MONTH 1010
#define IDC_START_DAY 1011
#define IDC_END_YEAR 1018
#define IDC_END_MONTH 1019
#define IDC_END_DAY 1020
#define IDC_START_HOUR 1030
#define IDC_START_MINUTE 1031
#define IDC_START_SECOND 1032
#define IDC_END_HOUR 1033
#define IDC_END_MINUTE 1034
#define IDC_END_SECOND 1035

// Main window: individual-value filter and consumption ranges.
#define IDC_IV_MAX_H 1012  // upper bounds H..S, consecutive: IDC_IV_MAX_H + 0 .. + 5
#define IDC_IV_MAX_A 1013
#define IDC_IV_MAX_B 1014
#define IDC_IV_MAX_C 1015
#define IDC_IV_MAX_D 1016
#define IDC_IV_MAX_S 1017
#define IDC_IV_MIN_H 1021  // lower bounds H..S, consecutive: IDC_IV_MIN_H + 0 .. + 5
#define IDC_IV_MIN_A 1022
#define IDC_IV_MIN_B 1023
#define IDC_IV_MIN_C 1024
#define IDC_IV_MIN_D 1025
#define IDC_IV_MIN_S 1026
#define IDC_IV_CONSUMPTION_START 1027
#define IDC_IV_CONSUMPTION_END 1028
#define IDC_PID_CONSUMPTION_START 1038
#define IDC_PID_CONSUMPTION_END 1039
#define IDC_HIDDEN_POWER_MINIMUM 1040
#define IDC_HIDDEN_POWER_TYPE 922

// Main window: check boxes.
#define IDC_SHINY_PID 930
#define IDC_ROAMER 931
#define IDC_BREEDING 932
#define IDC_DELIVERY 952
#define IDC_KEY_INPUT 953
#define IDC_COMET 954
#define IDC_DOME 955
#define IDC_THREE_DS 956
#define IDC_GROTTO 958

// Main window: version radio buttons, consecutive in GameVersion order
// (IDC_BLACK + version).
#define IDC_BLACK 900
#define IDC_WHITE 901
#define IDC_BLACK2 902
#define IDC_WHITE2 903

// Main window: commands.
#define IDC_START_SEARCH 1100
#define IDC_REPAINT 1101  // sent by no control
#define IDC_SAVE 1102
#define IDC_SHINY_PID_SETTINGS 1103
#define IDC_BREEDING_SETTINGS 1104
#define IDC_COMET_SETTINGS 1105
#define IDC_KEY_PATTERN_SETTINGS 1106
#define IDC_DOME_SETTINGS 1107
#define IDC_DELIVERY_SETTINGS 1108
#define IDC_GROTTO_SETTINGS 1110

// Dialog 101, "色違い性格値検索".
#define IDC_SHINY_PID_ID_ADJUST 1001   // "ID補正"
#define IDC_SHINY_PID_EGG 1002         // "孵化", encounter 1, first of the radio group
#define IDC_SHINY_PID_ROAMER 1003      // "徘徊", encounter 2
#define IDC_SHINY_PID_FIXED 1004       // "固定", encounter 3
#define IDC_SHINY_PID_TRAINER_ID 1005  // "表ID:"
#define IDC_SHINY_PID_SECRET_ID 1006   // "裏ID:"
#define IDC_SHINY_PID_NATURE 1007      // "性格:"

// Dialog 102, "遺伝込みで検索". The parents' edits are not consecutive.
#define IDC_BREEDING_DITTO 1002     // "メタモン有り"
#define IDC_BREEDING_NO_DITTO 1003  // "メタモン無し"
#define IDC_BREEDING_NATURE 1026    // entry = breedingNature + 1
#define IDC_BREEDING_ABILITY 1024   // "特性:"
#define IDC_BREEDING_GENDER 1025    // "性別:"
#define IDC_BREEDING_FIRST_H 1005   // "先:" H..S
#define IDC_BREEDING_FIRST_A 1006
#define IDC_BREEDING_FIRST_B 1023
#define IDC_BREEDING_FIRST_C 1027
#define IDC_BREEDING_FIRST_D 1028
#define IDC_BREEDING_FIRST_S 1029
#define IDC_BREEDING_SECOND_H 1030  // "後:" H..S
#define IDC_BREEDING_SECOND_A 1031
#define IDC_BREEDING_SECOND_B 1032
#define IDC_BREEDING_SECOND_C 1033
#define IDC_BREEDING_SECOND_D 1034
#define IDC_BREEDING_SECOND_S 1035

// Dialog 103, "すいせいのかけら設定".
#define IDC_COMET_COMPOUND_EYES 1001  // "ふくがん有り"

// Dialog 105, "キー入力パターン". Numbered in layout order, which is not the
// KeyMask bit order; consecutive from IDC_KEY_PATTERN_A to _EXCLUDE.
#define IDC_KEY_PATTERN_A 1001
#define IDC_KEY_PATTERN_B 1002
#define IDC_KEY_PATTERN_START 1003   // "St"
#define IDC_KEY_PATTERN_SELECT 1004  // "Se"
#define IDC_KEY_PATTERN_L 1005
#define IDC_KEY_PATTERN_R 1006
#define IDC_KEY_PATTERN_UP 1007
#define IDC_KEY_PATTERN_DOWN 1008
#define IDC_KEY_PATTERN_RIGHT 1009
#define IDC_KEY_PATTERN_LEFT 1010
#define IDC_KEY_PATTERN_EXCLUDE 1011  // "逆方向同時押し・リセットを除外"

// Dialog 106, "ライモンドーム設定". Trainer choices 1 to 6, top to bottom.
#define IDC_DOME_TRAINER_1 1007
#define IDC_DOME_TRAINER_2 1021
#define IDC_DOME_TRAINER_3 1024
#define IDC_DOME_TRAINER_4 1025
#define IDC_DOME_TRAINER_5 1026
#define IDC_DOME_TRAINER_6 1008
#define IDC_DOME_SHIFT_WIDTH 1005  // "消費数ずれ幅："

// Dialog 107, "配達員".
#define IDC_DELIVERY_SHINY 1001          // "色違い(九州配布)"
#define IDC_DELIVERY_NATURE_OFFSET 1005  // "性格乱数の位置(H個体値を0として)"
#define IDC_DELIVERY_TRAINER_ID 1006     // "ID:"
#define IDC_DELIVERY_NATURE 1007         // "性格："
#define IDC_DELIVERY_SHINY_METHOD 1021   // entry = deliveryShinyMethod - 1
#define IDC_DELIVERY_SECRET_ID 1023      // "裏ID:"

// Dialog 110, "隠し穴". The slot boxes A..D are consecutive.
#define IDC_GROTTO_SLOT_A 1001
#define IDC_GROTTO_SLOT_B 1002
#define IDC_GROTTO_SLOT_C 1003
#define IDC_GROTTO_SLOT_D 1004
#define IDC_GROTTO_KIND 1007          // "種類："
#define IDC_GROTTO_FEMALE_RATIO 1021  // "♀判定："
