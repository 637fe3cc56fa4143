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
