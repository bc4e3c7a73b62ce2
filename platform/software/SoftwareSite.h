// The site of a control on the simulated form: the control's own window and surface (the
// UserControl), its child windows (picture box, text box, child controls), menus and timers, its
// ambient and extender properties, and where its events and PropertyChanged calls go.
//
// The list's UserControl surface is in pixels; the scroll bar's (stand-alone or as the list's
// child) in twips. The control window has a frame only with BorderStyle 1 and Appearance 1: a
// 2-pixel sunken 3D frame around the client area.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/software/Controls.h"
#include "platform/software/Window.h"
#include "tavrin/platform/Host.h"

namespace tavrin::software {

class Desktop;
class SoftwareUserControl;

// What every site shares, whatever it reports to: the window, the UserControl and the children.
class SiteCore {
  public:
    SiteCore(Desktop& desktop, platform::ControlSite& site, DesktopWindow::Params window);
    virtual ~SiteCore();

    Desktop& desktop() { return desktop_; }
    platform::ControlSite& site() { return site_; }
    DesktopWindow& window() { return window_; }
    SoftwareUserControl& userControl() { return *userControl_; }

    std::unique_ptr<platform::PictureBox> createPictureBox();
    std::unique_ptr<platform::TextBox> createTextBox();
    std::unique_ptr<platform::Menu> createMenu(std::vector<std::u16string> captions);
    std::unique_ptr<platform::Timer> createTimer();

    // Children by name ("iUC", "txtEdit", "sbUC"); nullptr when there is none.
    DesktopWindow* child(std::string_view name);
    // The picture box that takes the focus back from a hidden text box.
    DesktopWindow* focusFallback();

    // The control's own Resize notification (after the host or the control changed its size).
    void raiseResize();

  private:
    Desktop& desktop_;
    platform::ControlSite& site_;
    DesktopWindow window_;
    std::unique_ptr<SoftwareUserControl> userControl_;
    int pictureBoxes_ = 0, textBoxes_ = 0;
};

// The host's object for the control itself: its surface (the window's), its frame properties and
// its size in twips.
class SoftwareUserControl final : public SurfaceForwarder<platform::UserControlSurface> {
  public:
    explicit SoftwareUserControl(SiteCore& core);

    platform::HWND hWnd() const override { return core_.window().hwnd(); }
    void SetBackColor(uint32_t color) override; // also clears the surface to it
    bool Enabled() const override { return core_.window().enabled(); }
    void SetEnabled(bool enabled) override { core_.window().setEnabled(enabled); }
    int16_t Appearance() const override { return appearance_; }
    void SetAppearance(int16_t appearance) override; // raises 380 outside 0..1
    int16_t BorderStyle() const override { return borderStyle_; }
    void SetBorderStyle(int16_t style) override; // raises 380 outside 0..1
    bool KeyPreview() const override { return keyPreview_; }
    void SetKeyPreview(bool on) override { keyPreview_ = on; }
    double Width() const override;
    double Height() const override;
    // The outer size in twips; Resize is raised again when the size really changed.
    void SetWidth(double twips) override;
    void SetHeight(double twips) override;
    void PopupMenu(platform::Menu& menu) override;
    void Refresh() override; // clears the surface to BackColor

  private:
    void updateFrame();
    double twipsPerPixel() const;

    SiteCore& core_;
    int16_t appearance_ = 1, borderStyle_ = 0;
    bool keyPreview_ = false;
};

// The platform::ControlSite members that every site implements the same way.
template <class Base> class SiteMembers : public Base {
  public:
    platform::Services& services() override;
    platform::UserControlSurface& UserControl() override;
    std::unique_ptr<platform::PictureBox> createPictureBox() override { return core().createPictureBox(); }
    std::unique_ptr<platform::TextBox> createTextBox() override { return core().createTextBox(); }
    std::unique_ptr<platform::Menu> createMenu(std::vector<std::u16string> captions) override {
        return core().createMenu(std::move(captions));
    }
    std::unique_ptr<platform::Timer> createTimer() override { return core().createTimer(); }
    std::unique_ptr<platform::ControlSite::ChildSite> createChildSite(std::u16string name) override;

    virtual SiteCore& core() = 0;
};

// A control placed on the form: the top-level site the script host and tests create.
class SoftwareSite final : public SiteMembers<platform::ControlSite> {
  public:
    struct Ambient {
        bool userMode = true;
        std::shared_ptr<platform::StdFont> font;
        std::u16string displayName;
    };
    SoftwareSite(Desktop& desktop, std::u16string typeName, int32_t clientW, int32_t clientH,
                 Ambient ambient);
    ~SoftwareSite() override;

    // Hooks the script host sets: events raised by the control and its PropertyChanged calls.
    std::function<void(std::string_view, int32_t, std::vector<Variant>&)> onEvent;
    std::function<void(std::string_view)> onPropertyChanged;

    // The host's resize: a new client size in pixels, then Resize even when nothing changed.
    void resizeClient(int32_t w, int32_t h);
    int32_t clientWidth() { return core_->window().clientWidth(); }
    int32_t clientHeight() { return core_->window().clientHeight(); }
    // The same at a new place in the form's client area (the outer top-left corner, pixels).
    void place(int32_t left, int32_t top, int32_t w, int32_t h);
    const std::u16string& typeName() const { return typeName_; }
    platform::HWND hWnd() { return core_->window().hwnd(); }
    // Children by name: "iUC", "txtEdit", "sbUC"; nullptr when there is none.
    DesktopWindow* child(std::string_view name) { return core_->child(name); }
    SiteCore& core() override { return *core_; }

    bool AmbientUserMode() override { return ambient_.userMode; }
    // A copy each time, as a container hands out its ambient font: the control may change the
    // object it was given without changing the container's font.
    std::shared_ptr<platform::StdFont> AmbientFont() override { return ambient_.font->clone(); }
    std::u16string AmbientDisplayName() override { return ambient_.displayName; }
    bool ExtenderVisible() override { return core_->window().visible(); }
    void PropertyChanged(std::string_view name) override;
    void RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) override;

  private:
    std::u16string typeName_;
    Ambient ambient_;
    std::unique_ptr<SiteCore> core_;
};

// A child user control (the list's scroll bar): a child window of its parent's control window,
// with an extender in the parent's pixels and a UserControl surface in twips without a frame.
// Its events go to onEvent; its PropertyChanged calls go nowhere.
class SoftwareChildSite final : public SiteMembers<platform::ControlSite::ChildSite> {
  public:
    SoftwareChildSite(SiteCore& parent, std::string name);
    ~SoftwareChildSite() override;

    platform::Window& extender() override;
    SiteCore& core() override { return *core_; }

    bool AmbientUserMode() override { return parent_.site().AmbientUserMode(); }
    std::shared_ptr<platform::StdFont> AmbientFont() override { return parent_.site().AmbientFont(); }
    std::u16string AmbientDisplayName() override;
    bool ExtenderVisible() override { return core_->window().visible(); }
    void PropertyChanged(std::string_view) override {}
    void RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) override;

  private:
    class Extender;
    SiteCore& parent_;
    std::string name_;
    std::unique_ptr<SiteCore> core_;
    std::unique_ptr<Extender> extender_;
};

} // namespace tavrin::software
