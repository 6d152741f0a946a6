// A settings file holding any bytes. The reader refuses it with a message
// that names one of its lines ("file:N: ..."), or takes it; what it took is
// written as a settings file that reads back into the same record, and
// whose second writing gives the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "modes/SettingsFields.h"

namespace {

constexpr char kPath[] = "fuzzed.txt";

// What the command line has before a file is read, with the dates a search
// gives (the window's empty dates read 0, which no file may hold).
void BaseRecord(SettingsRecord& record) {
    SettingsRecordInit(record);
    record.search.startYear = record.search.endYear = 12;
    record.search.startMonth = record.search.endMonth = 11;
    record.search.startDay = record.search.endDay = 29;
}

// Lines as the reader counts them: every '\n' ends one, and a last line
// without one counts too.
size_t LineCount(const std::string& text) {
    size_t lines = 0;
    for (char c : text) lines += c == '\n' ? 1 : 0;
    return lines + (!text.empty() && text.back() != '\n' ? 1 : 0);
}

// "fuzzed.txt:N: " with N a line of the text.
bool NamesALine(const std::string& error, size_t lines) {
    const std::string prefix = std::string(kPath) + ":";
    if (error.compare(0, prefix.size(), prefix) != 0) return false;
    size_t at = prefix.size();
    uint64_t line = 0;
    for (; at < error.size() && error[at] >= '0' && error[at] <= '9' && line <= lines; ++at)
        line = line * 10 + static_cast<uint64_t>(error[at] - '0');
    return at > prefix.size() && line >= 1 && line <= lines && error.compare(at, 2, ": ") == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    SettingsRecord record;
    BaseRecord(record);
    SettingsOrigins origins = SettingsOriginsNone();
    std::string error;
    if (!SettingsTextRead(text, kPath, record, origins, error)) {
        FUZZ_CHECK(NamesALine(error, LineCount(text)));
        return 0;
    }
    const std::string saved = SettingsText(record);
    SettingsRecord again;
    BaseRecord(again);
    SettingsOrigins againOrigins = SettingsOriginsNone();
    FUZZ_CHECK(SettingsTextRead(saved, kPath, again, againOrigins, error));
    FUZZ_CHECK(SettingsText(again) == saved);
    for (const std::string& origin : againOrigins) FUZZ_CHECK(!origin.empty());  // every field written
    return 0;
}
