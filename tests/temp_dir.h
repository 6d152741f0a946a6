// Where the unit tests put the files they write: one directory per test
// process under GoogleTest's temporary folder (TEST_TMPDIR, which the build
// points into the build folder), removed with everything in it when the
// process exits, also after a failed assertion left a file behind.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

inline char g_testTempDir[4096];  // empty until the first use

inline void TestTempDirRemove() {
    std::error_code ignored;
    std::filesystem::remove_all(g_testTempDir, ignored);
}

// The process's directory, made on first use.
inline std::string TestTempDir() {
    if (g_testTempDir[0] == '\0') {
        std::snprintf(g_testTempDir, sizeof g_testTempDir, "%smorvane_XXXXXX", ::testing::TempDir().c_str());
        if (mkdtemp(g_testTempDir) == nullptr) {
            ADD_FAILURE() << "cannot make a temporary directory from " << g_testTempDir;
            g_testTempDir[0] = '\0';
            return ::testing::TempDir();
        }
        std::atexit(TestTempDirRemove);
    }
    return g_testTempDir;
}

// A path for a file named name in the process's directory.
inline std::string TestTempPath(const std::string& name) { return TestTempDir() + "/" + name; }
