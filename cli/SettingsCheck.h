// The checks the command line makes before it writes anything, unlike the
// window, which hands every typed value to the search as it is.
#pragma once

#include <cstdint>
#include <string>

#include "cli/SettingsFile.h"
#include "seed/SeedMessage.h"  // DaysInMonth

// Every value in its range, real dates (day within its month), the start
// date not after the end date, each time and consumption range in order,
// each lower individual-value bound at most its upper bound, and the
// individual-value positions inside the table (618, 617 with the roamer),
// and a search whose candidates can be counted (SearchSizeOf).
// False with one line naming where the value came from and what it takes.
bool SettingsCheck(const SettingsRecord& settings, const SettingsOrigins& origins, std::string& error);

// Candidates of one walk: days x seconds per day x key masks allowed.
uint64_t WalkCandidateCount(const SearchSettings& settings);

// The size of a search over every VCount and Timer0 of the ranges.
struct SearchSize {
    uint64_t consoles;        // VCount values times Timer0 values
    uint64_t consoleSeconds;  // the seconds each console walks
    uint64_t seconds;         // of every console together
    uint64_t masks;           // candidates in each second
    uint64_t candidates;
};
// False when the candidates pass 2^64 - 1 (the whole of both 32-bit
// ranges, say): such a search can be neither counted nor ended.
bool SearchSizeOf(const SettingsRecord& settings, SearchSize& size);
