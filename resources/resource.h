/* Resource and command ids, grouped by kind. Shared by the .rc files and the code. */
#pragma once

/* Cursor (1xx) */
#define IDC_MIRELO 182

/* Menus and dialogs (1xx, 2xx) */
#define IDM_POPUP 150
#define IDM_STOCK 193
#define IDD_TOOLKIT_PAGE 212

/* Settings dialog and its pages (1xx, 2xx) */
#define IDD_MAIN_PAGE 102
#define IDD_SETTINGS 207
#define IDD_EMPTY_PAGE_1 208
#define IDD_EMPTY_PAGE_2 209
#define IDD_GENRE_PAGE 210
#define IDD_SKIN_PAGE 211

/* Controls of the settings dialog (10xx). Each page numbers its own controls, so a number
   can mean one control on the main page and another on the skin page. The genre page's
   controls are a table in ui/settings/genre_page.cpp. */
#define IDC_SETTINGS_TABS 1003
/* main page */
#define IDC_REC_RATE_TEXT 1004
#define IDC_CAPTURE_TEXT 1005
#define IDC_SHOT_INTERVAL_TEXT 1006
#define IDC_SHOT_COUNT_TEXT 1007
#define IDC_LIMITER_TEXT 1012
#define IDC_CAP_WIDTH_SET 1014
#define IDC_CAP_HEIGHT_SET 1015
#define IDC_CAP_WIDTH 1016
#define IDC_CAP_HEIGHT 1017
#define IDC_RIGHT_AUDIO 1025
#define IDC_LEFT_AUDIO 1026
#define IDC_BACKUP_RESTORE 1027
#define IDC_BACKUP_SAVE 1028
#define IDC_REC_RATE_SLIDER 1030
#define IDC_CAPTURE_SLIDER 1031
#define IDC_LIMITER_SLIDER 1032
#define IDC_MONO 1051
#define IDC_STEREO 1052
#define IDC_SHOT_INTERVAL_SLIDER 1054
#define IDC_SHOT_COUNT_SLIDER 1055
#define IDC_CAPTURE_ON 1056
/* skin page */
#define IDC_RED_SLIDER 1030
#define IDC_GREEN_SLIDER 1031
#define IDC_BLUE_SLIDER 1032
#define IDC_COLOUR_LIST 1033
#define IDC_PLACE_LIST 1035
#define IDC_PLACE_X 1036
#define IDC_PLACE_Y 1037
#define IDC_URL 1039
#define IDC_URL_TEST 1040
#define IDC_COLOUR_TEST 1041
#define IDC_PLACE_TEST 1042
#define IDC_SKIN_SAVE 1043

/* String table (1000-1099): message texts */
#define IDS_FIRST_RUN_PROMPT 1000
#define IDS_FIRST_RUN_CAPTION 1001
#define IDS_FIRST_RUN_DONE 1002
#define IDS_FIRST_RUN_DONE_CAPTION 1003
#define IDS_ERROR_OCCURRED 1004
#define IDS_ERROR_CAPTION 1005
#define IDS_FILE_CREATE_FAILED 1006
#define IDS_DEVICE_STUCK 1007
/* Frame capture (1080-1089) */
#define IDS_SHOT_FOLDER_TITLE 1080
#define IDS_SHOT_SAVE_TITLE 1081
#define IDS_SHOT_CANCELLED 1082
#define IDS_SHOT_CANCELLED_CAPTION 1083
#define IDS_SHOT_NOT_AVI 1084
#define IDS_SHOT_FRAME_FAILED 1085
#define IDS_SHOT_SERIES_FRAME_FAILED 1086
/* Recording messages (1040-1049) */
#define IDS_RECORD_CANCELLED 1040
#define IDS_RECORD_CANCEL_CAPTION 1041
#define IDS_RECORD_NO_DEVICE 1042
#define IDS_RECORD_NO_MEMORY 1043
#define IDS_RECORD_NOT_SAVED 1044
#define IDS_RECORD_CAPTION 1045
#define IDS_RECORD_BAD_FORMAT 1046
#define IDS_RECORD_AT_LIMIT 1047
#define IDS_AVI_UNREADABLE 1090
#define IDS_AVI_FILTER 1091
#define IDS_WAV_EXISTS 1092
#define IDS_WAV_EXISTS_CAPTION 1093
#define IDS_FOLDER_NO_MEDIA 1094
/* Backup and restore texts: 1060-1079 */
#define IDS_BACKUP_TITLE 1060
#define IDS_RESTORE_TITLE 1061
#define IDS_BACKUP_CANCELLED 1062
#define IDS_RESTORE_PICK_FOLDER 1063
#define IDS_RESTORE_WARNING_CAPTION 1064
#define IDS_BACKUP_INSIDE_CAP 1065
#define IDS_BACKUP_FOLDER_FAILED 1066
#define IDS_BACKUP_INI_FAILED 1067
#define IDS_BACKUP_COPY_FAILED 1068
#define IDS_RESTORE_NO_INI 1069
#define IDS_RESTORE_MISSING_KEY 1070
#define IDS_RESTORE_BAD_COUNT 1071
#define IDS_RESTORE_UNBACKED 1072
#define IDS_RESTORE_NOT_NUMBER 1073
#define IDS_RESTORE_TOO_LONG 1074
#define IDS_RESTORE_LINE_BREAK 1075
#define IDS_RESTORE_UNCHANGED 1076
#define IDS_RESTORE_NOT_APPLIED 1077
#define IDS_RESTORE_TOO_LARGE 1078

