#include "modes/SearchRun.h"

#include "modes/IndividualValues.h"
#include "modes/SearchModes.h"

void SearchRunInit(SearchRun& run, const SearchSettings& settings) {
    run.settings = &settings;
    run.mode = SearchModeOf(settings);
    run.pidEnd = settings.pidConsumptionEnd > kPidConsumptionEndLimit ? kPidConsumptionEndLimit
                                                                      : settings.pidConsumptionEnd;
    run.resultFile = nullptr;
    run.sink = nullptr;
    run.sinkContext = nullptr;
    run.candidateCount = 0;
    run.prefix = SeedMessagePrefixOf(StartupParametersOf(settings));
    LcgStreamInit(run.lcg, kLcgCapacity);
    run.engineScratch = nullptr;
    run.engineScratchFree = nullptr;
}

void SearchRunRelease(SearchRun& run) {
    if (run.engineScratchFree) run.engineScratchFree(run.engineScratch);
    run.engineScratch = nullptr;
    run.engineScratchFree = nullptr;
}

void SearchRunWrite(SearchRun& run, const char* bytes, size_t length) {
    if (run.sink)
        run.sink(run.sinkContext, bytes, length);
    else if (run.resultFile)
        std::fwrite(bytes, 1, length, run.resultFile);
}

int32_t SearchRunIvStart(const SearchRun& run) {
    int32_t start = run.settings->ivConsumptionStart;
    return start < 0 ? 0 : start;
}

int32_t SearchRunIvEnd(const SearchRun& run) {
    int32_t end = run.settings->ivConsumptionEnd;
    int32_t limit = kMtSize - 1 - IvOutputReach(run.settings->roamerEnabled);
    return end > limit ? limit : end;
}

int32_t SearchRunDeliveryOffset(const SearchRun& run) {
    int32_t p = run.settings->deliveryNatureOffset;
    if (p < 0) return 0;
    return p > kDeliveryNatureOffsetLimit ? kDeliveryNatureOffsetLimit : p;
}
