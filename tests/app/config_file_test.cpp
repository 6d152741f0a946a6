#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/Capture.h"
#include "app/ConfigFile.h"
#include "res/resource.h"
#include "tests/temp_dir.h"
#include "tests/ui/fake_controls.h"

namespace {

std::string TempPath(const char* name) { return TestTempPath(name); }

void WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadFile(const std::string& path) {
    std::string bytes;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes += static_cast<char>(c);
    std::fclose(f);
    return bytes;
}

struct Loaded {
    FakeControls controls;
    SearchSettings settings;
};

Loaded LoadText(const std::string& bytes) {
    std::string path = TempPath("config.txt");
    WriteFile(path, bytes);
    Loaded loaded;
    SearchSettingsInit(loaded.settings);
    ConfigFileLoad(path.c_str(), FakeControlsAccess(loaded.controls), loaded.settings);
    return loaded;
}

// Which of the version buttons IDC_BLACK..IDC_WHITE2 is checked; -1 none, -2 several.
int CheckedVersion(FakeControls& f) {
    int found = -1;
    for (int id = IDC_BLACK; id <= IDC_WHITE2; ++id)
        if (f.checks[id]) found = found == -1 ? id : -2;
    return found;
}

const char kConsoleLines[] = "60\nc79\n6000000\n8\n12-34-56-78-9A-BC\n";
const char kBlack2Line[] = "0209A8DC 02039AC9 021FF9B0 021FFA04 021FFA04\n";
const char kWhite2Line[] = "0209A8FC 02039AF5 021FF9D0 021FFA24 021FFA24\n";

}  // namespace

TEST(ConfigFileLoad, NoFileSelectsBlack2AndChangesNothingElse) {
    FakeControls f;
    SearchSettings s;
    SearchSettingsInit(s);
    ConfigFileLoad(TempPath("absent/config.txt").c_str(), FakeControlsAccess(f), s);
    EXPECT_EQ(CheckedVersion(f), IDC_BLACK2);
    EXPECT_TRUE(f.texts.empty());
    SearchSettings initial;
    SearchSettingsInit(initial);
    EXPECT_EQ(std::memcmp(&s, &initial, sizeof s), 0);
}

TEST(ConfigFileLoad, EditLinesShownUnparsed) {
    Loaded l = LoadText("0x5f\n c79\n6000000\n-8\n0A-1B-2c-3D-4E-5F\n02215F30\n");
    EXPECT_EQ(l.controls.texts[IDC_VCOUNT], "0x5f");
    EXPECT_EQ(l.controls.texts[IDC_TIMER0], " c79");
    EXPECT_EQ(l.controls.texts[IDC_GXSTAT], "6000000");
    EXPECT_EQ(l.controls.texts[IDC_FRAME], "-8");
    const char* mac[6] = {"0A", "1B", "2c", "3D", "4E", "5F"};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(l.controls.texts[IDC_MAC_0 + i], mac[i]) << i;
    // The capture later reads only "0x5".
    SearchSettings s;
    SearchSettingsInit(s);
    CaptureMainWindow(FakeControlsAccess(l.controls), s);
    EXPECT_EQ(s.vCount, 5u);
}

TEST(ConfigFileLoad, OneWordVersionLines) {
    Loaded white = LoadText(std::string(kConsoleLines) + "02215F30\n");
    EXPECT_EQ(CheckedVersion(white.controls), IDC_WHITE);
    EXPECT_FALSE(white.settings.version.fiveWordVersion);
    EXPECT_EQ(white.settings.version.versionWord, 0x02215F30u);

    Loaded black = LoadText(std::string(kConsoleLines) + "02215F10");  // no line break
    EXPECT_EQ(CheckedVersion(black.controls), IDC_BLACK);
    EXPECT_EQ(black.settings.version.versionWord, 0x02215F10u);

    Loaded unknown = LoadText(std::string(kConsoleLines) + "1234abcd\n");
    EXPECT_EQ(CheckedVersion(unknown.controls), -1);
    EXPECT_FALSE(unknown.settings.version.fiveWordVersion);
    EXPECT_EQ(unknown.settings.version.versionWord, 0x1234ABCDu);
}

