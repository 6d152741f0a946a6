// The table of search modes: what each mode is to the driver, the result
// file and the batch engines, in one row per mode.
#pragma once

#include <cstdint>

#include "modes/SearchRun.h"

// The draws the driver produces past the personality-value end E for the
// modes whose stream is E + 30 long.
constexpr int32_t kLcgFillBeyondPidEnd = 30;

struct BatchPlan;
struct ControlAccess;

// A mode's settings dialog: the main window's "設定" button, the template it
// opens, and the dialog's logic (modes/*Dialog.h): fill on opening, store on
// "OK".
struct SearchModeDialog {
    int commandId;
    int templateId;
    void (*init)(const ControlAccess& controls, const SearchSettings& settings);
    void (*store)(const ControlAccess& controls, SearchSettings& settings);
};

// One mode. The evaluation writes the mode's rows for one candidate whose
// streams the driver filled; lcgCount gives n of the LcgStream fill
// (L[0..n] valid), -1 when the mode reads no LCG draw; the plan says what
// the batch engines compute for a batch (modes/BatchPlan.h).
struct SearchModeEntry {
    SearchMode mode;
    const char* name;               // the command line's --mode NAME
    bool SearchSettings::*enabled;  // the switch; null: the mode when no switch is on
    int checkBoxId;                 // the switch's check box in the main window; 0: none
    const SearchModeDialog* dialog; // its settings dialog, or null
    const char* header;             // result header line, without ",キー入力" and line end
    int32_t (*lcgCount)(const SearchRun& run);
    void (*evaluate)(SearchRun& run, const CandidateMoment& moment, uint64_t seed);
    // The personality-value positions first..last alone, for the modes whose
    // draw screen is exact (the engines evaluate only the positions that
    // pass it); null for the individual-value block.
    void (*evaluateRange)(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                          int32_t last);
    void (*plan)(const SearchRun& run, BatchPlan& plan);
};

// The modes in the driver's precedence, one row per SearchMode in the
// enum's order: a search is evaluated by the first mode whose switch is on.
// The last row, the individual-value block, has no switch; breeding and the
// shiny search share its evaluation, which takes each position in its own
// order (breeding, then shiny, then the plain rows).
//
// The only list of the modes: the command line's --mode, the main window's
// capture of the switches, the window's settings dialogs, the benchmark's
// cases and the fuzz targets' seeds all take their modes from it.
//
// To add a mode: give it its own unit in modes/ (evaluation, header, named
// draw offsets, plan and screen terms, and its dialog's logic in
// modes/<Mode>Dialog.cpp), a SearchMode value at its place in the
// precedence and a row here at the same place. Still by hand: its settings
// fields' rows (modes/SettingsFields.cpp), its check box, "設定" button and
// dialog template (res/resource.h, res/morvane.rc, the check box's and
// button's rows in app/MainWindowLayout.cpp), its draw screen in
// modes/<Mode>Screen.h with its kind in modes/BatchPlan.h (the kernel body,
// engine/EngineKernelBody.h, includes it in every backend and dispatches on
// the kind), and its dialog's run of fields in fuzz/dialogs_fuzz.cpp.
extern const SearchModeEntry kSearchModes[];
extern const int32_t kSearchModeCount;

const SearchModeEntry& SearchModeEntryOf(SearchMode mode);
// The row of --mode NAME, or null.
const SearchModeEntry* SearchModeNamed(const char* name);
// Turns on the mode's switch and off every other.
void SearchModeSelect(SearchSettings& settings, SearchMode mode);
SearchMode SearchModeOf(const SearchSettings& settings);
const char* ResultHeaderOf(SearchMode mode);
// Count n of the LcgStream fill (L[0..n]) for the run's mode; -1: not filled.
int32_t SearchRunLcgCount(const SearchRun& run);

// A run over settings with no output yet: its mode, the clamped end, the
// message prefix and the streams set, the count 0.
void SearchRunInit(SearchRun& run, const SearchSettings& settings);

// The header line of the run's mode, with ",キー入力" when key input is on.
void ResultWriteHeader(SearchRun& run);

// Hands one candidate to the mode its search evaluates.
void EvaluateCandidate(SearchRun& run, const CandidateMoment& moment, uint64_t seed);

// What the batch engines compute for a batch of the run's mode.
void BatchPlanOf(const SearchRun& run, BatchPlan& plan);
