// The lives of the controls a script places, the same on every host: new, load, save, reload,
// terminate and resize, and the slots that hold the list and the stand-alone scroll bar.
//
// A host gives the sites (makeSite) and says how its input and paints are delivered
// (flushPaints); everything else about a control's life is here. `Site` is the host's site of a
// control on its form: it has the hooks onEvent and onPropertyChanged, resizeClient, clientWidth
// and clientHeight besides the members of platform::ControlSite.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/Session.h"

namespace tavrin::run {

template <class Site> class PlacingSession : public Session {
  public:
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
        form.width = s.site->clientWidth();
        form.height = s.site->clientHeight();
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
        retire(s);
        flushPaints();
    }
    void resize(int32_t clientW, int32_t clientH) override {
        slot(current_).site->resizeClient(clientW, clientH);
        flushPaints();
    }
    bool hasControl() const override { return list_.control || bar_.control; }
    void releaseRetired() override { retired_.clear(); }

    Tavrin* list() override { return static_cast<Tavrin*>(list_.control.get()); }
    XPVScroll* bar() override { return static_cast<XPVScroll*>(bar_.control.get()); }
    std::shared_ptr<HostObject> object(std::string_view name) override {
        if (namesEqual(name, "List")) return list_.object;
        if (namesEqual(name, "Bar")) return bar_.object;
        if (namesEqual(name, "Host")) return makeHostInfoObject(*this);
        if (namesEqual(name, "frmAbout")) return makeAboutObject(*this);
        return nullptr;
    }

  protected:
    using Session::Session;

    struct Slot {
        std::unique_ptr<Site> site;
        std::shared_ptr<Dispatchable> control; // Tavrin or XPVScroll
        std::shared_ptr<HostObject> object;
        Liveness alive;
    };

    // ---- what the host gives
    // A site on the form for a new control of that kind. `savedName` is the name its form file
    // was saved under (empty for a new one); the script's `ambient DisplayName` comes first, then
    // that name, else the first name of its type.
    virtual std::unique_ptr<Site> makeSite(ControlKind kind, int32_t clientW, int32_t clientH,
                                           const std::string& savedName) = 0;
    virtual double twipsPerPixel() = 0;
    // The list has been made on its site, before its initialisation runs.
    virtual void listMade(Tavrin&) {}

    Slot& slot(ControlKind kind) { return kind == ControlKind::List ? list_ : bar_; }
    bool anyRetired() const { return !retired_.empty(); }
    // Frees every control, retired or not: the host's destructor calls it while the desktop or
    // windows the sites stand on still exist.
    void releaseAll() {
        retire(list_);
        retire(bar_);
        retired_.clear();
    }

    static std::u16string typeName(ControlKind kind) {
        return kind == ControlKind::List ? u"Tavrin" : u"XPVScroll";
    }

  private:
    // Creates the site and the control, runs its initialisation, the first resize and paint; the
    // logs start empty afterwards. The new control is made beside the former one, which goes only
    // once the new one stands: a load that fails part-way leaves the script with the control it
    // had, and the half-made one is terminated.
    void place(ControlKind kind, int32_t clientW, int32_t clientH, const std::string& savedName,
               const std::function<void(Dispatchable&)>& initialise) {
        Slot fresh;
        fresh.site = makeSite(kind, clientW, clientH, savedName);
        fresh.alive = std::make_shared<bool>(true);
        const double tpp = twipsPerPixel();
        if (kind == ControlKind::List) {
            auto list = std::make_shared<Tavrin>(*fresh.site);
            fresh.control = list;
            fresh.object = makeListObject(*list, *this, tpp, fresh.alive);
            listMade(*list);
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
            retire(fresh);
            throw;
        }
        Slot& s = slot(kind);
        if (s.control) {
            terminateControl(kind, s);
            retire(s);
        }
        s = std::move(fresh);
        s.site->onEvent = [this, kind](std::string_view name, int32_t, std::vector<Variant>& args) {
            logEvent(kind, name, args);
        };
        s.site->onPropertyChanged = [this, kind](std::string_view name) { logChanged(kind, name); };
        current_ = kind;
        s.site->resizeClient(clientW, clientH);
        flushPaints();
        events_.clear();
        changed_.clear();
    }

    static void terminateControl(ControlKind kind, Slot& s) {
        if (kind == ControlKind::List)
            static_cast<Tavrin&>(*s.control).Terminate();
        else
            static_cast<XPVScroll&>(*s.control).Terminate();
    }

    // The control's objects go dead for the script; the control itself is freed by releaseRetired
    // (it may still be on the stack, in one of its own DoEvents loops).
    void retire(Slot& s) {
        if (!s.control) return;
        if (s.alive) *s.alive = false;
        if (s.site) {
            s.site->onEvent = nullptr;
            s.site->onPropertyChanged = nullptr;
        }
        retired_.push_back(std::move(s));
        s = Slot{};
    }

    Slot list_, bar_;
    std::vector<Slot> retired_; // terminated, freed by releaseRetired
};

} // namespace tavrin::run
