// Runs one parsed script against a fresh host.
//
// One program counter serves two callers:
//   1. the main loop, which runs statement after statement;
//   2. the input pump, which the desktop calls while the control waits inside a DoEvents loop or a
//      modal thing (popup menu, about box): it runs the next statements up to and including the
//      next input (or `wait`), as a message loop would deliver them, then returns to the control.
// A script error inside the pump stops the script: held buttons are released, menus and forms
// close, and the error is reported once the outer statement has returned.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tools/tavrin-run/Ast.h"
#include "tools/tavrin-run/Output.h"
#include "tools/tavrin-run/Session.h"

namespace tavrin::run {

struct RunOptions {
    bool trace = false;
    std::string outDir = ".";    // where snapshots go
    std::string scriptDir = "."; // relative file names of load/save/LoadPicture
    // What one script may spend: statements run, DoEvents calls and timer ticks together. A script
    // that gets there is in a loop that does not end (a wait of weeks under a 10 ms timer, a loop
    // of billions of rounds); it stops with a script error instead of holding the host.
    uint64_t workBudget = 20'000'000;
};

class Interpreter {
  public:
    Interpreter(const Program& program, RunOptions options, Reporter& reporter);
    ~Interpreter();
    // Runs the script to its end; false when a script error stopped it (already reported).
    bool run();

  private:
    // ---- control flow (Interpreter.cpp)
    bool step(); // runs statements_[pc_++]; true when it was an input
    bool pump(); // the desktop's input pump
    void stopWith(const ScriptError& e);
    [[noreturn]] void overBudget(); // stops the script and abandons the loops that spent it
    void releaseHeldInput();
    void execute(const Stmt& s);        // may throw ScriptError or AutomationError
    void executeCounted(const Stmt& s); // an uncaught automation error is a failed expectation
    void forStart(const Stmt& s);
    void forNext(const Stmt& s);

    // ---- host set-up and the control's life (Lifecycle.cpp)
    void setup(const Stmt& s);
    void lifecycle(const Stmt& s);
    std::string scriptPath(const std::string& name) const;
    void needControl(const Stmt& s);

    // ---- expressions and members (Expressions.cpp)
    Variant eval(const ExprPtr& e) { return eval(*e); }
    Variant eval(const Expr& e);
    Variant evalRef(const Expr& e);
    Variant base(const Segment& seg);
    Variant construct(const Segment& seg);
    Variant resolvePrefix(const std::vector<Segment>& path); // all but the last segment
    std::vector<Variant> evalArgs(const std::vector<Arg>& args, std::vector<NamedArg>& named);
    Variant member(const Variant& object, const Segment& seg, InvokeKind kind, const Variant* value);
    Variant invokeMember(Dispatchable& d, const std::string& owner, const std::string& name, InvokeKind kind,
                         CallArgs args);
    [[noreturn]] void missingMember(const std::string& owner, const std::string& name);
    void assign(const Stmt& s, bool setObject);
    void call(const Stmt& s);
    int32_t evalInt(const ExprPtr& e);
    double evalNumber(const ExprPtr& e);
    std::string evalText(const ExprPtr& e);

    // ---- checks (Checks.cpp)
    void expect(const Stmt& s);
    void expectError(const Stmt& s);
    void expectLog(const Stmt& s);
    // The log an `expect events` or `expect changed` names, which starts afresh.
    std::vector<LoggedEvent> takeLog(const Stmt& s);
    void pass() { reporter_.passed(); }
    void fail(const Stmt& s, const std::string& expected, const std::string& got);
    std::string expectation(const Stmt& s) const; // what a statement that raised had expected
    uint32_t rgbOf(const Variant& colour);

    // ---- input and pictures (Input.cpp)
    bool isInput(const Stmt& s) const;
    void input(const Stmt& s);
    void mouse(const Stmt& s);
    int32_t windowHandle(const std::string& name, int line);
    void waitFor(uint32_t ms);
    void snapshot(const Stmt& s);

    const Program& program_;
    RunOptions options_;
    Reporter& reporter_;
    std::unique_ptr<Session> session_;
    std::map<std::string, Variant> variables_; // lower-case names
    std::map<size_t, double> loopEnds_;        // For statement index -> end value
    std::map<size_t, double> loopSteps_;
    size_t pc_ = 0;
    int line_ = 0; // the line of the statement running
    int pumpDepth_ = 0;
    std::optional<ScriptError> stopped_;
    std::optional<int32_t> expectedError_; // inside `expect error N:`
    struct Held {
        int32_t hwnd;
        int16_t button;
        float x, y;
    };
    std::vector<Held> held_; // buttons the script holds down
    long pumpCallsAfterStop_ = 0;
    uint64_t statementsRun_ = 0;
};

} // namespace tavrin::run
