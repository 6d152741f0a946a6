#include "cli/Options.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/Console.h"
#include "engine/SearchEngine.h"
#include "modes/SearchModes.h"

namespace {

constexpr char kVersionText[] = "morvane-cli ver2.01c";

constexpr char kDescription[] =
    "Searches the start-up moments of the games for the wanted outcome, as the Morvane window "
    "does, and writes the matches as result rows (code page 932, CR LF).\n"
    "Settings come from the window's initial values, then --settings FILE, then the options; "
    "the console from config.txt when neither names any of --game, --mac, --vcount, --timer0, "
    "--gxstat, --frame.";

constexpr char kFooter[] =
    "Settings files hold lines \"name = value\" (# starts a comment) with the names of the settings "
    "record: version, mac, vCount, timer0, gxStat, frame, startYear (two digits), startMonth, ..., "
    "ivMin = 30 30 0 0 0 0, usableKeys (10 values 0/1, A B Se St Right Left Up Down R L), parentIv "
    "(12), domeTrainers (6), grottoSlots (4). --save-settings writes every one of them.\n"
    "Exit codes: 0 done, 1 the output could not be written, 2 bad input (nothing written), "
    "130 interrupted (complete rows kept).";

// Options that set several fields, each from one part of their value.
struct CombinedOption {
    const char* option;
    const char* accepts;      // shown after the option in --help
    const char* help;
    const char* defaultText;
    const char* fields[6];    // in the order the value gives them
    int fieldCount;
    char separator;           // between the parts
};

constexpr CombinedOption kCombined[] = {
    {"--from", "YYYY-MM-DD", "first date (2000-01-01 to 2099-12-31)", "none",
     {"startYear", "startMonth", "startDay"}, 3, '-'},
    {"--to", "YYYY-MM-DD", "last date", "none", {"endYear", "endMonth", "endDay"}, 3, '-'},
    {"--time", "HH:MM:SS-HH:MM:SS", "hour, minute and second ranges, each walked on its own",
     "00:00:00-23:59:59",
     {"startHour", "startMinute", "startSecond", "endHour", "endMinute", "endSecond"}, 6, 0},
    {"--hours", "H[-H]", "hour range", "0-23", {"startHour", "endHour"}, 2, '-'},
    {"--minutes", "M[-M]", "minute range", "0-59", {"startMinute", "endMinute"}, 2, '-'},
    {"--seconds", "S[-S]", "second range", "0-59", {"startSecond", "endSecond"}, 2, '-'},
    {"--iv-consumption", "N[-N]", "individual-value positions (0..618, 617 with --roamer)", "7-7",
     {"ivConsumptionStart", "ivConsumptionEnd"}, 2, '-'},
    {"--pid-consumption", "N[-N]", "personality-value positions (0..2800)", "50-150",
     {"pidConsumptionStart", "pidConsumptionEnd"}, 2, '-'},
};

// Splits at every separator; the time form splits at ':' and at the one '-'.
std::vector<std::string> Parts(const std::string& text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        bool split = separator ? c == separator : (c == ':' || c == '-');
        if (split) parts.emplace_back();
        else parts.back() += c;
    }
    return parts;
}

bool SetField(SettingsRecord& settings, SettingsOrigins& origins, const char* name, const std::string& text,
              const std::string& where, std::string& error) {
    int index = SettingsFieldFind(name);
    std::string message;
    if (!SettingsFieldParse(settings, index, text, message)) {
        error = where + ": " + message;
        return false;
    }
    origins[static_cast<size_t>(index)] = where;
    return true;
}

