// The comet shard's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend; it is exact: the five
// tests of a position on the draws from its base on.

// The band test of a jump row's draw for one seed, for the few lanes the
// screen looks at one by one.
inline bool CometBandDrawAccepts(const LcgJumpRow& row, uint64_t seed) {
    return CometBandAccepts(ScaledDraw(LcgJumpRowDraw(row, seed), 1600));
}

// Only the two last draws are tested on every row, in vectors: together
// they leave a position in about one of 10,000 (with compound eyes one of
// 400), and those positions take the roll and the two band draws one lane
// at a time. Rows before the first last draw are not drawn at all.
inline void CometScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const CometScreenParams t = p.comet;
    const LcgJumpRow* jumps = in.rows;
    const int32_t first = t.base + kCometLastDraw1;
    const int32_t rows = p.positions + kCometLastDraw2 - kCometLastDraw1;
    const DrawTest lastTest = DrawTestOf(t.last);
    if (!lastTest.keep) {
        ScreenPassesNothing(p.positions, out);
        return;
    }
    // Each row keeps its misses.
    const BitRows last = scratch.Rows(rows);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r)
            last.Put(r, g, SignBits(TestMisses(LcgDraw(lanes, jumps[first + r]), lastTest)));
    });
    for (int32_t k = 0; k < p.positions; ++k) {
        const int32_t b = k + t.base;
        const LaneSet l1 = last.Row(k), l2 = last.Row(k + kCometLastDraw2 - kCometLastDraw1);
        for (int i = 0; i < kEngineChunk / 64; ++i) {
            uint64_t pass = ~(l1.w[i] | l2.w[i]);
            for (uint64_t lanes = pass; lanes; lanes &= lanes - 1) {
                const uint64_t seed = in.seeds[i * 64 + __builtin_ctzll(lanes)];
                if (!CometRollAccepts(LcgJumpRowDraw(jumps[b + kCometRollDraw], seed)) ||
                    !CometBandDrawAccepts(jumps[b + kCometBandDraw1], seed) ||
                    !CometBandDrawAccepts(jumps[b + kCometBandDraw2], seed))
                    pass &= ~(lanes & (0 - lanes));
            }
            out.pass[k].w[i] = pass;
            out.any.w[i] |= pass;
        }
    }
}
