#include "modes/SearchRun.h"

#include "modes/IndividualValues.h"

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
