// The main window's one list: the hidden-power type of combo box IDC_HIDDEN_POWER_TYPE.
#pragma once

#include <cstdint>

#include "ui/Controls.h"

constexpr int32_t kHiddenPowerTypeEntries = 1 + 16;

// "指定無し", then the sixteen types in type-index order; "指定無し" selected,
// so the capture reads the selection minus one as the type (-1 for none).
void MainWindowFillHiddenPowerList(const ControlAccess& controls);
