// Start-up pieces that the installer has without a C runtime.
#ifndef TALVIREX_RUNTIME_H
#define TALVIREX_RUNTIME_H

#include <windows.h>

// LOAD_LIBRARY_SEARCH_SYSTEM32: the system directory alone. Named here because
// the Windows 4.0 headers do not know it.
enum { SEARCH_SYSTEM32_ONLY = 0x800 };

// What the process ends with when a function finds its stack overwritten.
enum { STACK_SMASHED_EXIT_CODE = 0xC0000409 };

// Replaces the stack-protector guard with a value that differs per process.
// Called first thing at start-up, from a function that is not itself protected.
void SeedStackGuard(void);

#endif