bool ApplyCombined(const CombinedOption& c, const std::string& text, SettingsRecord& settings,
                   SettingsOrigins& origins, std::string& error) {
    std::vector<std::string> parts = Parts(text, c.separator);
    const bool date = c.fieldCount == 3;
    // A single value is a range of one.
    if (c.fieldCount == 2 && parts.size() == 1) parts.push_back(parts[0]);
    bool ok = static_cast<int>(parts.size()) == c.fieldCount;
    if (ok && date) {
        // The year as the window takes it: the two digits after 20.
        ok = parts[0].size() == 4 && parts[0].compare(0, 2, "20") == 0;
        if (ok) parts[0] = parts[0].substr(2);
    }
    for (int i = 0; ok && i < c.fieldCount; ++i) {
        const std::string& part = parts[static_cast<size_t>(i)];
        ok = !part.empty() && part.find_first_not_of("0123456789") == std::string::npos;
    }
    if (!ok) {
        error = std::string(c.option) + ": expects " + c.accepts + ", not \"" + text + "\"";
        return false;
    }
    for (int i = 0; i < c.fieldCount; ++i) {
        std::string message;
        if (!SetField(settings, origins, c.fields[i], parts[static_cast<size_t>(i)], c.option, message)) {
            error = message + " (" + c.fields[i] + ")";
            return false;
        }
    }
    return true;
}

// The modes by their names, simplest first: "iv|shiny|...|grotto".
std::string ModeNames(const char* separator, const char* last) {
    std::string names;
    for (int32_t i = kSearchModeCount - 1; i >= 0; --i)
        names += std::string(i == kSearchModeCount - 1 ? "" : i == 0 ? last : separator) + kSearchModes[i].name;
    return names;
}

bool ApplyMode(const std::string& text, SettingsRecord& settings, SettingsOrigins& origins,
               std::string& error) {
    const SearchModeEntry* chosen = SearchModeNamed(text.c_str());
    if (!chosen) {
        error = "--mode: expects " + ModeNames(", ", " or ") + ", not \"" + text + "\"";
        return false;
    }
    SearchModeSelect(settings.search, chosen->mode);
    for (int32_t m = 0; m < kSearchModeCount; ++m)
        if (const SearchModeEntry& mode = kSearchModes[m]; mode.enabled)
            origins[static_cast<size_t>(SettingsFieldOfSwitch(mode.enabled))] = "--mode";
    return true;
}

// What --help shows after an option that takes a value.
const char* TypeNameOf(const SettingsField& f) {
    switch (f.kind) {
    case kFieldVersion: return "B|W|B2|W2|WORDS";
    case kFieldMac: return "XX-XX-XX-XX-XX-XX";
    case kFieldHexRange: return "HEX[-HEX]";
    case kFieldHex: return "HEX";
    default: return f.count > 1 ? "\"N N ...\"" : "N";
    }
}

// "K/N" with 1 <= K <= N <= 4294967295.
bool ParseShard(const std::string& text, uint64_t& index, uint64_t& count) {
    const size_t slash = text.find('/');
    if (slash == std::string::npos) return false;
    const std::string k = text.substr(0, slash), n = text.substr(slash + 1);
    for (const std::string* part : {&k, &n})
        if (part->empty() || part->size() > 10 || part->find_first_not_of("0123456789") != std::string::npos)
            return false;
    index = std::stoull(k);
    count = std::stoull(n);
    return index >= 1 && index <= count && count <= 0xFFFFFFFFull;
}

std::string EngineNames() {
    std::string names = kPlainEngine.name;
    for (int32_t i = 0; i < SearchEngineCount(); ++i) names += std::string(", ") + SearchEngineAt(i).engine->name;
    return names;
}

}  // namespace

const SearchEngine* CliEngineOf(const std::string& name, std::string& error) {
    if (name.empty()) return SearchEngineBest();
    if (name == kPlainEngine.name) return &kPlainEngine;
    for (int32_t i = 0; i < SearchEngineCount(); ++i) {
        SearchEngineEntry entry = SearchEngineAt(i);
        if (name != entry.engine->name) continue;
        if (entry.supported) return entry.engine;
        error = "--engine: this processor cannot run " + name;
        return nullptr;
    }
    error = "--engine: expects one of " + EngineNames() + ", not \"" + name + "\"";
    return nullptr;
}

