// Helpers shared by the driver and result-file tests: a console of the
// worked example, a temporary result path, file reading, and an engine that
// records the candidates the walk hands it.
#pragma once

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "modes/SearchSettings.h"
#include "seed/SeedMessage.h"
#include "engine/SeedSearch.h"
#include "engine/WindowSystem.h"
#include "bench/ExampleConsole.h"
#include "tests/temp_dir.h"

inline std::string TempResultPath(const char* name) { return TestTempPath(std::string(name) + ".txt"); }

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline std::vector<std::string> SplitCrLfLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start) + "<no line end>");
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// Records every candidate instead of evaluating it.
struct RecordedWalk {
    std::vector<CandidateMoment> moments;
    std::vector<int32_t> batchSizes;
    std::vector<int32_t> pidEnds;
};
inline RecordedWalk* g_recordedWalk = nullptr;

inline void RecordBatch(SearchRun& run, const CandidateMoment* moments, int32_t count) {
    g_recordedWalk->batchSizes.push_back(count);
    g_recordedWalk->pidEnds.push_back(run.pidEnd);
    for (int32_t i = 0; i < count; ++i) g_recordedWalk->moments.push_back(moments[i]);
}

inline const SearchEngine kRecordingEngine1 = {"record-1", 1, RecordBatch};
inline const SearchEngine kRecordingEngine64 = {"record-64", 64, RecordBatch};

// Runs a search with a headless window whose fake clock advances 10 ms per
// reading, so the pump runs before every batch.
inline int32_t RunHeadless(const SearchSettings& s, const std::string& path,
                           const SearchEngine* engine, HeadlessWindow& window) {
    WindowSystem ws = HeadlessWindowSystem(window);
    bool running = true;
    SearchOptions options{path.c_str(), engine};
    return RunSearch(s, running, ws, options);
}
