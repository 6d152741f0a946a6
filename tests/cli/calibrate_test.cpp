// morvane-cli calibrate run as a program on boots made up from known
// consoles: the report names every boot's parameters and the shared best
// console, which the saved settings file and config.txt then hold; bad input
// writes nothing and says what; a calibration that finds nothing says what
// to widen and writes no file.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/cli_test_support.h"
#include "cli/ConsoleConfig.h"
#include "cli/MomentView.h"
#include "cli/SettingsFile.h"
#include "engine/Calibration.h"
#include "modes/IndividualValues.h"
#include "seed/RandomStreams.h"

namespace {

std::string Hex(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(value));
    return text;
}

// A boot made from a known console: the clock stood `offset` seconds after
// the moment the player typed; it showed six values at `position`, or
// (position -1) its seed. The report's row of the truth comes with it.
struct MadeBoot {
    std::string shown;  // "ivs=..." or "seed=..."
    std::string row;
};

MadeBoot MakeBoot(const CalibrationRequest& r, const CandidateMoment& typed, int32_t offset, uint32_t vCount,
                  uint32_t timer0, uint32_t gxStat, uint32_t frame, int32_t position) {
    CandidateMoment real;
    EXPECT_TRUE(CalibrationMomentShift(typed, offset, real));
    const uint64_t seed = CalibrationSeedOf(r, real, vCount, timer0, gxStat, frame);
    char seedText[24];
    std::snprintf(seedText, sizeof seedText, "%08X%08X", static_cast<unsigned>(seed >> 32),
                  static_cast<unsigned>(seed));
    MadeBoot boot;
    boot.row = Hex(timer0) + "," + Hex(vCount) + "," + std::to_string(frame) + "," + Hex(gxStat) + "," +
               MomentViewMomentText(real) + "," + (offset < 0 ? "" : "+") + std::to_string(offset) + "," +
               (position < 0 ? std::string("-") : std::to_string(position)) + "," + seedText;
    if (position < 0) {
        boot.shown = std::string("seed=") + seedText;
        return boot;
    }
    MtTable mt;
    MtTableFill(mt, seed);
    const IvSet ivs = IvSetAt(mt, position, r.roamer);
    boot.shown = "ivs=";
    for (int i = 0; i < 6; ++i) boot.shown += (i ? "," : "") + std::to_string(ivs.v[i]);
    return boot;
}

const char* const kGames[] = {"B", "W", "B2", "W2"};
const char* const kHeld[] = {"", "A", "B,St,Right,Left,Down,R,L", "Se,St,R,L,Up"};
const char* const kKeyNames[10] = {"A", "B", "Se", "St", "Right", "Left", "Up", "Down", "R", "L"};

