// The value model: range rules of the property writes, what they report, and reading through a
// format.
#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "BarFixture.h"

namespace tavrin::test {
namespace {

using Changed = std::vector<std::string>;

class ValueModel : public BarTest {
  protected:
    void SetUp() override {
        load();
        bar.SetMax(100);
        bar.SetValue(40);
        clearLogs();
    }
};

TEST_F(ValueModel, ValueWritesInsideTheRangeAreTakenOthersIgnoredSilently) {
    struct Case {
        double written, expected;
        bool reported;
    } cases[] = {{0, 0, true}, {100, 100, true}, {-1, 40, false}, {101, 40, false}};
    for (const auto& c : cases) {
        bar.SetValue(40);
        clearLogs();
        bar.SetValue(c.written);
        EXPECT_EQ(bar.Value(), c.expected) << c.written;
        EXPECT_EQ(host.changed, c.reported ? Changed{"Value"} : Changed{}) << c.written;
        EXPECT_TRUE(host.events.empty()) << "a property write is reported by no event";
    }
}

TEST_F(ValueModel, MinAboveMaxAndMaxBelowMinAreClampedAndPullValueAlong) {
    bar.SetMin(150);
    EXPECT_EQ(bar.Min(), 100);
    EXPECT_EQ(bar.Value(), 100);
    bar.SetMin(0);
    bar.SetValue(10);
    bar.SetMax(-5);
    EXPECT_EQ(bar.Max(), 0);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(host.changed, (Changed{"Min", "Min", "Value", "Max"}));
    EXPECT_TRUE(host.events.empty());
}

TEST_F(ValueModel, StepsAreLimitedToTheWidthOfTheRange) {
    struct Case {
        double min, max, step;
        bool accepted;
    } cases[] = {{0, 100, 100, true}, {0, 100, 100.5, false}, {50, 50, 1, false},
                 {50, 50, 0, true},   {50, 50, -3, true},     {-10, 10, 20, true}};
    for (const auto& c : cases) {
        bar.SetMin(-1000);
        bar.SetMax(c.max);
        bar.SetMin(c.min);
        bar.SetSmallChange(7);
        bar.SetLargeChange(7);
        clearLogs();
        bar.SetSmallChange(c.step);
        bar.SetLargeChange(c.step);
        EXPECT_EQ(bar.SmallChange() == c.step, c.accepted) << c.min << ".." << c.max << " by " << c.step;
        EXPECT_EQ(bar.LargeChange() == c.step, c.accepted);
        EXPECT_EQ(host.changed, c.accepted ? (Changed{"SmallChange", "LargeChange"}) : Changed{});
    }
}

TEST_F(ValueModel, ThemeOutsideTheThreeSchemesIsIgnored) {
    for (int32_t theme : {3, -1})
        bar.SetTheme(theme);
    EXPECT_EQ(bar.Theme(), 0);
    EXPECT_TRUE(host.changed.empty());
    host.askedKeys.clear();
    bar.SetTheme(2);
    EXPECT_EQ(bar.Theme(), 2);
    EXPECT_EQ(host.askedKeys.size(), kThemePartCount);
    EXPECT_EQ(host.changed, Changed{"Theme"});
    EXPECT_EQ(text("p_CurBar"), "VS_BAR");
    EXPECT_EQ(utf8(host.uc.paints.front().key), "VS_BACK(2)") << "a theme change repaints";
}

TEST_F(ValueModel, ReadingThroughAFormatRoundsWithoutChangingTheStoredValue) {
    bar.SetValue(12.26);
    EXPECT_EQ(bar.Value(), 12.26) << "no format: the stored value exactly";
    bar.SetdFormat(u"0.0");
    EXPECT_DOUBLE_EQ(bar.Value(), 12.3);
    bar.SetdFormat(u"0");
    EXPECT_EQ(bar.Value(), 12);
    bar.SetdFormat(u"");
    EXPECT_EQ(bar.Value(), 12.26);
    EXPECT_EQ(host.changed, (Changed{"Value", "dFormat", "dFormat", "dFormat"}));
}

TEST_F(ValueModel, AFormatThatGivesNoNumberFailsEveryRead) {
    bar.SetdFormat(u"0 \"apples\"");
    try {
        (void)bar.Value();
        FAIL() << "expected a type mismatch";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), err::TypeMismatch);
    }
}

