// Resource, command and control numbers of Brellix.exe. The numbers are fixed: other
// versions of the program, the settings and the mail plug-in know them. Plain
// #defines, because windres reads this file too.
#pragma once

// ---- Icons -------------------------------------------------------------------------
#define IDI_PROGRAM 128
// Volume tray icons: 135 empty, then 135 + level (1..16), plus 16 below the warning.
#define IDI_VOLUME_BASE 135
#define IDI_VOLUME_LEVELS 16
#define IDI_VOLUME_WARNING_OFFSET 16
// Meter tray icons: 15 pictures per series, level 0..14 from the base.
#define IDI_CPU_BASE 168
#define IDI_PHYSMEM_BASE 185
#define IDI_PAGEFILE_BASE 200
#define IDI_NETWORK_BASE 215
#define IDI_DISK_BASE 230
#define IDI_RESOURCES_BASE 245
#define IDI_TRAY_LEVELS 15

// ---- Bitmaps -------------------------------------------------------------------------
// The hide button of an expanded meter.
#define IDB_ARROW 189
// The hide button of a folded meter, one picture per kind.
#define IDB_FOLD_CPU 190
#define IDB_FOLD_DISK 191
#define IDB_FOLD_NETWORK 192
#define IDB_FOLD_PHYSMEM_TEXT 193
#define IDB_FOLD_DRIVES 194
#define IDB_FOLD_PING 195
#define IDB_FOLD_PHYSMEM_GRAPH 196
#define IDB_FOLD_PAGEFILE_GRAPH 209
#define IDB_FOLD_PAGEFILE_TEXT 210
#define IDB_FOLD_PROCESSES 211
#define IDB_FOLD_RESOURCES 212
#define IDB_FOLD_UPTIME 218
// The About box picture.
#define IDB_ABOUT 200
// The drive meter's list images, 16 pixels each, pure blue transparent:
// 0..20 fill levels, 21..41 the same below the warning level, 42 unavailable,
// 43 the warning mark.
#define IDB_VOLUME_STRIP 219
#define VOLUME_IMAGE_WIDTH 16
#define VOLUME_IMAGE_LEVELS 21
#define VOLUME_IMAGE_WARNING_OFFSET 21
#define VOLUME_IMAGE_UNAVAILABLE 42
#define VOLUME_IMAGE_WARNING_MARK 43
#define VOLUME_IMAGE_COUNT 44
// The folder usage tree's images (see kFolderImagesBitmap, which must match).
#define IDB_FOLDER_IMAGES 197

// ---- Sounds (resource type "WAVE") ----------------------------------------------------
#define IDW_VOICE 138
#define IDW_SOUND 215

// ---- Menus ---------------------------------------------------------------------------
#define IDR_TRAY_MENU 136
#define IDR_METER_MENU 137

// Tray menu.
#define ID_TRAY_PREFERENCES 32771
#define ID_TRAY_UPDATE_NOW 32772
#define ID_TRAY_ABOUT 32773
#define ID_TRAY_EXIT 32774
#define ID_TRAY_HIDE 32776
#define ID_TRAY_STATISTICS 32777
#define ID_TRAY_WEB_SITE 32782
#define ID_TRAY_HELP 32784

// Meter context menu.
#define ID_METER_MOVE_UP 32778
#define ID_METER_MOVE_DOWN 32779
#define ID_METER_REMOVE 32780
#define ID_METER_ADD_NEW 32781
#define ID_METER_PREFERENCES 32783
#define ID_METER_TRAY_ICON 32788
// Put at the top of the meter menu by the drive meter for the row under the cursor.
#define ID_DRIVE_OPEN_IN_EXPLORER 32785
#define ID_DRIVE_FOLDER_USAGE 32786

// Items the main window appends to its system menu (the low four bits are free).
#define IDM_SYS_ABOUT 16
#define IDM_SYS_UPDATE_NOW 32
#define IDM_SYS_PREFERENCES 48
#define IDM_SYS_HIDE 64
#define IDM_SYS_STATISTICS 80
#define IDM_SYS_WEB_SITE 96
#define IDM_SYS_HELP 112
#define IDM_SYS_AUTO_SIZE 128

