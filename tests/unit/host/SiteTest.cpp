// Sites, sizes and frames, paints, child controls, modal menu and form, pictures and records.
#include <cmath>

#include "HostFixture.h"

#include "platform/software/SoftwareImageList.h"

namespace tavrin::software::testing {
namespace {

using SiteTest = HostTest;

TEST_F(SiteTest, PaintComesAfterTheHandlerThatShowedOrResizedTheWindow) {
    iUC->MouseDown = [this](int16_t&, int16_t&, float&, float&) {
        iUC->Move(2, 2, 170, 150);
        iUC->Move(2, 2, 170, 150); // the same size again: one paint only
        log.push_back("handler done");
    };
    desktop.mouseDown(iUCWnd(), platform::vbRightButton, 5, 5, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"handler done", "Paint"}));
    log.clear();
    iUC->Move(4, 4, 170, 150); // moved only: no paint
    iUC->SetVisible(false);
    iUC->SetVisible(true);
    EXPECT_TRUE(log.empty()) << "nothing before the flush";
    desktop.flushPaints();
    EXPECT_EQ(log, (std::vector<std::string>{"Paint"}));
}

// The picture box keeps no picture of its own: what a window over it covered is lost when that
// window goes (erased to BackColor) and drawn again in one Paint; a window that only grows over it,
// or a window beside it going away, costs it nothing.
TEST_F(SiteTest, UncoveredPictureBoxGetsOnePaintForThePartsThatWereCovered) {
    SoftwareSurface& rows = desktop.window(iUCWnd())->surface();
    constexpr uint32_t kInk = 0x123456;
    rows.fillRect({0, 0, 180, 156}, kInk);
    const uint32_t back = rows.resolvedBackColor();
    txtEdit->Move(10, 20, 100, 16); // iUC pixels 8..108 x 18..34
    txtEdit->SetVisible(true);
    txtEdit->Move(10, 20, 120, 20); // grows: uncovers nothing
    desktop.flushPaints();
    EXPECT_TRUE(log.empty());

    txtEdit->Move(10, 20, 60, 20); // shrinks: 68..128 uncovered
    txtEdit->Move(10, 20, 50, 20); // and again before the paint: still one
    EXPECT_TRUE(log.empty()) << "nothing before the flush";
    desktop.flushPaints();
    EXPECT_EQ(log, (std::vector<std::string>{"Paint"}));
    EXPECT_EQ(rows.pixelAt(100, 25), back);
    EXPECT_EQ(rows.pixelAt(20, 25), kInk) << "still under the box";
    EXPECT_EQ(rows.pixelAt(100, 50), kInk) << "never covered";

    log.clear();
    sbSite->extender().SetVisible(false); // beside the rows, over the control's own window only
    desktop.flushPaints();
    EXPECT_TRUE(log.empty());
    txtEdit->SetVisible(false);
    desktop.flushPaints();
    EXPECT_EQ(log, (std::vector<std::string>{"Paint"}));
    EXPECT_EQ(rows.pixelAt(20, 25), back);
    EXPECT_EQ(rows.pixelAt(100, 50), kInk);
}

TEST_F(SiteTest, ControlSettingItsOwnHeightRaisesResizeOnlyWhenTheSizeChanges) {
    auto& uc = site->UserControl();
    int resizes = 0;
    site->Resize = [&] {
        ++resizes;
        // An integral height: the client height rounded down to whole rows of 20 pixels.
        double rowsPx = std::floor(uc.ScaleHeight() / 20) * 20;
        uc.SetHeight(rowsPx * 15);
    };
    site->resizeClient(200, 170);
    EXPECT_EQ(resizes, 2) << "the host's resize, then one more for the height the control set";
    EXPECT_EQ(uc.ScaleHeight(), 160);
    EXPECT_EQ(uc.Height(), 160 * 15);
    site->resizeClient(200, 160);
    EXPECT_EQ(resizes, 3) << "the host's resize is raised even when nothing changed";
}

TEST_F(SiteTest, SunkenFrameOnlyWithBorderStyle1AndAppearance3D) {
    auto& uc = site->UserControl();
    struct Case {
        int16_t border, appearance;
        double outerWidthTwips;
    };
    for (Case c : {Case{0, 1, 200 * 15}, Case{1, 0, 200 * 15}, Case{1, 1, 204 * 15}, Case{0, 0, 200 * 15}}) {
        uc.SetBorderStyle(c.border);
        uc.SetAppearance(c.appearance);
        EXPECT_EQ(uc.Width(), c.outerWidthTwips) << c.border << "/" << c.appearance;
        EXPECT_EQ(uc.ScaleWidth(), 200);
    }
    uc.SetBorderStyle(1);
    uc.SetAppearance(1);
    uc.SetHeight(100 * 15);
    EXPECT_EQ(uc.ScaleHeight(), 96) << "client = outer - frame";
    EXPECT_THROW(uc.SetBorderStyle(2), AutomationError);
}

