// The delivery search's draw screen. Included by the batch engines' kernel
// body (engine/EngineKernelBody.h) inside each backend; it is exact: the six
// values of draws V .. V + 5 within their bounds and with the wanted hidden
// power, the nature draw, and the personality value of draws V + 8 (and
// V + 9 for method 1) shiny when tested.

// The draws whose top five bits lie within low <= v < high.
inline DrawRange DeliveryStatDraws(uint32_t low, uint32_t high) {
    if (low >= high) return DrawRange{1, 0};
    return DrawRange{low << 27, high >= 32 ? 0xFFFFFFFFu : (high << 27) - 1u};
}

// Lane bits of the six values of draws d (biased, H..S) passing the hidden
// power's minimum and type: the weight sums of the values' remainder bits
// (bit 28 of a draw) and parity bits (bit 27).
inline uint32_t DeliveryPowerBits(const V (&d)[6], const IvFilterTerms& terms) {
    V p = Set1(0), parity = Set1(0);
    for (int i = 0; i < 6; ++i) {
        const uint32_t weight = static_cast<uint32_t>(kHiddenPowerWeights[i]);
        const V bitP = And(Shr<28>(d[i]), Set1(1u)), bitT = And(Shr<27>(d[i]), Set1(1u));
        p = Add(p, MulLo(bitP, Set1(weight)));
        parity = Add(parity, MulLo(bitT, Set1(weight)));
    }
    uint32_t bits = ~GtBits(Set1(terms.powerMinimum), p) & kLaneBits;
    if (terms.typeTest)
        bits &= ~GtBits(Set1(terms.typeLow), parity) & ~GtBits(parity, Set1(terms.typeHigh)) & kLaneBits;
    return bits;
}

inline void DeliveryScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const DeliveryScreenParams t = p.delivery;
    const int32_t positions = p.positions;
    const int32_t rows = positions + DeliveryReach(t.method);
    const bool powerTest = t.iv.powerMinimum > 0 || t.iv.typeTest;
    // One bit row per distinct pair of bounds.
    DrawRange bounds[6];
    int statRow[6], distinct = 0;
    for (int i = 0; i < 6; ++i) {
        const DrawRange r = DeliveryStatDraws(t.iv.low[i], t.iv.high[i]);
        statRow[i] = -1;
        for (int j = 0; j < distinct; ++j)
            if (bounds[j].lo == r.lo && bounds[j].hi == r.hi) statRow[i] = j;
        if (statRow[i] < 0) {
            bounds[distinct] = r;
            statRow[i] = distinct++;
        }
    }
    BitRows stat[6];
    DrawTest statTests[6];
    for (int j = 0; j < distinct; ++j) {
        stat[j] = scratch.Rows(rows);
        statTests[j] = DrawTestOf(bounds[j]);
    }
    const DrawTest natureOf = DrawTestOf(t.nature);
    const LcgJumpRow* jumps = in.rows;
    const BitRows nature = scratch.Rows(rows), power = scratch.Rows(positions), shiny = scratch.Rows(positions);
    const bool natureTested = !DrawRangeAll(t.nature);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        V d[10];  // the last ten draws, d[9] the newest
        for (V& v : d) v = Set1(0);
        for (int32_t r = 0; r < rows; ++r) {
            ShiftDown(d);
            d[9] = LcgDraw(lanes, jumps[r]);
            for (int j = 0; j < distinct; ++j) stat[j].Put(r, g, TestBits(d[9], statTests[j]));
            if (natureTested && !in.natureRows) nature.Put(r, g, TestBits(d[9], natureOf));
            const int32_t k = r - kDeliveryIvReach;  // the position whose six values end here
            if (powerTest && k >= 0 && k < positions) {
                const V six[6] = {d[4], d[5], d[6], d[7], d[8], d[9]};
                power.Put(k, g, DeliveryPowerBits(six, t.iv));
            }
            const int32_t s = r - kDeliveryShinyReach;  // the position whose shiny draws end here
            if (t.method > 0 && s >= 0) {
                V pid = Unbiased(d[9 - (kDeliveryShinyReach - kDeliveryPidDraw)]);
                if (t.method == 1)
                    pid = Or(And(pid, Set1(0xFFFFFF00u)), ScaledSmall(Unbiased(d[9]), 126u));
                shiny.Put(s, g, ShinyBits(pid, t.ids));
            }
        }
        // A nature beyond the window's reach: its own row per position.
        if (natureTested && in.natureRows)
            for (int32_t k = 0; k < positions; ++k)
                nature.Put(k, g, TestBits(LcgDraw(lanes, in.natureRows[k]), natureOf));
    });
    if (!natureTested) nature.Fill(rows);
    if (!powerTest) power.Fill(positions);
    if (t.method == 0) shiny.Fill(positions);
    const int32_t natureOffset = in.natureRows ? 0 : t.natureOffset;
    for (int32_t k = 0; k < positions; ++k) {
        LaneSet pass = LaneSetAnd(power.Row(k), shiny.Row(k));
        pass = LaneSetAnd(pass, nature.Row(k + natureOffset));
        for (int i = 0; i < 6; ++i) pass = LaneSetAnd(pass, stat[statRow[i]].Row(k + kDeliveryIvDraw + i));
        out.pass[k] = pass;
        LaneSetAddTo(out.any, pass);
    }
}
