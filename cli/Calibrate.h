// morvane-cli calibrate: the console parameters a player's boots were made
// with. The player gives the game and the MAC (or config.txt), and for each
// boot the moment the clock was set to, the keys held and what the game
// showed; the calibration (engine/Calibration.h) tries every second within
// the tolerance with every VCount, Timer0, GxStat and Frame of the ranges.
// The report lists every combination each boot fits, then the VCount,
// GxStat and Frame the boots share with the Timer0 values each used, the
// best supported first; the best can be saved as a settings file or as
// config.txt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "cli/ResultOutput.h"
#include "cli/SettingsFile.h"
#include "engine/Calibration.h"

struct SearchEngine;

// What the command was given besides the settings.
struct CalibrateCommand {
    std::vector<CalibrationBoot> boots;  // in the order given
    int32_t tolerance;                   // seconds either side of each moment
    bool frameGiven, gxStatGiven;        // else the console's one value
    CalibrationRange frame, gxStat;
    bool writeConfig;                    // config.txt in the working folder
};

// Every value of the unknowns that a console can hold, searched unless the
// command line narrows them.
constexpr int32_t kCalibrateTolerance = 2;  // seconds either side, unless given
constexpr CalibrationRange kCalibrateVCounts = {0, 0xFF};
constexpr CalibrationRange kCalibrateTimer0s = {0, 0xFFFF};
constexpr uint32_t kCalibrateMostVCount = 0xFFF;  // the window's three digits
constexpr uint32_t kCalibrateMostTimer0 = 0xFFFF;

// The forms of the command's options; false with "expects ..." for the
// option's name to precede.
// "31,31,31,26,31,31": six values 0..31, H A B C D S.
bool CalibrateParseIvs(const std::string& text, uint8_t (&ivs)[6], std::string& error);
// Whole seconds 0..kCalibrationMostTolerance.
bool CalibrateParseTolerance(const std::string& text, int32_t& seconds, std::string& error);
// "8" or "8-9": whole numbers 0..2147483647, the first not above the last.
bool CalibrateParseFrames(const std::string& text, CalibrationRange& range, std::string& error);
// "6000000" or "6000000-6000001": hexadecimal, the first not above the last.
bool CalibrateParseGxStats(const std::string& text, CalibrationRange& range, std::string& error);

// One boot as --boot and each line of --boots take it: the moment, the
// keys held (optional) and what it showed, separated by spaces:
//   2012-11-29T14:58:21 held=B,St,Right ivs=31,31,31,26,31,31
//   2012-11-29T14:58:21 seed=40B05C6C8CA16448
// False with "expects ..." as above.
bool CalibrateParseBoot(const std::string& text, CalibrationBoot& boot, std::string& error);
// The boots of a file, one a line; '#' starts a comment, blank lines are
// skipped. False with "path: reason" or "path:line: expects ...".
bool CalibrateReadBoots(const std::string& path, std::vector<CalibrationBoot>& boots, std::string& error);

// The calibration of the settings' console (version, MAC, 3DS; positions
// and roamer for the values) with the command's boots: VCount and Timer0 as
// --vcount and --timer0 give them on the command line, else every value;
// GxStat and Frame as the command gives them, else the console's. False with
// one line naming the option when a range is not one calibrate takes or the
// candidates cannot be counted.
bool CalibrateRequestOf(const SettingsRecord& settings, const SettingsOrigins& origins,
                        const CalibrateCommand& command, CalibrationRequest& request, std::string& error);

// A VCount, GxStat and Frame and how well the boots support them.
struct CalibrateConsole {
    uint32_t vCount, gxStat, frame;
    int32_t boots;                               // boots with a match of these
    std::vector<std::vector<uint32_t>> timer0s;  // by boot, ascending, each value once
    uint32_t timer0Low, timer0High;              // over every boot
    uint32_t timer0Most;                         // used by the most boots, the lowest of those
    int32_t offsets;                             // each boot's smallest distance in seconds, added up
};
// Every VCount, GxStat and Frame of the matches: the most boots first, then
// the narrowest Timer0 range, then the seconds nearest the moments given,
// then VCount, GxStat and Frame ascending.
std::vector<CalibrateConsole> CalibrateSummarize(const CalibrationResult& result, size_t bootCount);

// The report: each boot with its matches, the shared consoles, the best one
// (or, when nothing matched, what can be widened), the count.
void CalibrateWriteReport(const CalibrationRequest& request, const CalibrationResult& result,
                          const std::vector<CalibrateConsole>& shared, ResultOutput& out);

// The settings with the console of `best`: its VCount, GxStat and Frame,
// and its Timer0 values as a range (one value: not a range).
SettingsRecord CalibrateSettingsOf(const SettingsRecord& settings, const CalibrateConsole& best);

// The whole command once the options are parsed: settles the console, checks
// everything, calibrates with the progress on standard error, writes the
// report and, when something matched, the files asked for (checkOnly:
// stops after the checks). The exit code.
int CalibrateMain(const CalibrateCommand& command, SettingsRecord& settings, SettingsOrigins& origins,
                  const std::string& outputPath, bool utf8, bool quiet, int threads, const SearchEngine* engine,
                  const std::string& saveSettingsPath, bool checkOnly);
