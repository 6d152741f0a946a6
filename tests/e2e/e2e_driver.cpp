// End-to-end tests of the Windows program, run under Wine by scripts/e2e.sh:
// each test starts the program in a fresh working directory, works its
// window from this process with messages only, and prints one PASS or FAIL
// line per expectation. The exit code is 1 when any expectation failed.
//
//   e2e_driver TEST PROGRAM DIR [ARGS]     TEST is one of the names in main()
//   e2e_driver shell-open LOG              the .txt "open" reaches the recorder
//   e2e_driver show PROGRAM DIR [CASE]     start, fill, print the window's rectangle
//   e2e_driver show-dialog ID              open a dialog of the shown program
//   e2e_driver quit                        close the shown program
//   e2e_driver stress-KIND[-close] PROGRAM DIR CASE LOG       KIND presses, dialogs or save
//   e2e_driver locked-result[-close] PROGRAM DIR CASE DAYS LOG
//   e2e_driver read-only[-close] PROGRAM DIR CASE DAYS LOG   (tests/e2e/e2e_stress.h)
#include <windows.h>

#include <shellapi.h>

#include <cstring>

#include "tests/e2e/e2e_driver_util.h"
#include "tests/e2e/e2e_stress.h"

namespace {

// --- 1-3: the window, its controls, the Tab order, the hscroll build -------------

uint32_t ExpectedStyle(char kind, bool hscroll) {
    switch (kind) {
    case kE2eEdit: return hscroll ? kE2eEditStyleHscroll : kE2eEditStyle;
    case kE2eCheck: return kE2eCheckStyle;
    case kE2ePush: return kE2ePushStyle;
    case kE2eRadio: return kE2eRadioStyle;
    case kE2eRadioFirst: return kE2eRadioFirstStyle;
    default: return kE2eListStyle;
    }
}

const char* ExpectedClass(char kind) {
    if (kind == kE2eEdit) return "Edit";
    if (kind == kE2eList) return "ComboBox";
    return "Button";
}

// Bits the controls change in their own style word: an edit takes WS_BORDER
// off itself when it is created (it draws its own edge), a combo box takes
// WS_BORDER and WS_VSCROLL off itself and gives the scroll bar to its list,
// and a radio button sets WS_TABSTOP while it is checked and clears it when
// it is not (BM_SETCHECK and clicks do that, as on Windows), so that Tab
// reaches the group at its checked button.
uint32_t SystemChangedBits(char kind, bool checked) {
    if (kind == kE2eEdit) return WS_BORDER;
    if (kind == kE2eList) return WS_BORDER | WS_VSCROLL;
    if ((kind == kE2eRadio || kind == kE2eRadioFirst) && checked) return WS_TABSTOP;
    return 0;
}


// The tab stops the program creates, plus the checked version button.
bool IsTabStop(const E2eMainControl& c, int checkedRadio) {
    return c.kind == kE2eEdit || c.kind == kE2eCheck || c.kind == kE2eList || c.id == checkedRadio;
}

constexpr int kE2eStartRadio = 902;  // no config.txt: ブラック2

void CheckMainWindow(HWND main) {
    ExpectText("window class", kE2eMainClass, ClassOf(main));
    ExpectText("window title", kE2eMainTitle, TextOf(main));
    RECT r;
    GetWindowRect(main, &r);
    ExpectNumber("outer width", kE2eMainWidth, r.right - r.left);
    ExpectNumber("outer height", kE2eMainHeight, r.bottom - r.top);
    uint32_t style = static_cast<uint32_t>(GetWindowLongA(main, GWL_STYLE));
    ExpectHex("style has caption, system menu and minimise box", kE2eMainStyle, style & kE2eMainStyle);
    ExpectHex("style has no sizing frame and no maximise box", 0, style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    // The system adds visibility and sibling clipping to every top-level window.
    ExpectHex("style word apart from WS_VISIBLE and WS_CLIPSIBLINGS", kE2eMainStyle,
              style & ~static_cast<uint32_t>(WS_VISIBLE | WS_CLIPSIBLINGS));
    uint32_t exStyle = static_cast<uint32_t>(GetWindowLongA(main, GWL_EXSTYLE));
    ExpectHex("extended style 0 (the system adds WS_EX_WINDOWEDGE to a caption)", 0,
              exStyle & ~static_cast<uint32_t>(WS_EX_WINDOWEDGE));
    ExpectHex("class styles CS_HREDRAW | CS_VREDRAW", 3, static_cast<uint32_t>(GetClassLongA(main, GCL_STYLE)));
    Expect(GetMenu(main) == nullptr, "no menu");
    Expect(GetWindow(main, GW_OWNER) == nullptr && GetParent(main) == nullptr, "no owner and no parent");
}

void CheckControls(HWND main, bool hscroll) {
    std::vector<HWND> children;
    for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(c);
    ExpectNumber("number of child controls", kE2eMainControlCount, static_cast<long long>(children.size()));
    int mismatches = 0;
    for (int k = 0; k < kE2eMainControlCount; ++k) {
        const E2eMainControl& want = kE2eMainControls[k];
        HWND c = k < static_cast<int>(children.size()) ? children[static_cast<size_t>(k)] : nullptr;
        std::string name = Fmt("control #%d (ID %d)", k + 1, want.id);
        if (!c || GetDlgCtrlID(c) != want.id) {
            Expect(false, name + Fmt(" in creation order: saw ID %d", c ? GetDlgCtrlID(c) : -1));
            ++mismatches;
            c = GetDlgItem(main, want.id);
            if (!c) continue;
        }
        int before = g_report.failed;
        std::string cls = ClassOf(c);
        if (!SameClass(cls, ExpectedClass(want.kind)))
            ExpectText(name + " class", ExpectedClass(want.kind), cls);
        RECT r = RectInParent(c);
        int h = r.bottom - r.top;
        if (r.left != want.x || r.top != want.y || r.right - r.left != want.w ||
            (want.kind != kE2eList && h != want.h))
            Expect(false, name + Fmt(" position and size: expected %d,%d %dx%d, saw %ld,%ld %ldx%d", want.x,
                                     want.y, want.w, want.h, r.left, r.top, r.right - r.left, h));
        if (want.kind == kE2eList) {
            // The created height is the opened list's: Windows reports it as
            // the dropped rectangle, Wine as the list below the closed field.
            RECT dropped{};
            Send(c, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
            int droppedHeight = dropped.bottom - dropped.top;
            if (droppedHeight != want.h && droppedHeight + h != want.h)
                Expect(false, name + Fmt(" opened height: expected %d, saw the field %d and the list %d", want.h,
                                         h, droppedHeight));
        }
        uint32_t style = static_cast<uint32_t>(GetWindowLongA(c, GWL_STYLE));
        uint32_t wantStyle = ExpectedStyle(want.kind, hscroll);
        uint32_t ignore = SystemChangedBits(want.kind, want.id == kE2eStartRadio);
        if ((style & ~ignore) != (wantStyle & ~ignore))
            Expect(false, name + Fmt(" style: expected 0x%08X, saw 0x%08X (bits 0x%08X may be changed by the "
                                     "control)", wantStyle, style, ignore));
        if (want.kind != kE2eList) {
            std::string text = TextOf(c);
            if (text != want.text) ExpectText(name + " initial text", want.text, text);
        }
        if (want.kind == kE2eCheck || want.kind == kE2eRadio || want.kind == kE2eRadioFirst) {
            int wantCheck = want.id == kE2eStartRadio ? 1 : 0;
            int check = CheckOf(c);
            if (check != wantCheck) ExpectNumber(name + " check state", wantCheck, check);
        }
        if (g_report.failed != before) ++mismatches;
    }
    Expect(mismatches == 0, Fmt("all 62 controls: ID in creation order, class, position, size, style, initial "
                                "text and check state (%d differ)", mismatches));

    HWND list = GetDlgItem(main, kE2eHiddenPowerList);
    ExpectNumber("hidden-power list: 17 items", 17, ListCount(list));
    ExpectNumber("hidden-power list: item 0 selected", 0, ListSelection(list));
    ExpectText("hidden-power list: text shown", kE2eNoChoice, TextOf(list));
    std::string items, wantItems = kE2eNoChoice;
    for (const char* name : kE2eHiddenPowerNames) wantItems += std::string(",") + name;
    for (int i = 0; i < ListCount(list); ++i) items += (i ? "," : "") + ListItem(list, i);
    ExpectText("hidden-power list: 指定無し, then the 16 types in index order", wantItems, items);

    std::string consoleTexts;
    for (int id : kE2eConsoleEdits) consoleTexts += "[" + TextOf(GetDlgItem(main, id)) + "]";
    for (int id : kE2eMacEdits) consoleTexts += "[" + TextOf(GetDlgItem(main, id)) + "]";
    for (int id : kE2eDateEdits) consoleTexts += "[" + TextOf(GetDlgItem(main, id)) + "]";
    std::string empty;
    for (int i = 0; i < 16; ++i) empty += "[]";
    ExpectText("no config.txt: console, MAC and date edits empty", empty, consoleTexts);
}

// Tab through the window with key messages, as IsDialogMessageA in the
// program's loop moves the focus, and with GetNextDlgTabItem.
void CheckTabOrder(HWND main) {
    std::vector<int> stops;
    for (const E2eMainControl& c : kE2eMainControls)
        if (IsTabStop(c, kE2eStartRadio)) stops.push_back(c.id);
    auto join = [](const std::vector<int>& ids) {
        std::string s;
        for (int id : ids) s += (s.empty() ? "" : " ") + std::to_string(id);
        return s;
    };
    std::vector<int> walked;
    HWND at = GetDlgItem(main, stops[0]);
    for (size_t i = 0; i < stops.size() && at; ++i) {
        at = GetNextDlgTabItem(main, at, FALSE);
        walked.push_back(at ? GetDlgCtrlID(at) : -1);
    }
    std::vector<int> wantWalk(stops.begin() + 1, stops.end());
    wantWalk.push_back(stops[0]);
    ExpectText("GetNextDlgTabItem from edit 1003 walks the tab stops in creation order (push and unchecked "
               "radio buttons skipped) and wraps",
               join(wantWalk), join(walked));

    DWORD thread = GetWindowThreadProcessId(main, nullptr);
    auto focus = [thread]() {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(thread, &info);
        return info.hwndFocus;
    };
    std::vector<int> keyed;
    HWND current = focus();
    for (size_t i = 0; i <= stops.size(); ++i) {
        PostMessageA(current ? current : main, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(current ? current : main, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001u));
        HWND next = current;
        for (int wait = 0; wait < 200 && next == current; ++wait) {
            Sleep(5);
            next = focus();
        }
        if (next == current) break;
        current = next;
        keyed.push_back(GetDlgCtrlID(current));
    }
    std::vector<int> wantKeys(stops);
    wantKeys.push_back(stops[0]);
    ExpectText("Tab keys move the focus through the tab stops from the first edit, skipping push buttons and "
               "unchecked radio buttons", join(wantKeys), join(keyed));
}

void CheckTyping(HWND main, bool hscroll) {
    HWND mac = GetDlgItem(main, 1003);
    SetTextOf(mac, "");
    const char typed[] = "123456789";
    for (const char* p = typed; *p; ++p) PostMessageA(mac, WM_CHAR, static_cast<WPARAM>(*p), 1);
    Send(main, WM_NULL, 0, 0);
    Sleep(300);
    std::string text = TextOf(mac);
    if (hscroll)
        ExpectText("typing nine digits into the 30-pixel MAC edit scrolls and keeps them all", typed, text);
    else
        Expect(!text.empty() && text.size() < 9 && std::string(typed).compare(0, text.size(), text) == 0,
               "typing nine digits into the 30-pixel MAC edit stops when it is full (kept \"" + text + "\")");
    SetTextOf(mac, "");
}

void TestWindow(const std::string& exe, const std::string& dir, bool hscroll) {
    Program program;
    if (!ProgramStart(exe, dir, program)) return;
    CheckMainWindow(program.main);
    CheckControls(program.main, hscroll);
    HWND edit = GetDlgItem(program.main, 1003);
    uint32_t editStyle = static_cast<uint32_t>(GetWindowLongA(edit, GWL_STYLE)) | WS_BORDER;
    ExpectHex(hscroll ? "edit style word of morvane-hscroll (ES_AUTOHSCROLL)" : "edit style word of morvane "
                                                                                 "(no ES_AUTOHSCROLL)",
              hscroll ? kE2eEditStyleHscroll : kE2eEditStyle, editStyle);
    CheckTabOrder(program.main);
    CheckTyping(program.main, hscroll);
    ProgramClose(program);
}

// --- 4: a search set through the window against the core's file -------------------

bool CompareFiles(const std::string& what, const std::string& expectedPath, const std::string& actualPath) {
    std::string expected, actual;
    if (!E2eReadFile(expectedPath, expected)) return Expect(false, "read " + expectedPath);
    if (!E2eReadFile(actualPath, actual)) return Expect(false, what + ": result.txt exists");
    if (expected == actual)
        return Expect(true, what + Fmt(": result.txt is byte-identical to the core's (%zu bytes)", actual.size()));
    size_t at = 0, line = 1;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        if (expected[at] == '\n') ++line;
        ++at;
    }
    auto lineOf = [](const std::string& s, size_t pos) {
        size_t begin = s.rfind('\n', pos == 0 ? 0 : pos - 1);
        begin = begin == std::string::npos || pos == 0 ? 0 : begin + 1;
        size_t end = s.find('\n', pos);
        return s.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
    };
    return Expect(false, what + Fmt(": result.txt differs from the core's at byte %zu, line %zu (sizes %zu and "
                                    "%zu): expected \"",
                                    at, line, expected.size(), actual.size()) +
                             lineOf(expected, at) + "\", saw \"" + lineOf(actual, at) + "\"");
}

void TestSearch(const std::string& exe, const std::string& dir, const std::string& casePath,
                const std::string& expected, const std::string& log) {
    Program program;
    E2eCase c;
    if (!StartWithCase(exe, dir, casePath, program, c)) return;
    DWORD start = GetTickCount();
    LRESULT sent = Send(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0, 300000);
    Expect(sent != -1, Fmt("the start command returns when the search has ended (%lu ms)", GetTickCount() - start));
    ExpectText("title after the search", kE2eMainTitle, TextOf(program.main));
    ExpectText("start button after the search", kE2eStartText, TextOf(GetDlgItem(program.main, kE2eStartButton)));
    CompareFiles("search", expected, dir + "\\result.txt");
    Expect(OpenedInShell(log, dir, 5000), "result.txt was handed to the shell's \"open\"");
    ProgramClose(program);
}

// A result file that cannot be created (a directory stands in its place):
// the search still runs to its end and nothing is handed to the shell.
void TestNoResultFile(const std::string& exe, const std::string& dir, const std::string& casePath,
                      const std::string& log) {
    std::string path = dir + "\\result.txt";
    if (!CreateDirectoryA(path.c_str(), nullptr)) {
        Expect(false, "create a directory named result.txt");
        return;
    }
    Program program;
    E2eCase c;
    if (!StartWithCase(exe, dir, casePath, program, c)) return;
    LRESULT sent = Send(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0, 300000);
    Expect(sent != -1, "the search ends although result.txt cannot be opened");
    ExpectText("title after the search", kE2eMainTitle, TextOf(program.main));
    ExpectText("start button after the search", kE2eStartText, TextOf(GetDlgItem(program.main, kE2eStartButton)));
    DWORD attributes = GetFileAttributesA(path.c_str());
    Expect(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY),
           "result.txt is still the directory");
    Expect(!OpenedInShell(log, dir, 2000), "nothing was handed to the shell");
    ProgramClose(program);
}

// --- 5, 8, 9: a long search that is aborted, changed or closed ------------------------

void TestAbort(const std::string& exe, const std::string& dir, const std::string& casePath, const std::string& log) {
    Program program;
    E2eCase c;
    if (!StartWithCase(exe, dir, casePath, program, c)) return;
    if (StartLongSearch(program, 20)) {
        // The save runs from the search's pump like every other command.
        Send(program.main, WM_COMMAND, MAKEWPARAM(kE2eSaveButton, BN_CLICKED), 0);
        std::string config;
        int lines = 0;
        if (E2eReadFile(dir + "\\config.txt", config))
            for (char ch : config) lines += ch == '\n';
        bool versionLine = false;
        for (const char* line : kE2eVersionLines)
            versionLine = versionLine || (config.size() > std::strlen(line) + 2 &&
                                          config.compare(config.size() - std::strlen(line) - 2, std::string::npos,
                                                         std::string(line) + "\r\n") == 0);
        Expect(lines == 6 && versionLine, Fmt("\"保存\" during the search writes config.txt (%d lines, ending with a "
                                              "version line: %s)", lines, versionLine ? "yes" : "no"));
        HWND button = GetDlgItem(program.main, kE2eStartButton);
        PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0);
        Expect(WaitForText(button, kE2eStartText, 5000), "a second press aborts: the button reads \"検索開始\"");
        WaitIdle(program);
        ExpectCompleteRows(dir);
        Expect(OpenedInShell(log, dir, 5000), "the aborted search's result.txt was handed to the shell");
    }
    ProgramClose(program);
}

