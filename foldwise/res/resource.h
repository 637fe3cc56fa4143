#pragma once
// Resource numbers of Foldwise.dll. Plain #defines: the resource compiler reads this too.

// Strings
#define IDS_PROJNAME 100

// The registration script (resource type REGISTRY)
#define IDR_USEPAGE 101

// The "Usage" page
#define IDD_USAGE_PAGE 106

// The folder image strip, six 16x16 images
#define IDB_FOLDER_IMAGES 197

// Controls of the page
#define IDC_FOLDER_TREE 1000
#define IDC_STOP 1001
#define IDC_WORKING 1002
#define IDC_SCAN_ABORTED 1003
#define IDC_COLLAPSE_ALL 1004
#define IDC_REFRESH 1005