// ---- Dialogs and their controls -------------------------------------------------------
#define IDD_ABOUT 100
#define IDC_ABOUT_PICTURE 1000
#define IDC_ABOUT_WEB_SITE 1001
#define IDC_ABOUT_MAILING_LIST 1002

// The main window: a template without controls.
#define IDD_METER_WINDOW 102

#define IDD_CLOSE 208
#define IDC_CLOSE_ICON 1010
// The system's question-mark icon (IDI_QUESTION), which windres cannot spell.
#define IDI_SYSTEM_QUESTION 32514
#define IDC_CLOSE_TEXT 1011
#define IDC_CLOSE_EXIT 1012
#define IDC_CLOSE_HIDE 1013
#define IDC_CLOSE_DONT_ASK 1014

// The hide button of every meter window.
#define IDC_HIDE_BUTTON 123
// Meter windows are children of the main window with id 1100 + display position.
#define IDC_METER_FIRST 1100

// ---- Preferences sheet -----------------------------------------------------------------
// Icons of the volume list's up and down buttons; the picture of the browse buttons.
#define IDI_MOVE_UP 183
#define IDI_MOVE_DOWN 184
#define IDB_BROWSE 198

#define IDD_PAGE_OPTIONS 150
#define IDC_OPT_ON_TOP 1200
#define IDC_OPT_START_HIDDEN 1201
#define IDC_OPT_HIDE_TASKBAR 1202
#define IDC_OPT_KEEP_ON_SCREEN 1203
#define IDC_OPT_MAIL_PLUGIN 1204
#define IDC_OPT_CLOSE_LABEL 1205
#define IDC_OPT_CLOSE_ACTION 1206
#define IDC_OPT_HOTKEY_ON 1207
#define IDC_OPT_WINKEY_TEXT 1208
#define IDC_OPT_ALT 1209
#define IDC_OPT_CTRL 1210
#define IDC_OPT_SHIFT 1211
#define IDC_OPT_KEY 1212

#define IDD_PAGE_DISPLAY 151
#define IDC_DSP_IN_USE 1220
#define IDC_DSP_REMAINING 1221
#define IDC_DSP_COL_FREE 1222
#define IDC_DSP_COL_USED 1223
#define IDC_DSP_COL_TOTAL 1224
#define IDC_DSP_COL_PERCENT 1225
#define IDC_DSP_PCT_USED 1226
#define IDC_DSP_PCT_FREE 1227
#define IDC_DSP_MB 1228
#define IDC_DSP_GB 1229
#define IDC_DSP_HIDE_UNAVAILABLE 1230
#define IDC_DSP_NO_RETRY 1231
#define IDC_DSP_SOUND 1232
#define IDC_DSP_RUN_APP 1233
#define IDC_DSP_PATH 1234
#define IDC_DSP_BROWSE 1235
#define IDC_DSP_OPTIONS_LABEL 1236
#define IDC_DSP_OPTIONS 1237
#define IDC_DSP_HINT 1238

#define IDD_PAGE_VOLUMES 152
#define IDC_VOL_LIST 1240
#define IDC_VOL_ADD 1241
#define IDC_VOL_REMOVE 1242
#define IDC_VOL_EDIT 1243
#define IDC_VOL_UP 1244
#define IDC_VOL_DOWN 1245
#define IDC_VOL_COUNT 1246
#define IDC_VOL_SPIN 1247

#define IDD_PAGE_METERS 153
#define IDC_MTR_LIST 1250
#define IDC_MTR_EDIT 1251
#define IDC_MTR_UP 1252
#define IDC_MTR_DOWN 1253
#define IDC_MTR_MORE 1254

#define IDD_PAGE_METER_OPTIONS 154
#define IDC_MOP_LEFT 1260
#define IDC_MOP_CENTER 1261
#define IDC_MOP_RIGHT 1262
#define IDC_MOP_AVERAGE 1263
#define IDC_MOP_LIMITS 1264
#define IDC_MOP_COLORS 1265

#define IDD_PAGE_TIMES 155
#define IDC_TIM_DRIVE 1270
#define IDC_TIM_DRIVE_LABEL 1271
#define IDC_TIM_USAGE1 1272
#define IDC_TIM_USAGE1_LABEL 1273
#define IDC_TIM_USAGE2 1274
#define IDC_TIM_USAGE2_LABEL 1275

