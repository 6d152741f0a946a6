// Stands in for the viewer the shell opens ".txt" files with: the e2e
// prefix's "open" command points here. Appends "current directory|command
// line" to open_log.txt beside this program, so the tests see whether, and
// with which file, the program handed its result to the shell.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char log[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, log, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    char* slash = std::strrchr(log, '\\');
    if (!slash || static_cast<size_t>(slash - log) + sizeof "\\open_log.txt" > MAX_PATH) return 1;
    std::strcpy(slash, "\\open_log.txt");
    char dir[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, dir);
    FILE* f = std::fopen(log, "ab");
    if (!f) return 1;
    std::fprintf(f, "%s|%s\r\n", dir, GetCommandLineA());
    std::fclose(f);
    return 0;
}
