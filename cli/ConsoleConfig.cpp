#include "cli/ConsoleConfig.h"

#include <cstdio>
#include <map>

#include "app/Capture.h"
#include "app/ConfigFile.h"

namespace {

// The main window's controls as far as the configuration file and the
// console capture use them: texts and check states by control ID.
struct MemoryControls {
    std::map<int, std::string> texts;
    std::map<int, bool> checks;
};

MemoryControls& MemoryOf(void* context) { return *static_cast<MemoryControls*>(context); }

ControlAccess MemoryControlsAccess(MemoryControls& memory) {
    ControlAccess access;
    access.context = &memory;
    access.getText = [](void* c, int id, int limit) {
        if (limit <= 0) return std::string();
        return MemoryOf(c).texts[id].substr(0, static_cast<size_t>(limit - 1));
    };
    access.setText = [](void* c, int id, const char* text) { MemoryOf(c).texts[id] = text; };
    access.isChecked = [](void* c, int id) { return MemoryOf(c).checks[id]; };
    access.setChecked = [](void* c, int id, bool checked) { MemoryOf(c).checks[id] = checked; };
    access.getSelection = [](void*, int) { return -1; };
    access.setSelection = [](void*, int, int) {};
    access.addItem = [](void*, int, const char*) {};
    return access;
}

}  // namespace

bool ConsoleConfigLoad(const std::string& path, SettingsRecord& settings) {
    FILE* probe = std::fopen(path.c_str(), "r");
    if (!probe) return false;
    std::fclose(probe);

    MemoryControls memory;
    ControlAccess controls = MemoryControlsAccess(memory);
    ConfigFileLoad(path.c_str(), controls, settings.search);
    ConsoleFields console = ConsoleFieldsRead(controls);
    settings.vCount = HexRange{console.vCount, console.vCount, false};
    settings.timer0 = HexRange{console.timer0, console.timer0, false};
    settings.search.gxStat = console.gxStat;
    settings.search.frame = console.frame;
    for (int i = 0; i < 6; ++i) settings.mac[i] = console.mac[i];
    int version = VersionButtonSelected(controls);
    if (version >= 0) VersionConstantsSet(settings.search.version, static_cast<GameVersion>(version));
    return true;
}
