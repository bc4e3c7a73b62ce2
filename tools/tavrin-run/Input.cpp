// User input, modal answers and snapshots.
//
// Input goes to the desktop, which delivers it as a real desktop would (focus, capture, clicks).
// A `wait` at the top level advances the clock; inside the input pump (a DoEvents loop of the
// control is waiting) it only holds the pump back until the clock gets there, so the loop runs
// for exactly that much virtual time.
#include <filesystem>

#include "control/TavrinAccess.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Interpreter.h"

namespace tavrin::run {

bool Interpreter::isInput(const Stmt& s) const {
    switch (s.kind) {
    case StmtKind::Mouse:
    case StmtKind::Click:
    case StmtKind::Key:
    case StmtKind::KeyPress:
    case StmtKind::Type:
    case StmtKind::Focus:
    case StmtKind::Wait:
    case StmtKind::MenuChoose:
    case StmtKind::MenuCancel:
    case StmtKind::AboutClose:
        return true;
    default:
        return false;
    }
}

int32_t Interpreter::windowHandle(const std::string& name, int line) {
    Tavrin* list = session_->list();
    XPVScroll* bar = session_->bar();
    std::string window = name;
    if (window.empty()) window = session_->current() == ControlKind::Bar ? "Bar" : "iUC";
    if (namesEqual(window, "Bar")) {
        if (!bar) throw ScriptError(line, "there is no Bar: use `new XPVScroll` first");
        return bar->hWnd();
    }
    if (!list) throw ScriptError(line, "there is no List: use `new Tavrin` first");
    if (namesEqual(window, "iUC")) return TavrinAccess::iUC(*list).hWnd();
    if (namesEqual(window, "sbUC")) return TavrinAccess::sbUC(*list).hWnd();
    if (namesEqual(window, "txtEdit")) return TavrinAccess::txtEdit(*list).hWnd();
    throw ScriptError(line, "unknown window " + name + " (iUC, sbUC, txtEdit or Bar)");
}

void Interpreter::input(const Stmt& s) {
    Session& desktop = *session_;
    switch (s.kind) {
    case StmtKind::Mouse:
        return mouse(s);
    case StmtKind::Click: {
        Stmt down = s, up = s;
        down.word = "down";
        up.word = "up";
        down.button = up.button = 1;
        mouse(down);
        return mouse(up);
    }
    case StmtKind::Key:
        if (s.word == "down") return desktop.keyDown(toI2(eval(s.exprs[0])), s.shift);
        return desktop.keyUp(toI2(eval(s.exprs[0])), s.shift);
    case StmtKind::KeyPress:
        return desktop.keyPress(toI2(eval(s.exprs[0])));
    case StmtKind::Type:
        return desktop.typeText(toText(eval(s.exprs[0])));
    case StmtKind::Focus:
        return desktop.focusWindow(s.word == "away" ? 0 : windowHandle("iUC", s.line));
    case StmtKind::Wait: {
        int32_t ms = evalInt(s.exprs[0]);
        if (ms < 0) throw ScriptError(s.line, "the clock cannot go back: wait " + std::to_string(ms));
        return waitFor(static_cast<uint32_t>(ms));
    }
    case StmtKind::MenuChoose:
        if (!desktop.menuShown()) throw ScriptError(s.line, "no popup menu is open");
        return desktop.menuChoose(toI2(eval(s.exprs[0])));
    case StmtKind::MenuCancel:
        if (!desktop.menuShown()) throw ScriptError(s.line, "no popup menu is open");
        return desktop.menuCancel();
    case StmtKind::AboutClose:
        if (!desktop.shownForm()) throw ScriptError(s.line, "the about box is not shown");
        return desktop.pressFormButton(u"Close");
    default:
        throw ScriptError(s.line, "statement not supported here");
    }
}

void Interpreter::mouse(const Stmt& s) {
    Session& desktop = *session_;
    int32_t hwnd = windowHandle(s.window, s.line);
    float x = static_cast<float>(evalNumber(s.exprs[0]));
    float y = static_cast<float>(evalNumber(s.exprs[1]));
    if (s.word == "move") return desktop.mouseMove(hwnd, x, y, s.buttons, s.shift);
    if (s.word == "down") {
        held_.push_back({hwnd, s.button, x, y});
        return desktop.mouseDown(hwnd, s.button, x, y, s.shift);
    }
    // A button that the pump already released (the script ended inside a loop) stays up.
    bool held = false;
    for (auto it = held_.begin(); it != held_.end(); ++it) {
        if (it->button != s.button) continue;
        held_.erase(it);
        held = true;
        break;
    }
    if (!held && stopped_) return;
    desktop.mouseUp(hwnd, s.button, x, y, s.shift);
}

void Interpreter::waitFor(uint32_t ms) {
    Session& desktop = *session_;
    bool modal = desktop.menuShown() || desktop.shownForm();
    if (pumpDepth_ > 0 && !modal) return desktop.deferPumpFor(ms);
    desktop.wait(ms);
}

void Interpreter::snapshot(const Stmt& s) {
    std::filesystem::path path(evalText(s.exprs[0]));
    if (path.is_relative()) path = std::filesystem::path(options_.outDir) / path;
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    int32_t hwnd;
    bool withChildren = s.window.empty();
    if (withChildren) {
        hwnd = session_->controlWindow(session_->current());
        if (!hwnd) throw ScriptError(s.line, "there is no control to take a snapshot of");
    } else {
        hwnd = windowHandle(s.window, s.line);
    }
    std::string error;
    if (!session_->snapshot(hwnd, withChildren, path.string(), &error))
        throw ScriptError(s.line, "cannot write " + path.string() + ": " + error);
}

} // namespace tavrin::run
