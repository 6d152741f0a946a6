// The driver's means of working the program from another process, as a
// user's automation tool would: messages only (SendMessage, PostMessage),
// window lookups and the process handle it started the program with.
#pragma once

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/e2e_case.h"
#include "tests/e2e/e2e_layout.h"

// --- reporting -----------------------------------------------------------------

struct E2eReport {
    std::string test;
    int passed;
    int failed;
};
inline E2eReport g_report;

// Driver texts are code page 932 like the program's; the log is UTF-8.
inline std::string Utf8Of(const std::string& cp932) {
    if (cp932.empty()) return cp932;
    int wide = MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), nullptr, 0);
    std::wstring w(static_cast<size_t>(wide), L'\0');
    MultiByteToWideChar(932, 0, cp932.data(), static_cast<int>(cp932.size()), &w[0], wide);
    int bytes = WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), wide, &out[0], bytes, nullptr, nullptr);
    return out;
}

inline std::string Cp932Of(const std::wstring& w) {
    if (w.empty()) return std::string();
    int bytes = WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr,
                                    nullptr);
    std::string out(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(932, 0, w.data(), static_cast<int>(w.size()), &out[0], bytes, nullptr, nullptr);
    return out;
}

inline std::string Fmt(const char* format, ...) {
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

// E2E_TRACE=1 in the environment ends every line with the milliseconds since
// the driver started, to see where a test spends its time.
inline void Say(const std::string& line) {
    static const DWORD started = GetTickCount();
    static const bool trace = GetEnvironmentVariableA("E2E_TRACE", nullptr, 0) > 0;
    std::string u = Utf8Of(line) + (trace ? Fmt(" [%lu ms]", GetTickCount() - started) : std::string()) + "\n";
    std::fwrite(u.data(), 1, u.size(), stdout);
    std::fflush(stdout);
}

inline bool Expect(bool ok, const std::string& what) {
    Say((ok ? "PASS " : "FAIL ") + g_report.test + ": " + what);
    ++(ok ? g_report.passed : g_report.failed);
    return ok;
}

// "what: expected "E", saw "A"" on failure, "what" on success.
inline bool ExpectText(const std::string& what, const std::string& expected, const std::string& actual) {
    if (expected == actual) return Expect(true, what);
    return Expect(false, what + ": expected \"" + expected + "\", saw \"" + actual + "\"");
}

inline bool ExpectNumber(const std::string& what, long long expected, long long actual) {
    if (expected == actual) return Expect(true, what);
    return Expect(false, what + Fmt(": expected %lld, saw %lld", expected, actual));
}

inline bool ExpectHex(const std::string& what, unsigned long expected, unsigned long actual) {
    if (expected == actual) return Expect(true, what + Fmt(" (0x%08lX)", actual));
    return Expect(false, what + Fmt(": expected 0x%08lX, saw 0x%08lX", expected, actual));
}

// --- control access across processes ------------------------------------------

constexpr UINT kSendTimeout = 10000;

inline LRESULT Send(HWND window, UINT message, WPARAM w, LPARAM l, UINT timeout = kSendTimeout) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, w, l, SMTO_NORMAL, timeout, &result)) return -1;
    return static_cast<LRESULT>(result);
}

