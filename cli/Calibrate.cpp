#include "cli/Calibrate.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <tuple>

#include "cli/Console.h"
#include "cli/ConsoleConfig.h"
#include "cli/MomentView.h"
#include "cli/Options.h"
#include "cli/Progress.h"
#include "cli/SettingsCheck.h"
#include "engine/SearchEngine.h"
#include "modes/IndividualValues.h"
#include "seed/RandomStreams.h"

namespace {

constexpr int64_t kMostFrame = 2147483647;
constexpr char kConfigPath[] = "config.txt";

constexpr char kBootForm[] =
    "a moment YYYY-MM-DDTHH:MM:SS, keys held=KEY,KEY,... (optional) and ivs=H,A,B,C,D,S or seed=HEX16, "
    "separated by spaces (such as 2012-11-29T14:58:21 held=B,St ivs=31,31,31,26,31,31)";

bool AllDigits(const std::string& text, size_t most) {
    return !text.empty() && text.size() <= most && text.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<std::string> Split(const std::string& text, const char* separators) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text + separators[0]) {
        if (std::string(separators).find(c) == std::string::npos) {
            part += c;
        } else if (!part.empty()) {
            parts.push_back(part);
            part.clear();
        }
    }
    return parts;
}

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

std::string SeedText(uint64_t seed) {
    char text[24];
    std::snprintf(text, sizeof text, "%08X%08X", static_cast<unsigned>(seed >> 32), static_cast<unsigned>(seed));
    return text;
}

std::string RangeText(const CalibrationRange& r, std::string (*format)(uint32_t)) {
    return r.low == r.high ? format(r.low) : format(r.low) + "-" + format(r.high);
}

std::string FrameText(uint32_t frame) { return std::to_string(static_cast<int32_t>(frame)); }

void WriteLine(ResultOutput& out, const std::string& line) {
    const std::string text = line + "\r\n";
    ResultOutputWrite(out, text.data(), text.size());
}

// The console a calibration needs: the game and the MAC, named both or
// neither; then config.txt gives them, and GxStat and Frame where neither the
// options nor a settings file name those.
bool CalibrateConsoleSettle(SettingsRecord& settings, SettingsOrigins& origins, std::string& error) {
    const size_t version = static_cast<size_t>(SettingsFieldFind("version"));
    const size_t mac = static_cast<size_t>(SettingsFieldFind("mac"));
    const bool hasVersion = !origins[version].empty(), hasMac = !origins[mac].empty();
    if (hasVersion && hasMac) return true;
    if (hasVersion != hasMac) {
        error = std::string("calibrate: the console is named only in part; also give ") +
                (hasVersion ? "--mac" : "--game");
        return false;
    }
    SettingsRecord config = settings;
    if (!ConsoleConfigLoad(kConfigPath, config)) {
        error = "calibrate: no console: config.txt is not in this folder; give --game and --mac (or a settings "
                "file naming version and mac)";
        return false;
    }
    settings.search.version = config.search.version;
    std::copy(config.mac, config.mac + 6, settings.mac);
    origins[version] = origins[mac] = kConfigPath;
    for (const char* name : {"gxStat", "frame"}) {
        const size_t field = static_cast<size_t>(SettingsFieldFind(name));
        if (!origins[field].empty()) continue;
        origins[field] = kConfigPath;
        if (std::string(name) == "gxStat") settings.search.gxStat = config.search.gxStat;
        else settings.search.frame = config.search.frame;
    }
    return true;
}

// The given range of --vcount or --timer0 (on the command line only), else
// every value.
bool UnknownRange(const SettingsRecord& settings, const SettingsOrigins& origins, const char* name,
                  CalibrationRange every, uint32_t most, CalibrationRange& range, std::string& error) {
    const int field = SettingsFieldFind(name);
    const SettingsField& f = SettingsFieldAt(field);
    range = every;
    if (origins[static_cast<size_t>(field)] != f.option) return true;
    const HexRange& given = std::string(name) == "vCount" ? settings.vCount : settings.timer0;
    if (given.high > most) {
        error = std::string(f.option) + ": calibrate takes values 0.." + Hex(most) + " (HEX[-HEX]), not " +
                SettingsFieldFormat(settings, field);
        return false;
    }
    range = {given.low, given.high};
    return true;
}

