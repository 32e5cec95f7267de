// The medium checks: the description and the medium in setup.sourceDir read
// as the installer reads them, every problem added to the report.
#ifndef TALVICHK_CHECKS_H
#define TALVICHK_CHECKS_H

#include <windows.h>

void CheckMedium();

// Name rules, each over one name (a path relative to the medium).
int FitsIsoLevel1(const char *name);          // every component 8.3 of A-Z 0-9 _
int LongestComponent(const char *name);
int IsReadFileKey(const char *key);           // FILE1..FILE29 as the installer forms them
int LooksLikeUtf8(const BYTE *bytes, DWORD length);  // valid UTF-8 with a multi-byte sequence

#endif
