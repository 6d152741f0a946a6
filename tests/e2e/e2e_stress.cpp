// The window under stress while searches run. Each test ends in one of two
// ways: the window stays responsive with its idle title and button, and is
// then closed normally; or (closeMidway) the window is closed in the middle
// and the program must end with exit code 0. Either way scripts/e2e.sh then
// checks that the result file holds exactly the core's rows of the
// candidates walked.
#include "tests/e2e/e2e_stress.h"

#include <algorithm>

#include "tests/e2e/e2e_driver_util.h"

namespace {

constexpr int kPressCycles = 100;   // a start and an abort each
constexpr int kDialogRounds = 3;    // every dialog, this many times
constexpr int kSaves = 30;

HWND StartButton(const Program& program) { return GetDlgItem(program.main, kE2eStartButton); }

void PressStart(const Program& program) {
    PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(kE2eStartButton, BN_CLICKED), 0);
}

bool Responsive(const Program& program) { return Send(program.main, WM_NULL, 0, 0, 2000) != -1; }

// The search has returned: the title is restored and the button reads
// "検索開始". (After an abort the button changes first; the title only when
// the walk has stopped and closed the file.)
bool SearchReturned(const Program& program, DWORD millis) {
    for (DWORD waited = 0; waited < millis; waited += 5) {
        if (TextOf(program.main) == kE2eMainTitle && TextOf(StartButton(program)) == kE2eStartText) return true;
        Sleep(5);
    }
    return false;
}

int OpensOf(const std::string& log, const std::string& dir) {
    std::string wanted = Lower(dir + "\\result.txt");
    int n = 0;
    for (const std::string& line : RecorderLines(log)) n += Lower(line).find(wanted) != std::string::npos;
    return n;
}

// Closes the window in the middle of whatever the test queued before and
// expects the program to end by itself with exit code 0.
void CloseMidway(Program& program, const std::string& what) {
    PostMessageA(program.main, WM_CLOSE, 0, 0);
    DWORD code;
    if (ProgramWaitExit(program, 20000, code))
        ExpectNumber("closing the window " + what + " ends the program with exit code 0", 0, code);
    else
        Expect(false, "the program exits within 20 s of closing its window " + what);
    ProgramRelease(program);
}

// Ends a test that kept the window: it answers, shows the idle title and
// button, and closes normally.
void FinishResponsive(Program& program) {
    Expect(Responsive(program), "the window answers a message within 2 s");
    ExpectText("the title is the idle one", kE2eMainTitle, TextOf(program.main));
    ExpectText("the start button reads \"検索開始\"", kE2eStartText, TextOf(StartButton(program)));
    ProgramClose(program);
}

// The running search finds 20 more matches.
void ExpectSearchGoesOn(const Program& program, const std::string& when) {
    Progress now = ProgressOf(TextOf(program.main)), later{};
    bool more = now.shown && WaitForCount(program.main, now.count + 20, 60000, later);
    Expect(more, Fmt("the search goes on %s (%d, then %d found)", when.c_str(), now.count, later.count));
}

// Starts the program in the run's directory, types the case and starts a
// search that has found its first rows; on failure nothing is left running.
bool StartProgramAndSearch(const StressRun& run, Program& program) {
    E2eCase c;
    if (!StartWithCase(run.exe, run.dir, run.casePath, program, c)) return false;
    if (StartLongSearch(program, 20)) return true;
    ProgramRelease(program);
    return false;
}

// Aborts the running search, waits for it to return, expects complete rows
// and a responsive window, and closes it.
void AbortAndFinish(Program& program, const std::string& dir) {
    PressStart(program);
    WaitIdle(program);
    ExpectCompleteRows(dir);
    FinishResponsive(program);
}

}  // namespace

