// The window under stress while searches run (tests/e2e/e2e_stress.cpp):
// each test works one program in its own directory and prints PASS and FAIL
// lines; scripts/e2e.sh then holds the result file against the core.
#pragma once

#include <string>

// The arguments every stress test takes: the program, its working
// directory, the case typed before the search, and the open recorder's log.
struct StressRun {
    std::string exe, dir, casePath, log;
    bool closeMidway;  // close the window in the middle instead of finishing
};

// 200 presses of "検索開始"/"中断" in quick succession.
void StressPresses(const StressRun& run);
// Every settings dialog opened and confirmed three times during a search.
void StressDialogs(const StressRun& run);
// "保存" pressed again and again during a search.
void StressSave(const StressRun& run);
// A search whose "result.txt" cannot be written: held open without sharing
// by this process (locked) or in a folder that refuses new files. daysPath:
// the core's count at the start of each day (expected_result days).
void StressUnwritableResult(const StressRun& run, const std::string& daysPath, bool locked);
