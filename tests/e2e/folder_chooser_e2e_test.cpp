// The folder chooser driven like a user: browsing for a directory through
// browse_folder.exe, and locating the medium when read_description.exe finds
// no description where it looks.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "description_driver.h"
#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

using driver::FindChooser;
using driver::FindMessageBox;
using driver::kCurrentDirectory;
using driver::kDirectoryList;
using driver::kDriveList;
using driver::Lower;
using driver::PickItem;
using driver::Quoted;
using driver::WaitForBox;
using driver::WaitForChooser;
using testsupport::MakeDirectories;
using testsupport::ScratchDir;
using testsupport::Utf8ToCp1250;
using testsupport::WriteFileBytes;

const std::string kNotOnMedium = Utf8ToCp1250(
    "Inštalačný program nie je spustený z inštalačného média.\n\n"
    "V nasledujúcom okne vyberte disk/adresár obsahujúci inštalačné médium.");
const std::string kNoMedium = Utf8ToCp1250(
    "Umiestnenie inštalačného média nebolo zadané.\n\nInštalačný program bude ukončený.");

bool Contains(const std::vector<std::string> &items, const std::string &item)
{
    for (const std::string &s : items)
        if (Lower(s) == Lower(item))
            return true;
    return false;
}

// Goes up with [..] until the chooser stands in a drive's root.
::testing::AssertionResult GoToRoot(HWND chooser)
{
    for (int i = 0; i < 40; i++) {
        if (!Contains(driver::ListItems(chooser, kDirectoryList, false), "[..]"))
            return ::testing::AssertionSuccess();
        ::testing::AssertionResult r = PickItem(chooser, kDirectoryList, "[..]");
        if (!r)
            return r;
    }
    return ::testing::AssertionFailure() << "no root after 40 levels";
}

class ChooserTest : public ::testing::Test {
protected:
    driver::UnmanagedWindows unmanaged;
};

// browse_folder.exe with its chooser open.
class Browse {
public:
    ::testing::AssertionResult Start(const std::string &initialDir)
    {
        DeleteFileA(result_.c_str());
        ::testing::AssertionResult r = process_.Start(TEST_HELPER_DIR "\\browse_folder.exe",
                                                      "-O" + Quoted(result_) + " " + Quoted(initialDir));
        if (!r)
            return r;
        return WaitForChooser(process_.Id(), &chooser);
    }

    // Presses OK or Storno and collects the outcome.
    ::testing::AssertionResult Finish(int button, DWORD *code, std::string *path)
    {
        ::testing::AssertionResult r = robot::PressButton(chooser, button);
        if (!r)
            return r;
        r = process_.WaitForExit(code);
        if (!r)
            return r;
        std::map<std::string, std::string> fields = driver::ReadFields(result_);
        DeleteFileA(result_.c_str());
        if (fields["result"] != std::to_string(*code))
            return ::testing::AssertionFailure() << "result file says " << fields["result"];
        *path = fields["path"];
        return ::testing::AssertionSuccess();
    }

    HWND chooser = NULL;

private:
    robot::Process process_;
    std::string result_ = driver::ResultFile("browse");
};

TEST_F(ChooserTest, ShowsOnlyTheDirectoriesAndTheDrives)
{
    ScratchDir dir("chooser_layout");
    ASSERT_TRUE(MakeDirectories(dir / "Alpha"));
    ASSERT_TRUE(MakeDirectories(dir / "Beta"));
    ASSERT_TRUE(WriteFileBytes(dir / "file.txt", "x"));

    Browse browse;
    ASSERT_TRUE(browse.Start(dir.path()));
    HWND c = browse.chooser;
    EXPECT_EQ(Lower(dir.path()), Lower(robot::ControlText(c, kCurrentDirectory)));
    std::vector<std::string> dirs = driver::ListItems(c, kDirectoryList, false);
    EXPECT_TRUE(Contains(dirs, "[..]"));
    EXPECT_TRUE(Contains(dirs, "[Alpha]"));
    EXPECT_TRUE(Contains(dirs, "[Beta]"));
    EXPECT_EQ(3u, dirs.size());
    std::string drive = "[-" + Lower(dir.path().substr(0, 1)) + "-]";
    EXPECT_TRUE(Contains(driver::ListItems(c, kDriveList, true), drive));

    // The file name, the file list and the file types stay hidden and
    // disabled; OFN_HIDEREADONLY hides the read-only box.
    for (int id : {1152, 1120, 1136}) {
        ASSERT_TRUE(robot::ControlExists(c, id)) << id;
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(c, id))) << id;
        EXPECT_FALSE(robot::ControlEnabled(c, id)) << id;
    }
    ASSERT_TRUE(robot::ControlExists(c, 1040));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(c, 1040)));
    for (int id : {kDirectoryList, kDriveList, IDOK, IDCANCEL})
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(c, id))) << id;
    EXPECT_EQ("OK", robot::ControlText(c, IDOK));
    EXPECT_EQ("Storno", robot::ControlText(c, IDCANCEL));
    EXPECT_EQ(Utf8ToCp1250("Disko&vé jednotky:"), robot::ControlText(c, 1091));
    EXPECT_EQ(Utf8ToCp1250("&Nápověda"), robot::ControlText(c, 1038));
    EXPECT_EQ(Utf8ToCp1250("&Len pre čítanie"), robot::ControlText(c, 1040));

    DWORD code = 99;
    std::string path;
    ASSERT_TRUE(browse.Finish(IDCANCEL, &code, &path));
    EXPECT_EQ(0u, code);
}

