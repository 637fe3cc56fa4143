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

// New-mail notifications: the new-mail dialog and the tray popup's images (16 x 16
// side by side, pure red transparent; drawn by tools/make_artwork.py into art/).
#define IDB_NOTIFY_IMAGES 181
#define IDD_NEW_MAIL 1009
#define IDC_NEW_MAIL_TEXT 1019
