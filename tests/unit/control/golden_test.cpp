// Golden pictures: the whole look of the scroll bar in every theme and state, and of a list in every
// selection style and with the required-field mark, compared pixel for pixel with the PNGs in
// tests/data/golden. With TAVRIN_GOLDEN_ACTUAL set, a picture that differs is written beside the
// expected one as NAME.actual.png, to look at and, when the change is meant, to copy over it.
#include <cstdlib>

#include "RenderFixture.h"
#include "platform/software/SoftwareSurface.h"
#include "tools/common/BarLooks.h"

namespace tavrin::testing {
namespace {

struct Image {
    int32_t width = 0, height = 0;
    std::vector<uint32_t> pixels;

    Image(int32_t w, int32_t h) : width(w), height(h), pixels(size_t(w) * h, 0xFFFFFF) {}
    void place(const std::vector<uint32_t>& from, int32_t w, int32_t h, int32_t left, int32_t top) {
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                pixels[size_t(top + y) * width + left + x] = from[size_t(y) * w + x];
    }
};

// The first difference from the golden picture, or an empty text.
std::string compareWithGolden(const std::string& name, const Image& actual) {
    const std::string expectedPath = std::string(TAVRIN_TEST_DATA) + "/golden/" + name + ".png";
    std::string error, difference;
    const auto expected = software::readPng(expectedPath, &error);
    if (!expected) {
        difference = error;
    } else if (expected->width() != actual.width || expected->height() != actual.height) {
        difference = "size " + std::to_string(actual.width) + " x " + std::to_string(actual.height);
    } else {
        for (int32_t y = 0; y < actual.height && difference.empty(); ++y)
            for (int32_t x = 0; x < actual.width && difference.empty(); ++x)
                if ((expected->pixel(x, y) & 0xFFFFFF) !=
                    (actual.pixels[size_t(y) * actual.width + x] & 0xFFFFFF))
                    difference = "pixel " + std::to_string(x) + "," + std::to_string(y);
    }
    if (!difference.empty() && std::getenv("TAVRIN_GOLDEN_ACTUAL")) {
        const std::string actualPath = std::string(TAVRIN_TEST_DATA) + "/golden/" + name + ".actual.png";
        software::writePng(actualPath, actual.width, actual.height, actual.pixels.data(), nullptr);
        difference += " (actual written to " + actualPath + ")";
    }
    return difference;
}

// ---- the scroll bar: ten bars per theme, brought into their looks by the mouse (BarLooks.h)

using barlooks::BarLook;
constexpr int32_t kBarW = 17, kBarH = 90, kGap = 2;

std::vector<uint32_t> renderBar(int32_t theme, BarLook look) {
    std::vector<uint32_t> pixels = barlooks::renderBar(theme, look, kBarW, kBarH);
    EXPECT_FALSE(pixels.empty()) << "the bar came out in another size";
    pixels.resize(size_t(kBarW) * kBarH);
    return pixels;
}

class GoldenBar : public ::testing::TestWithParam<int32_t> {};

TEST_P(GoldenBar, EveryPartInEveryLook) {
    const int32_t theme = GetParam();
    Image image(barlooks::kBarLookCount * (kBarW + kGap) - kGap, kBarH);
    for (int32_t i = 0; i < barlooks::kBarLookCount; ++i)
        image.place(renderBar(theme, static_cast<BarLook>(i)), kBarW, kBarH, i * (kBarW + kGap), 0);
    EXPECT_EQ(compareWithGolden("bar-theme" + std::to_string(theme), image), "");
}

INSTANTIATE_TEST_SUITE_P(Themes, GoldenBar, ::testing::Values(0, 1, 2));

// ---- the list: three rows, the middle one selected and current, in each selection style

constexpr int32_t kListW = 110, kListH = 60;

// The control as the form shows it, frame and scroll bar included.
Image listPicture(ListOnForm& f) {
    f.desk.flushPaints();
    int32_t w = 0, h = 0;
    std::vector<uint32_t> pixels = f.desk.compose(f.site->hWnd(), true, w, h);
    Image image(w, h);
    image.place(pixels, w, h, 0, 0);
    return image;
}

void fillThreeRows(ListOnForm& f) {
    f->SetItemHeightAuto(false);
    f->SetItemHeight(18);
    f.site->resizeClient(kListW, kListH);
    for (const char16_t* text : {u"Apple", u"Pear tart", u"Kiwi"})
        f->AddItem(Variant::string(std::u16string(text)));
    f->SetBoxOffset(2);
    f->SetBoxRadius(6);
    f->SetBackSelectedG1(0x0080FF);
    f->SetBackSelectedG2(0xFFE0C0);
    f->SetListIndex(1);
}

class GoldenStyle : public ::testing::TestWithParam<int32_t> {};

TEST_P(GoldenStyle, ASelectedRowInTheStyle) {
    ListOnForm f(kListW, kListH);
    fillThreeRows(f);
    f->SetSelectionPicture(std::make_shared<platform::Picture>(
        2, 2, std::vector<uint32_t>{0x40C040, 0xC0FFC0, 0xC0FFC0, 0x40C040}));
    f->SetSelectModeStyle(static_cast<SelectModeStyleCts>(GetParam()));
    EXPECT_EQ(compareWithGolden("style" + std::to_string(GetParam()), listPicture(f)), "");
}

INSTANTIATE_TEST_SUITE_P(Styles, GoldenStyle, ::testing::Range(0, 7));

// The mark needs the loaded picture: the list is loaded with RequiredField set, in Flat appearance.
TEST(Golden, TheRequiredFieldMark) {
    ListOnForm f(kListW, kListH);
    platform::PropertyBag bag;
    bag.set("RequiredField", Variant::boolean(true));
    bag.set("Appearance", Variant::i2(0));
    f->ReadProperties(bag);
    f.site->resizeClient(kListW, kListH);
    fillThreeRows(f);
    EXPECT_EQ(compareWithGolden("required-field", listPicture(f)), "");
}

} // namespace
} // namespace tavrin::testing
