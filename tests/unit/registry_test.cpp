// Registry strings and the folders looked up through them, against real
// values in the test prefix's registry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "app/setup_state.h"
#include "shell/registry.h"
#include "test_support.h"

using testsupport::RegistryValue;

namespace {

const char kTestKey[] = "Software\\TalvirexTests\\Registry";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSetupState(); }
};

TEST_F(RegistryTest, ReadsStringsAndRefusesWhatDoesNotFit)
{
    std::string text259(259, 'p'), text260(260, 'q');
    struct Case {
        const char *what;
        DWORD type;
        std::string data;   // stored exactly, terminator only where written here
        SHORT result;
        std::string text;
    } cases[] = {
        {"plain", REG_SZ, std::string("C:\\Pub\0", 7), 6, "C:\\Pub"},
        {"empty", REG_SZ, std::string("\0", 1), 0, ""},
        {"no data at all", REG_SZ, "", 0, ""},
        {"trailing backslash", REG_SZ, std::string("C:\\Pub\\\0", 8), 7, "C:\\Pub\\"},
        {"Slovak letters", REG_SZ, std::string("C:\\Programy \xE8\xED\0", 15), 14, "C:\\Programy \xE8\xED"},
        {"259 characters", REG_SZ, text259 + '\0', 259, text259},
        {"260 characters", REG_SZ, text260 + '\0', -2, ""},
        {"260 bytes without terminator", REG_SZ, text260, -2, ""},
        {"260 binary bytes", REG_BINARY, text260, -2, ""},
        {"short, without terminator", REG_BINARY, "abcdefghij", 10, "abcdefghij"},
        {"expandable", REG_EXPAND_SZ, std::string("%WINDIR%\0", 9), 8, "%WINDIR%"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RegistryValue value(HKEY_CURRENT_USER, kTestKey, "Value");
        ASSERT_TRUE(value.SetRaw(c.data.data(), (DWORD)c.data.size(), c.type));
        char buffer[REGISTRY_TEXT_SIZE + 40];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(c.result, ReadRegistryString(ROOT_CURRENT_USER, kTestKey, "Value", buffer));
        if (c.result >= 0)
            EXPECT_EQ(c.text, std::string(buffer));
        // Nothing is written past the 260 bytes it was given.
        EXPECT_EQ(std::string(40, 'x'), std::string(buffer + REGISTRY_TEXT_SIZE, 40));
    }
}

TEST_F(RegistryTest, MissingKeysValuesAndRoots)
{
    char buffer[REGISTRY_TEXT_SIZE];
    RegistryValue value(HKEY_CURRENT_USER, kTestKey, "Present");
    ASSERT_TRUE(value.Set("here"));
    EXPECT_EQ(-2, ReadRegistryString(ROOT_CURRENT_USER, kTestKey, "Absent", buffer));
    EXPECT_EQ(-1, ReadRegistryString(ROOT_CURRENT_USER, "Software\\TalvirexTests\\NoSuchKey", "Present", buffer));
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(-3, ReadRegistryString(3, kTestKey, "Present", buffer));
    EXPECT_EQ(-3, ReadRegistryString(0xFFFF, kTestKey, "Present", buffer));
    EXPECT_EQ('x', buffer[0]);
}

TEST_F(RegistryTest, RootIndexSelectsTheRootKey)
{
    struct Root {
        WORD index;
        HKEY key;
        const char *path;
    } roots[] = {
        {ROOT_LOCAL_MACHINE, HKEY_LOCAL_MACHINE, "Software\\TalvirexTests\\Roots"},
        {ROOT_CURRENT_USER, HKEY_CURRENT_USER, "Software\\TalvirexTests\\Roots"},
        {ROOT_CLASSES_ROOT, HKEY_CLASSES_ROOT, "TalvirexTests.Roots"},
    };
    for (const Root &r : roots) {
        RegistryValue value(r.key, r.path, "Which");
        ASSERT_TRUE(value.Set("root " + std::to_string(r.index)));
        char buffer[REGISTRY_TEXT_SIZE];
        EXPECT_EQ(6, ReadRegistryString(r.index, r.path, "Which", buffer)) << r.index;
        EXPECT_EQ("root " + std::to_string(r.index), std::string(buffer));
    }
}

TEST_F(RegistryTest, ProgramFilesDirectory)
{
    struct Case {
        bool present;
        std::string value, result;
    } cases[] = {
        {true, "D:\\Apps", "D:\\Apps"},
        {true, "D:\\Apps\\", "D:\\Apps"},
        {true, "D:\\Apps\\\\", "D:\\Apps\\"},   // one backslash goes
        {true, "D:\\", "D:"},
        {true, "", "C:"},
        {true, std::string(259, 'r'), std::string(259, 'r')},
        {true, std::string(260, 'r'), "C:"},
        {false, "", "C:"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value);
        RegistryValue value(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir");
        ASSERT_TRUE(c.present ? value.Set(c.value) : value.Remove());
        char destination[PATH_BUFFER_SIZE];
        memset(destination, 'x', sizeof destination);
        GetProgramFilesDir(destination);
        EXPECT_EQ(c.result, std::string(destination));
    }
}

TEST_F(RegistryTest, ShellFoldersPreferTheSharedOne)
{
    struct Lookup {
        const char *shared, *own;
        SHORT (*get)(char *);
    } lookups[] = {
        {"Common Programs", "Programs", GetProgramsFolder},
        {"Common Desktop", "Desktop", GetDesktopFolder},
    };
    // Empty optional: the value is removed.
    struct Case {
        const char *shared, *own;
        SHORT result;
        std::string folder;
    } cases[] = {
        {"C:\\All\\Menu", "C:\\Me\\Menu", 0, "C:\\All\\Menu\\"},
        {"C:\\All\\Menu\\", "C:\\Me\\Menu", 0, "C:\\All\\Menu\\"},
        {nullptr, "C:\\Me\\Menu", 1, "C:\\Me\\Menu\\"},
        {"", "C:\\Me\\Menu\\", 1, "C:\\Me\\Menu\\"},   // an empty value counts as missing
        {nullptr, nullptr, -1, ""},
        {"", "", -1, ""},
    };
    for (const Lookup &l : lookups) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << l.shared << " = " << (c.shared ? c.shared : "(none)")
                                            << ", " << l.own << " = " << (c.own ? c.own : "(none)"));
            RegistryValue shared(HKEY_LOCAL_MACHINE, kShellFoldersKey, l.shared);
            RegistryValue own(HKEY_CURRENT_USER, kShellFoldersKey, l.own);
            ASSERT_TRUE(c.shared ? shared.Set(c.shared) : shared.Remove());
            ASSERT_TRUE(c.own ? own.Set(c.own) : own.Remove());
            char buffer[REGISTRY_TEXT_SIZE + 1];
            EXPECT_EQ(c.result, l.get(buffer));
            if (c.result >= 0)
                EXPECT_EQ(c.folder, std::string(buffer));
        }
    }
}

TEST_F(RegistryTest, LongestFolderTakesItsBackslash)
{
    std::string folder(259, 'f');
    RegistryValue shared(HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Desktop");
    ASSERT_TRUE(shared.Set(folder));
    char buffer[REGISTRY_TEXT_SIZE + 1 + 8];
    memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(0, GetDesktopFolder(buffer));
    EXPECT_EQ(folder + "\\", std::string(buffer));
    EXPECT_EQ(std::string(8, 'x'), std::string(buffer + REGISTRY_TEXT_SIZE + 1, 8));
}

}  // namespace
