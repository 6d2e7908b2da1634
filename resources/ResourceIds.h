#pragma once
// Resource and command numbers; the resource script and the windows share
// them. Plain defines so the resource compiler reads this file too.

#define IDI_APPLICATION_ICON 101
#define IDC_HAND_CURSOR 102
#define IDB_BUTTON_FACE 103
#define IDB_LOGO 104
#define IDB_SPLASH 105
#define IDR_MAIN_MENU 106
#define IDI_PALM_TO_OUTLOOK 107
#define IDI_OUTLOOK_TO_PALM 108
#define IDI_SYNCHRONIZE_ALL 109
#define IDD_ABOUT 114
#define IDR_ACCELERATORS 117

#define ID_FILE_EXIT 40001
#define ID_TOOLS_OPTIONS 40002
#define ID_HELP_CONTENT 40003
#define ID_HELP_WEB 40004
#define ID_HELP_ABOUT 40005
#define ID_SYNC_PALM_TO_OUTLOOK 40006
#define ID_SYNC_OUTLOOK_TO_PALM 40007
#define ID_SYNC_ALL 40008
#define ID_FILE_REFRESH 40009
#define ID_FILE_OPEN 40010

// The version the About box and the version resource show.
#define QUILLSET_VERSION_NUMBERS 2, 5, 0, 1210
#define QUILLSET_VERSION_TEXT "2.5.0.1210"