TEST(ConfigFileLoad, FiveWordVersionLines) {
    const uint32_t black2[5] = {0x0209A8DC, 0x02039AC9, 0x021FF9B0, 0x021FFA04, 0x021FFA04};
    Loaded b2 = LoadText(std::string(kConsoleLines) + kBlack2Line);
    EXPECT_EQ(CheckedVersion(b2.controls), IDC_BLACK2);
    EXPECT_TRUE(b2.settings.version.fiveWordVersion);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(b2.settings.version.versionWords[i], black2[i]) << i;

    Loaded w2 = LoadText(std::string(kConsoleLines) + kWhite2Line);
    EXPECT_EQ(CheckedVersion(w2.controls), IDC_WHITE2);

    // ホワイト2's first word with a wrong third word: nothing selected, words kept.
    Loaded odd = LoadText(std::string(kConsoleLines) +
                          "0209A8FC 02039AF5 021FF9B0 021FFA24 021FFA24\n");
    EXPECT_EQ(CheckedVersion(odd.controls), -1);
    EXPECT_TRUE(odd.settings.version.fiveWordVersion);
    EXPECT_EQ(odd.settings.version.versionWords[0], 0x0209A8FCu);
    EXPECT_EQ(odd.settings.version.versionWords[2], 0x021FF9B0u);
    EXPECT_EQ(odd.settings.version.versionWords[4], 0x021FFA24u);

    // Ten characters or more with fewer than five words: the missing ones are 0.
    Loaded few = LoadText(std::string(kConsoleLines) + "0209A8DC  02039AC9\n");
    EXPECT_TRUE(few.settings.version.fiveWordVersion);
    const uint32_t expected[5] = {0x0209A8DC, 0x02039AC9, 0, 0, 0};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(few.settings.version.versionWords[i], expected[i]) << i;
    EXPECT_EQ(CheckedVersion(few.controls), -1);
}

TEST(ConfigFileLoad, CrLfLinesLoadAsLf) {
    std::string lf = std::string(kConsoleLines) + "02215F30\n";
    std::string crlf;
    for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Loaded a = LoadText(lf);
    Loaded b = LoadText(crlf);
    EXPECT_EQ(a.controls.texts, b.controls.texts);
    EXPECT_EQ(a.controls.checks, b.controls.checks);
    EXPECT_EQ(CheckedVersion(b.controls), IDC_WHITE);
    EXPECT_EQ(b.controls.texts[IDC_VCOUNT], "60");
    EXPECT_EQ(b.controls.texts[IDC_MAC_5], "BC");
    EXPECT_FALSE(b.settings.version.fiveWordVersion);  // "02215F30\r\n" is still one word

}

TEST(ConfigFileLoad, MissingAndShortLines) {
    Loaded three = LoadText("60\nc79\n6000000\n");
    EXPECT_EQ(three.controls.texts[IDC_GXSTAT], "6000000");
    EXPECT_EQ(three.controls.texts.count(IDC_FRAME), 0u);
    EXPECT_EQ(three.controls.texts.count(IDC_MAC_0), 0u);
    EXPECT_EQ(CheckedVersion(three.controls), -1);
    EXPECT_TRUE(three.settings.version.fiveWordVersion);  // untouched
    EXPECT_EQ(three.settings.version.versionWords[0], 0u);

    // What a save with no version button writes.
    Loaded five = LoadText(kConsoleLines);
    EXPECT_EQ(five.controls.texts[IDC_MAC_5], "BC");
    EXPECT_EQ(CheckedVersion(five.controls), -1);

    Loaded shortMac = LoadText("60\nc79\n6000000\n8\n01-02-3\n02215F10\n");
    EXPECT_EQ(shortMac.controls.texts[IDC_MAC_0], "01");
    EXPECT_EQ(shortMac.controls.texts[IDC_MAC_1], "02");
    EXPECT_EQ(shortMac.controls.texts[IDC_MAC_2], "3");
    for (int id = IDC_MAC_3; id <= IDC_MAC_5; ++id)
        EXPECT_EQ(shortMac.controls.texts[id], "") << id;
    EXPECT_EQ(CheckedVersion(shortMac.controls), IDC_BLACK);

    // A last line without a line break keeps all of its characters.
    Loaded cut = LoadText("60\nc79");
    EXPECT_EQ(cut.controls.texts[IDC_TIMER0], "c79");
    EXPECT_EQ(cut.controls.texts.count(IDC_GXSTAT), 0u);
}

TEST(ConfigFileLoad, LongLineRestIsTheNextLine) {
    std::string longLine(300, '5');
    Loaded l = LoadText(longLine + "\nc79\n");
    EXPECT_EQ(l.controls.texts[IDC_VCOUNT], std::string(255, '5'));
    EXPECT_EQ(l.controls.texts[IDC_TIMER0], std::string(45, '5'));
    EXPECT_EQ(l.controls.texts[IDC_GXSTAT], "c79");
}

