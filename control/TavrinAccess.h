// What the hosts, the tools, the benchmarks and the tests reach inside a list beyond its public
// members: its child controls, the handlers and drawing routines they call as the form host would,
// and read-only views of its state. This header is not installed; a program sees only Tavrin.h.
#pragma once

#include "tavrin/Tavrin.h"

namespace tavrin {

struct TavrinAccess {
    // The children, as the host created them.
    static platform::PictureBox& iUC(Tavrin& t) { return *t.iUC_; }
    static XPVScroll& sbUC(Tavrin& t) { return *t.sbUC_; }
    static platform::ControlSite::ChildSite& sbUCSite(Tavrin& t) { return *t.sbUCSite_; }
    static platform::TextBox& txtEdit(Tavrin& t) { return *t.txtEdit_; }
    static platform::Menu& SelectionMenu(Tavrin& t) { return *t.SelectionMenu_; }
    static platform::ControlSite& site(Tavrin& t) { return t.site_; }

    // Handlers, called as the host calls them.
    static void iUC_Paint(Tavrin& t) { t.iUC_Paint(); }
    static void UserControl_EnterFocus(Tavrin& t) { t.UserControl_EnterFocus(); }
    static void UserControl_ExitFocus(Tavrin& t) { t.UserControl_ExitFocus(); }
    static void optSelectionMenu_Click(Tavrin& t, int16_t index) { t.optSelectionMenu_Click(index); }

    // Drawing routines.
    static void DrawItem(Tavrin& t, int16_t index) { t.DrawItem(index); }
    static void DrawFocus(Tavrin& t, int16_t index) { t.DrawFocus(index); }
    static void PaintRows(Tavrin& t) { t.PaintRows(); }
    static void ResolveColors(Tavrin& t) { t.ResolveColors(); }
    static uint32_t TranslateColor(const Tavrin& t, uint32_t oleColor) { return t.TranslateColor(oleColor); }
    static Vertex ColorToVertex(uint32_t rgb) { return Tavrin::ColorToVertex(rgb); }

    // Read-only views.
    static const ItemStorage& items(const Tavrin& t) { return t.p_Items; }
    static const std::vector<uint8_t>& selectedFlags(const Tavrin& t) { return t.p_Selected; }
    static int16_t rowHeight(const Tavrin& t) { return t.p_RowHeight; }
    static int16_t visibleRows(const Tavrin& t) { return t.p_VisibleRows; }
};

} // namespace tavrin
