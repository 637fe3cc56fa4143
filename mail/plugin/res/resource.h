#pragma once
// Resource numbers of Mail.dll. Plain #defines: the resource compiler reads this too.

// Strings
#define IDS_PLUGIN_NAME 100
#define IDS_PLUGIN_DESCRIPTION 101

// Pictures, drawn by tools/make_artwork.py into art/. The tray loads these numbers.
#define IDI_MAIL_NORMAL 1000
#define IDI_MAIL_NEW 1001
#define IDI_MAIL_ERROR 1002
#define IDB_MAIL_IMAGES 1003 // 16 x 16 images side by side, pure green transparent
#define IDI_MAIL_BUSY 1008

// Account dialogs: the details page of the create and edit sheets, its note picture,
// and the account chooser.
#define IDD_ACCOUNT_DETAILS 1001
#define IDD_ACCOUNT_CHOOSER 1030
#define IDB_ACCOUNT_NOTE 125 // its top-left colour is the background
#define IDC_ACC_NAME 1001
#define IDC_ACC_SERVER 1002
#define IDC_ACC_PORT 1003
#define IDC_ACC_USER 1005
#define IDC_ACC_PASSWORD 1006
#define IDC_ACC_YOUR_NAME 1035
#define IDC_ACC_REPLY 1036
#define IDC_ACC_NAME_LABEL 1053 // 1053-1057: the labels of the required fields, in bold
#define IDC_ACC_USER_LABEL 1054
#define IDC_ACC_PASSWORD_LABEL 1055
#define IDC_ACC_SERVER_LABEL 1056
#define IDC_ACC_PORT_LABEL 1057
#define IDC_ACC_NOTE_PICTURE 1058
#define IDC_ACC_NOTE 1059
#define IDC_ACH_DESCRIPTION 1031
#define IDC_ACH_LIST 1032

// The log window
#define IDD_MAIL_LOG 1015
#define IDC_MAIL_LOG_TEXT 1042 // read-only, multi-line; "&Done" is IDOK

// New-mail notifications: the new-mail dialog and the tray popup's images (16 x 16
// side by side, pure red transparent; drawn by tools/make_artwork.py into art/).
#define IDB_NOTIFY_IMAGES 181
#define IDD_NEW_MAIL 1009
#define IDC_NEW_MAIL_TEXT 1019

// The send-mail window (its menu, and the accelerators of the menu's keys, share a
// number) and the recipient list dialog.
#define IDD_SEND_MAIL 1013
#define IDD_RECIPIENTS 1014
#define IDR_SEND_MENU 1024
#define IDC_SEND_FROM 1101
#define IDC_SEND_TO_BUTTON 1102
#define IDC_SEND_TO 1103
#define IDC_SEND_CC_BUTTON 1104
#define IDC_SEND_CC 1105
#define IDC_SEND_SUBJECT 1106
#define IDC_SEND_ATTACHMENTS 1107
#define IDC_SEND_TEXT 1108
#define IDC_RECIP_ADDRESS 1111 // drop-down of the remembered recipients
#define IDC_RECIP_ADD 1112
#define IDC_RECIP_LIST 1113
#define IDC_RECIP_REMOVE 1114
#define IDC_RECIP_BOOK 1115
#define IDM_SEND_NOW 32780
#define IDM_SEND_ADD_ATTACHMENT 32781
#define IDM_SEND_CLOSE 32782

// The message window (its menu and commands), the header dialog and the attachments
// dialog.
#define IDD_MESSAGE_VIEW 1003
#define IDR_MESSAGE_MENU 1020
#define IDC_MSG_SUBJECT 1001
#define IDC_MSG_FROM 1002
#define IDC_MSG_TO 1003
#define IDC_MSG_CC 1004
#define IDC_MSG_BODY 1005 // rich text; the web view takes its place
#define IDC_MSG_ATTACHMENTS 1035
#define ID_MSG_REMOVE 32772
#define ID_MSG_HEADER 32773
#define ID_MSG_SAVE_ATTACHMENTS 32776
#define ID_MSG_REPLY 32777
#define ID_MSG_REPLY_ALL 32778
#define ID_MSG_CLOSE 32779
#define IDD_MESSAGE_HEADER 1011
#define IDC_HEADER_TEXT 1040
#define IDD_SAVE_ATTACHMENTS 1022
#define IDC_ATT_LIST 1041
#define IDC_ATT_SAVE 1043

// The Control Center: the options dialog (tree, caption label, the frame marking where
// the pages go) and its pages. The details page is IDD_ACCOUNT_DETAILS.
#define IDD_CENTER 1016
#define IDC_CENTER_TREE 1045
#define IDC_CENTER_LABEL 1046
#define IDC_CENTER_PAGE_AREA 1047
#define IDD_CENTER_HELP 1017
#define IDC_HELP_TEXT 1058
#define IDC_HELP_PICTURE 1059
#define IDC_HELP_NOTE 1060
#define IDC_HELP_ADD_ACCOUNT 1061
#define IDD_PREF_GENERAL 1012
#define IDC_GEN_SMTP 1032
#define IDC_GEN_CLIENT 1019
#define IDC_GEN_CHOOSE 1020
#define IDD_PREF_NOTIFY 1005
#define IDC_NOT_INTERVAL 1004
#define IDC_NOT_TIMEOUT 1035
#define IDC_NOT_TRAY_ICON 1005
#define IDC_NOT_TRAY_POPUP 1006
#define IDC_NOT_DIALOG 1007
#define IDC_NOT_SOUND 1008
#define IDC_NOT_CHOOSE_SOUND 1011
#define IDC_NOT_PLAY 1012
#define IDC_NOT_SOUND_FILE 1013
#define IDD_PREF_CLIENT 1006
#define IDC_CLI_INTERNAL 1015
#define IDC_CLI_CLIENT 1016
#define IDC_CLI_PATH 1017
#define IDC_CLI_CHOOSE 1018
