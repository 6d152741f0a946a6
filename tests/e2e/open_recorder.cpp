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
    char line[2 * MAX_PATH + 4096];
    int length = std::snprintf(line, sizeof line, "%s|%s\r\n", dir, GetCommandLineA());
    if (length < 0 || static_cast<size_t>(length) >= sizeof line) return 1;
    // Append-only access puts each write at the end of the file as one piece,
    // so recorders started together (an abort per search in the stress test)
    // do not write over each other's lines as seek-then-write could.
    HANDLE f = CreateFileA(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = WriteFile(f, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(f);
    return ok && written == static_cast<DWORD>(length) ? 0 : 1;
}
