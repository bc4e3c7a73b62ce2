// The script's host on the software window system: the simulated desktop, its form, the controls'
// sites on it, input as the desktop delivers it, PNG through libpng.
#include <map>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareImageList.h"
#include "platform/software/SoftwareSite.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Session.h"

namespace tavrin::run {

namespace {

std::u16string typeName(ControlKind kind) {
    return kind == ControlKind::List ? u"Tavrin" : u"XPVScroll";
}

class HeadlessSession final : public Session {
  public:
    explicit HeadlessSession(std::function<void(const std::string&)> trace) : Session(std::move(trace)) {
        resetDesktop({});
    }
    ~HeadlessSession() override {
        destroy(list_);
        destroy(bar_);
    }

    // ---- HostView
    uint32_t clock() override { return desktop_->GetTickCount(); }
    std::string focusName() override { return desktop_->focusName(); }
    bool menuShown() override { return desktop_->menuShown(); }
    int32_t popupCount() override { return desktop_->popupCount(); }
    int32_t messageBoxCount() override { return desktop_->messageBoxCount(); }
    std::u16string lastMessageBox() override { return desktop_->lastMessageBox(); }
    int32_t gdiObjects() override { return desktop_->gdiObjects(); }
    platform::Form* shownForm() override { return desktop_->shownForm(); }
    int32_t paintCount(int32_t hwnd) override {
        const software::DesktopWindow* w = desktop_->window(hwnd);
        return w ? w->paintCount() : 0;
    }
    Placement placement(int32_t hwnd) override {
        const software::DesktopWindow* w = desktop_->window(hwnd);
        if (!w) return {};
        return {static_cast<double>(w->left()), static_cast<double>(w->top()), w->visible()};
    }

    // ---- set-up
    bool setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel) override {
        if (hasControl() || !retired_.empty()) return false;
        // Set-up given before the screen is kept: system colours, ambient properties, failing pictures.
        software::Desktop::Ambient ambient = desktop_->ambient();
        resetDesktop({widthPx, heightPx, twipsPerPixel});
        desktop_->ambient() = ambient;
        for (const auto& [index, rgb] : sysColors_)
            desktop_->setSysColor(index, rgb);
        for (const std::u16string& key : failedPictures_)
            desktop_->failPicture(key);
        return true;
    }
    void setSysColor(int32_t index, uint32_t rgb) override {
        desktop_->setSysColor(index, rgb);
        sysColors_[index] = rgb;
    }
    uint32_t sysColor(int32_t index) override { return desktop_->sysColor(index); }
    void failPicture(const std::u16string& key) override {
        desktop_->failPicture(key);
        failedPictures_.push_back(key);
    }
    void setUserMode(bool userMode) override { desktop_->ambient().userMode = userMode; }
    void setDisplayName(const std::u16string& name) override { desktop_->ambient().displayName = name; }
    void setAmbientFont(std::shared_ptr<platform::StdFont> font) override {
        desktop_->ambient().font = std::move(font);
    }
    void setInputPump(std::function<bool()> pump) override {
        pump_ = std::move(pump);
        desktop_->setInputPump(pump_);
    }
    void setWorkBudget(uint64_t units, std::function<void()> exhausted) override {
        workBudget_ = units;
        workExhausted_ = std::move(exhausted);
        applyWorkBudget();
    }
    uint64_t workSpent() const override { return workSpentBefore_ + desktop_->workSpent(); }

