#include "cli/SettingsFile.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

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
