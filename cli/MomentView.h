// morvane-cli inspect: one moment (or one initial seed) looked at in full.
// It prints the message words and the initial seed, then for every mode the
// rows that mode's own evaluation writes for that one candidate with every
// filter opened, in the result file's columns, over the settings' position
// ranges.
#pragma once

#include <cstdint>
#include <string>

#include "cli/ResultOutput.h"
#include "modes/SearchRun.h"
#include "modes/SettingsFields.h"

struct MomentViewRequest {
    bool atGiven;
    CandidateMoment moment;  // --at and --held (key mask 1023 when no key is held)
    bool heldGiven;          // the rows end with the held keys, as with key input on
    bool seedGiven;
    uint64_t seed;           // --seed instead of the moment's digest
};

// The forms --at, --held and --seed take (calibrate's too); false with
// "expects ..." for the option's name to precede.
// "2012-11-29T14:58:21": a real date of 2000..2099 and a time of day.
bool MomentViewParseAt(const std::string& text, CandidateMoment& moment, std::string& error);
// The moment as --at takes it.
std::string MomentViewMomentText(const CandidateMoment& moment);
// Key names separated by spaces or commas: A B Se St Right Left Up Down R L
// (Select, Start too, in any case); the mask with their bits cleared.
bool MomentViewParseHeld(const std::string& text, uint32_t& keyMask, std::string& error);
// Sixteen hexadecimal digits.
bool MomentViewParseSeed(const std::string& text, uint64_t& seed, std::string& error);
// The keys held in a mask by the names --held takes, "" for none.
std::string MomentViewHeldText(uint32_t keyMask);

// The settings as a search of the one moment takes them: its date as the
// first and last, its time as the ranges, key input on when keys are held.
void MomentViewSettle(SettingsRecord& settings, const MomentViewRequest& request);

// The settings with every filter of the mode opened: bounds 0..31, any
// hidden-power type from power 0, any nature, ability and gender, no shiny
// test of the egg or the delivery, no dome trainer chosen, every grotto slot
// and female ratio; grottoKind the kind entry given.
SearchSettings MomentViewOpened(const SearchSettings& settings, SearchMode mode, int32_t grottoKind);

// What a search of the one candidate writes in the mode with its filters
// opened: the header line and the rows, in the window's bytes.
std::string MomentViewModeRows(const SearchSettings& opened, const CandidateMoment& moment, uint64_t seed);

// Writes the whole inspection to the output.
void MomentViewWrite(const SettingsRecord& settings, const MomentViewRequest& request, ResultOutput& out);
