// Dialog 110: "隠し穴", the wanted kind, slots and female ratio.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void GrottoDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void GrottoDialogStore(const ControlAccess& controls, SearchSettings& settings);
