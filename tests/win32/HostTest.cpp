// The Windows host's services with the control on them: paint events from the system, the
// subclassing server and its timers, host timers, the EDIT box's KeyPress, and the list drawing
// through real GDI without leaking a brush or pen.
#include <gtest/gtest.h>

#include "control/TavrinAccess.h"
#include "platform/win32/Win32Gdi.h"
#include "platform/win32/Win32Host.h"
#include "tavrin/Tavrin.h"
#include "tavrin/automation/AutomationError.h"

#include <windows.h> // last: its macros share names with the platform's constants

namespace tavrin::win32 {
namespace {

// Runs the message loop until `done` or about two seconds have passed.
template <class Done> bool pumpUntil(Win32Services& services, Done done) {
    for (int i = 0; i < 400 && !done(); ++i) {
        services.DoEvents();
        ::Sleep(5);
    }
    return done();
}

class Win32HostTest : public ::testing::Test {
  protected:
    Win32Services services;
    Win32Site site{services, u"Tavrin", 200, 150};
};

struct Recorder : platform::ISubclass {
    std::vector<int32_t> messages;
    int32_t ISubclass_MsgResponse() override { return 0; }
    void ISubclass_SetMsgResponse(int32_t) override {}
    int32_t ISubclass_WindowProc(int32_t, int32_t msg, int32_t, int32_t) override {
        messages.push_back(msg);
        return 0;
    }
};

TEST_F(Win32HostTest, SubclassServerDeliversHookedMessagesAndWindowTimers) {
    Recorder client;
    const platform::HWND hwnd = site.UserControl().hWnd();
    platform::SubclassServer& server = services.subclassServer();
    server.HookMessage(&client, hwnd, 0x113);
    EXPECT_NE(services.SetTimer(hwnd, 7, 10), 0);
    EXPECT_TRUE(pumpUntil(services, [&] { return !client.messages.empty(); }));
    EXPECT_EQ(client.messages.front(), 0x113);
    EXPECT_TRUE(services.KillTimer(hwnd, 7));
    server.UnhookMessage(&client, hwnd, 0x113);
    client.messages.clear();
    ::SendMessageW(reinterpret_cast<HWND>(static_cast<intptr_t>(hwnd)), WM_TIMER, 7, 0);
    EXPECT_TRUE(client.messages.empty());
    try {
        server.HookMessage(&client, 0x7FFF0000, 0x200);
        ADD_FAILURE() << "no error for a window that does not exist";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 5);
    }
}

TEST_F(Win32HostTest, HostTimersTickOnlyWhileEnabledWithAnInterval) {
    auto timer = site.createTimer();
    int ticks = 0;
    timer->Tick = [&] { ++ticks; };
    timer->SetEnabled(true); // interval 0: never fires
    services.DoEvents();
    ::Sleep(30);
    services.DoEvents();
    EXPECT_EQ(ticks, 0);
    timer->SetInterval(10);
    EXPECT_TRUE(pumpUntil(services, [&] { return ticks > 0; }));
    timer->SetEnabled(false);
    services.DoEvents();
    const int stopped = ticks;
    ::Sleep(40);
    services.DoEvents();
    EXPECT_EQ(ticks, stopped);
}

TEST_F(Win32HostTest, TextBoxKeyPressCanSwallowOrChangeTheCharacter) {
    auto box = site.createTextBox();
    box->KeyPress = [](int16_t& key) {
        if (key == 'x') key = 0;
        if (key == 'a') key = 'b';
    };
    HWND edit = reinterpret_cast<HWND>(static_cast<intptr_t>(box->hWnd()));
    ::SendMessageW(edit, WM_CHAR, 'x', 0);
    ::SendMessageW(edit, WM_CHAR, 'a', 0);
    ::SendMessageW(edit, WM_CHAR, 'c', 0);
    EXPECT_EQ(box->Text(), u"bc");
    box->SetSelStart(0);
    box->SetSelLength(1);
    EXPECT_EQ(box->SelLength(), 1);
}

TEST_F(Win32HostTest, TheListPaintsThroughRealGdiWhenTheSystemAsksAndLeaksNothing) {
    int paints = 0;
    auto list = std::make_unique<Tavrin>(site);
    list->InitProperties();
    site.resizeClient(200, 150);
    for (const char* text : {"Apple", "Banana", "Cherry"})
        list->AddItem(Variant::string(text));
    list->SetListIndex(1);
    site.show();
    // The system's own paint of the newly shown window reaches the list's iUC_Paint.
    auto& box = TavrinAccess::iUC(*list);
    auto paint = box.Paint;
    box.Paint = [&] {
        ++paints;
        if (paint) paint();
    };
    ::InvalidateRect(reinterpret_cast<HWND>(static_cast<intptr_t>(box.hWnd())), nullptr, FALSE);
    EXPECT_TRUE(pumpUntil(services, [&] { return paints > 0; }));
    // The current row shows the selection colour (the system's highlight by default).
    const int32_t y = static_cast<int32_t>(TavrinAccess::rowHeight(*list) * 1.5);
    EXPECT_EQ(box.Point(box.ScaleWidth() - 30, y), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(services.gdi().liveObjects(), 0);
    list->Terminate();
}

} // namespace
} // namespace tavrin::win32
