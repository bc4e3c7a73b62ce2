// A fixed run of user input for tests of the live window: real SDL events pushed into the
// window's queue a few frames apart, each step's effect checked before the next step starts.
//
//   click a row -> arrow keys -> drag below the bottom edge (automatic scrolling) -> Home ->
//   right click, "Select all" from the menu -> T, S -> double click, type, Enter ->
//   A, Close on the about box -> a row dragged onto the basket -> the wheel over the basket ->
//   Tab to the next control -> Escape
#pragma once

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

#include "DemoForm.h"
#include "platform/sdl/InputRouter.h"
#include "platform/software/Desktop.h"

namespace tavrin::demo {

class ScriptedInput {
  public:
    explicit ScriptedInput(DemoForm& form);
    // Called after every presented frame.
    void frame(int32_t number);
    // Every step ran and every check held.
    bool finished() const { return next_ == steps_.size() && failures_.empty(); }
    const std::vector<std::string>& failures() const { return failures_; }

  private:
    struct Step {
        int32_t gapFrames; // frames after the previous step
        std::function<void()> act;
        std::function<std::string()> check; // empty when the step did what it should
    };

    void build();
    void click(int32_t x, int32_t y, uint8_t button);
    void press(uint8_t button, int32_t x, int32_t y, bool down);
    void moveTo(int32_t x, int32_t y, uint32_t state);
    void key(SDL_Keycode key);
    void type(const char* text);
    void wheel(int32_t x, int32_t y, int32_t notches);
    platform::POINT rowCentre(int16_t row) const;
    bool rowShowsItem(int16_t row);
    // The list's client area in the window.
    platform::POINT listOrigin(app::List& list) const;
    sdl::InputRouter& router() const;

    DemoForm& form_;
    software::Desktop& desktop_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    int32_t dueFrame_ = 0;
    std::vector<std::string> failures_;
};

} // namespace tavrin::demo
