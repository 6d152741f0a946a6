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

template <int rule, bool adjust>
inline void ShinyScreenRule(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const LcgScreenParams& p = *in.params;
    const ShinyScreenParams t = p.shiny;
    const int32_t rows = p.positions + kShinyReach;
    const BitRows shiny = scratch.Rows(rows), nature = scratch.Rows(rows);
    ForEachGroup(in.seeds, [&](int g, const SeedLanes& lanes) {
        for (int32_t r = 0; r < rows; ++r) {
            const V u = LcgDraw(lanes, in.rows[r]);
            shiny.Put(r, g, ShinyBits(ShinyPidLanes<rule, adjust>(Unbiased(u), t.ids), t.ids));
            if (t.natureTest) nature.Put(r, g, BitsWithin(u, t.nature));
        }
    });
    if (!t.natureTest) nature.Fill(rows);
    for (int32_t k = 0; k < p.positions; ++k) {
        const LaneSet pass = LaneSetAnd(shiny.Row(k + kShinyPidDraw), nature.Row(k + kShinyNatureDraw));
        out.pass[k] = pass;
        LaneSetAddTo(out.any, pass);
    }
}

inline void ShinyScreen(const LcgScreenInput& in, ScreenScratch& scratch, LcgScreenOutput& out) {
    const ShinyScreenParams& t = in.params->shiny;
    if (t.rule == kShinyEncounterEgg) {
        t.idAdjust ? ShinyScreenRule<kShinyEncounterEgg, true>(in, scratch, out)
                   : ShinyScreenRule<kShinyEncounterEgg, false>(in, scratch, out);
    } else if (t.rule == kShinyEncounterRoamer) {
        t.idAdjust ? ShinyScreenRule<kShinyEncounterRoamer, true>(in, scratch, out)
                   : ShinyScreenRule<kShinyEncounterRoamer, false>(in, scratch, out);
    } else {
        t.idAdjust ? ShinyScreenRule<kShinyEncounterFixed, true>(in, scratch, out)
                   : ShinyScreenRule<kShinyEncounterFixed, false>(in, scratch, out);
    }
}
