// morvane-cli run as a program (MORVANE_CLI_PATH) against the core's
// RunSearch on the same settings: every mode on one and on four threads, the
// settings round trip, the Timer0/VCount columns, the checks that write
// nothing, an interrupt, UTF-8.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "cli/Console.h"
#include "tests/cli/cli_test_support.h"
#include "cli/MomentView.h"
#include "modes/Grotto.h"
#include "modes/SearchModes.h"
#include "modes/SearchSettings.h"
#include "engine/SearchEngine.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"
#include "bench/ExampleConsole.h"

namespace {

// Under the sanitizers the mode comparisons walk two seconds of each minute.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif

// The worked example's console on its day, as options.
const std::vector<std::string> kConsole = {"--game", "B", "--mac", "12-34-56-78-9A-BC", "--vcount", "60",
                                           "--timer0", "C79", "--gxstat", "0x06000000", "--frame", "8",
                                           "--from", "2012-11-29", "--to", "2012-11-29", "-q"};

// The window's search on the same settings, to a file, read back.
std::string CoreResult(const SearchSettings& s, const std::string& path) {
    HeadlessWindow window;
    HeadlessWindowInit(window);
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    SearchOptions options{path.c_str(), SearchEngineBest()};
    RunSearch(s, running, ws, options);
    return ReadBytes(path);
}

struct ModeCase {
    const char* name;
    std::vector<std::string> args;
    void (*apply)(SearchSettings& s);
};

void Time(SearchSettings& s, int h0, int m0, int s0, int h1, int m1, int s1) {
    s.startHour = h0, s.startMinute = m0, s.startSecond = s0;
    s.endHour = h1, s.endMinute = m1, s.endSecond = s1;
}

const ModeCase kModeCases[] = {
    {"iv",
     {"--keys", "--time", "13:45:00-13:45:09", "--iv-min", "31,0,0,0,0,0", "--roamer", "--iv-consumption",
      "5-9", "--hidden-power-minimum", "40", "--usable-keys", "1 1 1 1 1 1 1 1 0 0",
      "--no-exclude-opposite-and-reset", "--3ds"},
     [](SearchSettings& s) {
         s.keyInputEnabled = true;
         Time(s, 13, 45, 0, 13, 45, 9);
         s.ivMin[0] = 31;
         s.roamerEnabled = true;
         s.ivConsumptionStart = 5, s.ivConsumptionEnd = 9;
         s.hiddenPowerMinimum = 40;
         s.usableKeys[8] = s.usableKeys[9] = false;
         s.excludeOppositeAndReset = false;
         s.threeDsMode = true;
     }},
    {"shiny",
     {"--mode", "shiny", "--hours", "13", "--iv-consumption", "0-3", "--pid-consumption", "0-100",
      "--shiny-encounter", "3", "--shiny-trainer-id", "12345", "--shiny-secret-id", "54321", "--shiny-id-adjust"},
     [](SearchSettings& s) {
         s.shinyPidEnabled = true;
         Time(s, 13, 0, 0, 13, 59, 59);
         s.ivConsumptionStart = 0, s.ivConsumptionEnd = 3;
         s.pidConsumptionStart = 0, s.pidConsumptionEnd = 100;
         s.shinyEncounter = 3, s.shinyTrainerId = 12345, s.shinySecretId = 54321, s.shinyIdAdjust = true;
     }},
    {"breeding",
     {"--mode", "breeding", "--time", "13:45:00-13:45:59", "--keys", "--breeding-no-ditto", "--breeding-nature",
      "-1", "--breeding-gender", "6", "--parent-iv", "31 31 31 0 0 0 0 0 0 31 31 31", "--iv-min",
      "31 0 0 0 0 31"},
     [](SearchSettings& s) {
         s.breedingEnabled = true;
         Time(s, 13, 45, 0, 13, 45, 59);
         s.keyInputEnabled = true;
         s.breedingNoDitto = true, s.breedingNature = -1, s.breedingGender = 6;
         const int32_t parents[2][6] = {{31, 31, 31, 0, 0, 0}, {0, 0, 0, 31, 31, 31}};
         std::memcpy(s.parentIv, parents, sizeof parents);
         s.ivMin[0] = s.ivMin[5] = 31;
     }},
    {"delivery",
     {"--mode", "delivery", "--minutes", "45", "--hours", "13", "--delivery-nature-offset", "8",
      "--delivery-nature", "12", "--iv-min", "20 20 0 0 0 0", "--pid-consumption", "10-60"},
     [](SearchSettings& s) {
         s.deliveryEnabled = true;
         Time(s, 13, 45, 0, 13, 45, 59);
         s.deliveryNatureOffset = 8, s.deliveryNature = 12;
         s.ivMin[0] = s.ivMin[1] = 20;
         s.pidConsumptionStart = 10, s.pidConsumptionEnd = 60;
     }},
    {"comet",
     {"--mode", "comet", "--hours", "13", "--no-comet-compound-eyes", "--pid-consumption", "0-400"},
     [](SearchSettings& s) {
         s.cometEnabled = true;
         Time(s, 13, 0, 0, 13, 59, 59);
         s.cometCompoundEyes = false;
         s.pidConsumptionStart = 0, s.pidConsumptionEnd = 400;
     }},
    {"dome",
     {"--mode", "dome", "--time", "13:45:00-13:45:59", "--keys", "--dome-trainers", "21 0 0 0 0 0",
      "--dome-shift-width", "1"},
     [](SearchSettings& s) {
         s.domeEnabled = true;
         Time(s, 13, 45, 0, 13, 45, 59);
         s.keyInputEnabled = true;
         s.domeTrainers[0] = 21, s.domeShiftWidth = 1;
     }},
    {"grotto",
     {"--mode", "grotto", "--time", "13:45:00-13:45:59", "--keys", "--grotto-kind", "6", "--grotto-female-ratio",
      "4", "--grotto-slots", "1 0 1 0"},
     [](SearchSettings& s) {
         s.grottoEnabled = true;
         Time(s, 13, 45, 0, 13, 45, 59);
         s.keyInputEnabled = true;
         s.grottoKind = 6, s.grottoFemaleRatio = 4;
         s.grottoSlots[1] = s.grottoSlots[3] = false;
     }},
};

TEST(CliProgram, EveryModeWritesTheWindowsBytes) {
    std::string dir = Folder("modes");
    for (const ModeCase& c : kModeCases) {
        SearchSettings expected = ExampleConsoleSettings();
        c.apply(expected);
        std::vector<std::string> narrower;
        if (kSanitized) {
            narrower = {"--seconds", "0-1"};
            expected.startSecond = 0;
            expected.endSecond = 1;
        }
        std::string want = CoreResult(expected, dir + "core.txt");
        if (!kSanitized) {
            ASSERT_GE(Lines(want), 4u) << c.name << ": too few rows to tell anything";
        }
        // The same bytes from one worker thread and from four.
        for (const char* threads : {"1", "4"}) {
            CliRun run = RunCli(dir, Args({kConsole, c.args, narrower, {"-o", "cli.txt", "--threads", threads}}));
            EXPECT_EQ(run.exitCode, 0) << c.name << ": " << run.err;
            EXPECT_EQ(run.err, "") << c.name;  // standard error is no terminal: no progress
            EXPECT_TRUE(ReadBytes(dir + "cli.txt") == want) << c.name << " on " << threads << " threads";
        }
    }
    RemoveFolder(dir);
}

TEST(CliProgram, SavedSettingsRunTheSameSearch) {
    std::string dir = Folder("roundtrip");
    CliRun first = RunCli(dir, Args({kConsole, kModeCases[3].args, {"--save-settings", "saved.txt", "-o", "r1.txt"}}));
    ASSERT_EQ(first.exitCode, 0) << first.err;
    CliRun second = RunCli(dir, {"--settings", "saved.txt", "--save-settings", "again.txt", "-o", "r2.txt", "-q"});
    ASSERT_EQ(second.exitCode, 0) << second.err;
    EXPECT_GE(Lines(ReadBytes(dir + "r1.txt")), 4u);
    EXPECT_TRUE(ReadBytes(dir + "r1.txt") == ReadBytes(dir + "r2.txt"));
    EXPECT_EQ(ReadBytes(dir + "saved.txt"), ReadBytes(dir + "again.txt"));
    EXPECT_NE(ReadBytes(dir + "saved.txt").find("deliveryNatureOffset = 8\n"), std::string::npos);

    // Options override the file, and config.txt stays unread when the file names the console.
    WriteBytes(dir + "config.txt", "1\n2\n3\n4\n00-00-00-00-00-00\n02215F30\n");
    CliRun over = RunCli(dir, {"--settings", "saved.txt", "--delivery-nature", "13", "--save-settings", "over.txt",
                               "--no-search"});
    ASSERT_EQ(over.exitCode, 0) << over.err;
    std::string saved = ReadBytes(dir + "over.txt");
    EXPECT_NE(saved.find("deliveryNature = 13\n"), std::string::npos);
    EXPECT_NE(saved.find("version = B\nmac = 12-34-56-78-9A-BC\nvCount = 60\n"), std::string::npos) << saved;
    RemoveFolder(dir);
}

TEST(CliProgram, ConsoleFromConfigFileAsTheWindowReadsIt) {
    std::string dir = Folder("config");
    // The window's save of the worked example's console, with a CR LF file
    // as Windows writes it.
    WriteBytes(dir + "config.txt", "60\r\nc79\r\n6000000\r\n8\r\n12-34-56-78-9A-BC\r\n02215F10\r\n");
    SearchSettings expected = ExampleConsoleSettings();
    Time(expected, 13, 45, 0, 13, 45, 9);
    CliRun run = RunCli(dir, {"--from", "2012-11-29", "--to", "2012-11-29", "--time", "13:45:00-13:45:09", "-q"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(ReadBytes(dir + "result.txt") == CoreResult(expected, dir + "core.txt"));

    CliRun partial = RunCli(dir, {"--from", "2012-11-29", "--to", "2012-11-29", "--frame", "8"});
    EXPECT_EQ(partial.exitCode, 2);
    EXPECT_NE(partial.err.find("also give --game, --mac, --vcount, --timer0, --gxstat"), std::string::npos)
        << partial.err;
    RemoveFolder(dir);
}

TEST(CliProgram, RangesAddTimer0AndVCountColumnsInWalkOrder) {
    std::string dir = Folder("ranges");
    CliRun run = RunCli(dir, Args({kConsole, {"--vcount", "60-61", "--timer0", "0xC79-C7A", "--time",
                                              "13:45:00-13:45:04", "--keys", "--usable-keys", "1 1 0 0 0 0 0 0 0 0"}}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::string want;
    for (uint32_t v : {0x60u, 0x61u}) {
        for (uint32_t t : {0xC79u, 0xC7Au}) {
            SearchSettings s = ExampleConsoleSettings();
            Time(s, 13, 45, 0, 13, 45, 4);
            s.keyInputEnabled = true;
            for (int i = 2; i < 10; ++i) s.usableKeys[i] = false;
            s.vCount = v;
            s.timer0 = t;
            std::string walk = CoreResult(s, dir + "core.txt");
            char columns[32];
            std::snprintf(columns, sizeof columns, ",%X,%X\r\n", t, v);
            std::istringstream lines(walk);
            std::string line;
            for (bool header = true; std::getline(lines, line); header = false) {
                line.pop_back();  // the CR
                if (header && !want.empty()) continue;
                want += line + (header ? std::string(",Timer0,VCount\r\n") : std::string(columns));
            }
        }
    }
    EXPECT_EQ(Lines(want), 1u + 4u * 5u * 4u);
    EXPECT_TRUE(ReadBytes(dir + "result.txt") == want);
    RemoveFolder(dir);
}

// The shards of a search over Timer0 and VCount ranges, joined in order,
// are the one-machine file byte for byte, for N shards of a few seconds
// each, shards that split a console's seconds, and more shards than
// seconds (some of them empty files).
TEST(CliProgram, ShardsJoinedAreTheWholeFile) {
    std::string dir = Folder("shards");
    const std::vector<std::string> search = Args({kConsole, {"--vcount", "60-61", "--timer0", "C79-C7A", "--to",
                                                             "2012-11-30", "--time", "13:45:00-13:45:04", "--keys",
                                                             "--usable-keys", "1 1 1 0 0 0 0 0 0 0"}});
    ASSERT_EQ(RunCli(dir, search).exitCode, 0);
    const std::string whole = ReadBytes(dir + "result.txt");
    ASSERT_EQ(Lines(whole), 1u + 4u * 10u * 8u);  // four consoles of ten seconds, eight masks each
    for (int n : {1, 3, 7, 43}) {
        std::string joined;
        for (int k = 1; k <= n; ++k) {
            const std::string name = "shard" + std::to_string(k) + ".txt";
            CliRun run = RunCli(dir, Args({search, {"--shard", std::to_string(k) + "/" + std::to_string(n), "-o", name,
                                                    "--threads", std::to_string(k % 3 + 1)}}));
            ASSERT_EQ(run.exitCode, 0) << run.err;
            joined += ReadBytes(dir + name);
        }
        EXPECT_TRUE(joined == whole) << n << " shards";
    }
    RemoveFolder(dir);
}

// inspect's tables are what a search of the one moment writes in each mode
// with its filters opened: the window's search of that second, its rows of
// the held keys' mask, for every mode (and every grotto kind).
TEST(CliProgram, InspectRowsAreTheSearchsRowsWithFiltersOpen) {
    std::string dir = Folder("inspect");
    const std::vector<std::string> positions = {"--iv-consumption", "5-9", "--pid-consumption", "0-60",
                                                "--shiny-trainer-id", "3012", "--dome-shift-width", "1"};
    CliRun run = RunCli(dir, Args({kConsole, positions, {"inspect", "--at", "2012-11-29T14:58:21", "--held",
                                                         "B St Right Left Down R L"}}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // The tables: "[name]" lines, each followed by its header and rows.
    std::vector<std::pair<std::string, std::string>> tables;
    std::istringstream lines(run.out);
    std::string line;
    std::string preamble;
    while (std::getline(lines, line)) {
        if (line[0] == '[') tables.emplace_back(line, "");
        else if (tables.empty()) preamble += line + "\n";
        else tables.back().second += line + "\n";
    }
    EXPECT_EQ(preamble.find("初期seed,40B05C6C8CA16448\r\n"), preamble.find('\n') + 1) << preamble;
    ASSERT_EQ(tables.size(), static_cast<size_t>(kSearchModeCount - 1 + kGrottoKindCount));

    SettingsRecord record;
    SettingsRecordInit(record);
    record.search = ExampleConsoleSettings();
    record.search.ivConsumptionStart = 5, record.search.ivConsumptionEnd = 9;
    record.search.pidConsumptionStart = 0, record.search.pidConsumptionEnd = 60;
    record.search.shinyTrainerId = 3012;
    record.search.domeShiftWidth = 1;
    Time(record.search, 14, 58, 21, 14, 58, 21);
    record.search.keyInputEnabled = true;
    record.search.excludeOppositeAndReset = false;  // Right and Left are both held
    const std::string held = ",BSt→←↓RL\r";
    size_t table = 0;
    for (int32_t m = kSearchModeCount - 1; m >= 0; --m) {
        const int32_t kinds = kSearchModes[m].mode == kModeGrotto ? kGrottoKindCount : 1;
        for (int32_t kind = 0; kind < kinds; ++kind, ++table) {
            const SearchSettings opened = MomentViewOpened(record.search, kSearchModes[m].mode, kind);
            std::istringstream search(CoreResult(opened, dir + "core.txt"));
            std::string want;
            for (bool header = true; std::getline(search, line); header = false)
                if (header || (line.size() >= held.size() && line.compare(line.size() - held.size(), held.size(), held) == 0))
                    want += line + "\n";
            EXPECT_TRUE(tables[table].second == want) << tables[table].first << ": " << Lines(tables[table].second)
                                                      << " lines against " << Lines(want);
        }
    }
    EXPECT_EQ(Lines(tables[0].second), 1u + 5u);  // the individual values of every position
    RemoveFolder(dir);
}

TEST(CliProgram, BadInputWritesNothingAndSaysWhat) {
    std::string dir = Folder("checks");
    const std::string kept = "an earlier result\r\n";
    WriteBytes(dir + "settings.txt", "ivMin = 31 0 0 0 0 0\nivMx = 31 31 31 31 31 31\n");
    WriteBytes(dir + "short.txt", "\ndomeTrainers = 1 2 3\n");
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"--from", "2012-13-01"}, "--from: expects a whole number 1..12, not \"13\" (startMonth)"},
        {{"--to", "2012-12-32"}, "--to: expects a whole number 1..31, not \"32\" (endDay)"},
        {{"--to", "2012-11-31"}, "--to: 2012-11-31 is not a date"},
        {{"--time", "25:00:00-25:00:00"}, "--time: expects a whole number 0..23, not \"25\" (startHour)"},
        {{"--from", "2012-12-01", "--to", "2012-11-30"}, "--to: the last date 2012-11-30 lies before the first date"},
        {{"--iv-max", "31 31 31 31 31 32"}, "--iv-max: expects 6 whole numbers 0..31"},
        {{"--iv-consumption", "0-619"}, "--iv-consumption: expects a whole number 0..618"},
        {{"--roamer", "--iv-consumption", "618"}, "--iv-consumption: the last individual-value position is 618"},
        {{"--pid-consumption", "2801"}, "--pid-consumption: expects a whole number 0..2800"},
        {{"--delivery-nature-offset", "65536"}, "--delivery-nature-offset: expects a whole number 0..65535"},
        {{"--grotto-kind", "11"}, "--grotto-kind: expects a whole number 0..10"},
        {{"--shiny-nature", "26"}, "--shiny-nature: expects a whole number 0..25"},
        {{"--mac", "12-34-56-78-9A"}, "--mac: expects six hexadecimal bytes"},
        {{"--gxstat", "6000000Z"}, "--gxstat: expects a hexadecimal number"},
        {{"--mode", "eggs"}, "--mode: expects iv, shiny, breeding"},
        {{"--colour"}, "--colour"},
        {{"--threads", "0"}, "--threads: expects a whole number of at least 1"},
        {{"--engine", "fastest"}, "--engine: expects one of plain, portable"},
        {{"--settings", "settings.txt"}, "settings.txt:2: \"ivMx\" names no setting"},
        {{"--settings", "short.txt"}, "short.txt:2: domeTrainers expects 6 whole numbers 0..52"},
        {{"--settings", "none.txt"}, "none.txt: cannot be read"},
        // Once counted as 0 candidates (the progress at 100 % from the start).
        {{"--vcount", "0-FFFFFFFF", "--timer0", "0-FFFFFFFF"},
         "--timer0: 4294967296 VCount and 4294967296 Timer0 values over these dates make more candidates"},
        {{"--shard", "0/3"}, "--shard: expects K/N with 1 <= K <= N <= 4294967295 (such as 2/8), not \"0/3\""},
        {{"--shard", "4/3"}, "--shard: expects K/N"},
        {{"--shard", "1/"}, "--shard: expects K/N"},
        {{"inspect"}, "inspect: expects --at YYYY-MM-DDTHH:MM:SS (with the console) or --seed HEX16"},
        {{"inspect", "--at", "2012-02-30T10:00:00"}, "--at: expects a moment YYYY-MM-DDTHH:MM:SS of 2000..2099"},
        {{"inspect", "--at", "2012-11-29T24:00:00"}, "--at: expects a moment"},
        {{"inspect", "--seed", "6266D11A5ECD9A7"}, "--seed: expects an initial seed of 16 hexadecimal digits"},
        {{"inspect", "--seed", "6266D11A5ECD9A7G"}, "--seed: expects an initial seed of 16 hexadecimal digits"},
        {{"inspect", "--at", "2012-11-29T14:58:21", "--held", "B Turbo"}, "--held: expects key names"},
        {{"inspect", "--seed", "6266D11A5ECD9A72", "--iv-consumption", "9-5"},
         "the individual-value positions run from 9 to 5"},
    };
    for (const Case& c : cases) {
        WriteBytes(dir + "result.txt", kept);
        CliRun run = RunCli(dir, Args({kConsole, c.args}));
        EXPECT_EQ(run.exitCode, 2) << c.message;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(Lines(run.err), 1u) << run.err;
        EXPECT_EQ(ReadBytes(dir + "result.txt"), kept) << c.message;
    }
    CliRun noConsole = RunCli(dir, {"--from", "2012-11-29", "--to", "2012-11-29"});
    EXPECT_EQ(noConsole.exitCode, 2);
    EXPECT_NE(noConsole.err.find("no console: config.txt is not in this folder; give --game, --mac"),
              std::string::npos)
        << noConsole.err;
    EXPECT_EQ(ReadBytes(dir + "result.txt"), kept);
    // A config.txt the window reads leniently: "-1" as a MAC byte is no byte,
    // and a settings file saved from it could not be read back.
    WriteBytes(dir + "config.txt", "60\r\nc79\r\n6000000\r\n8\r\n12-34-56-78-9A--1\r\n02215F10\r\n");
    CliRun badMac = RunCli(dir, {"--from", "2012-11-29", "--to", "2012-11-29", "--save-settings", "saved.txt"});
    EXPECT_EQ(badMac.exitCode, 2);
    EXPECT_NE(badMac.err.find("config.txt: mac is 12-34-56-78-9A-FFFFFFFF; it takes six hexadecimal bytes"),
              std::string::npos)
        << badMac.err;
    EXPECT_EQ(ReadBytes(dir + "result.txt"), kept);
    EXPECT_EQ(ReadBytes(dir + "saved.txt"), "");
    std::remove((dir + "config.txt").c_str());

    CliRun unwritable = RunCli(dir, Args({kConsole, {"-o", "missing/result.txt"}}));
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_EQ(unwritable.err, "morvane-cli: missing/result.txt: No such file or directory\n");
    CliRun full = RunCli(dir, Args({kConsole, {"-o", "/dev/full"}}));
    EXPECT_EQ(full.exitCode, 1);
    EXPECT_EQ(full.err, "morvane-cli: /dev/full: No space left on device\n");
    RemoveFolder(dir);
}

// A year of key input with every candidate a row: far longer than the test
// waits. The interrupt must leave whole rows of the window's file, in order.
TEST(CliProgram, InterruptKeepsCompleteRowsAndExits130) {
    std::string dir = Folder("interrupt");
    pid_t pid = StartCli(dir, Args({kConsole, {"--from", "2012-01-01", "--to", "2012-12-31", "--keys"}}));
    struct stat info {};
    for (int i = 0; i < 400; ++i) {
        if (stat((dir + "result.txt").c_str(), &info) == 0 && info.st_size > 200000) break;
        usleep(25000);
    }
    ASSERT_GT(info.st_size, 200000) << "the search wrote too little";
    EXPECT_EQ(InterruptCli(pid), 130) << "-1: the search did not stop";
    std::string got = ReadBytes(dir + "result.txt");
    ASSERT_GE(got.size(), 2u);
    EXPECT_EQ(got.substr(got.size() - 2), "\r\n");

    // The window's search over the same year, stopped once it has written as much.
    struct Stop {
        std::string path;
        off_t size;
        bool* running;
    };
    SearchSettings s = ExampleConsoleSettings();
    s.endMonth = 12, s.endDay = 31, s.startMonth = 1, s.startDay = 1;
    s.keyInputEnabled = true;
    bool running = true;
    Stop stop{dir + "core.txt", static_cast<off_t>(got.size()), &running};
    HeadlessWindow window;
    HeadlessWindowInit(window);
    window.hookContext = &stop;
    window.onPump = [](HeadlessWindow&, void* context) {
        Stop& st = *static_cast<Stop*>(context);
        struct stat now {};
        if (stat(st.path.c_str(), &now) == 0 && now.st_size > st.size) *st.running = false;
    };
    WindowSystem ws = HeadlessWindowSystem(window);
    SearchOptions options{stop.path.c_str(), SearchEngineBest()};
    RunSearch(s, running, ws, options);
    std::string core = ReadBytes(stop.path);
    ASSERT_GE(core.size(), got.size());
    EXPECT_TRUE(core.compare(0, got.size(), got) == 0);
    RemoveFolder(dir);
}

TEST(CliProgram, Utf8ToStandardOutput) {
    std::string dir = Folder("utf8");
    CliRun run = RunCli(dir, Args({kConsole, kModeCases[3].args, {"--utf8", "-o", "-"}}));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    SearchSettings expected = ExampleConsoleSettings();
    kModeCases[3].apply(expected);
    std::string cp932 = CoreResult(expected, dir + "core.txt");
    std::string lf;
    for (char c : cp932)
        if (c != '\r') lf += c;
    std::string want;
    ASSERT_TRUE(Cp932ToUtf8(lf.data(), lf.size(), want));
    EXPECT_TRUE(run.out == want);
    EXPECT_EQ(run.out.rfind(u8"年,月,日,時,分,秒,性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed\n", 0), 0u);
    EXPECT_EQ(access((dir + "result.txt").c_str(), F_OK), -1);  // nothing but standard output written
    RemoveFolder(dir);
}

}  // namespace