// What can be widened when nothing matched.
std::string WidenText(const CalibrationRequest& r) {
    std::vector<std::string> wider;
    if (r.tolerance < kCalibrationMostTolerance)
        wider.push_back("--tolerance (now " + std::to_string(r.tolerance) + ", at most " +
                        std::to_string(kCalibrationMostTolerance) + ")");
    const bool values = std::any_of(r.boots.begin(), r.boots.end(), [](const CalibrationBoot& b) { return !b.seedSeen; });
    const int32_t last = kMtSize - 1 - IvOutputReach(r.roamer);  // the last position whose values exist
    if (values && (r.ivStart > 0 || r.ivEnd < last))
        wider.push_back("--iv-consumption (now " + std::to_string(r.ivStart) + "-" + std::to_string(r.ivEnd) +
                        ", at most 0-" + std::to_string(last) + ")");
    if (r.vCount.low > kCalibrateVCounts.low || r.vCount.high < kCalibrateVCounts.high)
        wider.push_back("--vcount (now " + RangeText(r.vCount, Hex) + ")");
    if (r.timer0.low > kCalibrateTimer0s.low || r.timer0.high < kCalibrateTimer0s.high)
        wider.push_back("--timer0 (now " + RangeText(r.timer0, Hex) + ")");
    wider.push_back("--gxstat and --frame as ranges (now " + RangeText(r.gxStat, Hex) + " and " +
                    RangeText(r.frame, FrameText) + ", such as --frame 8-9)");
    if (values && !r.roamer) wider.push_back("--roamer if the values were a roaming creature's");
    std::string text;
    for (const std::string& w : wider) text += (text.empty() ? "" : "; ") + w;
    return text + "; and check the game, the MAC, the keys held and what each boot showed";
}

std::string BootText(const CalibrationRequest& r, const CalibrationBoot& boot) {
    const std::string held = MomentViewHeldText(boot.at.keyMask);
    std::string text = MomentViewMomentText(boot.at) + ", " + std::to_string(r.tolerance) + " s either side, " +
                       (held.empty() ? std::string("no key held") : "keys held " + held) + ", showed ";
    if (boot.seedSeen) return text + "the initial seed " + SeedText(boot.seed);
    for (int i = 0; i < 6; ++i) text += (i ? "," : "") + std::to_string(boot.ivs[i]);
    return text + " at a position of " + std::to_string(r.ivStart) + "-" + std::to_string(r.ivEnd) +
           (r.roamer ? " (roamer)" : "");
}

std::string OffsetText(int32_t offset) { return (offset < 0 ? "" : "+") + std::to_string(offset); }

// "C79 / C7A C7B / -": the Timer0 values of each boot.
std::string Timer0sText(const CalibrateConsole& c) {
    std::string text;
    for (size_t b = 0; b < c.timer0s.size(); ++b) {
        text += b ? " / " : "";
        if (c.timer0s[b].empty()) text += "-";
        for (size_t i = 0; i < c.timer0s[b].size(); ++i) text += (i ? " " : "") + Hex(c.timer0s[b][i]);
    }
    return text;
}

struct ProgressContext {
    ProgressState* state;
    std::atomic<bool>* stop;
};

void CalibrationProgress(void* context, uint64_t candidates, uint64_t matches) {
    ProgressContext& p = *static_cast<ProgressContext*>(context);
    if (ConsoleInterrupted()) p.stop->store(true);
    p.state->done = candidates;
    p.state->rows = matches;
    ProgressUpdate(*p.state);
}

}  // namespace

bool CalibrateParseIvs(const std::string& text, uint8_t (&ivs)[6], std::string& error) {
    const std::vector<std::string> parts = Split(text, ", ");
    bool ok = parts.size() == 6;
    for (size_t i = 0; ok && i < 6; ++i) {
        ok = AllDigits(parts[i], 2) && std::stoi(parts[i]) <= 31;
        if (ok) ivs[i] = static_cast<uint8_t>(std::stoi(parts[i]));
    }
    if (!ok)
        error = "expects six individual values 0..31, H A B C D S separated by commas (such as "
                "31,31,31,26,31,31), not \"" + text + "\"";
    return ok;
}

bool CalibrateParseTolerance(const std::string& text, int32_t& seconds, std::string& error) {
    if (!AllDigits(text, 2) || std::stoi(text) > kCalibrationMostTolerance) {
        error = "expects whole seconds 0.." + std::to_string(kCalibrationMostTolerance) +
                " either side of each moment, not \"" + text + "\"";
        return false;
    }
    seconds = std::stoi(text);
    return true;
}

