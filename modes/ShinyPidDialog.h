// Dialog 101: "色違い性格値検索", the trainer IDs, encounter and nature of the shiny search.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void ShinyPidDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void ShinyPidDialogStore(const ControlAccess& controls, SearchSettings& settings);
