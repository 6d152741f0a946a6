// The console from "config.txt", read exactly as the window reads it when it
// opens and captures it when a search starts: the same lenient reading of
// each line and field, the same version words when no version matches.
#pragma once

#include <string>

#include "cli/SettingsFile.h"

// False (nothing changed) when the file cannot be opened.
bool ConsoleConfigLoad(const std::string& path, SettingsRecord& settings);

// Writes the console (the low ends of the VCount and Timer0 ranges) as the
// window's "保存" writes its fields: no version line when the version words
// are none of the four games'. False with "path: reason" when the file
// cannot be written or does not read back as that console.
bool ConsoleConfigSave(const std::string& path, const SettingsRecord& settings, std::string& error);
