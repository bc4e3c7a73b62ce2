// A small host for the scroll bar tests: a virtual clock with host and window timers, a cursor and
// a window rectangle, a subclassing server that delivers hooked messages, the code-drawn picture
// store with keys that can be made to fail, and a surface that records what is painted.
//
// The screen has 1 twip per pixel unless a test says otherwise, so cursor offsets are twips.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "tavrin/XPVScroll.h"

namespace tavrin::test {

class FakeHost;

class FakeTimer : public platform::Timer {
  public:
    explicit FakeTimer(FakeHost& host) : host_(host) {}
    int32_t Interval() const override { return interval_; }
    void SetInterval(int32_t ms) override;
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool on) override;
    uint32_t due = 0;

  private:
    FakeHost& host_;
    int32_t interval_ = 0;
    bool enabled_ = false;
};

// One PaintPicture call: the picture's store key, where, and the height asked for.
struct PaintCall {
    std::u16string key;
    double x, y;
    std::optional<double> height;
};

class FakeUserControl : public platform::UserControlSurface {
  public:
    explicit FakeUserControl(FakeHost& host) : host_(host) {}
    std::vector<PaintCall> paints; // since the last Cls
    int32_t clsCount = 0;
    double width = 255, height = 3000;
    double borderTwips = 0; // what a border would take from the height the pictures are drawn in

    platform::HWND hWnd() const override { return 42; }
    bool Enabled() const override { return enabled_; }
    void SetEnabled(bool on) override { enabled_ = on; }
    int16_t Appearance() const override { return 0; }
    void SetAppearance(int16_t) override {}
    int16_t BorderStyle() const override { return 0; }
    void SetBorderStyle(int16_t) override {}
    bool KeyPreview() const override { return false; }
    void SetKeyPreview(bool) override {}
    double Width() const override { return width; }
    double Height() const override { return height; }
    void SetWidth(double twips) override { width = twips; }
    void SetHeight(double twips) override { height = twips; }
    void PopupMenu(platform::Menu&) override {}
    void Refresh() override {}
    platform::HDC hDC() override { return 0; }
    uint32_t BackColor() const override { return 0; }
    void SetBackColor(uint32_t) override {}
    void Cls() override {
        paints.clear();
        ++clsCount;
    }
    platform::FontDesc Font() const override { return {}; }
    void SetFont(const platform::FontDesc&) override {}
    bool FontUnderline() const override { return false; }
    void SetFontUnderline(bool) override {}
    double TextHeight(std::u16string_view) override { return 0; }
    double TextWidth(std::u16string_view) override { return 0; }
    double CurrentX() const override { return 0; }
    double CurrentY() const override { return 0; }
    void SetCurrentX(double) override {}
    void SetCurrentY(double) override {}
    void Print(std::u16string_view) override {}
    void Line(double, double, double, double, uint32_t) override {}
    void PSet(double, double, uint32_t) override {}
    uint32_t Point(double, double) const override { return 0; }
    void PaintPicture(const platform::Picture* picture, double x, double y, std::optional<double> w,
                      std::optional<double> h) override;
    platform::ScaleMode scaleMode() const override { return platform::ScaleMode::Twips; }
    double ScaleWidth() const override { return width; }
    double ScaleHeight() const override { return height - borderTwips; }

  private:
    FakeHost& host_;
    bool enabled_ = true;
};