// Four consoles, one of each game (the last one read from config.txt), three
// boots each with their own Timer0 one apart and clocks off by up to the
// tolerance: one given as --at/--held/--ivs, one as --boot, one in a file.
TEST(CliCalibrate, FindsTheConsoleOfMadeUpBoots) {
    std::string dir = Folder("calibrate");
    std::mt19937 rng(51);
    for (int round = 0; round < 4; ++round) {
        SCOPED_TRACE(std::string("game ") + kGames[round]);
        CalibrationRequest r{};
        VersionConstantsSet(r.version, static_cast<GameVersion>(round));
        std::string mac;
        for (int i = 0; i < 6; ++i) {
            r.mac[i] = rng() % 256;
            mac += (i ? "-" : "") + Hex(r.mac[i] + 0x100).substr(1);
        }
        r.roamer = round == 1;
        const uint32_t vCount = 0x50 + rng() % 0xB0, timer0 = 0x20 + rng() % 0xFF00, frame = 8 + round % 2;
        const uint32_t gxStat = 0x06000000;
        const int32_t tolerance = round == 2 ? 7 : 2;
        std::vector<MadeBoot> made;
        std::vector<std::string> typedText, heldText;
        r.ivStart = 3;
        r.ivEnd = 7;
        for (int b = 0; b < 3; ++b) {
            CandidateMoment typed{static_cast<int32_t>(rng() % 100), 1 + static_cast<int32_t>(rng() % 12),
                                  1 + static_cast<int32_t>(rng() % 28), 0, static_cast<int32_t>(rng() % 24),
                                  static_cast<int32_t>(rng() % 60), static_cast<int32_t>(rng() % 60), 1023};
            typed.weekday = WeekdayOf(typed.year, typed.month, typed.day);
            const std::string held = kHeld[(round + b) % 4];
            for (int k = 0; k < 10; ++k)
                if ((',' + held + ',').find(std::string(",") + kKeyNames[k] + ",") != std::string::npos)
                    typed.keyMask &= ~(1u << k);
            const int32_t offset = static_cast<int32_t>(rng() % (2 * tolerance + 1)) - tolerance;
            const int32_t position = b == 1 ? -1 : r.ivStart + static_cast<int32_t>(rng() % 5);
            made.push_back(MakeBoot(r, typed, offset, vCount, timer0 + (b == 2), gxStat, frame, position));
            typedText.push_back(MomentViewMomentText(typed));
            heldText.push_back(held);
        }
        auto bootText = [&](int b) {
            return typedText[b] + (heldText[b].empty() ? "" : " held=" + heldText[b]) + " " + made[b].shown;
        };
        WriteBytes(dir + "boots.txt", "# a boot\n\n" + bootText(2) + "  # the third\r\n");
        std::vector<std::string> console = {"--game", kGames[round], "--mac", mac, "--gxstat", Hex(gxStat)};
        if (round == 3) {
            WriteBytes(dir + "config.txt", "1\n2\n" + Hex(gxStat) + "\n" + std::to_string(frame) + "\n" + mac +
                                               "\n0209A8FC 02039AF5 021FF9D0 021FFA24 021FFA24\n");
            console = {};
        }
        std::string held = heldText[0];
        for (char& c : held) c = c == ',' ? ' ' : c;
        const std::vector<std::string> at = {"--at", typedText[0], "--ivs", made[0].shown.substr(4), "--held", held};
        const std::vector<std::string> args =
            Args({console,
                  {"--iv-consumption", "3-7", "--vcount", Hex(vCount - 2) + "-" + Hex(vCount + 2), "--timer0",
                   Hex(timer0 - 0x20) + "-" + Hex(timer0 + 0x20), "-q", "--save-settings", "saved.txt"},
                  r.roamer ? std::vector<std::string>{"--roamer"} : std::vector<std::string>{},
                  {"calibrate", "--frame", "8-9", "--tolerance", std::to_string(tolerance), "--write-config",
                   "--boot", bootText(1), "--boots", "boots.txt"},
                  at,
                  round == 0 ? std::vector<std::string>{} : std::vector<std::string>{"-o", "report.txt"}});
        const CliRun run = RunCli(dir, args);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string report = round == 0 ? run.out : ReadBytes(dir + "report.txt");
        for (const MadeBoot& boot : made) EXPECT_NE(report.find(boot.row + "\r\n"), std::string::npos) << boot.row;
        const std::string best = "best: --vcount " + Hex(vCount) + " --timer0 " + Hex(timer0) + "-" +
                                 Hex(timer0 + 1) + " --gxstat " + Hex(gxStat) + " --frame " + std::to_string(frame);
        EXPECT_NE(report.find(best), std::string::npos) << report;
        EXPECT_NE(report.find(Hex(vCount) + "," + std::to_string(frame) + "," + Hex(gxStat) + ",3 of 3," +
                              Hex(timer0) + " / " + Hex(timer0) + " / " + Hex(timer0 + 1)),
                  std::string::npos)
            << report;

        SettingsRecord saved;
        SettingsRecordInit(saved);
        SettingsOrigins origins = SettingsOriginsNone();
        std::string error;
        ASSERT_TRUE(SettingsFileRead(dir + "saved.txt", saved, origins, error)) << error;
        EXPECT_EQ(saved.vCount.low, vCount);
        EXPECT_TRUE(saved.timer0.low == timer0 && saved.timer0.high == timer0 + 1 && saved.timer0.isRange);
        EXPECT_EQ(saved.search.frame, static_cast<int32_t>(frame));
        EXPECT_EQ(saved.search.gxStat, gxStat);
        EXPECT_EQ(std::vector<uint32_t>(saved.mac, saved.mac + 6), std::vector<uint32_t>(r.mac, r.mac + 6));
        SettingsRecord config;
        SettingsRecordInit(config);
        ASSERT_TRUE(ConsoleConfigLoad(dir + "config.txt", config));
        EXPECT_EQ(config.vCount.low, vCount);
        EXPECT_EQ(config.timer0.low, timer0);  // two of the three boots used it
        EXPECT_EQ(config.search.frame, static_cast<int32_t>(frame));
        EXPECT_EQ(VersionConstantsGame(config.search.version), round);
        for (const char* file : {"saved.txt", "config.txt", "report.txt"}) std::remove((dir + file).c_str());
    }
    RemoveFolder(dir);
}

