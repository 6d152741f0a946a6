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

void ControlFillList(const ControlAccess& controls, int id, const char* first,
                     const char* const* names, int count) {
    if (first) controls.addItem(controls.context, id, first);
    for (int i = 0; i < count; ++i) controls.addItem(controls.context, id, names[i]);
}
