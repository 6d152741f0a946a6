// Where the command line's result goes: a file (code page 932, CR LF, as the
// window writes "result.txt") or standard output, optionally as UTF-8 with
// LF, with the Timer0 and VCount columns when a range is searched. The
// search hands its result bytes as it writes them, the header first (unless
// it leaves it out), rows as soon as they are complete.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

struct ResultOutput {
    FILE* file;
    std::string path;      // as given; "-" for standard output
    bool utf8;             // UTF-8 and LF instead of code page 932 and CR LF
    bool rangeColumns;     // ",Timer0,VCount" on the header, the walk's values on its rows
    std::string columns;   // ",<Timer0>,<VCount>" of the console whose rows come
    std::string pending;   // the start of a line not yet complete
    bool headerPending;    // the next line is the header (set by the open; clear it when none comes)
    uint64_t rows;
    int error;             // errno of the first write that failed, 0 while none has
};

// Creates or truncates the file (or takes standard output for "-"). False
// with "path: reason" when it cannot be created.
bool ResultOutputOpen(ResultOutput& out, const std::string& path, bool utf8, bool rangeColumns,
                      std::string& error);

// The rows that follow are the console's.
void ResultOutputSetConsole(ResultOutput& out, uint32_t timer0, uint32_t vCount);

// Result bytes; a line is written once its line end has come, so a search
// that stops mid-line leaves no part of it.
void ResultOutputWrite(ResultOutput& out, const char* bytes, size_t length);

// Flushes and closes; false with "path: reason" when a write failed.
bool ResultOutputClose(ResultOutput& out, std::string& error);
