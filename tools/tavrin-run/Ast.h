// The parsed form of a script: expressions, statements and the program they make.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Variant.h"

namespace tavrin::run {

// A script that cannot go on: a syntax error, an unknown member, a statement that makes no sense
// in the current state. The line is 0 when the error is not tied to a statement.
class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& message) : std::runtime_error(message), line_(line) {}
    int line() const { return line_; }

  private:
    int line_;
};

struct Expr;
using ExprPtr = std::shared_ptr<const Expr>;

// One argument of a call: positional (empty name) or named (`StartWith:=True`); a null value is
// an empty position.
struct Arg {
    std::string name;
    ExprPtr value;
};

// One step of a reference: `List`, `.optSelectionMenu(2)`, `.Enabled`.
struct Segment {
    std::string name;
    bool hasArgs = false;
    std::vector<Arg> args;
};

struct Expr {
    Expr() = default;
    Expr(const Expr&) = default;
    Expr& operator=(const Expr&) = default;
    // A long chain `1 + 1 + ... + 1` is a left spine as deep as it is long: released link by link
    // instead of by one recursive destructor call per link.
    ~Expr() {
        ExprPtr next = std::move(left);
        while (next && next.use_count() == 1) {
            ExprPtr after = std::move(const_cast<Expr&>(*next).left);
            next = std::move(after);
        }
    }

    enum class Kind : uint8_t { Literal, Ref, Enum, Unary, Binary };
    Kind kind = Kind::Literal;
    Variant literal;           // Literal
    std::vector<Segment> path; // Ref: the base name first, then the members
    std::string op;            // Unary "-", Binary "&", "+", "-", "*", "/"; Enum: the bracketed name
    ExprPtr left, right;       // Unary: left only
    std::string_view source;   // the script's own text of the expression (in Program::text)
};

// An event or PropertyChanged entry that `expect events` / `expect changed` wants.
struct LogPattern {
    std::string name;
    bool hasArgs = false;
    std::vector<ExprPtr> args;
};

enum class StmtKind : uint8_t {
    Screen,
    SysColor,
    Ambient,
    PicturesFail, // host set-up
    New,
    Load,
    Save,
    Reload,
    Terminate,
    Resize, // the control's life
    Assign,
    SetObject,
    Call,
    Print, // calling the control
    Expect,
    ExpectError,
    ExpectLog,
    ExpectMenu, // checking
    Mouse,
    Click,
    Key,
    KeyPress,
    Type,
    Focus,
    Wait, // user input
    MenuChoose,
    MenuCancel,
    AboutClose,
    Snapshot, // modal things and pictures
    For,
    Next, // loops
};

struct Stmt {
    StmtKind kind = StmtKind::Print;
    int line = 0;
    std::string source;               // the statement's text, for messages
    std::string word;                 // type name, property, operator, action, window, log kind...
    std::string text;                 // a file name or an inline bag
    std::vector<ExprPtr> exprs;       // operands in the statement's order
    Expr target;                      // Assign / SetObject / Call: the reference
    std::vector<Arg> args;            // Call: the arguments
    std::vector<LogPattern> patterns; // ExpectLog (empty: none)
    int16_t button = 0;               // Mouse: the button pressed or released
    int16_t buttons = 0;              // Mouse move: the buttons held
    int16_t shift = 0;                // Mouse / Key: the modifier mask
    std::string window;               // input target given with `on`, snapshot window given with `of`
    std::shared_ptr<Stmt> inner;      // ExpectError: the statement expected to fail
    size_t jump = 0;                  // For: the index of its Next; Next: the index of its For
};

struct Program {
    std::shared_ptr<const std::string> text; // the script, which the expressions' sources point into
    std::string fileName;
    std::vector<Stmt> statements;
    // Checks that hold only on the simulated desktop, by line (0: the whole script), with their
    // reasons: a comment `' headless only: REASON` after the statement, or alone before the first
    // statement of the script. Other hosts skip them.
    std::map<int, std::string> headlessOnly;
};

} // namespace tavrin::run
