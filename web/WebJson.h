// JSON for the page: strings, and the description of the settings fields
// and the modes the form is built from.
#pragma once

#include <string>

#include "modes/SettingsFields.h"

// A JSON string literal of UTF-8 text.
std::string JsonString(const std::string& text);
// The text without the blanks around it.
std::string JsonTrim(const std::string& text);

// {"engine", "consoleFields", "fields":[{"name", "option", "kind", "count",
// "low", "high", "group", "caption", "list", "labels", "help", "value"}...],
// "modes":[{"mode", "switch"}...]}: the table of settings fields with each
// one's value in `initial`, and the modes in the driver's precedence with
// the field of each one's switch ("" for the individual-value search, which
// has none). A list is {"lead", "names", "first"}; texts of the tables that
// are code page 932 in every build (the result file's) come as
// {"cp932": hexadecimal bytes}, every other text as UTF-8.
std::string WebDescribeJson(const SettingsRecord& initial, const char* engineName);
