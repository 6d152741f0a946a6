// The native side of the end-to-end tests: turns a test case (what the
// driver types and clicks in the window) into the settings record by the
// window's rules of reading its controls, written here apart from the program's
// own capture and dialog code, and lets the core search with it.
//
//   expected_result write CASE OUT
//       writes the result file the window must produce for CASE.
//   expected_result days CASE OUT
//       writes the count of matches the progress title shows when each day
//       begins ("DAY yy month day count") and the total ("TOTAL count").
//   expected_result check CASE_BEFORE CASE_AFTER ACTUAL [--switch]
//       checks a file of a search that was stopped early, or whose settings
//       were changed by a dialog while it ran: after the header, the rows of
//       the candidates walked first must be those of CASE_BEFORE, from some
//       candidate on those of CASE_AFTER, and the file must end after the
//       rows of a candidate. The core computes only the candidates up to the
//       second of the file's last row. --switch also demands that both settings
//       visibly took part (rows only the first settings give before the
//       change, candidates whose rows the change removed after it).
#include <iconv.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "modes/SearchSettings.h"
#include "modes/ResultFile.h"
#include "engine/SearchEngine.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"
#include "tests/e2e/e2e_case.h"
#include "tests/e2e/e2e_layout.h"

namespace {

// --- the window's reading rules ----------------------------------------------

// The first `chars` characters, parsed leniently as the window parses them.
uint32_t HexOf(const std::string& text, size_t chars) {
    std::string t = text.substr(0, chars);
    return static_cast<uint32_t>(std::strtoul(t.c_str(), nullptr, 16));
}

int32_t DecOf(const std::string& text, size_t chars) {
    std::string t = text.substr(0, chars);
    return static_cast<int32_t>(std::strtol(t.c_str(), nullptr, 10));
}

std::string Dec(int64_t value) { return std::to_string(value); }

// Control state of one window or dialog, as the user leaves it.
struct Controls {
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::map<int, int> selections;
    std::vector<std::vector<int>> radioGroups;

