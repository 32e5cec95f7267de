// Lets the user browse for a directory through the installer's folder chooser.
//   browse_folder.exe -O"result file" "initial directory"
// The exit code is the chooser's result; the result file holds "result=" and
// "path=" lines.
#include <stdio.h>

#include <string>

#include "app/setup_state.h"
#include "description/folder_chooser.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    setup.hInstance = instance;
    // -O"file" "dir": the two quoted texts, in this order.
    std::string line = commandLine;
    std::string parts[2];
    size_t at = 0;
    for (std::string &part : parts) {
        size_t open = line.find('"', at);
        size_t close = open == std::string::npos ? open : line.find('"', open + 1);
        if (close == std::string::npos)
            return 2;
        part = line.substr(open + 1, close - open - 1);
        at = close + 1;
    }
    int result = BrowseForDirectory(NULL, setup.pathBuffer, parts[1].c_str());
    FILE *out = fopen(parts[0].c_str(), "wb");
    if (out) {
        fprintf(out, "result=%d\npath=%s\n", result, setup.pathBuffer);
        fclose(out);
    }
    return result;
}