void TestDialogDuringSearch(const std::string& exe, const std::string& dir, const std::string& casePath,
                            const std::string& changePath) {
    Program program;
    E2eCase c;
    if (!StartWithCase(exe, dir, casePath, program, c)) return;
    E2eCase change = E2eLoadCase(changePath);
    if (!change.error.empty()) Expect(false, "change " + changePath + ": " + change.error);
    if (change.error.empty() && StartLongSearch(program, 30)) {
        if (ApplyCase(program, change)) {
            Progress p = ProgressOf(TextOf(program.main));
            Expect(p.shown, Fmt("the search goes on after the dialog's OK (%d found)", p.count));
            Progress later{};
            bool more = WaitForCount(program.main, p.count + 30, 60000, later);
            Expect(more, Fmt("30 more rows are found after the change (%d)", later.count));
        }
        PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0);
        WaitIdle(program);
        ExpectCompleteRows(dir);
    }
    ProgramClose(program);
}

void TestCloseDuringSearch(const std::string& exe, const std::string& dir, const std::string& casePath,
                           const std::string& log) {
    Program program;
    E2eCase c;
    if (!StartWithCase(exe, dir, casePath, program, c)) return;
    if (StartLongSearch(program, 20)) {
        PostMessageA(program.main, WM_CLOSE, 0, 0);
        DWORD code;
        if (ProgramWaitExit(program, 20000, code))
            ExpectNumber("closing the window during a search ends the program with exit code 0", 0, code);
        else
            Expect(false, "the program exits within 20 s of closing its window during a search");
        ExpectCompleteRows(dir);
        Expect(!OpenedInShell(log, dir, 3000), "result.txt was not handed to the shell");
    }
    ProgramRelease(program);
}

