// The settings dialogs the main window opens: which "設定" button opens
// which template, and the two functions that fill the dialog from
// SearchSettings and store it back: the key-input pattern's, then each
// mode's from the table of modes. The Win32 layer runs every one of them
// through one dialog procedure (SettingsDialog_win.cpp).
#pragma once

#include "ui/Controls.h"
#include "modes/SearchSettings.h"

// Called on opening: fill the lists and show the stored settings.
using SettingsDialogInit = void (*)(const ControlAccess&, const SearchSettings&);
// Called on "OK" only: every control back into the settings.
using SettingsDialogStore = void (*)(const ControlAccess&, SearchSettings&);

struct SettingsDialog {
    int commandId;   // the main window's "設定" button
    int templateId;  // the dialog template it opens
    SettingsDialogInit init;
    SettingsDialogStore store;
};

int SettingsDialogCount();
const SettingsDialog& SettingsDialogAt(int index);

// The dialog a main-window command opens, or null when it opens none.
const SettingsDialog* SettingsDialogOf(int commandId);
