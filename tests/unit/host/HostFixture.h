// Shared set-up of the desktop tests: a desktop, one list-like control on it with a picture box,
// a text box and a child scroll bar window, and an event log.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/software/Desktop.h"

namespace tavrin::software::testing {

// A subclassing client that logs the messages it gets as "msg wParam x,y".
class RecordingClient : public platform::ISubclass {
  public:
    explicit RecordingClient(std::vector<std::string>& log) : log_(log) {}
    int32_t ISubclass_MsgResponse() override { return 2; }
    void ISubclass_SetMsgResponse(int32_t) override {}
    int32_t ISubclass_WindowProc(int32_t, int32_t msg, int32_t wParam, int32_t lParam) override {
        log_.push_back(name(msg) + " " + std::to_string(wParam) + " " + std::to_string(lParam & 0xFFFF) +
                       "," + std::to_string((lParam >> 16) & 0xFFFF));
        if (onMessage) onMessage(msg);
        return 0;
    }
    std::function<void(int32_t)> onMessage;

    static std::string name(int32_t msg) {
        switch (msg) {
        case platform::WM_MOUSEMOVE:
            return "MOVE";
        case platform::WM_LBUTTONDOWN:
            return "LDOWN";
        case platform::WM_LBUTTONUP:
            return "LUP";
        case platform::WM_LBUTTONDBLCLK:
            return "LDBL";
        case platform::WM_TIMER:
            return "TIMER";
        default:
            return "MSG" + std::to_string(msg);
        }
    }

  private:
    std::vector<std::string>& log_;
};

class HostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        site = desktop.createControlSite(u"Tavrin", 200, 160);
        iUC = site->createPictureBox();
        iUC->Move(2, 2, 180, 156);
        sbSite = site->createChildSite(u"sbUC");
        sbSite->extender().Move(182, 2, 16, 156);
        txtEdit = site->createTextBox();
        wire();
        desktop.flushPaints();
        log.clear();
    }

    void wire() {
        auto mouse = [this](const char* what) {
            return [this, what](int16_t& b, int16_t&, float& x, float& y) {
                log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(int(x)) +
                              "," + std::to_string(int(y)));
            };
        };
        iUC->MouseDown = mouse("MouseDown");
        iUC->MouseMove = mouse("MouseMove");
        iUC->MouseUp = mouse("MouseUp");
        iUC->Click = [this] { log.push_back("Click"); };
        iUC->DblClick = [this] { log.push_back("DblClick"); };
        iUC->GotFocus = [this] { log.push_back("iUC.GotFocus"); };
        iUC->LostFocus = [this] { log.push_back("iUC.LostFocus"); };
        iUC->Paint = [this] { log.push_back("Paint"); };
        txtEdit->GotFocus = [this] { log.push_back("txt.GotFocus"); };
        txtEdit->LostFocus = [this] { log.push_back("txt.LostFocus"); };
        site->EnterFocus = [this] { log.push_back("EnterFocus"); };
        site->ExitFocus = [this] { log.push_back("ExitFocus"); };
    }

    void openEdit(const std::u16string& text) {
        txtEdit->Move(10, 20, 100, 16);
        txtEdit->SetText(text);
        txtEdit->SetSelStart(0);
        txtEdit->SetSelLength(static_cast<int32_t>(text.size()));
        txtEdit->SetVisible(true);
        txtEdit->SetFocus();
    }

    platform::HWND iUCWnd() const { return iUC->hWnd(); }
    platform::HWND sbWnd() { return sbSite->extender().hWnd(); }

    Desktop desktop;
    std::unique_ptr<SoftwareSite> site;
    std::unique_ptr<platform::PictureBox> iUC;
    std::unique_ptr<platform::ControlSite::ChildSite> sbSite;
    std::unique_ptr<platform::TextBox> txtEdit;
    std::vector<std::string> log;
};

} // namespace tavrin::software::testing
