// The main window as data: its class and frame, the 62 controls in creation
// order (which is also the Tab order) and the static labels its paint draws.
// The Win32 layer walks these tables; the native tests check them.
#pragma once

#include <cstdint>

// Window class and frame.
extern const char kMainWindowClassName[];   // "mrvn"
constexpr uint32_t kMainWindowClassStyle = 0x0003;  // CS_HREDRAW | CS_VREDRAW
constexpr uint32_t kMainWindowStyle = 0x00CA0000;   // caption, system menu, minimise box
constexpr int kMainWindowWidth = 640;               // outer size in pixels
constexpr int kMainWindowHeight = 480;

// The rectangle the paint draws with the default pen and brush; it is one
// pixel larger than the client area on every side so its border stays out
// of sight.
constexpr int kMainWindowPaintLeft = -1;
constexpr int kMainWindowPaintTop = -1;
constexpr int kMainWindowPaintRight = 801;
constexpr int kMainWindowPaintBottom = 701;

enum MainControlKind : uint8_t {
    kMainEdit,             // "Edit", single line
    kMainCheckBox,         // "Button", automatic check box
    kMainPushButton,       // "Button", no tab stop
    kMainRadioButton,      // "Button", automatic radio button
    kMainRadioGroupStart,  // the same, starting the group
    kMainComboBox,         // "combobox", drop-down list
};

// Window style words by kind. Edits get ES_AUTOHSCROLL (0x80) only in the
// morvane-hscroll build.
constexpr uint32_t kMainEditStyle = 0x50810000;
constexpr uint32_t kMainEditStyleHscroll = 0x50810080;
constexpr uint32_t kMainCheckBoxStyle = 0x50010003;
constexpr uint32_t kMainPushButtonStyle = 0x50000000;
constexpr uint32_t kMainRadioButtonStyle = 0x50000009;
constexpr uint32_t kMainRadioGroupStartStyle = 0x50020009;
constexpr uint32_t kMainComboBoxStyle = 0x50A10003;

constexpr uint32_t kWindowStyleTabStop = 0x00010000;  // WS_TABSTOP
constexpr uint32_t kWindowStyleGroup = 0x00020000;    // WS_GROUP

#ifdef MORVANE_HSCROLL
constexpr bool kMainWindowEditsScroll = true;
#else
constexpr bool kMainWindowEditsScroll = false;
#endif

struct MainWindowControl {
    MainControlKind kind;
    int id;            // control ID, also the command ID of push buttons
    const char* text;  // initial text, "" for none (code page 932)
    int x, y;          // client pixels
    int width, height; // a combo box's height is that of its opened list
};

constexpr int kMainWindowControlCount = 62;
extern const MainWindowControl kMainWindowControls[kMainWindowControlCount];

struct MainWindowLabel {
    const char* text;  // code page 932; drawn with its byte length
    int x, y;          // top left, client pixels
};

constexpr int kMainWindowLabelCount = 42;
extern const MainWindowLabel kMainWindowLabels[kMainWindowLabelCount];

// Window class name of a control: "Edit", "Button" or "combobox".
const char* MainControlClass(MainControlKind kind);
// Style word of a control; hscroll picks the morvane-hscroll edit style.
uint32_t MainControlStyle(MainControlKind kind, bool hscroll);
