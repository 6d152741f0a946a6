// JSON for the page: strings, and the description of the settings fields
// and the modes the form is built from.
#pragma once

#include <string>

#include "cli/SettingsFile.h"

// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& text);
// The text without the blanks around it.
std::string JsonTrim(const std::string& text);

// {"engine":..., "fields":[{"name", "option", "kind", "count", "low", "high",
// "help", "value"}...], "modes":[{"mode", "switch"}...]}: the table of
// settings fields with each one's value in `initial`, and the modes in the
// driver's precedence with the field of each one's switch ("" for the
// individual-value search, which has none).
std::string WebDescribeJson(const CliSettings& initial, const char* engineName);
