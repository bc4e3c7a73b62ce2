// The host side of one script: the simulated desktop, the controls the script placed on it
// (`List`, `Bar`), their lives (new, load, save, reload, terminate, resize) and the logs of the
// events and PropertyChanged calls they made.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/software/Desktop.h"
#include "platform/software/FormFile.h"
#include "tools/tavrin-run/HostObjects.h"

namespace tavrin {
class Tavrin;
class XPVScroll;
} // namespace tavrin

namespace tavrin::run {

struct LoggedEvent {
    std::string name;
    std::vector<Variant> args;
};

enum class ControlKind { List, Bar };

class Session {
  public:
    // trace receives "event List.Click" and "changed List.ListIndex" lines (may be empty).
    explicit Session(std::function<void(const std::string&)> trace);
    ~Session();

    software::Desktop& desktop() { return *desktop_; }
    // A new screen before any control exists; false once a control was created.
    bool setScreen(const software::DesktopOptions& options);
    void setInputPump(std::function<bool()> pump);
    // The desktop's work budget (see Desktop::setWorkBudget), kept across a new screen.
    void setWorkBudget(uint64_t units, std::function<void()> exhausted);
    uint64_t workSpent() const { return workSpentBefore_ + desktop_->workSpent(); }
    // Set-up that a later `screen` keeps.
    void setSysColor(int32_t index, uint32_t rgb);
    void failPicture(const std::u16string& key);

    void create(ControlKind kind, int32_t clientW, int32_t clientH);
    void load(ControlKind kind, const software::FormData& form);
    software::FormData save(); // the last created control
    void reload();
    void terminate();
    void resize(int32_t clientW, int32_t clientH);
    bool hasControl() const { return list_.control || bar_.control; }
    // Frees the controls terminated since the last call. A control terminated while one of its
    // own loops waits in DoEvents is still on the stack: it is kept until the script is back at
    // its top level.
    void releaseRetired() { retired_.clear(); }

    Tavrin* list();
    XPVScroll* bar();
    software::SoftwareSite* site(ControlKind kind);
    ControlKind current() const { return current_; }
    // The script's objects: List, Bar, Host, frmAbout (nullptr when there is none).
    std::shared_ptr<HostObject> object(std::string_view name);

    std::vector<LoggedEvent>& events() { return events_; }
    std::vector<std::string>& changed() { return changed_; }

  private:
    struct Slot {
        std::unique_ptr<software::SoftwareSite> site;
        std::shared_ptr<Dispatchable> control; // Tavrin or XPVScroll
        std::shared_ptr<HostObject> object;
        Liveness alive;
    };
    Slot& slot(ControlKind kind) { return kind == ControlKind::List ? list_ : bar_; }
    void place(ControlKind kind, int32_t clientW, int32_t clientH, const std::string& savedName,
               const std::function<void(Dispatchable&)>& initialise);
    std::unique_ptr<software::SoftwareSite> createSite(ControlKind kind, int32_t clientW, int32_t clientH,
                                                       const std::string& savedName);
    void destroy(Slot& slot);
    void terminateControl(ControlKind kind, Slot& slot);
    void hook(ControlKind kind, software::SoftwareSite& site);
    void resetDesktop(const software::DesktopOptions& options);
    void applyWorkBudget();

    std::function<void(const std::string&)> trace_;
    std::function<bool()> pump_;
    uint64_t workBudget_ = UINT64_MAX, workSpentBefore_ = 0;
    std::function<void()> workExhausted_;
    std::unique_ptr<software::Desktop> desktop_;
    Slot list_, bar_;
    std::vector<Slot> retired_; // terminated, freed by releaseRetired
    ControlKind current_ = ControlKind::List;
    std::map<int32_t, uint32_t> sysColors_;
    std::vector<std::u16string> failedPictures_;
    std::vector<LoggedEvent> events_;
    std::vector<std::string> changed_;
};

} // namespace tavrin::run
