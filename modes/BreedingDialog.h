// Dialog 102: "遺伝込みで検索", the parents' values and the egg's nature, ability and gender.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void BreedingDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void BreedingDialogStore(const ControlAccess& controls, SearchSettings& settings);
