// The picture box, the popup menu and the host timer.
#include "platform/software/Controls.h"

#include "platform/software/Desktop.h"
#include "tavrin/automation/AutomationError.h"

namespace tavrin::software {

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

SoftwarePictureBox::SoftwarePictureBox(Desktop& desktop, DesktopWindow& parent, SiteCore* owner,
                                       std::string name)
    : window_(desktop, childParams(WindowKind::PictureBox, parent, owner, std::move(name), true)) {
    window_.events = this;
    setTarget(window_.surface());
}

void SoftwarePictureBox::SetMousePointer(int16_t pointer) {
    if ((pointer < 0 || pointer > 15) && pointer != 99) RaiseInvalidPropertyValue();
    mousePointer_ = pointer;
}

void SoftwarePictureBox::mouseDown(int16_t button, int16_t shift, float x, float y) {
    runMouse(MouseDown, button, shift, x, y);
}
void SoftwarePictureBox::mouseMove(int16_t buttons, int16_t shift, float x, float y) {
    runMouse(MouseMove, buttons, shift, x, y);
}
void SoftwarePictureBox::mouseUp(int16_t button, int16_t shift, float x, float y) {
    runMouse(MouseUp, button, shift, x, y);
}
void SoftwarePictureBox::click() {
    run(Click);
}
void SoftwarePictureBox::dblClick() {
    run(DblClick);
}
void SoftwarePictureBox::gotFocus() {
    run(GotFocus);
}
void SoftwarePictureBox::lostFocus() {
    run(LostFocus);
}
void SoftwarePictureBox::paint() {
    run(Paint);
}

// ---------------------------------------------------------------------------------------------
// Menu

SoftwareMenu::SoftwareMenu(std::vector<std::u16string> captions) {
    for (auto& caption : captions)
        entries_.push_back({std::move(caption), true});
}

const SoftwareMenu::Entry& SoftwareMenu::entry(int16_t index) const {
    if (index < 0 || index >= count()) raise(kControlArrayElementMissing);
    return entries_[static_cast<size_t>(index)];
}

std::u16string SoftwareMenu::Caption(int16_t index) const {
    return entry(index).caption;
}
bool SoftwareMenu::Enabled(int16_t index) const {
    return entry(index).enabled;
}

void SoftwareMenu::SetEnabled(int16_t index, bool enabled) {
    entry(index);
    entries_[static_cast<size_t>(index)].enabled = enabled;
}

bool SoftwareMenu::choosable(int16_t index) const {
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

SoftwareTimer::SoftwareTimer(VirtualClock& clock) : clock_(clock) {
    id_ = clock_.addTimer([this] { tick(); });
}

SoftwareTimer::~SoftwareTimer() {
    clock_.removeTimer(id_);
}

void SoftwareTimer::SetInterval(int32_t milliseconds) {
    if (milliseconds < 0 || milliseconds > 65535) RaiseInvalidPropertyValue();
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    if (enabled_) restart();
}

void SoftwareTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        clock_.unschedule(id_);
}

void SoftwareTimer::restart() {
    if (interval_ > 0)
        clock_.scheduleIn(id_, static_cast<uint32_t>(interval_));
    else
        clock_.unschedule(id_);
}

void SoftwareTimer::tick() {
    restart();
    // The handler may destroy this timer: run a copy and touch nothing of this object afterwards.
    if (auto handler = Tick) handler();
}

} // namespace tavrin::software
