// Objects the script host provides itself: the host members of the list and its children (sizes
// in pixels, pixel reads), the host's records (`Host`), the about box while shown. Each forwards
// the members it does not know to the control behind it, if any.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/automation/Dispatch.h"

namespace tavrin {
class Tavrin;
class XPVScroll;
namespace platform {
class Form;
class Window;
} // namespace platform
} // namespace tavrin

namespace tavrin::run {

// What the host objects read of the host itself, whichever host it is.
class HostView {
  public:
    virtual ~HostView() = default;
    virtual uint32_t clock() = 0;        // GetTickCount as the control sees it
    virtual std::string focusName() = 0; // "iUC", "txtEdit", "other" or ""
    virtual bool menuShown() = 0;
    virtual int32_t popupCount() = 0;
    virtual int32_t messageBoxCount() = 0;
    virtual std::u16string lastMessageBox() = 0;
    virtual int32_t gdiObjects() = 0;        // brushes and pens alive
    virtual platform::Form* shownForm() = 0; // nullptr: no modal form is shown
    virtual int32_t paintCount(int32_t hwnd) = 0;
    // A control's window on its form, in the form's pixels.
    struct Placement {
        double left = 0, top = 0;
        bool visible = false;
    };
    virtual Placement placement(int32_t hwnd) = 0;
};

// Cleared when the control it belongs to is terminated: a host object kept in a script variable
// must not reach a control that is gone.
using Liveness = std::shared_ptr<bool>;

class HostObject : public Dispatchable {
  public:
    HostObject(std::string path, Liveness alive) : path_(std::move(path)), alive_(std::move(alive)) {}

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return path_; }

    // A member the host provides: true when this object has it (out holds the value).
    virtual bool get(std::string_view name, const std::vector<Variant>& args, Variant& out) = 0;
    // The control whose own members come after the host's (nullptr: none).
    virtual Dispatchable* target() { return nullptr; }

    const std::string& path() const { return path_; }
    bool alive() const { return !alive_ || *alive_; }

  protected:
    const Liveness& liveness() const { return alive_; }

  private:
    std::string path_;
    Liveness alive_;
};

std::shared_ptr<HostObject> makeListObject(Tavrin& list, HostView& host, double twipsPerPixel,
                                           Liveness alive);
// A scroll bar: the list's child (extender given) or the stand-alone one (extender nullptr).
std::shared_ptr<HostObject> makeScrollBarObject(std::string path, XPVScroll& bar, platform::Window* extender,
                                                HostView& host, double twipsPerPixel, Liveness alive);
std::shared_ptr<HostObject> makeHostInfoObject(HostView& host);
// nullptr when no modal form is shown.
std::shared_ptr<HostObject> makeAboutObject(HostView& host);

} // namespace tavrin::run
