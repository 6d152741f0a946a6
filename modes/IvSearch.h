// The individual-value search: six values from the MT stream at every
// consumption position, within per-stat bounds and a hidden-power filter,
// with the roamer's layout; the block in which breeding and the shiny
// personality-value search take the positions instead.
#pragma once

#include <cstdint>

#include "modes/IndividualValues.h"
#include "modes/SearchRun.h"

// "c,H,A,B,C,D,S,<hidden-power type>,<power>" of a position: the columns the
// plain and the shiny rows begin with.
char* RowAppendIvColumns(char* out, int32_t c, const IvSet& ivs);

// Writes the plain individual-value row of a passing position c.
void IvSearchWriteRow(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t c,
                      const IvSet& ivs);

// One candidate through the individual-value block.
void EvaluateIvBlock(SearchRun& run, const CandidateMoment& moment, uint64_t seed);

struct BatchPlan;
// The block's plan: breeding's or the shiny search's draw screen when one
// is on, then the individual values of the positions.
void PlanIvBlock(const SearchRun& run, BatchPlan& plan);
