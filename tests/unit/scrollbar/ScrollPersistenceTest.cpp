// Loading, saving and release: what goes into the bag, what is asked of the picture store, when
// the window messages are attached, and the message boxes of failures.
#include <random>

#include "BarFixture.h"
#include "scrollbar/ScrollPropertyTable.h"

namespace tavrin::test {
namespace {

using Keys = std::vector<std::string>;

class Persistence : public BarTest {
  protected:
    std::vector<std::string> askedKeys() const {
        std::vector<std::string> keys;
        for (const auto& key : host.askedKeys)
            keys.push_back(utf8(key));
        return keys;
    }
};

TEST_F(Persistence, SavingAtTheDefaultsLeavesTheBagEmpty) {
    bar.InitProperties();
    platform::PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.size(), 0u);
}

TEST_F(Persistence, EveryPropertySurvivesARoundTrip) {
    load();
    bar.SetMax(500);
    bar.SetMin(-20);
    bar.SetValue(123.5);
    bar.SetSmallChange(3);
    bar.SetLargeChange(40);
    bar.SetTheme(2);
    bar.SetdFormat(u"0.0");
    bar.SetEnabled(false);
    platform::PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.size(), 8u);

    FakeHost otherHost;
    XPVScroll copy(otherHost);
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Max(), 500);
    EXPECT_EQ(copy.Min(), -20);
    EXPECT_DOUBLE_EQ(copy.Value(), 123.5);
    EXPECT_EQ(copy.SmallChange(), 3);
    EXPECT_EQ(copy.LargeChange(), 40);
    EXPECT_EQ(copy.Theme(), 2);
    EXPECT_EQ(copy.dFormat(), u"0.0");
    EXPECT_FALSE(copy.Enabled());
    EXPECT_TRUE(otherHost.changed.empty()) << "loading reports nothing";
}

// Each default read, saved again, must be the default it is written with.
TEST_F(Persistence, EveryDefaultReadIsTheDefaultWritten) {
    load();
    platform::PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.size(), 0u);
}

// Every saved property of the table, stored with a random value, comes back from the bag as it was.
TEST_F(Persistence, ARoundTripOfRandomValuesGivesThemBack) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        FakeHost savedHost, loadedHost;
        XPVScroll saved(savedHost), loaded(loadedHost);
        for (const XPVScroll::PropertyRow& row : XPVScroll::propertyTable()) {
            if (!row.saved) continue;
            Variant value = Variant::r8(static_cast<int32_t>(random() % 2000) - 1000 + (random() % 2) * 0.5);
            if (row.defaultValue.type() == VarType::Bool) value = Variant::boolean(random() % 2 == 0);
            if (row.defaultValue.type() == VarType::String)
                value = Variant::string(random() % 2 ? u"0.00" : u"#");
            if (std::string_view(row.name) == "Theme")
                value = Variant::i4(static_cast<int32_t>(random() % 3));
            row.store(saved, value);
        }
        platform::PropertyBag bag;
        saved.WriteProperties(bag);
        loaded.ReadProperties(bag);
        for (const XPVScroll::PropertyRow& row : XPVScroll::propertyTable()) {
            if (!row.saved) continue;
            EXPECT_TRUE(platform::bagValuesEqual(row.field(loaded), row.field(saved))) << row.name;
        }
    }
}

TEST_F(Persistence, AnEmptyBagGivesTheDefaults) {
    load();
    EXPECT_EQ(bar.Min(), 0);
    EXPECT_EQ(bar.Max(), 32767);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.SmallChange(), 1);
    EXPECT_EQ(bar.LargeChange(), 1);
    EXPECT_EQ(bar.Theme(), 0);
    EXPECT_TRUE(bar.dFormat().empty());
    EXPECT_TRUE(bar.Enabled());
}

TEST_F(Persistence, StoredValuesLoadUncheckedUntilTheNextRangeWrite) {
    platform::PropertyBag bag;
    bag.set("Value", Variant::r8(50));
    bag.set("max", Variant::i2(10)); // keys compare without regard to case
    load(bag);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.Max(), 10);
    bar.SetMax(10);
    EXPECT_EQ(bar.Value(), 10);
}

