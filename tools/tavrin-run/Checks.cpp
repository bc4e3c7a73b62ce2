// The `expect` statements: comparisons, tolerances, colours, automation errors, the event and
// PropertyChanged logs. Each one counts as passed or failed; a failure prints
// "FILE:LINE: expected X, got Y" and the script goes on.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/SystemColors.h"
#include "tools/tavrin-run/Interpreter.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {

// The statement's text after the word `expect`: what the script expected, in its own words.
std::string expectedText(const Stmt& s) {
    size_t space = s.source.find(' ');
    return space == std::string::npos ? s.source : s.source.substr(space + 1);
}

std::string colourText(uint32_t rgb) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "&H%06X", static_cast<unsigned>(rgb & 0xFFFFFFu));
    return buf;
}

bool coloursWithin(uint32_t x, uint32_t y, double tolerance) {
    for (int shift = 0; shift <= 16; shift += 8) {
        int cx = static_cast<int>((x >> shift) & 0xFF), cy = static_cast<int>((y >> shift) & 0xFF);
        if (std::abs(cx - cy) > tolerance) return false;
    }
    return true;
}

std::string logText(const std::vector<LoggedEvent>& log) {
    if (log.empty()) return "none";
    std::string text;
    for (size_t i = 0; i < log.size(); ++i) {
        text += (i ? ", " : "") + log[i].name;
        if (log[i].args.empty()) continue;
        text += "(";
        for (size_t j = 0; j < log[i].args.size(); ++j)
            text += (j ? ", " : "") + quotedText(log[i].args[j]);
        text += ")";
    }
    return text;
}

// Restores the error number that member access lets through, whatever happens.
class ExpectedErrorScope {
  public:
    ExpectedErrorScope(std::optional<int32_t>& slot, int32_t number) : slot_(slot), saved_(slot) {
        slot_ = number;
    }
    ~ExpectedErrorScope() { slot_ = saved_; }

  private:
    std::optional<int32_t>& slot_;
    std::optional<int32_t> saved_;
};

} // namespace

void Interpreter::fail(const Stmt& s, const std::string& expected, const std::string& got) {
    reporter_.failed(program_.fileName, s.line, expected, got);
}

std::string Interpreter::expectation(const Stmt& s) const {
    return s.kind == StmtKind::Expect || s.kind == StmtKind::ExpectLog ? expectedText(s) : "no error";
}

// A host colour as RGB: a system colour (high bit set) is looked up as the control would.
uint32_t Interpreter::rgbOf(const Variant& v) {
    uint32_t c = static_cast<uint32_t>(toI4(v));
    return platform::resolveOleColor(c, [this](int32_t index) { return session_->sysColor(index); });
}

void Interpreter::expect(const Stmt& s) {
    Variant left = eval(s.exprs[0]);
    if (s.exprs.size() == 1) {
        if (toBool(left)) return pass();
        return fail(s, expectedText(s), quotedText(left));
    }
    Variant right = eval(s.exprs[1]);
    if (s.word == "colour~") {
        uint32_t got = rgbOf(left);
        if (coloursWithin(got, rgbOf(right), evalNumber(s.exprs[2]))) return pass();
        return fail(s, expectedText(s), colourText(got));
    }
    bool holds;
    if (s.word == "~")
        holds = std::fabs(toR8(left) - toR8(right)) <= evalNumber(s.exprs[2]);
    else
        holds = comparisonHolds(s.word, left, right);
    if (holds) return pass();
    fail(s, expectedText(s), quotedText(left));
}

void Interpreter::expectError(const Stmt& s) {
    int32_t number = evalInt(s.exprs[0]);
    std::string expected = "error " + std::to_string(number);
    try {
        ExpectedErrorScope scope(expectedError_, number);
        execute(*s.inner);
    } catch (const AutomationError& e) {
        if (e.number() == number) return pass();
        return fail(s, expected, "error " + std::to_string(e.number()) + " (" + e.what() + ")");
    }
    fail(s, expected, "no error");
}

std::vector<LoggedEvent> Interpreter::takeLog(const Stmt& s) {
    std::vector<LoggedEvent> log;
    // Only the log the statement names starts afresh.
    if (namesEqual(s.word, "events")) {
        log = std::move(session_->events());
        session_->events().clear();
    } else {
        for (const std::string& name : session_->changed())
            log.push_back({name, {}});
        session_->changed().clear();
    }
    return log;
}

void Interpreter::expectLog(const Stmt& s) {
    const std::vector<LoggedEvent> log = takeLog(s);
    bool holds = log.size() == s.patterns.size();
    for (size_t i = 0; holds && i < log.size(); ++i) {
        const LogPattern& p = s.patterns[i];
        holds = namesEqual(p.name, log[i].name);
        if (!holds || !p.hasArgs) continue;
        holds = p.args.size() == log[i].args.size();
        for (size_t j = 0; holds && j < p.args.size(); ++j)
            holds = valuesEqual(eval(p.args[j]), log[i].args[j]);
    }
    if (holds) return pass();
    fail(s, expectedText(s), s.word + " " + logText(log));
}

} // namespace tavrin::run
