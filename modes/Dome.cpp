#include "modes/Dome.h"

#include "modes/ResultFile.h"
#include "modes/RowFormat.h"

const char* const DomeTrainerNames[52] = {
    "OLのアツコ",
    "ウエーターのヒサシ",
    "ウエートレスのナナ",
    "エリートトレーナーのタツヤ",
    "エリートトレーナーのルーシー",
    "おじょうさまのソフィー",
    "おぼっちゃまのアンソニー",
    "おまわりさんのジェフ",
    "カラテおうのフミヒト",
    "クラウンのチャーリー",
    "げいじゅつかのピエール",
    "けんきゅういんのヨシノリ",
    "けんきゅういんのイクミ",
    "サイキッカーのツカサ",
    "サイキッカーのヤヨイ",
    "さぎょういんのマシュー",
    "さぎょういんのコウジ",
    "ジェントルマンのマサオミ",
    "じゅくがえりのマナブ",
    "じゅくがえりのコズエ",
    "スキンヘッズのテツヤ",
    "せいそういんのノブシゲ",
    "だいすきクラブのヒロシ",
    "だいすきクラブのケサコ",
    "ダンサーのデヴィット",
    "たんぱんこぞうのカズキ",
    "つりびとのカズトモ",
    "てつどういんのカズマサ",
    "ドクターのリョウイチ",
    "ナースのユキエ",
    "パイロットのマサフミ",
    "バックパッカーのヒロム",
    "バックパッカーのパティ",
    "バトルガールのユウキ",
    "パラソルおねえさんのヒヅキ",
    "ビジネスマンのトシオ",
    "ビジネスマンのアツヤ",
    "ベーカリーのユリエ",
    "ベテラントレーナーのアレン",
    "ベテラントレーナーのサユリ",
    "ほいくしのナナコ",
    "ポケモンブリーダーのヒロユキ",
    "ポケモンブリーダーのユキエ",
    "ポケモンレンジャーのアラン",
    "ポケモンレンジャーのマキコ",
    "マダムのエミリア",
    "ミニスカートのリカ",
    "ミュージシャンのショウイチ",
    "メイドのアリカ",
    "やまおとこのダイサク",
    "えんじのモトヤス",
    "えんじのマユコ",
};

void DomePick(const uint32_t* U, int32_t i, int32_t picks[kDomePicks]) {
    int32_t left[kDomeTrainerCount];
    for (int32_t j = 0; j < kDomeTrainerCount; ++j) left[j] = j;
    for (int32_t t = 0; t < kDomePicks; ++t) {
        const int32_t n = kDomeTrainerCount - t;
        const int32_t k = static_cast<int32_t>(ScaledDraw(U[i + t], static_cast<uint32_t>(n)));
        picks[t] = left[k];
        for (int32_t j = k; j + 1 < n; ++j) left[j] = left[j + 1];
    }
}

bool DomeChoicesSatisfied(const int32_t choices[6], const int32_t picks[kDomePicks]) {
    for (int c = 0; c < 6; ++c) {
        const int32_t choice = choices[c];
        if (choice == 0) continue;
        if (choice < 0 || choice > kDomeTrainerCount) return false;
        bool picked = false;
        for (int t = 0; t < kDomePicks; ++t) picked = picked || picks[t] == choice - 1;
        if (!picked) return false;
    }
    return true;
}

void PlanDome(const SearchRun& run, DomeScreenParams& p, ScreenPlan& plan) {
    const SearchSettings& s = *run.settings;
    if (s.domeShiftWidth < 0) {
        plan.nothing = true;  // the run counter never equals a negative width
        return;
    }
    p.width = s.domeShiftWidth;
    plan.lead = s.domeShiftWidth;
    for (int q = 0; q < 6; ++q) {
        const int32_t choice = s.domeTrainers[q];
        if (choice < 0 || choice > kDomeTrainerCount) {
            plan.nothing = true;  // a choice no pick can satisfy
            return;
        }
        p.trainer[q] = choice == 0 ? kDomeNoTrainer : static_cast<uint32_t>(choice - 1);
    }
    plan.reach = kDomeReach;
}

void EvaluateDomeRange(SearchRun& run, const CandidateMoment& moment, uint64_t seed, int32_t first,
                       int32_t last) {
    // Draws up to last + 5 lie below the fill mark.
    const uint32_t* U = run.lcg.U.data();
    const SearchSettings& s = *run.settings;
    const int32_t width = s.domeShiftWidth;
    int32_t runLength = 0;  // satisfied positions before i in the current run, up to width
    for (int32_t i = first; i <= last; ++i) {
        int32_t picks[kDomePicks];
        DomePick(U, i, picks);
        if (!DomeChoicesSatisfied(s.domeTrainers, picks)) {
            runLength = 0;
            continue;
        }
        if (runLength != width) {
            ++runLength;
            continue;
        }
        char* out = ResultRowStart(run, moment);
        if (!out) continue;
        out = RowAppendInt(out, i - width);
        *out++ = ',';
        out = RowAppendInt(out, i);
        *out++ = ',';
        ResultRowFinish(run, moment, RowAppendSeed(out, seed));
    }
}

void EvaluateDome(SearchRun& run, const CandidateMoment& moment, uint64_t seed) {
    EvaluateDomeRange(run, moment, seed, SearchRunPidStart(run), SearchRunPidEnd(run));
}
