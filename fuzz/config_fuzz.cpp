// "config.txt" holding any bytes: the load must take it, and "保存" must
// write what was loaded in a form that loads the same again: the console
// fields the capture reads and the version it selects. A second save of
// that writes the same bytes.
#include <cstddef>
#include <cstdint>

#include "app/Capture.h"
#include "app/ConfigFile.h"
#include "fuzz/fuzz_support.h"
#include "tests/ui/fake_controls.h"

namespace {

struct Loaded {
    FakeControls fake;
    SearchSettings settings;
};

void Load(const std::string& path, Loaded& loaded) {
    SearchSettingsInit(loaded.settings);
    ConfigFileLoad(path.c_str(), FakeControlsAccess(loaded.fake), loaded.settings);
}

bool SameConsole(const ConsoleFields& a, const ConsoleFields& b) {
    if (a.vCount != b.vCount || a.timer0 != b.timer0 || a.gxStat != b.gxStat || a.frame != b.frame)
        return false;
    for (int i = 0; i < 6; ++i)
        if (a.mac[i] != b.mac[i]) return false;
    return true;
}

// The words a search uses.
bool SameVersionInForce(const VersionConstants& a, const VersionConstants& b) {
    if (a.fiveWordVersion != b.fiveWordVersion) return false;
    if (!a.fiveWordVersion) return a.versionWord == b.versionWord;
    return std::memcmp(a.versionWords, b.versionWords, sizeof a.versionWords) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string original = FuzzScratchPath("config.txt");
    const std::string saved = FuzzScratchPath("saved.txt");
    const std::string resaved = FuzzScratchPath("resaved.txt");
    FuzzWriteFile(original, data, size);

    Loaded first;
    Load(original, first);
    ConfigFileSave(saved.c_str(), FakeControlsAccess(first.fake));
    Loaded second;
    Load(saved, second);
    ConfigFileSave(resaved.c_str(), FakeControlsAccess(second.fake));

    const ControlAccess a = FakeControlsAccess(first.fake), b = FakeControlsAccess(second.fake);
    FUZZ_CHECK(SameConsole(ConsoleFieldsRead(a), ConsoleFieldsRead(b)));
    const int version = VersionButtonSelected(a);
    FUZZ_CHECK(version == VersionButtonSelected(b));
    // With no button selected the save writes no version line, so only the
    // first load holds words from the file.
    if (version >= 0) FUZZ_CHECK(SameVersionInForce(first.settings.version, second.settings.version));

    // The capture of both windows gives the same console words.
    SearchSettings capturedFirst = first.settings, capturedSecond = second.settings;
    CaptureMainWindow(a, capturedFirst);
    CaptureMainWindow(b, capturedSecond);
    FUZZ_CHECK(capturedFirst.MacWord6 == capturedSecond.MacWord6);
    FUZZ_CHECK(capturedFirst.MacWord7 == capturedSecond.MacWord7);

    FUZZ_CHECK(FuzzReadFile(saved) == FuzzReadFile(resaved));
    return 0;
}
