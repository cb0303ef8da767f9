#pragma once
// Numbers of the window program's resources and controls, shared by the
// resource script and the code. Plain macros, since windres reads this too.

#define PK10_IDD_ABOUTBOX 100
#define PK10_IDS_ABOUTBOX 101
#define PK10_IDD_PLANDLG 102
#define PK10_IDR_MAINFRAME 128
#define PK10_IDD_SETTINGS 130
#define PK10_IDS_SETTINGS 131

// The About and settings items of the window's system menu (the low four bits
// of a system command are the system's own).
#define PK10_IDM_ABOUTBOX 16
#define PK10_IDM_SETTINGS 32

#define PK10_IDC_DRAW_PANE 1000
#define PK10_IDC_PLAN_PANE 1001
#define PK10_IDC_SIZE_FIELD 1007
#define PK10_IDC_SPAN_FIELD 1008
#define PK10_IDC_CLASSIC_MODE 1012
#define PK10_IDC_SMART_MODE 1013
#define PK10_IDC_REPLAN 1014
#define PK10_IDC_PROMO 1015
#define PK10_IDC_BANNER 1017

// The statistics item of the system menu and of the context menus.
#define PK10_IDM_STATS 48

// The statistics window: its template holds the frame and the tabs; the
// window places the rest (see StatsWindow.cpp).
#define PK10_IDD_STATSDLG 103
#define PK10_IDC_STATS_TABS 1100
#define PK10_IDC_TODAY_TABLE 1101
#define PK10_IDC_TODAY_MONEY 1102
#define PK10_IDC_TODAY_CHART 1103
#define PK10_IDC_DRAW_FILE 1110
#define PK10_IDC_BROWSE 1111
#define PK10_IDC_FIRST 1112
#define PK10_IDC_COUNT 1113
#define PK10_IDC_START 1114
#define PK10_IDC_STOP 1115
#define PK10_IDC_EXPORT 1116
#define PK10_IDC_ODDS 1117
#define PK10_IDC_STAKES 1118
#define PK10_IDC_BANKROLL 1119
#define PK10_IDC_PROGRESS 1120
#define PK10_IDC_PROGRESS_TEXT 1121
#define PK10_IDC_RESULT_TABS 1122
#define PK10_IDC_BACKTEST_TABLE 1123
#define PK10_IDC_RATES_CHART 1124
#define PK10_IDC_STREAK_CHART 1125
#define PK10_IDC_MONEY_TABLE 1126
#define PK10_IDC_MONEY_CHART 1127

// The settings dialog: the two fields, the notes under them and the reason of a refusal.
#define PK10_IDC_RESULTS_SERVER 1301
#define PK10_IDC_MAKER_SERVER 1302
#define PK10_IDC_RESULTS_NOTE 1303
#define PK10_IDC_MAKER_NOTE 1304
#define PK10_IDC_SETTINGS_REASON 1305
