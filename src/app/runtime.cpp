// The few routines that a C runtime would give the installer: memory and
// string functions, the stack probe, the stack-protector guard and the load
// configuration. Linked into TALVIREX.EXE only; the test programs link the
// same code with their own C runtime. There is no 64-bit division here: the
// code divides 64-bit numbers only by powers of two or in 32-bit parts, and
// the 32-bit build fails to link should that change.
//
// Compiled without the stack protector and without turning loops into calls
// of memset or memcpy (which would call themselves).
#include <windows.h>

#include "app/runtime.h"

extern "C" {

void *memset(void *dst, int value, size_t count)
{
    unsigned char *d = (unsigned char *)dst;
    while (count-- > 0)
        *d++ = (unsigned char)value;
    return dst;
}

void *memcpy(void *dst, const void *src, size_t count)
{
    unsigned char *d = (unsigned char *)dst;
    const unsigned char *s = (const unsigned char *)src;
    while (count-- > 0)
        *d++ = *s++;
    return dst;
}

void *memmove(void *dst, const void *src, size_t count)
{
    unsigned char *d = (unsigned char *)dst;
    const unsigned char *s = (const unsigned char *)src;
    if (d <= s || d >= s + count)
        return memcpy(dst, src, count);
    while (count-- > 0)
        d[count] = s[count];
    return dst;
}

int memcmp(const void *a, const void *b, size_t count)
{
    const unsigned char *x = (const unsigned char *)a, *y = (const unsigned char *)b;
    for (; count > 0; count--, x++, y++)
        if (*x != *y)
            return *x - *y;
    return 0;
}

size_t strlen(const char *text)
{
    const char *p = text;
    while (*p != 0)
        p++;
    return (size_t)(p - text);
}

size_t strnlen(const char *text, size_t limit)
{
    size_t n = 0;
    while (n < limit && text[n] != 0)
        n++;
    return n;
}

char *strchr(const char *text, int c)
{
    for (;; text++) {
        if (*text == (char)c)
            return (char *)text;
        if (*text == 0)
            return NULL;
    }
}

char *strrchr(const char *text, int c)
{
    const char *last = NULL;
    for (;; text++) {
        if (*text == (char)c)
            last = text;
        if (*text == 0)
            return (char *)last;
    }
}

int strcmp(const char *a, const char *b)
{
    while (*a != 0 && *a == *b) {
        a++;
        b++;
    }
    return (unsigned char)*a - (unsigned char)*b;
}

size_t strcspn(const char *text, const char *set)
{
    size_t n = 0;
    while (text[n] != 0 && strchr(set, text[n]) == NULL)
        n++;
    return n;
}

// The compiler's guard word for -fstack-protector; zero (in .bss, no stored
// data) until SeedStackGuard replaces it at start-up.
UINT_PTR __stack_chk_guard;

// A smashed stack: nothing of this process can be trusted any more, so it
// ends at once, without unwinding or showing anything.
__attribute__((noreturn)) void __stack_chk_fail(void)
{
    TerminateProcess(GetCurrentProcess(), STACK_SMASHED_EXIT_CODE);
    for (;;)
        ExitProcess(STACK_SMASHED_EXIT_CODE);
}

// Asks the loader (Windows 10 and later) to resolve the static imports from
// the system directory only. The linker points the image's load-configuration
// directory at this symbol. Reserved1 is the dependent-load flags.
extern const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"   // the rest is zero
const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used = {.Size = sizeof(IMAGE_LOAD_CONFIG_DIRECTORY),
                                                        .Reserved1 = SEARCH_SYSTEM32_ONLY};
#pragma GCC diagnostic pop

}  // extern "C"

// Rotates and multiplies each value into the word, so that every bit of the
// inputs reaches every bit of the guard.
static UINT_PTR Mix(UINT_PTR word, UINT_PTR value)
{
    const int bits = 8 * sizeof(UINT_PTR);
    word ^= value;
    word *= (UINT_PTR)0x9E3779B97F4A7C15ULL;
    return word ^ (word >> (bits / 2));
}

void SeedStackGuard(void)
{
    LARGE_INTEGER counter;
    FILETIME now;
    counter.QuadPart = 0;
    QueryPerformanceCounter(&counter);   // fails on hardware without one: 0
    GetSystemTimeAsFileTime(&now);
    const UINT_PTR values[] = {(UINT_PTR)counter.LowPart, (UINT_PTR)counter.HighPart, (UINT_PTR)now.dwLowDateTime,
                               GetTickCount(), GetCurrentProcessId(), GetCurrentThreadId(),
                               (UINT_PTR)&counter};   // the stack's place differs per process where it is randomised
    UINT_PTR guard = (UINT_PTR)0x2F8A6C35D1E94B07ULL;
    for (size_t i = 0; i < sizeof values / sizeof values[0]; i++)
        guard = Mix(guard, values[i]);
    __stack_chk_guard = guard != 0 ? guard : 1;
}

// The stack probe that the compiler calls for a frame over a page: touches each
// page from the top down, so that the guard page grows the stack in order. The
// size is in eax (rax); every register is kept.
#if defined(__x86_64__)
__asm__(".text\n"
        ".globl ___chkstk_ms\n"
        "___chkstk_ms:\n"
        "    pushq %rcx\n"
        "    pushq %rax\n"
        "    leaq 24(%rsp), %rcx\n"
        "1:  cmpq $0x1000, %rax\n"
        "    jb 2f\n"
        "    subq $0x1000, %rcx\n"
        "    orq $0, (%rcx)\n"
        "    subq $0x1000, %rax\n"
        "    jmp 1b\n"
        "2:  subq %rax, %rcx\n"
        "    orq $0, (%rcx)\n"
        "    popq %rax\n"
        "    popq %rcx\n"
        "    ret\n");
#else
__asm__(".text\n"
        ".globl ___chkstk_ms\n"
        "___chkstk_ms:\n"
        "    pushl %ecx\n"
        "    pushl %eax\n"
        "    leal 12(%esp), %ecx\n"
        "1:  cmpl $0x1000, %eax\n"
        "    jb 2f\n"
        "    subl $0x1000, %ecx\n"
        "    orl $0, (%ecx)\n"
        "    subl $0x1000, %eax\n"
        "    jmp 1b\n"
        "2:  subl %eax, %ecx\n"
        "    orl $0, (%ecx)\n"
        "    popl %eax\n"
        "    popl %ecx\n"
        "    ret\n");
#endif