// --- 6: the settings dialogs ---------------------------------------------------------

struct Readback {
    int id;
    char kind;  // 'T' text, 'C' check state, 'S' selection
    const char* text;
    int value;
};

struct DialogRound {
    int dialog;
    std::vector<E2eStep> steps;
    std::vector<Readback> expected;  // what the next opening shows
};

E2eStep Set(int dialog, int id, const char* text) { return {dialog, kE2eSet, id, text, 0}; }
E2eStep Tick(int dialog, int id, int on) { return {dialog, kE2eCheckStep, id, "", on}; }
E2eStep Pick(int dialog, int id, int index) { return {dialog, kE2eSelect, id, "", index}; }
E2eStep Radio(int dialog, int id) { return {dialog, kE2eRadioStep, id, "", 0}; }

// What "OK" stores, seen on the next opening. IDs are kept modulo 65536,
// the dome width and IDs read a fixed number of characters, "指定無し" of
// the breeding nature is stored as -1 and shown as entry 0 again, and the
// delivery IDs are kept when the shiny box is off.
std::vector<DialogRound> OkRounds() {
    return {
        {101,
         {Set(101, 1005, "70000"), Set(101, 1006, " -1"), Pick(101, 1007, 5), Radio(101, 1004), Tick(101, 1001, 1)},
         {{1005, 'T', "4464", 0}, {1006, 'T', "65535", 0}, {1007, 'S', "", 5}, {1002, 'C', "", 0},
          {1003, 'C', "", 0}, {1004, 'C', "", 1}, {1001, 'C', "", 1}}},
        {101,
         {Radio(101, 1003)},
         {{1002, 'C', "", 0}, {1003, 'C', "", 1}, {1004, 'C', "", 0}, {1005, 'T', "4464", 0}}},
        {102,
         {Radio(102, 1003), Set(102, 1005, "40"), Set(102, 1029, "-3"), Set(102, 1030, "12x"), Set(102, 1035, "0"),
          Pick(102, 1026, 0), Pick(102, 1024, 3), Pick(102, 1025, 8)},
         {{1002, 'C', "", 0}, {1003, 'C', "", 1}, {1005, 'T', "40", 0}, {1006, 'T', "31", 0}, {1029, 'T', "-3", 0},
          {1030, 'T', "12", 0}, {1035, 'T', "0", 0}, {1026, 'S', "", 0}, {1024, 'S', "", 3}, {1025, 'S', "", 8}}},
        {103, {Tick(103, 1001, 0)}, {{1001, 'C', "", 0}}},
        {105,
         {Tick(105, 1003, 0), Tick(105, 1011, 0)},
         {{1001, 'C', "", 1}, {1002, 'C', "", 1}, {1003, 'C', "", 0}, {1004, 'C', "", 1}, {1005, 'C', "", 1},
          {1006, 'C', "", 1}, {1007, 'C', "", 1}, {1008, 'C', "", 1}, {1009, 'C', "", 1}, {1010, 'C', "", 1},
          {1011, 'C', "", 0}}},
        {106,
         {Pick(106, 1007, 5), Pick(106, 1008, 52), Set(106, 1005, "123")},
         {{1007, 'S', "", 5}, {1021, 'S', "", 0}, {1008, 'S', "", 52}, {1005, 'T', "12", 0}}},
        {107,
         {Set(107, 1005, "7"), Pick(107, 1007, 3), Tick(107, 1001, 1), Pick(107, 1021, 1), Set(107, 1006, "65537"),
          Set(107, 1023, "42")},
         {{1005, 'T', "7", 0}, {1007, 'S', "", 3}, {1001, 'C', "", 1}, {1021, 'S', "", 1}, {1006, 'T', "1", 0},
          {1023, 'T', "42", 0}}},
        {107,
         {Tick(107, 1001, 0), Set(107, 1006, "5"), Set(107, 1023, "6")},
         {{1001, 'C', "", 0}, {1021, 'S', "", 0}, {1006, 'T', "1", 0}, {1023, 'T', "42", 0}}},
        {110,
         {Pick(110, 1007, 6), Pick(110, 1021, 4), Tick(110, 1001, 0), Tick(110, 1003, 0)},
         {{1007, 'S', "", 6}, {1021, 'S', "", 4}, {1001, 'C', "", 0}, {1002, 'C', "", 1}, {1003, 'C', "", 0},
          {1004, 'C', "", 1}}},
    };
}

