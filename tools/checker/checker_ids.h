// String IDs of the medium checker; its texts are in checker.rc, beside the
// installer's own (string 44 shows the sizes as the type page does).
#ifndef TALVICHK_IDS_H
#define TALVICHK_IDS_H

#define IDS_CHK_ERROR            400
#define IDS_CHK_WARNING          401
#define IDS_CHK_USAGE            402

// Errors: the installer refuses the medium or fails on it.
#define IDS_CHK_NO_DESCRIPTION   410
#define IDS_CHK_EMPTY_VALUE      411
#define IDS_CHK_GROUP_CHARS      412
#define IDS_CHK_NO_SEPARATOR     413
#define IDS_CHK_BAD_KIND         414
#define IDS_CHK_EMPTY_ICON       415
#define IDS_CHK_NO_SHORTCUT      416
#define IDS_CHK_POOL_FULL        417
#define IDS_CHK_NO_FILES         418
#define IDS_CHK_FILE_MISSING     419
#define IDS_CHK_ICON_MISSING     420
#define IDS_CHK_PATH_TOO_LONG    421
#define IDS_CHK_DOT_DOT          422
#define IDS_CHK_DRIVE_OR_UNC     423
#define IDS_CHK_DEVICE_NAME      424
#define IDS_CHK_SHORTCUT_PATH    425
#define IDS_CHK_NOT_PLAIN        426

// Warnings: it installs, but probably not as meant.
#define IDS_CHK_KEY_NOT_READ     430
#define IDS_CHK_SECTION_NOT_READ 431
#define IDS_CHK_LISTED_TWICE     432
#define IDS_CHK_UNLISTED_FILE    433
#define IDS_CHK_UTF8_BOM         434
#define IDS_CHK_UTF8_TEXT        435
#define IDS_CHK_VALUE_CUT        436
#define IDS_CHK_NO_VERSION       437
#define IDS_CHK_WINDOWS_INI      438
#define IDS_CHK_INI_PATH         439
#define IDS_CHK_NOT_ISO_LEVEL1   440
#define IDS_CHK_NOT_JOLIET       441
#define IDS_CHK_SHORTCUT_CHARS   442
#define IDS_CHK_TARGET_TOO_LONG  443
#define IDS_CHK_EMPTY_FILE       444
#define IDS_CHK_KEY_TWICE        445

// What a reader will see.
#define IDS_CHK_MEDIUM           450
#define IDS_CHK_TITLE            451
#define IDS_CHK_TARGET           452
#define IDS_CHK_GROUP            453
#define IDS_CHK_MINIMAL          454
#define IDS_CHK_MAXIMAL          455
#define IDS_CHK_KINDS            456
#define IDS_CHK_POOL             457
#define IDS_CHK_TOTALS           458

// Errors, continued.
#define IDS_CHK_FOLDER_NAME      459
#define IDS_CHK_SUBFOLDER_KIND   460

#endif
