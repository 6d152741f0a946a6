// What a mode's batch plan tells the batch engines besides the terms of its
// draw screen (modes/BatchPlan.h puts the two together).
#pragma once

#include <cstdint>

struct ScreenPlan {
    bool nothing;       // the mode can give no row with these settings
    int32_t reach;      // draws the screen reads past a position
    int32_t natureRow;  // delivery: draw offset of the nature within the reach; -1: beyond it
    int32_t lead;       // positions before a passing one that its row depends on (dome: the width)
};
