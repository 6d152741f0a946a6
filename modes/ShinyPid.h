// The shiny personality-value search: for an individual-value position that
// passed the filter, every personality-value consumption whose personality
// value, built for the chosen encounter, is shiny for the trainer's IDs.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

// Encounter kinds of shinyEncounter.
enum : int32_t {
    kShinyEncounterEgg = 1,     // "孵化"
    kShinyEncounterRoamer = 2,  // "徘徊"
    kShinyEncounterFixed = 3,   // "固定"
};
// The dialog's radio buttons, encounter 1 first.
extern const char* const ShinyEncounterNames[3];

// The shiny test: the low 16 bits of (pid >> 16) ^ pid ^ trainerId ^ secretId
// are 7 or less. Shared with the breeding and delivery searches.
bool ShinyTestPasses(uint32_t pid, uint16_t trainerId, uint16_t secretId);

// A hatched egg's personality value from its draw: draw - 1, and 0 for draw 0
// (the upper half of draw * 0xFFFFFFFF). Shared with the breeding search.
uint32_t ShinyEggPidOf(uint32_t draw);

// The personality value the encounter kind builds from draw k. Kinds other
// than 1 and 2 build the fixed encounter's value, as the dialog shows them.
uint32_t ShinyPidOf(int32_t encounter, uint32_t draw);

// "ID補正": bit 31 becomes bit 0 of trainerId ^ secretId ^ pid.
uint32_t ShinyPidIdAdjusted(uint32_t pid, uint16_t trainerId, uint16_t secretId);

// The draws of consumption k, relative to k: the personality value's, and
// the nature's for the roamer and the fixed encounter.
enum : int32_t {
    kShinyPidDraw = 0,
    kShinyNatureDraw = 1,
    kShinyReach = 1,
};

// The personality-value positions k of the candidate's draws, in order,
// whose value is shiny (and whose nature is the one asked for, when it is
// tested): the same for each of its individual-value positions, so found
// once. positions holds kShinyPidPositionsMax; returns their count.
constexpr int32_t kShinyPidPositionsMax = kPidConsumptionEndLimit + 1;
int32_t ShinyPidPositions(const SearchRun& run, int32_t* positions);
// The rows of individual-value position c, which passed the filter: one
// for each of the positions found.
void WriteShinyPidRows(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                       const IvSet& ivs, const int32_t* positions, int32_t count);

// The batch screen's terms: the nature test, the encounter's personality
// value rule (1 egg, 2 roamer, 3 fixed) with the ID adjustment, and the IDs.
struct ShinyScreenParams {
    bool natureTest;
    DrawRange nature;
    int32_t rule;
    bool idAdjust;
    uint32_t ids;  // trainer ID XOR secret ID
};
// The shiny search's part of the individual-value block's plan.
void PlanShiny(const SearchRun& run, ShinyScreenParams& terms, ScreenPlan& plan);
