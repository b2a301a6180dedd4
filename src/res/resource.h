// Resource ids of the launcher. Shared by the resource script (C preprocessor only) and the core.
#pragma once

#define IDD_DORVEXLAUNCHER_DIALOG 102
#define IDR_MAINFRAME 128
#define IDI_TRAY 131

// Skin A (100001)
#define IDB_A_IDLE 129
#define IDB_A_BTN1_HOVER 132
#define IDB_A_BTN1_PRESSED 133
#define IDB_A_BTN2_HOVER 136
#define IDB_A_BTN2_PRESSED 137
#define IDB_A_BTN3_HOVER 139
#define IDB_A_BTN3_PRESSED 140
#define IDB_A_BTN4_HOVER 142
#define IDB_A_BTN4_PRESSED 143
// Skin B (100002); there are no bitmaps 156 and 158.
#define IDB_B_IDLE 145
#define IDB_B_BTN1_HOVER 147
#define IDB_B_BTN1_PRESSED 148
#define IDB_B_BTN2_HOVER 150
#define IDB_B_BTN2_PRESSED 151
#define IDB_B_BTN3_HOVER 153
#define IDB_B_BTN3_PRESSED 154
#define IDB_B_BTN4_HOVER 157
#define IDB_B_BTN4_PRESSED 159

#define ID_SKIN_A 32775
#define ID_SKIN_B 32776
#define ID_TRAY 32777
