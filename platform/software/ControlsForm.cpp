// The modal form (the about box).
#include <cmath>

#include "platform/software/Controls.h"
#include "platform/software/Desktop.h"
#include "tavrin/ScopeExit.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

namespace {
constexpr int32_t kFormAlreadyShown = 400;
using platform::oleColor;
using platform::SysColor;
constexpr uint32_t kButtonFace = oleColor(SysColor::ButtonFace),
                   kButtonShadow = oleColor(SysColor::ButtonShadow),
                   kButtonHighlight = oleColor(SysColor::ButtonHighlight),
                   kButtonText = oleColor(SysColor::ButtonText);
} // namespace

SoftwareForm::SoftwareForm(Desktop& desktop, double clientWidthTwips, double clientHeightTwips,
                           std::u16string caption)
    : desktop_(desktop), caption_(std::move(caption)), width_(clientWidthTwips + kBorderTwipsX),
      height_(clientHeightTwips + kBorderTwipsY), window_(desktop, [&] {
          double tpp = desktop.options().twipsPerPixel;
          DesktopWindow::Params p;
          p.kind = WindowKind::Form;
          p.name = "form";
          p.width = toPixels(clientWidthTwips / tpp);
          p.height = toPixels(clientHeightTwips / tpp);
          p.visible = false;
          return p;
      }()) {
    window_.surface().SetBackColor(kButtonFace);
    window_.surface().Cls();
}

SoftwareForm::~SoftwareForm() = default;

void SoftwareForm::Move(double left, double top) {
    left_ = left;
    top_ = top;
    double tpp = desktop_.options().twipsPerPixel;
    window_.move(toPixels(left / tpp), toPixels(top / tpp), window_.width(), window_.height());
}

void SoftwareForm::ShowModal() {
    if (shown_) raise(kFormAlreadyShown);
    shown_ = true;
    window_.setVisible(true);
    ScopeExit hide([this] {
        shown_ = false;
        window_.setVisible(false);
    });
    desktop_.runModal(*this);
}

bool SoftwareForm::press(const std::u16string& caption) {
    for (const Button& b : buttons_) {
        if (b.caption != caption) continue;
        if (auto handler = b.Click) handler();
        return true;
    }
    return false;
}

void SoftwareForm::drawButtons() {
    SoftwareSurface& s = window_.surface();
    SoftwareGdi& gdi = s.gdi();
    double tpp = desktop_.options().twipsPerPixel;
    for (const Button& b : buttons_) {
        platform::RECT r{toPixels(b.left / tpp), toPixels(b.top / tpp), toPixels((b.left + b.width) / tpp),
                         toPixels((b.top + b.height) / tpp)};
        s.fillRect(r, gdi.resolveColor(kButtonFace));
        s.fillRect({r.left, r.top, r.right, r.top + 1}, gdi.resolveColor(kButtonHighlight));
        s.fillRect({r.left, r.top, r.left + 1, r.bottom}, gdi.resolveColor(kButtonHighlight));
        s.fillRect({r.left, r.bottom - 1, r.right, r.bottom}, gdi.resolveColor(kButtonShadow));
        s.fillRect({r.right - 1, r.top, r.right, r.bottom}, gdi.resolveColor(kButtonShadow));
        platform::RECT text = r;
        s.drawText(b.caption, text, platform::DT_CENTER | platform::DT_VCENTER | platform::DT_SINGLELINE,
                   gdi.resolveColor(kButtonText));
    }
}

} // namespace tavrin::software
