// Host set-up and the life of the script's controls: new, load, save, reload, terminate, resize.
//
// File names are relative to the script's folder; a form that the script saved is looked for in
// the output folder as well, where `save` writes.
#include <filesystem>

#include "platform/software/FormFile.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Limits.h"
#include "tools/tavrin-run/Interpreter.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {

constexpr int32_t kListWidth = 200, kListHeight = 160; // client pixels of a new list
constexpr int32_t kBarWidth = 17, kBarHeight = 160;    // a new stand-alone scroll bar

ControlKind kindOf(const std::string& typeName) {
    return typeName == "Tavrin" ? ControlKind::List : ControlKind::Bar;
}

} // namespace

std::string Interpreter::scriptPath(const std::string& name) const {
    std::filesystem::path p(name);
    if (p.is_absolute()) return name;
    std::filesystem::path inScriptDir = std::filesystem::path(options_.scriptDir) / p;
    std::filesystem::path inOutDir = std::filesystem::path(options_.outDir) / p;
    if (!std::filesystem::exists(inScriptDir) && std::filesystem::exists(inOutDir)) return inOutDir.string();
    return inScriptDir.string();
}

void Interpreter::needControl(const Stmt& s) {
    if (!session_->controlWindow(session_->current()))
        throw ScriptError(s.line, "there is no control: use `new` or `load` first");
}

void Interpreter::setup(const Stmt& s) {
    switch (s.kind) {
    case StmtKind::Screen: {
        if (s.word == "scale") {
            const double scale = evalNumber(s.exprs[0]);
            if (!(scale >= 1 && scale <= 4))
                throw ScriptError(s.line, "the screen's scale lies between 1 and 4 (1, 1.25, 1.5, 2)");
            if (!session_->setScreenScale(scale))
                throw ScriptError(s.line, "`screen` must come before `new` or `load`");
            return;
        }
        const int32_t width = evalInt(s.exprs[0]), height = evalInt(s.exprs[1]);
        const double twipsPerPixel = s.exprs.size() > 2 ? evalNumber(s.exprs[2]) : 15.0;
        if (width <= 0 || height <= 0 || twipsPerPixel <= 0)
            throw ScriptError(s.line, "the screen needs a positive size and twips per pixel");
        if (!platform::limits::fitsPixels(width, height))
            throw ScriptError(s.line, "a screen of " + std::to_string(width) + " x " +
                                          std::to_string(height) + " pixels is too large");
        if (!(twipsPerPixel >= platform::limits::kMinTwipsPerPixel &&
              twipsPerPixel <= platform::limits::kMaxTwipsPerPixel))
            throw ScriptError(s.line, "twips per pixel must lie between 1 and 1440");
        if (!session_->setScreen(width, height, twipsPerPixel))
            throw ScriptError(s.line, "`screen` must come before `new` or `load`");
        return;
    }
    case StmtKind::SysColor:
        return session_->setSysColor(evalInt(s.exprs[0]), static_cast<uint32_t>(evalInt(s.exprs[1])));
    case StmtKind::Ambient: {
        Variant v = eval(s.exprs[0]);
        if (namesEqual(s.word, "UserMode")) {
            session_->setUserMode(toBool(v));
        } else if (namesEqual(s.word, "DisplayName")) {
            session_->setDisplayName(toText(v));
        } else {
            auto font = isObject(v) ? std::dynamic_pointer_cast<platform::StdFont>(v.asObject()) : nullptr;
            if (!font) throw ScriptError(s.line, "the ambient font must be a Font(\"Name\", Size)");
            session_->setAmbientFont(font);
        }
        return;
    }
    default:
        return session_->failPicture(toText(eval(s.exprs[0])));
    }
}

void Interpreter::lifecycle(const Stmt& s) {
    try {
        switch (s.kind) {
        case StmtKind::New: {
            ControlKind kind = kindOf(s.word);
            bool list = kind == ControlKind::List;
            int32_t w = s.exprs.empty() ? (list ? kListWidth : kBarWidth) : evalInt(s.exprs[0]);
            int32_t h = s.exprs.empty() ? (list ? kListHeight : kBarHeight) : evalInt(s.exprs[1]);
            if (w < 0 || h < 0) throw ScriptError(s.line, "a size cannot be negative");
            return session_->create(kind, w, h);
        }
        case StmtKind::Load: {
            ControlKind kind = kindOf(s.word);
            software::FormData form;
            const std::string source =
                s.window == "bag" ? program_.fileName + ":" + std::to_string(s.line) : scriptPath(s.text);
            if (s.window == "bag") {
                form.type = s.word;
                form.width = kind == ControlKind::List ? kListWidth : kBarWidth;
                form.height = kind == ControlKind::List ? kListHeight : kBarHeight;
                form.bag = software::parseBag(s.text, source);
            } else {
                form = software::loadForm(scriptPath(s.text));
                if (form.type != s.word)
                    throw ScriptError(s.line, s.text + " holds a " + form.type + ", not a " + s.word);
            }
            try {
                return session_->load(kind, form);
            } catch (const AutomationError& e) {
                throw AutomationError(e.number(), std::string(e.what()) + " of " + source +
                                                      "; the former control is kept");
            }
        }
        case StmtKind::Save: {
            needControl(s);
            std::filesystem::path p(s.text);
            if (p.is_relative()) p = std::filesystem::path(options_.outDir) / p;
            std::error_code ec;
            if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path(), ec);
            return software::saveForm(p.string(), session_->save());
        }
        case StmtKind::Reload:
            needControl(s);
            return session_->reload();
        case StmtKind::Terminate:
            needControl(s);
            return session_->terminate();
        default: {
            needControl(s);
            int32_t w = evalInt(s.exprs[0]), h = evalInt(s.exprs[1]);
            if (w < 0 || h < 0) throw ScriptError(s.line, "a size cannot be negative");
            return session_->resize(w, h);
        }
        }
    } catch (const software::FormFileError& e) {
        throw ScriptError(s.line, e.what());
    }
}

} // namespace tavrin::run
