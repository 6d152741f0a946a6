// Calibration of boots made up from fuzzed parameters: a console (any game's
// words, any MAC, 3DS or not), one to three boots at any moment of the
// century with any keys held, each made by a VCount, Timer0, GxStat and
// Frame inside small ranges that start anywhere in the 32-bit range and a
// clock off by up to the tolerance, showing its seed or six values at some
// position of the table (the roamer's layout too). On a batch engine this
// processor runs, the input choosing which, and a number of threads: the
// calibration must end, try every candidate, find every boot's parameters
// and give the plain reference's matches in its order. Now and then one
// field is spoilt (a tolerance past 60, a range run backwards, a position
// past the table, a value of 32, a day that is no day, an eleventh key):
// then nothing may be tried and nothing found, on either path.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/Calibration.h"
#include "engine/SearchEngine.h"
#include "fuzz/fuzz_support.h"
#include "modes/IndividualValues.h"
#include "seed/RandomStreams.h"

namespace {

// Candidates above it are left out of the corpus: many small calibrations
// (the plain reference fills a whole MT table for each).
constexpr uint64_t kCandidateBudget = 96;
constexpr int kMostBoots = 3;

struct BootInput {
    uint8_t year, month, day, hour, minute, second;  // each modulo its range
    uint16_t keyMask;                                // modulo 1024
    bool seedSeen;
    uint8_t offset;       // the clock's error, modulo 2 * tolerance + 1, less the tolerance
    uint8_t vCount, timer0, gxStat, frame;  // the truth, each modulo its range's size
    uint8_t position;     // modulo the positions
};

struct CalibrationInput {
    uint8_t engine;  // modulo the batch engines this processor runs
    uint8_t threads; // 1 + this modulo 3
    uint8_t game;    // modulo 5: the four games, or words of the input
    uint32_t words[5];
    uint8_t mac[6];
    bool threeDsMode, roamer;
    uint8_t tolerance;  // modulo 61
    int32_t vCountLow, timer0Low, gxStatLow, frameLow;  // edges or any word
    uint8_t spans[4];   // each range holds 1 + span % 4 values
    uint16_t ivStart;   // modulo 619
    uint8_t ivSpan;     // the positions: 1 + this modulo 8, within the table
    uint8_t bootCount;  // 1 + this modulo kMostBoots
    BootInput boots[kMostBoots];
    uint8_t spoil;      // 1..7: one field made invalid; else (0 past the input's end too) none
};

template <typename Stream>
void BootFields(Stream& io, BootInput& b) {
    for (uint8_t* byte : {&b.year, &b.month, &b.day, &b.hour, &b.minute, &b.second}) FuzzBytesOf(io, *byte);
    FuzzBytesOf(io, b.keyMask);
    FuzzField(io, b.seedSeen);
    for (uint8_t* byte : {&b.offset, &b.vCount, &b.timer0, &b.gxStat, &b.frame, &b.position}) FuzzBytesOf(io, *byte);
}

template <typename Stream>
void InputFields(Stream& io, CalibrationInput& c) {
    for (uint8_t* byte : {&c.engine, &c.threads, &c.game}) FuzzBytesOf(io, *byte);
    if (c.game % 5 == 4)
        for (uint32_t& word : c.words) FuzzField(io, word);
    for (uint8_t& byte : c.mac) FuzzBytesOf(io, byte);
    FuzzField(io, c.threeDsMode);
    FuzzField(io, c.roamer);
    FuzzBytesOf(io, c.tolerance);
    for (int32_t* low : {&c.vCountLow, &c.timer0Low, &c.gxStatLow, &c.frameLow}) FuzzField(io, *low);
    for (uint8_t& span : c.spans) FuzzBytesOf(io, span);
    FuzzBytesOf(io, c.ivStart);
    FuzzBytesOf(io, c.ivSpan);
    FuzzBytesOf(io, c.bootCount);
    for (int b = 0; b < 1 + c.bootCount % kMostBoots; ++b) BootFields(io, c.boots[b]);
    FuzzBytesOf(io, c.spoil);
}

CalibrationRange RangeOf(int32_t low, uint8_t span) {
    const uint32_t l = static_cast<uint32_t>(low);
    return {l, static_cast<uint32_t>(std::min<uint64_t>(uint64_t{l} + span % 4, 0xFFFFFFFFu))};
}

uint32_t Pick(const CalibrationRange& r, uint8_t byte) {
    return r.low + static_cast<uint32_t>(byte % (uint64_t{r.high} - r.low + 1));
}

// The request without its boots, and the boots made from the truth.
struct Made {
    CalibrationRequest request;
    struct Truth {
        int32_t offset;
        uint32_t vCount, timer0, gxStat, frame;
        int32_t position;
    } truths[kMostBoots];
};

Made MakeRequest(const CalibrationInput& c) {
    Made made{};
    CalibrationRequest& r = made.request;
    if (c.game % 5 < 4) {
        VersionConstantsSet(r.version, static_cast<GameVersion>(c.game % 5));
    } else {
        r.version.fiveWordVersion = c.words[0] % 2 == 0;
        r.version.versionWord = c.words[0];
        std::copy(c.words, c.words + 5, r.version.versionWords);
    }
    std::copy(c.mac, c.mac + 6, r.mac);
    r.threeDsMode = c.threeDsMode;
    r.roamer = c.roamer;
    r.tolerance = c.tolerance % (kCalibrationMostTolerance + 1);
    r.vCount = RangeOf(c.vCountLow, c.spans[0]);
    r.timer0 = RangeOf(c.timer0Low, c.spans[1]);
    r.gxStat = RangeOf(c.gxStatLow, c.spans[2]);
    r.frame = RangeOf(c.frameLow, c.spans[3]);
    const int32_t last = 623 - IvOutputReach(r.roamer);
    r.ivStart = c.ivStart % (last + 1);
    r.ivEnd = std::min(r.ivStart + c.ivSpan % 8, last);
    for (int b = 0; b < 1 + c.bootCount % kMostBoots; ++b) {
        const BootInput& in = c.boots[b];
        CalibrationBoot boot{};
        CandidateMoment& at = boot.at;
        at.year = in.year % 100;
        at.month = 1 + in.month % 12;
        at.day = 1 + in.day % DaysInMonth(at.year, at.month);
        at.weekday = WeekdayOf(at.year, at.month, at.day);
        at.hour = in.hour % 24;
        at.minute = in.minute % 60;
        at.second = in.second % 60;
        at.keyMask = in.keyMask % 1024u;
        Made::Truth& t = made.truths[b];
        t = {static_cast<int32_t>(in.offset % (2 * r.tolerance + 1)) - r.tolerance,
             Pick(r.vCount, in.vCount),
             Pick(r.timer0, in.timer0),
             Pick(r.gxStat, in.gxStat),
             Pick(r.frame, in.frame),
             -1};
        CandidateMoment real;
        if (!CalibrationMomentShift(at, t.offset, real)) {
            t.offset = 0;
            real = at;
        }
        boot.seedSeen = in.seedSeen;
        boot.seed = CalibrationSeedOf(r, real, t.vCount, t.timer0, t.gxStat, t.frame);
        if (!boot.seedSeen) {
            t.position = r.ivStart + in.position % (r.ivEnd - r.ivStart + 1);
            MtTable mt;
            MtTableFill(mt, boot.seed);
            const IvSet ivs = IvSetAt(mt, t.position, r.roamer);
            for (int i = 0; i < 6; ++i) boot.ivs[i] = static_cast<uint8_t>(ivs.v[i]);
        }
        r.boots.push_back(boot);
    }
    return made;
}

// One field made invalid, as the spoil byte says; false: none.
bool Spoil(uint8_t spoil, CalibrationRequest& r) {
    CalibrationBoot& boot = r.boots.back();
    switch (spoil) {
    case 1: r.tolerance = kCalibrationMostTolerance + 1 + r.tolerance; return true;
    case 2: std::swap(r.timer0.low, r.timer0.high); return r.timer0.low != r.timer0.high;
    case 3: r.ivEnd = 624 - IvOutputReach(r.roamer); return true;
    case 4: boot.ivs[r.ivStart % 6] = 32; boot.seedSeen = false; return true;
    case 5: boot.at.day = DaysInMonth(boot.at.year, boot.at.month) + 1; return true;
    case 6: boot.at.keyMask |= 1024u; return true;
    case 7: r.ivStart = r.ivEnd + 1; return true;
    default: return false;
    }
}

bool SameMatches(const CalibrationResult& a, const CalibrationResult& b) {
    if (a.matches.size() != b.matches.size()) return false;
    for (size_t i = 0; i < a.matches.size(); ++i) {
        const CalibrationMatch& x = a.matches[i];
        const CalibrationMatch& y = b.matches[i];
        if (x.boot != y.boot || x.offset != y.offset || x.vCount != y.vCount || x.timer0 != y.timer0 ||
            x.gxStat != y.gxStat || x.frame != y.frame || x.position != y.position || x.seed != y.seed ||
            x.moment.year != y.moment.year || x.moment.month != y.moment.month || x.moment.day != y.moment.day ||
            x.moment.hour != y.moment.hour || x.moment.minute != y.moment.minute ||
            x.moment.second != y.moment.second || x.moment.weekday != y.moment.weekday ||
            x.moment.keyMask != y.moment.keyMask)
            return false;
    }
    return true;
}

bool Found(const CalibrationResult& result, int32_t boot, const Made::Truth& t) {
    return std::any_of(result.matches.begin(), result.matches.end(), [&](const CalibrationMatch& m) {
        return m.boot == boot && m.offset == t.offset && m.vCount == t.vCount && m.timer0 == t.timer0 &&
               m.gxStat == t.gxStat && m.frame == t.frame && m.position == t.position;
    });
}

void WriteSeed(const char* name, CalibrationInput input) {
    FuzzWriter out;
    InputFields(out, input);
    FuzzWriteSeed(name, out);
}

// The worked example's boot (ブラック, 14:58:21 with B St Right Left Down R L
// held, values at 7) with its seed, then edges: the ends of the century and
// of the 32-bit ranges, the roamer at the table's end, words of no game,
// and each spoilt field.
void WriteSeeds() {
    CalibrationInput example{};
    example.game = kGameBlack;
    const uint8_t mac[6] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
    std::copy(mac, mac + 6, example.mac);
    example.tolerance = 2;
    example.vCountLow = 0x5F;
    example.timer0Low = 0xC78;
    example.gxStatLow = 0x06000000;
    example.frameLow = 8;
    example.spans[0] = 2, example.spans[1] = 1;
    example.ivStart = 4;
    example.ivSpan = 7;
    example.bootCount = 1;
    example.boots[0] = {12, 10, 28, 14, 58, 21, 0x045, false, 2, 1, 1, 0, 0, 3};
    example.boots[1] = example.boots[0];
    example.boots[1].seedSeen = true;
    WriteSeed("worked-example", example);

    CalibrationInput edges = example;
    edges.bootCount = 2;
    edges.game = 4;
    const uint32_t words[5] = {0xFFFFFFFF, 0, 1, 0x80000000, 0x7FFFFFFF};
    std::copy(words, words + 5, edges.words);
    edges.vCountLow = edges.timer0Low = edges.gxStatLow = edges.frameLow = -1;
    edges.tolerance = 15;  // 31 seconds of three boots: within the budget
    edges.boots[0] = {0, 0, 0, 0, 0, 0, 0, false, 0, 0, 0, 0, 0, 0};
    edges.boots[1] = {99, 11, 30, 23, 59, 59, 1023, false, 120, 0, 0, 0, 0, 7};
    edges.boots[2] = {12, 1, 28, 23, 59, 59, 0, true, 61, 3, 3, 3, 3, 0};
    edges.roamer = true;
    edges.ivStart = 617;
    WriteSeed("edges", edges);

    for (uint8_t spoil = 1; spoil <= 7; ++spoil) {
        CalibrationInput spoilt = example;
        spoilt.bootCount = 1;
        spoilt.spoil = spoil;
        spoilt.engine = spoil;
        spoilt.threads = spoil;
        WriteSeed(("spoilt-" + std::to_string(spoil)).c_str(), spoilt);
    }
}

// Inputs calibrated, refused (one field spoilt) and left out over the
// budget, said at exit, so a campaign's count of executions reads honestly.
uint64_t g_calibrated = 0, g_refused = 0, g_overBudget = 0;

void SayCounts() {
    std::fprintf(stderr, "calibration fuzz: %llu inputs calibrated, %llu refused, %llu over the budget\n",
                 static_cast<unsigned long long>(g_calibrated), static_cast<unsigned long long>(g_refused),
                 static_cast<unsigned long long>(g_overBudget));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    FuzzSeedsIfAsked(WriteSeeds);
    std::atexit(SayCounts);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::vector<SearchEngineEntry> engines = FuzzSupportedEngines();
    FuzzReader in{data, size, 0};
    CalibrationInput input{};
    InputFields(in, input);
    Made made = MakeRequest(input);
    CalibrationRequest& r = made.request;
    CalibrationOptions options{};
    options.kernels = engines[input.engine % engines.size()].kernels;
    options.threads = 1 + input.threads % 3;

    const bool spoilt = Spoil(input.spoil, r);
    uint64_t candidates = 0;
    const bool valid = CalibrationRequestValid(r, candidates);
    FUZZ_CHECK(valid != spoilt);
    if (!valid) {
        ++g_refused;
        const CalibrationResult batch = CalibrationRun(r, options);
        const CalibrationResult plain = CalibrationRunPlain(r, options);
        FUZZ_CHECK(!batch.finished && batch.candidates == 0 && batch.matches.empty());
        FUZZ_CHECK(!plain.finished && plain.candidates == 0 && plain.matches.empty());
        return 0;
    }
    if (candidates > kCandidateBudget) {
        ++g_overBudget;
        return -1;
    }
    ++g_calibrated;

    const CalibrationResult batch = CalibrationRun(r, options);
    FUZZ_CHECK(batch.finished && batch.candidates == candidates);
    for (size_t b = 0; b < r.boots.size(); ++b) FUZZ_CHECK(Found(batch, static_cast<int32_t>(b), made.truths[b]));
    const CalibrationResult plain = CalibrationRunPlain(r, options);
    FUZZ_CHECK(plain.finished && plain.candidates == candidates);
    FUZZ_CHECK(SameMatches(batch, plain));
    return 0;
}
