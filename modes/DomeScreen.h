// The dome's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend; it is exact: a position
// passes when it and the width positions before it (all within the range)
// pick every chosen trainer, which is where the dome search writes a row.

// The six trainer indices picked by draws d[0..5] (not biased), lane by lane.
// Pick t is the k-th index left, k its draw scaled to 52 - t. Kept as q, the
// earlier picks each less the number of picks below it, pick t is
// k + t - #(q > k), after which every q above k moves down one and k joins.
inline void DomePickLanes(const V (&d)[kDomePicks], V (&pick)[kDomePicks]) {
    V q[kDomePicks];
    for (int t = 0; t < kDomePicks; ++t) {
        const V k = ScaledSmall(d[t], static_cast<uint32_t>(kDomeTrainerCount - t));
        V v = Add(k, Set1(static_cast<uint32_t>(t)));
        for (int i = 0; i < t; ++i) {
            const V above = Gt(q[i], k);  // all ones: subtracts one
            v = Add(v, above);
            q[i] = Add(q[i], above);
        }
        q[t] = k;
        pick[t] = v;
    }
}

inline void DomeScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const DomeScreenParams t = p.dome;
    const int32_t positions = p.positions;
    uint32_t required[6];
    int32_t count = 0;
    for (int q = 0; q < 6; ++q)
        if (t.trainer[q] != kDomeNoTrainer) required[count++] = t.trainer[q];
    const BitRows satisfied = scratch.Rows(positions);
    const LcgJumpRow* jumps = in.rows;
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        V d[kDomePicks];
        for (int32_t r = 0; r < kDomeReach; ++r) d[r + 1] = Unbiased(LcgDraw(lanes, jumps[r]));
        for (int32_t k = 0; k < positions; ++k) {
            ShiftDown(d);
            d[kDomePicks - 1] = Unbiased(LcgDraw(lanes, jumps[k + kDomeReach]));
            V pick[kDomePicks];
            DomePickLanes(d, pick);
            uint32_t bits = kLaneBits;
            for (int q = 0; q < count; ++q) {
                const V trainer = Set1(required[q]);
                uint32_t found = 0;
                for (int s = 0; s < kDomePicks; ++s) found |= EqBits(pick[s], trainer);
                bits &= found;
            }
            satisfied.Put(k, g, bits);
        }
    });
    // Position k passes when positions k - width .. k are all satisfied:
    // windows of doubling length, joined by the binary digits of width + 1.
    LaneSet* window = reinterpret_cast<LaneSet*>(scratch.Draws(positions * (sizeof(LaneSet) / 4)));
    LaneSet* run = reinterpret_cast<LaneSet*>(scratch.Draws(positions * (sizeof(LaneSet) / 4)));
    const int64_t length = int64_t{t.width} + 1;
    for (int32_t k = 0; k < positions; ++k) {
        window[k] = satisfied.Row(k);
        std::memset(&run[k], 0xFF, sizeof(LaneSet));
    }
    int64_t covered = 0;  // run[k] holds positions k - covered + 1 .. k
    for (int64_t span = 1; span <= length && span <= positions; span *= 2) {
        if (length & span) {
            for (int32_t k = positions - 1; k >= 0; --k)
                run[k] = k - covered >= 0 ? LaneSetAnd(run[k], window[k - covered]) : LaneSet{};
            covered += span;
        }
        for (int32_t k = positions - 1; k >= 0; --k)
            window[k] = k - span >= 0 ? LaneSetAnd(window[k], window[k - span]) : LaneSet{};
    }
    for (int32_t k = 0; k < positions; ++k) {
        out.pass[k] = covered == length ? run[k] : LaneSet{};
        LaneSetAddTo(out.any, out.pass[k]);
    }
}