bool CalibrateParseFrames(const std::string& text, CalibrationRange& range, std::string& error) {
    std::vector<std::string> parts = Split(text, "-");
    if (parts.size() == 1) parts.push_back(parts[0]);
    // Split drops empty parts: "-8", "8-" and "8--9" are refused here.
    bool ok = parts.size() == 2 && text.front() != '-' && text.back() != '-' && text.find("--") == std::string::npos;
    int64_t low = 0, high = 0;
    if (ok) ok = AllDigits(parts[0], 10) && AllDigits(parts[1], 10);
    if (ok) {
        low = std::stoll(parts[0]);
        high = std::stoll(parts[1]);
        ok = low <= high && high <= kMostFrame;
    }
    if (!ok) {
        error = "expects N[-N], whole numbers 0.." + std::to_string(kMostFrame) +
                " with the first not above the last (such as 8-9), not \"" + text + "\"";
        return false;
    }
    range = {static_cast<uint32_t>(low), static_cast<uint32_t>(high)};
    return true;
}

bool CalibrateParseGxStats(const std::string& text, CalibrationRange& range, std::string& error) {
    HexRange parsed{};
    if (!HexRangeParse(text, parsed)) {
        error = "expects HEX[-HEX], hexadecimal 0..FFFFFFFF with the first not above the last (such as "
                "6000000), not \"" + text + "\"";
        return false;
    }
    range = {parsed.low, parsed.high};
    return true;
}

bool CalibrateParseBoot(const std::string& text, CalibrationBoot& boot, std::string& error) {
    const std::vector<std::string> words = Split(text, " \t");
    CalibrationBoot parsed{};
    std::string message;
    if (words.empty() || !MomentViewParseAt(words[0], parsed.at, message)) {
        error = "expects " + std::string(kBootForm) + ", not \"" + text + "\"";
        return false;
    }
    bool held = false, seen = false;
    for (size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        const size_t equals = word.find('=');
        const std::string key = word.substr(0, equals), value = equals == std::string::npos ? "" : word.substr(equals + 1);
        bool ok = equals != std::string::npos;
        if (ok && key == "held" && !held) {
            held = true;
            ok = MomentViewParseHeld(value, parsed.at.keyMask, message);
        } else if (ok && (key == "ivs" || key == "seed") && !seen) {
            seen = true;
            parsed.seedSeen = key == "seed";
            ok = parsed.seedSeen ? MomentViewParseSeed(value, parsed.seed, message) : CalibrateParseIvs(value, parsed.ivs, message);
        } else {
            ok = false;
            message.clear();
        }
        if (!ok) {
            error = message.empty() ? "expects " + std::string(kBootForm) + ", not \"" + text + "\"" : key + "=: " + message;
            return false;
        }
    }
    if (!seen) {
        error = "expects what the boot showed, ivs=H,A,B,C,D,S or seed=HEX16, in \"" + text + "\"";
        return false;
    }
    boot = parsed;
    return true;
}

bool CalibrateReadBoots(const std::string& path, std::vector<CalibrationBoot>& boots, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read: " + std::strerror(errno);
        return false;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        if (line.back() == '\r') line.pop_back();
        CalibrationBoot boot;
        if (!CalibrateParseBoot(line, boot, error)) {
            error = path + ":" + std::to_string(number) + ": " + error;
            return false;
        }
        boots.push_back(boot);
    }
    return true;
}

bool CalibrateRequestOf(const SettingsRecord& settings, const SettingsOrigins& origins,
                        const CalibrateCommand& command, CalibrationRequest& request, std::string& error) {
    CalibrationRequest r{};
    const SearchSettings& s = settings.search;
    r.version = s.version;
    std::copy(settings.mac, settings.mac + 6, r.mac);
    r.threeDsMode = s.threeDsMode;
    r.boots = command.boots;
    r.tolerance = command.tolerance;
    if (!UnknownRange(settings, origins, "vCount", kCalibrateVCounts, kCalibrateMostVCount, r.vCount, error) ||
        !UnknownRange(settings, origins, "timer0", kCalibrateTimer0s, kCalibrateMostTimer0, r.timer0, error))
        return false;
    const uint32_t gxStat = static_cast<uint32_t>(s.gxStat), frame = static_cast<uint32_t>(s.frame);
    r.gxStat = command.gxStatGiven ? command.gxStat : CalibrationRange{gxStat, gxStat};
    r.frame = command.frameGiven ? command.frame : CalibrationRange{frame, frame};
    r.ivStart = s.ivConsumptionStart;
    r.ivEnd = s.ivConsumptionEnd;
    r.roamer = s.roamerEnabled;
    uint64_t candidates = 0;
    if (!CalibrationRequestValid(r, candidates)) {
        error = "calibrate: the ranges make more candidates than can be counted (18446744073709551615 at most); "
                "narrow --gxstat or --frame";
        return false;
    }
    request = r;
    return true;
}

