#pragma once
// Resource and control identifiers shared by the code and the resource script.

// Dialog templates, menu, icon and bitmaps.
#define IDD_MAIN 100
#define IDD_VIEWER 400
#define IDD_ABOUT 500
#define IDM_MAIN 200
#define IDI_PROGRAM 50
#define IDB_ABOUT 103
#define IDB_COLOURS 104
#define IDB_TOOLBAR 105

// Controls of the main dialog.
#define IDC_TOOLBAR 101
#define IDC_STATUSBAR 102
#define IDC_GREY4 110
#define IDC_GREY5 111
#define IDC_MULTICOLOUR 112
#define IDC_COLORCOMBO 114
#define IDC_KOALIZE 115
#define IDC_WIDTH 116
#define IDC_HEIGHT 117
#define IDC_COLORS 118

// Control of the viewer.
#define IDC_CORRECT_ASPECT 401

// Commands.
#define CMD_KOALIZE 115
#define CMD_OPEN 201
#define CMD_SAVE 202
#define CMD_SAVE_AS 203
#define CMD_EXIT 205
#define CMD_SHOW_HIDE_BITMAP 206
#define CMD_CORRECT_SP2_FLAW 207
#define CMD_FORMAT_KOALA 210
#define CMD_FORMAT_ARTSTUDIO 211
#define CMD_FORMAT_ARTIST64 212
#define CMD_FORMAT_BLAZING 213
#define CMD_FORMAT_SP2 214
#define CMD_HELP_TOPICS 220
#define CMD_ABOUT 221

// Submenus by position in the menu bar.
#define SUBMENU_FILE 0
#define SUBMENU_TOOLS 1
#define SUBMENU_CONVERSION 2
