#include "platform/software/SoftwareSite.h"

#include <algorithm>

#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Limits.h"

namespace tavrin::software {

namespace {

DesktopWindow::Params withOwner(DesktopWindow::Params p, SiteCore* owner) {
    p.owner = owner;
    return p;
}

constexpr int32_t kSunkenFramePx = 2;

} // namespace

// ---------------------------------------------------------------------------------------------
// SiteCore

SiteCore::SiteCore(Desktop& desktop, platform::ControlSite& site, DesktopWindow::Params window)
    : desktop_(desktop), site_(site), window_(desktop, withOwner(std::move(window), this)),
      userControl_(std::make_unique<SoftwareUserControl>(*this)) {
    userControl_->Refresh();
}

SiteCore::~SiteCore() = default;

std::unique_ptr<platform::PictureBox> SiteCore::createPictureBox() {
    std::string name = pictureBoxes_++ == 0 ? "iUC" : "Picture" + std::to_string(pictureBoxes_);
    return std::make_unique<SoftwarePictureBox>(desktop_, window_, this, std::move(name));
}

std::unique_ptr<platform::TextBox> SiteCore::createTextBox() {
    std::string name = textBoxes_++ == 0 ? "txtEdit" : "Text" + std::to_string(textBoxes_);
    return std::make_unique<SoftwareTextBox>(desktop_, window_, this, std::move(name));
}

std::unique_ptr<platform::Menu> SiteCore::createMenu(std::vector<std::u16string> captions) {
    return std::make_unique<SoftwareMenu>(std::move(captions));
}

std::unique_ptr<platform::Timer> SiteCore::createTimer() {
    return std::make_unique<SoftwareTimer>(desktop_.clock());
}

DesktopWindow* SiteCore::child(std::string_view name) {
    for (DesktopWindow* w : window_.children())
        if (w->name() == name) return w;
    return nullptr;
}

DesktopWindow* SiteCore::focusFallback() {
    for (DesktopWindow* w : window_.children())
        if (w->kind() == WindowKind::PictureBox && w->shown() && w->enabled()) return w;
    return nullptr;
}

void SiteCore::raiseResize() {
    if (auto handler = site_.Resize) handler();
}

// ---------------------------------------------------------------------------------------------
// SoftwareUserControl

SoftwareUserControl::SoftwareUserControl(SiteCore& core) : core_(core) {
    setTarget(core.window().surface());
}

void SoftwareUserControl::SetBackColor(uint32_t color) {
    target().SetBackColor(color);
    target().Cls();
}

void SoftwareUserControl::SetAppearance(int16_t appearance) {
    if (appearance < 0 || appearance > 1) RaiseInvalidPropertyValue();
    appearance_ = appearance;
    updateFrame();
}

void SoftwareUserControl::SetBorderStyle(int16_t style) {
    if (style < 0 || style > 1) RaiseInvalidPropertyValue();
    borderStyle_ = style;
    updateFrame();
}

// The client size stays: the frame is added around it.
void SoftwareUserControl::updateFrame() {
    core_.window().setFrame(borderStyle_ == 1 && appearance_ == 1 ? kSunkenFramePx : 0);
}

double SoftwareUserControl::twipsPerPixel() const {
    return core_.desktop().options().twipsPerPixel;
}
double SoftwareUserControl::Width() const {
    return core_.window().width() * twipsPerPixel();
}
double SoftwareUserControl::Height() const {
    return core_.window().height() * twipsPerPixel();
}

void SoftwareUserControl::SetWidth(double twips) {
    DesktopWindow& w = core_.window();
    if (!w.move(w.left(), w.top(), toPixels(twips / twipsPerPixel()), w.height())) return;
    Refresh();
    core_.raiseResize();
}

void SoftwareUserControl::SetHeight(double twips) {
    DesktopWindow& w = core_.window();
    if (!w.move(w.left(), w.top(), w.width(), toPixels(twips / twipsPerPixel()))) return;
    Refresh();
    core_.raiseResize();
}

void SoftwareUserControl::PopupMenu(platform::Menu& menu) {
    core_.desktop().popupMenu(menu);
}

void SoftwareUserControl::Refresh() {
    target().Cls();
}

// ---------------------------------------------------------------------------------------------
// Members shared by both kinds of site

template <class Base> platform::Services& SiteMembers<Base>::services() {
    return core().desktop();
}

template <class Base> platform::UserControlSurface& SiteMembers<Base>::UserControl() {
    return core().userControl();
}

template <class Base>
std::unique_ptr<platform::ControlSite::ChildSite> SiteMembers<Base>::createChildSite(std::u16string name) {
    return std::make_unique<SoftwareChildSite>(core(), utf8(name));
}

template class SiteMembers<platform::ControlSite>;
template class SiteMembers<platform::ControlSite::ChildSite>;

// ---------------------------------------------------------------------------------------------
// SoftwareSite

SoftwareSite::SoftwareSite(Desktop& desktop, std::u16string typeName, int32_t clientW, int32_t clientH,
                           Ambient ambient)
    : typeName_(std::move(typeName)), ambient_(std::move(ambient)) {
    if (!ambient_.font) ambient_.font = std::make_shared<platform::StdFont>();
    if (ambient_.displayName.empty()) ambient_.displayName = desktop.nextDisplayName(typeName_);
    DesktopWindow::Params p;
    p.kind = WindowKind::Control;
    p.name = utf8(typeName_);
    p.parent = &desktop.form();
    p.left = Desktop::kControlX;
    p.top = Desktop::kControlY;
    p.width = clientW;
    p.height = clientH;
    p.scale = typeName_ == u"XPVScroll" ? platform::ScaleMode::Twips : platform::ScaleMode::Pixels;
    core_ = std::make_unique<SiteCore>(desktop, *this, std::move(p));
}

SoftwareSite::~SoftwareSite() = default;

void SoftwareSite::resizeClient(int32_t w, int32_t h) {
    DesktopWindow& win = core_->window();
    place(win.left(), win.top(), w, h);
}

void SoftwareSite::place(int32_t left, int32_t top, int32_t w, int32_t h) {
    DesktopWindow& win = core_->window();
    int32_t frame = win.frame();
    // The client is checked before the frame is added to it, which could overflow past the limits.
    platform::limits::checkPixels(std::max(0, w), std::max(0, h), "a window");
    if (win.move(left, top, w + 2 * frame, h + 2 * frame)) core_->userControl().Refresh();
    core_->raiseResize();
}

void SoftwareSite::PropertyChanged(std::string_view name) {
    if (onPropertyChanged) onPropertyChanged(name);
}

void SoftwareSite::RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) {
    if (onEvent) onEvent(name, memberId, args);
}