class FakeHost : public platform::ControlSite,
                 public platform::Services,
                 public platform::Screen,
                 public platform::SubclassServer,
                 public platform::PictureStore {
  public:
    FakeHost();
    ~FakeHost() override;

    // ---- records and set-up
    bool userMode = true;
    double twipsPerPixel = 1;
    std::vector<std::string> events, changed;
    std::vector<std::u16string> askedKeys, messageBoxes;
    std::set<std::u16string> failingKeys; // "*" fails every key
    std::set<std::pair<platform::ISubclass*, int32_t>> hooks;
    int32_t failUnhookAfter = -1; // UnhookMessage raises once this many calls have succeeded
    platform::RECT windowRect{100, 100, 117, 3100};
    platform::POINT cursor{105, 0};
    std::map<int32_t, uint32_t> windowTimers; // id -> due
    std::function<void(const std::string&)> onEvent;
    FakeUserControl uc{*this};
    uint32_t now = 100000;

    // The picture store's key for a picture handle ("" if the store never made it).
    std::u16string keyOf(int32_t handle) const;
    std::vector<FakeTimer*> timers;
    // Delivers a message to the hooked clients of window 42 (wParam 1 for WM_TIMER).
    void deliver(int32_t msg);
    // Moves the cursor to y twips below the window top (screen pixels = twips / twipsPerPixel).
    void cursorAt(double yTwips);
    void moveTo(double yTwips);
    void press(double yTwips);
    void release(double yTwips);
    void doubleClick(double yTwips);
    // Advances the clock by ms, firing host timers and the window timer in time order.
    void advance(uint32_t ms);

    // ---- platform::ControlSite
    platform::Services& services() override { return *this; }
    platform::UserControlSurface& UserControl() override { return uc; }
    bool AmbientUserMode() override { return userMode; }
    std::shared_ptr<platform::StdFont> AmbientFont() override { return nullptr; }
    std::u16string AmbientDisplayName() override { return u"XPVScroll1"; }
    bool ExtenderVisible() override { return true; }
    void PropertyChanged(std::string_view name) override { changed.emplace_back(name); }
    void RaiseEvent(std::string_view name, int32_t, std::vector<Variant>&) override;
    std::unique_ptr<platform::PictureBox> createPictureBox() override { return nullptr; }
    std::unique_ptr<platform::TextBox> createTextBox() override { return nullptr; }
    std::unique_ptr<platform::Menu> createMenu(std::vector<std::u16string>) override { return nullptr; }
    std::unique_ptr<platform::Timer> createTimer() override;
    std::unique_ptr<ChildSite> createChildSite(std::u16string) override { return nullptr; }

    // ---- platform::Services
    platform::Gdi& gdi() override;
    platform::Screen& screen() override { return *this; }
    platform::SubclassServer& subclassServer() override { return *this; }
    platform::PictureStore& pictureStore() override { return *this; }
    uint32_t GetTickCount() override { return now; }
    void DoEvents() override { advance(1); }
    platform::POINT GetCursorPos() override { return cursor; }
    platform::RECT GetWindowRect(platform::HWND) override { return windowRect; }
    int32_t SetTimer(platform::HWND, int32_t id, int32_t ms) override;
    bool KillTimer(platform::HWND, int32_t id) override { return windowTimers.erase(id) > 0; }
    int32_t MsgBox(const std::u16string& prompt, int32_t style, const std::u16string&) override;
    double ScaleX(double v, platform::ScaleMode, platform::ScaleMode) override { return v; }
    double ScaleY(double v, platform::ScaleMode, platform::ScaleMode) override { return v; }
    std::unique_ptr<platform::Form> createForm(double, double, const std::u16string&) override {
        return nullptr;
    }

    // ---- platform::Screen
    double TwipsPerPixelX() const override { return twipsPerPixel; }
    double TwipsPerPixelY() const override { return twipsPerPixel; }
    double Width() const override { return 1024 * twipsPerPixel; }
    double Height() const override { return 768 * twipsPerPixel; }

    // ---- platform::SubclassServer
    void HookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override;
    void UnhookMessage(platform::ISubclass* client, platform::HWND hwnd, int32_t msg) override;

    // ---- platform::PictureStore
    std::shared_ptr<platform::Picture> GetPicture(const std::u16string& key) override;

  private:
    std::map<int32_t, std::u16string> keysByHandle_;
    std::map<std::u16string, std::shared_ptr<platform::Picture>> cache_;
    int32_t unhooks_ = 0;
};

} // namespace tavrin::test
