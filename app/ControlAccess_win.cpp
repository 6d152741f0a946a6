#include <string>
#include <vector>

#include "app/Program_win.h"

namespace {

HWND ParentOf(void* context) { return static_cast<HWND>(context); }

std::string ControlGetText(void* context, int id, int limit) {
    if (limit <= 0) return std::string();
    std::vector<char> buffer(static_cast<size_t>(limit), '\0');
    // GetWindowTextA stops at limit - 1 bytes and terminates; a missing
    // control gives 0.
    int length = GetWindowTextA(GetDlgItem(ParentOf(context), id), buffer.data(), limit);
    if (length < 0) length = 0;
    if (length > limit - 1) length = limit - 1;
    return std::string(buffer.data(), static_cast<size_t>(length));
}

void ControlSetText(void* context, int id, const char* text) {
    SetWindowTextA(GetDlgItem(ParentOf(context), id), text);
}

bool ControlIsChecked(void* context, int id) {
    // BST_INDETERMINATE (2) does not count as on.
    return SendDlgItemMessageA(ParentOf(context), id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void ControlSetChecked(void* context, int id, bool checked) {
    SendDlgItemMessageA(ParentOf(context), id, BM_SETCHECK,
                        checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ControlGetSelection(void* context, int id) {
    return static_cast<int>(SendDlgItemMessageA(ParentOf(context), id, CB_GETCURSEL, 0, 0));
}

void ControlSetSelection(void* context, int id, int index) {
    SendDlgItemMessageA(ParentOf(context), id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void ControlAddItem(void* context, int id, const char* text) {
    SendDlgItemMessageA(ParentOf(context), id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

ControlAccess Win32ControlAccess(HWND parent) {
    return ControlAccess{parent,           ControlGetText,      ControlSetText,
                         ControlIsChecked, ControlSetChecked,   ControlGetSelection,
                         ControlSetSelection, ControlAddItem};
}
