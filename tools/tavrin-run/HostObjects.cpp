#include "tools/tavrin-run/HostObjects.h"

#include <cmath>

#include "control/TavrinAccess.h"
#include "scrollbar/XPVScrollAccess.h"
#include "tavrin/Tavrin.h"
#include "tavrin/XPVScroll.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin::run {

namespace {

// Lengths as whole numbers when they are whole.
Variant number(double v) {
    if (std::floor(v) == v && std::fabs(v) < 2147483647.0) return Variant::i4(static_cast<int32_t>(v));
    return Variant::r8(v);
}
Variant colour(uint32_t c) {
    return Variant::i4(static_cast<int32_t>(c));
}

bool is(std::string_view a, std::string_view b) {
    return namesEqual(a, b);
}

void needArgs(const std::vector<Variant>& args, size_t n) {
    if (args.size() != n) raise(err::WrongNumberOfArguments);
}

// Members every window shares: place and size in its parent's pixels, visibility.
bool windowMember(const platform::Window& w, std::string_view name, Variant& out) {
    if (is(name, "Left"))
        out = number(w.Left());
    else if (is(name, "Top"))
        out = number(w.Top());
    else if (is(name, "Width"))
        out = number(w.Width());
    else if (is(name, "Height"))
        out = number(w.Height());
    else if (is(name, "Visible"))
        out = Variant::boolean(w.Visible());
    else if (is(name, "Enabled"))
        out = Variant::boolean(w.Enabled());
    else
        return false;
    return true;
}

// Point(X, Y) and Count(L, T, R, B, RGB) over a drawing surface, in its own scale.
bool pixelMember(const platform::DrawingSurface& s, std::string_view name, const std::vector<Variant>& args,
                 Variant& out) {
    if (is(name, "Point")) {
        needArgs(args, 2);
        out = colour(s.Point(toR8(args[0]), toR8(args[1])));
        return true;
    }
    if (!is(name, "Count")) return false;
    needArgs(args, 5);
    int32_t l = toI4(args[0]), t = toI4(args[1]), r = toI4(args[2]), b = toI4(args[3]);
    uint32_t rgb = static_cast<uint32_t>(toI4(args[4]));
    int32_t n = 0;
    for (int32_t y = t; y < b; ++y)
        for (int32_t x = l; x < r; ++x)
            if (s.Point(x, y) == rgb) ++n;
    out = Variant::i4(n);
    return true;
}

class PictureBoxObject final : public HostObject {
  public:
    PictureBoxObject(std::string path, platform::PictureBox& box, HostView& host, Liveness alive)
        : HostObject(std::move(path), std::move(alive)), box_(box), host_(host) {}
    bool get(std::string_view name, const std::vector<Variant>& args, Variant& out) override {
        if (windowMember(box_, name, out) || pixelMember(box_, name, args, out)) return true;
        if (is(name, "BackColor"))
            out = colour(box_.BackColor());
        else if (is(name, "ScaleWidth"))
            out = number(box_.ScaleWidth());
        else if (is(name, "ScaleHeight"))
            out = number(box_.ScaleHeight());
        else if (is(name, "MousePointer"))
            out = Variant::i2(box_.MousePointer());
        else if (is(name, "PaintCount"))
            out = Variant::i4(host_.paintCount(box_.hWnd()));
        else
            return false;
        return true;
    }

  private:
    platform::PictureBox& box_;
    HostView& host_;
};

class TextBoxObject final : public HostObject {
  public:
    TextBoxObject(std::string path, platform::TextBox& box, Liveness alive)
        : HostObject(std::move(path), std::move(alive)), box_(box) {}
    bool get(std::string_view name, const std::vector<Variant>&, Variant& out) override {
        if (windowMember(box_, name, out)) return true;
        if (is(name, "Text"))
            out = Variant::string(box_.Text());
        else if (is(name, "Alignment"))
            out = Variant::i2(box_.Alignment());
        else if (is(name, "BackColor"))
            out = colour(box_.BackColor());
        else if (is(name, "ForeColor"))
            out = colour(box_.ForeColor());
        else if (is(name, "SelStart"))
            out = Variant::i4(box_.SelStart());
        else if (is(name, "SelLength"))
            out = Variant::i4(box_.SelLength());
        else
            return false;
        return true;
    }