#define IDD_PAGE_LOGS 156
#define IDC_LOG_FOLDER 1280
#define IDC_LOG_BROWSE 1281
#define IDC_LOG_COMMA 1282
#define IDC_LOG_TAB 1283
#define IDC_LOG_TXT 1284
#define IDC_LOG_CSV 1285
#define IDC_LOG_DATE 1286
#define IDC_LOG_NO_BUFFER 1287
#define IDC_LOG_LITTLE 1288
#define IDC_LOG_LOT 1289

#define IDD_PAGE_COMPUTER 157
#define IDC_CMP_LOCAL 1290
#define IDC_CMP_REMOTE 1291
#define IDC_CMP_NAME 1292
#define IDC_CMP_TEXT1 1293
#define IDC_CMP_TEXT2 1294
#define IDC_CMP_TITLE 1295

#define IDD_PAGE_RENEWO 158
#define IDC_UPD_ENABLE 1300
#define IDC_UPD_EVERY_RUN 1301
#define IDC_UPD_24H 1302
#define IDC_UPD_7D 1303
#define IDC_UPD_30D 1304
#define IDC_UPD_FULL_TIME 1305
#define IDC_UPD_ASK 1306

#define IDD_PAGE_ABOUT 159
#define IDC_ABT_ICON 1310
#define IDC_ABT_NAME 1311
#define IDC_ABT_ADDRESS 1312
#define IDC_ABT_WEB 1313
#define IDC_ABT_HARBINAL 1314
#define IDC_ABT_MAKER 1315
#define IDC_ABT_MAILING 1316

// The meter limits dialog.
#define IDD_METER_LIMITS 141
#define IDC_LIMITS_HIGH 1320
#define IDC_LIMITS_MEDIUM 1321

// The colours dialog: the scheme list, in colour order the swatches and the buttons
// that change them, and the clipboard button.
#define IDD_COLORS 140
#define IDC_COLORS_SCHEME 1400
#define IDC_COLORS_SWATCH0 1401
#define IDC_COLORS_SWATCH1 1402
#define IDC_COLORS_SWATCH2 1403
#define IDC_COLORS_SWATCH3 1404
#define IDC_COLORS_SWATCH4 1405
#define IDC_COLORS_SWATCH5 1406
#define IDC_COLORS_SWATCH6 1407
#define IDC_COLORS_CHANGE0 1411
#define IDC_COLORS_CHANGE1 1412
#define IDC_COLORS_CHANGE2 1413
#define IDC_COLORS_CHANGE3 1414
#define IDC_COLORS_CHANGE4 1415
#define IDC_COLORS_CHANGE5 1416
#define IDC_COLORS_CHANGE6 1417
#define IDC_COLORS_COPY 1420

// The host dialog of the ping meter's host list.
#define IDD_HOST 142
#define IDC_HOST_NAME 1430

// The volume information dialog.
#define IDD_VOLUME_INFO 134
#define IDC_VOLINFO_PATH 1015
#define IDC_VOLINFO_BROWSE 1016
#define IDC_VOLINFO_WARN 1021
#define IDC_VOLINFO_LEVEL 1022
#define IDC_VOLINFO_MB 1023
#define IDC_VOLINFO_NAME 1074

// ---- Meter options sheet ----------------------------------------------------------------
#define IDD_MOPT_GENERAL 160
#define IDC_GEN_ACTIVE 1330
#define IDC_GEN_HIDDEN 1331
#define IDC_GEN_TRAY 1332
#define IDC_GEN_LOG 1333
#define IDC_GEN_TIMER_GROUP 1334
#define IDC_GEN_TIMER1 1335
#define IDC_GEN_TIMER2 1336

#define IDD_MOPT_GRAPH 161
#define IDC_GRA_SIZE 1340
#define IDC_GRA_PIXELS 1341
#define IDC_GRA_SMALL 1342
#define IDC_GRA_MEDIUM 1343
#define IDC_GRA_LARGE 1344
#define IDC_GRA_AVERAGE 1345
#define IDC_GRA_AUTOSCALE 1346
#define IDC_GRA_BAR 1347
#define IDC_GRA_LINE 1348

