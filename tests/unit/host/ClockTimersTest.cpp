// The virtual clock, host timers, window timers and the input pump.
#include "HostFixture.h"

namespace tavrin::software::testing {
namespace {

using TimerTest = HostTest;

TEST_F(TimerTest, ClockStartsAt100000AndDoEventsAddsOneMillisecond) {
    Desktop fresh;
    EXPECT_EQ(fresh.GetTickCount(), 100000u);
    fresh.DoEvents();
    fresh.DoEvents();
    EXPECT_EQ(fresh.GetTickCount(), 100002u);
    fresh.wait(250);
    EXPECT_EQ(fresh.GetTickCount(), 100252u);
}

TEST_F(TimerTest, WaitFiresTimersInTimeOrderAtTheirExactDueTimes) {
    auto fast = site->createTimer(), slow = site->createTimer(), tie = site->createTimer();
    std::vector<std::pair<std::string, uint32_t>> fired;
    fast->Tick = [&] { fired.push_back({"fast", desktop.GetTickCount()}); };
    slow->Tick = [&] { fired.push_back({"slow", desktop.GetTickCount()}); };
    tie->Tick = [&] { fired.push_back({"tie", desktop.GetTickCount()}); };
    slow->SetInterval(70);
    fast->SetInterval(30);
    tie->SetInterval(60);
    slow->SetEnabled(true);
    fast->SetEnabled(true);
    tie->SetEnabled(true);
    desktop.wait(140);
    // At 100060 "tie" and "fast" are both due: the one created first ("fast") fires first.
    std::vector<std::pair<std::string, uint32_t>> expected{
        {"fast", 100030}, {"fast", 100060}, {"tie", 100060}, {"slow", 100070},
        {"fast", 100090}, {"fast", 100120}, {"tie", 100120}, {"slow", 100140}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(desktop.GetTickCount(), 100140u);
}

TEST_F(TimerTest, EnablingTwiceDoesNotRestartButAnIntervalChangeDoes) {
    auto timer = site->createTimer();
    std::vector<uint32_t> ticks;
    timer->Tick = [&] { ticks.push_back(desktop.GetTickCount()); };
    timer->SetInterval(100);
    timer->SetEnabled(true);
    desktop.wait(60);
    timer->SetEnabled(true); // already enabled: still due at 100100
    timer->SetInterval(100); // the same interval: no change
    desktop.wait(50);
    ASSERT_EQ(ticks, std::vector<uint32_t>{100100});
    timer->SetInterval(80); // at 100110: restarts, due at 100190
    desktop.wait(100);
    EXPECT_EQ(ticks, (std::vector<uint32_t>{100100, 100190}));
}

TEST_F(TimerTest, ZeroIntervalAndDisabledTimersNeverFire) {
    auto zero = site->createTimer(), off = site->createTimer();
    int ticks = 0;
    zero->Tick = off->Tick = [&] { ++ticks; };
    zero->SetEnabled(true);
    off->SetInterval(10);
    off->SetEnabled(true);
    off->SetEnabled(false);
    desktop.wait(1000);
    EXPECT_EQ(ticks, 0);
    EXPECT_THROW(zero->SetInterval(-1), AutomationError);
}

TEST_F(TimerTest, TickHandlerLoopingWithDoEventsLetsOtherTimersFireButNotItself) {
    auto looping = site->createTimer(), other = site->createTimer();
    std::vector<std::string> order;
    looping->SetInterval(10);
    other->SetInterval(5);
    looping->Tick = [&] {
        order.push_back("loop@" + std::to_string(desktop.GetTickCount() - 100000));
        uint32_t until = desktop.GetTickCount() + 12;
        while (desktop.GetTickCount() < until)
            desktop.DoEvents();
    };
    other->Tick = [&] { order.push_back("other@" + std::to_string(desktop.GetTickCount() - 100000)); };
    looping->SetEnabled(true);
    other->SetEnabled(true);
    desktop.wait(10);
    // "loop" (created first) wins the tie at 10 and runs to 22; "other", overdue, ticks at the
    // loop's first DoEvents and every 5 ms from there; "loop" is due again at 20 but waits for
    // its own handler to return, and fires at the next chance.
    EXPECT_EQ(order, (std::vector<std::string>{"other@5", "loop@10", "other@11", "other@16", "other@21"}));
    looping->Tick = [&] { order.push_back("loop@" + std::to_string(desktop.GetTickCount() - 100000)); };
    desktop.DoEvents();
    EXPECT_EQ(order.back(), "loop@23");
}

TEST_F(TimerTest, TimerDestroyedInsideItsOwnTickIsSafe) {
    auto timer = site->createTimer();
    timer->SetInterval(10);
    timer->Tick = [&] { timer.reset(); };
    timer->SetEnabled(true);
    desktop.wait(50);
    EXPECT_EQ(timer, nullptr);
}

TEST_F(TimerTest, WindowTimersArriveAsWmTimerThroughTheHooksUntilKilled) {
    RecordingClient client(log);
    desktop.subclassServer().HookMessage(&client, sbWnd(), platform::WM_TIMER);
    EXPECT_EQ(desktop.SetTimer(sbWnd(), 1, 10), 1);
    desktop.wait(35);
    EXPECT_EQ(log, (std::vector<std::string>{"TIMER 1 0,0", "TIMER 1 0,0", "TIMER 1 0,0"}));
    EXPECT_TRUE(desktop.KillTimer(sbWnd(), 1));
    EXPECT_FALSE(desktop.KillTimer(sbWnd(), 1));
    desktop.wait(100);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(desktop.SetTimer(0x7FFF, 1, 10), 0) << "unknown window";
}

TEST_F(TimerTest, UnhookedClientGetsNothingAndUnknownWindowRaises5) {
    RecordingClient client(log);
    auto& server = desktop.subclassServer();
    server.HookMessage(&client, sbWnd(), platform::WM_TIMER);
    server.UnhookMessage(&client, sbWnd(), platform::WM_TIMER);
    desktop.SetTimer(sbWnd(), 1, 10);
    desktop.wait(30);
    EXPECT_TRUE(log.empty());
    try {
        server.HookMessage(&client, 0x7FFF0, platform::WM_TIMER);
        FAIL() << "expected error 5";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST_F(TimerTest, DoEventsCallsThePumpUnlessAWaitDeferredIt) {
    int pumped = 0;
    desktop.setInputPump([&] {
        ++pumped;
        return true;
    });
    desktop.DoEvents();
    EXPECT_EQ(pumped, 1);
    desktop.deferPumpFor(3);
    desktop.DoEvents(); // +1
    desktop.DoEvents(); // +2
    EXPECT_EQ(pumped, 1);
    desktop.DoEvents(); // +3: the deferral has run out
    EXPECT_EQ(pumped, 2);
}

TEST_F(TimerTest, TimerTickLoopingInsideAWaitDoesNotRunThePumpBeforeTheWaitEnds) {
    auto timer = site->createTimer();
    std::vector<uint32_t> pumpedAt;
    desktop.setInputPump([&] {
        pumpedAt.push_back(desktop.GetTickCount());
        return true;
    });
    timer->SetInterval(10);
    timer->Tick = [&] {
        timer->SetEnabled(false);
        for (int i = 0; i < 30; ++i)
            desktop.DoEvents();
    };
    timer->SetEnabled(true);
    desktop.wait(20); // the tick at 100010 loops to 100040; the wait ended at 100020
    ASSERT_FALSE(pumpedAt.empty());
    EXPECT_EQ(pumpedAt.front(), 100020u);
}

} // namespace
} // namespace tavrin::software::testing
