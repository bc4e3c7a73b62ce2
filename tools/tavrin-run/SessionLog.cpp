// The logs every host keeps of what its controls raised and reported, and the reading of a form
// into a new control, the same on every host.
#include "tools/tavrin-run/Session.h"

#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/AutomationError.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {

const char* objectName(ControlKind kind) {
    return kind == ControlKind::List ? "List" : "Bar";
}

} // namespace

void Session::logEvent(ControlKind kind, std::string_view name, const std::vector<Variant>& args) {
    events_.push_back({std::string(name), args});
    if (!trace_) return;
    std::string line = std::string("event ") + objectName(kind) + "." + std::string(name);
    if (!args.empty()) {
        line += "(";
        for (size_t i = 0; i < args.size(); ++i)
            line += (i ? ", " : "") + displayText(args[i]);
        line += ")";
    }
    trace_(line);
}

void Session::logChanged(ControlKind kind, std::string_view name) {
    changed_.emplace_back(name);
    if (trace_) trace_(std::string("changed ") + objectName(kind) + "." + std::string(name));
}

void Session::readForm(ControlKind kind, Dispatchable& control, const software::FormData& form) {
    try {
        if (kind == ControlKind::List)
            static_cast<Tavrin&>(control).ReadProperties(form.bag);
        else
            static_cast<XPVScroll&>(control).ReadProperties(form.bag);
    } catch (const AutomationError& e) {
        // The same error, saying which stored value the control refused.
        throw AutomationError(e.number(), std::string(e.what()) + ", loading property \"" +
                                              form.bag.lastKeyRead() + "\"");
    }
}

} // namespace tavrin::run
