// The borderless text box of in-place editing.
//
// Rendering, whenever something visible changes:
//   1. the surface is cleared to BackColor;
//   2. the text is drawn on one line in ForeColor, placed by Alignment;
//   3. while the box has the focus, the selection is drawn over it in the highlight colours.
#include <algorithm>

#include "platform/software/Controls.h"
#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

namespace {
constexpr int32_t kSysHighlight = 13, kSysHighlightText = 14;
constexpr int32_t kTextInset = 1; // pixels between the box's edge and left- or right-aligned text
} // namespace

SoftwareTextBox::SoftwareTextBox(Desktop& desktop, DesktopWindow& parent, SiteCore* owner, std::string name)
    : window_(desktop, [&] {
          DesktopWindow::Params p;
          p.kind = WindowKind::TextBox;
          p.name = std::move(name);
          p.parent = &parent;
          p.owner = owner;
          p.visible = false; // an in-place editor stays hidden until it is opened
          return p;
      }()) {
    window_.events = this;
    render();
}

void SoftwareTextBox::SetText(const std::u16string& text) {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
    render();
}

void SoftwareTextBox::SetSelStart(int32_t start) {
    if (start < 0) RaiseInvalidPropertyValue();
    selStart_ = std::min<int32_t>(start, static_cast<int32_t>(text_.size()));
    selLength_ = 0;
    render();
}

void SoftwareTextBox::SetSelLength(int32_t length) {
    if (length < 0) RaiseInvalidPropertyValue();
    selLength_ = std::min<int32_t>(length, static_cast<int32_t>(text_.size()) - selStart_);
    render();
}

void SoftwareTextBox::SetAlignment(int16_t alignment) {
    if (alignment < 0 || alignment > 2) RaiseInvalidPropertyValue();
    alignment_ = alignment;
    render();
}

void SoftwareTextBox::SetBackColor(uint32_t color) {
    backColor_ = color;
    render();
}

void SoftwareTextBox::SetForeColor(uint32_t color) {
    foreColor_ = color;
    render();
}

void SoftwareTextBox::SetFont(const platform::FontDesc& font) {
    window_.surface().SetFont(font);
    render();
}

void SoftwareTextBox::typeCharacter(int16_t& ascii) {
    if (KeyPress) {
        auto handler = KeyPress;
        handler(ascii);
    }
    if (!window_.visible()) return; // the handler closed the box
    switch (ascii) {
    case 0:
    case 10:
    case 13:
    case 27:
        return;
    case 8:
        backspace();
        break;
    default:
        replaceSelection(std::u16string(1, static_cast<char16_t>(static_cast<uint16_t>(ascii))));
    }
    render();
}

void SoftwareTextBox::replaceSelection(std::u16string_view with) {
    text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), with);
    selStart_ += static_cast<int32_t>(with.size());
    selLength_ = 0;
}

void SoftwareTextBox::backspace() {
    if (selLength_ == 0 && selStart_ > 0) {
        --selStart_;
        selLength_ = 1;
    }
    replaceSelection(u"");
}

void SoftwareTextBox::gotFocus() {
    render();
    if (auto handler = GotFocus) handler();
}

void SoftwareTextBox::lostFocus() {
    render();
    if (auto handler = LostFocus) handler();
}

int32_t SoftwareTextBox::textLeft(int32_t textWidthPx) const {
    int32_t w = window_.clientWidth();
    switch (alignment_) {
    case 1:
        return w - kTextInset - textWidthPx;
    case 2:
        return (w - textWidthPx) / 2;
    default:
        return kTextInset;
    }
}

void SoftwareTextBox::render() {
    SoftwareSurface& s = window_.surface();
    s.SetBackColor(backColor_);
    s.Cls();
    if (s.widthPx() == 0 || s.heightPx() == 0) return;
    SoftwareGdi& gdi = s.gdi();
    auto widthOf = [&](size_t n) {
        return static_cast<int32_t>(s.TextWidth(std::u16string_view(text_).substr(0, n)));
    };
    int32_t x0 = textLeft(widthOf(text_.size()));
    platform::RECT all{x0, 0, s.widthPx() + 4096, s.heightPx()};
    s.drawText(text_, all, platform::DT_LEFT | platform::DT_SINGLELINE, gdi.resolveColor(foreColor_));
    bool focused = window_.desktop().focused() == &window_;
    if (!focused || selLength_ == 0) return;
    auto from = static_cast<size_t>(selStart_), to = static_cast<size_t>(selStart_ + selLength_);
    platform::RECT sel{x0 + widthOf(from), 0, x0 + widthOf(to), s.heightPx()};
    s.fillRect(sel, gdi.resolveColor(0x80000000u | kSysHighlight));
    platform::RECT selText{sel.left, 0, s.widthPx() + 4096, s.heightPx()};
    std::u16string_view part = std::u16string_view(text_).substr(from, to - from);
    s.drawText(part, selText, platform::DT_LEFT | platform::DT_SINGLELINE,
               gdi.resolveColor(0x80000000u | kSysHighlightText));
}

} // namespace tavrin::software
