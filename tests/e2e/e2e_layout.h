// What the end-to-end tests know about the program's window and dialogs,
// written down from what the program is meant to do and nothing else, so that the
// Win32 driver (which looks at the running window) and the native helper
// (which turns a test case into the core's expected result) share one copy.
// Plain data, no <windows.h>: the helper is built natively.
#pragma once

#include <cstdint>

// --- main window -------------------------------------------------------------

constexpr char kE2eMainClass[] = "mrvn";
constexpr char kE2eMainTitle[] = "Morvane ver2.01c";
constexpr int kE2eMainWidth = 640;
constexpr int kE2eMainHeight = 480;
constexpr uint32_t kE2eMainStyle = 0x00CA0000u;  // caption, system menu, minimise box

// Control kinds of the main window's table and their creation style words.
enum E2eKind : char {
    kE2eEdit = 'E',
    kE2eCheck = 'C',
    kE2ePush = 'P',
    kE2eRadio = 'R',
    kE2eRadioFirst = '1',
    kE2eList = 'L',
};

constexpr uint32_t kE2eEditStyle = 0x50810000u;
constexpr uint32_t kE2eEditStyleHscroll = 0x50810080u;
constexpr uint32_t kE2eCheckStyle = 0x50010003u;
constexpr uint32_t kE2ePushStyle = 0x50000000u;
constexpr uint32_t kE2eRadioStyle = 0x50000009u;
constexpr uint32_t kE2eRadioFirstStyle = 0x50020009u;
constexpr uint32_t kE2eListStyle = 0x50A10003u;

struct E2eMainControl {
    char kind;
    int id;
    const char* text;  // initial text; the list shows its selected item
    int x, y, w, h;    // client pixels; the list's height is its opened height
};

// In creation order, which is also the Tab order among the tab stops.
constexpr E2eMainControl kE2eMainControls[] = {
    {kE2eEdit, 1003, "", 350, 23, 30, 22},
    {kE2eEdit, 1004, "", 390, 23, 30, 22},
    {kE2eEdit, 1005, "", 430, 23, 30, 22},
    {kE2eEdit, 1006, "", 470, 23, 30, 22},
    {kE2eEdit, 1007, "", 510, 23, 30, 22},
    {kE2eEdit, 1008, "", 550, 23, 30, 22},
    {kE2eEdit, 1000, "", 88, 58, 40, 22},
    {kE2eEdit, 1001, "", 220, 58, 40, 22},
    {kE2eEdit, 1002, "", 350, 58, 90, 22},
    {kE2eEdit, 1029, "", 500, 58, 30, 22},
    {kE2eEdit, 1009, "", 68, 93, 25, 22},
    {kE2eEdit, 1010, "", 110, 93, 25, 22},
    {kE2eEdit, 1011, "", 152, 93, 25, 22},
    {kE2eEdit, 1018, "", 228, 93, 25, 22},
    {kE2eEdit, 1019, "", 270, 93, 25, 22},
    {kE2eEdit, 1020, "", 312, 93, 25, 22},
    {kE2eCheck, 956, "3DS", 380, 92, 50, 30},
    {kE2eCheck, 953, "キー入力", 450, 92, 100, 30},
    {kE2ePush, 1106, "設定", 560, 94, 40, 25},
    {kE2eEdit, 1030, "0", 53, 128, 25, 22},
    {kE2eEdit, 1033, "23", 111, 128, 25, 22},
    {kE2eEdit, 1031, "0", 172, 128, 25, 22},
    {kE2eEdit, 1034, "59", 230, 128, 25, 22},
    {kE2eEdit, 1032, "0", 291, 128, 25, 22},
    {kE2eEdit, 1035, "59", 349, 128, 25, 22},
    {kE2eEdit, 1027, "7", 195, 163, 30, 22},
    {kE2eEdit, 1028, "7", 245, 163, 30, 22},
    {kE2eEdit, 1012, "31", 118, 198, 20, 22},
    {kE2eEdit, 1021, "0", 118, 233, 20, 22},
    {kE2eEdit, 1013, "31", 158, 198, 20, 22},
    {kE2eEdit, 1022, "0", 158, 233, 20, 22},
    {kE2eEdit, 1014, "31", 198, 198, 20, 22},
    {kE2eEdit, 1023, "0", 198, 233, 20, 22},
    {kE2eEdit, 1015, "31", 238, 198, 20, 22},
    {kE2eEdit, 1024, "0", 238, 233, 20, 22},
    {kE2eEdit, 1016, "31", 278, 198, 20, 22},
    {kE2eEdit, 1025, "0", 278, 233, 20, 22},
    {kE2eEdit, 1017, "31", 318, 198, 20, 22},
    {kE2eEdit, 1026, "0", 318, 233, 20, 22},
    {kE2eList, 922, "指定無し", 435, 198, 120, 350},
    {kE2eEdit, 1040, "30", 570, 199, 24, 22},
    {kE2eCheck, 931, "徘徊", 380, 232, 60, 30},
    {kE2ePush, 1100, "検索開始", 300, 400, 200, 30},
    {kE2ePush, 1102, "保存", 550, 58, 40, 25},
    {kE2eEdit, 1038, "50", 195, 270, 60, 22},
    {kE2eEdit, 1039, "150", 273, 270, 60, 22},
    {kE2eCheck, 930, "色違い性格値検索", 10, 305, 150, 30},
    {kE2ePush, 1103, "設定", 180, 305, 40, 25},
    {kE2eCheck, 932, "遺伝込みで検索", 10, 340, 150, 30},
    {kE2ePush, 1104, "設定", 180, 340, 40, 25},
    {kE2eCheck, 952, "配達員検索", 10, 375, 150, 30},
    {kE2ePush, 1108, "設定", 180, 375, 40, 25},
    {kE2eCheck, 954, "すいせいのかけら", 10, 410, 150, 30},
    {kE2ePush, 1105, "設定", 180, 410, 40, 25},
    {kE2eCheck, 955, "ライモンドーム", 330, 305, 150, 30},
    {kE2ePush, 1107, "設定", 500, 305, 40, 25},
    {kE2eCheck, 958, "隠し穴(BW2)", 330, 340, 150, 30},
    {kE2ePush, 1110, "設定", 500, 340, 40, 25},
    {kE2eRadioFirst, 902, "ブラック2", 12, 2, 100, 22},
    {kE2eRadio, 903, "ホワイト2", 112, 2, 100, 22},
    {kE2eRadio, 900, "ブラック", 12, 25, 100, 22},
    {kE2eRadio, 901, "ホワイト", 112, 25, 100, 22},
};
constexpr int kE2eMainControlCount = sizeof kE2eMainControls / sizeof kE2eMainControls[0];

