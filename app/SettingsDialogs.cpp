#include "app/SettingsDialogs.h"

#include <vector>

#include "app/KeyPatternDialog.h"
#include "modes/SearchModes.h"
#include "res/resource.h"

namespace {

const std::vector<SettingsDialog>& Dialogs() {
    static const std::vector<SettingsDialog> dialogs = [] {
        std::vector<SettingsDialog> list = {
            {IDC_KEY_PATTERN_SETTINGS, IDD_KEY_PATTERN, KeyPatternDialogInit, KeyPatternDialogStore}};
        for (int32_t m = 0; m < kSearchModeCount; ++m)
            if (const SearchModeDialog* d = kSearchModes[m].dialog)
                list.push_back({d->commandId, d->templateId, d->init, d->store});
        return list;
    }();
    return dialogs;
}

}  // namespace

int SettingsDialogCount() { return static_cast<int>(Dialogs().size()); }
const SettingsDialog& SettingsDialogAt(int index) { return Dialogs()[static_cast<size_t>(index)]; }

const SettingsDialog* SettingsDialogOf(int commandId) {
    for (const SettingsDialog& dialog : Dialogs())
        if (dialog.commandId == commandId) return &dialog;
    return nullptr;
}
