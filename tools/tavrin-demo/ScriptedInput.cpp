#include "ScriptedInput.h"

#include <algorithm>
#include <cstring>

#include "app/Hosted.h"
#include "control/TavrinAccess.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::demo {

namespace {

std::string expect(bool holds, const std::string& what) {
    return holds ? std::string() : what;
}

} // namespace

ScriptedInput::ScriptedInput(DemoForm& form) : form_(form), desktop_(form.window().impl().desktop) {
    build();
    dueFrame_ = steps_.empty() ? 0 : steps_.front().gapFrames;
}

void ScriptedInput::frame(int32_t number) {
    if (next_ >= steps_.size() || number < dueFrame_) return;
    if (next_ > 0) {
        std::string failure = steps_[next_ - 1].check();
        if (!failure.empty()) failures_.push_back(failure);
    }
    steps_[next_].act();
    ++next_;
    if (next_ < steps_.size()) dueFrame_ = number + steps_[next_].gapFrames;
}

void ScriptedInput::build() {
    Tavrin& l = form_.list().list();
    Tavrin& basket = form_.basket().list();
    auto noCheck = [] { return std::string(); };
    const platform::POINT origin = listOrigin(form_.list()), basketAt = listOrigin(form_.basket());
    const double scale = form_.window().impl().scale; // the events are in the window's pixels
    const int32_t x = origin.x + 60, below = origin.y + roundToI4((DemoForm::kListH + 30) * scale);
    steps_ = {
        {3, [=, this] { click(x, rowCentre(2).y, SDL_BUTTON_LEFT); },
         [&l] {
             return expect(l.ListIndex() == 2 && l.ItemSelected(2),
                           "a click makes row 2 current and selected");
         }},
        {2, [this] { key(SDLK_DOWN), key(SDLK_DOWN); },
         [&l] { return expect(l.ListIndex() == 4, "two Down keys move to row 4"); }},
        {2,
         [=, this] { press(SDL_BUTTON_LEFT, x, rowCentre(6).y, true), moveTo(x, below, SDL_BUTTON_LMASK); },
         noCheck},
        // A step each 41 ms of the clock: a second is about 24 rows, past the 18 on view.
        {60, [=, this] { press(SDL_BUTTON_LEFT, x, below, false); },
         [&l] {
             return expect(l.ListIndex() > TavrinAccess::visibleRows(l) &&
                               l.TopIndex() == l.ListIndex() - TavrinAccess::visibleRows(l) + 1,
                           "dragging below scrolls, the current row last on view");
         }},
        {2, [this] { key(SDLK_HOME); }, [&l] { return expect(l.ListIndex() == 0, "Home goes to row 0"); }},
        {2, [=, this] { click(x, rowCentre(1).y, SDL_BUTTON_RIGHT); },
         [this] { return expect(desktop_.menuShown(), "a right click shows the selection menu"); }},
        {3,
         [this] {
             auto layout = router().menuLayout();
             if (layout) click(layout->entries[0].left + 20, layout->entries[0].top + 8, SDL_BUTTON_LEFT);
         },
         [&l, this] {
             return expect(!desktop_.menuShown() && l.SelectedCount() == l.ListCount(),
                           "Select all selects all");
         }},
        {2, [this] { key(SDLK_t), key(SDLK_s); },
         [&l] {
             return expect(l.Theme() == ctsListThemes::XPSilver &&
                               l.SelectModeStyle() == SelectModeStyleCts::Box,
                           "T and S change the looks");
         }},
        {2,
         [=, this] {
             click(x, rowCentre(3).y, SDL_BUTTON_LEFT);
             click(x, rowCentre(3).y, SDL_BUTTON_LEFT);
         },
         [this] { return expect(desktop_.focusName() == "txtEdit", "a double click starts editing"); }},
        {2, [this] { type("Kiwi tart"), key(SDLK_RETURN); },
         [&l, this] {
             if (l.ItemText(3) != u"Kiwi tart") return std::string("typing and Enter store the text");
             return expect(rowShowsItem(3), "the row shows the stored text once the edit box is gone");
         }},
        {2, [this] { key(SDLK_a); },
         [this] { return expect(desktop_.shownForm() != nullptr, "A shows the about box"); }},
        {3,
         [this] {
             auto layout = router().formLayout();
             auto* form = dynamic_cast<software::SoftwareForm*>(desktop_.shownForm());
             if (!layout || !form) return;
             const double tpp = desktop_.options().twipsPerPixel;
             const auto& close = form->buttons().front();
             click(layout->client.x + static_cast<int32_t>((close.left + close.width / 2) / tpp),
                   layout->client.y + static_cast<int32_t>((close.top + close.height / 2) / tpp),
                   SDL_BUTTON_LEFT);
         },
         [this] { return expect(desktop_.shownForm() == nullptr, "Close closes the about box"); }},
        {2,
         [=, this] {
             press(SDL_BUTTON_LEFT, x, rowCentre(1).y, true);
             moveTo(basketAt.x + 40, basketAt.y + 40, SDL_BUTTON_LMASK);
             press(SDL_BUTTON_LEFT, basketAt.x + 40, basketAt.y + 40, false);
         },
         [&l, &basket] {
             return expect(basket.ListCount() == 1 && l.ListCount() == 299,
                           "a row dragged onto the basket moves there");
         }},
        {2, [=, this] { wheel(x, origin.y + 40, -2); },
         [&l] { return expect(l.TopIndex() == 6, "two notches of the wheel scroll six rows"); }},
        {2, [this] { key(SDLK_TAB); },
         [this] { return expect(form_.window().focused() != &form_.list(), "Tab moves the focus on"); }},
        {2, [this] { key(SDLK_ESCAPE); }, noCheck},
    };
}

