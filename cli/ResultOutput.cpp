#include "cli/ResultOutput.h"

#include <cerrno>
#include <cstring>

#include "cli/Console.h"

namespace {

void WriteBytes(ResultOutput& out, const std::string& bytes) {
    if (out.error != 0 || bytes.empty()) return;
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), out.file) != bytes.size())
        out.error = errno != 0 ? errno : EIO;
}

// One complete line without its line end, as the output takes it.
void AddLine(ResultOutput& out, const char* line, size_t length, std::string& text) {
    const bool header = out.headerPending;
    out.headerPending = false;
    if (!header) ++out.rows;
    std::string converted(line, length);
    if (out.rangeColumns) converted += header ? std::string(",Timer0,VCount") : out.columns;
    if (out.utf8) {
        Cp932ToUtf8(converted.data(), converted.size(), text);
        text += '\n';
    } else {
        text += converted;
        text += "\r\n";
    }
}

}  // namespace

bool ResultOutputOpen(ResultOutput& out, const std::string& path, bool utf8, bool rangeColumns,
                      std::string& error) {
    out = ResultOutput{};
    out.path = path;
    out.utf8 = utf8;
    out.rangeColumns = rangeColumns;
    out.headerPending = true;
    if (path == "-") {
        ConsoleStdoutBinary();
        out.file = stdout;
        return true;
    }
    out.file = std::fopen(path.c_str(), "wb");
    if (!out.file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

void ResultOutputSetConsole(ResultOutput& out, uint32_t timer0, uint32_t vCount) {
    char columns[32];
    std::snprintf(columns, sizeof columns, ",%X,%X", static_cast<unsigned>(timer0),
                  static_cast<unsigned>(vCount));
    out.columns = columns;
}

void ResultOutputWrite(ResultOutput& out, const char* bytes, size_t length) {
    std::string text;
    size_t start = 0;
    for (size_t i = 0; i < length; ++i) {
        if (bytes[i] != '\n') continue;
        size_t end = i;  // the line without its CR LF (a bare LF ends one too)
        if (!out.pending.empty()) {
            out.pending.append(bytes + start, end - start);
            if (!out.pending.empty() && out.pending.back() == '\r') out.pending.pop_back();
            AddLine(out, out.pending.data(), out.pending.size(), text);
            out.pending.clear();
        } else {
            size_t lineEnd = (end > start && bytes[end - 1] == '\r') ? end - 1 : end;
            AddLine(out, bytes + start, lineEnd - start, text);
        }
        start = i + 1;
    }
    out.pending.append(bytes + start, length - start);
    WriteBytes(out, text);
}

bool ResultOutputClose(ResultOutput& out, std::string& error) {
    if (!out.file) return true;
    if (std::fflush(out.file) != 0 && out.error == 0) out.error = errno != 0 ? errno : EIO;
    if (out.file != stdout && std::fclose(out.file) != 0 && out.error == 0)
        out.error = errno != 0 ? errno : EIO;
    out.file = nullptr;
    if (out.error != 0) {
        error = (out.path == "-" ? std::string("standard output") : out.path) + ": " +
                std::strerror(out.error);
        return false;
    }
    return true;
}
