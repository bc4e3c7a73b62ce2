// The control's host on the real Windows API: each control a window, its drawing surface a child
// window backed by a DIB section whose Paint event the system raises (shown, resized, uncovered),
// the text box a real EDIT control, the selection menu a popup menu, timers from SetTimer, the
// subclassing server on SetWindowSubclass, the about box a modal window, system colours from
// GetSysColor. Input, focus, capture and double clicks come from the system itself.
//
// The header names no Windows type; real window handles pass as void*.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tavrin/platform/Host.h"

namespace tavrin::win32 {

class Win32Gdi;
class Win32SiteCore;

// The services of the whole host: one per program, made before any control window.
class Win32Services : public platform::Services {
  public:
    Win32Services();
    ~Win32Services() override;

    platform::Gdi& gdi() override;
    Win32Gdi& win32Gdi();
    platform::Screen& screen() override;
    platform::SubclassServer& subclassServer() override;
    platform::PictureStore& pictureStore() override;

    uint32_t GetTickCount() override;
    void DoEvents() override;
    platform::POINT GetCursorPos() override;
    platform::RECT GetWindowRect(platform::HWND hwnd) override;
    int32_t SetTimer(platform::HWND hwnd, int32_t id, int32_t milliseconds) override;
    bool KillTimer(platform::HWND hwnd, int32_t id) override;
    int32_t MsgBox(const std::u16string& prompt, int32_t style, const std::u16string& title) override;
    double ScaleX(double value, platform::ScaleMode from, platform::ScaleMode to) override;
    double ScaleY(double value, platform::ScaleMode from, platform::ScaleMode to) override;
    std::unique_ptr<platform::Form> createForm(double clientWidthTwips, double clientHeightTwips,
                                               const std::u16string& caption) override;

    // Runs the message loop until the last top-level window of ours is closed (or WM_QUIT).
    int run();
    // The twips of one screen pixel (15 at 96 dots per inch).
    double twipsPerPixel() const { return twipsPerPixel_; }
    // Copies every changed drawing surface to its window now.
    void present();

    // ---- for a host that runs the controls on a clock of its own (the script host)
    // The controls' host timers; by default SetTimer timers on the system's clock.
    virtual std::unique_ptr<platform::Timer> createHostTimer();
    // Asked at each idle turn of a modal loop (the popup menu, a modal form) while set; false
    // closes what is open. Unset, the loops wait for the system's messages.
    std::function<bool()> modalTurn;
    // The popup menu open now (nullptr: none) and the host's answer to it: a disabled entry or a
    // separator leaves the menu open.
    platform::Menu* shownMenu() const;
    void chooseMenu(int16_t index);
    void cancelMenu();
    int32_t popupCount() const;
    // The modal form shown now (nullptr: none) and a press of one of its buttons by caption.
    platform::Form* shownForm() const;
    void pressFormButton(const std::u16string& caption);
    // The screen the controls are told about: pixels and twips per pixel.
    void setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel);

    struct Impl;
    Impl& impl() { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
    double twipsPerPixel_ = 15.0;
};

// A control on a window of its own (top-level, or a child of `parent`), as a form places it.
class Win32Site final : public platform::ControlSite {
  public:
    Win32Site(Win32Services& services, std::u16string typeName, int32_t clientW, int32_t clientH,
              void* parent = nullptr, std::u16string caption = u"Tavrin");
    ~Win32Site() override;

    // Events raised by the control and its PropertyChanged calls.
    std::function<void(std::string_view, int32_t, std::vector<Variant>&)> onEvent;
    std::function<void(std::string_view)> onPropertyChanged;
    // Keys the control window's owner handles before the control (the demo's shortcuts); true
    // when taken.
    std::function<bool(int16_t keyCode, int16_t shift)> onShortcut;
    // What the container tells the control: run or design time, its font, the name it gives it
    // (empty: the type's first name).
    struct Ambient {
        bool userMode = true;
        std::shared_ptr<platform::StdFont> font;
        std::u16string displayName;
    };
    Ambient ambient;

    // A new client size (the frame the border style gives comes around it); Resize is raised.
    void resizeClient(int32_t w, int32_t h);
    void moveTo(int32_t x, int32_t y); // in the parent's client pixels
    int32_t clientWidth() const;
    int32_t clientHeight() const;
    void* window() const;      // the real control window
    void* frameWindow() const; // the top-level window holding it
    void show();

    platform::Services& services() override;
    platform::UserControlSurface& UserControl() override;
    bool AmbientUserMode() override { return ambient.userMode; }
    std::shared_ptr<platform::StdFont> AmbientFont() override;
    std::u16string AmbientDisplayName() override {
        return ambient.displayName.empty() ? typeName_ + u"1" : ambient.displayName;
    }
    bool ExtenderVisible() override;
    void PropertyChanged(std::string_view name) override;
    void RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) override;
    std::unique_ptr<platform::PictureBox> createPictureBox() override;
    std::unique_ptr<platform::TextBox> createTextBox() override;
    std::unique_ptr<platform::Menu> createMenu(std::vector<std::u16string> captions) override;
    std::unique_ptr<platform::Timer> createTimer() override;
    std::unique_ptr<ChildSite> createChildSite(std::u16string name) override;

  private:
    Win32Services& services_;
    std::u16string typeName_;
    std::unique_ptr<Win32SiteCore> core_;
    void* frame_ = nullptr;
};

} // namespace tavrin::win32