std::string StateOf(HWND dialog, const Readback& r) {
    HWND c = GetDlgItem(dialog, r.id);
    if (!c) return "<missing>";
    if (r.kind == 'T') return TextOf(c);
    return std::to_string(r.kind == 'C' ? CheckOf(c) : ListSelection(c));
}

std::string WantedState(const Readback& r) { return r.kind == 'T' ? r.text : std::to_string(r.value); }

// Checks every control of the dialog's table against its first-opening
// state (captions, kinds, list contents, values); returns the count of
// differences.
int CheckDialogControls(HWND window, int id, bool structure) {
    int differences = 0;
    std::vector<std::string> statics;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (SameClass(ClassOf(c), "Static")) statics.push_back(TextOf(c));
    for (const E2eDialogControl& want : kE2eDialogControls) {
        if (want.dialog != id) continue;
        std::string name = Fmt("dialog %d control %d", id, want.id);
        auto differ = [&](const std::string& what) {
            Expect(false, name + " " + what);
            ++differences;
        };
        if (want.kind == kE2eDlgStatic) {
            bool found = false;
            for (const std::string& s : statics) found = found || s == want.text;
            if (structure && !found) differ(std::string("static label \"") + want.text + "\" present");
            continue;
        }
        HWND c = GetDlgItem(window, want.id);
        if (!c) {
            differ("present");
            continue;
        }
        std::string cls = ClassOf(c);
        uint32_t style = static_cast<uint32_t>(GetWindowLongA(c, GWL_STYLE));
        if (want.kind == kE2eDlgButton || want.kind == kE2eDlgCheck || want.kind == kE2eDlgRadio) {
            uint32_t type = style & 0x0F;
            uint32_t wantType = want.kind == kE2eDlgCheck ? BS_AUTOCHECKBOX
                                : want.kind == kE2eDlgRadio ? BS_AUTORADIOBUTTON
                                : want.id == IDOK           ? BS_DEFPUSHBUTTON
                                                            : BS_PUSHBUTTON;
            if (structure && !SameClass(cls, "Button")) differ("is a button (" + cls + ")");
            if (structure && type != wantType) differ(Fmt("button type %u (saw %u)", wantType, type));
            if (structure && TextOf(c) != want.text)
                differ(std::string("caption \"") + want.text + "\" (saw \"" + TextOf(c) + "\")");
            if (want.kind != kE2eDlgButton && CheckOf(c) != want.initial)
                differ(Fmt("check state %d (saw %d)", want.initial, CheckOf(c)));
        } else if (want.kind == kE2eDlgEdit) {
            if (structure && !SameClass(cls, "Edit")) differ("is an edit (" + cls + ")");
            if (TextOf(c) != want.text) differ(std::string("text \"") + want.text + "\" (saw \"" + TextOf(c) + "\")");
        } else if (want.kind == kE2eDlgList) {
            if (structure && !SameClass(cls, "ComboBox")) differ("is a combo box (" + cls + ")");
            if (structure && (style & 3) != CBS_DROPDOWNLIST) differ("is a drop-down list");
            const char* items[64];
            int n = E2eListItems(want.list, items, 64);
            if (structure) {
                std::string wantItems, sawItems;
                for (int i = 0; i < n; ++i) wantItems += (i ? "," : "") + std::string(items[i]);
                for (int i = 0, count = ListCount(c); i < count; ++i) sawItems += (i ? "," : "") + ListItem(c, i);
                if (wantItems != sawItems) differ("items \"" + wantItems + "\" (saw \"" + sawItems + "\")");
            }
            if (ListSelection(c) != want.initial)
                differ(Fmt("selection %d (saw %d)", want.initial, ListSelection(c)));
        }
    }
    return differences;
}

