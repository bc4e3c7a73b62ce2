// Whole forms in form files: what a saved form holds, that it loads back to the same picture, and
// that a bad control loads nothing and is named with its key.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tavrin/app/Window.h"

namespace tavrin::app {
namespace {

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("tavrin-app-" + name)).string();
}

void makeForm(Window& window) {
    window.setCaption(u"Two lists");
    List& a = window.addList("Left", {8, 8, 140, 150});
    List& b = window.addList("Right", {156, 8, 140, 150});
    window.addButton("Move", {8, 166, 80, 24}, u"Move");
    window.addLabel("Note", {96, 170, 150, 20}, u"A note");
    window.addTextBox("Filter", {8, 196, 140, 24}, u"abc");
    a.setAnchor(Anchor::Left | Anchor::Top | Anchor::Bottom);
    b->SetSelectModeStyle(SelectModeStyleCts::Box);
    b->SetTheme(ctsListThemes::XPOlive);
    b.setProperty("Appearance",
                  Variant::i4(static_cast<int32_t>(AppearanceCts::Flat))); // the host lays it out again
    window.get<Button>("Move").setTabIndex(0);
}

TEST(FormFile, SavedFormLoadsBackToTheSameControlsAndPixels) {
    Window first({.width = 304, .height = 228});
    makeForm(first);
    std::string path = tempPath("round.json");
    first.save(path);

    Window second({.width = 100, .height = 100});
    second.addList("Old", {0, 0, 50, 50});
    second.load(path);
    EXPECT_EQ(second.caption(), u"Two lists");
    EXPECT_EQ(second.width(), 304);
    EXPECT_EQ(second.find("Old"), nullptr);
    ASSERT_EQ(second.controls().size(), 5u);
    EXPECT_EQ(second.controls().front()->name(), "Move");
    EXPECT_EQ(second.get<List>("Right")->SelectModeStyle(), SelectModeStyleCts::Box);
    EXPECT_EQ(second.get<List>("Right")->Theme(), ctsListThemes::XPOlive);
    EXPECT_EQ(second.get<List>("Left").anchor(), Anchor::Left | Anchor::Top | Anchor::Bottom);
    EXPECT_EQ(second.get<TextBox>("Filter").text(), u"abc");
    EXPECT_EQ(second.get<List>("Right").place(), first.get<List>("Right").place());
    EXPECT_EQ(first.saveText(), second.saveText());
    first.run();
    second.run();
    if (first.pixels() != second.pixels()) {
        first.snapshot(tempPath("first.png"));
        second.snapshot(tempPath("second.png"));
        ADD_FAILURE() << "the pictures differ: " << tempPath("first.png") << " " << tempPath("second.png");
    }
    std::remove(path.c_str());
}

TEST(FormFile, ADefaultIsLeftOutOfTheBag) {
    Window window;
    window.addList("Plain", {0, 0, 100, 100});
    std::string text = window.saveText();
    EXPECT_EQ(text.find("WordWrap"), std::string::npos) << text;
    EXPECT_EQ(text.find("SelectModeStyle"), std::string::npos) << text;
}

TEST(FormFile, OneBadControlLoadsNothingAndIsNamedWithItsKey) {
    Window window;
    window.addList("Kept", {0, 0, 100, 100});
    const char* bad = R"({"caption": "x", "width": 200, "height": 200, "controls": [
        {"type": "Tavrin", "name": "Good", "left": 0, "top": 0, "width": 90, "height": 90},
        {"type": "Tavrin", "name": "Broken", "left": 100, "top": 0, "width": 90, "height": 90,
         "properties": {"WordWrap": true, "BorderWidth": 99999}}]})";
    try {
        window.loadText(bad, "bad.json");
        FAIL() << "loaded";
    } catch (const FormError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("bad.json"), std::string::npos) << what;
        EXPECT_NE(what.find("\"Broken\""), std::string::npos) << what;
        EXPECT_NE(what.find("BorderWidth"), std::string::npos) << what;
    }
    ASSERT_EQ(window.controls().size(), 1u);
    EXPECT_EQ(window.controls().front()->name(), "Kept");
    EXPECT_EQ(window.caption(), u"Tavrin");
}

TEST(FormFile, StructuralFaultsNameTheControlAndTheKey) {
    Window window;
    struct Case {
        const char* json;
        const char* expected;
    } cases[] = {
        {R"({"width": 10, "height": 10, "controls": [{"type": "Slider", "name": "S", "left": 0, "top": 0,
            "width": 5, "height": 5}]})",
         "control \"S\": key \"type\""},
        {R"({"width": 10, "height": 10, "controls": [{"type": "Tavrin", "name": "L", "top": 0, "width": 5,
            "height": 5}]})",
         "control \"L\": missing key \"left\""},
        {R"({"width": 10, "height": 10, "controls": [{"type": "Label", "name": "A", "left": 0, "top": 0,
            "width": 5, "height": 5}, {"type": "Label", "name": "a", "left": 0, "top": 0, "width": 5,
            "height": 5}]})",
         "the name is used twice"},
        {R"({"width": 10, "height": 10, "controls": [{"type": "Tavrin", "name": "L", "left": 0, "top": 0,
            "width": 5, "height": 5, "anchor": ["Up"]}]})",
         "key \"anchor\""},
        {R"({"width": 10)", "not valid JSON"},
    };
    for (const Case& c : cases) {
        try {
            window.loadText(c.json, "f");
            ADD_FAILURE() << "loaded " << c.json;
        } catch (const FormError& e) {
            EXPECT_NE(std::string(e.what()).find(c.expected), std::string::npos) << e.what();
        }
    }
    EXPECT_TRUE(window.controls().empty());
}

TEST(FormFile, AFileOfOneControlStillLoads) {
    Window window;
    window.loadText(R"({"type": "Tavrin", "name": "Solo", "width": 200, "height": 120,
                        "properties": {"SelectMode": 1}})");
    ASSERT_EQ(window.controls().size(), 1u);
    List& solo = window.get<List>("Solo");
    EXPECT_EQ(solo->SelectMode(), SelectModeCts::Multiple);
    EXPECT_EQ(solo.place().left, 12);
    EXPECT_EQ(window.width(), 224);
}

TEST(FormFile, AFailedSaveLeavesThePreviousFile) {
    Window window;
    window.addList("L", {0, 0, 50, 50});
    std::string dir = tempPath("dir-as-file");
    std::filesystem::create_directories(dir);
    EXPECT_THROW(window.save(dir), FormError); // cannot replace a directory
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    EXPECT_FALSE(std::filesystem::exists(dir + ".tmp"));
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace tavrin::app
