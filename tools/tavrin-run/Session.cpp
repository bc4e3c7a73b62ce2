#include "tools/tavrin-run/Session.h"

#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {

const char* objectName(ControlKind kind) {
    return kind == ControlKind::List ? "List" : "Bar";
}
std::u16string typeName(ControlKind kind) {
    return kind == ControlKind::List ? u"Tavrin" : u"XPVScroll";
}

std::string eventLine(ControlKind kind, std::string_view name, const std::vector<Variant>& args) {
    std::string line = std::string("event ") + objectName(kind) + "." + std::string(name);
    if (args.empty()) return line;
    line += "(";
    for (size_t i = 0; i < args.size(); ++i)
        line += (i ? ", " : "") + displayText(args[i]);
    return line + ")";
}

} // namespace

Session::Session(std::function<void(const std::string&)> trace) : trace_(std::move(trace)) {
    resetDesktop({});
}

Session::~Session() {
    destroy(list_);
    destroy(bar_);
}

void Session::resetDesktop(const software::DesktopOptions& options) {
    if (desktop_) workSpentBefore_ += desktop_->workSpent();
    desktop_ = std::make_unique<software::Desktop>(options);
    if (pump_) desktop_->setInputPump(pump_);
    applyWorkBudget();
}

void Session::applyWorkBudget() {
    if (!workExhausted_) return;
    const uint64_t left = workBudget_ > workSpentBefore_ ? workBudget_ - workSpentBefore_ : 0;
    desktop_->setWorkBudget(left, workExhausted_);
}

void Session::setWorkBudget(uint64_t units, std::function<void()> exhausted) {
    workBudget_ = units;
    workExhausted_ = std::move(exhausted);
    applyWorkBudget();
}

bool Session::setScreen(const software::DesktopOptions& options) {
    if (hasControl() || !retired_.empty()) return false;
    // Set-up given before the screen is kept: system colours, ambient properties, failing pictures.
    software::Desktop::Ambient ambient = desktop_->ambient();
    resetDesktop(options);
    desktop_->ambient() = ambient;
    for (const auto& [index, rgb] : sysColors_)
        desktop_->setSysColor(index, rgb);
    for (const std::u16string& key : failedPictures_)
        desktop_->failPicture(key);
    return true;
}

void Session::setSysColor(int32_t index, uint32_t rgb) {
    desktop_->setSysColor(index, rgb);
    sysColors_[index] = rgb;
}

void Session::failPicture(const std::u16string& key) {
    desktop_->failPicture(key);
    failedPictures_.push_back(key);
}

void Session::setInputPump(std::function<bool()> pump) {
    pump_ = std::move(pump);
    desktop_->setInputPump(pump_);
}

Tavrin* Session::list() {
    return static_cast<Tavrin*>(list_.control.get());
}
XPVScroll* Session::bar() {
    return static_cast<XPVScroll*>(bar_.control.get());
}
software::SoftwareSite* Session::site(ControlKind kind) {
    return slot(kind).site.get();
}

std::shared_ptr<HostObject> Session::object(std::string_view name) {
    if (namesEqual(name, "List")) return list_.object;
    if (namesEqual(name, "Bar")) return bar_.object;
    if (namesEqual(name, "Host")) return makeHostInfoObject(*desktop_);
    if (namesEqual(name, "frmAbout")) return makeAboutObject(*desktop_);
    return nullptr;
}

void Session::destroy(Slot& s) {
    if (!s.control) return;
    if (s.alive) *s.alive = false;
    if (s.site) {
        s.site->onEvent = nullptr;
        s.site->onPropertyChanged = nullptr;
    }
    retired_.push_back(std::move(s));
    s = Slot{};
}

void Session::hook(ControlKind kind, software::SoftwareSite& site) {
    site.onEvent = [this, kind](std::string_view name, int32_t, std::vector<Variant>& args) {
        events_.push_back({std::string(name), args});
        if (trace_) trace_(eventLine(kind, name, args));
    };
    site.onPropertyChanged = [this, kind](std::string_view name) {
        changed_.emplace_back(name);
        if (trace_) trace_(std::string("changed ") + objectName(kind) + "." + std::string(name));
    };
}

