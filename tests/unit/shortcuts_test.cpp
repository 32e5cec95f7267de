// Program-group and desktop shortcuts written into folders of the test's own
// and read back through the shell's link object.
#include "base/setup_state.h"
#include "shell/registry.h"
#include "shell/shortcuts.h"
#include "test_support.h"

namespace {

using testsupport::ReadShortcut;
using testsupport::ScratchDir;

FileEntry Entry(const char *name, const char *icon = nullptr, const char *shortcut = nullptr)
{
    return FileEntry{(char *)name, 1, (char *)icon, (char *)shortcut};
}

TEST(Shortcuts, AGroupReplacesOldLinksAndKeepsWhatWasMadeBeforeAFailure)
{
    ResetSetupState();
    ScratchDir programs{"lnk_programs"}, desktop{"lnk_desktop"}, target{"lnk_target"}, icons{"lnk_icons"}, work{"lnk_work"};
    testsupport::RegistryValue programsValue{HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Programs"};
    testsupport::RegistryValue desktopValue{HKEY_LOCAL_MACHINE, testsupport::kShellFoldersPath, "Common Desktop"};
    ASSERT_TRUE(programsValue.Set(programs.path()) && desktopValue.Set(desktop.path()));
    ASSERT_TRUE(testsupport::WriteFileBytes(programs / "IsAFile", "x"));
    ASSERT_TRUE(testsupport::MakeDirectories(programs / "Again"));
    ASSERT_TRUE(testsupport::WriteFileBytes(programs / "Again\\First.lnk", "not a shortcut"));
    std::string longName(255, 'n'), longLink(250, 'L');
    const std::string kept = "3: First.lnk Second.lnk ";
    const struct {
        const char *group;
        FileEntry third;
        std::string outcome;   // result: listing of the group
    } cases[] = {
        {"Again", Entry("HELP.HLP", "*", "Third"), "0: First.lnk Fourth.lnk Second.lnk Third.lnk "},
        {"IsAFile", Entry("HELP.HLP", "*", "Third"), "2: "},
        {"Link", Entry("HELP.HLP", "*", longLink.c_str()), kept},
        {"Target", Entry(longName.c_str(), "*", "Third"), kept},
        {"Icon", Entry("HELP.HLP", longName.c_str(), "Third"), kept},
    };
    for (const auto &c : cases) {
        FileEntry files[] = {Entry("VIEWER.EXE", "VIEWER.ICO", "First"), Entry("DATA.DAT", "*", "Second"), c.third,
                             Entry("VIEWER.EXE", "*", "Fourth"), Entry("PLAIN.DAT")};
        WORD result =
            CreateProgramGroup(c.group, files, 5, target.path().c_str(), icons.path().c_str(), work.path().c_str());
        std::string outcome = std::to_string(result) + ": ";
        for (const std::string &name : testsupport::Listing(programs / c.group))
            outcome += name + " ";
        EXPECT_EQ(c.outcome, outcome) << c.group;
    }
    EXPECT_EQ(target / "VIEWER.EXE|" + icons / "VIEWER.ICO|" + work.path(), ReadShortcut(programs / "Again\\First.lnk"));
    EXPECT_EQ(target / "DATA.DAT||" + work.path(), ReadShortcut(programs / "Again\\Second.lnk"));
    // Unlike the group's, the desktop shortcut takes a '*' icon name as it is.
    ASSERT_EQ(SHORTCUT_OK, CreateDesktopShortcut("Pub", target.path().c_str(), "DATA.DAT", "*", icons.path().c_str(),
                                                 work.path().c_str()));
    EXPECT_EQ(target / "DATA.DAT|" + icons / "*|" + work.path(), ReadShortcut(desktop / "Pub.lnk"));
}

}  // namespace
