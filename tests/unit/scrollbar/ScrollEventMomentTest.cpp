// What the container sees of the bar while it handles each event: Change comes after the new Value
// and before the thumb moves or anything is repainted; BarMouseMove after the drag step; the state
// set after the step (direction, pressed flag, pressed thumb picture) is not there yet.
#include "BarFixture.h"
#include "scrollbar/XPVScrollAccess.h"

namespace tavrin::test {
namespace {

struct Seen {
    double value = -1, barTop = -1;
    int32_t paints = -1, direction = -1, interval = -1;
    bool pressed = true;
    std::string curUp, curBar;
};

class EventMoment : public BarTest {
  protected:
    void SetUp() override { standardLayout(); } // thumb 605..1695 at Value 50, 7 twips per unit

    Seen seen;
    void watch(const char* event) {
        host.onEvent = [this, event](const std::string& name) {
            if (name != event) return;
            seen = {bar.Value(),
                    num("p_BarTop"),
                    host.uc.clsCount,
                    static_cast<int32_t>(num("p_Direction")),
                    XPVScrollAccess::tScrl(bar).Interval(),
                    flag("p_Pressed"),
                    text("p_CurUp"),
                    text("p_CurBar")};
        };
    }
};

TEST_F(EventMoment, ChangeOfAPressComesBeforeTheThumbMovesAndBeforeThePressIsRecorded) {
    struct Case {
        double y;
        double value;
        const char *curUp, *curBar;
    } cases[] = {
        {100, 49, "VS_UPPRESS", "VS_BAR"}, // the button shows its pressed picture before the step
        {2000, 99, "VS_UP", "VS_BAR"},     // the thumb shows it only after the track's step
    };
    for (const auto& c : cases) {
        bar.SetValue(50);
        host.moveTo(c.y);
        const int32_t paintsBefore = host.uc.clsCount;
        watch("Change");
        host.press(c.y);
        EXPECT_EQ(seen.value, c.value) << c.y;
        EXPECT_EQ(seen.barTop, 605) << "the thumb has not moved yet";
        EXPECT_EQ(seen.paints, paintsBefore) << "nothing repainted yet";
        EXPECT_FALSE(seen.pressed);
        EXPECT_EQ(seen.curUp, c.curUp);
        EXPECT_EQ(seen.curBar, c.curBar);
        EXPECT_EQ(num("p_BarTop"), 255 + 7 * c.value) << "moved after the event";
        host.release(c.y);
    }
}

TEST_F(EventMoment, ChangeOfARepeatComesAfterTheIntervalIsShortened) {
    host.press(2900);
    watch("Change");
    host.advance(1000);
    EXPECT_EQ(seen.value, 52);
    EXPECT_EQ(seen.interval, 50);
    EXPECT_EQ(seen.barTop, 255 + 7 * 51) << "the thumb moves after the event";
    EXPECT_EQ(seen.direction, 1);
    host.release(2900);
}

TEST_F(EventMoment, BarMouseMoveComesAfterTheDragStep) {
    host.press(1000);
    watch("BarMouseMove");
    host.moveTo(1070); // 70 twips: 10 units
    EXPECT_EQ(seen.value, 60);
    EXPECT_EQ(seen.barTop, 675);
    EXPECT_TRUE(seen.pressed);
    EXPECT_EQ(seen.curBar, "VS_BAR_PRESS");
    host.release(1070);
}

} // namespace
} // namespace tavrin::test
