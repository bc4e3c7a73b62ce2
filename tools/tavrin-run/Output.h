// What the script host reports: printed values, failed expectations, traces, script errors and the
// summary line, with the counts of all scripts of one run.
#pragma once

#include <ostream>
#include <string>

namespace tavrin::run {

class Reporter {
  public:
    Reporter(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    void print(const std::string& text) { out_ << text << '\n'; }
    void passed() { ++passed_; }
    // "FILE:LINE: expected X, got Y"
    void failed(const std::string& file, int line, const std::string& expected, const std::string& got);
    // A script error, named by FILE:LINE (LINE 0: the file alone).
    void scriptError(const std::string& file, int line, const std::string& message);
    // "N passed, M failed"
    void summary();

    int passedCount() const { return passed_; }
    int failedCount() const { return failed_; }
    bool hadScriptError() const { return scriptErrors_ > 0; }
    // 2 after a script error, 1 after a failed expectation, else 0.
    int exitCode() const;

  private:
    std::ostream& out_;
    std::ostream& err_;
    int passed_ = 0, failed_ = 0, scriptErrors_ = 0;
};

} // namespace tavrin::run
