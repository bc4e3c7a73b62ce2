// XPVScroll: a vertical scroll bar drawn entirely from theme pictures, with hot tracking, thumb
// dragging and timed auto-repeat. The list owns one as its child `sbUC`; it can also stand alone.
//
// Its own scale is twips. Events (Change 1, BarMouseMove 2, BarMouseUp 3) are raised only for the
// user's actions, through the site's RaiseEvent.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "tavrin/automation/Dispatch.h"
#include "tavrin/platform/Host.h"

namespace tavrin {

class XPVScroll : public Dispatchable, public platform::ISubclass {
public:
    explicit XPVScroll(platform::ControlSite& site);
    ~XPVScroll() override;

    // Host notifications.
    void InitProperties();
    void ReadProperties(const platform::PropertyBag& bag);
    void WriteProperties(platform::PropertyBag& bag) const;
    void Terminate();
    void UserControl_Resize();

    // Properties. Out-of-range writes are ignored silently.
    double Value() const; // through dFormat when it is set; raises 13 if the format gives no number
    void SetValue(double v);
    double Min() const { return Min_; }
    void SetMin(double v);
    double Max() const { return Max_; }
    void SetMax(double v);
    double SmallChange() const { return SmallChange_; }
    void SetSmallChange(double v);
    double LargeChange() const { return LargeChange_; }
    void SetLargeChange(double v);
    int32_t Theme() const { return Theme_; }
    void SetTheme(int32_t v);
    const std::u16string& dFormat() const { return dFormat_; }
    void SetdFormat(const std::u16string& v);
    bool Enabled() const;
    void SetEnabled(bool v);
    int32_t hWnd() const;

    // ISubclass
    int32_t ISubclass_MsgResponse() override { return 2; }
    void ISubclass_SetMsgResponse(int32_t) override {}
    int32_t ISubclass_WindowProc(int32_t hwnd, int32_t msg, int32_t wParam, int32_t lParam) override;

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "XPVScroll"; }
    bool readPrivate(std::string_view name, Variant& out) const override;

    platform::ControlSite& site() { return site_; }
    platform::Timer& tScrl() { return *tScrl_; }
    platform::Timer& tScrlEnable() { return *tScrlEnable_; }

    struct Impl;

private:
    platform::ControlSite& site_;
    std::unique_ptr<platform::Timer> tScrl_, tScrlEnable_;
    double Min_ = 0, Max_ = 32767, Value_ = 0, SmallChange_ = 1, LargeChange_ = 1;
    int32_t Theme_ = 0;
    std::u16string dFormat_;
    std::unique_ptr<Impl> impl_; // geometry, pictures and interaction state
};

} // namespace tavrin
