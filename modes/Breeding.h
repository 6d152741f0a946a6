// The breeding search: an egg whose values come from the individual-value
// position with three of them taken over from the parents, and whose
// inheritance, nature, ability, gender and personality value come from the
// LCG draws of a personality-value consumption.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/SearchRun.h"

// Entries 1..8 of breedingGender, as the dialog lists them.
extern const char* const BreedingGenderNames[8];
// Entries 0..3 of breedingAbility.
extern const char* const BreedingAbilityNames[4];
// Gender values g (lowest byte of the personality value) split at these: the
// ♂ entries 1..4 accept g >= threshold[entry - 1], the ♀ entries 5..8 accept
// g < threshold[8 - entry].
extern const int32_t kBreedingGenderThresholds[4];

// True when the gender entry accepts g; an entry outside 1..8 tests nothing.
bool BreedingGenderAccepts(int32_t entry, uint32_t g);

// The position is worth drawing for only when every stat has at least one of
// its stream value and its two parents' values within the bounds.
bool BreedingPrefilterPasses(const SearchSettings& settings, const IvSet& ivs);

// Three distinct stats, each with the parent (0 "先", 1 "後") it comes from.
struct BreedingInheritance {
    int32_t stat[3];  // 0 = H .. 5 = S
    int32_t parent[3];
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
