// Shortcut files written through the shell's link object and read back with
// it, in Programs and desktop folders of the test's own.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "app/setup_state.h"
#include "shell/registry.h"
#include "shell/shortcuts.h"
#include "test_support.h"

namespace {

using testsupport::DirectoryExists;
using testsupport::FileExists;
using testsupport::MakeDirectories;
using testsupport::RegistryValue;
using testsupport::ScratchDir;
using testsupport::WriteFileBytes;

struct Link {
    bool loaded = false;
    std::string path, icon, workingDir, description, arguments;
    int iconIndex = -1;
};

// Reads a shortcut file back through IShellLinkA and IPersistFile::Load.
Link ReadLink(const std::string &file)
{
    Link link;
    CoInitialize(NULL);
    IShellLinkA *shell = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   (void **)&shell))) {
        IPersistFile *persist = NULL;
        if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, (void **)&persist))) {
            WCHAR wide[MAX_PATH * 2] = {};
            MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH * 2);
            if (SUCCEEDED(persist->Load(wide, STGM_READ))) {
                link.loaded = true;
                char text[1024];
                text[0] = 0;
                shell->GetPath(text, sizeof text, NULL, SLGP_RAWPATH);
                link.path = text;
                text[0] = 0;
                shell->GetIconLocation(text, sizeof text, &link.iconIndex);
                link.icon = text;
                text[0] = 0;
                shell->GetWorkingDirectory(text, sizeof text);
                link.workingDir = text;
                text[0] = 0;
                shell->GetDescription(text, sizeof text);
                link.description = text;
                text[0] = 0;
                shell->GetArguments(text, sizeof text);
                link.arguments = text;
            }
            persist->Release();
        }
        shell->Release();
    }
    CoUninitialize();
    return link;
}

// Names outside ASCII reach the disk only when the Unix locale of the test run
// is installed; without it Wine refuses them.
bool CanStoreNonAsciiNames(const std::string &dir)
{
    std::string probe = dir + "\\\xe8";
    bool ok = CreateDirectoryA(probe.c_str(), NULL) != 0;
    RemoveDirectoryA(probe.c_str());
    return ok;
}

FileEntry Entry(const char *name, const char *icon = nullptr, const char *shortcut = nullptr)
{
    return FileEntry{(char *)name, 1, (char *)icon, (char *)shortcut};
}

class ShortcutTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetSetupState();
        ASSERT_TRUE(sharedPrograms.Set(programs.path()));
        ASSERT_TRUE(sharedDesktop.Set(desktop.path()));
        installDir = install.path();
        for (const char *name : {"VIEWER.EXE", "DATA.DAT", "HELP.HLP", "VIEWER.ICO"})
            ASSERT_TRUE(WriteFileBytes(install / name, "x"));
    }

    std::string Group(const std::string &name) { return programs / name; }

    ScratchDir programs{"lnk_programs"};
    ScratchDir desktop{"lnk_desktop"};
    ScratchDir install{"lnk_install"};
    std::string installDir;
    RegistryValue sharedPrograms{HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Programs"};
    RegistryValue userPrograms{HKEY_CURRENT_USER, kShellFoldersKey, "Programs"};
    RegistryValue sharedDesktop{HKEY_LOCAL_MACHINE, kShellFoldersKey, "Common Desktop"};
    RegistryValue userDesktop{HKEY_CURRENT_USER, kShellFoldersKey, "Desktop"};
};

TEST_F(ShortcutTest, CreateShortcutWritesPathIconAndWorkingDirectoryOnly)
{
    std::string file = programs / "One.lnk";
    std::string target = install / "VIEWER.EXE";
    std::string icon = install / "VIEWER.ICO";
    ASSERT_EQ(1, CreateShortcut(file.c_str(), target.c_str(), NULL, icon.c_str(), installDir.c_str(), NULL));
    Link link = ReadLink(file);
    ASSERT_TRUE(link.loaded);
    EXPECT_STRCASEEQ(target.c_str(), link.path.c_str());
    EXPECT_STRCASEEQ(icon.c_str(), link.icon.c_str());
    EXPECT_EQ(0, link.iconIndex);
    EXPECT_STRCASEEQ(installDir.c_str(), link.workingDir.c_str());
    EXPECT_EQ("", link.description);
    EXPECT_EQ("", link.arguments);
}

