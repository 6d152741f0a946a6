// Template numbers of the settings dialogs and the control IDs of the main
// window. Plain #defines: read by the resource compiler, by the Win32 layer
// and by the portable layout table alike.
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
#define IDC_MAC_0 1003  // MAC bytes 1 to 6 are IDC_MAC_0 + 0 .. + 5
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
#define IDC_IV_MAX_0 1012  // H..S are IDC_IV_MAX_0 + 0 .. + 5
#define IDC_IV_MIN_0 1021  // H..S are IDC_IV_MIN_0 + 0 .. + 5
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

// Main window: version radio buttons.
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
