// The breeding search: an egg whose values come from the individual-value
// position with three of them taken over from the parents, and whose
// inheritance, nature, ability, gender and personality value come from the
// LCG draws of a personality-value consumption.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/ScreenPlan.h"
#include "modes/SearchRun.h"

// Entries 1..8 of breedingGender, as the dialog lists them.
extern const char* const BreedingGenderNames[8];
// Entries 0..3 of breedingAbility.
extern const char* const BreedingAbilityNames[4];
// Gender values g (lowest byte of the personality value) split at these: the
// ♂ entries 1..4 accept g >= threshold[entry - 1], the ♀ entries 5..8 accept
// g < threshold[8 - entry].
extern const int32_t kBreedingGenderThresholds[4];

// breedingNature values that are not a nature, and the hidden-ability entry.
enum : int32_t {
    kBreedingNatureAny = -1,
    kBreedingNatureUnchanged = 0,  // "変わらず": bit 31 of the next draw instead of a nature
    kBreedingAbilityHidden = 3,    // "夢"
};

// The draws of consumption n, relative to n: the nature's (scaled to 25), or
// for "変わらず" the draw after it (bit 31); the hidden-ability draw; then the
// inheritance picks, each a stat draw and the parent draw after it, the next
// pick two draws on; the personality value's draw follows the last pick.
enum : int32_t {
    kBreedingNatureDraw = 0,
    kBreedingUnchangedDraw = 1,
    kBreedingPickDraws = 2,
};
constexpr int32_t BreedingAbilityDraw(bool unchanged) { return unchanged ? 2 : 1; }
constexpr int32_t BreedingFirstPickDraw(bool noDitto, bool unchanged) {
    return (noDitto ? 2 : 3) + (unchanged ? 1 : 0);
}
// Stats an egg inherits: a record holds this many distinct ones.
constexpr int32_t kBreedingInheritedStats = 3;
// Inheritance picks the batch screen follows; a record still short of three
// stats after them lets its position pass.
constexpr int32_t kBreedingPicks = 8;
// How far past n the screen's draw window reaches: the picks from firstPick
// on and the personality value's draw after the last of them.
constexpr int32_t BreedingScreenReach(int32_t firstPick) {
    return firstPick + kBreedingPickDraws * kBreedingPicks + 1;
}

// True when the gender entry accepts g; an entry outside 1..8 tests nothing.
bool BreedingGenderAccepts(int32_t entry, uint32_t g);

// The position is worth drawing for only when every stat has at least one of
// its stream value and its two parents' values within the bounds.
bool BreedingPrefilterPasses(const SearchSettings& settings, const IvSet& ivs);

// Three distinct stats, each with the parent (0 "先", 1 "後") it comes from.
struct BreedingInheritance {
    int32_t stat[kBreedingInheritedStats];  // 0 = H .. 5 = S
    int32_t parent[kBreedingInheritedStats];
    int32_t nextDraw;  // first draw after the last pick: the personality value's
};

// Picks the record from draw p on: stat from draw p scaled by 6, parent from
// bit 31 of draw p + 1, two draws per pick, a repeated stat drawn again.
// Draws past the fill are produced on demand; false when a pick would read
// past the stream's capacity, and the record is then unusable.
bool BreedingInheritanceDraw(LcgStream& lcg, int32_t p, BreedingInheritance& out);

// One individual-value position c with its stream values.
void EvaluateBreeding(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs);

// The batch screen's terms. Nature rule -1 any, 0 bit 31 of the unchanged
// draw, 1 the nature draw within natureDraw; the hidden-ability draw at
// abilityDraw must reach abilityLow when abilityTest; the picks start at
// firstPick; the parents' values of the inherited stats, the gender, the
// ability slot and the shiny test decide on the egg.
struct BreedingScreenParams {
    int32_t natureRule;
    DrawRange natureDraw;
    bool abilityTest;
    int32_t abilityDraw;
    uint32_t abilityLow;
    int32_t firstPick;
    uint32_t parentOk;  // bit parent * 6 + stat: that value lies within the bounds
    DrawRange gender;   // accepted lowest bytes of the personality value
    uint32_t ability;   // 1 or 2: the ability slot required; 0: any
    bool shinyTest;
    uint32_t ids;       // trainer ID XOR secret ID of the shiny search
};
// The breeding search's part of the individual-value block's plan.
void PlanBreeding(const SearchRun& run, BreedingScreenParams& terms, ScreenPlan& plan);
