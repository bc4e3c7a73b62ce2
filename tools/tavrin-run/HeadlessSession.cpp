// The script's host on the software window system: the simulated desktop, its form, the controls'
// sites on it, input as the desktop delivers it, PNG through libpng.
#include <map>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareImageList.h"
#include "platform/software/SoftwareSite.h"
#include "platform/software/SoftwareSurface.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tools/tavrin-run/PlacingSession.h"

namespace tavrin::run {

namespace {

class HeadlessSession final : public PlacingSession<software::SoftwareSite> {
  public:
    explicit HeadlessSession(std::function<void(const std::string&)> trace)
        : PlacingSession(std::move(trace)) {
        resetDesktop({});
    }
    ~HeadlessSession() override { releaseAll(); }

    // ---- HostView
    uint32_t clock() override { return desktop_->GetTickCount(); }
    std::string focusName() override { return desktop_->focusName(); }
    bool menuShown() override { return desktop_->menuShown(); }
    int32_t popupCount() override { return desktop_->popupCount(); }
    int32_t messageBoxCount() override { return desktop_->messageBoxCount(); }
    std::u16string lastMessageBox() override { return desktop_->lastMessageBox(); }
    int32_t gdiObjects() override { return desktop_->gdiObjects(); }
    platform::Form* shownForm() override { return desktop_->shownForm(); }
    int32_t paintCount(int32_t hwnd) override {
        const software::DesktopWindow* w = desktop_->window(hwnd);
        return w ? w->paintCount() : 0;
    }
    Placement placement(int32_t hwnd) override {
        const software::DesktopWindow* w = desktop_->window(hwnd);
        if (!w) return {};
        return {static_cast<double>(w->left()), static_cast<double>(w->top()), w->visible()};
    }

    // ---- set-up
    bool setScreen(int32_t widthPx, int32_t heightPx, double twipsPerPixel) override {
        if (hasControl() || anyRetired()) return false;
        // Set-up given before the screen is kept: system colours, ambient properties, failing pictures.
        software::Desktop::Ambient ambient = desktop_->ambient();
        resetDesktop({widthPx, heightPx, twipsPerPixel});
        desktop_->ambient() = ambient;
        for (const auto& [index, rgb] : sysColors_)
            desktop_->setSysColor(index, rgb);
        for (const std::u16string& key : failedPictures_)
            desktop_->failPicture(key);
        return true;
    }
    void setSysColor(int32_t index, uint32_t rgb) override {
        desktop_->setSysColor(index, rgb);
        sysColors_[index] = rgb;
    }
    uint32_t sysColor(int32_t index) override { return desktop_->sysColor(index); }
    void failPicture(const std::u16string& key) override {
        desktop_->failPicture(key);
        failedPictures_.push_back(key);
    }
    void setUserMode(bool userMode) override { desktop_->ambient().userMode = userMode; }
    void setDisplayName(const std::u16string& name) override { desktop_->ambient().displayName = name; }
    void setAmbientFont(std::shared_ptr<platform::StdFont> font) override {
        desktop_->ambient().font = std::move(font);
    }
    void setInputPump(std::function<bool()> pump) override {
        pump_ = std::move(pump);
        desktop_->setInputPump(pump_);
    }
    void setWorkBudget(uint64_t units, std::function<void()> exhausted) override {
        workBudget_ = units;
        workExhausted_ = std::move(exhausted);
        applyWorkBudget();
    }
    uint64_t workSpent() const override { return workSpentBefore_ + desktop_->workSpent(); }

    int32_t controlWindow(ControlKind kind) override {
        Slot& s = slot(kind);
        return s.site ? s.site->hWnd() : 0;
    }

    std::shared_ptr<Dispatchable> makeImageList(int32_t width, int32_t height, int32_t count,
                                                int16_t scaleMode) override {
        return std::make_shared<software::SoftwareImageList>(*desktop_, width, height, count, scaleMode);
    }
    std::shared_ptr<platform::Picture> loadPicture(const std::string& path, std::string* error) override {
        return software::readPng(path, error);
    }

    // ---- input
    void mouseMove(int32_t hwnd, float x, float y, int16_t buttons, int16_t shift) override {
        desktop_->mouseMove(hwnd, x, y, buttons, shift);
    }
    void mouseDown(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        desktop_->mouseDown(hwnd, button, x, y, shift);
    }
    void mouseUp(int32_t hwnd, int16_t button, float x, float y, int16_t shift) override {
        desktop_->mouseUp(hwnd, button, x, y, shift);
    }
    void keyDown(int16_t keyCode, int16_t shift) override { desktop_->keyDown(keyCode, shift); }
    void keyUp(int16_t keyCode, int16_t shift) override { desktop_->keyUp(keyCode, shift); }
    void keyPress(int16_t ascii) override { desktop_->keyPress(ascii); }
    void typeText(const std::u16string& text) override { desktop_->typeText(text); }
    void focusWindow(int32_t hwnd) override { desktop_->focusWindow(hwnd); }
    void menuChoose(int16_t index) override { desktop_->menuChoose(index); }
    void menuCancel() override { desktop_->menuCancel(); }
    void pressFormButton(const std::u16string& caption) override { desktop_->pressFormButton(caption); }

    void wait(uint32_t ms) override { desktop_->wait(ms); }
    void deferPumpFor(uint32_t ms) override { desktop_->deferPumpFor(ms); }
    void flushPaints() override { desktop_->flushPaints(); }
    bool snapshot(int32_t hwnd, bool withChildren, const std::string& path, std::string* error) override {
        return desktop_->snapshot(hwnd, withChildren, path, error);
    }

  private:
    void resetDesktop(const software::DesktopOptions& options) {
        if (desktop_) workSpentBefore_ += desktop_->workSpent();
        desktop_ = std::make_unique<software::Desktop>(options);
        if (pump_) desktop_->setInputPump(pump_);
        applyWorkBudget();
    }

    // The desktop's share of the budget: what the desktops before it have not spent.
    void applyWorkBudget() {
        if (!workExhausted_) return;
        const uint64_t left = workBudget_ > workSpentBefore_ ? workBudget_ - workSpentBefore_ : 0;
        desktop_->setWorkBudget(left, workExhausted_);
    }

    // A control that replaces another takes the same name again, as a designer reuses the name of
    // a deleted control.
    std::unique_ptr<software::SoftwareSite> makeSite(ControlKind kind, int32_t clientW, int32_t clientH,
                                                     const std::string& savedName) override {
        software::Desktop::Ambient& ambient = desktop_->ambient();
        const std::u16string scriptName = ambient.displayName;
        if (scriptName.empty())
            ambient.displayName = savedName.empty() ? typeName(kind) + u"1" : utf16(savedName);
        auto site = desktop_->createControlSite(typeName(kind), clientW, clientH);
        ambient.displayName = scriptName;
        return site;
    }

    double twipsPerPixel() override { return desktop_->options().twipsPerPixel; }

    std::function<bool()> pump_;
    uint64_t workBudget_ = UINT64_MAX, workSpentBefore_ = 0;
    std::function<void()> workExhausted_;
    std::unique_ptr<software::Desktop> desktop_;
    std::map<int32_t, uint32_t> sysColors_;
    std::vector<std::u16string> failedPictures_;
};

} // namespace

bool Session::headless() {
    return true;
}

std::unique_ptr<Session> Session::make(std::function<void(const std::string&)> trace) {
    return std::make_unique<HeadlessSession>(std::move(trace));
}

} // namespace tavrin::run
