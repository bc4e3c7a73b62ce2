#include "tools/tavrin-run/Interpreter.h"

#include <cmath>
#include <new>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {
// A DoEvents loop that keeps asking for input after the script has ended and every held button
// was released cannot end by itself; past this many calls the script is abandoned.
constexpr long kMaxPumpCallsAfterEnd = 100000;

// Thrown through the control's code to abandon a loop that does not end.
struct Abandon {};
} // namespace

Interpreter::Interpreter(const Program& program, RunOptions options, Reporter& reporter)
    : program_(program), options_(std::move(options)), reporter_(reporter) {}

Interpreter::~Interpreter() = default;

bool Interpreter::run() {
    auto trace = [this](const std::string& line) { reporter_.print(line); };
    session_ = Session::make(options_.trace ? std::function<void(const std::string&)>(trace) : nullptr);
    session_->setInputPump([this] { return pump(); });
    session_->setWorkBudget(options_.workBudget, [this] { overBudget(); });
    if (auto whole = program_.headlessOnly.find(0);
        whole != program_.headlessOnly.end() && !Session::headless()) {
        reporter_.print(program_.fileName + ": skipped on this host (headless only: " + whole->second + ")");
        return true;
    }
    try {
        while (pc_ < program_.statements.size() && !stopped_)
            step();
    } catch (const Abandon&) {
        // stopped_ says why
    }
    if (stopped_) {
        reporter_.scriptError(program_.fileName, stopped_->line(), stopped_->what());
        return false;
    }
    return true;
}

void Interpreter::overBudget() {
    stopWith(
        ScriptError(line_, "the script did more than " + std::to_string(options_.workBudget) +
                               " steps (statements, DoEvents and timer ticks): a loop that does not end?"));
    throw Abandon{};
}

bool Interpreter::step() {
    if (++statementsRun_ + session_->workSpent() > options_.workBudget) overBudget();
    const Stmt& s = program_.statements[pc_++];
    if (!Session::headless() && program_.headlessOnly.count(s.line)) {
        // A log check left out still ends its span: the next one counts from here, as on the
        // simulated desktop.
        if (s.kind == StmtKind::ExpectLog) takeLog(s);
        return false;
    }
    int outerLine = line_;
    line_ = s.line;
    try {
        executeCounted(s);
    } catch (const ScriptError& e) {
        stopWith(e);
    } catch (const std::bad_alloc&) {
        stopWith(ScriptError(s.line, "out of memory"));
    } catch (const std::exception& e) {
        // Whatever else a statement raised ends the script with a message, never the process.
        stopWith(ScriptError(s.line, e.what()));
    }
    line_ = outerLine;
    if (pumpDepth_ == 0) session_->releaseRetired();
    return isInput(s);
}

// Runs the next statements up to and including one input, so that the control waiting for input
// gets it. False when there is nothing left to run: the waiting control must give up.
bool Interpreter::pump() {
    if (stopped_ || pc_ >= program_.statements.size()) {
        if (!stopped_) {
            int line = program_.statements.empty() ? 0 : program_.statements.back().line;
            bool modal = session_->menuShown() || session_->shownForm();
            if (modal || !held_.empty())
                stopWith(
                    ScriptError(line, std::string("the script ended while the control was still waiting: ") +
                                          (modal ? "a popup menu or the about box is open"
                                                 : "a mouse button is still held in a drag")));
        }
        releaseHeldInput();
        if (++pumpCallsAfterStop_ > kMaxPumpCallsAfterEnd) {
            if (!stopped_)
                stopWith(ScriptError(0, "the control kept waiting for input after the script ended"));
            throw Abandon{};
        }
        return false;
    }
    ++pumpDepth_;
    bool wasInput = false;
    while (!wasInput && !stopped_ && pc_ < program_.statements.size())
        wasInput = step();
    --pumpDepth_;
    return true;
}

void Interpreter::stopWith(const ScriptError& e) {
    if (!stopped_) stopped_ = e;
    if (pumpDepth_ > 0) releaseHeldInput();
}

