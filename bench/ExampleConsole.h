// The console of the worked example, shared by the tests, the benchmark and
// the demonstration search: ブラック, VCount 0x60, Timer0 0xC79, MAC
// 12-34-56-78-9A-BC, GxStat 0x06000000, Frame 8, on 29 November 2012.
#pragma once

#include "modes/SearchSettings.h"
#include "seed/SeedMessage.h"

inline SearchSettings ExampleConsoleSettings() {
    SearchSettings s;
    SearchSettingsInit(s);
    VersionConstantsSet(s.version, kGameBlack);
    s.vCount = 0x60;
    s.timer0 = 0xC79;
    s.gxStat = 0x06000000;
    s.frame = 8;
    s.MacWord6 = 0x9ABC;
    s.MacWord7 = 0x12345678u ^ Swap32(static_cast<uint32_t>(s.gxStat ^ 8u));
    s.startYear = s.endYear = 12;
    s.startMonth = s.endMonth = 11;
    s.startDay = s.endDay = 29;
    return s;
}

// The worked example's moment: 13:45:07 on that day.
inline SearchSettings ExampleSearchSettings() {
    SearchSettings s = ExampleConsoleSettings();
    s.startHour = s.endHour = 13;
    s.startMinute = s.endMinute = 45;
    s.startSecond = s.endSecond = 7;
    return s;
}
