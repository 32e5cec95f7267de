// What the built executables carry: exports, imports, texts and page templates.
#include <cstring>
#include <set>

#include "test_support.h"

namespace {

using testsupport::Utf8ToCp1250;
using Rows = std::vector<std::string>;
const size_t kPadding = 4096;

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
    HMODULE exe = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceExA(exe, RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT));
    // Zeros after the template, so that a short or missing one reads as zeros.
    std::string bytes = std::string(found ? (const char *)LockResource(LoadResource(exe, found)) : "",
                                     found ? SizeofResource(exe, found) : 0) + std::string(kPadding, '\0');
    FreeLibrary(exe);
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