TEST_F(ShortcutTest, CreateShortcutSetsTheOptionalTextsItIsGiven)
{
    std::string file = programs / "Two.lnk";
    std::string target = install / "VIEWER.EXE";
    ASSERT_EQ(1, CreateShortcut(file.c_str(), target.c_str(), "Popis", NULL, NULL, "-x"));
    Link link = ReadLink(file);
    ASSERT_TRUE(link.loaded);
    EXPECT_EQ("Popis", link.description);
    EXPECT_EQ("-x", link.arguments);
    EXPECT_EQ("", link.icon);
    EXPECT_EQ("", link.workingDir);
}

TEST_F(ShortcutTest, CreateShortcutFailsWhereNoFileCanBeSaved)
{
    std::string target = install / "VIEWER.EXE";
    EXPECT_EQ(0, CreateShortcut((programs / "Missing\\Three.lnk").c_str(), target.c_str(), NULL, NULL, NULL, NULL));
    EXPECT_EQ(0, CreateShortcut((programs / "Bad|Name.lnk").c_str(), target.c_str(), NULL, NULL, NULL, NULL));
    EXPECT_EQ(0, CreateShortcut("", target.c_str(), NULL, NULL, NULL, NULL));
}

TEST_F(ShortcutTest, CreateShortcutRefusesPathsLongerThan260)
{
    std::string target = install / "VIEWER.EXE";
    std::string longFile = programs / (std::string(260, 'L') + ".lnk");
    std::string longText = "C:\\" + std::string(258, 'T');   // 261 characters
    std::string file = programs / "Four.lnk";
    EXPECT_EQ(0, CreateShortcut(longFile.c_str(), target.c_str(), NULL, NULL, NULL, NULL));
    EXPECT_EQ(0, CreateShortcut(file.c_str(), longText.c_str(), NULL, NULL, NULL, NULL));
    EXPECT_EQ(0, CreateShortcut(file.c_str(), target.c_str(), NULL, longText.c_str(), NULL, NULL));
    EXPECT_EQ(0, CreateShortcut(file.c_str(), target.c_str(), NULL, NULL, longText.c_str(), NULL));
    EXPECT_FALSE(FileExists(file));
}

TEST_F(ShortcutTest, ProgramGroupGetsOneShortcutPerEntryWithAName)
{
    FileEntry files[] = {
        Entry("VIEWER.EXE", "VIEWER.ICO", "Reader"),
        Entry("DATA.DAT"),                       // two fields: no shortcut
        Entry("HELP.HLP", "*", "Pomoc"),         // no icon of its own
    };
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Publication", files, 3, installDir.c_str(),
                                              installDir.c_str(), installDir.c_str()));
    std::string group = Group("Publication");
    ASSERT_TRUE(DirectoryExists(group));

    Link reader = ReadLink(group + "\\Reader.lnk");
    ASSERT_TRUE(reader.loaded);
    EXPECT_STRCASEEQ((install / "VIEWER.EXE").c_str(), reader.path.c_str());
    EXPECT_STRCASEEQ((install / "VIEWER.ICO").c_str(), reader.icon.c_str());
    EXPECT_STRCASEEQ(installDir.c_str(), reader.workingDir.c_str());

    Link help = ReadLink(group + "\\Pomoc.lnk");
    ASSERT_TRUE(help.loaded);
    EXPECT_STRCASEEQ((install / "HELP.HLP").c_str(), help.path.c_str());
    EXPECT_EQ("", help.icon);

    EXPECT_FALSE(FileExists(group + "\\DATA.DAT.lnk"));
    EXPECT_FALSE(FileExists(group + "\\.lnk"));
}

