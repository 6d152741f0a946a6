// The shiny personality-value search's draw screen. Included by the batch
// engines' kernel body (engine/EngineKernelBody.h) inside each backend; it is
// exact for the personality-value positions: the nature of draw k + 1 when
// tested, and the personality value built from draw k by the encounter's rule
// shiny for the IDs.

// The personality value of draws d (not biased) for an encounter rule (1 egg,
// 2 roamer, 3 fixed), with the ID adjustment when asked for.
template <int rule, bool adjust>
inline V ShinyPidLanes(V d, uint32_t ids) {
    V v;
    if (rule == kShinyEncounterEgg) {
        v = Sub(Sub(d, Set1(1u)), Eq(d, Set1(0u)));  // d - 1, and 0 for 0
    } else if (rule == kShinyEncounterRoamer) {
        v = d;
    } else {
        v = Xor(d, Set1(0x10000u));
        v = Or(And(v, Set1(0x7FFFFFFFu)), Shl<31>(v));  // bit 31 becomes bit 0
    }
    if (adjust) v = Or(And(v, Set1(0x7FFFFFFFu)), Shl<31>(Xor(v, Set1(ids))));
    return v;
}

template <int rule, bool adjust, bool natureTest>
inline void ShinyScreenRule(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const ShinyScreenParams t = p.shiny;
    const int32_t rows = p.positions + kShinyReach;
    const V high13 = Set1(0xFFF8u), ids13 = Set1(t.ids & 0xFFF8u);
    const BitRows pass = scratch.Rows(p.positions);
    // The draws come less a shift, taken off the jump rows' additions once:
    // the bias, and for the egg without the adjustment the 1 its value is
    // less than the draw (draw 0 gives 0, but leaves the IDs alone as
    // d - 1 does). The nature's range moves with them.
    constexpr bool eggAsDrawLessOne = rule == kShinyEncounterEgg && !adjust;
    const uint32_t shift = eggAsDrawLessOne ? kDrawBias + 1u : kDrawBias;
    LcgJumpRow* jumps = reinterpret_cast<LcgJumpRow*>(scratch.Draws(rows * 4));
    for (int32_t r = 0; r < rows; ++r) {
        jumps[r] = in.rows[r];
        jumps[r].add -= static_cast<uint64_t>(shift) << 32;
    }
    DrawTest natureOf = DrawTestOf(t.nature);
    if (natureTest && !natureOf.keep) {
        ScreenPassesNothing(p.positions, out);
        return;
    }
    natureOf.lo = Sub(natureOf.lo, Set1(shift));
    static_assert(kShinyReach == 1, "the nature is the draw after the personality value's");
    auto shinyOf = [&](V d) {
        const V pid = eggAsDrawLessOne ? d : ShinyPidLanes<rule, adjust>(d, t.ids);
        return Eq(And(Xor(Shr<16>(pid), pid), high13), ids13);
    };
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        // The first row only begins a position: the loop has no test for it.
        V shinyBefore = shinyOf(LcgDraw(lanes, jumps[0]));  // the shiny lanes of the row before
        for (int32_t r = kShinyReach; r < rows; ++r) {
            const V d = LcgDraw(lanes, jumps[r]);
            V found = shinyBefore;
            if (natureTest) found = AndNot(TestMisses(d, natureOf), found);
            pass.Put(r - kShinyReach, g, SignBits(found));
            shinyBefore = shinyOf(d);
        }
    });
    ScreenOutputOf(pass, p.positions, out);
}

template <int rule, bool adjust>
inline void ShinyScreenAdjusted(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    in.params->shiny.natureTest ? ShinyScreenRule<rule, adjust, true>(in, scratch, out)
                                : ShinyScreenRule<rule, adjust, false>(in, scratch, out);
}

template <int rule>
inline void ShinyScreenOf(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    in.params->shiny.idAdjust ? ShinyScreenAdjusted<rule, true>(in, scratch, out)
                              : ShinyScreenAdjusted<rule, false>(in, scratch, out);
}

inline void ShinyScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const int32_t rule = in.params->shiny.rule;
    if (rule == kShinyEncounterEgg)
        ShinyScreenOf<kShinyEncounterEgg>(in, scratch, out);
    else if (rule == kShinyEncounterRoamer)
        ShinyScreenOf<kShinyEncounterRoamer>(in, scratch, out);
    else
        ShinyScreenOf<kShinyEncounterFixed>(in, scratch, out);
}
