#include "modes/SearchRun.h"

#include "modes/IndividualValues.h"

#include <cstring>

// Rows are gathered up to this many bytes: few writes, each a system call.
constexpr size_t kRowTextBytes = size_t{1} << 20;

void SearchRunRelease(SearchRun& run) {
    SearchRunFlush(run);
    if (run.engineScratchFree) run.engineScratchFree(run.engineScratch);
    run.engineScratch = nullptr;
    run.engineScratchFree = nullptr;
}

void SearchRunFlush(SearchRun& run) {
    if (run.rowUsed == 0) return;
    if (run.sink)
        run.sink(run.sinkContext, run.rowText.data(), run.rowUsed);
    else if (run.resultFile)
        std::fwrite(run.rowText.data(), 1, run.rowUsed, run.resultFile);
    run.rowUsed = 0;
}

char* SearchRunRowBegin(SearchRun& run) {
    if (run.rowText.size() < kRowTextBytes) run.rowText.resize(kRowTextBytes);
    if (run.rowText.size() - run.rowUsed < kSearchRunRowMost) SearchRunFlush(run);
    return run.rowText.data() + run.rowUsed;
}

void SearchRunWrite(SearchRun& run, const char* bytes, size_t length) {
    if (length > kSearchRunRowMost) {
        SearchRunFlush(run);
        if (run.sink)
            run.sink(run.sinkContext, bytes, length);
        else if (run.resultFile)
            std::fwrite(bytes, 1, length, run.resultFile);
        return;
    }
    char* out = SearchRunRowBegin(run);
    std::memcpy(out, bytes, length);
    SearchRunRowEnd(run, out + length);
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
