// The hidden grotto's draw screen. Included by the batch engines' kernel body
// (engine/EngineKernelBody.h) inside each backend, where the lane operations,
// bit rows and draw rows are defined; it is exact: position N passes when
// draw N appears, draw N + 1 falls in an allowed slot, draw N + 2 in the
// kind's band and draw N + 3 passes the female check.

// All-ones lanes where the draw's slot (its top two bits) is not allowed.
inline V GrottoSlotMisses(V u, uint32_t slotMask) {
    // u is biased: its sign is the slot's high bit flipped; bit 30 is its low bit.
    const V high = Gt(u, Set1(~0u)), low = Gt(Set1(0), Shl<1>(u));
    V misses = Set1(0);
    for (uint32_t slot = 0; slot < 4; ++slot) {
        if ((slotMask >> slot) & 1u) continue;
        const V h = (slot & 2u) ? high : Xor(high, Set1(~0u));
        const V l = (slot & 1u) ? low : Xor(low, Set1(~0u));
        misses = Or(misses, And(h, l));
    }
    return misses;
}

// Each draw row's misses join the positions they belong to through delay
// lines: at row r the position r - 3 is complete. Every row's bits are
// written, the first three (no position yet) to rows before the positions'.
// The slot and female tests only when the settings make them.
template <bool slotTest, bool femaleTest>
inline void GrottoScreenTests(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const GrottoScreenParams t = p.grotto;
    const LcgJumpRow* jumps = in.rows;
    const int32_t rows = p.positions + kGrottoReach;
    const DrawTest appearTest = DrawTestOf(t.appear), kindTest = DrawTestOf(t.kind);
    const DrawTest female = DrawTestOf(t.female);
    if (!appearTest.keep || !kindTest.keep || (femaleTest && !female.keep)) {
        ScreenPassesNothing(p.positions, out);
        return;
    }
    const BitRows bits = scratch.Rows(rows);
    const BitRows pass{bits.bytes + kGrottoReach * kChunkBytes};
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        // appear[i]: the appearance misses of row r - i; slot and kind alike.
        V appear1 = Set1(0), appear2 = Set1(0), appear3 = Set1(0), slot1 = Set1(0), slot2 = Set1(0),
          kind1 = Set1(0);
        for (int32_t r = 0; r < rows; ++r) {
            const V u = LcgDraw(lanes, jumps[r]);
            V misses = Or(appear3, kind1);
            if (slotTest) misses = Or(misses, slot2);
            if (femaleTest) misses = Or(misses, TestMissesFromZero(u, female));
            bits.Put(r, g, ~SignBits(misses) & kLaneBits);
            appear3 = appear2;
            appear2 = appear1;
            appear1 = TestMissesFromZero(u, appearTest);
            if (slotTest) {
                slot2 = slot1;
                slot1 = GrottoSlotMisses(u, t.slotMask);
            }
            kind1 = TestMisses(u, kindTest);
        }
    });
    ScreenOutputOf(pass, p.positions, out);
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
