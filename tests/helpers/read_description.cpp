// Reads a description through the installer's reader, out of process because
// the reader shows message boxes.
//   read_description.exe [-D] [-O"result file"] "medium directory"
// -D turns on the diagnostic boxes. The exit code is ReadDescriptionFile's
// result; the result file receives the fields it set, one "name=value" a line.
#include <stdio.h>

#include <string>
#include <vector>

#include "app/setup_state.h"
#include "description/description.h"

namespace {

// Splits the command line at blanks; double quotes group a token.
std::vector<std::string> Tokens(const char *line)
{
    std::vector<std::string> tokens;
    std::string token;
    bool quoted = false, any = false;
    for (const char *p = line; *p; p++) {
        if (*p == '"') {
            quoted = !quoted;
            any = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (any)
                tokens.push_back(token);
            token.clear();
            any = false;
        } else {
            token += *p;
            any = true;
        }
    }
    if (any)
        tokens.push_back(token);
    return tokens;
}

std::string Text(const char *text)
{
    return text ? text : "<none>";
}

void WriteResult(const std::string &path, int result)
{
    FILE *out = fopen(path.c_str(), "wb");
    if (!out)
        return;
    fprintf(out, "result=%d\n", result);
    fprintf(out, "fileCount=%u\n", setup.fileCount);
    for (WORD i = 0; i < setup.fileCount; i++) {
        const FileEntry &e = setup.files[i];
        fprintf(out, "file%u=%s|%u|%s|%s\n", i, e.name, e.kind, Text(e.iconFile).c_str(),
                Text(e.shortcutName).c_str());
    }
    fprintf(out, "poolUsed=%u\n", setup.poolUsed);
    fprintf(out, "requiredKb0=%lu\n", (unsigned long)setup.requiredKb[0]);
    fprintf(out, "requiredKb1=%lu\n", (unsigned long)setup.requiredKb[1]);
    fprintf(out, "title=%s\n", setup.title);
    fprintf(out, "publicationIni=%s\n", setup.publicationIni);
    fprintf(out, "pathSuffix=%s\n", setup.pathSuffix);
    fprintf(out, "groupName=%s\n", setup.groupName);
    fprintf(out, "targetDir=%s\n", setup.targetDir);
    fprintf(out, "welcomeText=%s\n", setup.welcomeText);
    fprintf(out, "targetPrompt=%s\n", setup.targetPrompt);
    fprintf(out, "windowTitle=%s\n", setup.windowTitle);
    fprintf(out, "diagnostic=%s\n", setup.diagnostic);
    fprintf(out, "sourceDir=%s\n", setup.sourceDir);
    fprintf(out, "sourceDirLen=%lu\n", (unsigned long)setup.sourceDirLen);
    fclose(out);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    setup.hInstance = instance;
    std::string resultFile;
    for (const std::string &token : Tokens(commandLine)) {
        if (token == "-D") {
            setup.debugMessages = 1;
        } else if (token.compare(0, 2, "-O") == 0) {
            resultFile = token.substr(2);
        } else {
            std::string dir = token;
            if (!dir.empty() && dir.back() != '\\')
                dir += '\\';
            // The reader's own buffers are bounded; this one is the caller's.
            dir = dir.substr(0, sizeof setup.sourceDir - 1);
            dir.copy(setup.sourceDir, dir.size());
            setup.sourceDir[dir.size()] = 0;
            setup.sourceDirLen = (DWORD)dir.size();
        }
    }
    int result = ReadDescriptionFile();
    if (!resultFile.empty())
        WriteResult(resultFile, result);
    return result;
}
