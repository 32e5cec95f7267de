// The sample publication's viewer: a window of class KVX_APP that shows the
// publication's texts from the directory its INI file names.
#include <windows.h>

#include <string>

namespace {

const char kClass[] = "KVX_APP";
const char kIni[] = "VZORKA.INI";
const char *const kChapters[] = {"HRADY.TXT", "ZAMKY.TXT"};
const int kTextId = 100;

std::string ExeDirectory()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof path);
    std::string dir(path);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

// Where the publication's texts are: the INI file's PATH after an
// installation, else beside the viewer.
std::string PublicationDirectory()
{
    char path[MAX_PATH] = "";
    GetPrivateProfileStringA("SETING", "PATH", "", path, sizeof path, kIni);
    std::string dir(path);
    if (dir.empty())
        return ExeDirectory();
    if (dir.back() != '\\')
        dir += '\\';
    return dir;
}

std::string ReadWhole(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return "(" + path + ": súbor sa nenašiel)\r\n";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return text;
}

LRESULT CALLBACK ViewerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        HWND text = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                    WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY,
                                    0, 0, 0, 0, window, (HMENU)(INT_PTR)kTextId, NULL, NULL);
        SendMessageA(text, WM_SETFONT, (WPARAM)GetStockObject(DEFAULT_GUI_FONT), FALSE);
        std::string dir = PublicationDirectory();
        std::string all;
        for (const char *chapter : kChapters)
            all += ReadWhole(dir + chapter) + "\r\n";
        SetWindowTextA(text, all.c_str());
        return 0;
    }
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kTextId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSA cls = {};
    cls.lpfnWndProc = ViewerWndProc;
    cls.hInstance = instance;
    cls.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
    cls.hCursor = LoadCursorA(NULL, IDC_ARROW);
    cls.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    cls.lpszClassName = kClass;
    RegisterClassA(&cls);
    // The title is in code page 1250: "Slovenské hrady a zámky".
    HWND window = CreateWindowA(kClass, "Slovensk\xe9 hrady a z\xe1mky", WS_OVERLAPPEDWINDOW,
                                CW_USEDEFAULT, CW_USEDEFAULT, 520, 400, NULL, NULL, instance, NULL);
    ShowWindow(window, show);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
