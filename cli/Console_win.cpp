#include "cli/Console.h"

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::atomic<bool> g_interrupted{false};

// Runs on a thread of its own that the system starts for the event. TRUE
// keeps the process alive: the search stops at its next check instead.
BOOL WINAPI OnConsoleEvent(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) {
        g_interrupted = true;
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool ConsoleStderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

void ConsoleInterruptInstall() { SetConsoleCtrlHandler(OnConsoleEvent, TRUE); }

bool ConsoleInterrupted() { return g_interrupted; }

void ConsoleStdoutBinary() { _setmode(_fileno(stdout), _O_BINARY); }

bool Cp932ToUtf8(const char* text, size_t length, std::string& out) {
    if (length == 0) return true;
    int n = static_cast<int>(length);
    int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text, n, nullptr, 0);
    bool clean = wide > 0;
    DWORD flags = clean ? MB_ERR_INVALID_CHARS : 0;  // without the flag, bad bytes become U+30FB
    wide = MultiByteToWideChar(932, flags, text, n, nullptr, 0);
    std::wstring utf16(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(932, flags, text, n, &utf16[0], wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
    size_t at = out.size();
    out.resize(at + static_cast<size_t>(bytes));
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &out[at], bytes, nullptr, nullptr);
    return clean;
}

int ConsoleCoreCount() {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwNumberOfProcessors > 0 ? static_cast<int>(info.dwNumberOfProcessors) : 1;
}
