#include "tools/tavrin-run/Parser.h"

#include <limits>

#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Lexer.h"

namespace tavrin::run {

namespace {

class LineParser {
public:
    LineParser(std::string_view line, int lineNo) : src_(line), tokens_(tokenize(line)), line_(lineNo) {}

    // The statements of the line, in order.
    std::vector<Stmt> run() {
        std::vector<Stmt> out;
        while (at().kind != TokenKind::End) {
            out.push_back(statement());
            if (at().kind == TokenKind::End) break;
            expectSymbol(":");
        }
        return out;
    }

private:
    // ---- tokens
    const Token& at(size_t ahead = 0) const { return tokens_[std::min(pos_ + ahead, tokens_.size() - 1)]; }
    const Token& take() {
        const Token& t = at();
        if (t.kind != TokenKind::End) ++pos_;
        return t;
    }
    bool atStatementEnd() const { return at().kind == TokenKind::End || at().isSymbol(":"); }
    bool acceptWord(std::string_view w) {
        if (!at().isWord(w)) return false;
        ++pos_;
        return true;
    }
    bool acceptSymbol(std::string_view s) {
        if (!at().isSymbol(s)) return false;
        ++pos_;
        return true;
    }
    [[noreturn]] void fail(const std::string& what) const {
        const Token& t = at();
        std::string near = t.kind == TokenKind::End ? "end of line" : "'" + std::string(src_.substr(t.begin, t.end - t.begin)) + "'";
        throw ScriptError(line_, "syntax error: " + what + " (at " + near + ")");
    }
    void expectSymbol(std::string_view s) {
        if (!acceptSymbol(s)) fail("expected '" + std::string(s) + "'");
    }
    void expectWord(std::string_view w) {
        if (!acceptWord(w)) fail("expected '" + std::string(w) + "'");
    }
    std::string word(const char* what) {
        if (at().kind != TokenKind::Word) fail(std::string("expected ") + what);
        return take().text;
    }
    std::string sourceFrom(size_t firstToken) const {
        size_t b = tokens_[firstToken].begin;
        size_t e = pos_ > firstToken ? tokens_[pos_ - 1].end : b;
        return std::string(src_.substr(b, e - b));
    }

    // ---- expressions
    ExprPtr literal(Variant v, size_t first) {
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Kind::Literal;
        e->literal = std::move(v);
        e->source = sourceFrom(first);
        return e;
    }

    ExprPtr binary(ExprPtr l, std::string op, ExprPtr r, size_t first) {
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Kind::Binary;
        e->op = std::move(op);
        e->left = std::move(l);
        e->right = std::move(r);
        e->source = sourceFrom(first);
        return e;
    }

    ExprPtr expression() {
        size_t first = pos_;
        ExprPtr e = additive();
        while (at().isSymbol("&")) {
            take();
            e = binary(e, "&", additive(), first);
        }
        return e;
    }
    ExprPtr additive() {
        size_t first = pos_;
        ExprPtr e = term();
        while (at().isSymbol("+") || at().isSymbol("-")) {
            std::string op = take().text;
            e = binary(e, op, term(), first);
        }
        return e;
    }
    ExprPtr term() {
        size_t first = pos_;
        ExprPtr e = operand();
        while (at().isSymbol("*") || at().isSymbol("/")) {
            std::string op = take().text;
            e = binary(e, op, operand(), first);
        }
        return e;
    }

    // A value without binary operators: what input statements take as coordinates (`click 10 -5`).
    ExprPtr operand() {
        size_t first = pos_;
        if (acceptSymbol("-")) {
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Kind::Unary;
            e->op = "-";
            e->left = operand();
            e->source = sourceFrom(first);
            return e;
        }
        return primary();
    }

    ExprPtr primary() {
        size_t first = pos_;
        const Token& t = at();
        switch (t.kind) {
        case TokenKind::Integer: {
            take();
            if (t.integer >= std::numeric_limits<int32_t>::min() && t.integer <= std::numeric_limits<int32_t>::max())
                return literal(Variant::i4(static_cast<int32_t>(t.integer)), first);
            return literal(Variant::r8(static_cast<double>(t.integer)), first);
        }
        case TokenKind::Real: take(); return literal(Variant::r8(t.real), first);
        case TokenKind::String: take(); return literal(Variant::string(std::string_view(t.text)), first);
        case TokenKind::Bracketed: {
            take();
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Kind::Enum;
            e->op = t.text;
            e->source = sourceFrom(first);
            return e;
        }
        case TokenKind::Word: return reference(true);
        default: break;
        }
        if (acceptSymbol("(")) {
            ExprPtr inner = expression();
            expectSymbol(")");
            return inner;
        }
        fail("expected a value");
    }