constexpr int kE2eStartButton = 1100;
constexpr int kE2eSaveButton = 1102;
constexpr int kE2eHiddenPowerList = 922;
constexpr char kE2eStartText[] = "検索開始";
constexpr char kE2eAbortText[] = "中断";
constexpr char kE2eProgressFormat[] = "%d年%d月%d日計算中...(候補%d個)";

// The version buttons in the order the capture and the save test them.
constexpr int kE2eVersionButtons[4] = {900, 901, 902, 903};
constexpr uint32_t kE2eVersionWordBlack = 0x02215F10u;
constexpr uint32_t kE2eVersionWordWhite = 0x02215F30u;
constexpr uint32_t kE2eVersionWordsBlack2[5] = {0x0209A8DCu, 0x02039AC9u, 0x021FF9B0u,
                                                0x021FFA04u, 0x021FFA04u};
constexpr uint32_t kE2eVersionWordsWhite2[5] = {0x0209A8FCu, 0x02039AF5u, 0x021FF9D0u,
                                                0x021FFA24u, 0x021FFA24u};
// Line 6 of "config.txt" as the save writes it, by button 900, 901, 902, 903.
constexpr const char* kE2eVersionLines[4] = {
    "02215F10",
    "02215F30",
    "0209A8DC 02039AC9 021FF9B0 021FFA04 021FFA04",
    "0209A8FC 02039AF5 021FF9D0 021FFA24 021FFA24",
};

// The edits whose texts "config.txt" carries, in the order of its lines 1-4
// and of the six MAC bytes of line 5.
constexpr int kE2eConsoleEdits[4] = {1000, 1001, 1002, 1029};
constexpr int kE2eMacEdits[6] = {1003, 1004, 1005, 1006, 1007, 1008};
constexpr int kE2eDateEdits[6] = {1009, 1010, 1011, 1018, 1019, 1020};

