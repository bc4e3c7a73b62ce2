// An application window: a form of controls, its tab order and anchors, form files, and the
// event loop. The same program runs on a real screen (an SDL window) and headless, where the
// window is drawn in memory (PNG pictures, tests) and a simulated user drives it.
//
//   tavrin::app::Window window({.caption = u"Fruit"});            // 1
//   auto& fruit = window.addList("Fruit", {12, 12, 200, 240});     // 2
//   fruit->AddItem(tavrin::Variant::string("Apple"));
//   return window.run();                                           // 3
//
// Focus: the first control in tab order has it when the form is shown. Tab and Shift+Tab move it
// to the next and previous control that is a tab stop, wrapping around; the control losing it
// gets its focus-out events before the one gaining it gets its focus-in events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/app/Controls.h"

namespace tavrin::app {

enum class Host {
    Headless, // in memory: pictures and the simulated user
    Screen,   // a real window (where the library was built with SDL2)
};

// A form file that cannot be read, parsed or written, or whose controls cannot be loaded. The
// message names the file, and the control and the key at fault.
class FormError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct WindowOptions {
    std::u16string caption = u"Tavrin";
    int32_t width = 480, height = 360; // client area, pixels
    Host host = Host::Headless;
    bool userMode = true; // false: the controls are at design time
    // Device pixels per pixel of the form (1, 1.25, 1.5, 2): places, sizes and the user's input
    // stay in the form's pixels while text, pictures and the window grow. 0: the display's own
    // scale on the screen, 1 headless. Pictures (snapshot, pixels) are in device pixels.
    double scale = 0;
};

class Window {
  public:
    explicit Window(WindowOptions options = {});
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // ---- the form
    const std::u16string& caption() const;
    void setCaption(const std::u16string& caption);
    int32_t width() const;
    int32_t height() const;
    // The user's resize: anchored controls follow.
    void resize(int32_t width, int32_t height);
    bool userMode() const;

    // ---- controls. A name already on the form raises std::invalid_argument. A new control comes
    // last in the tab order.
    List& addList(std::string name, Place place);
    Label& addLabel(std::string name, Place place, std::u16string caption);
    Button& addButton(std::string name, Place place, std::u16string caption);
    TextBox& addTextBox(std::string name, Place place, std::u16string text = {});
    void remove(Control& control);
    Control* find(std::string_view name) const; // names compare without regard to case
    template <class T> T& get(std::string_view name) const {
        T* c = dynamic_cast<T*>(find(name));
        if (!c) throw std::invalid_argument("no control of that kind named " + std::string(name));
        return *c;
    }
    // In tab order.
    std::vector<Control*> controls() const;
    Control* focused() const;
    // A name not on the form yet: "List1", "List2", ...
    std::string freeName(std::string_view stem) const;

    // ---- form files
    // Replaces every control with the file's (the caption and size follow). On any error nothing
    // changes and FormError names the control and the key.
    void load(const std::string& path);
    void loadText(std::string_view json, const std::string& sourceName = "form");
    // Writes every control at once; a failed save leaves the previous file as it was.
    void save(const std::string& path) const;
    std::string saveText() const;

    // ---- running
    // Screen: shows the window and runs until it is closed (0) or cannot open (2). Headless:
    // delivers what is pending and returns 0.
    int run();
    void close();
    // A generated image list of `count` images of w x h pixels (1-based), for SetImageList.
    Variant imageList(int32_t width, int32_t height, int32_t count);
    // A run on the screen closes itself after this many frames (0: never), for tests.
    void setFrameLimit(int32_t frames);
    // On the screen, the clock steps one frame's time per frame instead of following real time,
    // so that scripted input behaves the same on any machine.
    void setSteppedClock(bool stepped);
    // Called once per frame on the screen, with the frame number.
    std::function<void(int32_t frame)> onFrame;
    // Offered each key going down while no text box has the focus, before Tab moves the focus;
    // true when the program took the key (on the screen, the character it types is dropped).
    std::function<bool(int16_t keyCode, int16_t shift)> onShortcut;

    // ---- pictures and the simulated user (any host)
    bool snapshot(const std::string& pngPath, std::string* error = nullptr) const;
    // The client area, 0x00BBGGRR row by row.
    std::vector<uint32_t> pixels() const;

    // Coordinates are pixels in the control's client area (or the window's, without a control).
    class User {
      public:
        void click(Control& control, float x, float y);
        void doubleClick(Control& control, float x, float y);
        void rightClick(Control& control, float x, float y);
        void press(Control& control, float x, float y, int16_t button = 1);
        void moveTo(Control& control, float x, float y, int16_t buttons = 0);
        void release(Control& control, float x, float y, int16_t button = 1);
        void wheel(Control& control, float x, float y, int32_t notches);
        // Key codes are virtual keys (Tab 9, Enter 13, Escape 27, arrows 37-40, 'A'-'Z').
        void key(int16_t keyCode, int16_t shift = 0);
        void type(const std::u16string& text);
        void wait(uint32_t milliseconds);
        // The menu the control shows, when any: choose an entry or cancel it.
        void chooseMenu(int16_t index);

      private:
        friend class Window;
        explicit User(Window& window) : window_(window) {}
        Window& window_;
    };
    User& user();

    struct Impl;
    Impl& impl() const { return *impl_; }

  private:
    friend class Control;
    void controlMoved(Control& control);
    void tabIndexChanged(Control& control);

    std::unique_ptr<Impl> impl_;
    User user_{*this};
};

} // namespace tavrin::app
