// What the fuzz targets share: how an input is read (front to back, a
// number most often one of the edges of the 32-bit range or of the window's
// ranges), the same layout written back for the seed corpus, every field of
// the settings record in one order for both, and a scratch folder of the
// process that goes away when it ends.
#pragma once

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <ftw.h>
#include <unistd.h>

#include "bench/ExampleConsole.h"
#include "engine/SearchEngine.h"
#include "modes/SearchSettings.h"
#include "modes/SettingsFields.h"

// --- Input layout -------------------------------------------------------------
// A number is one byte: below 128 it picks kFuzzEdges[byte % count], else
// four bytes of any value follow (little-endian). Words are their bytes,
// little-endian; a flag is the low bit of one byte; a text is a length byte
// and that many bytes. Past the end every byte reads 0.

constexpr int32_t kFuzzEdges[] = {
    INT32_MIN, INT32_MIN + 1, -65536, -2801, -1000, -100, -31, -2, -1, 0, 1, 2, 3, 5, 6,
    7, 9, 10, 11, 12, 13, 23, 25, 26, 28, 29, 30, 31, 32, 52, 53, 59, 60, 99, 100, 617,
    618, 619, 623, 624, 2799, 2800, 2801, 65535, 65536, 99999999, INT32_MAX - 1, INT32_MAX,
};
constexpr int kFuzzEdgeCount = static_cast<int>(sizeof kFuzzEdges / sizeof kFuzzEdges[0]);
constexpr uint8_t kFuzzRawNumber = 0xFF;

struct FuzzReader {
    const uint8_t* data;
    size_t size;
    size_t at;
};

struct FuzzWriter {
    std::string bytes;
};

inline uint8_t FuzzByte(FuzzReader& in) { return in.at < in.size ? in.data[in.at++] : 0; }
inline void FuzzByte(FuzzWriter& out, uint8_t byte) { out.bytes += static_cast<char>(byte); }

template <typename Word>
void FuzzBytesOf(FuzzReader& in, Word& w) {
    uint64_t v = 0;
    for (size_t i = 0; i < sizeof(Word); ++i) v |= static_cast<uint64_t>(FuzzByte(in)) << (8 * i);
    w = static_cast<Word>(v);
}
template <typename Word>
void FuzzBytesOf(FuzzWriter& out, Word& w) {
    const uint64_t v = static_cast<uint64_t>(w);
    for (size_t i = 0; i < sizeof(Word); ++i) FuzzByte(out, static_cast<uint8_t>(v >> (8 * i)));
}

inline void FuzzField(FuzzReader& in, uint16_t& w) { FuzzBytesOf(in, w); }
inline void FuzzField(FuzzWriter& out, uint16_t& w) { FuzzBytesOf(out, w); }
inline void FuzzField(FuzzReader& in, uint32_t& w) { FuzzBytesOf(in, w); }
inline void FuzzField(FuzzWriter& out, uint32_t& w) { FuzzBytesOf(out, w); }
inline void FuzzField(FuzzReader& in, uint64_t& w) { FuzzBytesOf(in, w); }
inline void FuzzField(FuzzWriter& out, uint64_t& w) { FuzzBytesOf(out, w); }

inline void FuzzField(FuzzReader& in, bool& flag) { flag = (FuzzByte(in) & 1u) != 0; }
inline void FuzzField(FuzzWriter& out, bool& flag) { FuzzByte(out, flag ? 1 : 0); }

inline void FuzzField(FuzzReader& in, int32_t& number) {
    const uint8_t pick = FuzzByte(in);
    if (pick < 128) {
        number = kFuzzEdges[pick % kFuzzEdgeCount];
        return;
    }
    uint32_t raw;
    FuzzBytesOf(in, raw);
    number = static_cast<int32_t>(raw);
}
inline void FuzzField(FuzzWriter& out, int32_t& number) {
    for (int i = 0; i < kFuzzEdgeCount; ++i)
        if (kFuzzEdges[i] == number) return FuzzByte(out, static_cast<uint8_t>(i));
    FuzzByte(out, kFuzzRawNumber);
    uint32_t raw = static_cast<uint32_t>(number);
    FuzzBytesOf(out, raw);
}

inline void FuzzField(FuzzReader& in, std::string& text) {
    text.clear();
    for (uint8_t n = FuzzByte(in); n > 0 && in.at < in.size; --n) text += static_cast<char>(FuzzByte(in));
}
inline void FuzzField(FuzzWriter& out, std::string& text) {
    const size_t n = text.size() < 255 ? text.size() : 255;
    FuzzByte(out, static_cast<uint8_t>(n));
    out.bytes.append(text, 0, n);
}

