// The page templates, read back from the built executable's resources and
// parsed here byte by byte, compared with the layouts the wizard relies on.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "test_paths.h"
#include "test_support.h"

namespace {

using testsupport::Utf8ToCp1250;

// ---------------------------------------------------------------- parsing

struct ParsedControl {
    DWORD style = 0, exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::string className;   // "#128" for the atom 0x80, else the name
    std::string text;        // code page 1250
    bool textIsOrdinal = false;
};

struct ParsedPage {
    DWORD style = 0, exStyle = 0;
    int cx = 0, cy = 0;
    std::string menu, className, caption, typeface;
    int pointSize = 0;
    std::vector<ParsedControl> controls;
};

class Reader {
public:
    Reader(const BYTE *data, size_t size) : data_(data), size_(size) {}
    bool ok() const { return ok_; }
    WORD Word()
    {
        WORD v = 0;
        Take(&v, 2);
        return v;
    }
    DWORD Dword()
    {
        DWORD v = 0;
        Take(&v, 4);
        return v;
    }
    short Short() { return (short)Word(); }
    void AlignDword() { pos_ = (pos_ + 3) & ~(size_t)3; }
    // A sz_Or_Ord field: 0 (nothing), 0xFFFF + ordinal, or a UTF-16 text.
    std::string NameOrOrdinal(bool *isOrdinal)
    {
        *isOrdinal = false;
        WORD first = Word();
        if (first == 0xFFFF) {
            *isOrdinal = true;
            return "#" + std::to_string(Word());
        }
        std::wstring wide;
        for (WORD c = first; ok_ && c != 0; c = Word())
            wide.push_back((wchar_t)c);
        return ToCp1250(wide);
    }
    std::string Text()
    {
        bool ordinal = false;
        return NameOrOrdinal(&ordinal);
    }
    void Skip(size_t n)
    {
        if (pos_ + n > size_)
            ok_ = false;
        else
            pos_ += n;
    }

private:
    void Take(void *out, size_t n)
    {
        if (pos_ + n > size_) {
            ok_ = false;
            return;
        }
        memcpy(out, data_ + pos_, n);
        pos_ += n;
    }
    std::string ToCp1250(const std::wstring &wide)
    {
        if (wide.empty())
            return "";
        BOOL lossy = FALSE;
        int n = WideCharToMultiByte(1250, 0, wide.data(), (int)wide.size(), nullptr, 0, nullptr, &lossy);
        std::string out(n, '\0');
        WideCharToMultiByte(1250, 0, wide.data(), (int)wide.size(), &out[0], n, nullptr, &lossy);
        if (lossy)
            ok_ = false;   // a character the installer could not show
        return out;
    }

