// The individual-value search's screen over MT words. Included by the batch
// engines' kernel body (engine/EngineKernelBody.h) inside each backend, with
// the draw screens: the six values of every position within their bounds and
// with the wanted hidden power (breeding's prefilter uses the same terms).
//
// The same terms as vectors: lane bits of six values of the lanes (0..31,
// one value in each 32-bit lane) within their bounds and, when the filter
// asks for it, with the wanted hidden power.
struct IvLaneTerms {
    V above[6], below[6];  // low - 1 < v < high
    V powerAbove;          // powerMinimum - 1 < p
    V typeAbove, typeBelow;
    bool powerTest;
};

inline IvLaneTerms IvLaneTermsOf(const IvFilterTerms& filter) {
    IvLaneTerms t;
    for (int i = 0; i < 6; ++i) {
        t.above[i] = Set1(static_cast<uint32_t>(filter.low[i]) - 1u);
        t.below[i] = Set1(filter.high[i]);
    }
    t.powerTest = filter.powerMinimum > 0 || filter.typeTest;
    t.powerAbove = Set1(static_cast<uint32_t>(filter.powerMinimum) - 1u);
    t.typeAbove = Set1(filter.typeTest ? static_cast<uint32_t>(filter.typeLow) - 1u : ~0u);
    t.typeBelow = Set1(filter.typeTest ? filter.typeHigh + 1u : 64u);
    return t;
}

inline uint32_t IvLanesPass(const IvLaneTerms& t, const V (&v)[6]) {
    V ok = And(Gt(v[0], t.above[0]), Gt(t.below[0], v[0]));
    for (int i = 1; i < 6; ++i) ok = And(ok, And(Gt(v[i], t.above[i]), Gt(t.below[i], v[i])));
    if (t.powerTest) {
        // The weight sums of the remainder bits (bit 1) and the parity bits
        // (bit 0); every weight is a power of two.
        V p = Set1(0), parity = Set1(0);
        for (int i = 0; i < 6; ++i) {
            const uint32_t weight = static_cast<uint32_t>(kHiddenPowerWeights[i]);
            p = Add(p, MulLo(And(Shr<1>(v[i]), Set1(1u)), Set1(weight)));
            parity = Add(parity, MulLo(And(v[i], Set1(1u)), Set1(weight)));
        }
        ok = And(ok, And(Gt(p, t.powerAbove), And(Gt(parity, t.typeAbove), Gt(t.typeBelow, parity))));
    }
    return SignBits(ok);  // the all-ones lanes
}

// Individual values of every word row into ivs (row r of the chunk), the
// positions' lanes into pass[c] and those of any position into any.
void IvScreenBody(const IvScreenParams& params, const uint32_t* words, uint32_t* ivs, LaneSet* pass,
                  LaneSet& any) {
    const IvScreenParams p = params;
    const int C = kLanesPerChunk;
    const IvLaneTerms terms = IvLaneTermsOf(p.terms);
    BitRows bits{reinterpret_cast<uint8_t*>(pass)};
    for (int g = 0; g < kGroups; ++g) {
        for (int32_t r = 0; r < p.rows; ++r)
            Store(ivs + r * C + g * kW, TemperTop5(Load(words + r * C + g * kW)));
        for (int32_t c = 0; c < p.positions; ++c) {
            V v[6];
            for (int i = 0; i < 6; ++i) v[i] = Load(ivs + (c + p.offsets[i]) * C + g * kW);
            bits.Put(c, g, IvLanesPass(terms, v));
        }
    }
    any = LaneSet{};
    for (int32_t c = 0; c < p.positions; ++c) LaneSetAddTo(any, pass[c]);
}
