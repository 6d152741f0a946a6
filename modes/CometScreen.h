// The comet shard's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend; it is exact: the five
// tests of a position on the draws from its base on.

// The band test of a jump row's draw for one seed, for the few lanes the
// screen looks at one by one.
inline bool CometBandDrawAccepts(const LcgJumpRow& row, uint64_t seed) {
    return CometBandAccepts(ScaledDraw(static_cast<uint32_t>(LcgJumpRowState(row, seed) >> 32), 1600));
}

// The roll and the two last draws are tested on every row, in vectors; they
// leave a position in about one of 6,000 (with compound eyes one of 250),
// and those positions take their two band draws one lane at a time.
inline void CometScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const CometScreenParams t = p.comet;
    const LcgJumpRow* jumps = in.rows;
    const int32_t rows = p.positions + t.base + kCometReach;
    const DrawTest rollTest = DrawTestOf(t.roll), lastTest = DrawTestOf(t.last);
    // Each row keeps its misses.
    const BitRows roll = scratch.Rows(rows), last = scratch.Rows(rows);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r) {
            const V u = LcgDraw(lanes, jumps[r]);
            roll.Put(r, g, SignBits(TestMissesFromZero(u, rollTest)));  // the roll is from 0
            last.Put(r, g, SignBits(TestMisses(u, lastTest)));
        }
    });
    for (int32_t k = 0; k < p.positions; ++k) {
        const int32_t b = k + t.base;
        const LaneSet r0 = roll.Row(b + kCometRollDraw), l1 = last.Row(b + kCometLastDraw1),
                      l2 = last.Row(b + kCometLastDraw2);
        for (int i = 0; i < kEngineChunk / 64; ++i) {
            uint64_t pass = ~(r0.w[i] | l1.w[i] | l2.w[i]);
            for (uint64_t lanes = pass; lanes; lanes &= lanes - 1) {
                const uint64_t seed = in.seeds[i * 64 + __builtin_ctzll(lanes)];
                if (!CometBandDrawAccepts(jumps[b + kCometBandDraw1], seed) ||
                    !CometBandDrawAccepts(jumps[b + kCometBandDraw2], seed))
                    pass &= ~(lanes & (0 - lanes));
            }
            out.pass[k].w[i] = pass;
            out.any.w[i] |= pass;
        }
    }
}