    std::string Text(int id) const {
        auto it = texts.find(id);
        return it == texts.end() ? std::string() : it->second;
    }
    bool Checked(int id) const {
        auto it = checks.find(id);
        return it != checks.end() && it->second;
    }
    int Selection(int id) const {
        auto it = selections.find(id);
        return it == selections.end() ? -1 : it->second;
    }
    void Click(int id) {
        for (const std::vector<int>& group : radioGroups)
            for (int member : group)
                if (member == id)
                    for (int other : group) checks[other] = other == id;
        checks[id] = true;
    }
    void Apply(const E2eStep& step) {
        switch (step.action) {
        case kE2eSet: texts[step.id] = step.text; break;
        case kE2eCheckStep: checks[step.id] = step.value != 0; break;
        case kE2eSelect: selections[step.id] = step.value; break;
        case kE2eRadioStep: Click(step.id); break;
        }
    }
};

// --- the main window ------------------------------------------------------------

Controls MainWindowAtStart(const std::vector<std::string>& configLines, SearchSettings& s) {
    Controls c;
    for (const E2eMainControl& control : kE2eMainControls)
        if (control.kind == kE2eEdit) c.texts[control.id] = control.text;
    c.selections[kE2eHiddenPowerList] = 0;
    c.radioGroups.push_back({902, 903, 900, 901});
    s.version.fiveWordVersion = true;
    if (configLines.empty()) {
        c.checks[902] = true;
        return c;
    }
    // The load: lines 1-4 as they stand, line 5 cut into the MAC edits,
    // line 6 into the version words and buttons.
    auto line = [&](size_t i) { return i < configLines.size() ? configLines[i] : std::string(); };
    for (int i = 0; i < 4; ++i) c.texts[kE2eConsoleEdits[i]] = line(static_cast<size_t>(i));
    std::string mac = line(4);
    for (int i = 0; i < 6; ++i) {
        size_t at = static_cast<size_t>(i) * 3;
        c.texts[kE2eMacEdits[i]] = at < mac.size() ? mac.substr(at, 2) : std::string();
    }
    std::string version = line(5) + "\n";
    if (version.size() < 10) {
        s.version.versionWord = static_cast<uint32_t>(std::strtoul(version.c_str(), nullptr, 16));
        s.version.fiveWordVersion = false;
        if (s.version.versionWord == kE2eVersionWordWhite) c.checks[901] = true;
        else if (s.version.versionWord == kE2eVersionWordBlack) c.checks[900] = true;
    } else {
        const char* p = version.c_str();
        for (int i = 0; i < 5; ++i) {
            char* end = nullptr;
            s.version.versionWords[i] = static_cast<uint32_t>(std::strtoul(p, &end, 16));
            const char* space = std::strchr(p, ' ');
            p = space ? space + 1 : p + std::strlen(p);
        }
        s.version.fiveWordVersion = true;
        const uint32_t* w = s.version.versionWords;
        auto same = [w](const uint32_t* words) {
            for (int i = 1; i < 5; ++i)
                if (w[i] != words[i]) return false;
            return true;
        };
        if (w[0] == kE2eVersionWordsWhite2[0]) {
            if (same(kE2eVersionWordsWhite2)) c.checks[903] = true;
        } else if (w[0] == kE2eVersionWordsBlack2[0]) {
            if (same(kE2eVersionWordsBlack2)) c.checks[902] = true;
        }
    }
    return c;
}

void Capture(const Controls& c, SearchSettings& s) {
    s.vCount = HexOf(c.Text(1000), 3);
    s.timer0 = HexOf(c.Text(1001), 5);
    s.gxStat = HexOf(c.Text(1002), 8);
    s.frame = DecOf(c.Text(1029), 8);
    uint32_t mac[6];
    for (int i = 0; i < 6; ++i) mac[i] = HexOf(c.Text(kE2eMacEdits[i]), 2);
    uint32_t g = static_cast<uint32_t>(s.gxStat ^ static_cast<uint32_t>(s.frame));
    uint32_t r = (g >> 24) | ((g >> 8) & 0xFF00u) | ((g << 8) & 0xFF0000u) | (g << 24);
    s.MacWord7 = ((mac[0] << 24) | (mac[1] << 16) | (mac[2] << 8) | mac[3]) ^ r;
    s.MacWord6 = (mac[4] << 8) | mac[5];
    s.startYear = DecOf(c.Text(1009), 2);
    s.endYear = DecOf(c.Text(1018), 2);
    s.startMonth = DecOf(c.Text(1010), 2);
    s.endMonth = DecOf(c.Text(1019), 2);
    s.startDay = DecOf(c.Text(1011), 2);
    s.endDay = DecOf(c.Text(1020), 2);
    s.startHour = DecOf(c.Text(1030), 2);
    s.endHour = DecOf(c.Text(1033), 2);
    s.startMinute = DecOf(c.Text(1031), 2);
    s.endMinute = DecOf(c.Text(1034), 2);
    s.startSecond = DecOf(c.Text(1032), 2);
    s.endSecond = DecOf(c.Text(1035), 2);
    s.threeDsMode = c.Checked(956);
    s.keyInputEnabled = c.Checked(953);
    if (c.Checked(900)) {
        s.version.fiveWordVersion = false;
        s.version.versionWord = kE2eVersionWordBlack;
    } else if (c.Checked(901)) {
        s.version.fiveWordVersion = false;
        s.version.versionWord = kE2eVersionWordWhite;
    } else if (c.Checked(902) || c.Checked(903)) {
        const uint32_t* words = c.Checked(902) ? kE2eVersionWordsBlack2 : kE2eVersionWordsWhite2;
        s.version.fiveWordVersion = true;
        for (int i = 0; i < 5; ++i) s.version.versionWords[i] = words[i];
    }
    for (int i = 0; i < 6; ++i) {
        s.ivMax[i] = DecOf(c.Text(1012 + i), 2);
        s.ivMin[i] = DecOf(c.Text(1021 + i), 2);
    }
    s.hiddenPowerType = c.Selection(kE2eHiddenPowerList) - 1;
    s.hiddenPowerMinimum = DecOf(c.Text(1040), 2);
    s.roamerEnabled = c.Checked(931);
    s.ivConsumptionStart = DecOf(c.Text(1027), 4);
    s.ivConsumptionEnd = DecOf(c.Text(1028), 4);
    s.pidConsumptionStart = DecOf(c.Text(1038), 5);
    s.pidConsumptionEnd = DecOf(c.Text(1039), 5);
    s.shinyPidEnabled = c.Checked(930);
    s.breedingEnabled = c.Checked(932);
    s.deliveryEnabled = c.Checked(952);
    s.cometEnabled = c.Checked(954);
    s.domeEnabled = c.Checked(955);
    s.grottoEnabled = c.Checked(958);
}

// --- the settings dialogs ---------------------------------------------------------

void DialogDefaults(SearchSettings& s) {
    for (bool& key : s.usableKeys) key = true;
    s.excludeOppositeAndReset = true;
    s.shinyTrainerId = 0;
    s.shinySecretId = 0;
    s.shinyEncounter = 1;
    s.shinyIdAdjust = false;
    s.shinyNature = 0;
    s.breedingNoDitto = false;
    for (auto& parent : s.parentIv)
        for (int32_t& iv : parent) iv = 31;
    s.breedingNature = 0;
    s.breedingAbility = 0;
    s.breedingGender = 0;
    s.cometCompoundEyes = true;
    for (int32_t& trainer : s.domeTrainers) trainer = 0;
    s.domeShiftWidth = 0;
    s.deliveryNatureOffset = 10;
    s.deliveryNature = 0;
    s.deliveryShinyMethod = 0;
    s.deliveryTrainerId = 3012;
    s.deliverySecretId = 0;
    s.grottoKind = 0;
    s.grottoFemaleRatio = 0;
    for (bool& slot : s.grottoSlots) slot = true;
}

constexpr int kKeyBoxes[11] = {1001, 1002, 1004, 1003, 1009, 1010, 1007, 1008, 1006, 1005, 1011};
constexpr int kParentEdits[12] = {1005, 1006, 1023, 1027, 1028, 1029,
                                  1030, 1031, 1032, 1033, 1034, 1035};
constexpr int kDomeLists[6] = {1007, 1021, 1024, 1025, 1026, 1008};

// What the dialog shows when it opens.
Controls DialogOpen(int dialog, const SearchSettings& s) {
    Controls c;
    switch (dialog) {
    case 101:
        c.texts[1005] = Dec(s.shinyTrainerId);
        c.texts[1006] = Dec(s.shinySecretId);
        c.selections[1007] = s.shinyNature;
        c.radioGroups.push_back({1002, 1003, 1004});
        c.Click(s.shinyEncounter == 1 ? 1002 : s.shinyEncounter == 2 ? 1003 : 1004);
        c.checks[1001] = s.shinyIdAdjust;
        break;
    case 102:
        c.radioGroups.push_back({1002, 1003});
        c.Click(s.breedingNoDitto ? 1003 : 1002);
        for (int i = 0; i < 12; ++i) c.texts[kParentEdits[i]] = Dec(s.parentIv[i / 6][i % 6]);
        c.selections[1026] = s.breedingNature + 1;
        c.selections[1024] = s.breedingAbility;
        c.selections[1025] = s.breedingGender;
        break;
    case 103:
        c.checks[1001] = s.cometCompoundEyes;
        break;
    case 105:
        for (int i = 0; i < 10; ++i) c.checks[kKeyBoxes[i]] = s.usableKeys[i];
        c.checks[kKeyBoxes[10]] = s.excludeOppositeAndReset;
        break;
    case 106:
        for (int i = 0; i < 6; ++i) c.selections[kDomeLists[i]] = s.domeTrainers[i];
        c.texts[1005] = Dec(s.domeShiftWidth);
        break;
    case 107:
        c.texts[1005] = Dec(s.deliveryNatureOffset);
        c.selections[1007] = s.deliveryNature;
        c.checks[1001] = s.deliveryShinyMethod > 0;
        c.texts[1006] = Dec(s.deliveryTrainerId);
        c.texts[1023] = Dec(s.deliverySecretId);
        c.selections[1021] = s.deliveryShinyMethod > 0 ? s.deliveryShinyMethod - 1 : 0;
        break;
    case 110:
        c.selections[1007] = s.grottoKind;
        c.selections[1021] = s.grottoFemaleRatio;
        for (int i = 0; i < 4; ++i) c.checks[1001 + i] = s.grottoSlots[i];
        break;
    default: break;
    }
    return c;
}

uint16_t IdOf(const std::string& text) {
    return static_cast<uint16_t>(static_cast<uint32_t>(DecOf(text, 5)) & 0xFFFFu);
}

// What "OK" stores.
void DialogOk(int dialog, const Controls& c, SearchSettings& s) {
    switch (dialog) {
    case 101:
        s.shinyTrainerId = IdOf(c.Text(1005));
        s.shinySecretId = IdOf(c.Text(1006));
        s.shinyEncounter = c.Checked(1003) ? 2 : c.Checked(1004) ? 3 : 1;
        s.shinyIdAdjust = c.Checked(1001);
        s.shinyNature = c.Selection(1007);
        break;
    case 102:
        for (int i = 0; i < 12; ++i)
            s.parentIv[i / 6][i % 6] = static_cast<int32_t>(
                std::strtol(c.Text(kParentEdits[i]).c_str(), nullptr, 10));
        s.breedingNoDitto = !c.Checked(1002);
        s.breedingNature = c.Selection(1026) - 1;
        s.breedingAbility = c.Selection(1024);
        s.breedingGender = c.Selection(1025);
        break;
    case 103:
        s.cometCompoundEyes = c.Checked(1001);
        break;
    case 105:
        for (int i = 0; i < 10; ++i) s.usableKeys[i] = c.Checked(kKeyBoxes[i]);
        s.excludeOppositeAndReset = c.Checked(kKeyBoxes[10]);
        break;
    case 106:
        for (int i = 0; i < 6; ++i) s.domeTrainers[i] = c.Selection(kDomeLists[i]);
        s.domeShiftWidth = DecOf(c.Text(1005), 2);
        break;
    case 107:
        s.deliveryNatureOffset = DecOf(c.Text(1005), 9);
        s.deliveryNature = c.Selection(1007);
        if (c.Checked(1001)) {
            s.deliveryShinyMethod = c.Selection(1021) + 1;
            s.deliveryTrainerId = IdOf(c.Text(1006));
            s.deliverySecretId = IdOf(c.Text(1023));
        } else {
            s.deliveryShinyMethod = 0;
        }
        break;
    case 110:
        s.grottoKind = c.Selection(1007);
        s.grottoFemaleRatio = c.Selection(1021);
        for (int i = 0; i < 4; ++i) s.grottoSlots[i] = c.Checked(1001 + i);
        break;
    default: break;
    }
}

bool SettingsOfCase(const std::string& path, SearchSettings& s) {
    E2eCase c = E2eLoadCase(path);
    if (!c.error.empty()) {
        std::printf("FAIL case %s: %s\n", path.c_str(), c.error.c_str());
        return false;
    }
    s = SearchSettings{};
    DialogDefaults(s);
    Controls window = MainWindowAtStart(c.configLines, s);
    for (const E2eStep& step : c.steps)
        if (step.dialog == 0) window.Apply(step);
    for (int dialog : E2eCaseDialogs(c)) {
        Controls controls = DialogOpen(dialog, s);
        for (const E2eStep& step : c.steps)
            if (step.dialog == dialog) controls.Apply(step);
        DialogOk(dialog, controls, s);
    }
    Capture(window, s);
    return true;
}

// --- searching with the core ----------------------------------------------------------

// Runs the fastest engine in its own batches and notes the candidates walked
// and where the header ends; stops the walk once the candidates lie after
// the limit second.
struct Recording {
    const SearchEngine* engine;
    long headerEnd;  // -1 until the first batch
    std::vector<CandidateMoment> moments;
    int32_t limit[6];  // yy, month, day, hour, minute, second
    bool* running;
};
Recording g_recording;

bool AfterLimit(const CandidateMoment& m) {
    const int32_t t[6] = {m.year, m.month, m.day, m.hour, m.minute, m.second};
    for (int i = 0; i < 6; ++i)
        if (t[i] != g_recording.limit[i]) return t[i] > g_recording.limit[i];
    return false;
}

void RecordingBatch(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    if (g_recording.headerEnd < 0) {
        SearchRunFlush(run);
        std::fflush(run.resultFile);
        g_recording.headerEnd = std::ftell(run.resultFile);
    }
    int32_t n = 0;
    while (n < count && !AfterLimit(moments[n])) ++n;
    if (n > 0) g_recording.engine->evaluateBatch(run, moments, n);
    g_recording.moments.insert(g_recording.moments.end(), moments, moments + n);
    if (n < count) *g_recording.running = false;
}

SearchEngine g_recordingEngine = {"recording", 1, RecordingBatch};

int32_t Search(const SearchSettings& s, const std::string& out, const SearchEngine* engine,
               bool& running) {
    HeadlessWindow window;
    HeadlessWindowInit(window);
    WindowSystem ws = HeadlessWindowSystem(window);
    running = true;
    SearchOptions options{out.c_str(), engine};
    return RunSearch(s, running, ws, options);
}

std::string Utf8(const std::string& cp932) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return cp932;
    std::string out(cp932.size() * 3 + 4, '\0');
    char* in = const_cast<char*>(cp932.data());
    size_t inLeft = cp932.size();
    char* o = &out[0];
    size_t outLeft = out.size();
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

std::string LineAt(const std::string& bytes, size_t pos) {
    size_t end = bytes.find('\n', pos);
    std::string line = bytes.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return Utf8(line);
}

int Write(const std::string& casePath, const std::string& out) {
    SearchSettings s;
    if (!SettingsOfCase(casePath, s)) return 1;
    bool running = true;
    int32_t count = Search(s, out, &kPlainEngine, running);
    std::printf("expected %s: %d rows\n", out.c_str(), count);
    return 0;
}

// The count each day's progress text shows when the day begins: the first
// progress report with a new date.
struct DayCounts {
    std::vector<std::string> lines;  // "DAY yy month day count"
    int32_t y, m, d;
};

void NoteDayProgress(HeadlessWindow&, const HeadlessProgress& p, void* context) {
    auto& days = *static_cast<DayCounts*>(context);
    if (!days.lines.empty() && p.year == days.y && p.month == days.m && p.day == days.d) return;
    days.y = p.year, days.m = p.month, days.d = p.day;
    days.lines.push_back("DAY " + Dec(p.year) + " " + Dec(p.month) + " " + Dec(p.day) + " " +
                         Dec(p.count));
}

// Writes the day counts and the total, for the driver's check of the titles
// of a search whose result file cannot be written.
int Days(const std::string& casePath, const std::string& out) {
    SearchSettings s;
    if (!SettingsOfCase(casePath, s)) return 1;
    DayCounts days{};
    HeadlessWindow window;
    HeadlessWindowInit(window);
    window.onProgress = NoteDayProgress;
    window.hookContext = &days;
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    int32_t total = RunSearch(s, running, ws, SearchOptions{"/dev/null", SearchEngineBest()});
    FILE* f = std::fopen(out.c_str(), "wb");
    if (!f) return 1;
    for (const std::string& line : days.lines) std::fprintf(f, "%s\n", line.c_str());
    std::fprintf(f, "TOTAL %d\n", total);
    std::fclose(f);
    std::printf("expected %s: %zu days, %d matches\n", out.c_str(), days.lines.size(), total);
    return 0;
}

// A search's file cut into the rows of each candidate.
struct Blocks {
    std::string bytes;
    std::vector<long> ends;  // ends[0]: end of the header; ends[k + 1]: end of candidate k's rows
    std::vector<CandidateMoment> moments;
};

// A row belongs to the candidate whose date and time begin it and, with key
// input on, whose held keys end it; a candidate's rows stand together and
// the candidates follow in walk order.
bool RowOf(const std::string& bytes, size_t pos, size_t end, const CandidateMoment& m, bool keyInput) {
    char prefix[80];
    int n = std::snprintf(prefix, sizeof prefix, "%d,%d,%d,%d,%d,%d,", m.year, m.month, m.day, m.hour, m.minute,
                          m.second);
    if (bytes.compare(pos, static_cast<size_t>(n), prefix) != 0) return false;
    if (!keyInput) return true;
    std::string row = bytes.substr(pos, end - pos);
    std::string suffix = KeyInputSuffix(m.keyMask);
    return row.size() >= suffix.size() && row.rfind(',') == row.size() - suffix.size() &&
           row.compare(row.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool Record(const SearchSettings& s, const int32_t limit[6], const std::string& out, Blocks& blocks) {
    bool running = true;
    g_recording = Recording{};
    g_recording.engine = SearchEngineBest();
    g_recording.headerEnd = -1;
    for (int i = 0; i < 6; ++i) g_recording.limit[i] = limit[i];
    g_recording.running = &running;
    g_recordingEngine.batchSize = g_recording.engine->batchSize;
    Search(s, out, &g_recordingEngine, running);
    blocks.moments = g_recording.moments;
    bool read = E2eReadFile(out, blocks.bytes);
    std::remove(out.c_str());
    if (!read) return false;
    size_t pos = g_recording.headerEnd < 0 ? blocks.bytes.size() : static_cast<size_t>(g_recording.headerEnd);
    blocks.ends.assign(1, static_cast<long>(pos));
    for (const CandidateMoment& m : blocks.moments) {
        while (pos < blocks.bytes.size()) {
            size_t end = blocks.bytes.find("\r\n", pos);
            if (end == std::string::npos || !RowOf(blocks.bytes, pos, end, m, s.keyInputEnabled)) break;
            pos = end + 2;
        }
        blocks.ends.push_back(static_cast<long>(pos));
    }
    if (pos != blocks.bytes.size()) {
        std::printf("FAIL the core's rows could not be told apart by candidate at \"%s\"\n",
                    LineAt(blocks.bytes, pos).c_str());
        return false;
    }
    return true;
}

int Check(const std::string& beforePath, const std::string& afterPath, const std::string& actualPath,
          bool requireSwitch) {
    SearchSettings before, after;
    if (!SettingsOfCase(beforePath, before) || !SettingsOfCase(afterPath, after)) return 1;
    std::string actual;
    if (!E2eReadFile(actualPath, actual)) {
        std::printf("FAIL result file: cannot read %s\n", actualPath.c_str());
        return 1;
    }
    bool ok = true;
    auto fail = [&ok](const std::string& what) {
        std::printf("FAIL %s\n", what.c_str());
        ok = false;
    };
    if (actual.size() < 2 || actual.compare(actual.size() - 2, 2, "\r\n") != 0)
        fail("result file ends with CR LF after its last line");

    // The candidates to compute end with the second of the file's last row.
    int32_t limit[6] = {0, 0, 0, 0, 0, 0};
    bool limited = false;
    size_t lastLine = actual.size() >= 2 ? actual.rfind('\n', actual.size() - 2) : std::string::npos;
    if (lastLine != std::string::npos) {
        int n = std::sscanf(actual.c_str() + lastLine + 1, "%d,%d,%d,%d,%d,%d", &limit[0], &limit[1],
                            &limit[2], &limit[3], &limit[4], &limit[5]);
        limited = n == 6;
    }
    if (!limited) limit[0] = -1000;  // header only: no candidate is needed

    std::string scratch = actualPath + ".expected";
    Blocks old, changed;
    if (!Record(before, limit, scratch, old) || !Record(after, limit, scratch, changed)) {
        fail("the core's files could not be written next to " + actualPath);
        return 1;
    }
    size_t header = static_cast<size_t>(old.ends[0]);
    if (actual.compare(0, header, old.bytes, 0, header) != 0) {
        fail("header line: expected \"" + LineAt(old.bytes, 0) + "\", saw \"" + LineAt(actual, 0) + "\"");
        return 1;
    }
    bool sameWalk = old.moments.size() == changed.moments.size();
    for (size_t k = 0; sameWalk && k < old.moments.size(); ++k)
        sameWalk = std::memcmp(&old.moments[k], &changed.moments[k], sizeof(CandidateMoment)) == 0;
    if (!sameWalk) {
        fail("both settings walk the same candidates (the check needs that)");
        return 1;
    }

    size_t pos = header;
    bool switched = false;
    long switchedAt = -1;
    int oldOnlyBefore = 0, changedAfter = 0;
    size_t k = 0;
    for (; k < old.moments.size() && pos < actual.size(); ++k) {
        std::string a = old.bytes.substr(static_cast<size_t>(old.ends[k]),
                                         static_cast<size_t>(old.ends[k + 1] - old.ends[k]));
        std::string b = changed.bytes.substr(static_cast<size_t>(changed.ends[k]),
                                             static_cast<size_t>(changed.ends[k + 1] - changed.ends[k]));
        if (!switched && actual.compare(pos, a.size(), a) == 0) {
            pos += a.size();
            if (a != b) ++oldOnlyBefore;
            continue;
        }
        if (!switched) {
            switched = true;
            switchedAt = static_cast<long>(k);
        }
        if (actual.compare(pos, b.size(), b) != 0) {
            const CandidateMoment& m = old.moments[k];
            char where[96];
            std::snprintf(where, sizeof where, "candidate %zu (%d/%d/%d %d:%d:%d mask %u)", k, m.year,
                          m.month, m.day, m.hour, m.minute, m.second, m.keyMask);
            fail(std::string("rows of ") + where + ": expected \"" +
                 LineAt(b.empty() ? a : b, 0) + "\", saw \"" + LineAt(actual, pos) + "\"");
            return 1;
        }
        pos += b.size();
        if (a != b) ++changedAfter;
    }
    if (pos < actual.size())
        fail("rows beyond the candidates the core walked: \"" + LineAt(actual, pos) + "\"");
    std::printf("%s rows of %zu candidates match the core (%zu bytes)%s\n", ok ? "PASS" : "FAIL", k,
                actual.size(), switched ? "" : ", no change of settings seen");
    if (requireSwitch) {
        if (oldOnlyBefore == 0 || changedAfter == 0 || !switched)
            fail("the change took effect: rows only the first settings give before it (" +
                 std::to_string(oldOnlyBefore) + "), candidates whose rows it changed after it (" +
                 std::to_string(changedAfter) + ")");
        else
            std::printf("PASS settings changed at candidate %ld: %d candidates before with rows the "
                        "change removes, %d after it without them\n",
                        switchedAt, oldOnlyBefore, changedAfter);
    }
    return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) return Write(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "days") == 0) return Days(argv[2], argv[3]);
    if ((argc == 5 || argc == 6) && std::strcmp(argv[1], "check") == 0)
        return Check(argv[2], argv[3], argv[4], argc == 6 && std::strcmp(argv[5], "--switch") == 0);
    std::fprintf(stderr,
                 "usage: expected_result write CASE OUT\n"
                 "       expected_result days CASE OUT\n"
                 "       expected_result check CASE_BEFORE CASE_AFTER ACTUAL [--switch]\n");
    return 2;
}
