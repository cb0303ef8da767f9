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

// The settings dialog: the two fields, the notes under them and the reason of a refusal.
#define PK10_IDC_RESULTS_SERVER 1301
#define PK10_IDC_MAKER_SERVER 1302
#define PK10_IDC_RESULTS_NOTE 1303
#define PK10_IDC_MAKER_NOTE 1304
#define PK10_IDC_SETTINGS_REASON 1305
