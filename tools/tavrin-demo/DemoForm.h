// The demo's form: one Tavrin list of a few hundred items with pictures, in Multiple mode with the
// selection menu, and a legend of the keys beside it. The keys T, S and A change the theme, change
// the selection style and show the about box; a double click edits the item in place.
#pragma once

#include <memory>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSite.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/Tavrin.h"

namespace tavrin::demo {

class DemoForm {
  public:
    static constexpr int32_t kListW = 300, kListH = 420;

    explicit DemoForm(software::Desktop& desktop);
    ~DemoForm();

    Tavrin& list() { return *list_; }
    software::SoftwareSite& site() { return *site_; }
    // The form's own keys; false for a key the form leaves to the control.
    bool shortcut(int16_t keyCode, int16_t shift);
    // Set by Escape: the window closes.
    bool quitAsked() const { return quitAsked_; }
    // The form's background and the legend, right of the list.
    void paintLegend(software::SoftwareSurface& canvas) const;

  private:
    void fill();

    software::Desktop& desktop_;
    std::unique_ptr<software::SoftwareSite> site_;
    std::unique_ptr<Tavrin> list_;
    bool quitAsked_ = false;
};

} // namespace tavrin::demo