TEST_F(SiteTest, ChildControlSurfaceIsInTwipsAndFollowsItsExtender) {
    auto& child = sbSite->UserControl();
    int resizes = 0;
    std::vector<std::string> events, changed;
    sbSite->Resize = [&] { ++resizes; };
    sbSite->onEvent = [&](std::string_view name, int32_t, std::vector<Variant>&) {
        events.emplace_back(name);
    };
    site->onPropertyChanged = [&](std::string_view name) { changed.emplace_back(name); };
    EXPECT_EQ(child.ScaleHeight(), 156 * 15);
    EXPECT_EQ(child.ScaleWidth(), 16 * 15);
    child.SetWidth(17 * 15);
    EXPECT_EQ(sbSite->extender().Width(), 17);
    sbSite->extender().Move(183, 2, 17, 100);
    EXPECT_EQ(child.ScaleHeight(), 1500);
    EXPECT_EQ(resizes, 2);
    std::vector<Variant> none;
    sbSite->RaiseEvent("Change", 1, none);
    sbSite->PropertyChanged("Value");
    EXPECT_EQ(events, std::vector<std::string>{"Change"});
    EXPECT_TRUE(changed.empty()) << "the child's PropertyChanged does not reach the script's log";
}

TEST_F(SiteTest, PopupMenuPumpsUntilAnEnabledEntryIsChosenAndRunsItsClickBeforeReturning) {
    auto menu = site->createMenu({u"&Select all", u"&Unselect all", u"-", u"&Invert"});
    menu->SetEnabled(1, false);
    std::vector<std::string> steps;
    menu->Click = [&](int16_t i) { steps.push_back("Click " + std::to_string(i)); };
    int turn = 0;
    desktop.setInputPump([&] {
        EXPECT_TRUE(desktop.menuShown());
        int16_t choice[] = {1, 2, 3};
        steps.push_back("choose " + std::to_string(choice[turn]));
        desktop.menuChoose(choice[turn++]); // disabled and separator: the menu stays open
        return true;
    });
    site->UserControl().PopupMenu(*menu);
    steps.push_back("returned");
    EXPECT_EQ(steps, (std::vector<std::string>{"choose 1", "choose 2", "choose 3", "Click 3", "returned"}));
    EXPECT_FALSE(desktop.menuShown());
    EXPECT_EQ(desktop.popupCount(), 1);
    EXPECT_THROW(menu->Caption(4), AutomationError);
}

TEST_F(SiteTest, ModalThingsCloseWhenThePumpHasNothingLeft) {
    auto menu = site->createMenu({u"A"});
    bool clicked = false;
    menu->Click = [&](int16_t) { clicked = true; };
    desktop.setInputPump([] { return false; });
    site->UserControl().PopupMenu(*menu);
    EXPECT_FALSE(clicked);
    auto form = desktop.createForm(5580, 3765, u"About");
    form->ShowModal();
    EXPECT_FALSE(form->Shown());
}

TEST_F(SiteTest, ModalFormHasItsBorderAndClosesFromItsButton) {
    auto form = desktop.createForm(5580, 3765, u"About");
    EXPECT_EQ(form->Width(), 5670);
    EXPECT_EQ(form->Height(), 4155);
    EXPECT_EQ(form->surface().ScaleWidth(), 372);
    form->addButton({u"Close", 4380, 3015, 1095, 435, [&] { form->Unload(); }});
    int turns = 0;
    desktop.setInputPump([&] {
        EXPECT_EQ(desktop.shownForm(), form.get());
        if (++turns == 2) desktop.pressFormButton(u"Close");
        return true;
    });
    form->ShowModal();
    EXPECT_EQ(turns, 2);
    EXPECT_EQ(desktop.shownForm(), nullptr);
}