// --- name tables ---------------------------------------------------------------

constexpr const char* kE2eNatureNames[25] = {
    "がんばりや", "さみしがり", "ゆうかん　", "いじっぱり", "やんちゃ　",
    "ずぶとい　", "すなお　　", "のんき　　", "わんぱく　", "のうてんき",
    "おくびょう", "せっかち　", "まじめ　　", "ようき　　", "むじゃき　",
    "ひかえめ　", "おっとり　", "れいせい　", "てれや　　", "うっかりや",
    "おだやか　", "おとなしい", "なまいき　", "しんちょう", "きまぐれ　",
};

constexpr const char* kE2eHiddenPowerNames[16] = {
    "かくとう", "ひこう", "どく", "じめん", "いわ", "むし", "ゴースト", "はがね",
    "ほのお", "みず", "くさ", "でんき", "エスパー", "こおり", "ドラゴン", "あく",
};

constexpr const char* kE2eDomeTrainers[52] = {
    "OLのアツコ", "ウエーターのヒサシ", "ウエートレスのナナ", "エリートトレーナーのタツヤ",
    "エリートトレーナーのルーシー", "おじょうさまのソフィー", "おぼっちゃまのアンソニー",
    "おまわりさんのジェフ", "カラテおうのフミヒト", "クラウンのチャーリー",
    "げいじゅつかのピエール", "けんきゅういんのヨシノリ", "けんきゅういんのイクミ",
    "サイキッカーのツカサ", "サイキッカーのヤヨイ", "さぎょういんのマシュー",
    "さぎょういんのコウジ", "ジェントルマンのマサオミ", "じゅくがえりのマナブ",
    "じゅくがえりのコズエ", "スキンヘッズのテツヤ", "せいそういんのノブシゲ",
    "だいすきクラブのヒロシ", "だいすきクラブのケサコ", "ダンサーのデヴィット",
    "たんぱんこぞうのカズキ", "つりびとのカズトモ", "てつどういんのカズマサ",
    "ドクターのリョウイチ", "ナースのユキエ", "パイロットのマサフミ", "バックパッカーのヒロム",
    "バックパッカーのパティ", "バトルガールのユウキ", "パラソルおねえさんのヒヅキ",
    "ビジネスマンのトシオ", "ビジネスマンのアツヤ", "ベーカリーのユリエ",
    "ベテラントレーナーのアレン", "ベテラントレーナーのサユリ", "ほいくしのナナコ",
    "ポケモンブリーダーのヒロユキ", "ポケモンブリーダーのユキエ", "ポケモンレンジャーのアラン",
    "ポケモンレンジャーのマキコ", "マダムのエミリア", "ミニスカートのリカ",
    "ミュージシャンのショウイチ", "メイドのアリカ", "やまおとこのダイサク", "えんじのモトヤス",
    "えんじのマユコ",
};

constexpr char kE2eNoChoice[] = "指定無し";

constexpr const char* kE2eGrottoKinds[11] = {
    "ポケモン(1%)",    "ポケモン(4%)",    "ポケモン(15%)",   "アイテム(1%)",
    "アイテム(4%)",    "アイテム(10%)",   "アイテム(25%)",   "ダウジング(1%)",
    "ダウジング(4%)",  "ダウジング(10%)", "ダウジング(25%)",
};
constexpr const char* kE2eGrottoFemale[5] = {"気にしない", "♀率5%", "♀率10%", "♀率30%",
                                             "♀率60%"};
constexpr const char* kE2eBreedingAbilities[4] = {"指定無し", "1", "2", "夢"};
constexpr const char* kE2eBreedingGenders[9] = {"指定無し", "♂(7/8)", "♂(3/4)",
                                                "♂(1/2)",   "♂(1/4)", "♀(3/4)",
                                                "♀(1/2)",   "♀(1/4)", "♀(1/8)"};
constexpr const char* kE2eDeliveryMethods[2] = {"Method1(ピカチュウ等)", "Method2(グラードン等)"};

// --- settings dialogs ------------------------------------------------------------

struct E2eDialog {
    int id;            // template number
    int command;       // the main window's command that opens it
    const char* title;
};

