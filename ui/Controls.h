// What the window's and the dialogs' logic needs from their controls, by
// control ID. The Win32 program backs it with GetDlgItem and messages; the
// tests back it with a table. So the capture, the configuration file and
// every dialog's opening and "OK" are plain logic, built and tested natively.
#pragma once

#include <string>

struct ControlAccess {
    void* context;
    // The first limit - 1 characters of the control's text, as
    // get-window-text with a buffer of limit delivers them.
    std::string (*getText)(void* context, int id, int limit);
    void (*setText)(void* context, int id, const char* text);
    // True only when the check state is exactly "checked".
    bool (*isChecked)(void* context, int id);
    void (*setChecked)(void* context, int id, bool checked);
    // Combo box: selected entry (-1 when none), select an entry, append an entry.
    int (*getSelection)(void* context, int id);
    void (*setSelection)(void* context, int id, int index);
    void (*addItem)(void* context, int id, const char* text);
};