// The row on the surface is what painting it now gives: painting it again (and its focus
// rectangle, which the row's own painting leaves out) changes none of its pixels.
bool ScriptedInput::rowShowsItem(int16_t row) {
    Tavrin& l = form_.list().list();
    software::DesktopWindow* surface = desktop_.window(TavrinAccess::iUC(l).hWnd());
    if (!surface) return false;
    software::SoftwareSurface& s = surface->surface();
    const int32_t top = (row - l.TopIndex()) * TavrinAccess::rowHeight(l),
                  bottom = top + TavrinAccess::rowHeight(l);
    auto band = [&] {
        std::vector<uint32_t> px;
        for (int32_t y = std::max(0, top); y < std::min(bottom, s.heightPx()); ++y)
            for (int32_t x = 0; x < s.widthPx(); ++x)
                px.push_back(s.pixelAt(x, y));
        return px;
    };
    std::vector<uint32_t> shown = band();
    TavrinAccess::DrawItem(l, row);
    TavrinAccess::DrawFocus(l, row);
    return !shown.empty() && band() == shown;
}

platform::POINT ScriptedInput::listOrigin(app::List& list) const {
    platform::POINT client = app::hosted(list).hostWindow().clientOrigin();
    platform::POINT form = desktop_.form().clientOrigin();
    return {client.x - form.x, client.y - form.y};
}

sdl::InputRouter& ScriptedInput::router() const {
    return *form_.window().impl().router;
}

platform::POINT ScriptedInput::rowCentre(int16_t row) const {
    const Tavrin& l = form_.list().list();
    const int16_t h = TavrinAccess::rowHeight(l);
    platform::POINT o = listOrigin(form_.list());
    return {o.x, o.y + (row - l.TopIndex()) * h + h / 2};
}

void ScriptedInput::wheel(int32_t x, int32_t y, int32_t notches) {
    moveTo(x, y, 0);
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&e);
}

void ScriptedInput::click(int32_t x, int32_t y, uint8_t button) {
    press(button, x, y, true);
    press(button, x, y, false);
}

void ScriptedInput::press(uint8_t button, int32_t x, int32_t y, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

void ScriptedInput::moveTo(int32_t x, int32_t y, uint32_t state) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    SDL_PushEvent(&e);
}

void ScriptedInput::key(SDL_Keycode key) {
    SDL_Event e{};
    e.key.keysym.sym = key;
    e.type = SDL_KEYDOWN;
    e.key.state = SDL_PRESSED;
    SDL_PushEvent(&e);
    if (key >= SDLK_a && key <= SDLK_z) { // a letter key also types its letter, as the keyboard does
        const char letter[2] = {static_cast<char>(key), 0};
        type(letter);
    }
    e.type = SDL_KEYUP;
    e.key.state = SDL_RELEASED;
    SDL_PushEvent(&e);
}

void ScriptedInput::type(const char* text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof e.text.text - 1);
    SDL_PushEvent(&e);
}

} // namespace tavrin::demo
