// The checker and the installer on the same media: what the installer refuses
// with -D, the checker lists as its first error, at the same key or file.
#include "wizard_fixture.h"

namespace wizard {
namespace {

// TALVICHK --json on dir, its output going to outFile: its exit code.
DWORD RunChecker(const std::string &dir, const std::string &outFile)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError =
        CreateFileA(outFile.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, NULL);
    PROCESS_INFORMATION process = {};
    std::string command = "\"" TEST_BUILD_DIR "\\TALVICHK.EXE\" --json \"" + dir + "\"";
    DWORD code = 99;
    if (CreateProcessA(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process)) {
        WaitForSingleObject(process.hProcess, 60000);
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(startup.hStdOutput);
    return code;
}

// A field of the first error in the checker's JSON (fields in their printed order).
std::string FirstErrorField(const std::string &json, const std::string &field)
{
    std::smatch m;
    std::regex first("\"severity\":\"error\"[^}]*\"" + field + "\":\"([^\"]*)");
    return std::regex_search(json, m, first) ? m[1].str() : "<none>";
}

using CheckerE2E = WizardTest;

TEST_F(CheckerE2E, TheFirstErrorIsWhatTheInstallerRefusesWith)
{
    const std::string pub = "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=G\r\n";
    const std::string good = "FILE1=VIEWER.EXE;1;VIEWER.ICO;Viewer\r\nFILE2=DATA.TXT;0\r\n";
    std::string pool;
    for (int n = 3; n <= 8; n++)
        pool += "FILE" + std::to_string(n) + "=DATA.TXT;0;*;" + std::string(1000, 'S') + "\r\n";
    const struct {
        const char *name;
        std::string description;
    } cases[] = {
        {"Clean", pub + "[FILES32]\r\n" + good},
        {"Title", "[PUBLICATION]\r\nTITLE=\r\nINIFILE=T.INI\r\n[FILES32]\r\n" + good},
        {"DeviceIni", "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=NUL\r\n[FILES32]\r\n" + good},
        {"Kind", pub + "[FILES32]\r\n" + good + "FILE3=DATA.TXT;7\r\nFILE4=DATA.TXT\r\n"},
        {"Pool", pub + "[FILES32]\r\n" + good + pool},
        {"NoFile", pub + "[FILES]\r\nFILE30=DATA.TXT;0\r\n"},
        {"PathUp", "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=..\\P\r\nGROUP=..\r\n[FILES]\r\n" + good},
        {"Group", "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\r\nGROUP=..\r\n[FILES]\r\n" + good},
        {"SubFolder", pub + "[FILES]\r\n" + good + "FILE3=SUB\\DATA.TXT;2\r\n"},
        {"OwnFolder", pub + "[FILES]\r\n" + good + "FILE3=SUB\\DATA.TXT;1;SUB\\DATA.TXT;Data\r\n"},
        {"FolderName", pub + "[FILES]\r\n" + good + "FILE3=SUB.\\DATA.TXT;1\r\n"},
        {"GroupDots", "[PUBLICATION]\r\nTITLE=T\r\nINIFILE=T.INI\r\nPATH=P\\Aux\r\nGROUP=G..\r\n[FILES]\r\n" + good},
        // The quoted line that fills the file lines' pool to its last byte (found by fuzzing).
        {"QuotedFill", pub + "[FILES32]\r\nFILE1=VIEWER.EXE;1;VIEWER.ICO;" + std::string(4060, 'S') +
                           "\r\nFILE2=\"DATA.TXT;1\"\r\n"},
        {"ShortcutDevice", pub + "[FILES]\r\n" + good + "FILE3=DATA.TXT;0;*;Con\r\n"},
        {"Missing", pub + "[FILES32]\r\n" + good + "FILE3=GONE.TXT;1\r\nFILE4=OTHER.TXT;1\r\n"},
        {"MissingIcon", pub + "[FILES32]\r\nFILE1=VIEWER.EXE;1;GONE.ICO;Viewer\r\n"},
        {"Device", pub + "[FILES32]\r\n" + good + "FILE3=AUX.TXT;1\r\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::ScratchDir medium(std::string("agree_") + c.name);
        ASSERT_TRUE(testsupport::MakeDirectories(medium / "SUB"));
        for (const char *file : {"VIEWER.EXE", "VIEWER.ICO", "DATA.TXT", "SUB\\DATA.TXT"})
            ASSERT_TRUE(testsupport::WriteFileBytes(medium / file, file));
        ASSERT_TRUE(testsupport::WriteFileBytes(medium / "TALVIREX.INF", c.description));
        DWORD code = RunChecker(medium.path(), *shell_ / "checker.json");
        std::string json = testsupport::Contents(*shell_ / "checker.json"), boxes;
        // The installer's description reader alone with -D: its diagnostic box ("Bad Info: KEY", "Bad Disk: PATH").
        RunToPageOrEnd("-D \"" + medium.path() + "\"", &boxes, TEST_BUILD_DIR "\\helpers\\read_description.exe");
        size_t bad = boxes.find("TALVIREX - Bad ");
        std::string diagnostic = bad == std::string::npos ? "" : boxes.substr(bad + 15, boxes.find(" | ", bad) - bad - 15);
        EXPECT_EQ(diagnostic.empty(), code < 2) << json;
        if (diagnostic.rfind("Disk: ", 0) == 0) {
            std::string text = FirstErrorField(json, "text"), path = diagnostic.substr(6);
            EXPECT_EQ(path.substr(path.rfind('\\') + 1), text.substr(text.rfind(' ') + 1)) << json;
        } else if (!diagnostic.empty()) {
            EXPECT_EQ(diagnostic, "Info: " + FirstErrorField(json, "key")) << json;
        }
    }
}

}  // namespace
}  // namespace wizard
