// What the command line's tests share: morvane-cli (MORVANE_CLI_PATH) run
// as a program in a fresh working folder of its own, its exit code,
// standard output and standard error.
#pragma once

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh working folder for one test, removed when the test passed.
inline void RemoveFolder(const std::string& dir) {
    if (::testing::Test::HasFailure()) return;
    const std::string base = dir.substr(0, dir.size() - 1);
    EXPECT_EQ(std::system(("rm -rf '" + base + "' '" + base + ".stdout' '" + base + ".stderr'").c_str()), 0);
}

inline std::string Folder(const char* name) {
    std::string dir = ::testing::TempDir() + "morvane_cli_" + name + "_" + std::to_string(::getpid());
    std::string command = "rm -rf '" + dir + "' && mkdir -p '" + dir + "'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return dir + "/";
}

struct CliRun {
    int exitCode;
    std::string out;
    std::string err;
};

// Standard output and error of the program go beside its folder.
inline std::string OutputPath(const std::string& dir, const char* stream) {
    return dir.substr(0, dir.size() - 1) + "." + stream;
}

inline pid_t StartCli(const std::string& dir, const std::vector<std::string>& args) {
    const std::string outPath = OutputPath(dir, "stdout"), errPath = OutputPath(dir, "stderr");
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(99);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        std::vector<char*> argv{const_cast<char*>(MORVANE_CLI_PATH)};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(MORVANE_CLI_PATH, argv.data());
        _exit(98);
    }
    return pid;
}

inline CliRun FinishCli(const std::string& dir, pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return CliRun{WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status),
                  ReadBytes(OutputPath(dir, "stdout")), ReadBytes(OutputPath(dir, "stderr"))};
}

inline CliRun RunCli(const std::string& dir, const std::vector<std::string>& args) {
    return FinishCli(dir, StartCli(dir, args));
}

inline std::vector<std::string> Args(std::initializer_list<std::vector<std::string>> groups) {
    std::vector<std::string> all;
    for (const auto& g : groups) all.insert(all.end(), g.begin(), g.end());
    return all;
}

inline size_t Lines(const std::string& bytes) {
    size_t n = 0;
    for (char c : bytes) n += c == '\n';
    return n;
}

// Sends the program SIGINT and waits up to ten seconds for it to end; its
// exit code, or -1 when it had to be killed (it did not stop).
inline int InterruptCli(pid_t pid) {
    kill(pid, SIGINT);
    int status = 0;
    for (int i = 0; i < 400 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(25000);
    if (kill(pid, 0) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
}
