// Small scoped helpers shared by the list's layout and painting files.
#pragma once

#include <exception>
#include <utility>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/platform/Gdi.h"

namespace tavrin::render {

// Runs one host or drawing step whose failure must not stop the pass it belongs to: painting and
// the later steps of layout carry on with the next step, as the host's "resume next" would.
template <class Fn> void ignoringFailures(Fn&& step) {
    try {
        std::forward<Fn>(step)();
    } catch (const AutomationError&) {
    } catch (const std::exception&) {
    }
}

// Holds a re-entry flag (p_InLayout, p_BorderRefresh) True for one scope and clears it on every exit.
// Re-entry is real: a layout pass shows and moves children whose paints and resizes run handlers of
// this control, and a border refresh repaints the control's own surface. The flag is cleared, not
// restored, so the outermost pass always ends with it False.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// A brush or pen created for one drawing call and deleted when the call is done.
class OwnedGdiObject {
  public:
    OwnedGdiObject(platform::Gdi& gdi, platform::HGDIOBJ object) : gdi_(gdi), object_(object) {}
    ~OwnedGdiObject() {
        if (object_ != 0) gdi_.DeleteObject(object_);
    }
    OwnedGdiObject(const OwnedGdiObject&) = delete;
    OwnedGdiObject& operator=(const OwnedGdiObject&) = delete;
    platform::HGDIOBJ get() const { return object_; }

  private:
    platform::Gdi& gdi_;
    platform::HGDIOBJ object_;
};

// "Create, select, draw, select back, delete": the object is selected into the device context for
// the scope's life, then the previous object of its kind goes back and the new one is deleted.
// Declared after another SelectedGdiObject, it is released before it (reverse order).
class SelectedGdiObject {
  public:
    SelectedGdiObject(platform::Gdi& gdi, platform::HDC dc, platform::HGDIOBJ object)
        : owned_(gdi, object), gdi_(gdi), dc_(dc), selected_(object != 0) {
        if (selected_) previous_ = gdi_.SelectObject(dc_, object);
    }
    ~SelectedGdiObject() {
        if (selected_) gdi_.SelectObject(dc_, previous_);
    }
    SelectedGdiObject(const SelectedGdiObject&) = delete;
    SelectedGdiObject& operator=(const SelectedGdiObject&) = delete;

  private:
    OwnedGdiObject owned_; // destroyed last: deleted once it is no longer selected
    platform::Gdi& gdi_;
    platform::HDC dc_;
    bool selected_;
    platform::HGDIOBJ previous_ = 0; // may be the device context's stock object
};

} // namespace tavrin::render