// Lets the control's loops end: every button the script holds goes up where it went down.
void Interpreter::releaseHeldInput() {
    while (!held_.empty()) {
        Held h = held_.back();
        held_.pop_back();
        try {
            session_->mouseUp(h.hwnd, h.button, h.x, h.y, 0);
        } catch (const AutomationError&) {
            // the script is over; the release only has to happen
        }
    }
}

void Interpreter::executeCounted(const Stmt& s) {
    try {
        execute(s);
        // Each statement is one thing the host did, as a handler of a real program is: the paints
        // it left pending are delivered before the next statement, as a message loop would.
        session_->flushPaints();
    } catch (const AutomationError& e) {
        fail(s, expectation(s), "error " + std::to_string(e.number()) + " (" + e.what() + ")");
    }
}

void Interpreter::execute(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Screen:
    case StmtKind::SysColor:
    case StmtKind::Ambient:
    case StmtKind::PicturesFail:
        return setup(s);
    case StmtKind::New:
    case StmtKind::Load:
    case StmtKind::Save:
    case StmtKind::Reload:
    case StmtKind::Terminate:
    case StmtKind::Resize:
        return lifecycle(s);
    case StmtKind::Snapshot:
        return snapshot(s);
    case StmtKind::Assign:
        return assign(s, false);
    case StmtKind::SetObject:
        return assign(s, true);
    case StmtKind::Call:
        return call(s);
    case StmtKind::Print: {
        std::string line;
        for (size_t i = 0; i < s.exprs.size(); ++i)
            line += (i ? " " : "") + displayText(eval(s.exprs[i]));
        return reporter_.print(line);
    }
    case StmtKind::Expect:
        return expect(s);
    case StmtKind::ExpectError:
        return expectError(s);
    case StmtKind::ExpectLog:
        return expectLog(s);
    case StmtKind::ExpectMenu: {
        bool shown = session_->menuShown();
        if (shown == (s.word == "shown")) return pass();
        return fail(s, "menu " + s.word, shown ? "menu shown" : "menu hidden");
    }
    case StmtKind::For:
        return forStart(s);
    case StmtKind::Next:
        return forNext(s);
    default:
        return input(s);
    }
}

void Interpreter::forStart(const Stmt& s) {
    size_t self = pc_ - 1;
    Variant from = eval(s.exprs[0]);
    double end = evalNumber(s.exprs[1]);
    double stepBy = s.exprs.size() > 2 ? evalNumber(s.exprs[2]) : 1;
    if (stepBy == 0) throw ScriptError(s.line, "a loop step of 0 never ends");
    if (!from.isNumeric()) throw ScriptError(s.line, "a loop needs numbers");
    if (!std::isfinite(toR8(from)) || !std::isfinite(end) || !std::isfinite(stepBy))
        throw ScriptError(s.line, "a loop needs finite bounds and step");
    if (toR8(from) + stepBy == toR8(from))
        throw ScriptError(s.line, "a loop step this small cannot move the loop variable");
    variables_[toLower(s.word)] = from;
    loopEnds_[self] = end;
    loopSteps_[self] = stepBy;
    double v = toR8(from);
    if (stepBy > 0 ? v > end : v < end) pc_ = s.jump + 1;
}

void Interpreter::forNext(const Stmt& s) {
    const Stmt& head = program_.statements[s.jump];
    if (!s.word.empty() && !namesEqual(s.word, head.word))
        throw ScriptError(s.line, "'next " + s.word + "' closes the loop of " + head.word);
    Variant& var = variables_[toLower(head.word)];
    double stepBy = loopSteps_[s.jump];
    bool whole = std::floor(stepBy) == stepBy && std::fabs(stepBy) < 1e9;
    const double before = toR8(var);
    var = applyOperator("+", var, whole ? Variant::i4(static_cast<int32_t>(stepBy)) : Variant::r8(stepBy));
    double v = toR8(var), end = loopEnds_[s.jump];
    // A step lost in the rounding of a large value would keep the loop from ever reaching its end.
    if (v == before) throw ScriptError(s.line, "the loop variable no longer moves: the loop cannot end");
    if (stepBy > 0 ? v <= end : v >= end) pc_ = s.jump + 1;
}

} // namespace tavrin::run
