#include "tools/tavrin-run/Output.h"

namespace tavrin::run {

namespace {
std::string where(const std::string& file, int line) {
    return line > 0 ? file + ":" + std::to_string(line) : file;
}
} // namespace

void Reporter::failed(const std::string& file, int line, const std::string& expected,
                      const std::string& got) {
    ++failed_;
    out_ << where(file, line) << ": expected " << expected << ", got " << got << '\n';
}

void Reporter::scriptError(const std::string& file, int line, const std::string& message) {
    ++scriptErrors_;
    out_.flush();
    err_ << where(file, line) << ": script error: " << message << '\n';
    err_.flush();
}

void Reporter::summary() {
    out_ << passed_ << " passed, " << failed_ << " failed" << std::endl;
}

int Reporter::exitCode() const {
    if (scriptErrors_ > 0) return 2;
    return failed_ > 0 ? 1 : 0;
}

} // namespace tavrin::run
