// A test case: what a user does in the window before pressing "検索開始".
// The driver performs it on the running program; the helper turns the same
// steps into the settings record and lets the core write the expected file.
//
// One step a line ("#" starts a comment):
//   set ID TEXT          edit text (the rest of the line, may be empty)
//   check ID 0|1         check box state
//   select ID INDEX      list selection
//   radio ID             click a radio button
//   dialog D STEP        one of the steps above inside settings dialog D,
//                        which is opened, filled and closed with "OK"
//   config TEXT          a line of "config.txt" written before the start
// Texts are code page 932 bytes; the cases in the repository keep to ASCII.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

enum E2eAction { kE2eSet, kE2eCheckStep, kE2eSelect, kE2eRadioStep };

struct E2eStep {
    int dialog;  // 0 = main window
    E2eAction action;
    int id;
    std::string text;  // set: the text
    int value;         // check: 0/1, select: index
};

struct E2eCase {
    std::vector<E2eStep> steps;
    std::vector<std::string> configLines;
    std::string error;  // empty when the file parsed
};

inline bool E2eParseStep(const std::string& line, int dialog, E2eStep& step) {
    size_t space = line.find(' ');
    std::string verb = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : line.substr(space + 1);
    step.dialog = dialog;
    step.value = 0;
    char* end = nullptr;
    long id = std::strtol(rest.c_str(), &end, 10);
    if (end == rest.c_str()) return false;
    step.id = static_cast<int>(id);
    std::string after = *end == ' ' ? std::string(end + 1) : std::string(end);
    if (verb == "set") {
        step.action = kE2eSet;
        step.text = after;
        return true;
    }
    if (verb == "check" || verb == "select") {
        step.action = verb == "check" ? kE2eCheckStep : kE2eSelect;
        if (after.empty()) return false;
        step.value = std::atoi(after.c_str());
        return true;
    }
    if (verb == "radio") {
        step.action = kE2eRadioStep;
        return after.empty();
    }
    return false;
}

inline E2eCase E2eParseCase(const std::string& text) {
    E2eCase c;
    size_t start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        if (line.compare(0, 7, "config ") == 0 || line == "config") {
            c.configLines.push_back(line.size() > 7 ? line.substr(7) : "");
            continue;
        }
        int dialog = 0;
        std::string stepText = line;
        if (line.compare(0, 7, "dialog ") == 0) {
            char* after = nullptr;
            dialog = static_cast<int>(std::strtol(line.c_str() + 7, &after, 10));
            stepText = *after == ' ' ? std::string(after + 1) : std::string();
        }
        E2eStep step;
        if (!E2eParseStep(stepText, dialog, step)) {
            c.error = "line " + std::to_string(lineNumber) + ": cannot read \"" + line + "\"";
            return c;
        }
        c.steps.push_back(step);
    }
    return c;
}

inline bool E2eReadFile(const std::string& path, std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bytes.clear();
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
    std::fclose(f);
    return true;
}

inline E2eCase E2eLoadCase(const std::string& path) {
    std::string bytes;
    if (!E2eReadFile(path, bytes)) {
        E2eCase c;
        c.error = "cannot read " + path;
        return c;
    }
    return E2eParseCase(bytes);
}

// The dialogs a case fills, in the order they first appear.
inline std::vector<int> E2eCaseDialogs(const E2eCase& c) {
    std::vector<int> dialogs;
    for (const E2eStep& s : c.steps) {
        if (s.dialog == 0) continue;
        bool seen = false;
        for (int d : dialogs) seen = seen || d == s.dialog;
        if (!seen) dialogs.push_back(s.dialog);
    }
    return dialogs;
}