void StressPresses(const StressRun& run) {
    Program program;
    E2eCase c;
    if (!StartWithCase(run.exe, run.dir, run.casePath, program, c)) return;
    const int cycles = run.closeMidway ? kPressCycles / 2 : kPressCycles;
    HWND button = StartButton(program);
    std::string trouble;
    int done = 0;
    DWORD began = GetTickCount();
    // Each press as soon as the previous one has taken effect: a start
    // pressed while an aborted search unwinds is dropped by design.
    for (; done < cycles && trouble.empty(); ++done) {
        PressStart(program);
        if (!WaitForText(button, kE2eAbortText, 10000)) {
            trouble = Fmt("press %d started no search", 2 * done + 1);
            break;
        }
        PressStart(program);
        if (!SearchReturned(program, 10000))
            trouble = Fmt("after press %d the title reads \"%s\" and the button \"%s\"", 2 * done + 2,
                          TextOf(program.main).c_str(), TextOf(button).c_str());
    }
    Expect(trouble.empty(), Fmt("%d presses of the start button in quick succession: each start ran a search, "
                                "each abort ended it with the title and button restored (%lu ms)",
                                2 * cycles, GetTickCount() - began) +
                                (trouble.empty() ? "" : ": " + trouble));
    if (run.closeMidway) {
        // A start, an abort, a start that comes while the aborted search
        // unwinds, and the close, all queued at once.
        for (int i = 0; i < 3; ++i) PressStart(program);
        CloseMidway(program, "with presses still queued");
        return;
    }
    // Every aborted search hands its file to the shell.
    int opens = OpensOf(run.log, run.dir);
    for (int waited = 0; opens < cycles && waited < 30000; waited += 200) {
        Sleep(200);
        opens = OpensOf(run.log, run.dir);
    }
    ExpectNumber("each aborted search handed result.txt to the shell's \"open\"", cycles, opens);
    FinishResponsive(program);
}

void StressDialogs(const StressRun& run) {
    Program program;
    if (!StartProgramAndSearch(run, program)) return;
    if (run.closeMidway) {
        // The close arrives while a modal dialog holds the search.
        if (OpenDialog(program.main, *E2eDialogById(105))) CloseMidway(program, "while a settings dialog is open");
        else ProgramRelease(program);
        return;
    }
    int confirmed = 0, held = 0, opened = 0;
    DWORD began = GetTickCount();
    for (int round = 0; round < kDialogRounds; ++round) {
        for (const E2eDialog& dialog : kE2eDialogs) {
            HWND window = OpenDialog(program.main, dialog);
            if (!window) continue;
            ++opened;
            // A modal dialog opened from the search's pump holds the search.
            std::string before = TextOf(program.main);
            Sleep(100);
            held += TextOf(program.main) == before;
            if (CloseDialog(window, IDOK)) ++confirmed;
            else Expect(false, Fmt("dialog %d closes on OK during the search", dialog.id));
        }
    }
    const int wanted = kDialogRounds * static_cast<int>(sizeof kE2eDialogs / sizeof kE2eDialogs[0]);
    ExpectNumber(Fmt("every settings dialog opened and confirmed with OK %d times during the search (%lu ms)",
                     kDialogRounds, GetTickCount() - began),
                 wanted, confirmed);
    ExpectNumber("the search's title stands still while a dialog is open", opened, held);
    ExpectSearchGoesOn(program, "after the last OK");
    AbortAndFinish(program, run.dir);
}

void StressSave(const StressRun& run) {
    Program program;
    if (!StartProgramAndSearch(run, program)) return;
    HWND vCount = GetDlgItem(program.main, kE2eConsoleEdits[0]);
    if (run.closeMidway) {
        PostMessageA(program.main, WM_COMMAND, MAKEWPARAM(kE2eSaveButton, BN_CLICKED), 0);
        CloseMidway(program, "right after \"保存\"");
        std::string config;
        E2eReadFile(run.dir + "\\config.txt", config);
        ExpectNumber("config.txt is complete (lines)", 6, static_cast<long long>(std::count(config.begin(),
                                                                                           config.end(), '\n')));
        return;
    }
    // The edits change between the saves; the running search keeps what it
    // captured at its start (the script holds the file against the case).
    int right = 0;
    std::string last;
    for (int i = 0; i < kSaves; ++i) {
        std::string text = Fmt("%x", 0x40 + i);
        SetTextOf(vCount, text);
        Save(program);
        std::string config;
        E2eReadFile(run.dir + "\\config.txt", config);
        last = config.substr(0, config.find('\n') + 1);
        right += last == text + "\r\n" && std::count(config.begin(), config.end(), '\n') == 6;
    }
    ExpectNumber(Fmt("%d presses of \"保存\" during the search each wrote config.txt with the VCount typed just "
                     "before (last first line \"%s\")",
                     kSaves, last.substr(0, last.size() - (last.empty() ? 0 : 2)).c_str()),
                 kSaves, right);
    ExpectSearchGoesOn(program, "after the saves");
    AbortAndFinish(program, run.dir);
}

