// Dialog 107: "配達員", the nature draw's offset, the nature and the shiny distribution.
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Fills the lists and shows the stored settings.
void DeliveryDialogInit(const ControlAccess& controls, const SearchSettings& settings);
// "OK": every control back into the settings. Cancel calls nothing.
void DeliveryDialogStore(const ControlAccess& controls, SearchSettings& settings);
