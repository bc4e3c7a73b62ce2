#include "Designer.h"

#include <algorithm>
#include <cstdio>

#include "app/Hosted.h"
#include "control/ListPropertyTable.h"
#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::designer {

using app::Control;
using app::ControlType;
using app::List;
using app::Place;

namespace {

constexpr int32_t kFrame = 2;
constexpr int16_t kEnter = 13, kF2 = 113;

// The settings of a list that the sheet offers: every saved property that takes a number, a colour
// or True/False (fonts and pictures are not typed in), in the order of their names.
const std::vector<const Tavrin::PropertyRow*>& listSheetRows() {
    static const std::vector<const Tavrin::PropertyRow*> rows = [] {
        std::vector<const Tavrin::PropertyRow*> out;
        for (const Tavrin::PropertyRow& row : Tavrin::propertyTable())
            if (row.saved() && row.let && row.type != PropertyType::Font && row.type != PropertyType::Picture)
                out.push_back(&row);
        std::sort(out.begin(), out.end(),
                  [](auto* a, auto* b) { return std::string_view(a->name) < b->name; });
        return out;
    }();
    return rows;
}

const char* const kPlaceRows[] = {"Left", "Top", "Width", "Height", "TabIndex"};

std::u16string trim(std::u16string_view s) {
    size_t a = s.find_first_not_of(u' '), b = s.find_last_not_of(u' ');
    return a == std::u16string_view::npos ? std::u16string() : std::u16string(s.substr(a, b - a + 1));
}

// A value as typed: True/False, a number as the host reads one (&H8000000F for hexadecimal), or
// else a text.
Variant parseValue(const std::u16string& text) {
    if (namesEqual(utf8(text), "True")) return Variant::boolean(true);
    if (namesEqual(utf8(text), "False")) return Variant::boolean(false);
    if (auto number = parseNumber(text)) {
        if (*number == static_cast<double>(static_cast<int64_t>(*number)) && *number >= INT32_MIN &&
            *number <= INT32_MAX)
            return Variant::i4(static_cast<int32_t>(*number));
        return Variant::r8(*number);
    }
    return Variant::string(text);
}

// Colours read best as the host writes them: &H8000000F& (a system colour), &HC56A31&.
bool isColour(const std::string& name) {
    for (const Tavrin::PropertyRow* row : listSheetRows())
        if (row->name == name) return row->type == PropertyType::Colour;
    return false;
}

std::u16string valueText(const std::string& name, const Variant& v) {
    if (!isColour(name) || !v.isNumeric()) return toText(v);
    char hex[16];
    std::snprintf(hex, sizeof hex, "&H%X&", static_cast<uint32_t>(toI4(v)));
    return utf16(hex);
}

int32_t placeValue(const Control& c, const std::string& row) {
    Place p = c.place();
    return row == "Left"     ? p.left
           : row == "Top"    ? p.top
           : row == "Width"  ? p.width
           : row == "Height" ? p.height
                             : c.tabIndex();
}

} // namespace

Designer::Designer(app::Host host, std::string path)
    : path_(std::move(path)),
      window_({.caption = u"Tavrin designer", .width = 820, .height = 486, .host = host}) {
    designed_ = std::make_unique<app::Window>(app::WindowOptions{
        .caption = u"Form1", .width = kViewW - 2 * kFrame, .height = kViewH - 2 * kFrame, .userMode = false});
    build();
}

Designer::~Designer() {
    view_.reset();
}

void Designer::build() {
    window_.addButton("AddList", {8, 8, 84, 26}, u"Add list").onClick = [this] { addList(); };
    window_.addButton("Run", {96, 8, 84, 26}, u"Run").onClick = [this] { toggleRun(); };
    window_.addButton("Save", {184, 8, 84, 26}, u"Save").onClick = [this] { save(); };
    window_.addButton("Open", {272, 8, 84, 26}, u"Open").onClick = [this] { open(); };
    window_.addLabel("File", {368, 10, 444, 22}, utf16(path_));
    List& sheet = window_.addList("Properties", {496, kViewTop, 316, kViewH});
    sheet->SetItemHeightAuto(false);
    sheet->SetItemHeight(18);
    sheet->SetWordWrap(false);
    sheet.onDblClick = [&sheet] { sheet->StartEdit(); };
    sheet.onKeyDown = [&sheet](int16_t key, int16_t) {
        if (key == kF2) sheet->StartEdit();
    };
    sheet.onKeyUp = [this](int16_t key, int16_t) {
        if (key == kEnter) sheetEdited();
    };
    window_.addLabel("Status", {8, 452, 804, 24}, u"Add a list to begin.");

    software::DesktopWindow::Params p;
    p.kind = software::WindowKind::ChildControl;
    p.name = "DesignView";
    p.parent = &window_.impl().desktop.form();
    p.left = kViewLeft;
    p.top = kViewTop;
    p.width = kViewW;
    p.height = kViewH;
    view_ = std::make_unique<software::DesktopWindow>(window_.impl().desktop, p);
    view_->setFrame(kFrame);
    view_->move(kViewLeft, kViewTop, kViewW, kViewH);
    view_->events = this;
    window_.onFrame = [this](int32_t) {
        if (running_) running_->user().wait(16); // the running form's clock follows the frames
        sheetEdited();
        refreshView();
    };
    refreshView();
}

