// The breeding search's draw screen. Included by the batch engines' kernel
// body (engine/EngineKernelBody.h) inside each backend. It cannot see the
// egg's values (they need the individual values of the MT side), so it lets
// a position pass when its nature, hidden ability, the parents' values of
// the inherited stats, the gender, the ability slot and the shiny test
// allow a row, and keeps for each lane the sets of inherited stats of the
// passing positions; the engine then checks the stream's values of the
// stats not inherited.

// Branch-free throughout: each switch of the settings is a 0/1 word, and
// the record of every lane is kept in lane arrays, one pick after the other,
// so that each lane loop is short, straight and vectorises. u holds the
// group's draws (not biased), row r of lane j at u[r * kW + j].
template <int firstPick>
inline void BreedingScreenGroup(const BreedingScreenParams& t, int32_t positions, const uint32_t* u,
                                uint32_t& anyBits, uint64_t* inheritedOut) {
    const int W = kW;
    alignas(64) uint32_t any[kW] = {};
    alignas(64) uint32_t low[kW] = {}, high[kW] = {};  // inherited-stat sets
    const uint32_t natureAny = static_cast<uint32_t>(t.natureRule == -1);
    const uint32_t natureBit = static_cast<uint32_t>(t.natureRule == 0);
    const uint32_t natureDraw = static_cast<uint32_t>(t.natureRule == 1);
    const uint32_t noAbilityTest = static_cast<uint32_t>(!t.abilityTest);
    const uint32_t noSlotTest = static_cast<uint32_t>(t.ability == 0);
    const uint32_t noShinyTest = static_cast<uint32_t>(!t.shinyTest);
    const int abilityRow = t.abilityDraw == 2 ? 2 : 1;
    const DrawRange natureRange = t.natureDraw, gender = t.gender;
    const uint32_t abilityLow = t.abilityLow, parentOk = t.parentOk;
    const uint32_t slot = t.ability, ids = t.ids;
    auto inRange = [](uint32_t v, DrawRange r) {
        return static_cast<uint32_t>(v >= r.lo) & static_cast<uint32_t>(v <= r.hi);
    };
    for (int32_t k = 0; k < positions; ++k) {
        const uint32_t* r = u + static_cast<size_t>(k) * W;
        alignas(64) uint32_t ok[kW], mask[kW], count[kW], parentsOk[kW], pidDraw[kW];
        const uint32_t* abilityDraws = r + abilityRow * W;
        for (int j = 0; j < W; ++j) {
            ok[j] = (natureAny | (natureBit & (r[kBreedingUnchangedDraw * W + j] >> 31)) |
                     (natureDraw & inRange(r[kBreedingNatureDraw * W + j], natureRange))) &
                    (noAbilityTest | static_cast<uint32_t>(abilityDraws[j] >= abilityLow));
            mask[j] = 0;
            count[j] = 0;
            parentsOk[j] = 1;
            pidDraw[j] = 0;
        }
        // Stat from draw q scaled to 6, parent from bit 31 of draw q + 1, a
        // repeated stat drawn again two draws on; the personality value's
        // draw follows the pick that completes the record.
        for (int i = 0; i < kBreedingPicks; ++i) {
            const uint32_t* statDraws = r + static_cast<size_t>(firstPick + kBreedingPickDraws * i) * W;
            const uint32_t* parentDraws = statDraws + W;
            const uint32_t* nextDraws = statDraws + kBreedingPickDraws * W;
            for (int j = 0; j < W; ++j) {
                // The stat as a one-hot bit from compares: GCC narrows these
                // small values to bytes, which have no per-lane shifts.
                const uint32_t stat = ScaledSmall(statDraws[j], 6);
                uint32_t bit = 0;
                for (uint32_t b = 0; b < 6; ++b) bit |= static_cast<uint32_t>(stat == b) << b;
                const uint32_t parentBits = (parentDraws[j] >> 31) ? parentOk >> 6 : parentOk;
                const uint32_t fresh = static_cast<uint32_t>(count[j] < 3) &
                                       static_cast<uint32_t>((mask[j] & bit) == 0);
                mask[j] |= bit & (0u - fresh);
                parentsOk[j] &= (fresh ^ 1u) | static_cast<uint32_t>((parentBits & bit) != 0);
                count[j] += fresh;
                const uint32_t last = fresh & static_cast<uint32_t>(count[j] == 3);
                pidDraw[j] ^= (pidDraw[j] ^ nextDraws[j]) & (0u - last);
            }
        }
        for (int j = 0; j < W; ++j) {
            const uint32_t unresolved = static_cast<uint32_t>(count[j] != 3);
            const uint32_t v = pidDraw[j] - static_cast<uint32_t>(pidDraw[j] != 0);
            const uint32_t record = parentsOk[j] & inRange(v & 0xFFu, gender) &
                                    (noSlotTest | static_cast<uint32_t>(((v >> 16) & 1u) + 1 == slot)) &
                                    (noShinyTest | ShinyTest(v, ids));
            const uint32_t pass = ok[j] & (record | unresolved);
            any[j] |= pass;
            // Bit mask of the 64-bit set, as two 32-bit halves.
            const uint32_t m = mask[j], all = 0u - unresolved, keep = 0u - pass;
            low[j] |= (static_cast<uint32_t>(m < 32) << (m & 31) | all) & keep;
            high[j] |= (static_cast<uint32_t>(m >= 32) << (m & 31) | all) & keep;
        }
    }
    anyBits = 0;
    for (int j = 0; j < W; ++j) {
        anyBits |= (any[j] != 0 ? 1u : 0u) << j;
        inheritedOut[j] = (static_cast<uint64_t>(high[j]) << 32) | low[j];
    }
}

inline void BreedingScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const BreedingScreenParams t = p.breeding;
    const int32_t rows = p.positions + BreedingScreenReach(t.firstPick);
    uint32_t* draws = scratch.Draws(rows * kW);
    const LcgJumpRow* jumps = in.rows;
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r) Store(draws + r * kW, Unbiased(LcgDraw(lanes, jumps[r])));
        uint32_t bits = 0;
        uint64_t* inherited = out.inherited + g * kW;
        // The first pick as a constant: 2 or 3 (a parent is ditto or not),
        // one more for "変わらず".
        if (t.firstPick == 2) BreedingScreenGroup<2>(t, p.positions, draws, bits, inherited);
        if (t.firstPick == 3) BreedingScreenGroup<3>(t, p.positions, draws, bits, inherited);
        if (t.firstPick == 4) BreedingScreenGroup<4>(t, p.positions, draws, bits, inherited);
        out.any.w[(g * kW) / 64] |= static_cast<uint64_t>(bits) << ((g * kW) % 64);
    });
}