TEST_F(ValueModel, EnabledIsTheSurfacesOwnAndDoesNotRepaint) {
    const int32_t paintsBefore = host.uc.clsCount;
    bar.SetEnabled(false);
    EXPECT_FALSE(host.uc.Enabled());
    EXPECT_FALSE(bar.Enabled());
    EXPECT_EQ(host.uc.clsCount, paintsBefore);
    EXPECT_EQ(host.changed, Changed{"Enabled"});
}

TEST_F(ValueModel, ButtonStepsClampAtTheEndsAndReportOnlyARealChange) {
    struct Case {
        double start;
        double y; // up button 100, down button 2900
        double expected;
        size_t changes;
    } cases[] = {
        {0, 100, 0, 0}, {0.5, 100, 0, 1}, {40, 100, 39, 1}, {99.5, 2900, 100, 1}, {100, 2900, 100, 0}};
    for (const auto& c : cases) {
        bar.SetValue(c.start);
        host.events.clear();
        host.press(c.y);
        host.release(c.y);
        EXPECT_EQ(bar.Value(), c.expected) << c.start;
        EXPECT_EQ(std::count(host.events.begin(), host.events.end(), "Change"), static_cast<long>(c.changes));
    }
}

// A form file cannot keep an infinity or NaN, so no write takes one: each overflows with nothing
// changed and nothing reported, whether it comes through the interface or a direct call.
TEST_F(ValueModel, NonFiniteWritesOverflowAndChangeNothing) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::pair<const char*, void (XPVScroll::*)(double)> writes[] = {
        {"Max", &XPVScroll::SetMax},
        {"Min", &XPVScroll::SetMin},
        {"Value", &XPVScroll::SetValue},
        {"SmallChange", &XPVScroll::SetSmallChange},
        {"LargeChange", &XPVScroll::SetLargeChange}};
    for (const auto& [name, set] : writes) {
        for (double v : {inf, -inf, double(NAN)}) {
            for (bool viaInterface : {false, true}) {
                try {
                    if (viaInterface)
                        bar.invoke(name, InvokeKind::PropertyLet, {{Variant::r8(v)}, {}});
                    else
                        (bar.*set)(v);
                    ADD_FAILURE() << name << " took " << v;
                } catch (const AutomationError& e) {
                    EXPECT_EQ(e.number(), err::Overflow) << name;
                }
            }
        }
        EXPECT_EQ(bar.Max(), 100) << name;
        EXPECT_EQ(bar.Min(), 0) << name;
        EXPECT_EQ(bar.Value(), 40) << name;
        EXPECT_EQ(bar.SmallChange(), 1) << name;
        EXPECT_EQ(bar.LargeChange(), 1) << name;
    }
    EXPECT_TRUE(host.changed.empty());
}

TEST_F(ValueModel, DispatchReachesThePropertiesByNameAndMemberId) {
    bar.invoke("value", InvokeKind::PropertyLet, {{Variant::i2(70)}, {}});
    EXPECT_EQ(bar.Value(), 70);
    const Variant max = bar.invoke(XPVScroll::kDispIdBase + 2, InvokeKind::PropertyGet, {});
    EXPECT_EQ(toR8(max), 100);
    EXPECT_EQ(toI4(bar.invoke("hWnd", InvokeKind::PropertyGet, {})), 42);
    EXPECT_THROW(bar.invoke("hWnd", InvokeKind::PropertyLet, {{Variant::i4(1)}, {}}), AutomationError)
        << "hWnd is read-only";
}

} // namespace
} // namespace tavrin::test