    const BYTE *data_;
    size_t size_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Parses a DLGTEMPLATE or a DLGTEMPLATEEX.
::testing::AssertionResult ParseTemplate(const BYTE *data, size_t size, ParsedPage *page)
{
    Reader r(data, size);
    bool extended = size >= 4 && ((const WORD *)data)[0] == 1 && ((const WORD *)data)[1] == 0xFFFF;
    WORD count;
    if (extended) {
        r.Skip(4);
        r.Dword();  // help ID
        page->exStyle = r.Dword();
        page->style = r.Dword();
    } else {
        page->style = r.Dword();
        page->exStyle = r.Dword();
    }
    count = r.Word();
    r.Short();
    r.Short();
    page->cx = r.Short();
    page->cy = r.Short();
    page->menu = r.Text();
    page->className = r.Text();
    page->caption = r.Text();
    if (page->style & (DS_SETFONT | DS_SHELLFONT)) {
        page->pointSize = r.Word();
        if (extended)
            r.Skip(4);  // weight, italic, character set
        page->typeface = r.Text();
    }
    for (WORD i = 0; i < count && r.ok(); i++) {
        ParsedControl c;
        r.AlignDword();
        if (extended) {
            r.Dword();  // help ID
            c.exStyle = r.Dword();
            c.style = r.Dword();
        } else {
            c.style = r.Dword();
            c.exStyle = r.Dword();
        }
        c.x = r.Short();
        c.y = r.Short();
        c.cx = r.Short();
        c.cy = r.Short();
        c.id = extended ? (int)r.Dword() : (short)r.Word();
        c.className = r.Text();
        c.text = r.NameOrOrdinal(&c.textIsOrdinal);
        r.Skip(r.Word());  // creation data
        page->controls.push_back(c);
    }
    if (!r.ok())
        return ::testing::AssertionFailure() << "template runs off its resource, or holds a text outside code page 1250";
    return ::testing::AssertionSuccess();
}

class Installer {
public:
    Installer() { module_ = LoadLibraryExA(TEST_INSTALLER, NULL, LOAD_LIBRARY_AS_DATAFILE); }
    ~Installer()
    {
        if (module_)
            FreeLibrary(module_);
    }
    HMODULE module() const { return module_; }

private:
    HMODULE module_;
};

::testing::AssertionResult LoadPage(HMODULE module, WORD id, ParsedPage *page)
{
    HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(LANG_SLOVAK, SUBLANG_DEFAULT));
    if (!found)
        return ::testing::AssertionFailure() << "no Slovak dialog template " << id;
    HGLOBAL loaded = LoadResource(module, found);
    const BYTE *data = loaded ? (const BYTE *)LockResource(loaded) : nullptr;
    if (!data)
        return ::testing::AssertionFailure() << "cannot load template " << id;
    return ParseTemplate(data, SizeofResource(module, found), page);
}

// ---------------------------------------------------------------- what the pages hold

struct Control {
    int id;
    const char *className;  // "#128".."#133" for the predefined classes by atom
    int x, y, cx, cy;
    DWORD style;            // beside WS_CHILD | WS_VISIBLE
    const char *text;       // UTF-8
};

const char kButton[] = "#128";
const char kEdit[] = "#129";
const char kStatic[] = "#130";
const char kCombo[] = "#133";

const DWORD kText = WS_GROUP | SS_LEFT;
const DWORD kPlain = WS_GROUP | SS_LEFT | SS_NOPREFIX;
const DWORD kCentred = WS_GROUP | SS_CENTER;
const DWORD kPane = WS_GROUP;

const char kWeb[] = "Cwww.vzorka.example";

struct Page {
    WORD id;
    const char *caption;
    bool visible;
    std::vector<Control> controls;
};

void PrintTo(const Page &page, std::ostream *os)
{
    *os << "page " << page.id;
}

enum ButtonRow { WELCOME_ROW, INNER_ROW, PROGRESS_ROW, FINISH_ROW };

void Add(std::vector<Control> *to, std::initializer_list<Control> controls)
{
    for (const Control &c : controls)
        to->push_back(c);
}

void AddButtonRow(std::vector<Control> *to, ButtonRow row, const char *next = "Ď&alej >")
{
    const DWORD back = BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP | (row == INNER_ROW ? 0 : WS_DISABLED);
    const DWORD nextStyle = BS_DEFPUSHBUTTON | WS_TABSTOP | (row == INNER_ROW ? 0 : WS_GROUP) |
                            (row == PROGRESS_ROW ? WS_DISABLED : 0);
    const DWORD cancel = BS_PUSHBUTTON | WS_TABSTOP | (row == PROGRESS_ROW || row == FINISH_ROW ? WS_DISABLED : 0);
    Add(to, {{46, kButton, 158, 198, 60, 14, back, "< &Naspäť"},
             {1, kButton, 220, 198, 60, 14, nextStyle, next},
             {45, kButton, 286, 198, 60, 14, cancel, "&Zrušiť"}});
}

Page SidePicturePage(WORD id, const char *caption, std::initializer_list<Control> texts, ButtonRow row,
                     const char *next)
{
    Page page{id, caption, false, {}};
    Add(&page.controls, {{-1, "BmpButX", 0, 0, 110, 194, kPane, "1"},
                         {-1, kStatic, 110, 0, 246, 194, WS_GROUP | SS_WHITERECT, ""}});
    Add(&page.controls, texts);
    Add(&page.controls, {{-1, "LineBut", 0, 194, 356, 2, kPane, ""}});
    AddButtonRow(&page.controls, row, next);
    return page;
}

Page HeaderPage(WORD id, const char *caption, std::initializer_list<Control> own, ButtonRow row = INNER_ROW,
                const char *next = "Ď&alej >")
{
    Page page{id, caption, row == PROGRESS_ROW, {}};
    Add(&page.controls, {{-1, "BmpButX", 318, 0, 38, 36, kPane, "2"},
                         {-1, kStatic, 0, 0, 318, 36, WS_GROUP | SS_WHITERECT, ""},
                         {999, kStatic, 10, 10, 290, 10, kText, caption},
                         {-1, "LineBut", 0, 36, 356, 2, kPane, ""}});
    Add(&page.controls, own);
    Add(&page.controls, {{-1, "LineBut", 0, 194, 356, 2, kPane, ""},
                         {-1, kStatic, 0, 189, 40, 8, kCentred | WS_DISABLED, "TALVIREX"}});
    AddButtonRow(&page.controls, row, next);
    return page;
}

std::vector<Page> Pages()
{
    return {
        SidePicturePage(10000, "Uvítanie",
                        {{1000, kStatic, 120, 10, 226, 28, kPlain, "*Welcom*"},
                         {1001, kStatic, 120, 40, 226, 28, kPlain, "Ak máte otvorené nejaké publikácie, ukončite ich."},
                         {999, kStatic, 120, 76, 226, 8, kCentred, "Inštalačný program TALVIREX"},
                         {-1, kStatic, 120, 86, 226, 8, kCentred, "verzia 2.01"},
                         {1004, kStatic, 120, 96, 226, 8, kCentred, "© 2026 Vydavateľstvo Vzorka"},
                         {-1, "WwwButHot", 180, 106, 106, 9, kPane, kWeb},
                         {1005, kStatic, 120, 140, 226, 20, kText, ""},
                         {1006, kStatic, 120, 164, 232, 20, kText, ""}},
                        WELCOME_ROW, "Ď&alej >"),
        HeaderPage(10001, "Voľba typu inštalácie",
                   {{1000, kStatic, 40, 50, 276, 13, kText, "Zvoľte typ inštalácie:"},
                    {60, kButton, 78, 64, 60, 12, BS_RADIOBUTTON | WS_GROUP | WS_TABSTOP, "&Minimálna:"},
                    {61, kButton, 78, 104, 60, 12, BS_RADIOBUTTON, "Ma&ximálna:"},
                    {1004, kStatic, 90, 77, 204, 18, kText, "Publikácia bude používaná priamo z inštalačného média"},
                    {1005, kStatic, 90, 117, 204, 18, kText, "Celá publikácia sa skopíruje na lokálny disk vášho počítača"},
                    {1101, kButton, 78, 164, 206, 12, BS_CHECKBOX | WS_TABSTOP, "&Vytvoriť programovú skupinu v menu programov"},
                    {1102, kButton, 78, 176, 206, 12, BS_CHECKBOX | WS_TABSTOP, "Vytvoriť &ikonu na pracovnej ploche"},
                    {1001, kStatic, 140, 66, 100, 10, kText, "*Size1*"},
                    {1002, kStatic, 140, 107, 100, 10, kText, "*Size2*"}}),
        HeaderPage(10002, "Voľba cieľového adresára",
                   {{1000, kStatic, 40, 50, 276, 20, kPlain, "*Copy*"},
                    {-1, kStatic, 40, 110, 276, 18, kText,
                     "V prípade potreby môžete zmeniť ponúkaný adresár. Musíte však zadať úplnú cestu vrátane disku."},
                    {1005, kStatic, 40, 144, 276, 10, kText, "*Free*"},
                    {1006, kStatic, 40, 164, 276, 10, kText, "*File*"},
                    {1001, kButton, 40, 77, 276, 30, BS_GROUPBOX | WS_GROUP, " Cieľový adresár: "},
                    {1200, kEdit, 45, 88, 221, 12, WS_BORDER | ES_AUTOHSCROLL | WS_GROUP | WS_TABSTOP, ""},
                    {1201, kButton, 269, 87, 43, 14, BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, "  &Výber...  "}}),
        HeaderPage(10003, "Voľba názvu programovej skupiny",
                   {{1000, kStatic, 40, 50, 276, 36, kText,
                     "Inštalácia vytvorí nasledujúcu programovú skupinu (zložku menu programov) a pridá do nej "
                     "ikonu publikácie. V\u00a0prípade, že chcete pridať ikonu do už existujúcej programovej "
                     "skupiny, vyberte ju zo zoznamu existujúcich skupín."},
                    {1001, kStatic, 40, 94, 70, 8, kText, "&Programová skupina:"},
                    {1300, kCombo, 110, 92, 206, 89, CBS_SIMPLE | CBS_SORT | WS_VSCROLL | WS_GROUP | WS_TABSTOP, ""},
                    {1002, kStatic, 40, 136, 70, 8, kText, "Existujúce skupiny:"}}),
        HeaderPage(10004, "Spustenie inštalácie",
                   {{1001, kStatic, 40, 50, 276, 55, kText,
                     "Nastavenie parametrov inštalácie je ukončené.\n\nPo stlačení tlačidla 'Inštalovať' bude "
                     "spustená inštalácia publikácie na váš počítač."},
                    {1003, kButton, 40, 102, 276, 70, BS_GROUPBOX | WS_GROUP,
                     " Nezabudnite zaslať vyplnenú registračnú kartu na adresu: "},
                    {1005, kStatic, 50, 118, 256, 33, WS_GROUP | SS_CENTER | SS_NOPREFIX,
                     "Vydavateľstvo Vzorka s.r.o.\nUkážková 12\n811 01 Bratislava\nvzorka@vzorka.example"},
                    {1004, "WwwButHot", 50, 152, 256, 9, kPane, kWeb}},
                   INNER_ROW, "Inšt&alovať"),
        HeaderPage(10020, "Inštalácia publikácie",
                   {{72, kStatic, 40, 50, 276, 8, kText, "Prebieha inštalácia ..."},
                    {70, "ProgBut", 40, 64, 276, 10, kPane, ""},
                    {71, kStatic, 40, 80, 276, 8, kPlain, ""}},
                   PROGRESS_ROW),
        SidePicturePage(10021, "Ukončenie",
                        {{999, kStatic, 120, 10, 226, 18, kPlain, "Sprievodca inštaláciou je ukončený"},
                         {1001, kStatic, 120, 50, 226, 28, kPlain, "*Status*"},
                         {1002, kStatic, 120, 80, 226, 28, kPlain, ""},
                         {-1, kStatic, 120, 120, 226, 8, kText, "Sprievodcu ukončite kliknutím na tlačidlo 'Dokončiť'."}},
                        FINISH_ROW, "D&okončiť"),
    };
}

std::string Upper(std::string s)
{
    for (char &c : s)
        c = (char)toupper((unsigned char)c);
    return s;
}

const DWORD kPageStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

class PageTemplates : public ::testing::TestWithParam<Page> {};

TEST_P(PageTemplates, MatchLayout)
{
    const Page &expected = GetParam();
    Installer installer;
    ASSERT_NE(nullptr, installer.module());
    ParsedPage page;
    ASSERT_TRUE(LoadPage(installer.module(), expected.id, &page));

    EXPECT_EQ(kPageStyle | (expected.visible ? WS_VISIBLE : 0), page.style);
    EXPECT_EQ(0u, page.exStyle);
    EXPECT_EQ(356, page.cx);
    EXPECT_EQ(216, page.cy);
    EXPECT_EQ("", page.menu);
    // Window classes are matched without regard to case; the resource
    // compiler stores the name in capitals.
    EXPECT_EQ("TALVIREX", Upper(page.className));
    EXPECT_EQ(Utf8ToCp1250(expected.caption), page.caption);
    EXPECT_EQ(8, page.pointSize);
    EXPECT_EQ("MS Sans Serif", page.typeface);

    ASSERT_EQ(expected.controls.size(), page.controls.size());
    for (size_t i = 0; i < page.controls.size(); i++) {
        const Control &want = expected.controls[i];
        const ParsedControl &got = page.controls[i];
        SCOPED_TRACE("control #" + std::to_string(i) + " (ID " + std::to_string(want.id) + ")");
        EXPECT_EQ(want.id, got.id);
        EXPECT_EQ(Upper(want.className), Upper(got.className));
        EXPECT_EQ(want.x, got.x);
        EXPECT_EQ(want.y, got.y);
        EXPECT_EQ(want.cx, got.cx);
        EXPECT_EQ(want.cy, got.cy);
        EXPECT_EQ(WS_CHILD | WS_VISIBLE | want.style, got.style) << std::hex << "got 0x" << got.style;
        EXPECT_EQ(0u, got.exStyle);
        EXPECT_FALSE(got.textIsOrdinal);
        EXPECT_EQ(Utf8ToCp1250(want.text), got.text);
    }
}

INSTANTIATE_TEST_SUITE_P(AllPages, PageTemplates, ::testing::ValuesIn(Pages()),
                         [](const ::testing::TestParamInfo<Page> &info) { return std::to_string(info.param.id); });

// The two texts whose special bytes are easy to lose on the way through the
// resource compiler.
TEST(PageTemplateTexts, KeepNoBreakSpaceAndLineBreaksInCodePage1250)
{
    Installer installer;
    ASSERT_NE(nullptr, installer.module());
    ParsedPage group, confirm;
    ASSERT_TRUE(LoadPage(installer.module(), 10003, &group));
    ASSERT_TRUE(LoadPage(installer.module(), 10004, &confirm));
    const std::string &groupText = group.controls.at(4).text;
    EXPECT_NE(std::string::npos, groupText.find(" V\xA0pr")) << groupText;
    const std::string &confirmText = confirm.controls.at(4).text;
    EXPECT_NE(std::string::npos, confirmText.find(".\n\nPo ")) << confirmText;
    EXPECT_EQ(std::string::npos, confirmText.find('\r'));
    const std::string &address = confirm.controls.at(6).text;
    EXPECT_EQ(3, std::count(address.begin(), address.end(), '\n')) << address;
}

}  // namespace
