// The child controls and small host objects that a control site hands out: picture box, text box,
// popup menu, timer, and the modal form.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/software/Clock.h"
#include "platform/software/Window.h"
#include "tavrin/platform/Host.h"
#include "tavrin/platform/SystemColors.h"

namespace tavrin::software {

class Desktop;

// A picture box: its drawing surface is its window's surface, in pixels. The surface keeps its
// pixels; a resize fills the new area with BackColor and queues a Paint.
class SoftwarePictureBox final : public SurfaceForwarder<WindowForwarder<platform::PictureBox>>,
                                 private WindowEvents {
  public:
    SoftwarePictureBox(Desktop& desktop, DesktopWindow& parent, SiteCore* owner, std::string name);
    int16_t MousePointer() const override { return mousePointer_; }
    void SetMousePointer(int16_t pointer) override;
    std::shared_ptr<platform::Picture> MouseIcon() const override { return mouseIcon_; }
    void SetMouseIcon(std::shared_ptr<platform::Picture> icon) override { mouseIcon_ = std::move(icon); }
    DesktopWindow& window() { return window_; }

  protected:
    DesktopWindow& win() const override { return window_; }

  private:
    void mouseDown(int16_t button, int16_t shift, float x, float y) override;
    void mouseMove(int16_t buttons, int16_t shift, float x, float y) override;
    void mouseUp(int16_t button, int16_t shift, float x, float y) override;
    void click() override;
    void dblClick() override;
    void gotFocus() override;
    void lostFocus() override;
    void paint() override;

    mutable DesktopWindow window_;
    int16_t mousePointer_ = 0;
    std::shared_ptr<platform::Picture> mouseIcon_;
};

// A borderless single-line text box that renders itself whenever its text, selection, colours,
// font, size or focus change.
class SoftwareTextBox final : public WindowForwarder<platform::TextBox>, private WindowEvents {
  public:
    SoftwareTextBox(Desktop& desktop, DesktopWindow& parent, SiteCore* owner, std::string name);
    std::u16string Text() const override { return text_; }
    void SetText(const std::u16string& text) override;
    int32_t SelStart() const override { return selStart_; }
    void SetSelStart(int32_t start) override; // raises 380 below 0; past the end goes to the end
    int32_t SelLength() const override { return selLength_; }
    void SetSelLength(int32_t length) override; // raises 380 below 0; clipped to the text
    int16_t Alignment() const override { return alignment_; }
    void SetAlignment(int16_t alignment) override; // raises 380 outside 0..2
    uint32_t BackColor() const override { return backColor_; }
    void SetBackColor(uint32_t color) override;
    uint32_t ForeColor() const override { return foreColor_; }
    void SetForeColor(uint32_t color) override;
    platform::FontDesc Font() const override { return window_.surface().Font(); }
    void SetFont(const platform::FontDesc& font) override;
    DesktopWindow& window() { return window_; }
    // Called after the user changed the text (typing, deleting, pasting).
    std::function<void()> changed;

    // A typed character: KeyPress first, then the character replaces the selection (8 deletes
    // backwards; 10, 13 and 27 are not inserted), unless the box was hidden meanwhile.
    void typeCharacter(int16_t& ascii);
    void render();

  protected:
    DesktopWindow& win() const override { return window_; }
    void sizeChanged() override { render(); }

  private:
    void keyPress(int16_t& ascii) override { typeCharacter(ascii); }
    void keyDown(int16_t keyCode, int16_t shift) override;
    void mouseDown(int16_t button, int16_t shift, float x, float y) override;
    void mouseMove(int16_t buttons, int16_t shift, float x, float y) override;
    void dblClick() override;
    void gotFocus() override;
    void lostFocus() override;
    void replaceSelection(std::u16string_view with);
    void backspace();
    void deleteForward();
    // The caret to `at` (clamped); with `extend` the selection's other end stays where it was.
    void moveCaret(int32_t at, bool extend);
    int32_t caret() const { return caret_; }
    int32_t anchor() const { return caret_ == selStart_ ? selStart_ + selLength_ : selStart_; }
    int32_t offsetAt(float x);
    bool clipboardKey(int16_t keyCode);
    void edited();
    int32_t textLeft(int32_t textWidthPx) const;

    mutable DesktopWindow window_;
    std::u16string text_;
    int32_t selStart_ = 0, selLength_ = 0;
    int32_t caret_ = 0;    // the selection's moving end: selStart_ or selStart_ + selLength_
    int32_t scrollPx_ = 0; // how far the text is shifted left to keep the caret in view
    int16_t alignment_ = 0;
    uint32_t backColor_ = platform::oleColor(platform::SysColor::Window),
             foreColor_ = platform::oleColor(platform::SysColor::WindowText);
};

// A popup menu: entries by caption, each enabled unless switched off.
class SoftwareMenu final : public platform::Menu {
  public:
    explicit SoftwareMenu(std::vector<std::u16string> captions);
    int16_t count() const override { return static_cast<int16_t>(entries_.size()); }
    std::u16string Caption(int16_t index) const override; // raises 340 for a missing entry
    bool Enabled(int16_t index) const override;
    void SetEnabled(int16_t index, bool enabled) override;
    // An entry the user can choose: enabled and not a separator.
    bool choosable(int16_t index) const;

  private:
    struct Entry {
        std::u16string caption;
        bool enabled = true;
    };
    const Entry& entry(int16_t index) const;
    std::vector<Entry> entries_;
};

// A host timer on the virtual clock: due Interval ms after enabling and after each tick.
class SoftwareTimer final : public platform::Timer {
  public:
    explicit SoftwareTimer(VirtualClock& clock);
    ~SoftwareTimer() override;
    int32_t Interval() const override { return interval_; }
    void SetInterval(int32_t milliseconds) override; // raises 380 outside 0..65535
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool enabled) override;

  private:
    void restart();
    void tick();

    VirtualClock& clock_;
    VirtualClock::TimerId id_;
    int32_t interval_ = 0;
    bool enabled_ = false;
};

// The modal form (the about box): outer size = client + 90 x 390 twips of border and caption.
class SoftwareForm final : public platform::Form {
  public:
    static constexpr double kBorderTwipsX = 90, kBorderTwipsY = 390;
    SoftwareForm(Desktop& desktop, double clientWidthTwips, double clientHeightTwips, std::u16string caption);
    ~SoftwareForm() override;
    double Left() const override { return left_; }
    double Top() const override { return top_; }
    double Width() const override { return width_; }
    double Height() const override { return height_; }
    void Move(double left, double top) override;
    void ShowModal() override; // raises 400 when already shown
    void Unload() override { shown_ = false; }
    bool Shown() const override { return shown_; }
    platform::DrawingSurface& surface() override { return window_.surface(); }
    void addButton(Button button) override { buttons_.push_back(std::move(button)); }

    const std::u16string& caption() const { return caption_; }
    const std::vector<Button>& buttons() const { return buttons_; }
    // Runs the Click of the button with that caption; false when there is none.
    bool press(const std::u16string& caption);
    DesktopWindow& window() { return window_; }
    // The buttons drawn onto the client surface (for pictures of the form).
    void drawButtons();

  private:
    Desktop& desktop_;
    std::u16string caption_;
    double left_ = 0, top_ = 0, width_, height_;
    bool shown_ = false;
    std::vector<Button> buttons_;
    DesktopWindow window_;
};

} // namespace tavrin::software