constexpr E2eDialog kE2eDialogs[] = {
    {101, 1103, "色違い性格値検索"}, {102, 1104, "遺伝込みで検索"},
    {103, 1105, "すいせいのかけら設定"}, {105, 1106, "キー入力パターン"},
    {106, 1107, "ライモンドーム設定"}, {107, 1108, "配達員"},
    {110, 1110, "隠し穴"},
};
constexpr int kE2eDialogCount = sizeof kE2eDialogs / sizeof kE2eDialogs[0];

inline const E2eDialog* E2eDialogById(int id) {
    for (const E2eDialog& d : kE2eDialogs)
        if (d.id == id) return &d;
    return nullptr;
}

// Kinds of dialog controls: push button, check box, radio button, edit,
// drop-down list and static label (ID -1, checked by its text only).
enum E2eDialogKind : char {
    kE2eDlgButton = 'B',
    kE2eDlgCheck = 'C',
    kE2eDlgRadio = 'R',
    kE2eDlgEdit = 'E',
    kE2eDlgList = 'L',
    kE2eDlgStatic = 'S',
};

// The lists a dialog fills on opening, as item tables.
enum E2eListContent {
    kE2eNoList,
    kE2eListNatures,          // 指定無し + 25 natures
    kE2eListBreedingNatures,  // 指定無し, 変わらず + 25 natures
    kE2eListTrainers,         // 指定無し + 52 trainers
    kE2eListAbilities,
    kE2eListGenders,
    kE2eListGrottoKinds,
    kE2eListGrottoFemale,
    kE2eListMethods,
};

struct E2eDialogControl {
    int dialog;
    char kind;
    int id;              // -1 for static labels
    const char* text;    // caption; for edits the text shown on first opening
    E2eListContent list; // lists only
    int initial;         // check state or selected entry on first opening
};

