// Bounded text helpers over fixed buffers. Every copy and every format into a
// buffer goes through these, so that no input can write past a buffer's end.
#ifndef TALVIREX_TEXT_H
#define TALVIREX_TEXT_H

#include <stddef.h>

// Copies src into dst (capacity size, terminator included). Returns 1 when the
// whole text fit, 0 when it was cut to size - 1 characters.
int CopyText(char *dst, size_t size, const char *src);

// Appends src to the text in dst. Returns 1 when it fit whole, 0 when cut.
int AppendText(char *dst, size_t size, const char *src);

// first followed by second into dst: CopyText, then AppendText. Returns 1 when
// both fit whole, 0 when the text was cut (dst then holds what fits of it).
int JoinText(char *dst, size_t size, const char *first, const char *second);

// printf-style formatting into dst (%s %c %d %i %u %x %X %% with the flags - and
// 0, a width and a precision); the result is always terminated. Returns the
// length written, or -1 when the text had to be cut.
int FormatText(char *dst, size_t size, const char *format, ...);

// Length of the text, as strlen.
size_t TextLength(const char *text);

// The capital of an ASCII letter a-z; any other byte as it is.
char AsciiUpper(char c);

// Compares two texts ignoring the case of the ASCII letters A-Z only.
int EqualIgnoringAsciiCase(const char *a, const char *b);

// 1 when text begins with prefix, ignoring the case of A-Z only.
int StartsWithIgnoringAsciiCase(const char *text, const char *prefix);

// 1 when the text is non-empty and its last character is a backslash.
int EndsWithBackslash(const char *text);

// Appends a backslash to a directory text that does not end with one.
// 1 when the text then fits its buffer, 0 when there was no room.
int EnsureTrailingBackslash(char *directory, size_t size);

// 1 when text contains any character of set.
int ContainsAnyOf(const char *text, const char *set);

// Trims bytes of 0x20 and below from both ends of the first length bytes of
// text, in place; returns the length left.
int TrimText(char *text, int length);

// Removes one trailing backslash from a text longer than keepLength
// characters (3 keeps the one of a drive's root "C:\"); returns the length.
size_t StripTrailingBackslash(char *text, size_t keepLength);

#endif