    std::shared_ptr<Expr> reference(bool spacedParens) {
        size_t first = pos_;
        auto e = std::make_shared<Expr>();
        e->kind = Expr::Kind::Ref;
        e->path.push_back(segment(spacedParens));
        while (at().isSymbol(".")) {
            take();
            e->path.push_back(segment(spacedParens));
        }
        e->source = sourceFrom(first);
        return e;
    }

    // A name and, when `(` follows (right after it unless spacedParens), its arguments.
    Segment segment(bool spacedParens) {
        Segment s;
        const Token& name = at();
        s.name = word("a name");
        if (at().isSymbol("(") && (spacedParens || at().begin == name.end)) {
            take();
            s.hasArgs = true;
            s.args = argumentList(")");
            expectSymbol(")");
        }
        return s;
    }

    // Arguments up to `closer` (")" or the end of the statement); empty positions are missing.
    std::vector<Arg> argumentList(std::string_view closer) {
        std::vector<Arg> args;
        auto atCloser = [&] { return closer == ")" ? at().isSymbol(")") : atStatementEnd(); };
        if (atCloser()) return args;
        while (true) {
            Arg a;
            if (at().kind == TokenKind::Word && at(1).isSymbol(":=")) {
                a.name = take().text;
                take();
                a.value = expression();
            } else if (!at().isSymbol(",") && !atCloser()) {
                a.value = expression();
            }
            args.push_back(std::move(a));
            if (!acceptSymbol(",")) break;
        }
        if (!atCloser()) fail("expected ',' or the end of the arguments");
        return args;
    }

    // ---- statements
    Stmt statement() {
        size_t first = pos_;
        Stmt s;
        s.line = line_;
        if (acceptSymbol("?")) {
            s.kind = StmtKind::Print;
            s.exprs.push_back(expression());
            while (acceptSymbol(",") || acceptSymbol(";")) s.exprs.push_back(expression());
        } else if (at().kind != TokenKind::Word) {
            fail("expected a statement");
        } else if (!keywordStatement(s)) {
            callOrAssignment(s);
        }
        s.source = sourceFrom(first);
        return s;
    }

    bool keywordStatement(Stmt& s);
    void setup(Stmt& s, const std::string& kw);
    void lifecycle(Stmt& s, const std::string& kw);
    void expectStatement(Stmt& s);
    void logPatterns(Stmt& s);
    void input(Stmt& s, const std::string& kw);
    void mouse(Stmt& s);
    void modifiers(Stmt& s, bool buttonsHeld);
    void forStatement(Stmt& s);
    std::string fileName();

    void callOrAssignment(Stmt& s) {
        auto ref = reference(false);
        s.target = *ref;
        if (acceptSymbol("=")) {
            s.kind = StmtKind::Assign;
            s.exprs.push_back(expression());
            return;
        }
        s.kind = StmtKind::Call;
        if (atStatementEnd()) {
            s.args = s.target.path.back().args;
            return;
        }
        if (s.target.path.back().hasArgs) fail("unexpected text after the arguments");
        s.args = argumentList("");
    }

