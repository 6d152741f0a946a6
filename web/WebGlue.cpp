// The page's side of the search, compiled to WebAssembly: the settings text
// read and checked as the command line reads and checks a settings file,
// the walk's plan (the Timer0/VCount walks, the days, the seconds of a day,
// the key masks), the header, and the evaluation of one chunk of seconds on
// the batch engine. Each worker of the page holds its own instance; the page
// cuts the walk into chunks and puts their rows back in walk order.
//
// Every function hands its answer back through one buffer (MvResult,
// MvResultLength): JSON for the plans and checks, result bytes (code page
// 932, CR LF) for the header and the rows.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/Capture.h"
#include "app/ConfigFile.h"
#include "cli/ConsoleConfig.h"
#include "cli/SettingsCheck.h"
#include "modes/SettingsFields.h"
#include "engine/SearchEngine.h"
#include "modes/SearchModes.h"
#include "res/resource.h"
#include "web/WebJson.h"

namespace {

std::string gResult;  // the last answer

// The settings of the search this instance runs, and its walk's shape.
struct WebSearch {
    SettingsRecord settings;
    bool ready;
    std::vector<CandidateMoment> days;  // the walk's days (date and weekday only)
    std::vector<uint32_t> masks;        // the key masks of every second, in walk order
    int32_t hours, minutes, seconds;    // the span of each time range
    const SearchEngine* engine;
    // The run of the last chunk's walk, kept for the next chunk of the same
    // walk: setting a run up (its tables and the engine's buffers) costs as
    // much as evaluating thousands of candidates.
    SearchSettings runSettings;
    SearchRun run;
    bool runValid;
    uint32_t runWalk;
};
WebSearch gSearch;

void WebSearchEndRun(WebSearch& w) {
    if (!w.runValid) return;
    SearchRunRelease(w.run);
    w.run = SearchRun{};
    w.runValid = false;
}

// The walk's run, set up anew when the walk changes.
SearchRun& WebSearchRunOf(WebSearch& w, uint32_t walk, uint32_t timer0, uint32_t vCount) {
    if (!w.runValid || w.runWalk != walk) {
        WebSearchEndRun(w);
        w.runSettings = SearchSettingsOfConsole(w.settings, vCount, timer0);
        SearchRunInit(w.run, w.runSettings);
        w.runValid = true;
        w.runWalk = walk;
    }
    return w.run;
}

// Every field's origin is its own name, so a message of the checks names
// the field it is about ("ivMin: the lower bound ...").
SettingsOrigins OriginsByName() {
    SettingsOrigins origins = SettingsOriginsNone();
    for (int i = 0; i < SettingsFieldCount(); ++i) origins[static_cast<size_t>(i)] = SettingsFieldAt(i).name;
    return origins;
}

// Reads the text line by line, so that a line that does not read is known
// by its field: false with field (possibly empty) and message.
bool ReadSettingsText(const std::string& text, SettingsRecord& settings, std::string& field,
                      std::string& message) {
    SettingsRecordInit(settings);
    SettingsOrigins origins = SettingsOriginsNone();
    size_t at = 0;
    int lineNumber = 0;
    while (at <= text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        ++lineNumber;
        std::string error;
        if (SettingsTextRead(line, "", settings, origins, error)) continue;
        const size_t eq = line.find('=');
        field = JsonTrim(eq == std::string::npos ? line : line.substr(0, eq));
        if (SettingsFieldFind(field) < 0) field.clear();
        // The reader names the place (":1: "); a field is named by the page,
        // a line that names none by its number.
        const std::string what = error.substr(error.find(": ") + 2);
        message = field.empty() ? "line " + std::to_string(lineNumber) + ": " + what : what;
        return false;
    }
    if (SettingsCheck(settings, OriginsByName(), message)) return true;
    field = message.substr(0, message.find(':'));
    if (SettingsFieldFind(field) < 0) field.clear();
    return false;
}

int32_t Span(int32_t first, int32_t last) { return last < first ? 0 : last - first + 1; }

void PlanWalk(WebSearch& w) {
    const SearchSettings& s = w.settings.search;
    w.days.clear();
    int32_t y = s.startYear, m = s.startMonth, d = s.startDay;
    for (;;) {
        CandidateMoment day{};
        day.year = y;
        day.month = m;
        day.day = d;
        day.weekday = WeekdayOf(y, m, d);
        w.days.push_back(day);
        SearchAdvanceDate(y, m, d);
        if (y != s.endYear ? y > s.endYear : m != s.endMonth ? m > s.endMonth : d > s.endDay) break;
    }
    w.hours = Span(s.startHour, s.endHour);
    w.minutes = Span(s.startMinute, s.endMinute);
    w.seconds = Span(s.startSecond, s.endSecond);
    w.masks.clear();
    const KeyPatternView keys = KeyPatternViewOf(s);
    if (!s.keyInputEnabled) w.masks.push_back(kKeyMaskNone);
    else
        for (uint32_t mask = 0; mask <= kKeyMaskNone; ++mask)
            if (KeyMaskAllowed(keys, mask)) w.masks.push_back(mask);
}

void SinkToResult(void* context, const char* bytes, size_t length) {
    static_cast<std::string*>(context)->append(bytes, length);
}

// ",<Timer0>,<VCount>" before the line end of every line, as the command line
// writes a search over a range.
std::string WithColumns(const std::string& lines, const std::string& columns) {
    std::string out;
    out.reserve(lines.size() + lines.size() / 16);
    size_t at = 0;
    for (size_t end; (end = lines.find("\r\n", at)) != std::string::npos; at = end + 2) {
        out.append(lines, at, end - at);
        out += columns;
        out += "\r\n";
    }
    return out;
}

std::string ColumnsOf(uint32_t timer0, uint32_t vCount) {
    char text[32];
    std::snprintf(text, sizeof text, ",%X,%X", static_cast<unsigned>(timer0), static_cast<unsigned>(vCount));
    return text;
}

bool RangeColumns(const SettingsRecord& s) { return s.vCount.isRange || s.timer0.isRange; }

// The walk of index `walk`: VCount outside, Timer0 inside, both ascending.
void WalkValues(const SettingsRecord& s, uint32_t walk, uint32_t& timer0, uint32_t& vCount) {
    const uint64_t timers = uint64_t{s.timer0.high} - s.timer0.low + 1;
    timer0 = static_cast<uint32_t>(s.timer0.low + walk % timers);
    vCount = static_cast<uint32_t>(s.vCount.low + walk / timers);
}

// A console record with the controls the configuration file reads and writes.
struct ConfigControls {
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
};

ControlAccess ConfigControlsAccess(ConfigControls& memory) {
    ControlAccess access{};
    access.context = &memory;
    access.getText = [](void* c, int id, int limit) {
        if (limit <= 0) return std::string();
        return static_cast<ConfigControls*>(c)->texts[id].substr(0, static_cast<size_t>(limit - 1));
    };
    access.setText = [](void* c, int id, const char* text) { static_cast<ConfigControls*>(c)->texts[id] = text; };
    access.isChecked = [](void* c, int id) { return static_cast<ConfigControls*>(c)->checks[id]; };
    access.setChecked = [](void* c, int id, bool on) { static_cast<ConfigControls*>(c)->checks[id] = on; };
    access.getSelection = [](void*, int) { return -1; };
    access.setSelection = [](void*, int, int) {};
    access.addItem = [](void*, int, const char*) {};
    return access;
}

const char* const kConfigPath = "/config.txt";

std::string ReadWholeFile(const char* path) {
    std::string text;
    if (FILE* f = std::fopen(path, "rb")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) text.append(buffer, n);
        std::fclose(f);
    }
    return text;
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* MvResult() { return gResult.data(); }
EMSCRIPTEN_KEEPALIVE uint32_t MvResultLength() { return static_cast<uint32_t>(gResult.size()); }

// The table of settings fields with each one's initial value, the modes and
// the engine this module runs, as JSON.
EMSCRIPTEN_KEEPALIVE void MvDescribe() {
    SettingsRecord initial;
    SettingsRecordInit(initial);
    gResult = WebDescribeJson(initial, SearchEngineBest()->name);
}

// Reads and checks a settings text; on success this instance is ready to
// run chunks of it. JSON: {"ok":true, the walk's plan} or {"ok":false,
// "field":..., "message":...}.
EMSCRIPTEN_KEEPALIVE int MvPrepare(const char* text) {
    WebSearch& w = gSearch;
    w.ready = false;
    WebSearchEndRun(w);
    std::string field, message;
    if (!ReadSettingsText(text, w.settings, field, message)) {
        gResult = "{\"ok\":false,\"field\":" + JsonString(field) + ",\"message\":" + JsonString(message) + "}";
        return 0;
    }
    PlanWalk(w);
    w.engine = SearchEngineBest();
    w.ready = true;
    const SettingsRecord& s = w.settings;
    SearchSize size{};
    SearchSizeOf(s, size);  // the check made sure it counts
    const uint64_t walks = (uint64_t{s.vCount.high} - s.vCount.low + 1) * (uint64_t{s.timer0.high} - s.timer0.low + 1);
    std::string days;
    for (const CandidateMoment& d : w.days)
        days += (days.empty() ? "" : ",") + std::to_string(2000 + d.year) + "," + std::to_string(d.month) + "," +
                std::to_string(d.day);
    gResult = "{\"ok\":true,\"walks\":" + std::to_string(walks) +
              ",\"secondsPerDay\":" + std::to_string(int64_t{w.hours} * w.minutes * w.seconds) +
              ",\"masksPerSecond\":" + std::to_string(w.masks.size()) +
              ",\"candidates\":" + std::to_string(size.candidates) +
              ",\"rangeColumns\":" + (RangeColumns(s) ? "true" : "false") +
              ",\"engine\":" + JsonString(w.engine->name) + ",\"days\":[" + days + "]}";
    return 1;
}

// The header line of the prepared search, as the result file begins.
EMSCRIPTEN_KEEPALIVE void MvHeader() {
    gResult.clear();
    if (!gSearch.ready) return;
    const SettingsRecord& s = gSearch.settings;
    SearchSettings walk = SearchSettingsOfConsole(s, s.vCount.low, s.timer0.low);
    SearchRun head{};
    SearchRunInit(head, walk);
    head.sink = SinkToResult;
    head.sinkContext = &gResult;
    ResultWriteHeader(head);
    SearchRunRelease(head);
    if (RangeColumns(s)) gResult = WithColumns(gResult, ",Timer0,VCount");
}

// Evaluates `count` seconds of walk `walk` from its second `first` (seconds
// counted over the walk's days, every key mask of each in turn) and leaves
// their rows in the buffer, in walk order. Returns the rows' count.
EMSCRIPTEN_KEEPALIVE uint32_t MvRunChunk(uint32_t walk, double first, uint32_t count) {
    gResult.clear();
    WebSearch& w = gSearch;
    if (!w.ready) return 0;
    uint32_t timer0, vCount;
    WalkValues(w.settings, walk, timer0, vCount);
    SearchRun& run = WebSearchRunOf(w, walk, timer0, vCount);
    const SearchSettings& settings = w.runSettings;
    // Straight into the buffer, which keeps its room from the chunk before:
    // the chunks are sized to hold about as many bytes each.
    run.sink = SinkToResult;
    run.sinkContext = &gResult;
    run.candidateCount = 0;  // this chunk's matches
    const int64_t perDay = int64_t{w.hours} * w.minutes * w.seconds;
    const int32_t batch = w.engine->batchSize > 0 ? w.engine->batchSize : 1;
    std::vector<CandidateMoment> moments;
    moments.reserve(static_cast<size_t>(batch));
    const int64_t from = static_cast<int64_t>(first);
    for (int64_t g = from; g < from + count && perDay > 0; ++g) {
        const size_t dayIndex = static_cast<size_t>(g / perDay);
        if (dayIndex >= w.days.size()) break;
        const int64_t within = g % perDay;
        CandidateMoment m = w.days[dayIndex];
        m.hour = settings.startHour + static_cast<int32_t>(within / (int64_t{w.minutes} * w.seconds));
        m.minute = settings.startMinute + static_cast<int32_t>(within / w.seconds % w.minutes);
        m.second = settings.startSecond + static_cast<int32_t>(within % w.seconds);
        for (uint32_t mask : w.masks) {
            m.keyMask = mask;
            moments.push_back(m);
            if (static_cast<int32_t>(moments.size()) == batch) {
                SearchEvaluateChunk(run, *w.engine, moments.data(), batch);
                moments.clear();
            }
        }
    }
    if (!moments.empty()) SearchEvaluateChunk(run, *w.engine, moments.data(), static_cast<int32_t>(moments.size()));
    SearchRunFlush(run);
    const uint32_t matches = static_cast<uint32_t>(run.candidateCount);
    if (RangeColumns(w.settings)) gResult = WithColumns(gResult, ColumnsOf(timer0, vCount));
    return matches;
}

// Every field of a settings text, one line each, as the command line's
// --save-settings writes them; empty when the text does not read.
EMSCRIPTEN_KEEPALIVE void MvSettingsText(const char* text) {
    gResult.clear();
    SettingsRecord settings;
    SettingsRecordInit(settings);
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    if (SettingsTextRead(text, "", settings, origins, error)) gResult = SettingsText(settings);
}

// "config.txt" as the window reads it: the console as settings lines.
EMSCRIPTEN_KEEPALIVE void MvConfigRead(const char* bytes, uint32_t length) {
    if (FILE* f = std::fopen(kConfigPath, "wb")) {
        std::fwrite(bytes, 1, length, f);
        std::fclose(f);
    }
    SettingsRecord settings;
    SettingsRecordInit(settings);
    ConsoleConfigLoad(kConfigPath, settings);
    std::remove(kConfigPath);
    gResult.clear();
    for (int i = 0; i < kConsoleFieldCount; ++i)
        gResult += std::string(SettingsFieldAt(i).name) + " = " + SettingsFieldFormat(settings, i) + "\n";
}

// "config.txt" as the window's "保存" writes it, from the console of a settings
// text (the first value of a range); empty when the text does not read.
EMSCRIPTEN_KEEPALIVE void MvConfigWrite(const char* text) {
    gResult.clear();
    SettingsRecord s;
    std::string field, message;
    if (!ReadSettingsText(text, s, field, message) && !field.empty() &&
        SettingsFieldFind(field) < kConsoleFieldCount)
        return;
    ConfigControls memory;
    char hex[16];
    auto put = [&](int id, uint32_t v) {
        std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(v));
        memory.texts[id] = hex;
    };
    put(IDC_VCOUNT, s.vCount.low);
    put(IDC_TIMER0, s.timer0.low);
    put(IDC_GXSTAT, static_cast<uint32_t>(s.search.gxStat));
    memory.texts[IDC_FRAME] = std::to_string(s.search.frame);
    for (int i = 0; i < 6; ++i) put(IDC_MAC_0 + i, s.mac[i]);
    for (GameVersion v : {kGameBlack, kGameWhite, kGameBlack2, kGameWhite2}) {
        VersionConstants c{};
        VersionConstantsSet(c, v);
        const VersionConstants& have = s.search.version;
        const bool same = c.fiveWordVersion == have.fiveWordVersion &&
                          (c.fiveWordVersion ? std::equal(c.versionWords, c.versionWords + 5, have.versionWords)
                                             : c.versionWord == have.versionWord);
        memory.checks[VersionButtonIdOf(v)] = same;
    }
    ConfigFileSave(kConfigPath, ConfigControlsAccess(memory));
    gResult = ReadWholeFile(kConfigPath);
    std::remove(kConfigPath);
}

}  // extern "C"
