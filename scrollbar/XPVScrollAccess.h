// What the hosts' tools and the tests reach inside a scroll bar beyond its public members: its
// site, its two timers, its geometry and its message hook. This header is not installed; a program
// sees only XPVScroll.h.
#pragma once

#include "scrollbar/BarGeometry.h"
#include "tavrin/XPVScroll.h"

namespace tavrin {

struct XPVScrollAccess {
    static_assert(kBarPieceCount == XPVScroll::kPieceCount);

    static platform::ControlSite& site(XPVScroll& bar) { return bar.site_; }
    static platform::Timer& tScrl(XPVScroll& bar) { return *bar.tScrl_; }
    static platform::Timer& tScrlEnable(XPVScroll& bar) { return *bar.tScrlEnable_; }
    static platform::ISubclass& subclassClient(XPVScroll& bar) { return bar; }

    static BarPart partAt(const XPVScroll& bar, double yTwips) { return bar.partAt(yTwips); }
    static bool onThumbForHover(const XPVScroll& bar, double yTwips) { return bar.onThumbForHover(yTwips); }
    static bool onThumbForPress(const XPVScroll& bar, double yTwips) { return bar.onThumbForPress(yTwips); }
    static bool pagesDown(const XPVScroll& bar, double yTwips) { return bar.pagesDown(yTwips); }
    static BarRect pieceRect(const XPVScroll& bar, BarPiece piece) { return bar.pieceRect(piece); }
};

} // namespace tavrin