    std::string_view src_;
    std::vector<Token> tokens_;
    size_t pos_ = 0;
    int line_;
};

bool LineParser::keywordStatement(Stmt& s) {
    static const char* const setupWords[] = {"screen", "syscolor", "ambient", "pictures"};
    static const char* const lifeWords[] = {"new", "load", "save", "reload", "terminate", "resize", "snapshot"};
    static const char* const inputWords[] = {"mouse", "click", "key", "type", "focus", "wait", "menu", "about"};
    const Token& t = at();
    // A keyword followed by `.` or `=` is a name of the script's own (a variable or an object).
    if (at(1).isSymbol(".") || at(1).isSymbol("=")) return false;
    for (const char* kw : setupWords)
        if (t.isWord(kw)) return take(), setup(s, kw), true;
    for (const char* kw : lifeWords)
        if (t.isWord(kw)) return take(), lifecycle(s, kw), true;
    for (const char* kw : inputWords)
        if (t.isWord(kw)) return take(), input(s, kw), true;
    if (acceptWord("set")) {
        s.kind = StmtKind::SetObject;
        s.target = *reference(false);
        expectSymbol("=");
        s.exprs.push_back(expression());
        return true;
    }
    if (acceptWord("expect")) return expectStatement(s), true;
    if (acceptWord("for")) return forStatement(s), true;
    if (acceptWord("next")) {
        s.kind = StmtKind::Next;
        if (at().kind == TokenKind::Word) s.word = take().text;
        return true;
    }
    return false;
}

void LineParser::setup(Stmt& s, const std::string& kw) {
    if (kw == "screen") {
        s.kind = StmtKind::Screen;
        s.exprs.push_back(operand());
        s.exprs.push_back(operand());
        if (acceptWord("twips")) s.exprs.push_back(operand());
    } else if (kw == "syscolor") {
        s.kind = StmtKind::SysColor;
        s.exprs.push_back(operand());
        expectSymbol("=");
        s.exprs.push_back(expression());
    } else if (kw == "ambient") {
        s.kind = StmtKind::Ambient;
        s.word = word("an ambient property (UserMode, Font, DisplayName)");
        if (!namesEqual(s.word, "UserMode") && !namesEqual(s.word, "Font") && !namesEqual(s.word, "DisplayName"))
            fail("unknown ambient property " + s.word);
        expectSymbol("=");
        s.exprs.push_back(expression());
    } else {
        s.kind = StmtKind::PicturesFail;
        expectWord("fail");
        s.exprs.push_back(expression());
    }
}

// A file name: a string, or the bare rest of the statement (`save saved.frm`).
std::string LineParser::fileName() {
    if (at().kind == TokenKind::String) return take().text;
    if (atStatementEnd()) fail("expected a file name");
    size_t b = at().begin;
    while (!atStatementEnd()) take();
    return std::string(src_.substr(b, tokens_[pos_ - 1].end - b));
}

void LineParser::lifecycle(Stmt& s, const std::string& kw) {
    auto typeName = [&] {
        if (acceptWord("Tavrin")) return std::string("Tavrin");
        if (acceptWord("XPVScroll")) return std::string("XPVScroll");
        fail("expected Tavrin or XPVScroll");
    };
    if (kw == "new") {
        s.kind = StmtKind::New;
        s.word = typeName();
        if (acceptWord("size")) {
            s.exprs.push_back(operand());
            s.exprs.push_back(operand());
        }
    } else if (kw == "load") {
        s.kind = StmtKind::Load;
        s.word = typeName();
        if (at().kind == TokenKind::Json) {
            s.window = "bag";
            s.text = take().text;
        } else {
            s.text = fileName();
        }
    } else if (kw == "save") {
        s.kind = StmtKind::Save;
        s.text = fileName();
    } else if (kw == "reload") {
        s.kind = StmtKind::Reload;
    } else if (kw == "terminate") {
        s.kind = StmtKind::Terminate;
    } else if (kw == "resize") {
        s.kind = StmtKind::Resize;
        s.exprs.push_back(operand());
        s.exprs.push_back(operand());
    } else {
        s.kind = StmtKind::Snapshot;
        s.exprs.push_back(operand());
        if (acceptWord("of")) s.window = word("a window name (iUC, sbUC, txtEdit)");
    }
}

void LineParser::expectStatement(Stmt& s) {
    if (acceptWord("error")) {
        s.kind = StmtKind::ExpectError;
        s.exprs.push_back(operand());
        expectSymbol(":");
        if (atStatementEnd()) fail("expected the statement that should fail");
        s.inner = std::make_shared<Stmt>(statement());
        return;
    }
    if (at().isWord("events") || at().isWord("changed")) {
        s.kind = StmtKind::ExpectLog;
        s.word = take().text;
        logPatterns(s);
        return;
    }
    if (acceptWord("menu")) {
        s.kind = StmtKind::ExpectMenu;
        if (acceptWord("shown")) s.word = "shown";
        else if (acceptWord("hidden")) s.word = "hidden";
        else fail("expected 'shown' or 'hidden'");
        return;
    }
    s.kind = StmtKind::Expect;
    if (acceptWord("colour") || acceptWord("color")) s.word = "colour";
    s.exprs.push_back(expression());
    if (atStatementEnd() && s.word.empty()) return; // `expect EXPR`: holds when True
    static const char* const ops[] = {"=", "<>", "<=", ">=", "<", ">", "~"};
    std::string op;
    for (const char* o : ops)
        if (at().isSymbol(o)) op = o;
    if (op.empty() || (s.word == "colour" && op != "~")) fail(s.word == "colour" ? "expected '~'" : "expected a comparison");
    take();
    s.word += op;
    s.exprs.push_back(expression());
    if (op == "~") {
        expectWord("within");
        s.exprs.push_back(expression());
    }
}

// `none`, or names with optional argument lists: `ListIndexChange, MouseDown(1, 0, 10, 25)`.
void LineParser::logPatterns(Stmt& s) {
    if (acceptWord("none")) return;
    do {
        LogPattern p;
        p.name = word("an event or property name");
        if (acceptSymbol("(")) {
            p.hasArgs = true;
            if (!at().isSymbol(")")) {
                do p.args.push_back(expression());
                while (acceptSymbol(","));
            }
            expectSymbol(")");
        }
        s.patterns.push_back(std::move(p));
    } while (acceptSymbol(","));
}

// Modifier words in any order: shift, ctrl, alt; held buttons; `on WINDOW`.
void LineParser::modifiers(Stmt& s, bool buttonsHeld) {
    while (at().kind == TokenKind::Word) {
        if (acceptWord("shift")) s.shift |= 1;
        else if (acceptWord("ctrl")) s.shift |= 2;
        else if (acceptWord("alt")) s.shift |= 4;
        else if (buttonsHeld && acceptWord("left")) s.buttons |= 1;
        else if (buttonsHeld && acceptWord("right")) s.buttons |= 2;
        else if (buttonsHeld && acceptWord("middle")) s.buttons |= 4;
        else if (acceptWord("on")) s.window = word("a window name (iUC, sbUC, Bar, txtEdit)");
        else fail("unexpected word");
    }
}

void LineParser::mouse(Stmt& s) {
    s.kind = StmtKind::Mouse;
    if (acceptWord("move")) s.word = "move";
    else if (acceptWord("down")) s.word = "down";
    else if (acceptWord("up")) s.word = "up";
    else fail("expected move, down or up");
    bool move = s.word == "move";
    if (move) modifiers(s, true);
    s.button = 1;
    if (!move) {
        if (acceptWord("left")) s.button = 1;
        else if (acceptWord("right")) s.button = 2;
        else if (acceptWord("middle")) s.button = 4;
    }
    s.exprs.push_back(operand());
    s.exprs.push_back(operand());
    modifiers(s, move);
}

void LineParser::input(Stmt& s, const std::string& kw) {
    if (kw == "mouse") return mouse(s);
    if (kw == "click") {
        s.kind = StmtKind::Click;
        s.exprs.push_back(operand());
        s.exprs.push_back(operand());
        modifiers(s, false);
    } else if (kw == "key") {
        if (acceptWord("press")) {
            s.kind = StmtKind::KeyPress;
            s.exprs.push_back(operand());
            return;
        }
        s.kind = StmtKind::Key;
        if (acceptWord("down")) s.word = "down";
        else if (acceptWord("up")) s.word = "up";
        else fail("expected down, up or press");
        s.exprs.push_back(operand());
        modifiers(s, false);
    } else if (kw == "type") {
        s.kind = StmtKind::Type;
        s.exprs.push_back(expression());
    } else if (kw == "focus") {
        s.kind = StmtKind::Focus;
        if (acceptWord("list")) s.word = "list";
        else if (acceptWord("away")) s.word = "away";
        else fail("expected 'list' or 'away'");
    } else if (kw == "wait") {
        s.kind = StmtKind::Wait;
        s.exprs.push_back(expression());
    } else if (kw == "menu") {
        if (acceptWord("choose")) {
            s.kind = StmtKind::MenuChoose;
            s.exprs.push_back(expression());
        } else if (acceptWord("cancel")) {
            s.kind = StmtKind::MenuCancel;
        } else {
            fail("expected 'choose' or 'cancel'");
        }
    } else {
        s.kind = StmtKind::AboutClose;
        expectWord("close");
    }
}

void LineParser::forStatement(Stmt& s) {
    s.kind = StmtKind::For;
    s.word = word("a loop variable");
    expectSymbol("=");
    s.exprs.push_back(expression());
    expectWord("to");
    s.exprs.push_back(expression());
    if (acceptWord("step")) s.exprs.push_back(expression());
}

} // namespace

Program parseScript(std::string_view text, const std::string& fileName) {
    Program program;
    program.fileName = fileName;
    std::vector<size_t> openLoops;
    int lineNo = 0;
    size_t start = 0;
    while (start <= text.size()) {
        size_t nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        ++lineNo;
        std::vector<Stmt> stmts;
        try {
            stmts = LineParser(line, lineNo).run();
        } catch (const SyntaxError& e) {
            throw ScriptError(lineNo, std::string("syntax error: ") + e.what());
        }
        for (Stmt& s : stmts) {
            size_t index = program.statements.size();
            if (s.kind == StmtKind::For) openLoops.push_back(index);
            if (s.kind == StmtKind::Next) {
                if (openLoops.empty()) throw ScriptError(lineNo, "'next' without 'for'");
                s.jump = openLoops.back();
                program.statements[openLoops.back()].jump = index;
                openLoops.pop_back();
            }
            program.statements.push_back(std::move(s));
        }
        if (nl == std::string_view::npos) break;
        start = nl + 1;
    }
    if (!openLoops.empty())
        throw ScriptError(program.statements[openLoops.back()].line, "'for' without 'next'");
    return program;
}

} // namespace tavrin::run