/* Notification-area icon ids (3xx) */
#define IDI_TRAY_MAIN 300
#define IDI_TRAY_STOCK 301
#define IDI_TRAY_PLAY 302

/* Child control ids */
#define IDC_POSITION_BAR 6
#define IDC_STOCK_LIST 320

/* Controls of the toolkit page (dialog 212) */
#define IDC_TK_CHOOSE_FILE 141
#define IDC_TK_SET 144
#define IDC_TK_CUT_START 148
#define IDC_TK_CUT_END 149
#define IDC_TK_AVI_EDIT 1013
#define IDC_TK_REPEAT 1025
#define IDC_TK_PIN_START 1044
#define IDC_TK_PIN_END 1045
#define IDC_TK_MARK_START 1046
#define IDC_TK_MARK_END 1047
#define IDC_TK_PIN_PLAY 1048
#define IDC_TK_FILE_NAME 1057
#define IDC_TK_DEVICE_TYPE 1058
#define IDC_TK_FRAME_SLIDER 1060
#define IDC_TK_CUT_START_TEXT 1061
#define IDC_TK_CUT_END_TEXT 1062
#define IDC_TK_SAVE 1063

/* Drive items of the pop-up menu: 550 + letter index (A = 550 .. Z = 575) */
#define ID_DRIVE_FIRST 550
#define ID_DRIVE_LAST 575

/* Menu and accelerator commands (32xxx, 40xxx) */
#define ID_ZOOM_200 32931
#define ID_ZOOM_2000 32940
#define ID_ZOOM_ORIGINAL 32941
#define ID_ZOOM_2200 32948
#define ID_ZOOM_3000 32952
#define ID_STOCK_GENRE_0 32867   /* genres 0..9: 32867..32876 */
#define ID_STOCK_GENRE_10 32891
#define ID_STOCK_GENRE_11 32893  /* genres 11..21: 32893..32903 */
#define ID_RIGHT_WINDOW 32884
#define ID_LEFT_WINDOW 32885
#define ID_BACKUP_RESTORE 32909
#define ID_BACKUP_SAVE 32910
#define ID_SKIN_CUTE 32914
#define ID_SKIN_COOL 32915
#define ID_SKIN_USER 32917
#define ID_END 40011
#define ID_MAIN_TO_TRAY 40013
#define ID_MAIN_TO_BAR 40014
#define ID_PLAY_TO_BAR 40017
#define ID_FULL 40020
#define ID_UNUSED_SHIFT_R 40024
#define ID_UNUSED_ALT_K 40041
#define ID_PLAY 40043
#define ID_STOP 40044
#define ID_PAUSE 40045
#define ID_TRAY_OPEN 40046
#define ID_TRAY_CLOSE 40047
#define ID_NEXT 40048
#define ID_PREVIOUS 40050
#define ID_RECORD 40051
#define ID_MUTE 40052
#define ID_LEFT_WINDOW_2 40053
#define ID_REPEAT 40069
#define ID_STOCK_TO_TRAY 40075
#define ID_STOCK_TO_BAR 40076
#define ID_PLAY_TO_TRAY 40101
#define ID_FILE 40105
#define ID_CONTINUOUS 40108
#define ID_LIST_ERASE 40113
#define ID_HOME_PAGE 40116
#define ID_STOCK_DELETE 40119
#define ID_ALL_TO_TRAY 40123

/* Timers (6xx) */
#define TIMER_PROGRESS 600
#define TIMER_BUTTON_RELEASE 601
#define TIMER_LEFT_SLIDE 604
#define TIMER_RIGHT_SLIDE 605
#define TIMER_VIDEO_REPAINT 606
#define TIMER_STATUS 607
#define TIMER_CLOCK 608
#define TIMER_SHOT 609
#define TIMER_VOLUME 610
#define TIMER_PINPOINT 611

/* Window messages of the notification-area icons */
#define WM_TRAY_STOCK 0x8001
#define WM_TRAY_MAIN 0x8002
#define WM_TRAY_PLAY 0x8003

/* Messages the program posts to itself */
/* 0x8010, 0x8011 and 0x8013: the media host's, in services/media_host.h */
#define WM_DEVICE_STUCK 0x8012        /* the media device stopped answering */
#define WM_MEDIA_OPENED 0x8014        /* the device answered the start-up open */
#define WM_FOLDER_NO_MEDIA 0x8015     /* a folder given to add held no media file */
