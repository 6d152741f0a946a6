// The few ways the window and the dialogs move numbers and lists through
// their controls, so every one of them reads a field the same way.
#pragma once

#include <cstdint>

#include "ui/Controls.h"

// The number in the first `characters` characters of the control's text.
uint32_t ControlReadHex(const ControlAccess& controls, int id, int characters);
int32_t ControlReadDecimal(const ControlAccess& controls, int id, int characters);

// Shows the value as "%d".
void ControlShowDecimal(const ControlAccess& controls, int id, int32_t value);

// Appends `first` (unless null), then the `count` names in index order.
void ControlFillList(const ControlAccess& controls, int id, const char* first,
                     const char* const* names, int count);
