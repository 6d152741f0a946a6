#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "app/WindowTitle.h"

namespace {

std::string ProgressText(int32_t year, int32_t month, int32_t day, int32_t count) {
    char text[kSearchProgressTextSize];
    SearchProgressText(text, year, month, day, count);
    return text;
}

// Code page 932 bytes of the progress text's words.
constexpr char kYear[] = "\x94\x4E";                           // 年
constexpr char kMonth[] = "\x8C\x8E";                          // 月
constexpr char kDay[] = "\x93\xFA";                            // 日
constexpr char kComputing[] = "\x8C\x76\x8E\x5A\x92\x86...(";  // 計算中...(
constexpr char kCandidates[] = "\x8C\xF3\x95\xE2";             // 候補
constexpr char kPieces[] = "\x8C\xC2)";                        // 個)

std::string Expected(const char* y, const char* m, const char* d, const char* count) {
    return std::string(y) + kYear + m + kMonth + d + kDay + kComputing + kCandidates + count +
           kPieces;
}

}  // namespace

TEST(WindowTitle, ProgramTitle) { EXPECT_STREQ(kMainWindowTitle, "Morvane ver2.01c"); }

TEST(WindowTitle, ProgressTextOfADayInCodePage932) {
    EXPECT_EQ(ProgressText(12, 11, 29, 0), Expected("12", "11", "29", "0"));
    EXPECT_EQ(ProgressText(13, 1, 1, 0), Expected("13", "1", "1", "0"));
    EXPECT_EQ(ProgressText(12, 11, 29, 1234), Expected("12", "11", "29", "1234"));
    // yy is a plain decimal: 2005 shows as 5.
    EXPECT_EQ(ProgressText(5, 3, 7, 9), Expected("5", "3", "7", "9"));
    // The widest values still fit the buffer whole.
    EXPECT_EQ(ProgressText(INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX),
              Expected("-2147483648", "2147483647", "-2147483648", "2147483647"));
}
