// What a program sees of the library through the public headers: the enumerations are scoped, so
// their members leave common words free, and the list's inside is out of reach. These checks hold
// at compile time; the test below runs the typed and the name-based ways to hear an event.
#include <gtest/gtest.h>

#include "tavrin/XPVScroll.h"
#include "tavrin/app/Window.h"

namespace tavrin {
// A program may use these words for its own types in the library's namespace: with the members of
// an unscoped enumeration there, each of these would clash.
struct Single {};
struct Multiple {};
struct Box {};
struct Flat {};
struct Standard {};
struct Underline {};
struct XPBlue {};
struct AlignLeft {};
struct Ascendent {};
} // namespace tavrin

namespace tavrin::testing {
namespace {

// Handlers, drawing routines, children and test views are not members a program can call.
template <class T> constexpr bool paints = requires(T& t) {
    t.iUC_Paint();
};
template <class T> constexpr bool showsChildren = requires(T& t) {
    t.iUC();
}
|| requires(T& t) {
    t.sbUC();
};
template <class T> constexpr bool drawsRows = requires(T& t) {
    t.DrawItem(int16_t{0});
}
|| requires(T& t) {
    t.PaintRows();
};
template <class T> constexpr bool takesKeys = requires(T& t, int16_t& k) {
    t.UserControl_KeyDown(k, k);
};
template <class T> constexpr bool showsViews = requires(const T& t) {
    t.rowHeight();
}
|| requires(const T& t) {
    t.items();
};
static_assert(!paints<Tavrin> && !showsChildren<Tavrin> && !drawsRows<Tavrin>);
static_assert(!takesKeys<Tavrin> && !showsViews<Tavrin>);
// Nor are the scroll bar's site, timers, geometry and message hook.
template <class T> constexpr bool barShowsInside = requires(T& t) {
    t.site();
}
|| requires(T& t) {
    t.tScrl();
}
|| requires(const T& t) {
    t.pagesDown(0.0);
}
|| requires(T& t) {
    t.ISubclass_WindowProc(0, 0, 0, 0);
};
static_assert(!barShowsInside<XPVScroll>);
// Setters take their enumeration, not a bare number.
template <class T> constexpr bool modeFromNumber = requires(T& t) {
    t.SetSelectMode(1);
};
template <class T> constexpr bool modeFromMember = requires(T& t) {
    t.SetSelectMode(SelectModeCts::Multiple);
};
template <class T> constexpr bool styleFromNumber = requires(T& t) {
    t.SetSelectModeStyle(4);
};
static_assert(!modeFromNumber<Tavrin> && modeFromMember<Tavrin> && !styleFromNumber<Tavrin>);

TEST(PublicSurface, ATypedCallbackAndTheNamedSinkHearOneEvent) {
    app::Window window({.width = 200, .height = 120});
    app::List& list = window.addList("Fruit", {0, 0, 200, 120});
    std::vector<std::string> heard;
    list.onListIndexChange = [&] { heard.push_back("typed"); };
    list.onEvent = [&](std::string_view name, std::vector<Variant>&) { heard.emplace_back(name); };
    list->AddItem(Variant::string("Apple"));
    list->SetSelectMode(SelectModeCts::Multiple);
    window.run();
    heard.clear(); // the focus the first control got on showing
    list->SetListIndex(0);
    EXPECT_EQ(heard, (std::vector<std::string>{"typed", "ListIndexChange"}));
    EXPECT_EQ(list->SelectMode(), SelectModeCts::Multiple);
    EXPECT_EQ(list.property("SelectMode").type(), VarType::I4); // by name: the number itself
}

} // namespace
} // namespace tavrin::testing
