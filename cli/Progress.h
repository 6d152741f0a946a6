// The progress line on standard error: redrawn in place at most ten times a
// second while the search runs, then one summary line.
#pragma once

#include <cstdint>
#include <string>

struct ProgressState {
    bool enabled;        // standard error is a terminal and --quiet is off
    uint64_t total;      // candidates of every walk
    uint64_t done;       // candidates evaluated so far
    uint64_t rows;       // rows written so far
    int32_t year, month, day;  // the date being walked (two-digit year)
    double startSeconds;
    double lastDrawSeconds;
    size_t lastWidth;    // length of the line drawn last, to blank its rest
};

// "2012-11-29   41.7%  1234567 candidates/s  rows 1234  left 0:01:05"
std::string ProgressLine(const ProgressState& state, double elapsedSeconds);
// "12345678 candidates, 1234 rows, 10.0 s, 1234567 candidates/s"
std::string ProgressSummary(const ProgressState& state, double elapsedSeconds);

// Monotonic seconds.
double ProgressNow();

void ProgressStart(ProgressState& state, bool enabled, uint64_t total);
// Redraws the line when a tenth of a second has passed since the last time.
void ProgressUpdate(ProgressState& state);
// Replaces the line by the summary (with "interrupted" when the search was).
void ProgressFinish(ProgressState& state, bool interrupted);