  private:
    platform::TextBox& box_;
};

class UserControlObject final : public HostObject {
  public:
    UserControlObject(std::string path, platform::UserControlSurface& uc, Liveness alive)
        : HostObject(std::move(path), std::move(alive)), uc_(uc) {}
    bool get(std::string_view name, const std::vector<Variant>& args, Variant& out) override {
        if (pixelMember(uc_, name, args, out)) return true;
        if (is(name, "ScaleWidth"))
            out = number(uc_.ScaleWidth());
        else if (is(name, "ScaleHeight"))
            out = number(uc_.ScaleHeight());
        else if (is(name, "BackColor"))
            out = colour(uc_.BackColor());
        else if (is(name, "BorderStyle"))
            out = Variant::i2(uc_.BorderStyle());
        else if (is(name, "Appearance"))
            out = Variant::i2(uc_.Appearance());
        else if (is(name, "KeyPreview"))
            out = Variant::boolean(uc_.KeyPreview());
        else if (is(name, "Enabled"))
            out = Variant::boolean(uc_.Enabled());
        else if (is(name, "Width"))
            out = number(uc_.Width());
        else if (is(name, "Height"))
            out = number(uc_.Height());
        else
            return false;
        return true;
    }

  private:
    platform::UserControlSurface& uc_;
};

class MenuEntryObject final : public HostObject {
  public:
    MenuEntryObject(std::string path, platform::Menu& menu, int16_t index, Liveness alive)
        : HostObject(std::move(path), std::move(alive)), menu_(menu), index_(index) {}
    bool get(std::string_view name, const std::vector<Variant>&, Variant& out) override {
        if (is(name, "Enabled"))
            out = Variant::boolean(menu_.Enabled(index_));
        else if (is(name, "Caption"))
            out = Variant::string(menu_.Caption(index_));
        else
            return false;
        return true;
    }

  private:
    platform::Menu& menu_;
    int16_t index_;
};

class TimerObject final : public HostObject {
  public:
    TimerObject(std::string path, platform::Timer& timer, Liveness alive)
        : HostObject(std::move(path), std::move(alive)), timer_(timer) {}
    bool get(std::string_view name, const std::vector<Variant>&, Variant& out) override {
        if (is(name, "Interval"))
            out = Variant::i4(timer_.Interval());
        else if (is(name, "Enabled"))
            out = Variant::boolean(timer_.Enabled());
        else
            return false;
        return true;
    }

  private:
    platform::Timer& timer_;
};

class ScrollBarObject final : public HostObject {
  public:
    ScrollBarObject(std::string path, XPVScroll& bar, platform::Window* extender, HostView& host, double tpp,
                    Liveness alive)
        : HostObject(std::move(path), std::move(alive)), bar_(bar), extender_(extender), host_(host),
          tpp_(tpp) {}

    Dispatchable* target() override { return &bar_; }
    bool get(std::string_view name, const std::vector<Variant>& args, Variant& out) override {
        platform::UserControlSurface& uc = XPVScrollAccess::site(bar_).UserControl();
        if (is(name, "Point")) return pixelMember(uc, name, args, out);
        if (is(name, "UserControl"))
            out = child<UserControlObject>("UserControl", uc);
        else if (is(name, "tScrl"))
            out = child<TimerObject>("tScrl", XPVScrollAccess::tScrl(bar_));
        else if (is(name, "tScrlEnable"))
            out = child<TimerObject>("tScrlEnable", XPVScrollAccess::tScrlEnable(bar_));
        else if (extender_)
            return windowMember(*extender_, name, out);
        else
            return standaloneMember(name, uc, out);
        return true;
    }

  private:
    template <class T, class Obj> Variant child(const char* name, Obj& obj) {
        return Variant::object(std::make_shared<T>(path() + "." + name, obj, liveness()));
    }
    // The stand-alone bar's outer size in pixels and its place on the form.
    bool standaloneMember(std::string_view name, platform::UserControlSurface& uc, Variant& out) {
        const HostView::Placement w = host_.placement(uc.hWnd());
        if (is(name, "Width"))
            out = number(uc.Width() / tpp_);
        else if (is(name, "Height"))
            out = number(uc.Height() / tpp_);
        else if (is(name, "Left"))
            out = number(w.left);
        else if (is(name, "Top"))
            out = number(w.top);
        else if (is(name, "Visible"))
            out = Variant::boolean(w.visible);
        else
            return false;
        return true;
    }

    XPVScroll& bar_;
    platform::Window* extender_;
    HostView& host_;
    double tpp_;
};

class ListObject final : public HostObject {
  public:
    ListObject(Tavrin& list, HostView& host, double tpp, Liveness alive)
        : HostObject("List", std::move(alive)), list_(list), host_(host), tpp_(tpp) {}

