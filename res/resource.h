// Resource IDs shared by the resource scripts and the code.
#ifndef TALVIREX_RESOURCE_H
#define TALVIREX_RESOURCE_H

// Pages (dialog templates); the ID is the page's PageId.
#define IDD_WELCOME   10000
#define IDD_TYPE      10001
#define IDD_TARGET    10002
#define IDD_GROUP     10003
#define IDD_CONFIRM   10004
#define IDD_PROGRESS  10020
#define IDD_FINISH    10021
#define IDD_CHOOSER   10100

// Controls common to every page.
#define IDC_NEXT      1
#define IDC_BACK      46
#define IDC_CANCEL    45
#define IDC_TITLE     999

// Welcome page.
#define IDC_WELCOME_TEXT   1000
#define IDC_WELCOME_CLOSE  1001
#define IDC_WELCOME_OWNER  1004
#define IDC_WELCOME_NOTE1  1005
#define IDC_WELCOME_NOTE2  1006

// Installation type page.
#define IDC_TYPE_PROMPT    1000
#define IDC_TYPE_MINIMAL   60
#define IDC_TYPE_MAXIMAL   61
#define IDC_TYPE_MIN_TEXT  1004
#define IDC_TYPE_MAX_TEXT  1005
#define IDC_TYPE_GROUP     1101
#define IDC_TYPE_DESKTOP   1102
#define IDC_TYPE_MIN_SIZE  1001
#define IDC_TYPE_MAX_SIZE  1002

// Target directory page.
#define IDC_TARGET_PROMPT  1000
#define IDC_TARGET_FRAME   1001
#define IDC_TARGET_FREE    1005
#define IDC_TARGET_SIZE    1006
#define IDC_TARGET_EDIT    1200
#define IDC_TARGET_BROWSE  1201

// Program group page.
#define IDC_GROUP_TEXT     1000
#define IDC_GROUP_LABEL    1001
#define IDC_GROUP_LIST_LABEL 1002
#define IDC_GROUP_COMBO    1300

// Confirmation page.
#define IDC_CONFIRM_TEXT    1001
#define IDC_CONFIRM_FRAME   1003
#define IDC_CONFIRM_LINK    1004
#define IDC_CONFIRM_ADDRESS 1005

// Progress page.
#define IDC_PROGRESS_BAR   70
#define IDC_PROGRESS_LINE  71
#define IDC_PROGRESS_TEXT  72

// Finish page.
#define IDC_FINISH_STATUS  1001
#define IDC_FINISH_DETAIL  1002

// Pictures.
#define IDB_SIDE    1
#define IDB_HEADER  2
#define IDI_APP     1
#define IDR_HAND_CURSOR 1

// String table.
#define IDS_SUCCESS           0
#define IDS_SAME_DIRECTORY    2
#define IDS_BAD_DESCRIPTION   3
#define IDS_ALREADY_RUNNING   4
#define IDS_BAD_TARGET        5
#define IDS_BAD_MEDIUM        6
#define IDS_SOURCE_OPEN       8
#define IDS_TARGET_CREATE     9
#define IDS_DISK_ERROR        10
#define IDS_DIR_CREATE        11
#define IDS_LOW_SPACE         12
#define IDS_CONFIRM_CANCEL    13
#define IDS_PATH_IS_FILE      14
#define IDS_TARGET_CHARS      15
#define IDS_NO_PROGRAMS       16
#define IDS_NO_GROUP          17
#define IDS_NO_SHORTCUT       18
#define IDS_NO_DRIVE          24
#define IDS_CLOSE_VIEWERS     25
#define IDS_FREE_SPACE        32
#define IDS_REQUIRED_SPACE    33
#define IDS_COPYING           34
#define IDS_WELCOME           35
#define IDS_TARGET_PROMPT     36
#define IDS_OLD_SYSTEM        40
#define IDS_INIT_FAILED       41
#define IDS_TYPE_SIZE         44
#define IDS_STEP_DIRECTORIES  48
#define IDS_STEP_GROUP        49
#define IDS_STEP_DESKTOP      50
#define IDS_STEP_SETTINGS     51
#define IDS_INI_WRITE         54
#define IDS_GROUP_CHARS       77
#define IDS_WINDOW_TITLE      94
#define IDS_FINISH_STATUS     96
#define IDS_FINISH_DETAIL     99
#define IDS_NOT_ON_MEDIUM     103
#define IDS_NO_MEDIUM         104
#define IDS_BAD_OPTION        350
#define IDS_ALREADY_INSTALLED 351

// Registration in the list of installed programs, and removal (-U).
#define IDS_REGISTER_FAILED    300
#define IDS_REMOVE_CONFIRM     301
#define IDS_REMOVE_NOT_FOUND   302
#define IDS_REMOVE_ELSEWHERE   303
#define IDS_REMOVED            304
#define IDS_REMOVE_FAILED      305
#define IDS_REMOVE_DECLINED    306
#define IDS_REMOVE_RECORDS_FAILED 307
#define IDS_REMOVE_LINK_SKIPPED   308

#endif