// ---------------------------------------------------------------------------------------------
// SoftwareChildSite

// The child's extender: a size change resizes the child's surface and raises its Resize.
class SoftwareChildSite::Extender final : public WindowForwarder<platform::Window> {
  public:
    explicit Extender(SiteCore& core) : core_(core) {}

  protected:
    DesktopWindow& win() const override { return core_.window(); }
    void sizeChanged() override {
        core_.userControl().Refresh();
        core_.raiseResize();
    }

  private:
    SiteCore& core_;
};

SoftwareChildSite::SoftwareChildSite(SiteCore& parent, std::string name)
    : parent_(parent), name_(std::move(name)) {
    DesktopWindow::Params p;
    p.kind = WindowKind::ChildControl;
    p.name = name_;
    p.parent = &parent.window();
    p.scale = platform::ScaleMode::Twips;
    core_ = std::make_unique<SiteCore>(parent.desktop(), *this, std::move(p));
    extender_ = std::make_unique<Extender>(*core_);
}

SoftwareChildSite::~SoftwareChildSite() = default;

platform::Window& SoftwareChildSite::extender() {
    return *extender_;
}

std::u16string SoftwareChildSite::AmbientDisplayName() {
    return utf16(name_);
}

void SoftwareChildSite::RaiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) {
    if (onEvent) onEvent(name, memberId, args);
}

} // namespace tavrin::software