TEST_F(ChooserTest, BrowsingDownAndUpGivesTheChosenDirectoryWithoutBackslash)
{
    ScratchDir dir("chooser_browse");
    ASSERT_TRUE(MakeDirectories(dir / "Alpha\\Inner"));
    ASSERT_TRUE(MakeDirectories(dir / "Beta"));

    Browse browse;
    ASSERT_TRUE(browse.Start(dir.path()));
    ASSERT_TRUE(PickItem(browse.chooser, kDirectoryList, "[Alpha]"));
    ASSERT_TRUE(PickItem(browse.chooser, kDirectoryList, "[Inner]"));
    ASSERT_TRUE(PickItem(browse.chooser, kDirectoryList, "[..]"));
    ASSERT_TRUE(PickItem(browse.chooser, kDirectoryList, "[..]"));
    ASSERT_TRUE(PickItem(browse.chooser, kDirectoryList, "[Beta]"));
    DWORD code = 0;
    std::string path;
    ASSERT_TRUE(browse.Finish(IDOK, &code, &path));
    EXPECT_EQ(1u, code);
    EXPECT_EQ(Lower(dir / "Beta"), Lower(path));
}

TEST_F(ChooserTest, BrowsingToADrivesRootGivesLetterColonBackslash)
{
    ScratchDir dir("chooser_root");
    // Another drive than the one the browsing starts on.
    std::string other = Lower(dir.path().substr(0, 1)) == "z" ? "c" : "z";

    Browse browse;
    ASSERT_TRUE(browse.Start(dir.path()));
    ASSERT_TRUE(PickItem(browse.chooser, kDriveList, "[-" + other + "-]"));
    ASSERT_TRUE(GoToRoot(browse.chooser));
    DWORD code = 0;
    std::string path;
    ASSERT_TRUE(browse.Finish(IDOK, &code, &path));
    EXPECT_EQ(1u, code);
    EXPECT_EQ(other + ":\\", Lower(path));
}

// read_description.exe started on a medium directory without a usable
// description, from workDir; shows message 103 and then the chooser.
class Locate {
public:
    ::testing::AssertionResult Start(const std::string &medium, const std::string &workDir)
    {
        DeleteFileA(result_.c_str());
        ::testing::AssertionResult r = process_.Start(TEST_HELPER_DIR "\\read_description.exe",
                                                      "-D -O" + Quoted(result_) + " " + Quoted(medium), workDir);
        if (!r)
            return r;
        robot::MessageBoxInfo box;
        r = WaitForBox(process_.Id(), &box);
        if (!r)
            return r;
        if (box.caption != "TALVIREX" || box.text != kNotOnMedium)
            return ::testing::AssertionFailure() << "first box: " << box.caption << ": " << box.text;
        r = robot::AnswerMessageBox(box, IDOK);
        if (!r)
            return r;
        return WaitForChooser(process_.Id(), &chooser);
    }

    ::testing::AssertionResult Finish(DWORD *code, std::map<std::string, std::string> *fields)
    {
        ::testing::AssertionResult r = process_.WaitForExit(code);
        if (!r)
            return r;
        *fields = driver::ReadFields(result_);
        DeleteFileA(result_.c_str());
        return ::testing::AssertionSuccess();
    }

    DWORD Id() const { return process_.Id(); }
    bool Running() const { return process_.Running(); }
    HWND chooser = NULL;

private:
    robot::Process process_;
    std::string result_ = driver::ResultFile("locate");
};

const char kDescription[] =
    "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n[FILES32]\r\nFILE1=A.DAT;1\r\n";

