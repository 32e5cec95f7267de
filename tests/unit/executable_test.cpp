// What the built executables carry: exports, imports, pictures, version block and page templates.
#include <cstdio>
#include <cstring>
#include <set>

#include "test_support.h"

namespace {

const size_t kPadding = 4096;
using Rows = std::vector<std::string>;

// A resource of the built installer, then zeros, so that a short or missing one reads as zeros.
std::string Resource(LPCSTR type, WORD id, WORD language = 0)
{
    HMODULE exe = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = language ? FindResourceExA(exe, type, MAKEINTRESOURCEA(id), language)
                           : FindResourceA(exe, MAKEINTRESOURCEA(id), type);
    std::string bytes(found ? (const char *)LockResource(LoadResource(exe, found)) : "", found ? SizeofResource(exe, found) : 0);
    FreeLibrary(exe);
    return bytes + std::string(kPadding, '\0');
}

// Each build's machine, exports and imported DLLs, from the file mapped as an image (an RVA is an offset).
TEST(Executable, BothBuildsExportTheProceduresByPlainNameAndImportOnlySystemDlls)
{
    // Decorated stdcall names such as _LineButWndProc@16 would be faults too.
    const std::set<std::string> expected = {"BmpButDemoWndProc", "BmpButWndProc", "DialInstDlgProc", "DlgIconWndProc",
        "LineButWndProc", "ProgButWndProc", "ProgressWndProc", "SearchAppsEnum", "SearchInstEnum", "WwwButHotWndProc", "WwwButWndProc"};
    const std::set<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
        "ole32.dll", "oleaut32.dll", "comdlg32.dll"};
    const struct { const char *path; WORD machine; } builds[] = {{TEST_INSTALLER, IMAGE_FILE_MACHINE_AMD64},
                                                                 {TEST_I686_INSTALLER, IMAGE_FILE_MACHINE_I386}};
    for (const auto &build : builds) {
        SCOPED_TRACE(build.path);
        HMODULE module = LoadLibraryExA(build.path, NULL, LOAD_LIBRARY_AS_IMAGE_RESOURCE | LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, module);
        const char *base = (const char *)((ULONG_PTR)module & ~(ULONG_PTR)3);
        auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
        EXPECT_EQ(build.machine, nt->FileHeader.Machine);
        const IMAGE_DATA_DIRECTORY *dirs = nt->OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR64_MAGIC
                                               ? ((const IMAGE_NT_HEADERS64 *)nt)->OptionalHeader.DataDirectory
                                               : nt->OptionalHeader.DataDirectory;
        DWORD exportsAt = dirs[IMAGE_DIRECTORY_ENTRY_EXPORT].VirtualAddress, importsAt = dirs[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        std::set<std::string> exports, imports;
        auto table = (const IMAGE_EXPORT_DIRECTORY *)(base + exportsAt);
        for (DWORD i = 0; exportsAt && i < table->NumberOfNames; i++)
            exports.insert(base + ((const DWORD *)(base + table->AddressOfNames))[i]);
        for (auto d = (const IMAGE_IMPORT_DESCRIPTOR *)(base + importsAt); importsAt && d->Name != 0; d++)
            imports.insert(CharLowerA(&std::string(base + d->Name)[0]));
        FreeLibrary(module);
        EXPECT_EQ(expected, exports);
        EXPECT_EQ(1u, imports.count("kernel32.dll"));
        for (const std::string &dll : imports)
            EXPECT_EQ(1u, allowed.count(dll)) << "imports " << dll;
    }
}

TEST(Executable, PicturesHaveTheirSizesAndColourDepths)
{
    auto number = [](const std::string &bytes, size_t at, size_t size) { DWORD n = 0; return memcpy(&n, &bytes[at], size), n; };
    // Width x height x bits per pixel of a BITMAPINFOHEADER; an icon's or cursor's height counts its mask.
    auto shape = [&](const std::string &b, size_t at = 0) {
        return std::to_string(number(b, at + 4, 4)) + "x" + std::to_string(number(b, at + 8, 4)) + "x" + std::to_string(number(b, at + 14, 2));
    };
    // Image i of a group: 14-byte entries after a 6-byte header, each ending with the image's ID.
    auto image = [&](LPCSTR group, LPCSTR type, size_t i) { return Resource(type, (WORD)number(Resource(group, 1), 18 + 14 * i, 2)); };
    std::string cursor = image(RT_GROUP_CURSOR, RT_CURSOR, 0);   // hot spot x and y, then the image
    EXPECT_EQ((Rows{"164x314x24", "61x61x24", "3", "48x96x8", "32x64x8", "16x32x8", "32x64x1", "5,0"}),
              (Rows{shape(Resource(RT_BITMAP, 1)), shape(Resource(RT_BITMAP, 2)), std::to_string(number(Resource(RT_GROUP_ICON, 1), 4, 2)),
                    shape(image(RT_GROUP_ICON, RT_ICON, 0)), shape(image(RT_GROUP_ICON, RT_ICON, 1)), shape(image(RT_GROUP_ICON, RT_ICON, 2)),
                    shape(cursor, 4), std::to_string(number(cursor, 0, 2)) + "," + std::to_string(number(cursor, 2, 2))}));
}

TEST(Executable, VersionBlockNames2_01_00)
{
    std::vector<char> block(GetFileVersionInfoSizeA(TEST_INSTALLER, NULL) + 1);
    VS_FIXEDFILEINFO *fixed = nullptr;
    char *text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(GetFileVersionInfoA(TEST_INSTALLER, 0, (DWORD)block.size(), block.data()) &&
                VerQueryValueA(block.data(), "\\", (void **)&fixed, &length) &&
                VerQueryValueA(block.data(), "\\StringFileInfo\\041B04E2\\FileVersion", (void **)&text, &length));
    EXPECT_EQ(0x0002000100000000ull, (ULONGLONG)fixed->dwFileVersionMS << 32 | fixed->dwFileVersionLS);
    EXPECT_STREQ("2.01.00", text);
}

// One line per control, so that a mismatch shows both sides whole.
std::string Row(int id, const std::string &cls, int x, int y, int cx, int cy, DWORD style, DWORD ex, const std::string &text)
{
    char head[120];
    snprintf(head, sizeof head, "%d %s at %d,%d size %d,%d style %08lX ex %lX ", id, cls.c_str(), x, y, cx, cy, style, ex);
    return head + ('"' + text + '"');
}

// Parses a (not extended) DLGTEMPLATE into rows. Texts in code page 1250, so a character the installer
// could not show does not match; class names in capitals, the predefined classes as "#128" and so on.
Rows ReadTemplate(WORD id)
{
    std::string bytes = Resource(RT_DIALOG, id, MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT));
    const char *start = bytes.data(), *end = start + bytes.size() - kPadding, *p = start;
    auto word = [&] { WORD v; memcpy(&v, p, 2), p += 2; return v; };
    auto dword = [&] { DWORD low = word(); return low | (DWORD)word() << 16; };
    auto text = [&]() -> std::string {
        WORD c = word();
        std::string out = c == 0xFFFF ? "#" + std::to_string(word()) : "";
        for (char one[4]; c != 0 && c != 0xFFFF; c = word())
            out.append(one, WideCharToMultiByte(1250, 0, (const wchar_t *)&c, 1, one, sizeof one, 0, 0));
        return out;
    };
    auto upper = [](std::string s) { return CharUpperBuffA(&s[0], (DWORD)s.size()), s; };
    DWORD style = dword(), ex = dword();
    WORD count = word();
    p += 4;   // x, y: the wizard places every page itself
    short cx = word(), cy = word();
    std::string menu = text(), cls = upper(text()), caption = text();
    WORD points = style & DS_SETFONT ? word() : 0;
    std::string face = style & DS_SETFONT ? text() : "";
    Rows rows = {Row(points, cls, 0, 0, cx, cy, style, ex, menu + '|' + caption + '|' + face)};
    for (WORD i = 0; i < count && p < end; i++) {
        p = start + ((p - start + 3) & ~3);
        DWORD itemStyle = dword(), itemEx = dword();
        short x = word(), y = word(), width = word(), height = word(), item = word();
        std::string itemClass = upper(text()), itemText = text();
        p += word();   // creation data
        rows.push_back(Row(item, itemClass, x, y, width, height, itemStyle, itemEx, itemText));
    }
    return p <= end ? rows : Rows();
}