TEST_F(SiteTest, GdiObjectsAreCountedUntilDeleted) {
    auto& gdi = desktop.gdi();
    int32_t before = desktop.gdiObjects();
    platform::HBRUSH brush = gdi.CreateSolidBrush(0x0000FF);
    platform::HPEN pen = gdi.CreatePen(platform::PS_SOLID, 1, 0);
    EXPECT_EQ(desktop.gdiObjects(), before + 2);
    gdi.DeleteObject(brush);
    gdi.DeleteObject(pen);
    EXPECT_EQ(desktop.gdiObjects(), before);
}

TEST_F(SiteTest, SnapshotComposesFrameBackgroundAndChildrenInZOrder) {
    auto& uc = site->UserControl();
    uc.SetBorderStyle(1);
    uc.SetBackColor(0x0000FF);
    iUC->SetBackColor(0x00FF00);
    iUC->Cls();
    auto& bar = sbSite->UserControl();
    bar.SetBackColor(0xFF0000);
    bar.Refresh();
    openEdit(u"");
    txtEdit->SetBackColor(0x00FFFF);
    int32_t w = 0, h = 0;
    std::vector<uint32_t> px = desktop.compose(site->hWnd(), true, w, h);
    ASSERT_EQ(w, 204);
    ASSERT_EQ(h, 164);
    auto at = [&](int32_t x, int32_t y) { return px[static_cast<size_t>(y) * w + x]; };
    EXPECT_EQ(at(0, 0), desktop.sysColor(16));     // outer frame, top left
    EXPECT_EQ(at(1, 1), desktop.sysColor(21));     // inner frame, top left
    EXPECT_EQ(at(203, 163), desktop.sysColor(20)); // outer frame, bottom right
    EXPECT_EQ(at(3, 3), 0x0000FFu);                // the ring of the control's BackColor
    EXPECT_EQ(at(4 + 50, 4 + 100), 0x00FF00u);     // picture box
    EXPECT_EQ(at(2 + 190, 2 + 50), 0xFF0000u);     // scroll bar window
    EXPECT_EQ(at(2 + 2 + 100, 2 + 2 + 25), 0x00FFFFu) << "text box on top of the picture box";
    std::vector<uint32_t> alone = desktop.compose(site->hWnd(), false, w, h);
    EXPECT_EQ(alone[static_cast<size_t>(4 + 100) * w + 4 + 50], 0x0000FFu);
}

TEST_F(SiteTest, PictureStoreCachesByKeyAndFailsOnRequest) {
    auto& store = desktop.pictureStore();
    auto first = store.GetPicture(u"REQUIREDFIELD");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(store.GetPicture(u"REQUIREDFIELD"), first);
    EXPECT_THROW(store.GetPicture(u"NO SUCH KEY"), AutomationError);
    desktop.failPicture(u"*");
    EXPECT_THROW(store.GetPicture(u"REQUIREDFIELD"), AutomationError);
}

TEST_F(SiteTest, ImageListDrawsTransparentlyAtPositionsInTheParentsScale) {
    SoftwareImageList list(desktop, 16, 16, 3, 1); // twips
    iUC->SetBackColor(0x123456);
    iUC->Cls();
    list.Draw(2, iUC->hDC(), 150, 300, 1); // 10, 20 pixels
    const platform::Picture& image = list.image(2);
    EXPECT_EQ(iUC->Point(10, 20), 0x123456u) << "corner is transparent magenta";
    EXPECT_EQ(iUC->Point(18, 28), image.pixel(8, 8));
    EXPECT_NE(list.image(1).pixels(), image.pixels()) << "images are distinct";
    for (int32_t bad : {0, 4}) {
        try {
            list.Draw(bad, iUC->hDC(), 0, 0, 1);
            FAIL() << "index " << bad;
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), 35600);
        }
    }
}

TEST_F(SiteTest, MessageBoxesAreRecordedAndScalesConvertThroughTwips) {
    EXPECT_EQ(desktop.MsgBox(u"err: pTerminate", platform::vbCritical, u""), 1);
    EXPECT_EQ(desktop.messageBoxCount(), 1);
    EXPECT_EQ(desktop.lastMessageBox(), u"err: pTerminate");
    using platform::ScaleMode;
    EXPECT_EQ(desktop.ScaleX(10, ScaleMode::Pixels, ScaleMode::Twips), 150);
    EXPECT_EQ(desktop.ScaleY(1440, ScaleMode::Twips, ScaleMode::Inches), 1);
    EXPECT_EQ(desktop.ScaleX(72, ScaleMode::Points, ScaleMode::Pixels), 96);
    EXPECT_EQ(desktop.screen().Width(), 1024 * 15);
}

} // namespace
} // namespace tavrin::software::testing