    // ---- the controls
    void create(ControlKind kind, int32_t clientW, int32_t clientH) override {
        place(kind, clientW, clientH, "", [kind](Dispatchable& c) {
            if (kind == ControlKind::List)
                static_cast<Tavrin&>(c).InitProperties();
            else
                static_cast<XPVScroll&>(c).InitProperties();
        });
    }
    void load(ControlKind kind, const software::FormData& form) override {
        place(kind, form.width, form.height, form.name,
              [kind, &form](Dispatchable& c) { readForm(kind, c, form); });
    }
    software::FormData save() override {
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
    void reload() override {
        software::FormData form = save();
        terminate();
        load(current_, form);
    }
    void terminate() override {
        Slot& s = slot(current_);
        terminateControl(current_, s);
        destroy(s);
        desktop_->flushPaints();
    }
    void resize(int32_t clientW, int32_t clientH) override {
        slot(current_).site->resizeClient(clientW, clientH);
        desktop_->flushPaints();
    }
    bool hasControl() const override { return list_.control || bar_.control; }
    void releaseRetired() override { retired_.clear(); }

    Tavrin* list() override { return static_cast<Tavrin*>(list_.control.get()); }
    XPVScroll* bar() override { return static_cast<XPVScroll*>(bar_.control.get()); }
    int32_t controlWindow(ControlKind kind) override {
        Slot& s = slot(kind);
        return s.site ? s.site->hWnd() : 0;
    }
    std::shared_ptr<HostObject> object(std::string_view name) override {
        if (namesEqual(name, "List")) return list_.object;
        if (namesEqual(name, "Bar")) return bar_.object;
        if (namesEqual(name, "Host")) return makeHostInfoObject(*this);
        if (namesEqual(name, "frmAbout")) return makeAboutObject(*this);
        return nullptr;
    }

    std::shared_ptr<Dispatchable> makeImageList(int32_t width, int32_t height, int32_t count,
                                                int16_t scaleMode) override {
        return std::make_shared<software::SoftwareImageList>(*desktop_, width, height, count, scaleMode);
    }
    std::shared_ptr<platform::Picture> loadPicture(const std::string& path, std::string* error) override {
        return software::readPng(path, error);
    }

    // ---- input
    void mouseMove(int32_t hwnd, float x, float y, int16_t buttons, int16_t shift) override {
        desktop_->mouseMove(hwnd, x, y, buttons, shift);
    }
    void mouseDown(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        desktop_->mouseDown(hwnd, button, x, y, shift);
    }
    void mouseUp(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        desktop_->mouseUp(hwnd, button, x, y, shift);
    }
    void keyDown(int16_t keyCode, int16_t shift) override { desktop_->keyDown(keyCode, shift); }
    void keyUp(int16_t keyCode, int16_t shift) override { desktop_->keyUp(keyCode, shift); }
    void keyPress(int16_t ascii) override { desktop_->keyPress(ascii); }
    void typeText(const std::u16string& text) override { desktop_->typeText(text); }
    void focusWindow(int32_t hwnd) override { desktop_->focusWindow(hwnd); }
    void menuChoose(int16_t index) override { desktop_->menuChoose(index); }
    void menuCancel() override { desktop_->menuCancel(); }
    void pressFormButton(const std::u16string& caption) override { desktop_->pressFormButton(caption); }

    void wait(uint32_t ms) override { desktop_->wait(ms); }
    void deferPumpFor(uint32_t ms) override { desktop_->deferPumpFor(ms); }
    void flushPaints() override { desktop_->flushPaints(); }
    bool snapshot(int32_t hwnd, bool withChildren, const std::string& path, std::string* error) override {
        return desktop_->snapshot(hwnd, withChildren, path, error);
    }

  private:
    struct Slot {
        std::unique_ptr<software::SoftwareSite> site;
        std::shared_ptr<Dispatchable> control; // Tavrin or XPVScroll
        std::shared_ptr<HostObject> object;
        Liveness alive;
    };
    Slot& slot(ControlKind kind) { return kind == ControlKind::List ? list_ : bar_; }

    void resetDesktop(const software::DesktopOptions& options) {
        if (desktop_) workSpentBefore_ += desktop_->workSpent();
        desktop_ = std::make_unique<software::Desktop>(options);
        if (pump_) desktop_->setInputPump(pump_);
        applyWorkBudget();
    }

    // The desktop's share of the budget: what the desktops before it have not spent.
    void applyWorkBudget() {
        if (!workExhausted_) return;
        const uint64_t left = workBudget_ > workSpentBefore_ ? workBudget_ - workSpentBefore_ : 0;
        desktop_->setWorkBudget(left, workExhausted_);
    }

    void destroy(Slot& s) {
        if (!s.control) return;
        if (s.alive) *s.alive = false;
        if (s.site) {
            s.site->onEvent = nullptr;
            s.site->onPropertyChanged = nullptr;
        }
        retired_.push_back(std::move(s));
        s = Slot{};
    }

    void hook(ControlKind kind, software::SoftwareSite& site) {
        site.onEvent = [this, kind](std::string_view name, int32_t, std::vector<Variant>& args) {
            logEvent(kind, name, args);
        };
        site.onPropertyChanged = [this, kind](std::string_view name) { logChanged(kind, name); };
    }

    // The name the host gives the control: the script's `ambient DisplayName`, else the name its
    // form file was saved under, else the first name of its type. A control that replaces another
    // takes that name again, as a designer reuses the name of a deleted control.
    std::unique_ptr<software::SoftwareSite> createSite(ControlKind kind, int32_t clientW, int32_t clientH,
                                                       const std::string& savedName) {
        software::Desktop::Ambient& ambient = desktop_->ambient();
        const std::u16string scriptName = ambient.displayName;
        if (scriptName.empty())
            ambient.displayName = savedName.empty() ? typeName(kind) + u"1" : utf16(savedName);
        auto site = desktop_->createControlSite(typeName(kind), clientW, clientH);
        ambient.displayName = scriptName;
        return site;
    }

    // Creates the site and the control, runs its initialisation, the first resize and paint; the
    // logs start empty afterwards. The new control is made beside the former one, which goes only
    // once the new one stands: a load that fails part-way leaves the script with the control it had.
    void place(ControlKind kind, int32_t clientW, int32_t clientH, const std::string& savedName,
               const std::function<void(Dispatchable&)>& initialise) {
        Slot fresh;
        fresh.site = createSite(kind, clientW, clientH, savedName);
        fresh.alive = std::make_shared<bool>(true);
        double tpp = desktop_->options().twipsPerPixel;
        if (kind == ControlKind::List) {
            auto list = std::make_shared<Tavrin>(*fresh.site);
            fresh.control = list;
            fresh.object = makeListObject(*list, *this, tpp, fresh.alive);
        } else {
            auto bar = std::make_shared<XPVScroll>(*fresh.site);
            if (!fresh.site->Resize) fresh.site->Resize = [b = bar.get()] { b->UserControl_Resize(); };
            fresh.control = bar;
            fresh.object = makeScrollBarObject("Bar", *bar, nullptr, *this, tpp, fresh.alive);
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

    void terminateControl(ControlKind kind, Slot& s) {
        if (kind == ControlKind::List)
            static_cast<Tavrin&>(*s.control).Terminate();
        else
            static_cast<XPVScroll&>(*s.control).Terminate();
    }

    std::function<bool()> pump_;
    uint64_t workBudget_ = UINT64_MAX, workSpentBefore_ = 0;
    std::function<void()> workExhausted_;
    std::unique_ptr<software::Desktop> desktop_;
    Slot list_, bar_;
    std::vector<Slot> retired_; // terminated, freed by releaseRetired
    std::map<int32_t, uint32_t> sysColors_;
    std::vector<std::u16string> failedPictures_;
};

} // namespace

bool Session::headless() {
    return true;
}

std::unique_ptr<Session> Session::make(std::function<void(const std::string&)> trace) {
    return std::make_unique<HeadlessSession>(std::move(trace));
}

} // namespace tavrin::run