const char B[] = "#128", E[] = "#129", S[] = "#130", CB[] = "#133";
const char BMP[] = "BMPBUTX", LINE[] = "LINEBUT", WWW[] = "WWWBUTHOT", PROG[] = "PROGBUT";
const DWORD G = WS_GROUP, TAB = WS_TABSTOP, OFF = WS_DISABLED, WHITE = G | SS_WHITERECT;
const DWORD TXT = G | SS_LEFT, PLAIN = TXT | SS_NOPREFIX, MID = G | SS_CENTER;

// A control's row as the parser writes it, from a UTF-8 text; every control is a visible child.
std::string C(int id, const char *cls, int x, int y, int cx, int cy, DWORD style, const char *text)
{
    return Row(id, cls, x, y, cx, cy, WS_CHILD | WS_VISIBLE | style, 0, testsupport::Utf8ToCp1250(text));
}

Rows operator+(Rows a, const Rows &b) { return a.insert(a.end(), b.begin(), b.end()), a; }

Rows Buttons(DWORD back, DWORD next, DWORD cancel, const char *nextText = "Ď&alej >")
{
    return {C(46, B, 158, 198, 60, 14, BS_PUSHBUTTON | TAB | back, "< &Naspäť"),
            C(1, B, 220, 198, 60, 14, BS_DEFPUSHBUTTON | TAB | next, nextText),
            C(45, B, 286, 198, 60, 14, BS_PUSHBUTTON | TAB | cancel, "&Zrušiť")};
}

