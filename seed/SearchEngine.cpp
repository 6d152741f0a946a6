#include "seed/SearchEngine.h"

const SearchEngine* SearchEngineBest() { return &kPlainEngine; }