TEST_F(ChooserTest, LocatingTheMediumAcceptsOnlyADirectoryWithTheDescription)
{
    ScratchDir root("chooser_locate");
    ASSERT_TRUE(MakeDirectories(root / "Other"));
    ASSERT_TRUE(MakeDirectories(root / "Medium"));
    ASSERT_TRUE(WriteFileBytes(root / "Medium\\TALVIREX.INF", kDescription));
    ASSERT_TRUE(WriteFileBytes(root / "Medium\\A.DAT", std::string(1024, 'x')));

    Locate locate;
    ASSERT_TRUE(locate.Start(root / "Other", root.path()));
    // The chooser starts in the current directory, which holds no description.
    EXPECT_EQ(Lower(root.path()), Lower(robot::ControlText(locate.chooser, kCurrentDirectory)));
    ASSERT_TRUE(robot::PressButton(locate.chooser, IDOK));
    Sleep(500);
    HWND chooser = NULL;
    ASSERT_TRUE(WaitForChooser(locate.Id(), &chooser));
    EXPECT_TRUE(locate.Running());
    EXPECT_EQ(NULL, FindMessageBox(locate.Id()));
    EXPECT_EQ(Lower(root.path()), Lower(robot::ControlText(chooser, kCurrentDirectory)));

    ASSERT_TRUE(PickItem(chooser, kDirectoryList, "[Medium]"));
    ASSERT_TRUE(robot::PressButton(chooser, IDOK));
    DWORD code = 0;
    std::map<std::string, std::string> fields;
    ASSERT_TRUE(locate.Finish(&code, &fields));
    EXPECT_EQ(1u, code);
    std::string medium = root / "Medium\\";
    EXPECT_EQ(Lower(medium), Lower(fields["sourceDir"]));
    EXPECT_EQ(std::to_string(medium.size()), fields["sourceDirLen"]);
    EXPECT_EQ("1", fields["fileCount"]);
    EXPECT_EQ("3", fields["requiredKb1"]);
}

// Files written for one test and removed after it, whatever its outcome.
class TemporaryFiles {
public:
    ~TemporaryFiles()
    {
        for (const std::string &path : paths_)
            DeleteFileA(path.c_str());
    }
    bool Write(const std::string &path, const std::string &bytes)
    {
        paths_.push_back(path);
        return WriteFileBytes(path, bytes);
    }

private:
    std::vector<std::string> paths_;
};

TEST_F(ChooserTest, LocatingTheMediumInADrivesRoot)
{
    // The test prefix's drive C is private to the build tree.
    TemporaryFiles onDriveC;
    ASSERT_TRUE(onDriveC.Write("C:\\TALVIREX.INF", kDescription));
    ASSERT_TRUE(onDriveC.Write("C:\\A.DAT", "x"));
    ScratchDir work("chooser_locate_root");

    Locate locate;
    ASSERT_TRUE(locate.Start(work / "Nowhere", work.path()));
    if (Lower(work.path().substr(0, 1)) != "c")
        ASSERT_TRUE(PickItem(locate.chooser, kDriveList, "[-c-]"));
    ASSERT_TRUE(GoToRoot(locate.chooser));
    ASSERT_TRUE(robot::PressButton(locate.chooser, IDOK));
    DWORD code = 0;
    std::map<std::string, std::string> fields;
    ASSERT_TRUE(locate.Finish(&code, &fields));
    EXPECT_EQ(1u, code);
    EXPECT_EQ("c:\\", Lower(fields["sourceDir"]));
    EXPECT_EQ("3", fields["sourceDirLen"]);
}

TEST_F(ChooserTest, CancellingTheChooserEndsWithMessage104)
{
    ScratchDir root("chooser_cancel");
    ASSERT_TRUE(MakeDirectories(root / "Missing"));
    ASSERT_TRUE(MakeDirectories(root / "IsDirectory\\TALVIREX.INF"));
    struct Case {
        const char *what;
        std::string medium;
    } cases[] = {
        {"no description beside the reader", root / "Missing"},
        {"the description's name is a directory", root / "IsDirectory"},
        // sourceDir and the description's name would make more than 260 characters.
        {"a medium path too long for the description", "C:\\" + std::string(250, 'L')},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Locate locate;
        ASSERT_TRUE(locate.Start(c.medium, root.path()));
        ASSERT_TRUE(robot::PressButton(locate.chooser, IDCANCEL));
        robot::MessageBoxInfo box;
        ASSERT_TRUE(WaitForBox(locate.Id(), &box));
        EXPECT_EQ("TALVIREX", box.caption);
        EXPECT_EQ(kNoMedium, box.text);
        ASSERT_TRUE(robot::AnswerMessageBox(box, IDOK));
        DWORD code = 99;
        std::map<std::string, std::string> fields;
        ASSERT_TRUE(locate.Finish(&code, &fields));
        EXPECT_EQ(0u, code);
        EXPECT_EQ("", fields["diagnostic"]);
        EXPECT_EQ("0", fields["fileCount"]);
    }
}

}  // namespace
