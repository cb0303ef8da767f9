#pragma once
// Numbers of the window program's resources and controls, shared by the
// resource script and the code. Plain macros, since windres reads this too.

#define PK10_IDD_ABOUTBOX 100
#define PK10_IDS_ABOUTBOX 101
#define PK10_IDD_PLANDLG 102
#define PK10_IDR_MAINFRAME 128

// The About item of the window's system menu.
#define PK10_IDM_ABOUTBOX 16

#define PK10_IDC_DRAW_PANE 1000
#define PK10_IDC_PLAN_PANE 1001
#define PK10_IDC_SIZE_FIELD 1007
#define PK10_IDC_SPAN_FIELD 1008
#define PK10_IDC_CLASSIC_MODE 1012
#define PK10_IDC_SMART_MODE 1013
#define PK10_IDC_REPLAN 1014
#define PK10_IDC_PROMO 1015
#define PK10_IDC_BANNER 1017