TEST(CliCalibrate, BadInputWritesNothingAndSaysWhat) {
    std::string dir = Folder("calibrate_checks");
    WriteBytes(dir + "boots.txt", "2012-11-29T14:58:21 seed=40B05C6C8CA16448\n2012-11-29T14:58:21 ivs=31,31\n");
    const std::vector<std::string> console = {"--game", "B", "--mac", "12-34-56-78-9A-BC", "--gxstat", "6000000",
                                              "--frame", "8", "--save-settings", "saved.txt", "-o", "report.txt"};
    const std::string at = "2012-11-29T14:58:21";
    const std::vector<std::string> seen = {"--at", at, "--ivs", "31,31,31,26,31,31"};
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"calibrate"}, "calibrate: expects what a boot showed: --at YYYY-MM-DDTHH:MM:SS with --ivs"},
        {{"calibrate", "--at", at}, "calibrate: expects what the boot at --at showed"},
        {{"calibrate", "--at", at, "--ivs", "31,31,31,26,31,31", "--seed", "40B05C6C8CA16448"},
         "calibrate: expects what the boot at --at showed: --ivs H,A,B,C,D,S or --seed HEX16 (one of them)"},
        {{"calibrate", "--ivs", "31,31,31,26,31,31"}, "--at: expects the moment of the boot"},
        {{"calibrate", "--at", at, "--ivs", "31,31,31,32,31,31"}, "--ivs: expects six individual values 0..31"},
        {{"calibrate", "--at", at, "--ivs", "31,31,31,31,31"}, "--ivs: expects six"},
        {{"calibrate", "--at", at, "--seed", "40B05C6C8CA1644"},
         "--seed: expects an initial seed of 16 hexadecimal digits"},
        {{"calibrate", "--at", "2012-02-30T14:58:21", "--seed", "40B05C6C8CA16448"}, "--at: expects a moment"},
        {{"calibrate", "--at", at, "--held", "B Turbo", "--seed", "40B05C6C8CA16448"}, "--held: expects key names"},
        {Args({{"calibrate", "--tolerance", "61"}, seen}), "--tolerance: expects whole seconds 0..60"},
        {Args({{"calibrate", "--frame", "9-8"}, seen}), "--frame: expects N[-N], whole numbers 0..2147483647"},
        {Args({{"calibrate", "--frame", "-8"}, seen}), "--frame: expects N[-N]"},
        {Args({{"calibrate", "--gxstat", "6000001-6000000"}, seen}), "--gxstat: expects HEX[-HEX]"},
        {Args({{"--timer0", "C7B-C79", "calibrate"}, seen}), "--timer0: expects"},
        {Args({{"--vcount", "0-1000", "calibrate"}, seen}),
         "--vcount: calibrate takes values 0..FFF (HEX[-HEX]), not 0-1000"},
        {Args({{"--timer0", "0-10000", "calibrate"}, seen}), "--timer0: calibrate takes values 0..FFFF"},
        {{"calibrate", "--boot", at + " ivs=1,2,3"}, "--boot: ivs=: expects six individual values"},
        {{"calibrate", "--boot", at + " held=B"}, "--boot: expects what the boot showed"},
        {{"calibrate", "--boot", at + " held=B,Turbo seed=40B05C6C8CA16448"}, "--boot: held=: expects key names"},
        {{"calibrate", "--boot", "tomorrow seed=40B05C6C8CA16448"}, "--boot: expects a moment YYYY-MM-DDTHH:MM:SS"},
        {{"calibrate", "--boots", "boots.txt"}, "--boots: boots.txt:2: ivs=: expects six individual values"},
        {{"calibrate", "--boots", "none.txt"}, "--boots: none.txt: cannot be read"},
        {Args({{"--iv-consumption", "30-0", "calibrate"}, seen}), "the individual-value positions run from 30 to 0"},
        {Args({{"--roamer", "--iv-consumption", "0-618", "calibrate"}, seen}),
         "the last individual-value position is 618"},
        {Args({{"calibrate", "--gxstat", "0-FFFFFFFF", "--frame", "0-2147483647"}, seen}),
         "calibrate: the ranges make more candidates than can be counted"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(dir, Args({console, c.args}));
        EXPECT_EQ(run.exitCode, 2) << c.message << "\n" << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(Lines(run.err), 1u) << run.err;
        for (const char* file : {"saved.txt", "report.txt", "config.txt"})
            EXPECT_EQ(ReadBytes(dir + file), "") << c.message << ": " << file;
    }
    const CliRun noConsole = RunCli(dir, Args({{"calibrate"}, seen}));
    EXPECT_EQ(noConsole.exitCode, 2);
    EXPECT_NE(noConsole.err.find("calibrate: no console: config.txt is not in this folder; give --game and --mac"),
              std::string::npos)
        << noConsole.err;
    const CliRun part = RunCli(dir, Args({{"--game", "W2", "calibrate"}, seen}));
    EXPECT_NE(part.err.find("calibrate: the console is named only in part; also give --mac"), std::string::npos)
        << part.err;
    RemoveFolder(dir);
}

