// The host side of one script: the desktop the script runs on, the controls the script placed on
// it (`List`, `Bar`), their lives (new, load, save, reload, terminate, resize), the input it gives
// them and the logs of the events and PropertyChanged calls they made.
//
// The interpreter sees only this class; each host makes its own (Session::make): the simulated
// desktop of the software window system, or real windows on the Windows API.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/software/FormFile.h"
#include "tools/tavrin-run/HostObjects.h"

namespace tavrin {
class Tavrin;
class XPVScroll;
namespace platform {
class Picture;
class StdFont;
} // namespace platform
} // namespace tavrin

namespace tavrin::run {

struct LoggedEvent {
    std::string name;
    std::vector<Variant> args;
};

enum class ControlKind { List, Bar };

class Session : public HostView {
  public:
    // trace receives "event List.Click" and "changed List.ListIndex" lines (may be empty).
    static std::unique_ptr<Session> make(std::function<void(const std::string&)> trace);
    // True on the simulated desktop, which runs the checks marked `headless only` too.
    static bool headless();
    ~Session() override = default;

    // ---- host set-up
    // A new screen before any control exists; false once a control was created.
    virtual bool setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel) = 0;
    // A screen of 1024 x 768 pixels at 96 dots per inch shown at a scale (1, 1.25, 1.5, 2).
    bool setScreenScale(double scale) {
        return setScreen(static_cast<int32_t>(1024 * scale), static_cast<int32_t>(768 * scale), 15.0 / scale);
    }
    // Set-up that a later `screen` keeps.
    virtual void setSysColor(int32_t index, uint32_t rgb) = 0;
    virtual uint32_t sysColor(int32_t index) = 0;
    virtual void failPicture(const std::u16string& key) = 0;
    virtual void setUserMode(bool userMode) = 0;
    virtual void setDisplayName(const std::u16string& name) = 0;
    virtual void setAmbientFont(std::shared_ptr<platform::StdFont> font) = 0;
    // Called by the control's DoEvents loops and the modal loops for the next input; false: nothing
    // more to run.
    virtual void setInputPump(std::function<bool()> pump) = 0;
    // The host's share of the script's work budget: every DoEvents and timer tick the host runs
    // spends one unit; once `units` are spent, `exhausted` runs (it throws). Kept across a new screen.
    virtual void setWorkBudget(uint64_t units, std::function<void()> exhausted) = 0;
    virtual uint64_t workSpent() const = 0;

    // ---- the controls
    virtual void create(ControlKind kind, int32_t clientW, int32_t clientH) = 0;
    virtual void load(ControlKind kind, const software::FormData& form) = 0;
    virtual software::FormData save() = 0; // the last created control
    virtual void reload() = 0;
    virtual void terminate() = 0;
    virtual void resize(int32_t clientW, int32_t clientH) = 0;
    virtual bool hasControl() const = 0;
    // Frees the controls terminated since the last call. A control terminated while one of its
    // own loops waits in DoEvents is still on the stack: it is kept until the script is back at
    // its top level.
    virtual void releaseRetired() = 0;

    virtual Tavrin* list() = 0;
    virtual XPVScroll* bar() = 0;
    // The window of the control of that kind (0: none).
    virtual int32_t controlWindow(ControlKind kind) = 0;
    ControlKind current() const { return current_; }
    // The script's objects: List, Bar, Host, frmAbout (nullptr when there is none).
    virtual std::shared_ptr<HostObject> object(std::string_view name) = 0;

    // Objects the script constructs: ImageList(W, H, N [, ScaleMode]), LoadPicture(file).
    virtual std::shared_ptr<Dispatchable> makeImageList(int32_t width, int32_t height, int32_t count,
                                                        int16_t scaleMode) = 0;
    virtual std::shared_ptr<platform::Picture> loadPicture(const std::string& path, std::string* error) = 0;

    // ---- input (coordinates in pixels of the target window's client area)
    virtual void mouseMove(int32_t hwnd, float x, float y, int16_t buttons, int16_t shift) = 0;
    virtual void mouseDown(int32_t hwnd, int16_t button, float x, float y, int16_t shift) = 0;
    virtual void mouseUp(int32_t hwnd, int16_t button, float x, float y, int16_t shift) = 0;
    virtual void keyDown(int16_t keyCode, int16_t shift) = 0;
    virtual void keyUp(int16_t keyCode, int16_t shift) = 0;
    virtual void keyPress(int16_t ascii) = 0;
    virtual void typeText(const std::u16string& text) = 0;
    virtual void focusWindow(int32_t hwnd) = 0; // 0: "away", another control on the form gets it
    virtual void menuChoose(int16_t index) = 0; // a disabled entry or a separator leaves the menu open
    virtual void menuCancel() = 0;
    virtual void pressFormButton(const std::u16string& caption) = 0;

    // ---- time
    // Advances to now+ms firing timers in time order; paints delivered after each step.
    virtual void wait(uint32_t ms) = 0;
    // From now on the input pump is not called until `ms` have passed.
    virtual void deferPumpFor(uint32_t ms) = 0;
    // Delivers the paints and the focus moves left pending by the statement that ran.
    virtual void flushPaints() = 0;

    // The control's window as PNG (with its children), or one child window alone.
    virtual bool snapshot(int32_t hwnd, bool withChildren, const std::string& path, std::string* error) = 0;

    std::vector<LoggedEvent>& events() { return events_; }
    std::vector<std::string>& changed() { return changed_; }

  protected:
    explicit Session(std::function<void(const std::string&)> trace) : trace_(std::move(trace)) {}
    // The logs and the trace of what the control of that kind raised or reported.
    void logEvent(ControlKind kind, std::string_view name, const std::vector<Variant>& args);
    void logChanged(ControlKind kind, std::string_view name);
    // Reads the stored properties of a form into a new control; an error the control raises says
    // which stored value it refused.
    static void readForm(ControlKind kind, Dispatchable& control, const software::FormData& form);

    ControlKind current_ = ControlKind::List;
    std::vector<LoggedEvent> events_;
    std::vector<std::string> changed_;

  private:
    std::function<void(const std::string&)> trace_;
};

} // namespace tavrin::run