std::vector<CalibrateConsole> CalibrateSummarize(const CalibrationResult& result, size_t bootCount) {
    using Key = std::tuple<uint32_t, uint32_t, uint32_t>;  // VCount, GxStat, Frame
    struct BootMatches {
        std::set<uint32_t> timer0s;
        int32_t nearest = kCalibrationMostTolerance;  // seconds from the moment given
    };
    std::map<Key, std::vector<BootMatches>> found;
    for (const CalibrationMatch& m : result.matches) {
        std::vector<BootMatches>& boots = found[Key{m.vCount, m.gxStat, m.frame}];
        boots.resize(bootCount);
        BootMatches& boot = boots[static_cast<size_t>(m.boot)];
        boot.timer0s.insert(m.timer0);
        boot.nearest = std::min(boot.nearest, std::abs(m.offset));
    }
    std::vector<CalibrateConsole> shared;
    for (const auto& [key, boots] : found) {
        CalibrateConsole c{std::get<0>(key), std::get<1>(key), std::get<2>(key), 0, {}, 0xFFFFFFFFu, 0, 0, 0};
        std::map<uint32_t, int32_t> uses;
        for (const BootMatches& boot : boots) {
            const std::set<uint32_t>& timer0s = boot.timer0s;
            c.timer0s.emplace_back(timer0s.begin(), timer0s.end());
            if (timer0s.empty()) continue;
            ++c.boots;
            c.offsets += boot.nearest;
            c.timer0Low = std::min(c.timer0Low, *timer0s.begin());
            c.timer0High = std::max(c.timer0High, *timer0s.rbegin());
            for (uint32_t t : timer0s) ++uses[t];
        }
        int32_t most = 0;
        for (const auto& [timer0, count] : uses)
            if (count > most) {
                most = count;
                c.timer0Most = timer0;
            }
        shared.push_back(c);
    }
    std::stable_sort(shared.begin(), shared.end(), [](const CalibrateConsole& a, const CalibrateConsole& b) {
        if (a.boots != b.boots) return a.boots > b.boots;
        if (a.timer0High - a.timer0Low != b.timer0High - b.timer0Low)
            return a.timer0High - a.timer0Low < b.timer0High - b.timer0Low;
        return a.offsets < b.offsets;
    });
    return shared;
}

void CalibrateWriteReport(const CalibrationRequest& r, const CalibrationResult& result,
                          const std::vector<CalibrateConsole>& shared, ResultOutput& out) {
    size_t at = 0;
    for (size_t b = 0; b < r.boots.size(); ++b) {
        WriteLine(out, "boot " + std::to_string(b + 1) + ": " + BootText(r, r.boots[b]));
        const size_t first = at;
        for (; at < result.matches.size() && result.matches[at].boot == static_cast<int32_t>(b); ++at) {
            const CalibrationMatch& m = result.matches[at];
            if (at == first) WriteLine(out, "Timer0,VCount,Frame,GxStat,second,offset,position,initial seed");
            WriteLine(out, Hex(m.timer0) + "," + Hex(m.vCount) + "," + FrameText(m.frame) + "," + Hex(m.gxStat) + "," +
                               MomentViewMomentText(m.moment) + "," + OffsetText(m.offset) + "," +
                               (m.position < 0 ? std::string("-") : std::to_string(m.position)) + "," +
                               SeedText(m.seed));
        }
        if (at == first) WriteLine(out, "no combination gives what this boot showed");
    }
    const std::string count = std::to_string(result.candidates) + " candidates, " +
                              std::to_string(result.matches.size()) +
                              (result.matches.size() == 1 ? " match" : " matches");
    if (shared.empty()) {
        WriteLine(out, "nothing found; widen what can be widened: " + WidenText(r));
        WriteLine(out, count);
        return;
    }
    WriteLine(out, "shared by the boots, the best supported first:");
    WriteLine(out, "VCount,Frame,GxStat,boots,Timer0 of each boot");
    for (const CalibrateConsole& c : shared)
        WriteLine(out, Hex(c.vCount) + "," + FrameText(c.frame) + "," + Hex(c.gxStat) + "," + std::to_string(c.boots) +
                           " of " + std::to_string(r.boots.size()) + "," + Timer0sText(c));
    const CalibrateConsole& best = shared.front();
    if (shared.size() > 1 && shared[1].boots == best.boots)
        WriteLine(out, "more than one fits as many boots: another boot tells them apart");
    WriteLine(out, "best: --vcount " + Hex(best.vCount) + " --timer0 " +
                       RangeText({best.timer0Low, best.timer0High}, Hex) + " --gxstat " + Hex(best.gxStat) +
                       " --frame " + FrameText(best.frame) + " (Timer0 " + Hex(best.timer0Most) + " most often)");
    WriteLine(out, count);
}

