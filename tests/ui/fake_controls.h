// A ControlAccess over plain tables, behaving as the Win32 controls do where
// the logic could tell the difference: getText delivers limit - 1
// characters, a selection outside the list's entries leaves none selected
// (as selecting before the list is filled does), and an unknown control
// reads empty and unchecked.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ui/Controls.h"

struct FakeControls {
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
    std::map<int, std::vector<std::string>> items;
    std::map<int, int> selections;
    std::map<int, int> textLimits;  // the last limit each control was read with
};

inline FakeControls& FakeOf(void* context) { return *static_cast<FakeControls*>(context); }

inline ControlAccess FakeControlsAccess(FakeControls& fake) {
    ControlAccess access;
    access.context = &fake;
    access.getText = [](void* c, int id, int limit) {
        FakeControls& f = FakeOf(c);
        f.textLimits[id] = limit;
        if (limit <= 0) return std::string();
        const std::string& text = f.texts[id];
        return text.substr(0, static_cast<size_t>(limit - 1));
    };
    access.setText = [](void* c, int id, const char* text) { FakeOf(c).texts[id] = text; };
    access.isChecked = [](void* c, int id) {
        FakeControls& f = FakeOf(c);
        return f.checks.count(id) != 0 && f.checks[id];
    };
    access.setChecked = [](void* c, int id, bool checked) { FakeOf(c).checks[id] = checked; };
    access.getSelection = [](void* c, int id) {
        FakeControls& f = FakeOf(c);
        return f.selections.count(id) != 0 ? f.selections[id] : -1;
    };
    access.setSelection = [](void* c, int id, int index) {
        FakeControls& f = FakeOf(c);
        int count = static_cast<int>(f.items[id].size());
        f.selections[id] = index >= 0 && index < count ? index : -1;
    };
    access.addItem = [](void* c, int id, const char* text) { FakeOf(c).items[id].push_back(text); };
    return access;
}

// The text a Store reads from a list: the selected entry, or "" with none.
inline std::string FakeSelectedItem(FakeControls& fake, int id) {
    int index = fake.selections.count(id) != 0 ? fake.selections[id] : -1;
    return index < 0 ? std::string() : fake.items[id][static_cast<size_t>(index)];
}
