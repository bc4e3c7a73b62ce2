#include "DemoForm.h"

#include <string>
#include <vector>

#include "app/Hosted.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::demo {

using app::Anchor;
using app::List;

namespace {

const char16_t* const kFruit[] = {u"Apple",      u"Apricot",   u"Avocado", u"Banana",     u"Bilberry",
                                  u"Blackberry", u"Blueberry", u"Cherry",  u"Clementine", u"Cloudberry",
                                  u"Cranberry",  u"Damson",    u"Date",    u"Elderberry", u"Fig",
                                  u"Gooseberry", u"Grape",     u"Guava",   u"Kiwi",       u"Lemon",
                                  u"Lime",       u"Lychee",    u"Mango",   u"Medlar",     u"Melon",
                                  u"Mulberry",   u"Nectarine", u"Orange",  u"Papaya",     u"Peach"};
const char16_t* const kKinds[] = {u"",      u" jam",   u" pie",     u" juice",  u", dried",
                                  u" tart", u" jelly", u" crumble", u" sorbet", u" chutney"};

constexpr int16_t kKeyA = 'A', kKeyS = 'S', kKeyT = 'T', kEscape = 27;
constexpr int32_t kTop = 12, kLeft = 12;

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

DemoForm::DemoForm(app::Window& window)
    : window_(window), fruit_(window.addList("Fruit", {kLeft, kTop, kListW, kListH})),
      basket_(window.addList("Basket", {kLeft + kListW + kGap, kTop, kListW, kListH})) {
    const int32_t mid = kLeft + kListW + 8;
    window.addButton("ToBasket", {mid, kTop + 150, kGap - 16, 28}, u">").onClick = [this] {
        moveSelected(fruit_, basket_);
    };
    window.addButton("ToFruit", {mid, kTop + 190, kGap - 16, 28}, u"<").onClick = [this] {
        moveSelected(basket_, fruit_);
    };
    window.addLabel("Keys", {kLeft, kTop + kListH + 6, 2 * kListW + kGap, 20},
                    u"Drag a row onto the other list or use > and <.  T theme, S style, A about, Esc quit.");
    window.addLabel("Status", {kLeft, kTop + kListH + 28, 2 * kListW + kGap, 20}, u"");
    fruit_.setAnchor(Anchor::Left | Anchor::Top | Anchor::Bottom);
    basket_.setAnchor(Anchor::All);
    for (const char* name : {"Keys", "Status"})
        window.find(name)->setAnchor(Anchor::Left | Anchor::Bottom);
    fill();
    for (List* l : {&fruit_, &basket_}) {
        List& list = *l;
        list.onDblClick = [&list] { list->StartEdit(); };
        list.onEvent = [this, &list](std::string_view event, std::vector<Variant>&) {
            if (event != "MouseMove") log(list, event);
        };
    }
    wireDrag(fruit_, basket_);
    wireDrag(basket_, fruit_);
    window.onShortcut = [this](int16_t keyCode, int16_t shift) {
        bool took = shortcut(keyCode, shift);
        if (quitAsked_) window_.close();
        return took;
    };
}

void DemoForm::fill() {
    Tavrin& l = fruit_.list();
    // The list's sizes in pixels are the screen's: at a higher density the rows, the text's indent
    // and the images grow with it, so the window shows the same rows at any scale.
    const double scale = window_.impl().scale;
    const auto devicePixels = [scale](int32_t formPixels) { return roundToI2(formPixels * scale); };
    for (List* list : {&fruit_, &basket_}) {
        Tavrin& t = list->list();
        t.SetItemHeightAuto(false);
        t.SetItemHeight(devicePixels(22));
        t.SetItemTextLeft(devicePixels(22));
        t.SetBackSelectedG1(0xC56A31);
        t.SetBackSelectedG2(0xFFFFFF);
        t.SetBoxBorder(0xC56A31);
        t.SetSelectionPicture(ribbon());
        t.SetSelectModeStyle(SelectModeStyleCts::Gradient_H);
        t.SetImageList(window_.imageList(devicePixels(16), devicePixels(16), 8));
        t.SetSelectMode(SelectModeCts::Multiple);
        t.SetShowMenu(true);
    }
    int i = 0;
    for (const char16_t* fruit : kFruit)
        for (const char16_t* kind : kKinds) {
            l.AddItem(Variant::string(std::u16string(fruit) + kind), static_cast<int16_t>(i % 8 + 1),
                      static_cast<int16_t>((i + 3) % 8 + 1));
            ++i;
        }
    l.SetListIndex(0);
}

// A drag starts with a press on a row and ends with the release over the other list, which gets
// that row (the list keeps the mouse while the button is down, so the release arrives at the
// source with coordinates outside it, in the list's own pixels: the screen's).
void DemoForm::wireDrag(List& from, List& to) {
    from.onMouseDown = [this, &from](int16_t button, int16_t, float, float) {
        dragFrom_ = button == platform::vbLeftButton ? from->ListIndex() : -1;
    };
    from.onMouseUp = [this, &from, &to](int16_t button, int16_t, float x, float y) {
        int16_t row = std::exchange(dragFrom_, -1);
        app::Place a = from.place(), b = to.place();
        const auto scale = static_cast<float>(window_.impl().scale);
        float sx = static_cast<float>(a.left) + x / scale, sy = static_cast<float>(a.top) + y / scale;
        bool overTarget = sx >= static_cast<float>(b.left) && sx < static_cast<float>(b.left + b.width) &&
                          sy >= static_cast<float>(b.top) && sy < static_cast<float>(b.top + b.height);
        if (button != platform::vbLeftButton || row < 0 || row >= from->ListCount() || !overTarget) return;
        to->AddItem(Variant::string(from->ItemText(row)), from->ItemIcon(row), from->ItemIconSelected(row));
        from->RemoveItem(row);
        to->SetListIndex(static_cast<int16_t>(to->ListCount() - 1));
    };
}

void DemoForm::moveSelected(List& from, List& to) {
    for (int16_t i = 0; i < from->ListCount();) {
        if (!from->ItemSelected(i)) {
            ++i;
            continue;
        }
        to->AddItem(Variant::string(from->ItemText(i)), from->ItemIcon(i), from->ItemIconSelected(i));
        from->RemoveItem(i);
    }
}

void DemoForm::log(const List& from, std::string_view event) {
    auto& status = window_.get<app::Label>("Status");
    std::u16string line = utf16(from.name()) + u"." + utf16(std::string(event));
    std::u16string old = status.caption();
    std::u16string next = line + (old.empty() ? u"" : u"  " + old);
    if (next.size() > 110) next.resize(110);
    status.setCaption(next);
}

std::u16string DemoForm::status() const {
    return window_.get<app::Label>("Status").caption();
}

bool DemoForm::shortcut(int16_t keyCode, int16_t shift) {
    if (shift != 0) return false;
    List& focused = basket_.hasFocus() ? basket_ : fruit_;
    switch (keyCode) {
    case kKeyT:
        for (List* l : {&fruit_, &basket_})
            (*l)->SetTheme(static_cast<ctsListThemes>((static_cast<int32_t>((*l)->Theme()) + 1) % 3));
        return true;
    case kKeyS:
        for (List* l : {&fruit_, &basket_})
            (*l)->SetSelectModeStyle(
                static_cast<SelectModeStyleCts>((static_cast<int32_t>((*l)->SelectModeStyle()) + 1) % 7));
        return true;
    case kKeyA:
        focused->About();
        return true;
    case kEscape:
        quitAsked_ = true;
        return true;
    default:
        return false;
    }
}

} // namespace tavrin::demo
