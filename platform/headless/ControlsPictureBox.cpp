// The picture box, the popup menu and the host timer.
#include "platform/headless/Controls.h"

#include "platform/headless/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::headless {

namespace {

DesktopWindow::Params childParams(WindowKind kind, DesktopWindow& parent, SiteCore* owner, std::string name,
                                  bool visible) {
    DesktopWindow::Params p;
    p.kind = kind;
    p.name = std::move(name);
    p.parent = &parent;
    p.owner = owner;
    p.visible = visible;
    return p;
}

// Runs a mouse handler with copies of the arguments: the handler gets variables of its own.
void runMouse(const platform::MouseHandler& handler, int16_t button, int16_t shift, float x, float y) {
    if (handler) handler(button, shift, x, y);
}

void run(const platform::Handler& handler) {
    if (handler) handler();
}

constexpr int32_t kControlArrayElementMissing = 340;

} // namespace

// ---------------------------------------------------------------------------------------------
// Picture box

HeadlessPictureBox::HeadlessPictureBox(Desktop& desktop, DesktopWindow& parent, SiteCore* owner,
                                       std::string name)
    : window_(desktop, childParams(WindowKind::PictureBox, parent, owner, std::move(name), true)) {
    window_.events = this;
}

void HeadlessPictureBox::SetMousePointer(int16_t pointer) {
    if ((pointer < 0 || pointer > 15) && pointer != 99) RaiseInvalidPropertyValue();
    mousePointer_ = pointer;
}

void HeadlessPictureBox::mouseDown(int16_t button, int16_t shift, float x, float y) {
    runMouse(MouseDown, button, shift, x, y);
}
void HeadlessPictureBox::mouseMove(int16_t buttons, int16_t shift, float x, float y) {
    runMouse(MouseMove, buttons, shift, x, y);
}
void HeadlessPictureBox::mouseUp(int16_t button, int16_t shift, float x, float y) {
    runMouse(MouseUp, button, shift, x, y);
}
void HeadlessPictureBox::click() {
    run(Click);
}
void HeadlessPictureBox::dblClick() {
    run(DblClick);
}
void HeadlessPictureBox::gotFocus() {
    run(GotFocus);
}
void HeadlessPictureBox::lostFocus() {
    run(LostFocus);
}
void HeadlessPictureBox::paint() {
    run(Paint);
}

// ---------------------------------------------------------------------------------------------
// Menu

HeadlessMenu::HeadlessMenu(std::vector<std::u16string> captions) {
    for (auto& caption : captions)
        entries_.push_back({std::move(caption), true});
}

const HeadlessMenu::Entry& HeadlessMenu::entry(int16_t index) const {
    if (index < 0 || index >= count()) raise(kControlArrayElementMissing);
    return entries_[static_cast<size_t>(index)];
}

std::u16string HeadlessMenu::Caption(int16_t index) const {
    return entry(index).caption;
}
bool HeadlessMenu::Enabled(int16_t index) const {
    return entry(index).enabled;
}

void HeadlessMenu::SetEnabled(int16_t index, bool enabled) {
    entry(index);
    entries_[static_cast<size_t>(index)].enabled = enabled;
}

bool HeadlessMenu::choosable(int16_t index) const {
    if (index < 0 || index >= count()) return false;
    const Entry& e = entries_[static_cast<size_t>(index)];
    return e.enabled && e.caption != u"-";
}

// ---------------------------------------------------------------------------------------------
// Timer
//
//   enable at t        -> due t + Interval
//   tick at d          -> due d + Interval, then Tick runs (it may change Interval or Enabled)
//   Interval changed   -> due now + new Interval (while enabled)
//   enable when enabled, or the same Interval again -> nothing changes

HeadlessTimer::HeadlessTimer(VirtualClock& clock) : clock_(clock) {
    id_ = clock_.addTimer([this] { tick(); });
}

HeadlessTimer::~HeadlessTimer() {
    clock_.removeTimer(id_);
}

void HeadlessTimer::SetInterval(int32_t milliseconds) {
    if (milliseconds < 0 || milliseconds > 65535) RaiseInvalidPropertyValue();
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (enabled_) restart();
}

void HeadlessTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        clock_.unschedule(id_);
}

void HeadlessTimer::restart() {
    if (interval_ > 0)
        clock_.schedule(id_, clock_.now() + static_cast<uint32_t>(interval_));
    else
        clock_.unschedule(id_);
}

void HeadlessTimer::tick() {
    restart();
    // The handler may destroy this timer: run a copy and touch nothing of this object afterwards.
    if (auto handler = Tick) handler();
}

} // namespace tavrin::headless