int CliParse(int argc, char** argv, CliRunOptions& run, SettingsRecord& settings, SettingsOrigins& origins) {
    SettingsRecord initial;
    SettingsRecordInit(initial);

    CLI::App app{kDescription, "morvane-cli"};
    app.footer(kFooter);
    app.set_version_flag("--version", kVersionText);
    app.get_formatter()->column_width(44);
    app.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);  // the last one given counts

    run = CliRunOptions{};
    run.outputPath = "result.txt";
    run.threads = ConsoleCoreCount();
    app.add_option("--settings", run.settingsPath, "settings file to start from")->type_name("FILE");
    app.add_option("--save-settings", run.saveSettingsPath, "write the effective settings to FILE")
        ->type_name("FILE");
    app.add_flag("--no-search", run.noSearch, "check (and save) the settings, search nothing");
    app.add_option("-o,--output", run.outputPath, "result file, - for standard output")
        ->type_name("FILE")
        ->default_str("result.txt");
    app.add_flag("--utf8", run.utf8, "write UTF-8 with LF instead of code page 932 with CR LF");
    app.add_flag("-q,--quiet", run.quiet, "no progress line");
    app.add_option("--threads", run.threads, "worker threads, at least 1")
        ->type_name("N")
        ->default_str(std::to_string(run.threads) + " (every core)");
    app.add_option("--engine", run.engineName, "batch engine: " + EngineNames())
        ->type_name("NAME")
        ->default_str(SearchEngineBest()->name);

    CLI::App* inspect = app.add_subcommand(
        "inspect", "print the message words, the initial seed and every mode's rows for one moment (--at, "
                   "--held, with the console) or one initial seed (--seed), every filter open, over the "
                   "consumption ranges; to standard output unless -o is given");
    inspect->fallthrough();  // the search's options may follow it
    std::string at, held, seed;
    inspect->add_option("--at", at, "the moment")->type_name("YYYY-MM-DDTHH:MM:SS");
    inspect->add_option("--held", held, "the keys held, of A B Se St Right Left Up Down R L")
        ->type_name("\"KEY ...\"");
    inspect->add_option("--seed", seed, "an initial seed instead of the moment's (the rows then show --at's "
                                        "moment, or 2000-01-01 00:00:00)")
        ->type_name("HEX16");

    CLI::App* calibrate = app.add_subcommand(
        "calibrate", "find the VCount, Timer0, GxStat and Frame of the console (--game and --mac, or config.txt) "
                     "from what one or more boots showed (--at with --held and --ivs or --seed for one boot, "
                     "--boot or --boots FILE for several): every second within --tolerance, every VCount 0-FF and "
                     "Timer0 0-FFFF unless --vcount and --timer0 narrow them, the console's GxStat and Frame "
                     "unless ranges are given here; prints every combination each boot fits, then what the boots "
                     "share, the best first, which --save-settings and --write-config save; to standard output "
                     "unless -o is given");
    calibrate->fallthrough();
    std::string calAt, calHeld, calIvs, calSeed, calTolerance, calFrame, calGxStat, calBoots;
    std::vector<std::string> calBoot;
    bool calWriteConfig = false;
    calibrate->add_option("--at", calAt, "the moment the clock was set to at the boot")
        ->type_name("YYYY-MM-DDTHH:MM:SS");
    calibrate->add_option("--held", calHeld, "the keys held, of A B Se St Right Left Up Down R L")
        ->type_name("\"KEY ...\"")
        ->default_str("none");
    calibrate->add_option("--ivs", calIvs, "the six individual values it showed, at a position of --iv-consumption "
                                           "(the roamer's layout with --roamer)")
        ->type_name("H,A,B,C,D,S");
    calibrate->add_option("--seed", calSeed, "the initial seed it showed instead")->type_name("HEX16");
    calibrate->add_option("--boot", calBoot, "one boot more (repeat it): \"MOMENT [held=KEY,KEY] ivs=H,A,B,C,D,S\" "
                                             "or \"MOMENT [held=...] seed=HEX16\"")
        ->type_name("TEXT")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    calibrate->add_option("--boots", calBoots, "a file of boots, one a line as --boot takes them (# comments)")
        ->type_name("FILE");
    calibrate->add_option("--tolerance", calTolerance, "seconds either side of each moment, 0..60")
        ->type_name("N")
        ->default_str("2");
    calibrate->add_option("--frame", calFrame, "Frame values to try")->type_name("N[-N]")->default_str("the console's");
    calibrate->add_option("--gxstat", calGxStat, "GxStat values to try")
        ->type_name("HEX[-HEX]")
        ->default_str("the console's");
    calibrate->add_flag("--write-config", calWriteConfig, "write the best console to config.txt here");

    std::string shard;
    app.add_option("--shard", shard,
                   "search only the K-th of N equal parts of the walk (every Timer0 and VCount); "
                   "the header only in part 1, the N files joined in order are the whole search's")
        ->type_name("K/N");

    std::string mode;
    app.add_option("--mode", mode, "search mode; sets that mode's switch and clears the others")
        ->type_name(ModeNames("|", "|"))
        ->default_str("iv");
    std::vector<std::string> combined(sizeof kCombined / sizeof kCombined[0]);
    for (size_t i = 0; i < combined.size(); ++i)
        app.add_option(kCombined[i].option, combined[i], kCombined[i].help)
            ->type_name(kCombined[i].accepts)
            ->default_str(kCombined[i].defaultText);

    // One option per remaining field: switches as flags with a --no- form,
    // the others taking the value as a settings file writes it.
    const int fieldCount = SettingsFieldCount();
    std::vector<std::string> values(static_cast<size_t>(fieldCount));
    std::vector<int> flags(static_cast<size_t>(fieldCount));
    std::vector<CLI::Option*> given(static_cast<size_t>(fieldCount));
    for (int i = 0; i < fieldCount; ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        if (!f.ownOption) continue;
        const std::string option = f.option;
        const std::string help = std::string(f.help) + " (" + f.name + ")";
        const std::string defaultText =
            i < kConsoleFieldCount ? "config.txt" : SettingsFieldFormat(initial, i);
        if (f.kind == kFieldBool && f.count == 1) {
            given[static_cast<size_t>(i)] =
                app.add_flag(option + ",!--no-" + option.substr(2), flags[static_cast<size_t>(i)], help);
            given[static_cast<size_t>(i)]->default_str(defaultText);
        } else {
            given[static_cast<size_t>(i)] = app.add_option(option, values[static_cast<size_t>(i)],
                                                           help + ": " + SettingsFieldAccepts(f));
            given[static_cast<size_t>(i)]->type_name(TypeNameOf(f))->default_str(defaultText);
        }
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help, --version
        std::fprintf(stderr, "morvane-cli: %s (see --help)\n", e.what());
        return kExitUsage;
    }

    std::string error;
    auto fail = [&error](const char* option = "") {
        std::fprintf(stderr, "morvane-cli: %s%s\n", option, error.c_str());
        return kExitUsage;
    };
    if (run.threads < 1) {
        error = "--threads: expects a whole number of at least 1, not " + std::to_string(run.threads);
        return fail();
    }
    if (!CliEngineOf(run.engineName, error)) return fail();
    run.inspect = inspect->parsed();
    if (run.inspect) {
        MomentViewRequest& r = run.inspectRequest;
        r = MomentViewRequest{};
        r.moment = CandidateMoment{0, 1, 1, WeekdayOf(0, 1, 1), 0, 0, 0, kKeyMaskNone};
        r.atGiven = !at.empty();
        r.heldGiven = inspect->count("--held") > 0;
        r.seedGiven = !seed.empty();
        if (r.atGiven && !MomentViewParseAt(at, r.moment, error)) return fail("--at: ");
        if (r.heldGiven && !MomentViewParseHeld(held, r.moment.keyMask, error)) return fail("--held: ");
        if (r.seedGiven && !MomentViewParseSeed(seed, r.seed, error)) return fail("--seed: ");
        if (!r.atGiven && !r.seedGiven) {
            error = "inspect: expects --at YYYY-MM-DDTHH:MM:SS (with the console) or --seed HEX16";
            return fail();
        }
        if (app.get_option("--output")->count() == 0) run.outputPath = "-";
    }
    run.calibrate = calibrate->parsed();
    if (run.calibrate) {
        CalibrateCommand& c = run.calibrateCommand;
        c = CalibrateCommand{};
        c.tolerance = kCalibrateTolerance;
        c.writeConfig = calWriteConfig;
        const bool one = !calAt.empty() || calibrate->count("--held") || !calIvs.empty() || !calSeed.empty();
        if (one) {
            CalibrationBoot boot{};
            if (calAt.empty()) {
                error = "expects the moment of the boot with --held, --ivs and --seed, YYYY-MM-DDTHH:MM:SS";
                return fail("--at: ");
            }
            if (!MomentViewParseAt(calAt, boot.at, error)) return fail("--at: ");
            if (calibrate->count("--held") && !MomentViewParseHeld(calHeld, boot.at.keyMask, error)) return fail("--held: ");
            if (calIvs.empty() == calSeed.empty()) {
                error = "calibrate: expects what the boot at --at showed: --ivs H,A,B,C,D,S or --seed HEX16 (one of them)";
                return fail();
            }
            boot.seedSeen = !calSeed.empty();
            if (!calIvs.empty() && !CalibrateParseIvs(calIvs, boot.ivs, error)) return fail("--ivs: ");
            if (boot.seedSeen && !MomentViewParseSeed(calSeed, boot.seed, error)) return fail("--seed: ");
            c.boots.push_back(boot);
        }
        for (const std::string& text : calBoot) {
            CalibrationBoot boot{};
            if (!CalibrateParseBoot(text, boot, error)) return fail("--boot: ");
            c.boots.push_back(boot);
        }
        if (!calBoots.empty() && !CalibrateReadBoots(calBoots, c.boots, error)) return fail("--boots: ");
        if (c.boots.empty()) {
            error = "calibrate: expects what a boot showed: --at YYYY-MM-DDTHH:MM:SS with --ivs H,A,B,C,D,S or "
                    "--seed HEX16, or --boot, or --boots FILE";
            return fail();
        }
        if (!calTolerance.empty() && !CalibrateParseTolerance(calTolerance, c.tolerance, error))
            return fail("--tolerance: ");
        c.frameGiven = !calFrame.empty();
        if (c.frameGiven && !CalibrateParseFrames(calFrame, c.frame, error)) return fail("--frame: ");
        c.gxStatGiven = !calGxStat.empty();
        if (c.gxStatGiven && !CalibrateParseGxStats(calGxStat, c.gxStat, error)) return fail("--gxstat: ");
        if (app.get_option("--output")->count() == 0) run.outputPath = "-";
    }
    if (!shard.empty() && !ParseShard(shard, run.shardIndex, run.shardCount)) {
        error = "--shard: expects K/N with 1 <= K <= N <= 4294967295 (such as 2/8), not \"" + shard + "\"";
        return fail();
    }

    SettingsRecordInit(settings);
    origins = SettingsOriginsNone();
    if (!run.settingsPath.empty() && !SettingsFileRead(run.settingsPath, settings, origins, error))
        return fail();
    if (!mode.empty() && !ApplyMode(mode, settings, origins, error)) return fail();
    for (size_t i = 0; i < combined.size(); ++i)
        if (!combined[i].empty() && !ApplyCombined(kCombined[i], combined[i], settings, origins, error))
            return fail();
    for (int i = 0; i < fieldCount; ++i) {
        CLI::Option* option = given[static_cast<size_t>(i)];
        if (!option || option->count() == 0) continue;
        const SettingsField& f = SettingsFieldAt(i);
        std::string text = values[static_cast<size_t>(i)];
        if (f.kind == kFieldBool && f.count == 1) text = flags[static_cast<size_t>(i)] > 0 ? "1" : "0";
        if (!SetField(settings, origins, f.name, text, f.option, error)) return fail();
    }
    return kExitContinue;
}
