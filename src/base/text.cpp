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

// A precision gives a number its zeros: the 0 flag is ignored then, and the
// width is filled with blanks.
static void PutNumber(FormatOutput *out, FormatField *field, unsigned long value, char sign, unsigned base, const char *digits)
{
    if (field->hasPrecision)
        field->zeroPad = 0;
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
static const char kUpperDigits[] = "0123456789ABCDEF";

// %d and %i.
static void PutSigned(FormatOutput *out, FormatField *field, int value)
{
    unsigned long magnitude = value < 0 ? 0ul - (unsigned long)value : (unsigned long)value;
    PutNumber(out, field, magnitude, value < 0 ? '-' : 0, 10, kLowerDigits);
}

// %u.
static void PutDecimal(FormatOutput *out, FormatField *field, unsigned value)
{
    PutNumber(out, field, value, 0, 10, kLowerDigits);
}

// %x and %X.
static void PutHex(FormatOutput *out, FormatField *field, unsigned value, const char *digits)
{
    PutNumber(out, field, value, 0, 16, digits);
}

// %c.
static void PutCharacter(FormatOutput *out, const FormatField *field, char c)
{
    PutField(out, field, 0, &c, 1, 0);
}

// %s: a null pointer shows as the C runtime shows it; a precision cuts the
// text, and the 0 flag pads it with blanks all the same.
static void PutString(FormatOutput *out, FormatField *field, const char *text)
{
    if (text == NULL)
        text = "(null)";
    size_t n = field->hasPrecision ? strnlen(text, field->precision) : strlen(text);
    field->zeroPad = 0;
    PutField(out, field, 0, text, n, 0);
}

// A directive the formatter does not know: copied as it stands.
static void PutVerbatim(FormatOutput *out, const char *from, const char *to)
{
    while (from < to)
        PutChar(out, *from++);
}

static size_t ReadCount(const char **format)
{
    size_t n = 0;
    while (**format >= '0' && **format <= '9')
        n = n * 10 + (size_t)(*(*format)++ - '0');
    return n;
}

// The flags - and 0, in any order and number.
static void ReadFlags(const char **format, FormatField *field)
{
    for (;; (*format)++) {
        if (**format == '-')
            field->leftAlign = 1;
        else if (**format == '0')
            field->zeroPad = 1;
        else
            return;
    }
}

// A '.' and the digits after it; "." alone is a precision of 0.
static void ReadPrecision(const char **format, FormatField *field)
{
    if (**format != '.')
        return;
    (*format)++;
    field->hasPrecision = 1;
    field->precision = ReadCount(format);
}

// The size letters h and l change nothing (int and long are both 32 bits on Windows).
static void SkipSizeLetters(const char **format)
{
    while (**format == 'l' || **format == 'h')
        (*format)++;
}

// Reads the flags, width, precision and size of the directive after a '%' and
// returns its conversion letter (0 at the end of the format).
static char ReadDirective(const char **format, FormatField *field)
{
    ReadFlags(format, field);
    field->width = ReadCount(format);
    ReadPrecision(format, field);
    SkipSizeLetters(format);
    char c = **format;
    if (c != 0)
        (*format)++;
    return c;
}

// The printf conversions that the program's texts use: %s %c %d %i %u %x %X
// and %%, with the flags - and 0, a width and a precision. Anything else is
// copied as it stands.
static void FormatInto(FormatOutput *out, const char *format, va_list args)
{
    while (*format != 0) {
        if (*format != '%') {
            PutChar(out, *format++);
            continue;
        }
        const char *directive = format++;
        FormatField field = {0, 0, 0, 0, 0};
        switch (ReadDirective(&format, &field)) {
        case '%':
            PutChar(out, '%');
            break;
        case 'c':
            PutCharacter(out, &field, (char)va_arg(args, int));
            break;
        case 's':
            PutString(out, &field, va_arg(args, const char *));
            break;
        case 'd':
        case 'i':
            PutSigned(out, &field, va_arg(args, int));
            break;
        case 'u':
            PutDecimal(out, &field, va_arg(args, unsigned));
            break;
        case 'x':
            PutHex(out, &field, va_arg(args, unsigned), kLowerDigits);
            break;
        case 'X':
            PutHex(out, &field, va_arg(args, unsigned), kUpperDigits);
            break;
        default:
            PutVerbatim(out, directive, format);
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
