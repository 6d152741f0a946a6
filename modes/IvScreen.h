// The individual-value search's screen over MT words. Included by the batch
// engines' kernel body (engine/EngineKernelBody.h) inside each backend, after
// TemperTop5: the six values of every position within their bounds and with
// the wanted hidden power (breeding's prefilter uses the same terms).
//
// The screens read a private copy of their parameters and gather their
// results in a private array: stores through the byte-typed outputs could
// otherwise alias both, and the lane loops would stay scalar.

// Bounds and hidden power of six values, written out stat by stat so that
// the lane loops around it vectorise.
struct IvTerms {
    uint32_t low[6], high[6];
    uint32_t powerMinimum;
    uint32_t typeLow, typeHigh;
};

inline IvTerms IvTermsOf(const IvFilterTerms& filter) {
    IvTerms t;
    for (int i = 0; i < 6; ++i) {
        t.low[i] = filter.low[i];
        t.high[i] = filter.high[i];
    }
    t.powerMinimum = filter.powerMinimum;
    // Without a wanted type every parity sum 0..63 passes: no branch per lane.
    t.typeLow = filter.typeTest ? filter.typeLow : 0;
    t.typeHigh = filter.typeTest ? filter.typeHigh : 63;
    return t;
}

inline uint32_t IvStatPasses(const IvTerms& t, int i, uint32_t v, uint32_t& p, uint32_t& parity) {
    const uint32_t weight = static_cast<uint32_t>(kHiddenPowerWeights[i]);
    p += weight * ((v >> 1) & 1u);
    parity += weight * (v & 1u);
    return static_cast<uint32_t>(v >= t.low[i]) & static_cast<uint32_t>(v < t.high[i]);
}

inline uint32_t IvValuesPass(const IvTerms& t, uint32_t h, uint32_t a, uint32_t b, uint32_t c,
                             uint32_t d, uint32_t s) {
    uint32_t p = 0, parity = 0;
    uint32_t ok = IvStatPasses(t, 0, h, p, parity) & IvStatPasses(t, 1, a, p, parity) &
                  IvStatPasses(t, 2, b, p, parity) & IvStatPasses(t, 3, c, p, parity) &
                  IvStatPasses(t, 4, d, p, parity) & IvStatPasses(t, 5, s, p, parity);
    return ok & static_cast<uint32_t>(p >= t.powerMinimum) &
           static_cast<uint32_t>(parity >= t.typeLow) & static_cast<uint32_t>(parity <= t.typeHigh);
}


void IvScreenBody(const IvScreenParams& params, const uint32_t* words, uint8_t* ivs, uint8_t* pass,
                  uint8_t* out) {
    const IvScreenParams p = params;
    const int C = kLanesPerChunk;
    for (int32_t r = 0; r < p.rows; ++r) {
        alignas(64) uint8_t row[kLanesPerChunk];
        for (int j = 0; j < C; ++j) row[j] = static_cast<uint8_t>(TemperTop5(words[r * C + j]));
        std::memcpy(ivs + r * C, row, sizeof row);
    }
    alignas(64) uint32_t any[kLanesPerChunk] = {};
    const IvTerms terms = IvTermsOf(p.terms);
    for (int32_t c = 0; c < p.positions; ++c) {
        const uint8_t* h = ivs + (c + p.offsets[0]) * C;
        const uint8_t* a = ivs + (c + p.offsets[1]) * C;
        const uint8_t* b = ivs + (c + p.offsets[2]) * C;
        const uint8_t* cc = ivs + (c + p.offsets[3]) * C;
        const uint8_t* d = ivs + (c + p.offsets[4]) * C;
        const uint8_t* sp = ivs + (c + p.offsets[5]) * C;
        alignas(64) uint32_t passRow[kLanesPerChunk];
        for (int j = 0; j < C; ++j) {
            uint32_t ok = IvValuesPass(terms, h[j], a[j], b[j], cc[j], d[j], sp[j]);
            passRow[j] = ok;
            any[j] |= ok;
        }
        for (int j = 0; j < C; ++j) pass[c * C + j] = static_cast<uint8_t>(passRow[j]);
    }
    for (int j = 0; j < C; ++j) out[j] = static_cast<uint8_t>(any[j]);
}
