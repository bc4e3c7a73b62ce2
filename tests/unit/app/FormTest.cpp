// Application forms: tab order and the focus events, anchors, the wheel, and the least a program
// needs to show a list.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tavrin/app/Window.h"

namespace tavrin::app {
namespace {

struct ThreeStops : ::testing::Test {
    Window window{{.width = 300, .height = 200}};
    List& list = window.addList("Names", {10, 10, 120, 150});
    Label& label = window.addLabel("Caption", {140, 10, 100, 20}, u"Name:");
    TextBox& box = window.addTextBox("Name", {140, 40, 140, 24});
    Button& ok = window.addButton("Ok", {140, 80, 70, 24}, u"OK");
    std::vector<std::string> log;

    void SetUp() override {
        for (Control* c : window.controls())
            c->onEvent = [this, c](std::string_view event, std::vector<Variant>&) {
                if (event == "GotFocus" || event == "LostFocus")
                    log.push_back(c->name() + "." + std::string(event));
            };
    }
};

TEST_F(ThreeStops, TabVisitsTheStopsInTabOrderAndSkipsLabels) {
    window.run();
    EXPECT_EQ(window.focused(), &list);
    std::vector<Control*> seen;
    for (int i = 0; i < 4; ++i) {
        window.user().key(9);
        seen.push_back(window.focused());
    }
    EXPECT_EQ(seen, (std::vector<Control*>{&box, &ok, &list, &box}));
    window.user().key(9, platform::vbShiftMask);
    EXPECT_EQ(window.focused(), &list);
    window.user().key(9, platform::vbShiftMask);
    EXPECT_EQ(window.focused(), &ok);
}

TEST_F(ThreeStops, TheControlLosingTheFocusHearsOfItFirst) {
    window.run();
    log.clear();
    window.user().key(9);
    window.user().key(9);
    EXPECT_EQ(
        log, (std::vector<std::string>{"Names.LostFocus", "Name.GotFocus", "Name.LostFocus", "Ok.GotFocus"}));
}

TEST_F(ThreeStops, ANewTabIndexReordersTheStops) {
    ok.setTabIndex(0);
    EXPECT_EQ(window.controls().front(), &ok);
    EXPECT_EQ(list.tabIndex(), 1);
    window.run();
    EXPECT_EQ(window.focused(), &ok);
    window.user().key(9);
    EXPECT_EQ(window.focused(), &list);
}

TEST_F(ThreeStops, SpaceOnTheFocusedButtonClicksIt) {
    int clicks = 0;
    ok.onClick = [&] { ++clicks; };
    ok.setFocus();
    window.user().key(32);
    window.user().click(ok, 5, 5);
    EXPECT_EQ(clicks, 2);
    window.user().click(list, 5, 5); // a click elsewhere moves the focus and clicks nothing here
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(window.focused(), &list);
}

TEST_F(ThreeStops, TypingGoesToTheFocusedTextBoxOnly) {
    std::u16string changes;
    box.onChange = [&] { changes += u"*"; };
    window.run();
    window.user().type(u"no"); // the list has the focus: its KeyPress, no text
    window.user().key(9);
    window.user().type(u"Ada");
    EXPECT_EQ(box.text(), u"Ada");
    EXPECT_EQ(changes, u"***");
}

TEST(Anchors, EdgesKeepTheirDistanceWhenTheWindowIsResized) {
    Window window({.width = 300, .height = 200});
    List& both = window.addList("Both", {10, 10, 100, 100});
    Button& right = window.addButton("Right", {200, 10, 80, 24}, u"R");
    Label& still = window.addLabel("Still", {200, 170, 80, 20}, u"S");
    both.setAnchor(Anchor::All);
    right.setAnchor(Anchor::Top | Anchor::Right);
    window.resize(400, 260);
    EXPECT_EQ(both.place(), (Place{10, 10, 200, 160}));
    EXPECT_EQ(right.place(), (Place{300, 10, 80, 24}));
    EXPECT_EQ(still.place(), (Place{200, 170, 80, 20}));
    window.resize(300, 200);
    EXPECT_EQ(both.place(), (Place{10, 10, 100, 100}));
}

TEST(Anchors, TheListLaysItselfOutAgainAtItsNewSize) {
    Window window({.width = 200, .height = 200});
    List& list = window.addList("L", {0, 0, 200, 100});
    list.setAnchor(Anchor::All);
    for (int i = 0; i < 40; ++i)
        list->AddItem(Variant::string("item " + std::to_string(i)));
    auto visibleRows = [&] {
        Variant rows;
        list->readPrivate("p_VisibleRows", rows);
        return rows.asI2();
    };
    int16_t before = visibleRows();
    window.resize(200, 300);
    EXPECT_GT(visibleRows(), before);
}

TEST(Wheel, ScrollsThreeRowsANotchAndRaisesScroll) {
    Window window({.width = 200, .height = 200});
    List& list = window.addList("L", {0, 0, 150, 150});
    for (int i = 0; i < 50; ++i)
        list->AddItem(Variant::string("item " + std::to_string(i)));
    window.run();
    std::vector<std::string> events;
    list.onEvent = [&](std::string_view e, std::vector<Variant>&) { events.emplace_back(e); };
    window.user().wheel(list, 20, 20, -2);
    EXPECT_EQ(list->TopIndex(), 6);
    EXPECT_EQ(events, (std::vector<std::string>{"Scroll"}));
    window.user().wheel(list, 20, 20, 5); // beyond the top: stops there
    EXPECT_EQ(list->TopIndex(), 0);
    events.clear();
    window.user().wheel(list, 20, 20, 1); // already at the top: nothing to raise
    EXPECT_TRUE(events.empty());
}

TEST(Wheel, GoesToTheListUnderThePointer) {
    Window window({.width = 320, .height = 200});
    List& left = window.addList("Left", {0, 0, 150, 150});
    List& right = window.addList("Right", {160, 0, 150, 150});
    for (List* l : {&left, &right})
        for (int i = 0; i < 50; ++i)
            (*l)->AddItem(Variant::string("item"));
    window.user().wheel(right, 20, 20, -1);
    EXPECT_EQ(left->TopIndex(), 0);
    EXPECT_EQ(right->TopIndex(), 3);
}

// At a display's scale the form keeps its places and the user's coordinates, while the window,
// the text and the rows grow in device pixels.
TEST(Scale, AWindowAtTwiceTheScaleGrowsItsPixelsAndKeepsItsPlaces) {
    struct Drawn {
        size_t pixels;
        int16_t clicked;
        Place place;
    };
    auto draw = [](double scale) {
        Window window({.width = 220, .height = 180, .scale = scale});
        List& list = window.addList("L", {10, 10, 200, 160});
        for (int i = 0; i < 20; ++i)
            list->AddItem(Variant::string("item " + std::to_string(i)));
        window.run();
        window.user().click(list, 20, 100); // the same spot of the form
        return Drawn{window.pixels().size(), list->ListIndex(), list.place()};
    };
    const Drawn one = draw(1), two = draw(2);
    EXPECT_EQ(two.pixels, 4 * one.pixels);
    EXPECT_EQ(two.place, one.place);
    EXPECT_GE(one.clicked, 4);
    EXPECT_NEAR(two.clicked, one.clicked, 1); // rows grow with the text, not exactly twice
}

TEST(ThreeCalls, ShowAReadyList) {
    Window window({.width = 160, .height = 120});
    auto& fruit = window.addList("Fruit", {0, 0, 160, 120});
    fruit->AddItem(Variant::string("Apple"));
    fruit->SetListIndex(0);
    EXPECT_EQ(window.run(), 0);
    std::vector<uint32_t> px = window.pixels();
    ASSERT_EQ(px.size(), 160u * 120u);
    // The current row is drawn in the highlight colour somewhere on the first row.
    EXPECT_NE(std::find(px.begin() + 160 * 8, px.begin() + 160 * 10, 0xC56A31u), px.begin() + 160 * 10);
}

TEST(Names, AreUniqueWithoutRegardToCase) {
    Window window;
    window.addList("List1", {0, 0, 50, 50});
    EXPECT_THROW(window.addButton("LIST1", {0, 0, 5, 5}, u""), std::invalid_argument);
    EXPECT_EQ(window.freeName("List"), "List2");
    EXPECT_EQ(window.find("list1")->type(), ControlType::List);
}

} // namespace
} // namespace tavrin::app