TEST_F(ShortcutTest, SlovakGroupAndShortcutNames)
{
    if (!CanStoreNonAsciiNames(programs.path()))
        GTEST_SKIP() << "the file system of this Wine cannot hold names outside ASCII";
    const char *groupName = "Encyklop\xe9" "dia";     // code page 1250
    const char *shortcutName = "\xc8\xedta\xe8ka";    // Čítačka
    FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", shortcutName)};
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup(groupName, files, 1, installDir.c_str(), installDir.c_str(),
                                              installDir.c_str()));
    EXPECT_TRUE(ReadLink(Group(groupName) + "\\" + shortcutName + ".lnk").loaded);
    ASSERT_EQ(SHORTCUT_OK, CreateDesktopShortcut(groupName, installDir.c_str(), "VIEWER.EXE", "VIEWER.ICO",
                                                 installDir.c_str(), installDir.c_str()));
    EXPECT_TRUE(ReadLink(desktop / (std::string(groupName) + ".lnk")).loaded);
}

TEST_F(ShortcutTest, TheThreeDirectoriesAreUsedEachForItsOwnPart)
{
    ScratchDir icons("lnk_icons");
    ScratchDir work("lnk_work");
    FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", "Reader")};
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Dirs", files, 1, installDir.c_str(), icons.path().c_str(),
                                              work.path().c_str()));
    Link link = ReadLink(Group("Dirs") + "\\Reader.lnk");
    ASSERT_TRUE(link.loaded);
    EXPECT_STRCASEEQ((install / "VIEWER.EXE").c_str(), link.path.c_str());
    EXPECT_STRCASEEQ((icons / "VIEWER.ICO").c_str(), link.icon.c_str());
    EXPECT_STRCASEEQ(work.path().c_str(), link.workingDir.c_str());
}

TEST_F(ShortcutTest, AListWithoutShortcutNamesStillMakesTheEmptyGroup)
{
    FileEntry files[] = {Entry("VIEWER.EXE"), Entry("DATA.DAT")};
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Empty", files, 2, installDir.c_str(), installDir.c_str(),
                                              installDir.c_str()));
    EXPECT_TRUE(DirectoryExists(Group("Empty")));
}

TEST_F(ShortcutTest, AnExistingGroupIsReusedAndItsShortcutsReplaced)
{
    ASSERT_TRUE(MakeDirectories(Group("Existing")));
    ASSERT_TRUE(WriteFileBytes(Group("Existing") + "\\Other.txt", "keep"));
    ASSERT_TRUE(WriteFileBytes(Group("Existing") + "\\Reader.lnk", "not a shortcut"));

    FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", "Reader")};
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Existing", files, 1, installDir.c_str(), installDir.c_str(),
                                              installDir.c_str()));
    EXPECT_TRUE(FileExists(Group("Existing") + "\\Other.txt"));
    EXPECT_STRCASEEQ((install / "VIEWER.EXE").c_str(), ReadLink(Group("Existing") + "\\Reader.lnk").path.c_str());

    // A second installation elsewhere replaces the shortcut.
    ScratchDir second("lnk_second");
    ASSERT_TRUE(WriteFileBytes(second / "VIEWER.EXE", "x"));
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Existing", files, 1, second.path().c_str(),
                                              second.path().c_str(), second.path().c_str()));
    Link link = ReadLink(Group("Existing") + "\\Reader.lnk");
    EXPECT_STRCASEEQ((second / "VIEWER.EXE").c_str(), link.path.c_str());
    EXPECT_STRCASEEQ(second.path().c_str(), link.workingDir.c_str());
}