    Dispatchable* target() override { return &list_; }
    bool get(std::string_view name, const std::vector<Variant>& args, Variant& out) override {
        if (is(name, "sbUC")) {
            out = Variant::object(makeScrollBarObject("List.sbUC", TavrinAccess::sbUC(list_),
                                                      &TavrinAccess::sbUCSite(list_).extender(), host_, tpp_,
                                                      liveness()));
        } else if (is(name, "iUC")) {
            out = Variant::object(
                std::make_shared<PictureBoxObject>("List.iUC", TavrinAccess::iUC(list_), host_, liveness()));
        } else if (is(name, "txtEdit")) {
            out = Variant::object(
                std::make_shared<TextBoxObject>("List.txtEdit", TavrinAccess::txtEdit(list_), liveness()));
        } else if (is(name, "UserControl")) {
            out = Variant::object(std::make_shared<UserControlObject>(
                "List.UserControl", TavrinAccess::site(list_).UserControl(), liveness()));
        } else if (is(name, "optSelectionMenu")) {
            out = menuEntry(args);
        } else if (is(name, "Width") && args.empty()) {
            out = number(TavrinAccess::site(list_).UserControl().Width() / tpp_);
        } else if (is(name, "Height") && args.empty()) {
            out = number(TavrinAccess::site(list_).UserControl().Height() / tpp_);
        } else {
            return false;
        }
        return true;
    }

  private:
    Variant menuEntry(const std::vector<Variant>& args) {
        needArgs(args, 1);
        int16_t i = toI2(args[0]);
        platform::Menu& menu = TavrinAccess::SelectionMenu(list_);
        if (i < 0 || i >= menu.count()) RaiseInvalidArrayIndex();
        return Variant::object(std::make_shared<MenuEntryObject>(
            "List.optSelectionMenu(" + std::to_string(i) + ")", menu, i, liveness()));
    }

    Tavrin& list_;
    HostView& host_;
    double tpp_;
};

class HostInfoObject final : public HostObject {
  public:
    explicit HostInfoObject(HostView& host) : HostObject("Host", nullptr), host_(host) {}
    bool get(std::string_view name, const std::vector<Variant>&, Variant& out) override {
        if (is(name, "Clock"))
            out = Variant::r8(host_.clock());
        else if (is(name, "Focus"))
            out = Variant::string(std::string_view(host_.focusName()));
        else if (is(name, "MenuShown"))
            out = Variant::boolean(host_.menuShown());
        else if (is(name, "PopupCount"))
            out = Variant::i4(host_.popupCount());
        else if (is(name, "MessageBoxCount"))
            out = Variant::i4(host_.messageBoxCount());
        else if (is(name, "LastMessageBox"))
            out = Variant::string(host_.lastMessageBox());
        else if (is(name, "GdiObjects"))
            out = Variant::i4(host_.gdiObjects());
        else
            return false;
        return true;
    }

  private:
    HostView& host_;
};

// The about box, in twips on the screen, while it is shown.
class AboutObject final : public HostObject {
  public:
    explicit AboutObject(HostView& host) : HostObject("frmAbout", nullptr), host_(host) {}
    bool get(std::string_view name, const std::vector<Variant>&, Variant& out) override {
        platform::Form* f = host_.shownForm();
        if (!f) return false;
        if (is(name, "Left"))
            out = number(f->Left());
        else if (is(name, "Top"))
            out = number(f->Top());
        else if (is(name, "Width"))
            out = number(f->Width());
        else if (is(name, "Height"))
            out = number(f->Height());
        else if (is(name, "Visible"))
            out = Variant::boolean(f->Shown());
        else
            return false;
        return true;
    }

  private:
    HostView& host_;
};

} // namespace

const DispatchTable& HostObject::dispatchTable() const {
    static const DispatchTable empty;
    return empty;
}

std::shared_ptr<HostObject> makeListObject(Tavrin& list, HostView& host, double twipsPerPixel,
                                           Liveness alive) {
    return std::make_shared<ListObject>(list, host, twipsPerPixel, std::move(alive));
}

std::shared_ptr<HostObject> makeScrollBarObject(std::string path, XPVScroll& bar, platform::Window* extender,
                                                HostView& host, double twipsPerPixel, Liveness alive) {
    return std::make_shared<ScrollBarObject>(std::move(path), bar, extender, host, twipsPerPixel,
                                             std::move(alive));
}

std::shared_ptr<HostObject> makeHostInfoObject(HostView& host) {
    return std::make_shared<HostInfoObject>(host);
}

std::shared_ptr<HostObject> makeAboutObject(HostView& host) {
    if (!host.shownForm()) return nullptr;
    return std::make_shared<AboutObject>(host);
}

} // namespace tavrin::run