// A boot no combination of the ranges gives: said so with what can be
// widened, exit 0, neither the settings file nor config.txt written.
TEST(CliCalibrate, NothingFoundSaysWhatToWiden) {
    std::string dir = Folder("calibrate_none");
    const CliRun run = RunCli(dir, {"--game", "B", "--mac", "12-34-56-78-9A-BC", "--gxstat", "6000000", "--frame", "8",
                                    "--vcount", "60", "--timer0", "C79-C7A", "--iv-consumption", "0-3",
                                    "--save-settings", "saved.txt", "calibrate", "--at", "2012-11-29T14:58:21",
                                    "--ivs", "31,31,31,26,31,31", "--write-config", "--utf8"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("no combination gives what this boot showed\n"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("nothing found; widen what can be widened: --tolerance (now 2, at most 60); "
                           "--iv-consumption (now 0-3, at most 0-618); --vcount (now 60); --timer0 (now C79-C7A); "
                           "--gxstat and --frame as ranges (now 6000000 and 8, such as --frame 8-9); --roamer"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("10 candidates, 0 matches\n"), std::string::npos) << run.out;
    EXPECT_EQ(ReadBytes(dir + "saved.txt"), "");
    EXPECT_EQ(ReadBytes(dir + "config.txt"), "");
    RemoveFolder(dir);
}

// Ctrl-C during a long calibration (every Timer0 and VCount): it stops
// within a batch with exit 130, and neither a report nor a file is written.
TEST(CliCalibrate, InterruptStopsItAndWritesNothing) {
    std::string dir = Folder("calibrate_interrupt");
    const pid_t pid = StartCli(dir, {"--game", "B", "--mac", "12-34-56-78-9A-BC", "--gxstat", "6000000", "--frame",
                                     "8", "--save-settings", "saved.txt", "calibrate", "--at", "2012-11-29T14:58:21",
                                     "--ivs", "31,31,31,26,31,31", "--write-config", "-o", "report.txt"});
    for (int i = 0; i < 400 && access((dir + "report.txt").c_str(), F_OK) != 0; ++i)
        usleep(25000);
    usleep(200000);
    EXPECT_EQ(InterruptCli(pid), 130) << "-1: the calibration did not stop";
    for (const char* file : {"report.txt", "saved.txt", "config.txt"}) EXPECT_EQ(ReadBytes(dir + file), "") << file;
    RemoveFolder(dir);
}

}  // namespace
