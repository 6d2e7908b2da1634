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
#define IDD_OPTIONS 115
#define IDD_CHOOSE_ACTION 116
#define IDR_ACCELERATORS 117
#define IDD_OPTIONS_NINE 118
#define IDD_CONTACT_DETAIL 119
#define IDD_SYNC_PREVIEW 120

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
// Commands beyond the original menu, numbered apart from it.
#define ID_HELP_SYNC_REPORT 40101
#define ID_SYNC_UNDO 40102
#define ID_FILE_EXPORT_PALM 40103
#define ID_FILE_EXPORT_OUTLOOK 40104
#define ID_FILE_EXPORT_BOTH 40105
#define ID_SYNC_PREVIEW_ALL 40106

// Controls of the dialogs. The sync-rule buttons mean the same in the
// options dialogs and in the Choose Sync Action dialog.
#define IDC_SYNC_ASK_USER 1005
#define IDC_SYNC_PALM_WINS 1006
#define IDC_SYNC_OUTLOOK_WINS 1007
#define IDC_CHOOSE_PALM_LIST 1008
#define IDC_CHOOSE_OUTLOOK_LIST 1009
#define IDC_APPLY_TO_ALL 1013
// Custom fields 1-4, then 5-9: the two runs are not adjacent.
#define IDC_CUSTOM_MAP_1 1014
#define IDC_CUSTOM_MAP_2 1015
#define IDC_CUSTOM_MAP_3 1016
#define IDC_CUSTOM_MAP_4 1017
#define IDC_ADDRESS_MAILING 1020
#define IDC_ADDRESS_BUSINESS 1021
#define IDC_ADDRESS_HOME 1022
#define IDC_ADDRESS_OTHER 1023
#define IDC_CUSTOM_MAP_5 1030
#define IDC_CUSTOM_MAP_6 1031
#define IDC_CUSTOM_MAP_7 1032
#define IDC_CUSTOM_MAP_8 1033
#define IDC_CUSTOM_MAP_9 1034
#define IDC_SWAP_NAME 1035
#define IDC_SHOW_DIFF 1051
// The contact detail dialog.
#define IDC_DETAIL_EMAIL 1001
#define IDC_DETAIL_FIRST_NAME 1036
#define IDC_DETAIL_LAST_NAME 1037
#define IDC_DETAIL_COMPANY 1038
#define IDC_DETAIL_TITLE 1039
#define IDC_DETAIL_WORK_PHONE 1040
#define IDC_DETAIL_HOME_PHONE 1042
#define IDC_DETAIL_MOBILE 1043
#define IDC_DETAIL_ADDRESS_CHOICE 1044
#define IDC_DETAIL_STREET 1045
#define IDC_DETAIL_CITY 1046
#define IDC_DETAIL_STATE 1047
#define IDC_DETAIL_POSTAL_CODE 1048
#define IDC_DETAIL_COUNTRY 1049
// The Preview Synchronize All dialog.
#define IDC_PREVIEW_SUMMARY 1060
#define IDC_PREVIEW_LIST 1061

// The version the About box and the version resource show.
#define QUILLSET_VERSION_NUMBERS 2, 5, 0, 1210
#define QUILLSET_VERSION_TEXT "2.5.0.1210"