// Changes every control of the dialog away from its first-opening state.
void DisturbDialog(HWND window, int id) {
    for (const E2eDialogControl& want : kE2eDialogControls) {
        if (want.dialog != id || want.kind == kE2eDlgStatic || want.kind == kE2eDlgButton) continue;
        HWND c = GetDlgItem(window, want.id);
        if (!c) continue;
        if (want.kind == kE2eDlgEdit) SetTextOf(c, "9");
        if (want.kind == kE2eDlgCheck) SetCheckOf(c, want.initial == 0);
        if (want.kind == kE2eDlgRadio && want.initial == 0) Click(c);
        if (want.kind == kE2eDlgList) SetListSelection(c, ListCount(c) - 1);
    }
}

void TestDialogs(const std::string& exe, const std::string& dir) {
    Program program;
    if (!ProgramStart(exe, dir, program)) return;
    for (const E2eDialog& dialog : kE2eDialogs) {
        HWND window = OpenDialog(program.main, dialog);
        if (!window) continue;
        ExpectText(Fmt("dialog %d title", dialog.id), dialog.title, TextOf(window));
        Expect(GetWindow(window, GW_OWNER) == program.main, Fmt("dialog %d is owned by the main window", dialog.id));
        int d = CheckDialogControls(window, dialog.id, true);
        Expect(d == 0, Fmt("dialog %d: every control present with its ID, kind, caption, list and first value "
                           "(%d differ)", dialog.id, d));
        DisturbDialog(window, dialog.id);
        Expect(CloseDialog(window, IDCANCEL), Fmt("dialog %d closes on キャンセル", dialog.id));
        window = OpenDialog(program.main, dialog);
        if (!window) continue;
        d = CheckDialogControls(window, dialog.id, false);
        Expect(d == 0, Fmt("dialog %d: キャンセル after changing every control stores nothing (%d differ)",
                           dialog.id, d));
        CloseDialog(window, IDCANCEL);
    }
    for (const DialogRound& round : OkRounds()) {
        const E2eDialog& dialog = *E2eDialogById(round.dialog);
        HWND window = OpenDialog(program.main, dialog);
        if (!window) continue;
        for (const E2eStep& step : round.steps) ApplyStep(window, step);
        Expect(CloseDialog(window, IDOK), Fmt("dialog %d closes on OK", dialog.id));
        window = OpenDialog(program.main, dialog);
        if (!window) continue;
        std::string want, saw;
        for (const Readback& r : round.expected) {
            want += Fmt("%d=", r.id) + WantedState(r) + " ";
            saw += Fmt("%d=", r.id) + StateOf(window, r) + " ";
        }
        ExpectText(Fmt("dialog %d: OK stores, the next opening shows it", dialog.id), want, saw);
        CloseDialog(window, IDCANCEL);
    }
    ProgramClose(program);
}