// The template itself (point size in place of an ID; menu, caption and typeface as the text),
// then the picture and white pane at the side or on top, the page's own controls, line and buttons.
std::pair<WORD, Rows> Page(WORD id, const char *caption, bool side, Rows own, Rows buttons = Buttons(G, 0, 0))
{
    DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (id == 10020 ? WS_VISIBLE : 0);
    Rows top = side ? Rows{C(-1, BMP, 0, 0, 110, 194, G, "1"), C(-1, S, 110, 0, 246, 194, WHITE, "")}
                    : Rows{C(-1, BMP, 318, 0, 38, 36, G, "2"), C(-1, S, 0, 0, 318, 36, WHITE, ""),
                           C(999, S, 10, 10, 290, 10, TXT, caption), C(-1, LINE, 0, 36, 356, 2, G, "")};
    Rows bottom = side ? Rows{C(-1, LINE, 0, 194, 356, 2, G, "")}
                       : Rows{C(-1, LINE, 0, 194, 356, 2, G, ""), C(-1, S, 0, 189, 40, 8, MID | OFF, "TALVIREX")};
    return {id, Rows{Row(8, "TALVIREX", 0, 0, 356, 216, style, 0, '|' + testsupport::Utf8ToCp1250(caption) + "|MS Sans Serif")} +
                    top + own + bottom + buttons};
}

