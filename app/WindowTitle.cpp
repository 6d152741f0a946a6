#include "app/WindowTitle.h"

#include <cstdio>

const char kMainWindowTitle[] = "Morvane ver2.01c";

void SearchProgressText(char (&buffer)[kSearchProgressTextSize], int32_t year, int32_t month,
                        int32_t day, int32_t count) {
    std::snprintf(buffer, sizeof buffer, "%d年%d月%d日計算中...(候補%d個)", year, month, day, count);
}
