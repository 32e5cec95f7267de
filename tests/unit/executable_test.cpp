// What the built executables carry: exports, imports, pictures, version block, texts and page templates.
#include <cstring>
#include <set>

#include "test_support.h"

namespace {

using testsupport::Utf8ToCp1250;
using Rows = std::vector<std::string>;
const size_t kPadding = 4096;

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
        "ole32.dll", "oleaut32.dll", "comdlg32.dll", "version.dll", "msvcrt.dll"};
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

// One row per way a text goes wrong: a kind byte, letters of code page 1250, quotes, line breaks, formats.
TEST(Executable, TextsLoadInCodePage1250WithTheirKindBytes)
{
    ASSERT_EQ(1250u, GetACP()) << "the tests must run with LC_ALL=sk_SK.UTF-8";
    const struct { UINT id; const char *utf8; } texts[] = {
        {0, "\x04" "Inštalácia úspešne ukončená!"},
        {12, "\x02" "VAROVANIE:\nNa zvolenom disku nie je dostatok voľného priestoru pre prekopírovanie publikácie!\n\nZvoľte iný disk."},
        {13, "\x03" "Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\nprogramové vybavenie nebude nainštalované.\n\nChcete pokračovať v inštalácii?"},
        {15, "Nekorektne zadaný cieľový inštalačný adresár (cesta nesmie obsahovať znaky  / : * ? \" < > | )!"},
        {32, "Na disku %c: je k dispozícii %lu,%02u MB."},
        {35, "Vitajte v inštalačnom programe TALVIREX. Tento program nainštaluje publikáciu „%s“ na váš počítač."},
        {77, "Nekorektný názov programovej skupiny (názov nesmie obsahovať znaky  \\ / : * ? \" < > | )!"},
        {99, " "}, {1, ""}};
    HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    for (const auto &t : texts) {
        char buffer[1024] = "";
        EXPECT_EQ(Utf8ToCp1250(t.utf8), std::string(buffer, LoadStringA(module, t.id, buffer, sizeof buffer))) << t.id;
    }
    EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));
    FreeLibrary(module);
}

// "ID CLASS text" of every item of a (not extended) Slovak DLGTEMPLATE, the template itself first as
// "0 CLASS caption"; texts in code page 1250, class names in capitals, predefined classes as "#128" and so on.
Rows ReadTemplate(WORD id)
{
    std::string bytes = Resource(RT_DIALOG, id, MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT));
    const char *start = bytes.data(), *p = start;
    auto word = [&] { WORD v; memcpy(&v, p, 2), p += 2; return v; };
    auto text = [&]() -> std::string {
        WORD c = word();
        std::string out = c == 0xFFFF ? "#" + std::to_string(word()) : "";
        for (char one[4]; c != 0 && c != 0xFFFF; c = word())
            out.append(one, WideCharToMultiByte(1250, 0, (const wchar_t *)&c, 1, one, sizeof one, 0, 0));
        return out;
    };
    auto upper = [](std::string s) { return CharUpperBuffA(&s[0], (DWORD)s.size()), s; };
    DWORD style = word() | (DWORD)word() << 16;
    p += 4;
    WORD count = word();
    p += 8;   // position and size
    text();   // menu
    std::string cls = upper(text()), caption = text();
    Rows rows = {"0 " + cls + " " + caption};
    if (style & DS_SETFONT)
        word(), text();
    for (WORD i = 0; i < count && p < start + bytes.size() - kPadding; i++) {
        p = start + ((p - start + 3) & ~3) + 16;   // styles, position and size
        short item = (short)word();
        std::string itemClass = upper(text()), itemText = text();
        p += word();   // creation data
        rows.push_back(std::to_string(item) + " " + itemClass + " " + itemText);
    }
    return rows;
}

TEST(Executable, PageTemplatesNameTheirClassesAndKeepTheirLetters)
{
    const struct { WORD page; const char *row; } cases[] = {
        {10000, "0 TALVIREX Uvítanie"},                          // the installer's own class, by name
        {10001, "1 #128 Ď&alej >"}, {10002, "1200 #129 "},       // predefined classes stored as atoms
        {10003, "1300 #133 "}, {10021, "45 #128 &Zrušiť"},
        {10000, "-1 WWWBUTHOT Cwww.vzorka.example"},             // a class of the installer, with its layout letter
        {10003, "1000 #130 Inštalácia vytvorí nasledujúcu programovú skupinu (zložku menu programov) a pridá do nej "
                "ikonu publikácie. V\u00a0prípade, že chcete pridať ikonu do už existujúcej programovej skupiny, "
                "vyberte ju zo zoznamu existujúcich skupín."},
        {10004, "1001 #130 Nastavenie parametrov inštalácie je ukončené.\n\nPo stlačení tlačidla 'Inštalovať' bude "
                "spustená inštalácia publikácie na váš počítač."},
        {10000, "1004 #130 © 2026 Vydavateľstvo Vzorka"}};
    for (const auto &c : cases) {
        Rows rows = ReadTemplate(c.page);
        std::string row = Utf8ToCp1250(c.row);
        EXPECT_EQ(1, std::count(rows.begin(), rows.end(), row)) << c.page << ": " << c.row;
    }
}

}  // namespace
