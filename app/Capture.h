// The start command's copy of the main window into SearchSettings. The save
// of the configuration file reads the console fields with the same rules.
#pragma once

#include <cstdint>

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Characters read from each console edit, by the capture and by the save.
constexpr int kVCountCharacters = 3;
constexpr int kTimer0Characters = 5;
constexpr int kGxStatCharacters = 8;
constexpr int kFrameCharacters = 8;
constexpr int kMacCharacters = 2;

// The console parameters as typed, each parsed from its fixed number of
// characters; MAC bytes in the order of their edits (IDC_MAC_0 first).
struct ConsoleFields {
    uint32_t vCount;
    uint32_t timer0;
    uint32_t gxStat;
    int32_t frame;
    uint32_t mac[6];  // parsed from two characters, so "-1" gives 0xFFFFFFFF
};

ConsoleFields ConsoleFieldsRead(const ControlAccess& controls);

// The version radio buttons are IDC_BLACK + GameVersion.
int VersionButtonIdOf(GameVersion version);

// The first version button that is on, tested ブラック, ホワイト, ブラック2,
// ホワイト2; -1 when none is.
int VersionButtonSelected(const ControlAccess& controls);

// Every main-window field of the record, validated in no way. VersionConstants
// keep what they held when no version button is on.
void CaptureMainWindow(const ControlAccess& controls, SearchSettings& settings);
