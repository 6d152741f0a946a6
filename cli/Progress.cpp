#include "cli/Progress.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr double kRedrawSeconds = 0.1;

std::string Clock(double seconds) {
    if (seconds < 0) seconds = 0;
    uint64_t s = static_cast<uint64_t>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%llu:%02llu:%02llu", static_cast<unsigned long long>(s / 3600),
                  static_cast<unsigned long long>(s / 60 % 60), static_cast<unsigned long long>(s % 60));
    return text;
}

double Rate(const ProgressState& state, double elapsedSeconds) {
    return elapsedSeconds > 0 ? static_cast<double>(state.done) / elapsedSeconds : 0.0;
}

}  // namespace

std::string ProgressLine(const ProgressState& state, double elapsedSeconds) {
    double percent = state.total > 0 ? 100.0 * static_cast<double>(state.done) / static_cast<double>(state.total)
                                     : 100.0;
    double rate = Rate(state, elapsedSeconds);
    std::string left = rate > 0 ? Clock(static_cast<double>(state.total - state.done) / rate) : "?";
    char text[160];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %6.1f%%  %.0f candidates/s  rows %llu  left %s",
                  2000 + state.year, state.month, state.day, percent, rate,
                  static_cast<unsigned long long>(state.rows), left.c_str());
    return text;
}

std::string ProgressSummary(const ProgressState& state, double elapsedSeconds) {
    char text[160];
    std::snprintf(text, sizeof text, "%llu candidates, %llu rows, %.1f s, %.0f candidates/s",
                  static_cast<unsigned long long>(state.done), static_cast<unsigned long long>(state.rows),
                  elapsedSeconds, Rate(state, elapsedSeconds));
    return text;
}

double ProgressNow() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void ProgressStart(ProgressState& state, bool enabled, uint64_t total) {
    state = ProgressState{};
    state.enabled = enabled;
    state.total = total;
    state.startSeconds = ProgressNow();
    state.lastDrawSeconds = state.startSeconds - kRedrawSeconds;
}

static void Draw(ProgressState& state, const std::string& line, const char* end) {
    // Blanks instead of an erase sequence: the Windows console shows those as text.
    std::string padded = line;
    if (padded.size() < state.lastWidth) padded.append(state.lastWidth - padded.size(), ' ');
    std::fprintf(stderr, "\r%s%s", padded.c_str(), end);
    std::fflush(stderr);
    state.lastWidth = line.size();
}

void ProgressUpdate(ProgressState& state) {
    if (!state.enabled) return;
    double now = ProgressNow();
    if (now - state.lastDrawSeconds < kRedrawSeconds) return;
    state.lastDrawSeconds = now;
    Draw(state, ProgressLine(state, now - state.startSeconds), "");
}

void ProgressFinish(ProgressState& state, bool interrupted) {
    if (!state.enabled) return;
    std::string summary = ProgressSummary(state, ProgressNow() - state.startSeconds);
    if (interrupted) summary = "interrupted: " + summary;
    Draw(state, summary, "\n");
}
