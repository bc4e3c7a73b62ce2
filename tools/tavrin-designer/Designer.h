// tavrin-designer: a form designer built on the application API.
//
//   +--------------------------------------------------------------+
//   | [Add list] [Run] [Save] [Open]                   file name   |
//   | +---------------------------+  +--------------------------+  |
//   | | the form being designed   |  | property sheet: a Tavrin |  |
//   | | (design time; in run mode |  | list of "Name = value"   |  |
//   | |  a running copy of it)    |  | rows, edited in place    |  |
//   | +---------------------------+  +--------------------------+  |
//   | status line                                                   |
//   +--------------------------------------------------------------+
//
// Design mode: a click on the form selects the control under the pointer (a dotted frame shows
// it) and a drag moves it. The sheet lists the selected control's settings; a double click or F2
// on a row edits it, Enter applies the value through dispatch by name. A value the control
// refuses is reported in the status line and changes nothing. Run mode: the form is loaded afresh
// at run time, each list with a few sample items, and the mouse goes to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/software/Window.h"
#include "tavrin/app/Window.h"

namespace tavrin::designer {

class Designer : private software::WindowEvents {
  public:
    static constexpr int32_t kViewLeft = 8, kViewTop = 42, kViewW = 480, kViewH = 400;

    Designer(app::Host host, std::string path);
    ~Designer() override;

    app::Window& window() { return window_; }
    app::Window& designed() { return *designed_; }
    bool running() const { return running_ != nullptr; }

    void addList();
    void toggleRun();
    void save();
    void open();
    void select(app::Control* control);
    // The sheet row `row` gets the text "Name = value"; applies it. False when the control refused.
    bool apply(int16_t row, const std::u16string& text);
    std::u16string status() const;
    // When set, each save also writes the design-time picture of the form here.
    std::string savedPicture;
    // Every status line is also written to the standard output.
    bool logStatus = false;
    // The form as a design-time window draws it, written as a PNG.
    static bool render(const std::string& formPath, const std::string& pngPath, std::string* error);

  private:
    void build();
    void fillSheet();
    void refreshView();
    void sheetEdited();
    void setStatus(const std::u16string& text);
    app::Window& shown() { return running_ ? *running_ : *designed_; }
    app::Control* controlAt(float x, float y);

    void mouseDown(int16_t button, int16_t shift, float x, float y) override;
    void mouseMove(int16_t buttons, int16_t shift, float x, float y) override;
    void mouseUp(int16_t button, int16_t shift, float x, float y) override;

    std::string path_;
    app::Window window_;
    std::unique_ptr<app::Window> designed_, running_;
    std::unique_ptr<software::DesktopWindow> view_;
    app::Control* selected_ = nullptr;
    std::vector<std::string> rows_; // the property name of each sheet row
    std::vector<std::u16string> shownRows_;
    bool dragging_ = false;
    float dragX_ = 0, dragY_ = 0;
};

} // namespace tavrin::designer
