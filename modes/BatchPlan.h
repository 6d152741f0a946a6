// What one batch of the batch engines computes for the run's mode, from the
// settings as they are when it starts: the draw screen of the mode and its
// terms, the window of draws it reads, and the MT outputs and individual-value
// screen of the individual-value block. Each mode fills its terms in its own
// unit (PlanGrotto, ...), the mode table puts them here (BatchPlanOf in
// modes/SearchModes.h), and the engines in engine/ run the screens.
#pragma once

#include <cstdint>

#include "modes/Breeding.h"
#include "modes/Comet.h"
#include "modes/Delivery.h"
#include "modes/Dome.h"
#include "modes/Grotto.h"
#include "modes/IndividualValues.h"
#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"
#include "modes/ShinyPid.h"

enum LcgScreenKind : int32_t {
    kScreenGrotto,
    kScreenComet,
    kScreenDome,
    kScreenDelivery,
    kScreenShiny,
    kScreenBreeding,
};

// One screen over positions 0 .. positions - 1 of a draw window (draw row r
// of the window is LCG index pidStart + r), with the terms of its mode. A
// lane passes when any position might give a row; the screens are exact
// except breeding's, which cannot see the individual values and the hidden
// power of the egg.
struct LcgScreenParams {
    int32_t kind;  // LcgScreenKind
    int32_t positions;
    GrottoScreenParams grotto;
    CometScreenParams comet;
    DomeScreenParams dome;
    DeliveryScreenParams delivery;
    ShinyScreenParams shiny;
    BreedingScreenParams breeding;
};

struct BatchPlan {
    bool nothing;        // the mode can give no row with these settings
    bool lcgScreen;      // candidates are screened on an LCG draw window first
    LcgScreenParams lcg;
    int32_t lcgRows;     // rows of the draw window, from pidStart on
    int32_t natureRow;   // delivery: row offset of the nature draw; -1: own window
    int32_t lead;        // positions before a passing one that its row depends on
    bool mtNeeded;       // MT words mtLo..mtHi are produced
    int32_t mtLo, mtHi;
    IvScreenParams iv;   // when mtNeeded: the individual-value filter or prefilter
    bool ivRows;         // the plain individual-value search: rows written by the engine
    bool breedingSets;   // breeding: the LCG screen's inherited-stat sets decide too
    IvFilterTerms ivBounds;  // the main window's filter (breeding tests the bounds of the egg)
    int32_t ivStart;     // consumption of IV position 0
    int32_t pidStart;
};

// Takes a mode's screen plan into the batch plan, for its kind of screen.
inline void BatchPlanTakeScreen(BatchPlan& plan, LcgScreenKind kind, const ScreenPlan& screen) {
    plan.lcg.kind = kind;
    plan.nothing = screen.nothing;
    plan.lcgRows = plan.lcg.positions + screen.reach;
    plan.natureRow = screen.natureRow;
    plan.lead = screen.lead;
}
