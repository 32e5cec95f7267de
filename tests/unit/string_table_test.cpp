// The installer's string table, read back from the built executable.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "test_paths.h"
#include "test_support.h"

namespace {

struct Expected {
    UINT id;
    const char *utf8;  // a kind byte, where there is one, stands first
};

const Expected kTable[] = {
    {0, "\x04" "Inštalácia úspešne ukončená!"},
    {2, "Inštalačný (zdrojový) a cieľový adresár sú zhodné!\n\nZvoľte prosím iný cieľový adresár."},
    {3, "\x01" "Poškodený (neexistujúci) konfiguračný súbor!"},
    {4, "\x01" "Túto aplikáciu možno spustiť len raz!"},
    {5, "Nekorektne zadaný cieľový inštalačný adresár (musíte špecifikovať úplnú cestu)!"},
    {6, "\x01" "Poškodené (neúplné) inštalačné médium!"},
    {7, "Nie je možné vytvoriť cieľový súbor!"},
    {8, "Nie je možné otvoriť zdrojový súbor pre kopírovanie!"},
    {9, "Nie je možné vytvoriť cieľový súbor pre kopírovanie!"},
    {10, "Chyba pri diskovej operácii (poškodené médium, nedostatok miesta na disku)!"},
    {11, "Nie je možné vytvoriť cieľový adresár (nedostat. prístup. práva, názov obsahuje nepovol. znaky)!"},
    {12, "\x02" "VAROVANIE:\nNa zvolenom disku nie je dostatok voľného priestoru pre prekopírovanie publikácie!\n\nZvoľte iný disk."},
    {13, "\x03" "Inštalácia nie je dokončená. Pokiaľ teraz ukončíte inštalačný program,\nprogramové vybavenie nebude nainštalované.\n\nChcete pokračovať v inštalácii?"},
    {14, "Nie je možné vytvoriť cieľový adresár (zadaná cesta obsahuje názov existujúceho súboru)!"},
    {15, "Nekorektne zadaný cieľový inštalačný adresár (cesta nesmie obsahovať znaky  / : * ? \" < > | )!"},
    {16, "Chyba nadviazanie DDE komunikácie: Ikona programu nebude pridaná do menu programov!"},
    {17, "Chyba DDE komunikácie: Nie je možné vytvoriť skupinu v menu programov!"},
    {18, "Chyba DDE komunikácie: Nie je možné pridať ikonu programu do menu programov!"},
    {24, "Nekorektne zadaný cieľový inštalačný adresár (zadaná disková jednotka nie je dostupná)!"},
    {25, "Pred inštaláciou musíte uzavrieť (ukončiť) všetky otvorené publikácie!"},
    {27, "\x03" "Na počítači je už nainštalovaná vyššia verzia publikácie (%u.%02u), ako je verzia publikácie na inštalačnom médiu (%u.%02u).\n\nChcete pokračovať v inštalácii?"},
    {28, "Nie je možné zaalokovať dostatok pamäte pre vykonanie inštalácie!"},
    {32, "Na disku %c: je k dispozícii %lu,%02u MB."},
    {33, "Inštalácia publikácie vyžaduje %lu,%02u MB."},
    {34, "Kopírovanie súboru "},
    {35, "Vitajte v inštalačnom programe TALVIREX. Tento program nainštaluje publikáciu „%s“ na váš počítač."},
    {36, "Publikácia „%s“ bude nainštalovaná do nasledujúceho adresára."},
    {40, "\x01" "Tento program je určený len pre 32-bitové systémy Windows verzie 4.0 a vyššej!"},
    {41, "\x01" "Interná chyba počas inicializácie programu!"},
    {44, "(%lu,%02u MB)"},
    {48, "Vytvorenie neexistujúcich adresárov"},
    {49, "Pridanie ikony publikácie do menu programov"},
    {50, "Pridanie ikony publikácie na plochu"},
    {51, "Zápis nastavení do konfiguračného súboru"},
    {54, "Nie je možné zapísať údaje do konfiguračného súboru!"},
    {68, "\x03" "VAROVANIE:\nNa zvolenom disku nie je dostatok voľného priestoru pre prekopírovanie publikácie!\n\nChcete pokračovať v inštalácii?"},
    {69, "Spustenie inštalácie"},
    {70, "Chyba pri zisťovaní parametrov inštalácie!!"},
    {71, "Chyba pri zápise parametrov inštalácie!!"},
    {77, "Nekorektný názov programovej skupiny (názov nesmie obsahovať znaky  \\ / : * ? \" < > | )!"},
    {94, "%s - Sprievodca inštaláciou"},
    {96, "Publikácia „%s“ bola úspešne nainštalovaná."},
    {97, "Inštalácia publikácie „%s“ bola neúspešná, publikácia nebola (korektne) nainštalovaná."},
    {98, "Sprievodca bol prerušený skôr, ako bola publikácia „%s“ úspešne nainštalovaná."},
    {99, " "},
    {100, "Pokúste sa odstrániť zistený problém a spustite inštaláciu znova, alebo kontaktuje výrobcu publikácie."},
    {101, "Váš systém nebol zmenený. Ak budete chcieť publikáciu nainštalovať neskôr, spustite inštaláciu znova."},
    {103, "Inštalačný program nie je spustený z inštalačného média.\n\nV nasledujúcom okne vyberte disk/adresár obsahujúci inštalačné médium."},
    {104, "\x01" "Umiestnenie inštalačného média nebolo zadané.\n\nInštalačný program bude ukončený."},
    {350, "\x01" "Nekorektne zadaný parameter príkazového riadku (chýba koncová úvodzovka alebo je hodnota príliš dlhá)!"},
    {351, "Publikácia je už nainštalovaná."},
};

std::string Load(UINT id)
{
    static HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    char buffer[1024] = "";
    int n = module ? LoadStringA(module, id, buffer, sizeof buffer) : -1;
    return n < 0 ? "<no module>" : std::string(buffer, n);
}

TEST(StringTable, EveryTextMatchesByteForByte)
{
    ASSERT_EQ(1250u, GetACP()) << "the tests must run with LC_ALL=sk_SK.UTF-8";
    for (const Expected &e : kTable) {
        std::string expected = testsupport::Utf8ToCp1250(e.utf8);
        EXPECT_EQ(expected, Load(e.id)) << "string " << e.id;
    }
}

TEST(StringTable, UnlistedIdsHaveNoText)
{
    std::set<UINT> listed;
    for (const Expected &e : kTable)
        listed.insert(e.id);
    for (UINT id = 0; id <= 200; id++) {
        if (!listed.count(id))
            EXPECT_EQ("", Load(id)) << "string " << id << " should be absent";
    }
    // Strings 0..15 live in block 1, in Slovak.
    HMODULE module = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(nullptr, FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(1), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT)));
}

}  // namespace