TEST(ConfigFileSave, NormalisedLinesAndVersion) {
    FakeControls f;
    f.texts[IDC_VCOUNT] = "5F";
    f.texts[IDC_TIMER0] = "0xC79";  // five characters
    f.texts[IDC_GXSTAT] = "06000000ff";
    f.texts[IDC_FRAME] = "-3";
    f.texts[IDC_MAC_0] = "a";
    f.texts[IDC_MAC_1] = "1bc";
    f.texts[IDC_MAC_3] = "g";
    f.texts[IDC_MAC_4] = "ff";
    f.texts[IDC_MAC_5] = "7";  // IDC_MAC_2 has no text
    std::string path = TempPath("saved.txt");
    const std::string console = "5f\nc79\n6000000\n-3\n0A-1B-00-00-FF-07\n";

    ConfigFileSave(path.c_str(), FakeControlsAccess(f));
    EXPECT_EQ(ReadFile(path), console);  // no version: five lines

    const std::pair<int, std::string> lines[] = {{IDC_BLACK, "02215F10\n"},
                                                 {IDC_WHITE, "02215F30\n"},
                                                 {IDC_BLACK2, kBlack2Line},
                                                 {IDC_WHITE2, kWhite2Line}};
    for (const auto& line : lines) {
        for (int id = IDC_BLACK; id <= IDC_WHITE2; ++id) f.checks[id] = id == line.first;
        ConfigFileSave(path.c_str(), FakeControlsAccess(f));
        EXPECT_EQ(ReadFile(path), console + line.second) << line.first;
    }
    f.checks[IDC_BLACK] = true;  // ブラック is tested first
    ConfigFileSave(path.c_str(), FakeControlsAccess(f));
    EXPECT_EQ(ReadFile(path), console + "02215F10\n");

    ConfigFileSave(TempPath("absent/config.txt").c_str(), FakeControlsAccess(f));  // skipped
    EXPECT_EQ(ReadFile(TempPath("absent/config.txt")), "");
}

TEST(ConfigFile, SaveThenLoadRestoresEveryCapturedField) {
    for (int version = IDC_BLACK; version <= IDC_WHITE2; ++version) {
        FakeControls before;
        before.texts[IDC_VCOUNT] = "60";
        before.texts[IDC_TIMER0] = "c79";
        before.texts[IDC_GXSTAT] = "6000000";
        before.texts[IDC_FRAME] = "-8";
        const char* mac[6] = {"12", "34", "56", "a", "9A", "BC"};
        for (int i = 0; i < 6; ++i) before.texts[IDC_MAC_0 + i] = mac[i];
        before.checks[version] = true;
        std::string path = TempPath("roundtrip.txt");
        ConfigFileSave(path.c_str(), FakeControlsAccess(before));

        FakeControls after;
        SearchSettings loaded;
        SearchSettingsInit(loaded);
        ConfigFileLoad(path.c_str(), FakeControlsAccess(after), loaded);
        EXPECT_EQ(CheckedVersion(after), version);
        EXPECT_EQ(after.texts[IDC_MAC_3], "0A");

        SearchSettings a, b;
        SearchSettingsInit(a);
        SearchSettingsInit(b);
        CaptureMainWindow(FakeControlsAccess(before), a);
        CaptureMainWindow(FakeControlsAccess(after), b);
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << version;
        // The words the load put in agree with what the capture sets.
        EXPECT_EQ(loaded.version.fiveWordVersion, b.version.fiveWordVersion);
        EXPECT_EQ(std::memcmp(loaded.version.versionWords, b.version.versionWords,
                              sizeof b.version.versionWords), 0);
        EXPECT_EQ(loaded.version.versionWord, b.version.versionWord);
    }
}

// A field typed with a minus sign reads as a large word ("-1" in the
// VCount edit is 0xFFFFFFFF); its eight digits would read back as their
// first three, so the save keeps the sign wherever the digits do not fit.
TEST(ConfigFile, NegativeFieldsSurviveSaveAndLoad) {
    const std::string file = std::string("-1\n-A\n-1234567\n8\n-1-34-56-78-9A-BC\n") + kBlack2Line;
    Loaded first = LoadText(file);
    std::string path = TempPath("negative.txt");
    ConfigFileSave(path.c_str(), FakeControlsAccess(first.controls));
    EXPECT_EQ(ReadFile(path), "-1\n-a\nfedcba99\n8\n-1-34-56-78-9A-BC\n" + std::string(kBlack2Line));

    Loaded second = LoadText(ReadFile(path));
    SearchSettings a = first.settings, b = second.settings;
    CaptureMainWindow(FakeControlsAccess(first.controls), a);
    CaptureMainWindow(FakeControlsAccess(second.controls), b);
    EXPECT_EQ(a.vCount, 0xFFFFFFFFu);
    EXPECT_EQ(b.vCount, a.vCount);
    EXPECT_EQ(b.timer0, a.timer0);
    EXPECT_EQ(b.gxStat, a.gxStat);
    EXPECT_EQ(b.MacWord6, a.MacWord6);
    EXPECT_EQ(b.MacWord7, a.MacWord7);
}
