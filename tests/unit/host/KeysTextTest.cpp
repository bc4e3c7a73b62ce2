// Key routing with key preview, and typing into the text box.
#include "HostFixture.h"

namespace tavrin::software::testing {
namespace {

class KeysTest : public HostTest {
  protected:
    void SetUp() override {
        HostTest::SetUp();
        site->KeyDown = [this](int16_t& k, int16_t& s) {
            log.push_back("KeyDown " + std::to_string(k) + "," + std::to_string(s));
        };
        site->KeyUp = [this](int16_t& k, int16_t&) { log.push_back("KeyUp " + std::to_string(k)); };
        site->KeyPress = [this](int16_t& a) { log.push_back("KeyPress " + std::to_string(a)); };
    }
    void keyStroke(int16_t code) {
        desktop.keyDown(code, 1);
        desktop.keyPress(code);
        desktop.keyUp(code, 1);
    }
};

TEST_F(KeysTest, ControlPreviewsKeysOfItsFocusedChildOnlyWithKeyPreviewOn) {
    desktop.focusWindow(iUCWnd());
    log.clear();
    keyStroke(65);
    EXPECT_TRUE(log.empty()) << "preview off";
    site->UserControl().SetKeyPreview(true);
    keyStroke(65);
    EXPECT_EQ(log, (std::vector<std::string>{"KeyDown 65,1", "KeyPress 65", "KeyUp 65"}));
    log.clear();
    desktop.focusWindow(0);
    log.clear();
    keyStroke(65);
    EXPECT_TRUE(log.empty()) << "focus elsewhere on the form";
}

TEST_F(KeysTest, TypingReplacesTheSelectionAndBackspaceDeletesBackwards) {
    openEdit(u"Apple");
    desktop.typeText(u"Pe");
    EXPECT_EQ(txtEdit->Text(), u"Pe");
    desktop.keyPress(8);
    EXPECT_EQ(txtEdit->Text(), u"P");
    txtEdit->SetSelStart(0);
    desktop.typeText(u"x");
    EXPECT_EQ(txtEdit->Text(), u"xP");
    EXPECT_EQ(txtEdit->SelStart(), 1);
    for (int16_t control : {10, 13, 27})
        desktop.keyPress(control);
    EXPECT_EQ(txtEdit->Text(), u"xP") << "Enter, Ctrl+Enter and Escape are not inserted";
}

TEST_F(KeysTest, KeyPressRunsFirstAndHidingTheBoxThereStopsTheCharacterAndMovesTheFocus) {
    openEdit(u"Apple");
    txtEdit->KeyPress = [this](int16_t& a) {
        log.push_back("txt.KeyPress " + std::to_string(a) + " " + std::to_string(txtEdit->Text().size()));
        if (a == 'q') txtEdit->SetVisible(false);
    };
    desktop.keyPress('z');
    EXPECT_EQ(txtEdit->Text(), u"z");
    log.clear();
    desktop.keyPress('q');
    EXPECT_EQ(txtEdit->Text(), u"z") << "hidden by its KeyPress: nothing inserted";
    // The rows the box covered get their paint after the focus has moved.
    EXPECT_EQ(log,
              (std::vector<std::string>{"txt.KeyPress 113 1", "txt.LostFocus", "iUC.GotFocus", "Paint"}));
    EXPECT_EQ(desktop.focusName(), "iUC");
}

TEST_F(KeysTest, PreviewHandlerThatClearsTheCharacterSwallowsIt) {
    openEdit(u"");
    site->UserControl().SetKeyPreview(true);
    site->KeyPress = [](int16_t& a) { a = a == 'x' ? 0 : a; };
    desktop.typeText(u"axb");
    EXPECT_EQ(txtEdit->Text(), u"ab");
}

TEST_F(KeysTest, TextBoxRendersSelectionInHighlightColoursOnlyWhileFocused) {
    openEdit(u"MMMM");
    txtEdit->SetBackColor(0x00FFFF);
    auto* win = site->child("txtEdit");
    ASSERT_NE(win, nullptr);
    auto count = [&](uint32_t rgb) {
        int n = 0;
        for (int32_t y = 0; y < win->surface().heightPx(); ++y)
            for (int32_t x = 0; x < win->surface().widthPx(); ++x)
                n += win->surface().pixelAt(x, y) == rgb;
        return n;
    };
    EXPECT_GT(count(desktop.sysColor(13)), 100) << "selected text on the highlight colour";
    EXPECT_EQ(win->surface().pixelAt(99, 8), 0x00FFFFu);
    desktop.focusWindow(iUCWnd());
    EXPECT_EQ(count(desktop.sysColor(13)), 0);
}

TEST_F(KeysTest, TextBoxRejectsBadSelectionAndAlignmentValues) {
    txtEdit->SetText(u"abc");
    txtEdit->SetSelStart(10);
    EXPECT_EQ(txtEdit->SelStart(), 3);
    txtEdit->SetSelStart(1);
    txtEdit->SetSelLength(10);
    EXPECT_EQ(txtEdit->SelLength(), 2);
    EXPECT_THROW(txtEdit->SetSelStart(-1), AutomationError);
    EXPECT_THROW(txtEdit->SetSelLength(-1), AutomationError);
    EXPECT_THROW(txtEdit->SetAlignment(3), AutomationError);
    EXPECT_THROW(txtEdit->SetFocus(), AutomationError) << "hidden: error 5";
}

} // namespace
} // namespace tavrin::software::testing
