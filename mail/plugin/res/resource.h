#pragma once
// Resource numbers of Mail.dll. Plain #defines: the resource compiler reads this too.

// Version of the library, in its version resource and so in the plug-in's information.
#define MAIL_VERSION_MAJOR 1
#define MAIL_VERSION_MINOR 0
#define MAIL_VERSION_BUILD 0
#define MAIL_VERSION_REVISION 1
#define MAIL_VERSION_TEXT "1.0.0.1"

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
