// "config.txt": the console parameters and the game version, six text lines.
// The Win32 side passes "config.txt"; the tests pass files of their own.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Puts lines 1 to 5 into the console edits, unparsed, and line 6 into the
// version words and buttons. No file: ブラック2 is selected and nothing else
// changes. A line that is missing leaves its edits and those of every later
// line as they are, with no version button selected.
void ConfigFileLoad(const char* path, const ControlAccess& controls, SearchSettings& settings);

// Writes the console edits, parsed as the capture parses them, and the line
// of the selected version button (none selected: five lines only). A file
// that cannot be created is skipped silently.
void ConfigFileSave(const char* path, const ControlAccess& controls);