TEST_F(ShortcutTest, GroupResultsForMissingFolderAndGroupThatCannotBeMade)
{
    FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", "Reader")};
    ASSERT_TRUE(WriteFileBytes(Group("IsAFile"), "x"));
    EXPECT_EQ(SHORTCUT_NO_GROUP, CreateProgramGroup("IsAFile", files, 1, installDir.c_str(),
                                                    installDir.c_str(), installDir.c_str()));
    EXPECT_EQ(SHORTCUT_NO_GROUP, CreateProgramGroup(std::string(300, 'G').c_str(), files, 1,
                                                    installDir.c_str(), installDir.c_str(), installDir.c_str()));
    std::string longGroup(260 - programs.path().size(), 'G');   // the group path is 261 characters
    EXPECT_EQ(SHORTCUT_NO_GROUP, CreateProgramGroup(longGroup.c_str(), files, 1, installDir.c_str(),
                                                    installDir.c_str(), installDir.c_str()));

    sharedPrograms.Remove();
    userPrograms.Remove();
    EXPECT_EQ(SHORTCUT_NO_FOLDER, CreateProgramGroup("Any", files, 1, installDir.c_str(), installDir.c_str(),
                                                     installDir.c_str()));
}

TEST_F(ShortcutTest, SingleUserSystemMakesTheGroupInTheUsersPrograms)
{
    ScratchDir own("lnk_own_programs");
    sharedPrograms.Remove();
    ASSERT_TRUE(userPrograms.Set(own.path()));
    FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", "Reader")};
    ASSERT_EQ(SHORTCUT_OK, CreateProgramGroup("Mine", files, 1, installDir.c_str(), installDir.c_str(),
                                              installDir.c_str()));
    EXPECT_TRUE(ReadLink(own / "Mine\\Reader.lnk").loaded);
}

TEST_F(ShortcutTest, AFailureInTheMiddleKeepsEarlierShortcutsAndMakesNoLaterOnes)
{
    struct Case {
        const char *what;
        std::string badName;
    } cases[] = {
        {"a name that cannot be a file name", "Bad|Name"},
        {"a shortcut path longer than 260", std::string(250, 'N')},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string groupName = "Middle" + std::to_string(n++);
        FileEntry files[] = {
            Entry("VIEWER.EXE", "VIEWER.ICO", "First"),
            Entry("DATA.DAT", "*", "Second"),
            Entry("HELP.HLP", "*", c.badName.c_str()),
            Entry("VIEWER.EXE", "*", "Fourth"),
            Entry("DATA.DAT", "*", "Fifth"),
        };
        EXPECT_EQ(SHORTCUT_NOT_SAVED, CreateProgramGroup(groupName.c_str(), files, 5, installDir.c_str(),
                                                         installDir.c_str(), installDir.c_str()));
        std::string group = Group(groupName);
        EXPECT_TRUE(ReadLink(group + "\\First.lnk").loaded);
        EXPECT_TRUE(ReadLink(group + "\\Second.lnk").loaded);
        EXPECT_FALSE(FileExists(group + "\\Fourth.lnk"));
        EXPECT_FALSE(FileExists(group + "\\Fifth.lnk"));
    }
}

TEST_F(ShortcutTest, TargetOrIconPathLongerThan260FailsTheShortcut)
{
    std::string longName(255, 'n');
    FileEntry longTarget[] = {Entry(longName.c_str(), "*", "Target")};
    EXPECT_EQ(SHORTCUT_NOT_SAVED, CreateProgramGroup("LongTarget", longTarget, 1, installDir.c_str(),
                                                     installDir.c_str(), installDir.c_str()));
    EXPECT_FALSE(FileExists(Group("LongTarget") + "\\Target.lnk"));

    FileEntry longIcon[] = {Entry("VIEWER.EXE", longName.c_str(), "Icon")};
    EXPECT_EQ(SHORTCUT_NOT_SAVED, CreateProgramGroup("LongIcon", longIcon, 1, installDir.c_str(),
                                                     installDir.c_str(), installDir.c_str()));
    EXPECT_FALSE(FileExists(Group("LongIcon") + "\\Icon.lnk"));

    // A '*' icon needs no icon path, however long the icon field.
    std::string starIcon = "*" + longName;
    FileEntry star[] = {Entry("VIEWER.EXE", starIcon.c_str(), "Star")};
    EXPECT_EQ(SHORTCUT_OK, CreateProgramGroup("Star", star, 1, installDir.c_str(), installDir.c_str(),
                                              installDir.c_str()));
}