#define IDD_MOPT_NETWORK 162
#define IDC_NET_LABEL 1350
#define IDC_NET_LIST 1351
#define IDC_NET_BITS 1352
#define IDC_NET_BYTES 1353
// The maximum buttons in the order of their values: none, the six rates, custom.
#define IDC_NET_MAX_FIRST 1354
#define IDC_NET_MAX_CUSTOM 1361
#define IDC_NET_CUSTOM_KB 1362

#define IDD_MOPT_DISK 163
#define IDC_DSK_BITS 1365
#define IDC_DSK_BYTES 1366

#define IDD_MOPT_MEMORY 164
#define IDC_MEM_KB 1370
#define IDC_MEM_MB 1371
#define IDC_MEM_PERCENT 1372

#define IDD_MOPT_PROCESSES 165
#define IDC_PRC_ROWS 1375
#define IDC_PRC_SPIN 1376
#define IDC_PRC_IDLE 1377
#define IDC_PRC_ZERO 1378
#define IDC_PRC_COLOURS 1379
#define IDC_PRC_TOTAL 1380
#define IDC_PRC_SORT 1381

#define IDD_MOPT_HOSTS 166
#define IDC_HST_LIST 1385
#define IDC_HST_ADD 1386
#define IDC_HST_REMOVE 1387
#define IDC_HST_UP 1388
#define IDC_HST_DOWN 1389

#define IDD_MOPT_DRIVE_LOG 167
#define IDC_DLG_INTERVAL 1390

// The statistics summary.
// The folder space dialog: the folder usage tree of a volume.
#define IDD_FOLDER_SPACE 143
#define IDC_FSP_STOP IDCANCEL
#define IDC_FSP_REFRESH 1440
#define IDC_FSP_COLLAPSE_ALL 1441
#define IDC_FSP_WORKING 1442
#define IDC_FSP_STOPPED 1443
#define IDC_FSP_TREE 1444

#define IDD_STATISTICS 139
#define IDC_STAT_PHYS_TOTAL 1052
#define IDC_STAT_PHYS_AVAILABLE 1053
#define IDC_STAT_PHYS_IN_USE 1055
#define IDC_STAT_MEMORY_LOAD 1056
#define IDC_STAT_PAGE_TOTAL 1057
#define IDC_STAT_PAGE_AVAILABLE 1058
#define IDC_STAT_PAGE_IN_USE 1059
#define IDC_STAT_PHYS_USED 1060
#define IDC_STAT_PAGE_USED 1061
#define IDC_STAT_PAGE_PEAK 1064
#define IDC_STAT_NET_PEAK 1065
#define IDC_STAT_DISK_PEAK_KB 1066
#define IDC_STAT_DISK_PEAK_MB 1067
#define IDC_STAT_NET_GROUP 1068
#define IDC_STAT_DISK_GROUP 1069
#define IDC_STAT_DISK_LABEL 1070
#define IDC_STAT_NET_LABEL 1071
#define IDC_STAT_PAGE_PEAK_LABEL 1072

// ---- Strings -------------------------------------------------------------------------
#define IDS_PRODUCT_NAME 107
#define IDS_SETTINGS_KEY 200
#define IDS_PDH_MISSING 307
#define IDS_URL_WEB_SITE 308
#define IDS_URL_MAILING_LIST 311
#define IDS_URL_HELP 312
#define IDS_URL_HARBINAL 313
#define IDS_RENEWO_MISSING 314
#define IDS_INSTALL_UPDATE 315
#define IDS_WELCOME 319
#define IDS_LOG_NAME_SUFFIX 350
#define IDS_LOG_NAME_FOR 351
#define IDS_LOG_NAME_DATE 352

// ---- Window messages of the main window -----------------------------------------------
#define WMU_START_HIDDEN 1025
#define WMU_TRAY_NOTIFY 1026
#define WMU_MOVE_UP 1027
#define WMU_MOVE_DOWN 1028
#define WMU_RELAYOUT 1029
#define WMU_CHECK_UPDATE 1030
#define WMU_FIRST_ACTIVATION 1031
#define WMU_START_COUNTERS 1032
#define WMU_STARTUP 1033
#define WMU_WELCOME 1034
#define WMU_LOAD_PLUGIN 1035
#define WMU_PLUGIN_COMMAND 6024
// Host items the plug-in posts back with WMU_PLUGIN_COMMAND.
#define PLUGIN_ITEM_EXIT 10
#define PLUGIN_ITEM_PREFERENCES 11
