#include "cli/Console.h"

#include <cerrno>
#include <csignal>
#include <iconv.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

}  // namespace

bool ConsoleStderrIsTerminal() { return isatty(STDERR_FILENO) != 0; }

void ConsoleInterruptInstall() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;  // file writes carry on; the search stops at its next check
    sigaction(SIGINT, &action, nullptr);
}

bool ConsoleInterrupted() { return g_interrupted != 0; }

void ConsoleStdoutBinary() {}

bool Cp932ToUtf8(const char* text, size_t length, std::string& out) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    bool clean = true;
    char* in = const_cast<char*>(text);
    size_t inLeft = length;
    char buffer[4096];
    while (inLeft > 0) {
        char* to = buffer;
        size_t toLeft = sizeof buffer;
        size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
        out.append(buffer, static_cast<size_t>(to - buffer));
        if (done == static_cast<size_t>(-1) && errno != E2BIG) {
            // A byte that is no code page 932 character, or a character cut at the end.
            clean = false;
            out += '?';
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    return clean;
}

int ConsoleCoreCount() {
    long n = sysconf(_SC_NPROCESSORS_ONLN);
    return n > 0 ? static_cast<int>(n) : 1;
}