// --- 7: "保存" and the next start -------------------------------------------------------

std::string ReadConfig(const std::string& dir) {
    std::string bytes;
    if (!E2eReadFile(dir + "\\config.txt", bytes)) return "<no config.txt>";
    return bytes;
}

std::string ShownTexts(HWND main) {
    std::string s;
    for (int id : kE2eConsoleEdits) s += TextOf(GetDlgItem(main, id)) + "|";
    for (int id : kE2eMacEdits) s += TextOf(GetDlgItem(main, id)) + "|";
    return s;
}

std::string CheckedVersions(HWND main) {
    std::string s;
    for (int id : kE2eVersionButtons)
        if (CheckOf(GetDlgItem(main, id)) == BST_CHECKED) s += std::to_string(id) + " ";
    return s.empty() ? "none" : s;
}

void TestConfig(const std::string& exe, const std::string& dir) {
    Program program;
    if (!ProgramStart(exe, dir, program)) return;
    ExpectText("no config.txt: ブラック2 selected", "902 ", CheckedVersions(program.main));
    // Texts as a user might leave them; the file holds them normalised.
    const char* texts[10] = {"5F", "0C79", "6000000", "-8", "a", "BC", "g", "7f", "", "FFx"};
    const int ids[10] = {1000, 1001, 1002, 1029, 1003, 1004, 1005, 1006, 1007, 1008};
    for (int i = 0; i < 10; ++i) SetTextOf(GetDlgItem(program.main, ids[i]), texts[i]);
    Click(GetDlgItem(program.main, 901));
    Save(program);
    ExpectText("save with ホワイト: config.txt bytes",
               "5f\r\nc79\r\n6000000\r\n-8\r\n0A-BC-00-7F-00-FF\r\n02215F30\r\n", ReadConfig(dir));
    ProgramClose(program);

    if (!ProgramStart(exe, dir, program)) return;
    ExpectText("restart: the edits show the saved texts", "5f|c79|6000000|-8|0A|BC|00|7F|00|FF|",
               ShownTexts(program.main));
    ExpectText("restart: ホワイト selected again", "901 ", CheckedVersions(program.main));
    // Only the first 3 characters of VCount are read: "0x5f" saves as 5.
    SetTextOf(GetDlgItem(program.main, 1000), "0x5f");
    SetTextOf(GetDlgItem(program.main, 1029), "");
    ProgramClose(program);

    // Each version button's line, and the button selected at the next start.
    const int order[4] = {903, 900, 902, 901};
    for (int button : order) {
        if (!ProgramStart(exe, dir, program)) return;
        SetTextOf(GetDlgItem(program.main, 1000), "0x5f");
        Click(GetDlgItem(program.main, button));
        Save(program);
        std::string config = ReadConfig(dir);
        size_t line6 = 0;
        for (int i = 0; i < 5 && line6 != std::string::npos; ++i) {
            line6 = config.find('\n', line6);
            if (line6 != std::string::npos) ++line6;
        }
        int index = button - 900;
        ExpectText(Fmt("save with button %d: line 1 and line 6", button),
                   std::string("5\r\n|") + kE2eVersionLines[index] + "\r\n",
                   config.substr(0, config.find('\n') + 1) + "|" +
                       (line6 == std::string::npos ? "<missing>" : config.substr(line6)));
        ProgramClose(program);
        if (!ProgramStart(exe, dir, program)) return;
        ExpectText(Fmt("restart after saving button %d selects it", button), std::to_string(button) + " ",
                   CheckedVersions(program.main));
        ProgramClose(program);
    }

    // A version line that matches none of the four selects no button.
    WriteConfig(dir, {"60", "c79", "6000000", "8", "12-34-56-78-9A-BC", "02215F20"});
    if (!ProgramStart(exe, dir, program)) return;
    ExpectText("unknown one-word version line: no button selected", "none", CheckedVersions(program.main));
    ExpectText("unknown one-word version line: the edits show lines 1 to 5", "60|c79|6000000|8|12|34|56|78|9A|BC|",
               ShownTexts(program.main));
    Save(program);
    ExpectText("saving with no version button writes lines 1 to 5 only",
               "60\r\nc79\r\n6000000\r\n8\r\n12-34-56-78-9A-BC\r\n", ReadConfig(dir));
    ProgramClose(program);
}

