// Dialog 105, "キー入力パターン": which keys the key-input search may press.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Ticks the eleven boxes from the pattern.
void KeyPatternDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": the pattern from the boxes. Cancel stores nothing, so it calls nothing.
void KeyPatternDialogStore(const ControlAccess& controls, SearchSettings& settings);
