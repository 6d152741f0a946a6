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

// The selected entry of a list holding `entries` entries, or -1 when none
// is. A list selects nothing else; a selection outside 0 .. entries - 1
// reads as none, so adding or taking the list's offset cannot overflow.
int32_t ControlReadSelection(const ControlAccess& controls, int id, int32_t entries);

// Selects entry `index`, which the caller works out wider than the setting
// it shows (the setting plus its list's offset); an index no list can hold
// selects none, as an index beyond the list's entries does.
void ControlSelect(const ControlAccess& controls, int id, int64_t index);

// Appends `first` (unless null), then the `count` names in index order.
void ControlFillList(const ControlAccess& controls, int id, const char* first,
                     const char* const* names, int count);