void Designer::setStatus(const std::u16string& text) {
    window_.get<app::Label>("Status").setCaption(text);
    if (logStatus) std::printf("status: %s\n", utf8(text).c_str());
}

std::u16string Designer::status() const {
    return window_.get<app::Label>("Status").caption();
}

void Designer::addList() {
    if (running_) toggleRun();
    int32_t n = static_cast<int32_t>(designed_->controls().size());
    std::string name = designed_->freeName("List");
    List& list = designed_->addList(name, {12 + 24 * n, 12 + 24 * n, 180, 150});
    select(&list);
    setStatus(u"Added " + utf16(name) + u".");
}

void Designer::toggleRun() {
    if (running_) {
        running_.reset();
        window_.get<app::Button>("Run").setCaption(u"Run");
        setStatus(u"Design mode.");
    } else {
        running_ = std::make_unique<app::Window>(
            app::WindowOptions{.width = designed_->width(), .height = designed_->height(), .userMode = true});
        running_->loadText(designed_->saveText(), "the designed form");
        for (Control* c : running_->controls()) {
            auto* list = dynamic_cast<List*>(c);
            if (!list) continue;
            for (int i = 1; i <= 12; ++i)
                (*list)->AddItem(Variant::string("Item " + std::to_string(i)));
            // The status line follows the running lists' events.
            list->onEvent = [this, list](std::string_view event, std::vector<Variant>&) {
                if (event == "Click" || event == "DblClick" || event == "ListIndexChange" ||
                    event == "Scroll")
                    setStatus(utf16(list->name()) + u": " + utf16(std::string(event)) + u", ListIndex " +
                              utf16(std::to_string((*list)->ListIndex())));
            };
        }
        running_->run();
        window_.get<app::Button>("Run").setCaption(u"Design");
        setStatus(u"Run mode: the form runs with sample items.");
    }
    refreshView();
}

void Designer::save() {
    try {
        designed_->save(path_);
        setStatus(u"Saved " + utf16(path_) + u".");
        if (!savedPicture.empty()) designed_->snapshot(savedPicture);
    } catch (const app::FormError& e) {
        setStatus(utf16(e.what()));
    }
}

void Designer::open() {
    if (running_) toggleRun();
    try {
        designed_->load(path_);
        select(nullptr);
        setStatus(u"Opened " + utf16(path_) + u".");
    } catch (const app::FormError& e) {
        setStatus(utf16(e.what()));
    }
    refreshView();
}

bool Designer::render(const std::string& formPath, const std::string& pngPath, std::string* error) {
    app::Window w({.userMode = false});
    try {
        w.load(formPath);
    } catch (const app::FormError& e) {
        if (error) *error = e.what();
        return false;
    }
    return w.snapshot(pngPath, error);
}

void Designer::select(Control* control) {
    selected_ = control;
    fillSheet();
    refreshView();
}

void Designer::fillSheet() {
    List& sheet = window_.get<List>("Properties");
    int16_t at = sheet->ListIndex();
    rows_.clear();
    shownRows_.clear();
    if (selected_) {
        rows_.assign(std::begin(kPlaceRows), std::end(kPlaceRows));
        if (selected_->type() == ControlType::List)
            for (const Tavrin::PropertyRow* row : listSheetRows())
                rows_.push_back(row->name);
        else
            rows_.push_back(selected_->type() == ControlType::TextBox ? "Text" : "Caption");
    }
    sheet->Clear();
    for (const std::string& row : rows_) {
        bool geometry = std::find(std::begin(kPlaceRows), std::end(kPlaceRows), row) != std::end(kPlaceRows);
        std::u16string value = geometry ? utf16(std::to_string(placeValue(*selected_, row)))
                                        : valueText(row, selected_->property(row));
        shownRows_.push_back(utf16(row) + u" = " + value);
        sheet->AddItem(Variant::string(shownRows_.back()));
    }
    if (at >= 0 && at < sheet->ListCount()) sheet->SetListIndex(at);
}

