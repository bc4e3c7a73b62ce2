// The keyword statements: host set-up, the control's life, checks, input and loops.
#include "tools/tavrin-run/LineParser.h"

namespace tavrin::run::detail {

bool LineParser::keywordStatement(Stmt& s) {
    static const char* const setupWords[] = {"screen", "syscolor", "ambient", "pictures"};
    static const char* const lifeWords[] = {"new",       "load",   "save",    "reload",
                                            "terminate", "resize", "snapshot"};
    static const char* const inputWords[] = {"mouse", "click", "key",  "type",
                                             "focus", "wait",  "menu", "about"};
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
        if (acceptWord("scale")) { // screen scale S: the default screen at S times the density
            s.word = "scale";
            s.exprs.push_back(operand());
            return;
        }
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
        if (!namesEqual(s.word, "UserMode") && !namesEqual(s.word, "Font") &&
            !namesEqual(s.word, "DisplayName"))
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
    while (!atStatementEnd())
        take();
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
        if (acceptWord("shown"))
            s.word = "shown";
        else if (acceptWord("hidden"))
            s.word = "hidden";
        else
            fail("expected 'shown' or 'hidden'");
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
    if (op.empty() || (s.word == "colour" && op != "~"))
        fail(s.word == "colour" ? "expected '~'" : "expected a comparison");
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
                do
                    p.args.push_back(expression());
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
        if (acceptWord("shift"))
            s.shift |= 1;
        else if (acceptWord("ctrl"))
            s.shift |= 2;
        else if (acceptWord("alt"))
            s.shift |= 4;
        else if (buttonsHeld && acceptWord("left"))
            s.buttons |= 1;
        else if (buttonsHeld && acceptWord("right"))
            s.buttons |= 2;
        else if (buttonsHeld && acceptWord("middle"))
            s.buttons |= 4;
        else if (acceptWord("on"))
            s.window = word("a window name (iUC, sbUC, Bar, txtEdit)");
        else
            fail("unexpected word");
    }
}

void LineParser::mouse(Stmt& s) {
    s.kind = StmtKind::Mouse;
    if (acceptWord("move"))
        s.word = "move";
    else if (acceptWord("down"))
        s.word = "down";
    else if (acceptWord("up"))
        s.word = "up";
    else
        fail("expected move, down or up");
    bool move = s.word == "move";
    if (move) modifiers(s, true);
    s.button = 1;
    if (!move) {
        if (acceptWord("left"))
            s.button = 1;
        else if (acceptWord("right"))
            s.button = 2;
        else if (acceptWord("middle"))
            s.button = 4;
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
        if (acceptWord("down"))
            s.word = "down";
        else if (acceptWord("up"))
            s.word = "up";
        else
            fail("expected down, up or press");
        s.exprs.push_back(operand());
        modifiers(s, false);
    } else if (kw == "type") {
        s.kind = StmtKind::Type;
        s.exprs.push_back(expression());
    } else if (kw == "focus") {
        s.kind = StmtKind::Focus;
        if (acceptWord("list"))
            s.word = "list";
        else if (acceptWord("away"))
            s.word = "away";
        else
            fail("expected 'list' or 'away'");
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

} // namespace tavrin::run::detail
