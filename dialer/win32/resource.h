// Resource and control ids of the connector.
#pragma once

#define IDD_ABOUT 100
#define IDS_ABOUT_MENU 101
#define IDD_CONNECTOR 102
#define IDD_SETTINGS 127
#define IDI_CONNECTOR 128
#define IDR_ITEM_MENU 189
#define IDB_LAMP_DIAL 207
#define IDR_HAND_CURSOR 216
#define IDD_CONFIRM 236
#define IDB_MINIMIZE 237
#define IDB_CLOSE 238
#define IDB_LAMP_LINE 239

// System-menu command of the About box.
#define IDM_ABOUT 0x0010

// Main window; the tooltips are the string resources of the same ids.
#define IDC_CONNECT 1000
#define IDC_HANG_UP 1003
#define IDC_SETTINGS 1020
#define IDC_HELP_CLIP 1031
#define IDC_QUIT 1050
#define IDC_LAMP_OPEN_PORT 1051
#define IDC_LAMP_CONNECTED 1052
#define IDC_LAMP_UPDATER 1053
#define IDC_LAMP_LAUNCHED 1054
#define IDC_LAMP_UPDATER_STARTED 1055
#define IDC_LAMP_ALL_DEVICES 1056
#define IDC_LAMP_CONNECT_DEVICE 1057
#define IDC_MINIMIZE 1058
#define IDC_CLOSE 1062

// Settings dialog.
#define IDC_LINE_PREFIX 1004
#define IDC_NUMBER_1 1012
#define IDC_NUMBER_2 1013
#define IDC_NUMBER_3 1021
#define IDC_NUMBER_4 1022
#define IDC_RESERVE 1060
#define IDC_ITEM_LIST 1061
#define IDC_NO_QUESTION 1065
#define IDC_MODEM_LIST 1066
#define IDC_HOME_PAGE 1067
#define IDC_HOME_PAGE_CHECK 1068
#define IDC_SETTINGS_CANCEL 1001

// Confirmation dialog.
#define IDC_CONFIRM_TEXT 1063
#define IDC_DONT_ASK 1064
