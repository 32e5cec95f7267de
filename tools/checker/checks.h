// The medium checks: the description and the medium in setup.sourceDir read
// as the installer reads them, every problem added to the report.
#ifndef TALVICHK_CHECKS_H
#define TALVICHK_CHECKS_H

#include <windows.h>

void CheckMedium();

#endif
