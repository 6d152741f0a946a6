// The texts that reach the result file are code page 932 bytes in every
// build, whatever the compiler does with string literals. Each is held
// against its UTF-8 spelling (u8 literals stay UTF-8 under -fexec-charset),
// converted by the C library's iconv. Built into the clang engine tests too.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "modes/ResultFile.h"
#include "modes/SearchModes.h"

namespace {

std::string Cp932Of(const char* utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1)) << "no CP932 converter";
    std::string in(utf8), out(in.size() * 2 + 8, '\0');
    char* from = &in[0];
    char* to = &out[0];
    size_t left = in.size(), room = out.size();
    EXPECT_NE(iconv(cd, &from, &left, &to, &room), static_cast<size_t>(-1)) << utf8;
    iconv_close(cd);
    out.resize(out.size() - room);
    return out;
}

void ExpectTable(const char* const* table, std::initializer_list<const char*> spellings) {
    int i = 0;
    for (const char* spelling : spellings) {
        EXPECT_EQ(std::string(table[i]), Cp932Of(spelling)) << "entry " << i << ": " << spelling;
        ++i;
    }
}

}  // namespace

TEST(ResultTexts, NameTablesAreCodePage932) {
    ExpectTable(NatureNames,
                {u8"がんばりや", u8"さみしがり", u8"ゆうかん　", u8"いじっぱり", u8"やんちゃ　",
                 u8"ずぶとい　", u8"すなお　　", u8"のんき　　", u8"わんぱく　", u8"のうてんき",
                 u8"おくびょう", u8"せっかち　", u8"まじめ　　", u8"ようき　　", u8"むじゃき　",
                 u8"ひかえめ　", u8"おっとり　", u8"れいせい　", u8"てれや　　", u8"うっかりや",
                 u8"おだやか　", u8"おとなしい", u8"なまいき　", u8"しんちょう", u8"きまぐれ　"});
    ExpectTable(HiddenPowerTypeNames,
                {u8"かくとう", u8"ひこう", u8"どく", u8"じめん", u8"いわ", u8"むし", u8"ゴースト",
                 u8"はがね", u8"ほのお", u8"みず", u8"くさ", u8"でんき", u8"エスパー", u8"こおり",
                 u8"ドラゴン", u8"あく"});
    ExpectTable(KeyNames, {u8"A", u8"B", u8"Se", u8"St", u8"→", u8"←", u8"↑", u8"↓", u8"R", u8"L"});
    EXPECT_EQ(std::string(kResultKeyInputColumn), Cp932Of(u8",キー入力"));
}

TEST(ResultTexts, HeadersAreCodePage932) {
    const char* const prefix = u8"年,月,日,時,分,秒,";
    const std::pair<SearchMode, std::string> headers[] = {
        {kModeGrotto, u8"性格値乱数消費,初期seed"},
        {kModeDome, u8"性格値乱数消費下限,上限,初期seed"},
        {kModeComet, u8"性格値乱数消費,初期seed"},
        {kModeDelivery, u8"性格値乱数消費,性格,H,A,B,C,D,S,めざパ,威力,初期seed"},
        {kModeBreeding, u8"個体値乱数消費,H,A,B,C,D,S,初期seed,性格値乱数消費,遺伝1,遺伝2,遺伝3,性別,特性"},
        {kModeShiny, u8"個体値乱数消費,H,A,B,C,D,S,めざパ,威力,初期seed,性格値乱数消費,乱数値,性格値"},
        {kModeIv, u8"消費数,H,A,B,C,D,S,めざパ,威力,初期seed"},
    };
    for (const auto& [mode, columns] : headers)
        EXPECT_EQ(std::string(ResultHeaderOf(mode)), Cp932Of((prefix + columns).c_str())) << columns;
}
