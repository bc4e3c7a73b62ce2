// The borderless text box of in-place editing, which is also the application's text box.
//
// Rendering, whenever something visible changes:
//   1. the surface is cleared to BackColor;
//   2. the text is drawn on one line in ForeColor, placed by Alignment and shifted left as far
//      as it takes to keep the caret in view;
//   3. while the box has the focus, the selection is drawn over it in the highlight colours and
//      the caret as a one-pixel line.
//
// Editing keys (Shift extends the selection from its fixed end):
//   Left/Right one character, Home/End the ends, Delete the selection or the next character,
//   Ctrl+A all, Ctrl+C copy, Ctrl+X cut, Ctrl+V paste (the desktop's clipboard).
// The mouse places the caret; dragging with the left button selects, a double click selects all.
#include <algorithm>
#include <cstdlib>

#include "platform/software/Controls.h"
#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

namespace {
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
    caret_ = 0;
    render();
}

void SoftwareTextBox::SetSelStart(int32_t start) {
    if (start < 0) RaiseInvalidPropertyValue();
    selStart_ = std::min<int32_t>(start, static_cast<int32_t>(text_.size()));
    selLength_ = 0;
    caret_ = selStart_;
    render();
}

void SoftwareTextBox::SetSelLength(int32_t length) {
    if (length < 0) RaiseInvalidPropertyValue();
    selLength_ = std::min<int32_t>(length, static_cast<int32_t>(text_.size()) - selStart_);
    caret_ = selStart_ + selLength_;
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
    edited();
}

void SoftwareTextBox::replaceSelection(std::u16string_view with) {
    text_.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), with);
    selStart_ += static_cast<int32_t>(with.size());
    selLength_ = 0;
    caret_ = selStart_;
}

void SoftwareTextBox::deleteForward() {
    if (selLength_ == 0 && selStart_ < static_cast<int32_t>(text_.size())) selLength_ = 1;
    replaceSelection(u"");
}

void SoftwareTextBox::moveCaret(int32_t at, bool extend) {
    int32_t fixed = extend ? anchor() : 0;
    caret_ = std::clamp<int32_t>(at, 0, static_cast<int32_t>(text_.size()));
    if (!extend) fixed = caret_;
    selStart_ = std::min(fixed, caret_);
    selLength_ = std::abs(caret_ - fixed);
}

void SoftwareTextBox::edited() {
    render();
    if (changed) changed();
}

bool SoftwareTextBox::clipboardKey(int16_t keyCode) {
    std::u16string selected = text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
    switch (keyCode) {
    case 'A':
        selStart_ = 0;
        selLength_ = static_cast<int32_t>(text_.size());
        caret_ = selLength_;
        render();
        return true;
    case 'C':
        if (selLength_ > 0) window_.desktop().setClipboardText(selected);
        return true;
    case 'X':
        if (selLength_ == 0) return true;
        window_.desktop().setClipboardText(selected);
        replaceSelection(u"");
        edited();
        return true;
    case 'V': {
        std::u16string paste = window_.desktop().clipboardText();
        // One line: a pasted line break ends the text there.
        paste = paste.substr(0, std::min(paste.find(u'\r'), paste.find(u'\n')));
        replaceSelection(paste);
        edited();
        return true;
    }
    default:
        return false;
    }
}

void SoftwareTextBox::keyDown(int16_t keyCode, int16_t shift) {
    if (!window_.visible()) return;
    const bool extend = (shift & platform::vbShiftMask) != 0;
    if ((shift & platform::vbCtrlMask) && clipboardKey(keyCode)) return;
    switch (keyCode) {
    case 37: // Left: a selection collapses to its start
        moveCaret(!extend && selLength_ > 0 ? selStart_ : caret_ - 1, extend);
        break;
    case 39: // Right: a selection collapses to its end
        moveCaret(!extend && selLength_ > 0 ? selStart_ + selLength_ : caret_ + 1, extend);
        break;
    case 36: // Home
        moveCaret(0, extend);
        break;
    case 35: // End
        moveCaret(static_cast<int32_t>(text_.size()), extend);
        break;
    case 46: // Delete
        deleteForward();
        edited();
        return;
    default:
        return;
    }
    render();
}

// The character boundary nearest to x in the box's client area.
int32_t SoftwareTextBox::offsetAt(float x) {
    SoftwareSurface& s = window_.surface();
    auto widthOf = [&](size_t n) {
        return static_cast<int32_t>(s.TextWidth(std::u16string_view(text_).substr(0, n)));
    };
    int32_t x0 = textLeft(widthOf(text_.size())) - scrollPx_;
    int32_t best = 0;
    float bestDistance = std::abs(x - static_cast<float>(x0));
    for (size_t n = 1; n <= text_.size(); ++n) {
        float d = std::abs(x - static_cast<float>(x0 + widthOf(n)));
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int32_t>(n);
        }
    }
    return best;
}

void SoftwareTextBox::mouseDown(int16_t button, int16_t shift, float x, float y) {
    if (button != platform::vbLeftButton) return;
    moveCaret(offsetAt(x), (shift & platform::vbShiftMask) != 0);
    render();
}

void SoftwareTextBox::mouseMove(int16_t buttons, int16_t shift, float x, float y) {
    if (!(buttons & platform::vbLeftButton) || window_.desktop().captureWindow() != window_.hwnd()) return;
    moveCaret(offsetAt(x), true);
    render();
}

void SoftwareTextBox::dblClick() {
    selStart_ = 0;
    selLength_ = static_cast<int32_t>(text_.size());
    caret_ = selLength_;
    render();
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
    // Keep the caret in view: shift the text left when it would fall past the right edge.
    int32_t caretPx = textLeft(widthOf(text_.size())) + widthOf(static_cast<size_t>(caret_));
    int32_t room = s.widthPx() - kTextInset - 1;
    if (caretPx - scrollPx_ > room) scrollPx_ = caretPx - room;
    if (caretPx - scrollPx_ < kTextInset) scrollPx_ = std::max(0, caretPx - kTextInset);
    int32_t x0 = textLeft(widthOf(text_.size())) - scrollPx_;
    platform::RECT all{x0, 0, s.widthPx() + 4096, s.heightPx()};
    s.drawText(text_, all, platform::DT_LEFT | platform::DT_SINGLELINE, gdi.resolveColor(foreColor_));
    bool focused = window_.desktop().focused() == &window_;
    if (!focused) return;
    if (selLength_ == 0) {
        int32_t cx = x0 + widthOf(static_cast<size_t>(caret_));
        s.fillRect({cx, 1, cx + 1, s.heightPx() - 1}, gdi.resolveColor(foreColor_));
        return;
    }
    auto from = static_cast<size_t>(selStart_), to = static_cast<size_t>(selStart_ + selLength_);
    platform::RECT sel{x0 + widthOf(from), 0, x0 + widthOf(to), s.heightPx()};
    s.fillRect(sel, gdi.resolveColor(platform::oleColor(platform::SysColor::Highlight)));
    platform::RECT selText{sel.left, 0, s.widthPx() + 4096, s.heightPx()};
    std::u16string_view part = std::u16string_view(text_).substr(from, to - from);
    s.drawText(part, selText, platform::DT_LEFT | platform::DT_SINGLELINE,
               gdi.resolveColor(platform::oleColor(platform::SysColor::HighlightText)));
}

} // namespace tavrin::software
