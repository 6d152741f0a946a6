// morvane-cli: the window's search from the command line. Everything is
// checked before anything is written; then every VCount and Timer0 of the
// ranges is walked (VCount outside, both ascending) as one parallel walk, or
// the shard of it that --shard names, the rows going to the output as they
// are found.
#include <cerrno>
#include <cstdio>
#include <string>

#include "cli/Calibrate.h"
#include "cli/CliSearch.h"
#include "cli/Console.h"
#include "cli/ConsoleConfig.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/ResultOutput.h"
#include "cli/SettingsCheck.h"

namespace {

int Fail(int code, const std::string& message) {
    std::fprintf(stderr, "morvane-cli: %s\n", message.c_str());
    return code;
}

// The console: named completely, or not at all and then from config.txt,
// which the checks then name as the origin of those fields.
bool ConsoleSettle(SettingsRecord& settings, SettingsOrigins& origins, std::string& error) {
    std::string missing;
    int named = 0;
    for (int i = 0; i < kConsoleFieldCount; ++i) {
        if (!origins[static_cast<size_t>(i)].empty()) {
            ++named;
            continue;
        }
        missing += (missing.empty() ? "" : ", ") + std::string(SettingsFieldAt(i).option);
    }
    if (named == kConsoleFieldCount) return true;
    if (named == 0) {
        if (ConsoleConfigLoad("config.txt", settings)) {
            for (int i = 0; i < kConsoleFieldCount; ++i) origins[static_cast<size_t>(i)] = "config.txt";
            return true;
        }
        error = "no console: config.txt is not in this folder; give " + missing +
                " (or a settings file naming version, mac, vCount, timer0, gxStat and frame)";
        return false;
    }
    error = "the console is named only in part; also give " + missing;
    return false;
}

struct Run {
    ResultOutput* output;
    ProgressState* progress;
};

void WriteHook(void* context, const char* bytes, size_t length) {
    ResultOutputWrite(*static_cast<Run*>(context)->output, bytes, length);
}

void ConsoleHook(void* context, uint32_t vCount, uint32_t timer0) {
    ResultOutputSetConsole(*static_cast<Run*>(context)->output, timer0, vCount);
}

// On the calling thread: the output's own count belongs to the writing thread.
void ProgressHook(void* context, const CandidateMoment& moment, uint64_t candidates, uint64_t rows) {
    Run& run = *static_cast<Run*>(context);
    ProgressState& p = *run.progress;
    p.done = candidates;
    p.rows = rows;
    p.year = moment.year;
    p.month = moment.month;
    p.day = moment.day;
    ProgressUpdate(p);
}

// An interrupt, or an output that can no longer be written.
bool StopHook(void* context) { return ConsoleInterrupted() || static_cast<Run*>(context)->output->error != 0; }

}  // namespace

int main(int argc, char** argv) {
    ConsoleInterruptInstall();
    CliRunOptions options;
    SettingsRecord settings;
    SettingsOrigins origins;
    int parsed = CliParse(argc, argv, options, settings, origins);
    if (parsed != kExitContinue) return parsed;

    std::string error;
    if (options.calibrate) {
        const SearchEngine* engine = CliEngineOf(options.engineName, error);
        return CalibrateMain(options.calibrateCommand, settings, origins, options.outputPath, options.utf8,
                             options.quiet, options.threads, engine, options.saveSettingsPath, options.noSearch);
    }
    const MomentViewRequest& inspect = options.inspectRequest;
    if (options.inspect) MomentViewSettle(settings, inspect);
    const bool needsConsole = !options.inspect || !inspect.seedGiven;
    if ((needsConsole && !ConsoleSettle(settings, origins, error)) || !SettingsCheck(settings, origins, error))
        return Fail(kExitUsage, error);
    const SearchEngine* engine = CliEngineOf(options.engineName, error);

    if (!options.saveSettingsPath.empty() && !SettingsFileWrite(options.saveSettingsPath, settings, error))
        return Fail(kExitOutput, error);
    if (options.noSearch) return kExitDone;

    if (ConsoleInterrupted()) return kExitInterrupted;  // before the output is touched
    ResultOutput output;
    if (options.inspect) {
        if (!ResultOutputOpen(output, options.outputPath, options.utf8, false, error)) return Fail(kExitOutput, error);
        MomentViewWrite(settings, inspect, output);
        return ResultOutputClose(output, error) ? kExitDone : Fail(kExitOutput, error);
    }
    const bool rangeColumns = settings.vCount.isRange || settings.timer0.isRange;
    if (!ResultOutputOpen(output, options.outputPath, options.utf8, rangeColumns, error))
        return Fail(kExitOutput, error);

    if (options.shardIndex > 1) output.headerPending = false;

    SearchSize size;
    SearchSizeOf(settings, size);  // the check made sure it counts
    const CliShard shard{options.shardIndex, options.shardCount};
    const CliShard* part = options.shardIndex > 0 ? &shard : nullptr;
    uint64_t total = size.candidates;
    if (part) {
        const ParallelPart seconds = CliShardPart(shard, size.seconds, size.consoleSeconds);
        total = (seconds.endSecond - seconds.firstSecond) * size.masks;
    }
    ProgressState progress;
    ProgressStart(progress, !options.quiet && ConsoleStderrIsTerminal(), total);
    Run run{&output, &progress};
    CliSearchHooks hooks{&run, WriteHook, ConsoleHook, ProgressHook, StopHook};
    const ParallelConsoles consoles{settings.vCount.low, settings.vCount.high, settings.timer0.low,
                                    settings.timer0.high};
    const SearchSettings first = SearchSettingsOfConsole(settings, settings.vCount.low, settings.timer0.low);
    uint64_t rows = 0;
    CliSearchRun(first, consoles, part, size.consoleSeconds, size.seconds, options.threads, engine, hooks, rows);
    progress.rows = rows;
    bool closed = ResultOutputClose(output, error);
    ProgressFinish(progress, ConsoleInterrupted());
    if (!closed) return Fail(kExitOutput, error);
    return ConsoleInterrupted() ? kExitInterrupted : kExitDone;
}