// WM_GETTEXT is marshalled across processes; GetWindowText would not ask
// another process's edit for its text.
inline std::string TextOf(HWND window) {
    char buffer[4096] = {0};
    Send(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

inline void SetTextOf(HWND window, const std::string& text) {
    Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

inline int CheckOf(HWND button) { return static_cast<int>(Send(button, BM_GETCHECK, 0, 0)); }
inline void SetCheckOf(HWND button, bool on) { Send(button, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
// A click as the mouse gives it: automatic radio buttons clear their group.
inline void Click(HWND button) { Send(button, BM_CLICK, 0, 0); }

inline int ListCount(HWND list) { return static_cast<int>(Send(list, CB_GETCOUNT, 0, 0)); }
inline int ListSelection(HWND list) { return static_cast<int>(Send(list, CB_GETCURSEL, 0, 0)); }
inline void SetListSelection(HWND list, int index) { Send(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

// Wine hands an ANSI CB_GETLBTEXT back from another process as UTF-16
// without converting it, so the item is asked for in UTF-16 and converted
// here; that also holds on Windows.
inline std::string ListItem(HWND list, int index) {
    wchar_t buffer[512] = {0};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer),
                             SMTO_NORMAL, kSendTimeout, &result))
        return "<no answer>";
    if (static_cast<LRESULT>(result) == CB_ERR) return "<CB_ERR>";
    return Cp932Of(buffer);
}

inline std::string ClassOf(HWND window) {
    char buffer[256] = {0};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

inline bool SameClass(const std::string& a, const char* b) { return lstrcmpiA(a.c_str(), b) == 0; }

// Window rectangle in the parent's client coordinates.
inline RECT RectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline void ApplyStep(HWND parent, const E2eStep& step) {
    HWND control = GetDlgItem(parent, step.id);
    if (!control) {
        Expect(false, Fmt("control %d exists to be set", step.id));
        return;
    }
    switch (step.action) {
    case kE2eSet: SetTextOf(control, step.text); break;
    case kE2eCheckStep: SetCheckOf(control, step.value != 0); break;
    case kE2eSelect: SetListSelection(control, step.value); break;
    case kE2eRadioStep: Click(control); break;
    }
}

// --- the program -------------------------------------------------------------------

struct Program {
    PROCESS_INFORMATION process;
    HWND main;
    std::string dir;  // working directory, Windows form
};

struct FindContext {
    DWORD pid;
    HWND found;
};

inline BOOL CALLBACK FindMainOf(HWND window, LPARAM context) {
    auto* find = reinterpret_cast<FindContext*>(context);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == find->pid && SameClass(ClassOf(window), kE2eMainClass)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

// Starts the program in dir and waits until its window has been created,
// shown and reached its message loop.
inline bool ProgramStart(const std::string& exe, const std::string& dir, Program& program) {
    program = Program{};
    program.dir = dir;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exe + "\"";
    // Wine now and then fails a start on a loaded machine with
    // ERROR_INTERNAL_ERROR (1359) before the program runs a line of its own;
    // such a start is tried again, and said, up to three times.
    DWORD error = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (attempt > 0) {
            std::printf("  note: start %s failed with error %lu, trying again\n", exe.c_str(), error);
            Sleep(500);
        }
        if (CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(),
                           &startup, &program.process)) {
            error = 0;
            break;
        }
        error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR) break;
    }
    if (error != 0) {
        Expect(false, Fmt("start %s in %s (error %lu)", exe.c_str(), dir.c_str(), error));
        return false;
    }
    for (int i = 0; i < 400 && !program.main; ++i) {
        FindContext find{program.process.dwProcessId, nullptr};
        EnumWindows(FindMainOf, reinterpret_cast<LPARAM>(&find));
        if (find.found && IsWindowVisible(find.found)) program.main = find.found;
        else Sleep(25);
    }
    if (!program.main) {
        Expect(false, "the main window of class \"mrvn\" appears within 10 s");
        TerminateProcess(program.process.hProcess, 1);
        return false;
    }
    Send(program.main, WM_NULL, 0, 0);
    return true;
}

inline bool ProgramWaitExit(Program& program, DWORD millis, DWORD& exitCode) {
    exitCode = STILL_ACTIVE;
    if (WaitForSingleObject(program.process.hProcess, millis) != WAIT_OBJECT_0) return false;
    GetExitCodeProcess(program.process.hProcess, &exitCode);
    return true;
}

inline void ProgramRelease(Program& program) {
    if (program.process.hProcess) {
        DWORD code;
        if (GetExitCodeProcess(program.process.hProcess, &code) && code == STILL_ACTIVE)
            TerminateProcess(program.process.hProcess, 1);
        CloseHandle(program.process.hProcess);
        CloseHandle(program.process.hThread);
    }
    program.process = PROCESS_INFORMATION{};
}

// Closes the window as its close box does and expects a clean exit.
inline void ProgramClose(Program& program) {
    PostMessageA(program.main, WM_CLOSE, 0, 0);
    DWORD code;
    if (!ProgramWaitExit(program, 20000, code))
        Expect(false, "the program exits within 20 s of closing its window");
    else
        ExpectNumber("closing the window ends the program with exit code 0", 0, code);
    ProgramRelease(program);
}

// --- dialogs ---------------------------------------------------------------------------

struct OwnedDialog {
    HWND owner;
    HWND found;
};

inline BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM context) {
    auto* find = reinterpret_cast<OwnedDialog*>(context);
    if (GetWindow(window, GW_OWNER) == find->owner && SameClass(ClassOf(window), "#32770") &&
        IsWindowVisible(window)) {
        find->found = window;
        return FALSE;
    }
    return TRUE;
}

inline HWND OpenDialogOf(HWND main) {
    OwnedDialog find{main, nullptr};
    EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&find));
    return find.found;
}

// Posts the command (a modal dialog must not block the driver), then finds
// the dialog by its title as the automation would.
inline HWND OpenDialog(HWND main, const E2eDialog& dialog) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(dialog.command, BN_CLICKED), 0);
    for (int i = 0; i < 400; ++i) {
        HWND found = FindWindowA("#32770", dialog.title);
        if (found && IsWindowVisible(found)) {
            Send(found, WM_NULL, 0, 0);
            return found;
        }
        Sleep(25);
    }
    Expect(false, Fmt("dialog %d \"%s\" opens from command %d", dialog.id, dialog.title, dialog.command));
    return nullptr;
}

// Posted, as a click would arrive: a sent command ends the dialog while its
// modal loop sleeps in GetMessage, and Wine's loop only notices at the next
// message (seconds later).
inline bool CloseDialog(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    for (int i = 0; i < 400 && IsWindow(dialog); ++i) Sleep(25);
    return !IsWindow(dialog);
}

