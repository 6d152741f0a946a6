// The hidden grotto's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend, where the lane operations,
// bit rows and draw rows are defined; it is exact: position N passes when
// draw N appears, draw N + 1 falls in an allowed slot, draw N + 2 in the
// kind's band and draw N + 3 passes the female check.

// Lane bits of the draws whose slot (top two bits) is allowed in mask.
inline uint32_t GrottoSlotBits(V u, uint32_t slotMask) {
    // u is biased: its sign is the slot's high bit flipped; bit 30 is its low bit.
    const uint32_t high = ~GtBits(Set1(0), u) & kLaneBits;
    const uint32_t low = GtBits(Set1(0), Shl<1>(u));
    uint32_t bits = 0;
    for (uint32_t slot = 0; slot < 4; ++slot)
        if ((slotMask >> slot) & 1u)
            bits |= ((slot & 2u) ? high : ~high) & ((slot & 1u) ? low : ~low);
    return bits & kLaneBits;
}

// The slot and female tests only when the settings make them.
template <bool slotTest, bool femaleTest>
inline void GrottoScreenTests(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const GrottoScreenParams t = p.grotto;
    const LcgJumpRow* jumps = in.rows;
    const int32_t rows = p.positions + kGrottoReach;
    const DrawTest appearTest = DrawTestOf(t.appear), kindTest = DrawTestOf(t.kind);
    const DrawTest femaleTestOf = DrawTestOf(t.female);
    const BitRows appear = scratch.Rows(rows), kind = scratch.Rows(rows);
    const BitRows slot = scratch.Rows(rows), female = scratch.Rows(rows);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r) {
            const V u = LcgDraw(lanes, jumps[r]);
            appear.Put(r, g, TestBits(u, appearTest));
            kind.Put(r, g, TestBits(u, kindTest));
            if (slotTest) slot.Put(r, g, GrottoSlotBits(u, t.slotMask));
            if (femaleTest) female.Put(r, g, TestBits(u, femaleTestOf));
        }
    });
    if (!slotTest) slot.Fill(rows);
    if (!femaleTest) female.Fill(rows);
    for (int32_t k = 0; k < p.positions; ++k) {
        LaneSet pass = LaneSetAnd(appear.Row(k + kGrottoAppearDraw), slot.Row(k + kGrottoSlotDraw));
        pass = LaneSetAnd(LaneSetAnd(pass, kind.Row(k + kGrottoKindDraw)), female.Row(k + kGrottoFemaleDraw));
        out.pass[k] = pass;
        LaneSetAddTo(out.any, pass);
    }
}

inline void GrottoScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const GrottoScreenParams& t = in.params->grotto;
    const bool slotTest = (t.slotMask & 15u) != 15u, femaleTest = !DrawRangeAll(t.female);
    if (slotTest) {
        femaleTest ? GrottoScreenTests<true, true>(in, scratch, out) : GrottoScreenTests<true, false>(in, scratch, out);
    } else {
        femaleTest ? GrottoScreenTests<false, true>(in, scratch, out) : GrottoScreenTests<false, false>(in, scratch, out);
    }
}
