// Dialog 106: "ライモンドーム設定", the six wanted trainers and the shift width.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void DomeDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void DomeDialogStore(const ControlAccess& controls, SearchSettings& settings);