constexpr E2eDialogControl kE2eDialogControls[] = {
    // 101 色違い性格値検索
    {101, kE2eDlgStatic, -1, "表ID:", kE2eNoList, 0},
    {101, kE2eDlgEdit, 1005, "0", kE2eNoList, 0},
    {101, kE2eDlgStatic, -1, "裏ID:", kE2eNoList, 0},
    {101, kE2eDlgEdit, 1006, "0", kE2eNoList, 0},
    {101, kE2eDlgStatic, -1, "性格:", kE2eNoList, 0},
    {101, kE2eDlgList, 1007, "", kE2eListNatures, 0},
    {101, kE2eDlgRadio, 1002, "孵化", kE2eNoList, 1},
    {101, kE2eDlgRadio, 1003, "徘徊", kE2eNoList, 0},
    {101, kE2eDlgRadio, 1004, "固定", kE2eNoList, 0},
    {101, kE2eDlgCheck, 1001, "ID補正", kE2eNoList, 0},
    {101, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {101, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    // 102 遺伝込みで検索
    {102, kE2eDlgRadio, 1002, "メタモン有り", kE2eNoList, 1},
    {102, kE2eDlgRadio, 1003, "メタモン無し", kE2eNoList, 0},
    {102, kE2eDlgList, 1026, "", kE2eListBreedingNatures, 1},
    {102, kE2eDlgStatic, -1, "先:", kE2eNoList, 0},
    {102, kE2eDlgStatic, -1, "後:", kE2eNoList, 0},
    {102, kE2eDlgStatic, -1, "H", kE2eNoList, 0},
    {102, kE2eDlgStatic, -1, "S", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1005, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1006, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1023, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1027, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1028, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1029, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1030, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1031, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1032, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1033, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1034, "31", kE2eNoList, 0},
    {102, kE2eDlgEdit, 1035, "31", kE2eNoList, 0},
    {102, kE2eDlgStatic, -1, "特性:", kE2eNoList, 0},
    {102, kE2eDlgList, 1024, "", kE2eListAbilities, 0},
    {102, kE2eDlgStatic, -1, "性別:", kE2eNoList, 0},
    {102, kE2eDlgList, 1025, "", kE2eListGenders, 0},
    {102, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {102, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    // 103 すいせいのかけら設定
    {103, kE2eDlgCheck, 1001, "ふくがん有り", kE2eNoList, 1},
    {103, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {103, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    // 105 キー入力パターン
    {105, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {105, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    {105, kE2eDlgStatic, -1, "使うキー", kE2eNoList, 0},
    {105, kE2eDlgCheck, 1001, "A", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1002, "B", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1003, "St", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1004, "Se", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1005, "L", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1006, "R", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1007, "上", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1008, "下", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1009, "右", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1010, "左", kE2eNoList, 1},
    {105, kE2eDlgCheck, 1011, "逆方向同時押し・リセットを除外", kE2eNoList, 1},
    // 106 ライモンドーム設定
    {106, kE2eDlgList, 1007, "", kE2eListTrainers, 0},
    {106, kE2eDlgList, 1021, "", kE2eListTrainers, 0},
    {106, kE2eDlgList, 1024, "", kE2eListTrainers, 0},
    {106, kE2eDlgList, 1025, "", kE2eListTrainers, 0},
    {106, kE2eDlgList, 1026, "", kE2eListTrainers, 0},
    {106, kE2eDlgList, 1008, "", kE2eListTrainers, 0},
    {106, kE2eDlgStatic, -1, "消費数ずれ幅：", kE2eNoList, 0},
    {106, kE2eDlgEdit, 1005, "0", kE2eNoList, 0},
    {106, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {106, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    // 107 配達員
    {107, kE2eDlgStatic, -1, "性格乱数の位置(H個体値を0として)", kE2eNoList, 0},
    {107, kE2eDlgEdit, 1005, "10", kE2eNoList, 0},
    {107, kE2eDlgStatic, -1, "性格：", kE2eNoList, 0},
    {107, kE2eDlgList, 1007, "", kE2eListNatures, 0},
    {107, kE2eDlgCheck, 1001, "色違い(九州配布)", kE2eNoList, 0},
    {107, kE2eDlgList, 1021, "", kE2eListMethods, 0},
    {107, kE2eDlgStatic, -1, "ID:", kE2eNoList, 0},
    {107, kE2eDlgEdit, 1006, "3012", kE2eNoList, 0},
    {107, kE2eDlgStatic, -1, "裏ID:", kE2eNoList, 0},
    {107, kE2eDlgEdit, 1023, "0", kE2eNoList, 0},
    {107, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {107, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
    // 110 隠し穴
    {110, kE2eDlgStatic, -1, "種類：", kE2eNoList, 0},
    {110, kE2eDlgList, 1007, "", kE2eListGrottoKinds, 0},
    {110, kE2eDlgCheck, 1001, "A", kE2eNoList, 1},
    {110, kE2eDlgCheck, 1002, "B", kE2eNoList, 1},
    {110, kE2eDlgCheck, 1003, "C", kE2eNoList, 1},
    {110, kE2eDlgCheck, 1004, "D", kE2eNoList, 1},
    {110, kE2eDlgStatic, -1, "♀判定：", kE2eNoList, 0},
    {110, kE2eDlgList, 1021, "", kE2eListGrottoFemale, 0},
    {110, kE2eDlgButton, 1, "OK", kE2eNoList, 0},
    {110, kE2eDlgButton, 2, "キャンセル", kE2eNoList, 0},
};

// The items of a list, in order; count is returned, item i written to items.
inline int E2eListItems(E2eListContent list, const char* items[], int capacity) {
    int n = 0;
    auto add = [&](const char* text) {
        if (n < capacity) items[n] = text;
        ++n;
    };
    switch (list) {
    case kE2eNoList: break;
    case kE2eListNatures:
        add(kE2eNoChoice);
        for (const char* name : kE2eNatureNames) add(name);
        break;
    case kE2eListBreedingNatures:
        add(kE2eNoChoice);
        add("変わらず");
        for (const char* name : kE2eNatureNames) add(name);
        break;
    case kE2eListTrainers:
        add(kE2eNoChoice);
        for (const char* name : kE2eDomeTrainers) add(name);
        break;
    case kE2eListAbilities:
        for (const char* name : kE2eBreedingAbilities) add(name);
        break;
    case kE2eListGenders:
        for (const char* name : kE2eBreedingGenders) add(name);
        break;
    case kE2eListGrottoKinds:
        for (const char* name : kE2eGrottoKinds) add(name);
        break;
    case kE2eListGrottoFemale:
        for (const char* name : kE2eGrottoFemale) add(name);
        break;
    case kE2eListMethods:
        for (const char* name : kE2eDeliveryMethods) add(name);
        break;
    }
    return n;
}
