// The font, picture and property bag objects that forms keep.
#include <gtest/gtest.h>

#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Picture.h"
#include "tavrin/platform/PropertyBag.h"

using namespace tavrin;
using namespace tavrin::platform;

namespace {

struct FontWatch {
    std::shared_ptr<StdFont> font = std::make_shared<StdFont>();
    std::vector<std::string> changes;
    FontWatch() {
        font->addListener([this](const std::string& attribute) { changes.push_back(attribute); });
    }
};

} // namespace

TEST(StdFont, NotifiesOnlyRealChangesOncePerChange) {
    FontWatch w;
    w.font->SetName(u"DejaVu Sans"); // the name it has
    w.font->SetSize(8.00001);        // kept to four decimals: still 8
    w.font->SetBold(false);
    w.font->SetCharset(0);
    EXPECT_TRUE(w.changes.empty());

    w.font->SetBold(true);
    EXPECT_EQ(w.font->Weight(), 700);
    w.font->SetWeight(400);
    EXPECT_FALSE(w.font->Bold());
    w.font->SetWeight(551);
    EXPECT_TRUE(w.font->Bold());
    w.font->SetWeight(550);
    EXPECT_FALSE(w.font->Bold());
    w.font->SetSize(9.5);
    w.font->SetItalic(true);
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Bold", "Weight", "Weight", "Weight", "Size", "Italic"}));
    EXPECT_DOUBLE_EQ(w.font->Size(), 9.5);
}

TEST(StdFont, RejectsImpossibleSizesAndDetachesListeners) {
    FontWatch w;
    EXPECT_THROW(w.font->SetSize(0), AutomationError);
    EXPECT_THROW(w.font->SetSize(2048.5), AutomationError);
    w.font->SetSize(2048);
    EXPECT_EQ(w.font->Size(), 2048);

    auto copy = w.font->clone();
    copy->SetUnderline(true); // a clone has no listeners of its own
    const int token = w.font->addListener([](const std::string&) { FAIL() << "removed listener called"; });
    w.font->removeListener(token);
    w.font->SetStrikethrough(true);
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Size", "Strikethrough"}));
}

TEST(StdFont, AutomationMembersConvertAndNotify) {
    FontWatch w;
    w.font->invoke("bold", InvokeKind::PropertyLet, CallArgs{{Variant::string("True")}, {}});
    w.font->invoke("SIZE", InvokeKind::PropertyLet, CallArgs{{Variant::i2(12)}, {}});
    EXPECT_EQ(w.font->invoke("Weight", InvokeKind::PropertyGet, {}), Variant::i2(700));
    EXPECT_EQ(w.font->invoke("Size", InvokeKind::PropertyGet, {}), Variant::r8(12));
    EXPECT_EQ(w.changes, (std::vector<std::string>{"Bold", "Size"}));
    EXPECT_THROW(w.font->invoke("Weight", InvokeKind::PropertyLet, CallArgs{{Variant::i4(40000)}, {}}),
                 AutomationError);
}

TEST(Picture, HandlesAreUniqueAndSizesReadInHiMetric) {
    auto a = Picture::solid(16, 16, 0x00FF00);
    auto b = Picture::solid(96, 1, 0x00FF00);
    EXPECT_NE(a->handle(), 0);
    EXPECT_NE(a->handle(), b->handle());
    EXPECT_EQ(a->pixel(15, 15), 0x00FF00u);
    EXPECT_EQ(a->invoke("Handle", InvokeKind::PropertyGet, {}), Variant::i4(a->handle()));
    EXPECT_EQ(a->invoke("Width", InvokeKind::PropertyGet, {}), Variant::i4(423)); // 423.33
    EXPECT_EQ(b->invoke("width", InvokeKind::PropertyGet, {}), Variant::i4(2540));
    EXPECT_EQ(b->invoke("Height", InvokeKind::PropertyGet, {}), Variant::i4(26)); // 26.46
    EXPECT_EQ(toI4(b->invoke("Type", InvokeKind::PropertyGet, {})), 1);
}

TEST(PropertyBag, DefaultsKeysAndRemoval) {
    PropertyBag bag;
    EXPECT_EQ(bag.ReadProperty("Max", Variant::i2(32767)), Variant::i2(32767));

    bag.WriteProperty("Max", Variant::r8(100), Variant::i2(32767));
    EXPECT_EQ(bag.ReadProperty("MAX", Variant::i2(32767)), Variant::r8(100));
    bag.WriteProperty("max", Variant::r8(50), Variant::i2(32767));
    ASSERT_EQ(bag.size(), 1u);
    EXPECT_EQ(bag.entries().begin()->first, "Max"); // the spelling first written
    EXPECT_EQ(bag.ReadProperty("Max", Variant()), Variant::r8(50));

    // writing the default removes what an earlier write stored, whatever the number's type
    bag.WriteProperty("MAX", Variant::r8(32767), Variant::i2(32767));
    EXPECT_FALSE(bag.contains("Max"));

    bag.WriteProperty("Theme", Variant::i4(0), Variant::i2(0));
    bag.WriteProperty("Enabled", Variant::boolean(true), Variant::boolean(true));
    bag.WriteProperty("dFormat", Variant::string(u""), Variant::string(u""));
    EXPECT_EQ(bag.size(), 0u);
    bag.WriteProperty("dFormat", Variant::string(u"0"), Variant::string(u""));
    bag.WriteProperty("Theme", Variant::i4(2), Variant::i2(0));
    EXPECT_EQ(bag.size(), 2u);
}

TEST(PropertyBag, ValueEqualityFollowsTheHost) {
    auto font = std::make_shared<StdFont>();
    auto sameFont = std::make_shared<StdFont>();
    auto boldFont = std::make_shared<StdFont>();
    boldFont->SetBold(true);
    auto picture = Picture::solid(1, 1, 0);
    struct Case {
        Variant a, b;
        bool equal;
    };
    const Case cases[] = {
        {Variant::i2(1), Variant::r8(1.0), true},
        {Variant::boolean(true), Variant::i2(-1), true},
        {Variant::r4(0.5f), Variant::r8(0.5), true},
        {Variant::i4(1), Variant::string("1"), false},
        {Variant::string("a"), Variant::string("A"), false},
        {Variant::object(font), Variant::object(sameFont), true},
        {Variant::object(font), Variant::object(boldFont), false},
        {Variant::object(picture), Variant::object(Picture::solid(1, 1, 0)), false},
        {Variant::object(picture), Variant::object(picture), true},
        {Variant::object(nullptr), Variant::object(nullptr), true},
        {Variant::object(nullptr), Variant(), false},
        {Variant::object(nullptr), Variant::i2(0), false},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bagValuesEqual(cases[i].a, cases[i].b), cases[i].equal);
        EXPECT_EQ(bagValuesEqual(cases[i].b, cases[i].a), cases[i].equal);
    }
}