TEST_F(ShortcutTest, DesktopShortcutOfTheFirstEntry)
{
    ASSERT_EQ(SHORTCUT_OK, CreateDesktopShortcut("Publication", installDir.c_str(), "VIEWER.EXE",
                                                 "VIEWER.ICO", installDir.c_str(), installDir.c_str()));
    Link link = ReadLink(desktop / "Publication.lnk");
    ASSERT_TRUE(link.loaded);
    EXPECT_STRCASEEQ((install / "VIEWER.EXE").c_str(), link.path.c_str());
    EXPECT_STRCASEEQ((install / "VIEWER.ICO").c_str(), link.icon.c_str());
    EXPECT_STRCASEEQ(installDir.c_str(), link.workingDir.c_str());

    // A second run replaces it.
    ASSERT_EQ(SHORTCUT_OK, CreateDesktopShortcut("Publication", installDir.c_str(), "DATA.DAT",
                                                 "VIEWER.ICO", installDir.c_str(), installDir.c_str()));
    EXPECT_STRCASEEQ((install / "DATA.DAT").c_str(), ReadLink(desktop / "Publication.lnk").path.c_str());
}

TEST_F(ShortcutTest, DesktopShortcutKeepsAStarIconAsItsIconName)
{
    ASSERT_EQ(SHORTCUT_OK, CreateDesktopShortcut("Star", installDir.c_str(), "VIEWER.EXE", "*",
                                                 installDir.c_str(), installDir.c_str()));
    EXPECT_STRCASEEQ((install / "*").c_str(), ReadLink(desktop / "Star.lnk").icon.c_str());
}

TEST_F(ShortcutTest, DesktopResults)
{
    // A first entry of two fields asks for no shortcut.
    EXPECT_EQ(SHORTCUT_OK, CreateDesktopShortcut(NULL, installDir.c_str(), "VIEWER.EXE", NULL,
                                                 installDir.c_str(), installDir.c_str()));
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((desktop / "*.lnk").c_str(), &found);
    EXPECT_EQ(INVALID_HANDLE_VALUE, search);
    if (search != INVALID_HANDLE_VALUE)
        FindClose(search);

    EXPECT_EQ(SHORTCUT_NOT_SAVED, CreateDesktopShortcut("Bad?Name", installDir.c_str(), "VIEWER.EXE",
                                                        "VIEWER.ICO", installDir.c_str(), installDir.c_str()));
    EXPECT_EQ(SHORTCUT_NOT_SAVED, CreateDesktopShortcut(std::string(260, 'D').c_str(), installDir.c_str(),
                                                        "VIEWER.EXE", "VIEWER.ICO", installDir.c_str(),
                                                        installDir.c_str()));

    ScratchDir own("lnk_own_desktop");
    sharedDesktop.Remove();
    ASSERT_TRUE(userDesktop.Set(own.path()));
    EXPECT_EQ(SHORTCUT_OK, CreateDesktopShortcut("Mine", installDir.c_str(), "VIEWER.EXE", "VIEWER.ICO",
                                                 installDir.c_str(), installDir.c_str()));
    EXPECT_TRUE(ReadLink(own / "Mine.lnk").loaded);

    userDesktop.Remove();
    EXPECT_EQ(SHORTCUT_NO_FOLDER, CreateDesktopShortcut("None", installDir.c_str(), "VIEWER.EXE",
                                                        "VIEWER.ICO", installDir.c_str(), installDir.c_str()));
}

}  // namespace