namespace {

struct DayStart {
    int year, month, day, count;
};

// The core's count at the start of each day and its total.
bool ReadDays(const std::string& path, std::vector<DayStart>& days, int& total) {
    std::string text;
    if (!E2eReadFile(path, text)) return false;
    size_t at = 0;
    total = -1;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        std::string line = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + 1;
        DayStart d{};
        if (std::sscanf(line.c_str(), "DAY %d %d %d %d", &d.year, &d.month, &d.day, &d.count) == 4)
            days.push_back(d);
        else
            std::sscanf(line.c_str(), "TOTAL %d", &total);
    }
    return !days.empty() && total >= 0;
}

// Posts the start and reads the title until the search has returned; the
// progress texts seen on the way, in order.
bool WatchSearch(const Program& program, DWORD millis, std::vector<Progress>& seen) {
    PressStart(program);
    HWND button = StartButton(program);
    if (!WaitForText(button, kE2eAbortText, 10000)) return Expect(false, "the search starts");
    for (DWORD began = GetTickCount(); GetTickCount() - began < millis; Sleep(5)) {
        Progress p = ProgressOf(TextOf(program.main));
        if (p.shown && (seen.empty() || seen.back().count != p.count || seen.back().day != p.day ||
                        seen.back().month != p.month || seen.back().year != p.year))
            seen.push_back(p);
        if (TextOf(button) == kE2eStartText) return true;
    }
    return false;
}

// Every count the title showed lies between the core's counts at the start
// of its day and of the next, and the title reached the last day's start.
void ExpectTitleCounts(const std::vector<Progress>& seen, const std::vector<DayStart>& days, int total) {
    std::string wrong;
    int highest = -1;
    for (const Progress& p : seen) {
        size_t i = 0;
        while (i < days.size() && !(days[i].year == p.year && days[i].month == p.month && days[i].day == p.day)) ++i;
        int low = i < days.size() ? days[i].count : 0, high = i + 1 < days.size() ? days[i + 1].count : total;
        if (i == days.size() || p.count < low || p.count > high)
            wrong = Fmt("%d年%d月%d日 with %d", p.year, p.month, p.day, p.count);
        highest = p.count > highest ? p.count : highest;
    }
    Expect(wrong.empty() && days.back().count > 0 && highest >= days.back().count,
           Fmt("the title counted the matches as the core finds them (%zu progress texts, the highest %d; the "
               "core: %d before the last day, %d in all)",
               seen.size(), highest, days.back().count, total) +
               (wrong.empty() ? "" : ", but showed " + wrong));
}

}  // namespace

void StressUnwritableResult(const StressRun& run, const std::string& daysPath, bool locked) {
    const std::string path = run.dir + "\\result.txt";
    const std::string held = "held by another program\r\n";
    HANDLE lock = INVALID_HANDLE_VALUE;
    if (locked) {
        // Open without sharing, as an editor that locks the file would.
        if (!WriteFileBytes(path, held)) return void(Expect(false, "write result.txt before locking it"));
        lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (lock == INVALID_HANDLE_VALUE) return void(Expect(false, "open result.txt without sharing"));
    }
    std::string configBefore, configAfter;
    E2eReadFile(run.dir + "\\config.txt", configBefore);
    Program program;
    E2eCase c;
    if (StartWithCase(run.exe, run.dir, run.casePath, program, c)) {
        if (run.closeMidway) {
            if (StartLongSearch(program, 20)) CloseMidway(program, "during the search");
            else ProgramRelease(program);
        } else {
            Save(program);
            E2eReadFile(run.dir + "\\config.txt", configAfter);
            if (!locked) ExpectText("\"保存\" in a read-only folder changes nothing", configBefore, configAfter);
            std::vector<DayStart> days;
            int total = 0;
            if (!ReadDays(daysPath, days, total)) Expect(false, "read the core's day counts " + daysPath);
            std::vector<Progress> seen;
            DWORD began = GetTickCount();
            bool ended = WatchSearch(program, 120000, seen);
            Expect(ended, Fmt("the search runs to its end although result.txt cannot be written (%lu ms)",
                              GetTickCount() - began));
            if (ended && !days.empty()) ExpectTitleCounts(seen, days, total);
            FinishResponsive(program);
        }
    }
    if (locked) {
        std::string bytes(held.size() + 16, '\0');
        DWORD read = 0;
        SetFilePointer(lock, 0, nullptr, FILE_BEGIN);
        ReadFile(lock, &bytes[0], static_cast<DWORD>(bytes.size()), &read, nullptr);
        bytes.resize(read);
        CloseHandle(lock);
        ExpectText("the held result.txt is untouched", held, bytes);
    } else {
        Expect(GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES, "no result.txt in the read-only folder");
    }
    Expect(!OpenedInShell(run.log, run.dir, 2000), "nothing was handed to the shell");
}