// The name the host gives the control: the script's `ambient DisplayName`, else the name its form
// file was saved under, else the first name of its type. A control that replaces another takes that
// name again, as a designer reuses the name of a deleted control.
std::unique_ptr<software::SoftwareSite> Session::createSite(ControlKind kind, int32_t clientW,
                                                            int32_t clientH, const std::string& savedName) {
    software::Desktop::Ambient& ambient = desktop_->ambient();
    const std::u16string scriptName = ambient.displayName;
    if (scriptName.empty())
        ambient.displayName = savedName.empty() ? typeName(kind) + u"1" : utf16(savedName);
    auto site = desktop_->createControlSite(typeName(kind), clientW, clientH);
    ambient.displayName = scriptName;
    return site;
}

// Creates the site and the control, runs its initialisation, the first resize and paint; the
// logs start empty afterwards. The new control is made beside the former one, which goes only once
// the new one stands: a load that fails part-way leaves the script with the control it had.
void Session::place(ControlKind kind, int32_t clientW, int32_t clientH, const std::string& savedName,
                    const std::function<void(Dispatchable&)>& initialise) {
    Slot fresh;
    fresh.site = createSite(kind, clientW, clientH, savedName);
    fresh.alive = std::make_shared<bool>(true);
    double tpp = desktop_->options().twipsPerPixel;
    if (kind == ControlKind::List) {
        auto list = std::make_shared<Tavrin>(*fresh.site);
        fresh.control = list;
        fresh.object = makeListObject(*list, *fresh.site, tpp, fresh.alive);
    } else {
        auto bar = std::make_shared<XPVScroll>(*fresh.site);
        if (!fresh.site->Resize) fresh.site->Resize = [b = bar.get()] { b->UserControl_Resize(); };
        fresh.control = bar;
        fresh.object = makeScrollBarObject("Bar", *bar, nullptr, fresh.site.get(), tpp, fresh.alive);
    }
    try {
        initialise(*fresh.control);
    } catch (...) {
        terminateControl(kind, fresh);
        destroy(fresh);
        throw;
    }
    Slot& s = slot(kind);
    if (s.control) {
        terminateControl(kind, s);
        destroy(s);
    }
    s = std::move(fresh);
    hook(kind, *s.site);
    current_ = kind;
    s.site->resizeClient(clientW, clientH);
    desktop_->flushPaints();
    events_.clear();
    changed_.clear();
}

void Session::terminateControl(ControlKind kind, Slot& s) {
    if (kind == ControlKind::List)
        static_cast<Tavrin&>(*s.control).Terminate();
    else
        static_cast<XPVScroll&>(*s.control).Terminate();
}

void Session::create(ControlKind kind, int32_t clientW, int32_t clientH) {
    place(kind, clientW, clientH, "", [kind](Dispatchable& c) {
        if (kind == ControlKind::List)
            static_cast<Tavrin&>(c).InitProperties();
        else
            static_cast<XPVScroll&>(c).InitProperties();
    });
}

void Session::load(ControlKind kind, const software::FormData& form) {
    place(kind, form.width, form.height, form.name, [kind, &form](Dispatchable& c) {
        try {
            if (kind == ControlKind::List)
                static_cast<Tavrin&>(c).ReadProperties(form.bag);
            else
                static_cast<XPVScroll&>(c).ReadProperties(form.bag);
        } catch (const AutomationError& e) {
            // The same error, saying which stored value the control refused.
            throw AutomationError(e.number(), std::string(e.what()) + ", loading property \"" +
                                                  form.bag.lastKeyRead() + "\"");
        }
    });
}

software::FormData Session::save() {
    Slot& s = slot(current_);
    software::FormData form;
    form.type = current_ == ControlKind::List ? "Tavrin" : "XPVScroll";
    form.name = utf8(s.site->AmbientDisplayName());
    form.width = s.site->core().window().clientWidth();
    form.height = s.site->core().window().clientHeight();
    if (current_ == ControlKind::List)
        list()->WriteProperties(form.bag);
    else
        bar()->WriteProperties(form.bag);
    return form;
}

void Session::reload() {
    software::FormData form = save();
    terminate();
    load(current_, form);
}

void Session::terminate() {
    Slot& s = slot(current_);
    terminateControl(current_, s);
    destroy(s);
    desktop_->flushPaints();
}

void Session::resize(int32_t clientW, int32_t clientH) {
    slot(current_).site->resizeClient(clientW, clientH);
    desktop_->flushPaints();
}

} // namespace tavrin::run