// Texts in UTF-8; the \u00a0 and \n are compared as the bytes 0xA0 and 0x0A.
TEST(PageTemplates, MatchTheLayoutsControlByControl)
{
    const std::pair<WORD, Rows> pages[] = {
        Page(10000, "Uvítanie", true, {
            C(1000, S, 120, 10, 226, 28, PLAIN, "*Welcom*"), C(1001, S, 120, 40, 226, 28, PLAIN, "Ak máte otvorené nejaké publikácie, ukončite ich."),
            C(999, S, 120, 76, 226, 8, MID, "Inštalačný program TALVIREX"), C(-1, S, 120, 86, 226, 8, MID, "verzia 2.01"),
            C(1004, S, 120, 96, 226, 8, MID, "© 2026 Vydavateľstvo Vzorka"), C(-1, WWW, 180, 106, 106, 9, G, "Cwww.vzorka.example"),
            C(1005, S, 120, 140, 226, 20, TXT, ""), C(1006, S, 120, 164, 232, 20, TXT, "")}, Buttons(G | OFF, G, 0)),
        Page(10001, "Voľba typu inštalácie", false, {
            C(1000, S, 40, 50, 276, 13, TXT, "Zvoľte typ inštalácie:"),
            C(60, B, 78, 64, 60, 12, BS_RADIOBUTTON | G | TAB, "&Minimálna:"), C(61, B, 78, 104, 60, 12, BS_RADIOBUTTON, "Ma&ximálna:"),
            C(1004, S, 90, 77, 204, 18, TXT, "Publikácia bude používaná priamo z inštalačného média"), C(1005, S, 90, 117, 204, 18, TXT, "Celá publikácia sa skopíruje na lokálny disk vášho počítača"),
            C(1101, B, 78, 164, 206, 12, BS_CHECKBOX | TAB, "&Vytvoriť programovú skupinu v menu programov"), C(1102, B, 78, 176, 206, 12, BS_CHECKBOX | TAB, "Vytvoriť &ikonu na pracovnej ploche"),
            C(1001, S, 140, 66, 100, 10, TXT, "*Size1*"), C(1002, S, 140, 107, 100, 10, TXT, "*Size2*")}),
        Page(10002, "Voľba cieľového adresára", false, {
            C(1000, S, 40, 50, 276, 20, PLAIN, "*Copy*"), C(-1, S, 40, 110, 276, 18, TXT, "V prípade potreby môžete zmeniť ponúkaný adresár. Musíte však zadať úplnú cestu vrátane disku."),
            C(1005, S, 40, 144, 276, 10, TXT, "*Free*"), C(1006, S, 40, 164, 276, 10, TXT, "*File*"),
            C(1001, B, 40, 77, 276, 30, BS_GROUPBOX | G, " Cieľový adresár: "),
            C(1200, E, 45, 88, 221, 12, WS_BORDER | ES_AUTOHSCROLL | G | TAB, ""), C(1201, B, 269, 87, 43, 14, BS_PUSHBUTTON | G | TAB, "  &Výber...  ")}),
        Page(10003, "Voľba názvu programovej skupiny", false, {
            C(1000, S, 40, 50, 276, 36, TXT, "Inštalácia vytvorí nasledujúcu programovú skupinu (zložku menu programov) a pridá do nej ikonu publikácie. V\u00a0prípade, že chcete pridať ikonu do už existujúcej programovej skupiny, vyberte ju zo zoznamu existujúcich skupín."),
            C(1001, S, 40, 94, 70, 8, TXT, "&Programová skupina:"), C(1300, CB, 110, 92, 206, 89, CBS_SIMPLE | CBS_SORT | WS_VSCROLL | G | TAB, ""),
            C(1002, S, 40, 136, 70, 8, TXT, "Existujúce skupiny:")}),
        Page(10004, "Spustenie inštalácie", false, {
            C(1001, S, 40, 50, 276, 55, TXT, "Nastavenie parametrov inštalácie je ukončené.\n\nPo stlačení tlačidla 'Inštalovať' bude spustená inštalácia publikácie na váš počítač."),
            C(1003, B, 40, 102, 276, 70, BS_GROUPBOX | G, " Nezabudnite zaslať vyplnenú registračnú kartu na adresu: "),
            C(1005, S, 50, 118, 256, 33, MID | SS_NOPREFIX, "Vydavateľstvo Vzorka s.r.o.\nUkážková 12\n811 01 Bratislava\nvzorka@vzorka.example"),
            C(1004, WWW, 50, 152, 256, 9, G, "Cwww.vzorka.example")}, Buttons(G, 0, 0, "Inšt&alovať")),
        Page(10020, "Inštalácia publikácie", false, {
            C(72, S, 40, 50, 276, 8, TXT, "Prebieha inštalácia ..."), C(70, PROG, 40, 64, 276, 10, G, ""), C(71, S, 40, 80, 276, 8, PLAIN, "")}, Buttons(G | OFF, G | OFF, OFF)),
        Page(10021, "Ukončenie", true, {
            C(999, S, 120, 10, 226, 18, PLAIN, "Sprievodca inštaláciou je ukončený"),
            C(1001, S, 120, 50, 226, 28, PLAIN, "*Status*"), C(1002, S, 120, 80, 226, 28, PLAIN, ""),
            C(-1, S, 120, 120, 226, 8, TXT, "Sprievodcu ukončite kliknutím na tlačidlo 'Dokončiť'.")}, Buttons(G | OFF, G, OFF, "D&okončiť")),
    };
    for (const auto &page : pages) {
        SCOPED_TRACE(page.first);
        Rows got = ReadTemplate(page.first);
        EXPECT_EQ(page.second.size(), got.size()) << "a missing or unreadable template, or other controls";
        for (size_t i = 0; i < page.second.size() && i < got.size(); i++)
            EXPECT_EQ(page.second[i], got[i]);
    }
}

}  // namespace
