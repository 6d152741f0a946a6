#include "cli/ConsoleConfig.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "app/Capture.h"
#include "app/ConfigFile.h"
#include "res/resource.h"

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

bool ConsoleConfigSave(const std::string& path, const SettingsRecord& settings, std::string& error) {
    // The window's save skips a file it cannot create without a word; the
    // probe gives the reason first.
    FILE* probe = std::fopen(path.c_str(), "a");
    if (!probe) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    std::fclose(probe);

    MemoryControls memory;
    ControlAccess controls = MemoryControlsAccess(memory);
    char text[32];
    auto put = [&](int id, const char* format, uint32_t value) {
        std::snprintf(text, sizeof text, format, static_cast<unsigned>(value));
        controls.setText(controls.context, id, text);
    };
    put(IDC_VCOUNT, "%x", settings.vCount.low);
    put(IDC_TIMER0, "%x", settings.timer0.low);
    put(IDC_GXSTAT, "%x", static_cast<uint32_t>(settings.search.gxStat));
    std::snprintf(text, sizeof text, "%d", static_cast<int>(settings.search.frame));
    controls.setText(controls.context, IDC_FRAME, text);
    for (int i = 0; i < 6; ++i) put(IDC_MAC_0 + i, "%02X", settings.mac[i]);
    const int game = VersionConstantsGame(settings.search.version);
    for (GameVersion v : {kGameBlack, kGameWhite, kGameBlack2, kGameWhite2})
        controls.setChecked(controls.context, VersionButtonIdOf(v), v == game);
    ConfigFileSave(path.c_str(), controls);

    SettingsRecord back;
    SettingsRecordInit(back);
    const bool read = ConsoleConfigLoad(path, back);
    if (!read || back.vCount.low != settings.vCount.low || back.timer0.low != settings.timer0.low ||
        back.search.gxStat != settings.search.gxStat || back.search.frame != settings.search.frame ||
        std::memcmp(back.mac, settings.mac, sizeof back.mac) != 0) {
        error = path + ": was not written as the console (a full disk?)";
        return false;
    }
    return true;
}
