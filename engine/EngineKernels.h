// The kernels of the batch engines, one family per backend: the digest and
// initial seeds of a batch, the MT words a mode reads, LCG draw windows and
// the screens that find the candidates worth handing to a mode. Every array
// is lane-major: row r holds kEngineChunk lanes, so row r of lane j sits at
// [r * kEngineChunk + j]. Only SearchEngine.cpp decides which family runs.
#pragma once

#include <cstdint>

#include "seed/RandomStreams.h"

// Lanes of one kernel call; a batch is cut into chunks of this many
// candidates (the last one padded by repeating its last candidate).
constexpr int32_t kEngineChunk = 128;

// Message words of one batch: W0..W7 fixed for the search, then per lane the
// date (W8), time (W9) and key (W12) words. count is a multiple of the chunk.
struct Sha1BatchInput {
    uint32_t prefix[8];
    const uint32_t* w8;
    const uint32_t* w9;
    const uint32_t* w12;
    int32_t count;
};

// Individual values of consumption positions c = 0 .. positions - 1 of a
// window of MT words (word row c + offsets[i] is stat i of position c).
struct IvScreenParams {
    int32_t positions;
    int32_t rows;          // word rows in the window: positions + 5 (roamer 6)
    int32_t offsets[6];    // H A B C D S
    uint8_t low[6];        // low <= iv
    uint8_t high[6];       // iv < high
    uint8_t powerMinimum;  // hidden-power weight sum p must be at least this
    bool typeTest;
    uint8_t typeLow, typeHigh;  // parity weight sum t within, both inclusive
};

enum LcgScreenKind : int32_t {
    kScreenGrotto,
    kScreenComet,
    kScreenDome,
    kScreenDelivery,
    kScreenShiny,
    kScreenBreeding,
};

// One screen over positions 0 .. positions - 1 of a draw window (draw row r
// of the window is LCG index pidStart + r). A lane passes when any position
// might give a row; the screens are exact except breeding's, which cannot
// see the individual values and the hidden power of the egg.
constexpr uint32_t kDomeNoTrainer = 0xFFu;
struct LcgScreenParams {
    int32_t kind;
    int32_t positions;
    // grotto: first value, kind value, female value; slot flags by U >> 30.
    DrawRange grottoFirst, grottoKind, grottoFemale;
    uint32_t grottoSlotMask;
    // comet: base row offset (0 or 1), first test, the three 1600 bands, last two tests.
    int32_t cometBase;
    DrawRange cometFirst, cometBand[3], cometLast;
    // dome: the trainer index each choice requires (kDomeNoTrainer: none).
    uint32_t domeTrainer[6];
    int32_t domeWidth;  // rows need a run of domeWidth + 1 satisfied positions
    // delivery: nature from a second window (natureRows), individual values,
    // hidden power and shiny test as the IV screen; method 0, 1 or 2.
    DrawRange deliveryNature;
    uint8_t ivLow[6], ivHigh[6], powerMinimum;
    bool typeTest;
    uint8_t typeLow, typeHigh;
    int32_t deliveryMethod;
    // shiny: nature from row k + 1; personality value rule and ID adjustment.
    bool shinyNatureTest;
    DrawRange shinyNature;
    int32_t shinyRule;  // 1 egg, 2 roamer, 3 fixed
    bool shinyIdAdjust;
    uint32_t shinyIds;  // trainer ID XOR secret ID
    uint32_t deliveryIds;
    // breeding: nature rule (-1 any, 0 bit 31 of row n + 1, 1 draw n in
    // breedingNature), hidden-ability draw at row n + breedingAbilityRow;
    // then the inheritance picks from row n + breedingFirstPick, the
    // parents' values of the inherited stats, gender, ability and shiny test
    // of the personality value after the last pick.
    int32_t breedingNatureRule;
    DrawRange breedingNatureDraw;
    bool breedingAbilityTest;
    int32_t breedingAbilityRow;
    uint32_t breedingAbilityLow;
    int32_t breedingFirstPick;
    uint32_t breedingParentOk;  // bit parent * 6 + stat: that value lies within the bounds
    DrawRange breedingGender;   // accepted lowest bytes of the personality value
    uint32_t breedingAbility;   // 1 or 2: the ability slot required; 0: any
    bool breedingShinyTest;
};

// Inheritance picks the breeding screen follows; a record still short of
// three stats after them lets its position pass.
constexpr int32_t kBreedingPicks = 8;

struct EngineKernels {
    const char* name;
    // seeds[i] = initial seed of lane i, for in.count lanes.
    void (*sha1Seeds)(const Sha1BatchInput& in, uint64_t* seeds);
    // Regenerated MT words lo..hi (0 <= lo <= hi <= 623) of one chunk, row
    // k - lo; scratch holds kMtSize rows of the chunk.
    void (*mtWords)(const uint64_t* seeds, int32_t lo, int32_t hi, uint32_t* words,
                    uint32_t* scratch);
    // Draws U[j] (row j, 0 <= j < rows) of LCG states seed * mul + add stepped on.
    void (*lcgWindow)(const uint64_t* seeds, uint64_t mul, uint64_t add, int32_t rows,
                      uint32_t* u);
    // Individual values of every word row into ivs, the positions' pass flags
    // into pass (row c) and any[lane] = some position passed.
    void (*ivScreen)(const IvScreenParams& p, const uint32_t* words, uint8_t* ivs, uint8_t* pass,
                     uint8_t* any);
    // any[lane] = some position might give a row. natureRows: delivery only.
    // inherited (breeding only, else unused): per lane, bit m set when a
    // passing position inherits exactly the stats of 6-bit mask m.
    void (*lcgScreen)(const LcgScreenParams& p, const uint32_t* rows, const uint32_t* natureRows,
                      uint8_t* any, uint64_t* inherited);
};

// Declared whatever the build holds; only SearchEngine.cpp refers to them,
// and only to those the build defines (MORVANE_HAVE_AVX2 and the like).
extern const EngineKernels kEngineKernelsPortable;
extern const EngineKernels kEngineKernelsAvx2;
extern const EngineKernels kEngineKernelsAvx512;
// The digest with the SHA instructions, four messages at a time.
void Sha1SeedsShani(const Sha1BatchInput& in, uint64_t* seeds);

// Initial seed from the first two digest words.
// Internal linkage: every backend keeps its own copy, compiled with its flags.
static inline uint64_t EngineSeedOfDigest(uint32_t h0, uint32_t h1) {
    uint64_t d = (static_cast<uint64_t>(__builtin_bswap32(h1)) << 32) | __builtin_bswap32(h0);
    return d * 0x5D588B656C078965ull + 0x269EC3ull;
}
