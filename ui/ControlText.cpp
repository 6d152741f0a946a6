#include "ui/ControlText.h"

#include <cstdio>

#include "ui/TextNumbers.h"

uint32_t ControlReadHex(const ControlAccess& controls, int id, int characters) {
    return ParseHex(controls.getText(controls.context, id, characters + 1));
}

int32_t ControlReadDecimal(const ControlAccess& controls, int id, int characters) {
    return ParseDecimal(controls.getText(controls.context, id, characters + 1));
}

void ControlShowDecimal(const ControlAccess& controls, int id, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    controls.setText(controls.context, id, text);
}

int32_t ControlReadSelection(const ControlAccess& controls, int id, int32_t entries) {
    const int selected = controls.getSelection(controls.context, id);
    return selected >= 0 && selected < entries ? selected : -1;
}

void ControlSelect(const ControlAccess& controls, int id, int64_t index) {
    const bool held = index >= 0 && index <= INT32_MAX;
    controls.setSelection(controls.context, id, held ? static_cast<int>(index) : -1);
}

void ControlFillList(const ControlAccess& controls, int id, const char* first,
                     const char* const* names, int count) {
    if (first) controls.addItem(controls.context, id, first);
    for (int i = 0; i < count; ++i) controls.addItem(controls.context, id, names[i]);
}