// Opens each dialog the case fills, performs its steps and presses "OK".
inline bool ApplyCase(const Program& program, const E2eCase& c) {
    for (const E2eStep& step : c.steps)
        if (step.dialog == 0) ApplyStep(program.main, step);
    for (int id : E2eCaseDialogs(c)) {
        const E2eDialog* dialog = E2eDialogById(id);
        if (!dialog) return Expect(false, Fmt("case names a known dialog (%d)", id));
        HWND window = OpenDialog(program.main, *dialog);
        if (!window) return false;
        for (const E2eStep& step : c.steps)
            if (step.dialog == id) ApplyStep(window, step);
        if (!CloseDialog(window, IDOK)) return Expect(false, Fmt("dialog %d closes on OK", id));
    }
    return true;
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return true;
}

// "config.txt" as the program's own save writes it, CR LF line ends.
inline bool WriteConfig(const std::string& dir, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return WriteFileBytes(dir + "\\config.txt", bytes);
}

// --- the search as seen from outside --------------------------------------------------

struct Progress {
    bool shown;  // the title is a progress text
    int year, month, day, count;
};

inline Progress ProgressOf(const std::string& title) {
    Progress p{};
    if (std::sscanf(title.c_str(), kE2eProgressFormat, &p.year, &p.month, &p.day, &p.count) == 4) {
        char again[256];
        std::snprintf(again, sizeof again, kE2eProgressFormat, p.year, p.month, p.day, p.count);
        p.shown = title == again;
    }
    return p;
}

// Waits until the title shows at least `count` candidates found.
inline bool WaitForCount(HWND main, int count, DWORD millis, Progress& last) {
    for (DWORD waited = 0; waited < millis; waited += 20) {
        last = ProgressOf(TextOf(main));
        if (last.shown && last.count >= count) return true;
        Sleep(20);
    }
    return false;
}

inline bool WaitForText(HWND window, const std::string& text, DWORD millis) {
    for (DWORD waited = 0; waited < millis; waited += 10) {
        if (TextOf(window) == text) return true;
        Sleep(10);
    }
    return false;
}

// The lines the open recorder wrote: "current directory|command line".
inline std::vector<std::string> RecorderLines(const std::string& log) {
    std::string bytes;
    std::vector<std::string> lines;
    if (!E2eReadFile(log, bytes)) return lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

inline std::string Lower(std::string s) {
    CharLowerBuffA(&s[0], static_cast<DWORD>(s.size()));
    return s;
}

// Whether the shell's "open" reached the recorder with dir's result.txt.
inline bool OpenedInShell(const std::string& log, const std::string& dir, DWORD millis) {
    std::string wanted = Lower(dir + "\\result.txt");
    for (DWORD waited = 0;; waited += 100) {
        for (const std::string& line : RecorderLines(log))
            if (Lower(line).find(wanted) != std::string::npos) return true;
        if (waited >= millis) return false;
        Sleep(100);
    }
}

// --- a search started and watched from outside ---------------------------------------

inline bool StartWithCase(const std::string& exe, const std::string& dir, const std::string& casePath,
                          Program& program, E2eCase& c) {
    c = E2eLoadCase(casePath);
    if (!c.error.empty()) return Expect(false, "case " + casePath + ": " + c.error);
    if (!c.configLines.empty() && !WriteConfig(dir, c.configLines)) return Expect(false, "write config.txt");
    if (!ProgramStart(exe, dir, program)) return false;
    if (!ApplyCase(program, c)) {
        ProgramRelease(program);
        return false;
    }
    return true;
}

inline void Save(const Program& program) {
    Send(program.main, WM_COMMAND, MAKEWPARAM(kE2eSaveButton, BN_CLICKED), 0);
}

// Starts the search without waiting for it and waits for its first rows.
inline bool StartLongSearch(const Program& program, int rows) {
    PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0);
    HWND button = GetDlgItem(program.main, kE2eStartButton);
    Expect(WaitForText(button, kE2eAbortText, 10000), "the start button reads \"中断\" while the search runs");
    Progress p{};
    bool found = WaitForCount(program.main, rows, 60000, p);
    Expect(found, Fmt("the title shows the progress text with %d or more candidates found (last: %d年%d月%d日, %d)",
                      rows, p.year, p.month, p.day, p.count));
    return found;
}

inline void WaitIdle(const Program& program) {
    HWND button = GetDlgItem(program.main, kE2eStartButton);
    Expect(WaitForText(program.main, kE2eMainTitle, 20000), "the title returns to \"Morvane ver2.01c\"");
    ExpectText("the start button reads \"検索開始\" after the search", kE2eStartText, TextOf(button));
}

inline bool ExpectCompleteRows(const std::string& dir) {
    std::string bytes;
    if (!E2eReadFile(dir + "\\result.txt", bytes)) return Expect(false, "result.txt exists");
    size_t lines = 0;
    for (char ch : bytes) lines += ch == '\n';
    bool crlf = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
    size_t headerEnd = bytes.find("\r\n");
    const std::string frame = "年,月,日,時,分,秒,";
    bool header = headerEnd != std::string::npos && bytes.compare(0, frame.size(), frame) == 0;
    return Expect(crlf && header && lines >= 2,
                  Fmt("result.txt holds the header and complete rows (%zu lines, ends with CR LF: %s)", lines,
                      crlf ? "yes" : "no"));
}
