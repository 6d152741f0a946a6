// The command line's options, parsed with CLI11: what to do with the search
// (output, settings files, progress, threads, engine) and every setting, the
// latter applied over the settings file when one is named.
#pragma once

#include <string>

#include "cli/Calibrate.h"
#include "cli/MomentView.h"
#include "cli/SettingsFile.h"
#include "engine/SeedSearch.h"

struct CliRunOptions {
    std::string settingsPath;      // --settings, "" for none
    std::string saveSettingsPath;  // --save-settings, "" for none
    std::string outputPath;        // --output, "-" for standard output
    bool utf8;
    bool quiet;
    bool noSearch;                 // --no-search: check (and save) only
    int threads;
    std::string engineName;        // "" for the best this processor runs
    uint64_t shardIndex;           // --shard K/N: K, 1..N; 0 for the whole search
    uint64_t shardCount;           // N
    bool inspect;                  // morvane-cli inspect: one moment instead of a search
    MomentViewRequest inspectRequest;
    bool calibrate;                // morvane-cli calibrate: the console of the boots given
    CalibrateCommand calibrateCommand;
};

constexpr int kExitContinue = -1;
constexpr int kExitDone = 0;
constexpr int kExitOutput = 1;   // the output could not be written
constexpr int kExitUsage = 2;    // bad input: nothing was written
constexpr int kExitInterrupted = 130;

// Parses argv, reads the settings file it names and applies the options
// over it. kExitContinue to go on; otherwise the exit code, the help, the
// version or a one-line message having been printed.
int CliParse(int argc, char** argv, CliRunOptions& run, SettingsRecord& settings, SettingsOrigins& origins);

// The batch engine called `name` ("" for the best one); null with a message
// naming the engines when this build has none of that name or this processor
// cannot run it.
const SearchEngine* CliEngineOf(const std::string& name, std::string& error);
