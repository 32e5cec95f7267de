#include "base/text.h"

#include <stdarg.h>
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

int JoinText(char *dst, size_t size, const char *first, const char *second)
{
    int whole = CopyText(dst, size, first);
    return AppendText(dst, size, second) && whole;
}

// Where FormatText writes: the characters that fit, and the count of all of them.
struct FormatOutput {
    char *dst;
    size_t size;
    size_t length;
};

static void PutChar(FormatOutput *out, char c)
{
    if (out->length + 1 < out->size)
        out->dst[out->length] = c;
    out->length++;
}

static void PutRepeated(FormatOutput *out, char c, size_t count)
{
    while (count-- > 0)
        PutChar(out, c);
}

// One converted field: sign or nothing, zeros up to the precision, the text,
// and blanks or zeros up to the width.
struct FormatField {
    int leftAlign;
    int zeroPad;
    size_t width;
    size_t precision;   // minimum digits of a number, maximum characters of a text
    int hasPrecision;
};

static void PutField(FormatOutput *out, const FormatField *field, char sign, const char *text, size_t n, size_t zeros)
{
    size_t used = (sign != 0) + zeros + n;
    size_t fill = field->width > used ? field->width - used : 0;
    if (!field->leftAlign && !field->zeroPad)
        PutRepeated(out, ' ', fill);
    if (sign != 0)
        PutChar(out, sign);
    if (!field->leftAlign && field->zeroPad)
        PutRepeated(out, '0', fill);
    PutRepeated(out, '0', zeros);
    for (size_t i = 0; i < n; i++)
        PutChar(out, text[i]);
    if (field->leftAlign)
        PutRepeated(out, ' ', fill);
}

enum { kMaxDigits = 32 };

// The digits of the number being put, last first; the program's rather than the stack's.
static char numberText[kMaxDigits];

static void PutNumber(FormatOutput *out, const FormatField *field, unsigned long value, char sign, unsigned base, const char *digits)
{
    char *text = numberText;
    size_t n = 0;
    // %.0u of 0 is empty.
    while (value != 0 || (n == 0 && !(field->hasPrecision && field->precision == 0))) {
        text[kMaxDigits - 1 - n++] = digits[value % base];
        value /= base;
    }
    size_t zeros = field->hasPrecision && field->precision > n ? field->precision - n : 0;
    PutField(out, field, sign, text + kMaxDigits - n, n, zeros);
}

// Decimal digits are the first ten of these.
static const char kLowerDigits[] = "0123456789abcdef";

static size_t ReadCount(const char **format)
{
    size_t n = 0;
    while (**format >= '0' && **format <= '9')
        n = n * 10 + (size_t)(*(*format)++ - '0');
    return n;
}

// The printf conversions that the program's texts use: %s %c %d %i %u %x %X
// and %%, with the flags - and 0, a width and a precision. The size letters
// h and l change nothing (int and long are both 32 bits on Windows). Anything
// else is copied as it stands.
static void FormatInto(FormatOutput *out, const char *format, va_list args)
{
    while (*format != 0) {
        if (*format != '%') {
            PutChar(out, *format++);
            continue;
        }
        const char *directive = format++;
        FormatField field = {0, 0, 0, 0, 0};
        for (;; format++) {
            if (*format == '-')
                field.leftAlign = 1;
            else if (*format == '0')
                field.zeroPad = 1;
            else
                break;
        }
        field.width = ReadCount(&format);
        if (*format == '.') {
            format++;
            field.hasPrecision = 1;
            field.precision = ReadCount(&format);
        }
        while (*format == 'l' || *format == 'h')
            format++;
        char c = *format;
        if (c != 0)
            format++;
        switch (c) {
        case '%':
            PutChar(out, '%');
            break;
        case 'c': {
            char one = (char)va_arg(args, int);
            PutField(out, &field, 0, &one, 1, 0);
            break;
        }
        case 's': {
            const char *text = va_arg(args, const char *);
            if (text == NULL)
                text = "(null)";
            size_t n = field.hasPrecision ? strnlen(text, field.precision) : strlen(text);
            field.zeroPad = 0;
            PutField(out, &field, 0, text, n, 0);
            break;
        }
        case 'd':
        case 'i': {
            int value = va_arg(args, int);
            unsigned long magnitude = value < 0 ? 0ul - (unsigned long)value : (unsigned long)value;
            PutNumber(out, &field, magnitude, value < 0 ? '-' : 0, 10, kLowerDigits);
            break;
        }
        case 'u':
            PutNumber(out, &field, va_arg(args, unsigned), 0, 10, kLowerDigits);
            break;
        case 'x':
            PutNumber(out, &field, va_arg(args, unsigned), 0, 16, kLowerDigits);
            break;
        case 'X':
            PutNumber(out, &field, va_arg(args, unsigned), 0, 16, "0123456789ABCDEF");
            break;
        default:
            while (directive < format)
                PutChar(out, *directive++);
            break;
        }
    }
}

int FormatText(char *dst, size_t size, const char *format, ...)
{
    if (size == 0)
        return -1;
    FormatOutput out = {dst, size, 0};
    va_list args;
    va_start(args, format);
    FormatInto(&out, format, args);
    va_end(args);
    dst[out.length < size ? out.length : size - 1] = 0;
    if (out.length >= size)
        return -1;
    return (int)out.length;
}

size_t TextLength(const char *text)
{
    return strlen(text);
}

char AsciiUpper(char c)
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
