// The main window's title: the program's own, shown from the start and again
// at the end of every search, and the progress text the search shows while
// it walks a day.
#pragma once

#include <cstdint>

extern const char kMainWindowTitle[];  // "Morvane ver2.01c"

constexpr int kSearchProgressTextSize = 256;

// Writes the progress text of a day: yy (a plain decimal, 5 for 2005), month,
// day and the matches so far.
void SearchProgressText(char (&buffer)[kSearchProgressTextSize], int32_t year, int32_t month,
                        int32_t day, int32_t count);
