#pragma once
// Resource numbers of Renewo.dll. Plain #defines: the resource compiler reads this too.

// Strings
#define IDS_CHOOSE_INSTALLER_FOLDER 101
#define IDS_TIME_TO_CHECK 102
#define IDS_PLEASE_CONNECT 103

// Dialogs
#define IDD_CONNECTING 200
#define IDD_UPDATE_SHORT 201
#define IDD_UPDATE_DETAILED 202
#define IDD_PROGRESS 203

// Controls
#define IDC_UPDATE_ICON 1000
#define IDC_UPDATE_HEADLINE 1001
#define IDC_UPDATE_DETAILS 1002
#define IDC_VISIT_WEB_SITE 1003
#define IDC_GET_NEW_VERSION 1004
#define IDC_GETTING 1010
#define IDC_FILE_SIZE 1011
#define IDC_BYTES_TRANSFERRED 1012
#define IDC_PROGRESS_BAR 1013
#define IDC_PERCENT 1014
#define IDC_CONNECTING_TEXT 1020