// Every field of the record: the console words a walk is given, then the
// table of settings fields in its order, each value by its kind.
template <typename Stream>
void FuzzSettingsFields(Stream& io, SearchSettings& s) {
    FuzzField(io, s.vCount);
    FuzzField(io, s.timer0);
    FuzzField(io, s.MacWord6);
    FuzzField(io, s.MacWord7);
    for (int i = 0; i < SettingsFieldCount(); ++i) {
        const SettingsField& f = SettingsFieldAt(i);
        char* at = reinterpret_cast<char*>(&s) + f.offset;
        for (int k = 0; k < f.count; ++k) {
            switch (f.kind) {
            case kFieldInt: FuzzField(io, reinterpret_cast<int32_t*>(at)[k]); break;
            case kFieldUInt16: FuzzField(io, reinterpret_cast<uint16_t*>(at)[k]); break;
            case kFieldBool: FuzzField(io, reinterpret_cast<bool*>(at)[k]); break;
            case kFieldHex: FuzzField(io, *reinterpret_cast<uint64_t*>(at)); break;
            case kFieldVersion:
                FuzzField(io, s.version.versionWord);
                for (uint32_t& w : s.version.versionWords) FuzzField(io, w);
                FuzzField(io, s.version.fiveWordVersion);
                break;
            case kFieldHexRange:  // the typed console: the walk's words above stand for it
            case kFieldMac: break;
            }
        }
    }
}

// A record read from the input; padding bytes zero, so records compare bytewise.
inline void FuzzSettings(FuzzReader& in, SearchSettings& s) {
    SearchSettingsInit(s);
    FuzzSettingsFields(in, s);
}

// value + delta without leaving the 32-bit range.
inline int32_t FuzzSaturatedAdd(int32_t value, int64_t delta) {
    int64_t sum = static_cast<int64_t>(value) + delta;
    if (sum > INT32_MAX) return INT32_MAX;
    if (sum < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(sum);
}

// --- Files --------------------------------------------------------------------

// A folder of this process under $TMPDIR (or /tmp), removed when the
// process exits (a crash leaves it; the scripts point TMPDIR into build/).
inline std::string& FuzzScratchDirName() {
    static std::string dir;
    return dir;
}

inline int FuzzRemoveEntry(const char* path, const struct stat*, int, struct FTW*) {
    return std::remove(path);
}

inline const std::string& FuzzScratchDir() {
    std::string& dir = FuzzScratchDirName();
    if (dir.empty()) {
        const char* base = std::getenv("TMPDIR");
        std::string pattern = std::string(base && *base ? base : "/tmp") + "/morvane_fuzz_XXXXXX";
        if (!mkdtemp(&pattern[0])) std::abort();
        dir = pattern;
        std::atexit([] { nftw(FuzzScratchDirName().c_str(), FuzzRemoveEntry, 8, FTW_DEPTH | FTW_PHYS); });
    }
    return dir;
}

inline std::string FuzzScratchPath(const char* name) { return FuzzScratchDir() + "/" + name; }

inline void FuzzWriteFile(const std::string& path, const void* data, size_t size) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size > 0) std::fwrite(data, 1, size, file);
    std::fclose(file);
}

inline std::string FuzzReadFile(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

// --- Seed corpus --------------------------------------------------------------
// A target run with MORVANE_FUZZ_WRITE_SEEDS=<folder> writes its seed inputs
// there, encoded by the same field order it reads, and exits
// (scripts/fuzz.sh seeds).

inline void FuzzWriteSeed(const char* name, const FuzzWriter& seed) {
    const char* folder = std::getenv("MORVANE_FUZZ_WRITE_SEEDS");
    FuzzWriteFile(std::string(folder) + "/seed-" + name, seed.bytes.data(), seed.bytes.size());
}

// Calls write() and exits when seeds are asked for; returns otherwise.
inline void FuzzSeedsIfAsked(void (*write)()) {
    const char* folder = std::getenv("MORVANE_FUZZ_WRITE_SEEDS");
    if (!folder || !*folder) return;
    write();
    std::exit(0);
}

// A broken property: says which, and stops the run so libFuzzer keeps the input.
#define FUZZ_CHECK(condition)                                                             \
    do {                                                                                  \
        if (!(condition)) {                                                               \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__,      \
                         #condition);                                                     \
            std::abort();                                                                 \
        }                                                                                 \
    } while (0)

// The batch engines this processor runs, in the table's order; an input
// picks one by a number taken modulo their count.
inline std::vector<SearchEngineEntry> FuzzSupportedEngines() {
    std::vector<SearchEngineEntry> engines;
    for (int32_t i = 0; i < SearchEngineCount(); ++i)
        if (SearchEngineAt(i).supported) engines.push_back(SearchEngineAt(i));
    return engines;
}
