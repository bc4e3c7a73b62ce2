// The parser of one line: expressions inline here, keyword statements in ParserStatements.cpp.
#pragma once

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Ast.h"
#include "tools/tavrin-run/Lexer.h"

namespace tavrin::run::detail {

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
        std::string near = t.kind == TokenKind::End
                               ? "end of line"
                               : "'" + std::string(src_.substr(t.begin, t.end - t.begin)) + "'";
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
    std::string_view sourceFrom(size_t firstToken) const {
        size_t b = tokens_[firstToken].begin;
        size_t e = pos_ > firstToken ? tokens_[pos_ - 1].end : b;
        return src_.substr(b, e - b);
    }

    // Parentheses, signs and argument lists nest by recursion: deeper than this is refused.
    static constexpr int kMaxNesting = 64;
    class Nesting {
      public:
        explicit Nesting(LineParser& p) : p_(p) {
            if (++p_.depth_ > kMaxNesting)
                p_.fail("nested deeper than " + std::to_string(kMaxNesting) + " levels");
        }
        ~Nesting() { --p_.depth_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

      private:
        LineParser& p_;
    };

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
    // What `?` prints and a variable takes may be a comparison: `? List.ListIndex = 3` prints True
    // or False, `found = List.FindFirst("x") >= 0` keeps one.
    ExprPtr comparison() {
        size_t first = pos_;
        ExprPtr e = expression();
        for (const char* op : {"=", "<>", "<=", ">=", "<", ">"})
            if (acceptSymbol(op)) return binary(e, op, expression(), first);
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
            Nesting nested(*this);
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
            if (t.integer >= std::numeric_limits<int32_t>::min() &&
                t.integer <= std::numeric_limits<int32_t>::max())
                return literal(Variant::i4(static_cast<int32_t>(t.integer)), first);
            return literal(Variant::r8(static_cast<double>(t.integer)), first);
        }
        case TokenKind::Real:
            take();
            return literal(Variant::r8(t.real), first);
        case TokenKind::String:
            take();
            return literal(Variant::string(std::string_view(t.text)), first);
        case TokenKind::Bracketed: {
            take();
            auto e = std::make_shared<Expr>();
            e->kind = Expr::Kind::Enum;
            e->op = t.text;
            e->source = sourceFrom(first);
            return e;
        }
        case TokenKind::Word:
            return reference(true);
        default:
            break;
        }
        if (acceptSymbol("(")) {
            Nesting nested(*this);
            ExprPtr inner = comparison();
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
            Nesting nested(*this);
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
            s.exprs.push_back(comparison());
            while (acceptSymbol(",") || acceptSymbol(";"))
                s.exprs.push_back(comparison());
        } else if (at().kind != TokenKind::Word) {
            fail("expected a statement");
        } else if (!keywordStatement(s)) {
            callOrAssignment(s);
        }
        s.source = std::string(sourceFrom(first));
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
        // `List.ItemText (3) = "x"` assigns to an indexed property; without `=` a spaced `(` opens
        // the first argument of a call: `List.AddItem ("Apple"), 1`.
        size_t first = pos_;
        std::shared_ptr<Expr> ref;
        try {
            ref = reference(true);
        } catch (const ScriptError&) {
            ref = nullptr;
        }
        if (!ref || !at().isSymbol("=")) {
            pos_ = first;
            ref = reference(false);
        }
        s.target = *ref;
        if (acceptSymbol("=")) {
            s.kind = StmtKind::Assign;
            s.exprs.push_back(comparison());
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
    int depth_ = 0;
};

} // namespace tavrin::run::detail