SettingsRecord CalibrateSettingsOf(const SettingsRecord& settings, const CalibrateConsole& best) {
    SettingsRecord s = settings;
    s.vCount = HexRange{best.vCount, best.vCount, false};
    s.timer0 = HexRange{best.timer0Low, best.timer0High, best.timer0Low != best.timer0High};
    s.search.gxStat = best.gxStat;
    s.search.frame = static_cast<int32_t>(best.frame);
    return s;
}

int CalibrateMain(const CalibrateCommand& command, SettingsRecord& settings, SettingsOrigins& origins,
                  const std::string& outputPath, bool utf8, bool quiet, int threads, const SearchEngine* engine,
                  const std::string& saveSettingsPath, bool checkOnly) {
    std::string error;
    auto fail = [&error](int code) {
        std::fprintf(stderr, "morvane-cli: %s\n", error.c_str());
        return code;
    };
    // Dates not given are the first boot's, so that the settings are those
    // of a search of that day (a settings file saved runs as it is).
    const CandidateMoment& first = command.boots.front().at;
    const std::pair<const char*, int32_t> dates[] = {{"startYear", first.year}, {"startMonth", first.month},
                                                      {"startDay", first.day},   {"endYear", first.year},
                                                      {"endMonth", first.month}, {"endDay", first.day}};
    for (const auto& [name, value] : dates) {
        const int field = SettingsFieldFind(name);
        if (origins[static_cast<size_t>(field)].empty())
            SettingsFieldParse(settings, field, std::to_string(value), error);
    }
    CalibrationRequest request;
    if (!CalibrateConsoleSettle(settings, origins, error) || !SettingsCheck(settings, origins, error) ||
        !CalibrateRequestOf(settings, origins, command, request, error))
        return fail(kExitUsage);
    if (checkOnly) return kExitDone;

    ResultOutput out;
    if (!ResultOutputOpen(out, outputPath, utf8, false, error)) return fail(kExitOutput);
    uint64_t total = 0;
    CalibrationRequestValid(request, total);
    ProgressState progress;
    ProgressStart(progress, !quiet && ConsoleStderrIsTerminal(), total);
    progress.year = first.year;
    progress.month = first.month;
    progress.day = first.day;
    std::atomic<bool> stop{false};
    ProgressContext context{&progress, &stop};
    CalibrationOptions options{};
    options.kernels = SearchEngineKernelsOf(engine);
    options.threads = threads;
    options.progress = CalibrationProgress;
    options.progressContext = &context;
    options.abort = &stop;
    const CalibrationResult result =
        engine == &kPlainEngine ? CalibrationRunPlain(request, options) : CalibrationRun(request, options);
    progress.done = result.candidates;
    progress.rows = result.matches.size();
    const bool interrupted = !result.finished || ConsoleInterrupted();
    ProgressFinish(progress, interrupted);
    if (interrupted) {
        ResultOutputClose(out, error);
        return kExitInterrupted;
    }

    const std::vector<CalibrateConsole> shared = CalibrateSummarize(result, request.boots.size());
    CalibrateWriteReport(request, result, shared, out);
    bool written = true;
    if (!shared.empty() && !saveSettingsPath.empty()) {
        written = SettingsFileWrite(saveSettingsPath, CalibrateSettingsOf(settings, shared.front()), error);
        if (written) WriteLine(out, "settings written to " + saveSettingsPath);
    }
    if (written && !shared.empty() && command.writeConfig) {
        SettingsRecord config = CalibrateSettingsOf(settings, shared.front());
        config.timer0.low = shared.front().timer0Most;
        written = ConsoleConfigSave(kConfigPath, config, error);
        if (written) WriteLine(out, std::string(kConfigPath) + " written (Timer0 " + Hex(shared.front().timer0Most) + ")");
    }
    std::string closing;
    const bool closed = ResultOutputClose(out, closing);
    if (!written) return fail(kExitOutput);
    if (!closed) {
        error = closing;
        return fail(kExitOutput);
    }
    return kExitDone;
}