// A row whose text differs from what the sheet showed was edited: apply it.
void Designer::sheetEdited() {
    List& sheet = window_.get<List>("Properties");
    for (int16_t i = 0; i < sheet->ListCount() && static_cast<size_t>(i) < shownRows_.size(); ++i)
        if (sheet->ItemText(i) != shownRows_[static_cast<size_t>(i)]) {
            apply(i, sheet->ItemText(i));
            return;
        }
}

bool Designer::apply(int16_t row, const std::u16string& text) {
    if (!selected_ || row < 0 || static_cast<size_t>(row) >= rows_.size()) return false;
    const std::string name = rows_[static_cast<size_t>(row)];
    size_t eq = text.find(u'=');
    std::u16string typed = trim(eq == std::u16string::npos ? std::u16string_view(text)
                                                           : std::u16string_view(text).substr(eq + 1));
    bool ok = true;
    try {
        Variant value = parseValue(typed);
        if (std::find(std::begin(kPlaceRows), std::end(kPlaceRows), name) != std::end(kPlaceRows)) {
            int32_t v = toI2(value);
            if (name == "TabIndex") {
                selected_->setTabIndex(v);
            } else {
                Place p = selected_->place();
                (name == "Left" ? p.left : name == "Top" ? p.top : name == "Width" ? p.width : p.height) = v;
                selected_->move(p);
            }
        } else {
            selected_->setProperty(name, value);
        }
        setStatus(utf16(name) + u" = " + typed);
    } catch (const AutomationError& e) {
        setStatus(u"Error " + utf16(std::to_string(e.number())) + u": " + utf16(e.what()) + u" (" +
                  utf16(name) + u" is unchanged)");
        ok = false;
    }
    fillSheet();
    refreshView();
    return ok;
}

Control* Designer::controlAt(float x, float y) {
    std::vector<Control*> cs = designed_->controls();
    // The control drawn on top is the one added last.
    for (auto it = cs.rbegin(); it != cs.rend(); ++it) {
        Place p = (*it)->place();
        if (x >= p.left && y >= p.top && x < p.left + p.width && y < p.top + p.height) return *it;
    }
    return nullptr;
}

void Designer::refreshView() {
    if (!view_) return;
    app::Window& form = shown();
    std::vector<uint32_t> px = form.pixels();
    software::SoftwareSurface& s = view_->surface();
    const int32_t w = std::min(s.widthPx(), form.width()), h = std::min(s.heightPx(), form.height());
    uint32_t* out = s.pixels();
    std::fill(out, out + static_cast<size_t>(s.widthPx()) * static_cast<size_t>(s.heightPx()), 0x808080u);
    for (int32_t y = 0; y < h; ++y)
        std::copy_n(px.begin() + static_cast<ptrdiff_t>(y) * form.width(), w,
                    out + static_cast<ptrdiff_t>(y) * s.widthPx());
    if (!running_ && selected_) {
        Place p = selected_->place();
        s.focusRect({p.left - 2, p.top - 2, p.left + p.width + 2, p.top + p.height + 2});
    }
}

void Designer::mouseDown(int16_t button, int16_t shift, float x, float y) {
    if (running_) {
        auto& d = running_->impl().desktop;
        d.mouseDown(d.form().hwnd(), button, x, y, shift);
    } else {
        select(controlAt(x, y));
        dragging_ = selected_ && button == platform::vbLeftButton;
        dragX_ = x;
        dragY_ = y;
    }
    refreshView();
}

void Designer::mouseMove(int16_t buttons, int16_t shift, float x, float y) {
    if (running_) {
        auto& d = running_->impl().desktop;
        d.mouseMove(d.form().hwnd(), x, y, buttons, shift);
    } else if (dragging_ && selected_ && (x != dragX_ || y != dragY_)) {
        Place p = selected_->place();
        p.left += static_cast<int32_t>(x - dragX_);
        p.top += static_cast<int32_t>(y - dragY_);
        dragX_ = x;
        dragY_ = y;
        selected_->move(p);
    }
    refreshView();
}

void Designer::mouseUp(int16_t button, int16_t shift, float x, float y) {
    if (running_) {
        auto& d = running_->impl().desktop;
        d.mouseUp(d.form().hwnd(), button, x, y, shift);
    } else if (dragging_) {
        dragging_ = false;
        fillSheet();
    }
    refreshView();
}

} // namespace tavrin::designer