// --- set-up check and screenshots -------------------------------------------------------

int ShellOpen(const std::string& log) {
    char dir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, dir);
    HINSTANCE r = ShellExecuteA(nullptr, "open", "result.txt", nullptr, nullptr, SW_SHOWNORMAL);
    Expect(reinterpret_cast<INT_PTR>(r) > 32, Fmt("ShellExecute \"open\" result.txt (%d)", static_cast<int>(reinterpret_cast<INT_PTR>(r))));
    Expect(OpenedInShell(log, dir, 10000), std::string("the recorder logged ") + dir + "\\result.txt");
    return g_report.failed ? 1 : 0;
}

HWND ShownMain() {
    for (int i = 0; i < 400; ++i) {
        HWND main = FindWindowA(kE2eMainClass, nullptr);
        if (main && IsWindowVisible(main)) return main;
        Sleep(25);
    }
    return nullptr;
}

void PrintRect(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    std::printf("RECT %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void CloseOpenDialog(HWND main) {
    if (HWND dialog = OpenDialogOf(main)) CloseDialog(dialog, IDCANCEL);
}

int Show(const std::string& exe, const std::string& dir, const char* casePath, bool search) {
    Program program;
    E2eCase c;
    if (casePath ? !StartWithCase(exe, dir, casePath, program, c) : !ProgramStart(exe, dir, program)) return 1;
    if (search) Send(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0, 300000);
    Send(program.main, WM_NULL, 0, 0);
    PrintRect(program.main);
    CloseHandle(program.process.hProcess);
    CloseHandle(program.process.hThread);
    return 0;
}

int ShowDialog(int id) {
    HWND main = ShownMain();
    const E2eDialog* dialog = E2eDialogById(id);
    if (!main || !dialog) return 1;
    CloseOpenDialog(main);
    HWND window = OpenDialog(main, *dialog);
    if (!window) return 1;
    PrintRect(window);
    return 0;
}

int Quit() {
    HWND main = FindWindowA(kE2eMainClass, nullptr);
    if (!main) return 0;
    CloseOpenDialog(main);
    PostMessageA(main, WM_CLOSE, 0, 0);
    for (int i = 0; i < 400 && IsWindow(main); ++i) Sleep(25);
    return IsWindow(main) ? 1 : 0;
}

// The stress tests: NAME[-close] PROGRAM DIR CASE [DAYS] LOG.
bool Stress(std::string name, const std::vector<std::string>& a) {
    const std::string close = "-close";
    bool closeMidway = name.size() > close.size() && name.compare(name.size() - close.size(), close.size(), close) == 0;
    if (closeMidway) name.resize(name.size() - close.size());
    bool unwritable = name == "locked-result" || name == "read-only";
    if (a.size() != (unwritable ? 7u : 6u)) return false;
    StressRun run{a[2], a[3], a[4], a.back(), closeMidway};
    if (name == "stress-presses") StressPresses(run);
    else if (name == "stress-dialogs") StressDialogs(run);
    else if (name == "stress-save") StressSave(run);
    else if (unwritable) StressUnwritableResult(run, a[5], name == "locked-result");
    else return false;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv, argv + argc);
    auto usage = []() {
        std::fprintf(stderr, "usage: e2e_driver TEST PROGRAM DIR [ARGS] (see the file's head)\n");
        return 2;
    };
    if (a.size() < 2) return usage();
    const std::string& test = a[1];
    g_report = E2eReport{test, 0, 0};
    if (test == "shell-open" && a.size() == 3) return ShellOpen(a[2]);
    if (test == "show-dialog" && a.size() == 3) return ShowDialog(std::atoi(a[2].c_str()));
    if (test == "quit") return Quit();
    if (a.size() < 4) return usage();
    const std::string &exe = a[2], &dir = a[3];
    if (test == "show") return Show(exe, dir, a.size() > 4 ? a[4].c_str() : nullptr, false);
    if (test == "demo" && a.size() == 5) return Show(exe, dir, a[4].c_str(), true);
    if (test == "window" && a.size() == 5) TestWindow(exe, dir, a[4] == "hscroll");
    else if (test == "search" && a.size() == 7) TestSearch(exe, dir, a[4], a[5], a[6]);
    else if (test == "abort" && a.size() == 6) TestAbort(exe, dir, a[4], a[5]);
    else if (test == "no-result-file" && a.size() == 6) TestNoResultFile(exe, dir, a[4], a[5]);
    else if (test == "dialog-during-search" && a.size() == 6) TestDialogDuringSearch(exe, dir, a[4], a[5]);
    else if (test == "close-during-search" && a.size() == 6) TestCloseDuringSearch(exe, dir, a[4], a[5]);
    else if (test == "dialogs") TestDialogs(exe, dir);
    else if (test == "config") TestConfig(exe, dir);
    else if (!Stress(test, a)) return usage();
    return g_report.failed || g_report.passed == 0 ? 1 : 0;
}
