// Dialog 103: "すいせいのかけら設定", whether the compound-eyes creature leads.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void CometDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void CometDialogStore(const ControlAccess& controls, SearchSettings& settings);
