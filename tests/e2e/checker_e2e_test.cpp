// The checker and the installer on the same media: what the installer refuses
// with -D, the checker lists as its first error, at the same key or file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "robot.h"
#include "test_paths.h"
#include "test_support.h"

namespace {

// The installer's description reader with -D on dir: the text of its
// diagnostic box ("Bad Info: KEY" or "Bad Disk: PATH"), "" when it accepts.
std::string InstallerDiagnostic(const std::string &dir)
{
    robot::Process reader;
    EXPECT_TRUE(reader.Start(TEST_BUILD_DIR "\\helpers\\read_description.exe", "-D \"" + dir + "\""));
    std::string diagnostic;
    for (int boxes = 0; boxes < 4; boxes++) {
        std::vector<HWND> found;
        auto Found = [&] { return !(found = robot::TopWindows(reader.Id(), "#32770")).empty(); };
        if (!robot::WaitUntil([&] { return !reader.Running() || Found(); }, "a box or the end") || found.empty())
            break;
        Sleep(200);   // the box fills in
        robot::MessageBoxInfo info = robot::ReadMessageBox(found[0]);
        if (info.caption.rfind("TALVIREX - Bad ", 0) == 0)
            diagnostic = info.caption.substr(15) + ": " + info.text;
        EXPECT_TRUE(robot::AnswerMessageBox(info, IDOK));
    }
    DWORD code = 99;
    EXPECT_TRUE(reader.WaitForExit(&code));
    return diagnostic;
}

// TALVICHK --json on dir: its exit code and what it printed.
DWORD RunChecker(const std::string &dir, std::string *out)
{
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0))
        return 99;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    PROCESS_INFORMATION process = {};
    std::string command = "\"" TEST_BUILD_DIR "\\TALVICHK.EXE\" --json \"" + dir + "\"";
    BOOL started = CreateProcessA(NULL, &command[0], NULL, NULL, TRUE, 0, NULL, NULL, &startup, &process);
    CloseHandle(writeEnd);
    DWORD code = 99;
    if (started) {
        // Under Wine the pipe may never report its end, so it is read until
        // the checker has ended and nothing is left in it.
        char chunk[4096];
        DWORD got, ended = WAIT_TIMEOUT;
        for (int waits = 0; waits < 600; waits++) {
            DWORD waiting = 0;
            if (PeekNamedPipe(readEnd, NULL, 0, NULL, &waiting, NULL) && waiting > 0
                && ReadFile(readEnd, chunk, sizeof chunk, &got, NULL)) {
                out->append(chunk, got);
            } else if (ended == WAIT_OBJECT_0) {
                break;
            } else {
                ended = WaitForSingleObject(process.hProcess, 100);
            }
        }
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return code;
}

// A field of the first error in the checker's JSON (fields in their printed order).
std::string FirstErrorField(const std::string &json, const std::string &field)
{
    size_t error = json.find("\"severity\":\"error\"");
    size_t start = json.find("\"" + field + "\":\"", error);
    if (error == std::string::npos || start == std::string::npos)
        return "<none>";
    start += field.size() + 4;
    return json.substr(start, json.find('"', start) - start);
}

TEST(CheckerE2E, TheFirstErrorIsWhatTheInstallerRefusesWith)
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
        std::string json;
        DWORD code = RunChecker(medium.path(), &json);
        std::string diagnostic = InstallerDiagnostic(medium.path());
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
