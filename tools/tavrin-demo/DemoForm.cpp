#include "DemoForm.h"

#include <string>
#include <vector>

#include "platform/software/SoftwareImageList.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::demo {

namespace {

const char16_t* const kFruit[] = {u"Apple",      u"Apricot",   u"Avocado", u"Banana",     u"Bilberry",
                                  u"Blackberry", u"Blueberry", u"Cherry",  u"Clementine", u"Cloudberry",
                                  u"Cranberry",  u"Damson",    u"Date",    u"Elderberry", u"Fig",
                                  u"Gooseberry", u"Grape",     u"Guava",   u"Kiwi",       u"Lemon",
                                  u"Lime",       u"Lychee",    u"Mango",   u"Medlar",     u"Melon",
                                  u"Mulberry",   u"Nectarine", u"Orange",  u"Papaya",     u"Peach"};
const char16_t* const kKinds[] = {u"",      u" jam",   u" pie",     u" juice",  u", dried",
                                  u" tart", u" jelly", u" crumble", u" sorbet", u" chutney"};

const char16_t* const kThemeNames[] = {u"XPBlue", u"XPSilver", u"XPOlive"};
const char16_t* const kStyleNames[] = {u"Standard", u"Dither",    u"Gradient_V", u"Gradient_H",
                                       u"Box",      u"Underline", u"byPicture"};

constexpr int16_t kKeyA = 'A', kKeyS = 'S', kKeyT = 'T', kEscape = 27;
constexpr uint32_t kFormFace = 0xD8E9EC, kInk = 0x3A3330, kMuted = 0x7A706A;

// A warm ribbon for the byPicture style.
std::shared_ptr<platform::Picture> ribbon() {
    constexpr int32_t w = 64, h = 8;
    std::vector<uint32_t> px(static_cast<size_t>(w * h));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            px[static_cast<size_t>(y * w + x)] =
                (0x60u << 16) | (static_cast<uint32_t>(0xB0 + x) << 8) | static_cast<uint32_t>(0xE8 - y * 6);
    return std::make_shared<platform::Picture>(w, h, std::move(px));
}

} // namespace

DemoForm::DemoForm(software::Desktop& desktop) : desktop_(desktop) {
    site_ = desktop_.createControlSite(u"Tavrin", kListW, kListH);
    site_->onEvent = [this](std::string_view name, int32_t, std::vector<Variant>&) {
        if (name == "DblClick") list_->StartEdit();
    };
    list_ = std::make_unique<Tavrin>(*site_);
    list_->InitProperties();
    site_->resizeClient(kListW, kListH);
    desktop_.flushPaints();
    fill();
}

DemoForm::~DemoForm() {
    list_->Terminate();
    list_.reset();
}

void DemoForm::fill() {
    Tavrin& l = *list_;
    l.SetItemHeightAuto(false);
    l.SetItemHeight(22);
    l.SetItemTextLeft(22);
    l.SetBackSelectedG1(0xC56A31);
    l.SetBackSelectedG2(0xFFFFFF);
    l.SetBoxBorder(0xC56A31);
    l.SetSelectionPicture(ribbon());
    l.SetSelectModeStyle(Gradient_H);
    l.SetImageList(Variant::object(std::make_shared<software::SoftwareImageList>(desktop_, 16, 16, 8, 3)));
    int i = 0;
    for (const char16_t* fruit : kFruit)
        for (const char16_t* kind : kKinds) {
            l.AddItem(Variant::string(std::u16string(fruit) + kind), static_cast<int16_t>(i % 8 + 1),
                      static_cast<int16_t>((i + 3) % 8 + 1));
            ++i;
        }
    l.SetSelectMode(Multiple);
    l.SetShowMenu(true);
    l.SetListIndex(0);
}

bool DemoForm::shortcut(int16_t keyCode, int16_t shift) {
    if (shift != 0) return false;
    switch (keyCode) {
    case kKeyT:
        list_->SetTheme((list_->Theme() + 1) % 3);
        return true;
    case kKeyS:
        list_->SetSelectModeStyle((list_->SelectModeStyle() + 1) % 7);
        return true;
    case kKeyA:
        list_->About();
        return true;
    case kEscape:
        quitAsked_ = true;
        return true;
    default:
        return false;
    }
}

void DemoForm::paintLegend(software::SoftwareSurface& canvas) const {
    canvas.fillRect({0, 0, canvas.widthPx(), canvas.heightPx()}, kFormFace);
    const int32_t left = software::Desktop::kControlX + kListW + 28, right = canvas.widthPx() - 12;
    auto line = [&](int32_t& y, const std::u16string& text, uint32_t ink, bool bold) {
        canvas.SetFont({u"DejaVu Sans", bold ? 10.0 : 8.0, bold});
        platform::RECT r{left, y, right, y + 22};
        canvas.drawText(text, r, platform::DT_SINGLELINE | platform::DT_VCENTER, ink);
        y += bold ? 28 : 20;
    };
    int32_t y = 14;
    line(y, u"Tavrin, live", kInk, true);
    for (const char16_t* text :
         {u"Click, drag (beyond the edges", u"  scrolls), arrows, Page Up/Down,", u"  Home, End, Space",
          u"Right click: selection menu", u"Double click: edit, Enter stores", u"T  theme",
          u"S  selection style", u"A  about box", u"Esc  quit"})
        line(y, text, kInk, false);
    y += 12;
    const Tavrin& l = *list_;
    line(y, std::u16string(u"Theme: ") + kThemeNames[l.Theme() % 3], kMuted, false);
    line(y, std::u16string(u"Style: ") + kStyleNames[l.SelectModeStyle() % 7], kMuted, false);
    line(y, u"Current: " + (l.ListIndex() >= 0 ? l.ItemText(l.ListIndex()) : std::u16string(u"none")), kMuted,
         false);
    line(y,
         u"Selected: " + utf16(std::to_string(l.SelectedCount())) + u" of " +
             utf16(std::to_string(l.ListCount())),
         kMuted, false);
}

} // namespace tavrin::demo
