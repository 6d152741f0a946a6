// The comet shard's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend; it is exact: the five
// tests of a position on the draws from its base on.

inline void CometScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const CometScreenParams t = p.comet;
    const LcgJumpRow* jumps = in.rows;
    const int32_t rows = p.positions + t.base + kCometReach;
    const DrawTest rollTest = DrawTestOf(t.roll), lastTest = DrawTestOf(t.last);
    const DrawTest bandTests[3] = {DrawTestOf(t.band[0]), DrawTestOf(t.band[1]), DrawTestOf(t.band[2])};
    const BitRows roll = scratch.Rows(rows), band = scratch.Rows(rows), last = scratch.Rows(rows);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r) {
            const V u = LcgDraw(lanes, jumps[r]);
            roll.Put(r, g, TestBits(u, rollTest));
            band.Put(r, g, TestBits(u, bandTests[0]) | TestBits(u, bandTests[1]) | TestBits(u, bandTests[2]));
            last.Put(r, g, TestBits(u, lastTest));
        }
    });
    for (int32_t k = 0; k < p.positions; ++k) {
        const int32_t b = k + t.base;
        LaneSet pass = LaneSetAnd(roll.Row(b + kCometRollDraw), band.Row(b + kCometBandDraw1));
        pass = LaneSetAnd(pass, band.Row(b + kCometBandDraw2));
        pass = LaneSetAnd(LaneSetAnd(pass, last.Row(b + kCometLastDraw1)), last.Row(b + kCometLastDraw2));
        out.pass[k] = pass;
        LaneSetAddTo(out.any, pass);
    }
}
