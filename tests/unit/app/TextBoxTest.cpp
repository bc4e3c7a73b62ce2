// The text box as an edit box: caret keys, Shift selection, the clipboard and the mouse, on an
// application's text box and on a list's in-place editor alike.
#include <gtest/gtest.h>

#include "tavrin/app/Window.h"

namespace tavrin::app {
namespace {

constexpr int16_t kLeft = 37, kRight = 39, kHome = 36, kEnd = 35, kDelete = 46;
constexpr int16_t kShift = platform::vbShiftMask, kCtrl = platform::vbCtrlMask;

struct Edit : ::testing::Test {
    Window window{{.width = 300, .height = 100}};
    TextBox& box = window.addTextBox("Box", {10, 10, 200, 24}, u"");
    TextBox& other = window.addTextBox("Other", {10, 50, 200, 24}, u"");
    void SetUp() override {
        window.run();
        window.user().type(u"hello world");
    }
    void keys(std::initializer_list<std::pair<int16_t, int16_t>> list) {
        for (auto [code, shift] : list)
            window.user().key(code, shift);
    }
};

TEST_F(Edit, CaretKeysMoveAndTypingInsertsThere) {
    keys({{kHome, 0}, {kRight, 0}});
    window.user().type(u"X");
    EXPECT_EQ(box.text(), u"hXello world");
    keys({{kEnd, 0}, {kLeft, 0}, {kDelete, 0}});
    EXPECT_EQ(box.text(), u"hXello worl");
    keys({{kRight, 0}, {kRight, 0}, {kDelete, 0}}); // at the end Delete has nothing to take
    EXPECT_EQ(box.text(), u"hXello worl");
}

TEST_F(Edit, ShiftSelectsAndTypingReplacesTheSelection) {
    keys({{kEnd, 0}, {kLeft, kShift}, {kLeft, kShift}, {kLeft, kShift}});
    window.user().type(u"!");
    EXPECT_EQ(box.text(), u"hello wo!");
    keys({{kHome, 0}, {kEnd, kShift}, {kLeft, 0}}); // Left collapses a selection to its start
    window.user().type(u">");
    EXPECT_EQ(box.text(), u">hello wo!");
}

TEST_F(Edit, CutCopyAndPasteGoThroughTheClipboard) {
    keys({{kHome, 0},
          {kRight, kShift},
          {kRight, kShift},
          {kRight, kShift},
          {kRight, kShift},
          {kRight, kShift}});
    keys({{'C', kCtrl}, {kEnd, 0}, {'V', kCtrl}});
    EXPECT_EQ(box.text(), u"hello worldhello");
    keys({{'A', kCtrl}, {'X', kCtrl}});
    EXPECT_EQ(box.text(), u"");
    window.user().key(9);
    keys({{'V', kCtrl}});
    EXPECT_EQ(other.text(), u"hello worldhello");
}

TEST_F(Edit, TheMouseSelectsByDragging) {
    window.user().press(box, 1, 12);
    window.user().moveTo(box, 400, 12, platform::vbLeftButton); // past the end: the whole text
    window.user().release(box, 400, 12);
    window.user().type(u"new");
    EXPECT_EQ(box.text(), u"new");
}

TEST(InPlaceEdit, EditingKeysWorkInTheListsEditor) {
    Window window({.width = 200, .height = 200});
    List& list = window.addList("L", {0, 0, 200, 200});
    list->AddItem(Variant::string("Banana"));
    list->SetListIndex(0);
    window.run();
    list->StartEdit();
    window.user().key(kEnd);
    window.user().key(kLeft, kShift);
    window.user().type(u"e");
    window.user().key(kHome);
    window.user().key(kDelete);
    window.user().type(u"Rowe");
    window.user().key(kHome, kShift); // a selection the Enter does not care about
    window.user().key(13);
    EXPECT_EQ(list->ItemText(0), u"Roweanane");
}

} // namespace
} // namespace tavrin::app
