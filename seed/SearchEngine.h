// Chooses the engine a search runs on: the plain reference, or the fastest
// batch engine this processor supports.
#pragma once

#include "seed/SeedSearch.h"

const SearchEngine* SearchEngineBest();
