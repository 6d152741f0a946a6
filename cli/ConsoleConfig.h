// The console from "config.txt", read exactly as the window reads it when it
// opens and captures it when a search starts: the same lenient reading of
// each line and field, the same version words when no version matches.
#pragma once

#include <string>

#include "cli/SettingsFile.h"

// False (nothing changed) when the file cannot be opened.
bool ConsoleConfigLoad(const std::string& path, SettingsRecord& settings);
