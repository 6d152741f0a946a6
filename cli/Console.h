// What the command line needs from the system it runs on: whether standard
// error is a terminal, the interrupt (Ctrl-C), standard output as raw bytes,
// the code page 932 to UTF-8 conversion and the number of cores. Console_posix.cpp
// serves the native build, Console_win.cpp the Windows one.
#pragma once

#include <cstddef>
#include <string>

bool ConsoleStderrIsTerminal();

// From now on an interrupt (SIGINT; on Windows Ctrl-C and Ctrl-Break) only
// sets a flag, which the search looks at between batches.
void ConsoleInterruptInstall();
bool ConsoleInterrupted();

// Standard output takes bytes as they are (no line-end translation).
void ConsoleStdoutBinary();

// Code page 932 text to UTF-8, appended to out; false (and a '?' for each
// byte that does not convert) when the text is not code page 932.
bool Cp932ToUtf8(const char* text, size_t length, std::string& out);

// The processor cores the system reports (at least 1).
int ConsoleCoreCount();
