// The command line's settings files: `name = value` lines with the names of
// the table of settings fields (modes/SettingsFields.h), which also gives
// the text form of every value the options take.
#pragma once

#include <string>

#include "modes/SettingsFields.h"

// Reads a settings file over the settings; false with "file: reason" when
// it cannot be read, or "file:line: ..." as SettingsTextRead says.
bool SettingsFileRead(const std::string& path, SettingsRecord& settings, SettingsOrigins& origins,
                      std::string& error);

// Writes every field of the settings (SettingsText); false with "path:
// reason" when the file cannot be written.
bool SettingsFileWrite(const std::string& path, const SettingsRecord& settings, std::string& error);
