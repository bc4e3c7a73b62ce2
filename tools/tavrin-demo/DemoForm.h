// The demo, an application on the application API: two lists side by side, the fruit on the left
// (a few hundred items with pictures, Multiple mode with the selection menu) and a basket on the
// right. Items move between them with the buttons and by dragging a row onto the other list; the
// status line shows the events as they are raised. The keys T, S and A change the theme, change
// the selection style and show the about box; a double click edits the item in place.
#pragma once

#include <string>

#include "tavrin/app/Window.h"

namespace tavrin::demo {

class DemoForm {
  public:
    static constexpr int32_t kListW = 300, kListH = 420, kGap = 76;

    explicit DemoForm(app::Window& window);

    app::List& list() { return fruit_; }
    app::List& basket() { return basket_; }
    app::Window& window() { return window_; }
    // The form's own keys; false for a key the form leaves to the control.
    bool shortcut(int16_t keyCode, int16_t shift);
    bool quitAsked() const { return quitAsked_; }
    // The last events, newest first, as the status line shows them.
    std::u16string status() const;

  private:
    void fill();
    void wireDrag(app::List& from, app::List& to);
    void moveSelected(app::List& from, app::List& to);
    void log(const app::List& from, std::string_view event);

    app::Window& window_;
    app::List& fruit_;
    app::List& basket_;
    bool quitAsked_ = false;
    int16_t dragFrom_ = -1; // the row a drag started on
};

} // namespace tavrin::demo
