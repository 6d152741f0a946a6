#include "cli/SettingsFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/ResultOutput.h"

bool SettingsFileRead(const std::string& path, SettingsRecord& settings, SettingsOrigins& origins,
                      std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot be read: " + std::strerror(errno);
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return SettingsTextRead(text.str(), path, settings, origins, error);
}

bool SettingsFileWrite(const std::string& path, const SettingsRecord& settings, std::string& error) {
    ResultOutput file;
    if (!ResultOutputOpen(file, path, false, false, error)) return false;
    const std::string text = SettingsText(settings);
    if (std::fwrite(text.data(), 1, text.size(), file.file) != text.size()) file.error = errno;
    return ResultOutputClose(file, error);
}