TEST_F(Persistence, ThePicturesAreAskedForInOrderAndAStoredThemeIsTakenAsItIs) {
    platform::PropertyBag bag;
    bag.set("Theme", Variant::i4(1));
    load(bag);
    EXPECT_EQ(askedKeys(), (Keys{"VS_UP(1)", "VS_UPHOT(1)", "VS_UPPRESS(1)", "VS_DOWN(1)", "VS_DOWNHOT(1)",
                                 "VS_DOWNPRESS(1)", "VS_BAR(1)", "VS_BAR_HOT(1)", "VS_BAR_PRESS(1)",
                                 "VS_TOP(1)", "VS_BOTTOM(1)", "VS_GRIPBAR(1)", "VS_BACK(1)"}));
    FakeHost otherHost;
    XPVScroll other(otherHost);
    bag.set("Theme", Variant::i4(5));
    other.ReadProperties(bag);
    EXPECT_EQ(other.Theme(), 5);
    ASSERT_EQ(otherHost.askedKeys.size(), 1u) << "the store fails at the first key and loading stops";
    EXPECT_EQ(utf8(otherHost.askedKeys[0]), "VS_UP(5)");
}

TEST_F(Persistence, AFailingPictureLeavesTheRestOfThePreviousTheme) {
    standardLayout();
    host.failingKeys.insert(u"VS_TOP(1)");
    bar.SetTheme(1);
    EXPECT_EQ(paintedKeys(), (Keys{"VS_BACK(0)", "VS_BAR(1)", "VS_GRIPBAR(0)", "VS_TOP(0)", "VS_BOTTOM(0)",
                                   "VS_UP(1)", "VS_DOWN(1)"}));
}

TEST_F(Persistence, OnlyALoadAtRunTimeAttachesToTheWindowMessages) {
    bar.InitProperties();
    EXPECT_TRUE(host.hooks.empty());
    host.userMode = false;
    load();
    EXPECT_TRUE(host.hooks.empty());
    EXPECT_FALSE(flag("p_Subclassed"));
    host.userMode = true;
    load();
    EXPECT_EQ(host.hooks.size(), 5u);
    load(); // attaching again detaches first
    EXPECT_EQ(host.hooks.size(), 5u);
    bar.Terminate();
    EXPECT_TRUE(host.hooks.empty());
    EXPECT_FALSE(flag("p_Subclassed"));
    EXPECT_EQ(text("p_CurUp"), "") << "the pictures are released";
}

TEST_F(Persistence, ADesignTimeBarNeverReactsToTheMouse) {
    host.userMode = false;
    load();
    const int32_t cls = host.uc.clsCount;
    host.moveTo(100);
    host.press(100);
    EXPECT_EQ(host.uc.clsCount, cls);
    EXPECT_FALSE(flag("p_Hot"));
}

TEST_F(Persistence, WithoutPicturesEveryHandledMessageShowsACriticalBox) {
    host.failingKeys.insert(u"*");
    load();
    host.moveTo(100);
    host.press(2900);
    host.release(2900);
    EXPECT_TRUE(flag("p_Hot")) << "state changed before the failure stays";
    EXPECT_EQ(bar.Value(), 0) << "the press failed at its picture, before its step";
    host.advance(10); // the cursor is inside: the leave check does nothing visible
    EXPECT_EQ(host.messageBoxes.size(), 3u);
    host.cursor.x = 500;
    host.advance(10); // the cursor left: restoring the pictures fails too
    ASSERT_EQ(host.messageBoxes.size(), 4u);
    for (const auto& box : host.messageBoxes)
        EXPECT_EQ(utf8(box), "err: ISubclass_WindowProc");
}

TEST_F(Persistence, AFailingDetachShowsItsBoxAndStaysAttached) {
    load();
    host.failUnhookAfter = 2;
    bar.Terminate();
    ASSERT_EQ(host.messageBoxes.size(), 1u);
    EXPECT_EQ(utf8(host.messageBoxes[0]), "err: pTerminate");
    EXPECT_TRUE(flag("p_Subclassed"));
    EXPECT_EQ(text("p_CurBar"), "") << "the pictures were released before the detach";
    host.failUnhookAfter = -1;
}

} // namespace
} // namespace tavrin::test
