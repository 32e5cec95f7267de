#include "base/text.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

int CopyText(char *dst, size_t size, const char *src)
{
    if (size == 0)
        return 0;
    size_t i = 0;
    while (src[i] != 0 && i + 1 < size) {
        dst[i] = src[i];
        i++;
    }
    dst[i] = 0;
    return src[i] == 0;
}

int AppendText(char *dst, size_t size, const char *src)
{
    size_t used = strnlen(dst, size);
    if (used >= size)
        return 0;
    return CopyText(dst + used, size - used, src);
}

int FormatText(char *dst, size_t size, const char *format, ...)
{
    if (size == 0)
        return -1;
    va_list args;
    va_start(args, format);
    int n = _vsnprintf(dst, size, format, args);
    va_end(args);
    dst[size - 1] = 0;
    if (n < 0 || (size_t)n >= size)
        return -1;
    return n;
}

size_t TextLength(const char *text)
{
    return strlen(text);
}

static char AsciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? (char)(c - 'a' + 'A') : c;
}

int EqualIgnoringAsciiCase(const char *a, const char *b)
{
    while (*a != 0 && AsciiUpper(*a) == AsciiUpper(*b)) {
        a++;
        b++;
    }
    return AsciiUpper(*a) == AsciiUpper(*b);
}

int StartsWithIgnoringAsciiCase(const char *text, const char *prefix)
{
    while (*prefix != 0 && AsciiUpper(*prefix) == AsciiUpper(*text)) {
        prefix++;
        text++;
    }
    return *prefix == 0;
}

int EndsWithBackslash(const char *text)
{
    size_t n = strlen(text);
    return n > 0 && text[n - 1] == '\\';
}

int EnsureTrailingBackslash(char *directory, size_t size)
{
    return EndsWithBackslash(directory) || AppendText(directory, size, "\\");
}

int ContainsAnyOf(const char *text, const char *set)
{
    return text[strcspn(text, set)] != 0;
}

int TrimText(char *text, int length)
{
    int start = 0;
    while (start < length && (unsigned char)text[start] <= ' ')
        start++;
    while (length > start && (unsigned char)text[length - 1] <= ' ')
        length--;
    text[length] = 0;
    if (start > 0)
        memmove(text, text + start, (size_t)(length - start + 1));
    return length - start;
}

size_t StripTrailingBackslash(char *text, size_t keepLength)
{
    size_t n = strlen(text);
    if (n > keepLength && text[n - 1] == '\\')
        text[--n] = 0;
    return n;
}
