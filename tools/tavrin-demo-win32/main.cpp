// tavrin-demo.exe: the live demo as a native Windows window. Click, drag beyond the edges (the
// list scrolls), right click for the selection menu, double click to edit (Enter stores), T theme,
// S selection style, A about box, Esc quit.
//
//   tavrin-demo.exe [--script-input] [--screenshot FILE.png]
// --script-input plays a user's session through the system's own input queue (SendInput): a
// click, a drag below the list, the menu, a double click and an edit, the theme and style keys;
// then it checks what the list made of it and exits (status 1 when something did not happen).
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "control/TavrinAccess.h"
#include "platform/win32/Win32Host.h"
#include "platform/win32/Win32Png.h"
#include "tavrin/Tavrin.h"

#include <windows.h> // last: its macros share names with the platform's constants

namespace {

using namespace tavrin;

const char16_t* const kFruit[] = {u"Apple",      u"Apricot",   u"Avocado", u"Banana",     u"Bilberry",
                                  u"Blackberry", u"Blueberry", u"Cherry",  u"Clementine", u"Cloudberry",
                                  u"Cranberry",  u"Damson",    u"Date",    u"Elderberry", u"Fig",
                                  u"Gooseberry", u"Grape",     u"Guava",   u"Kiwi",       u"Lemon"};
const char16_t* const kKinds[] = {u"", u" jam", u" pie", u" juice", u" tart"};

void fill(Tavrin& l) {
    l.SetItemHeightAuto(false);
    l.SetItemHeight(22);
    l.SetBackSelectedG1(0xC56A31);
    l.SetBackSelectedG2(0xFFFFFF);
    l.SetBoxBorder(0xC56A31);
    l.SetSelectModeStyle(SelectModeStyleCts::Gradient_H);
    for (const char16_t* fruit : kFruit)
        for (const char16_t* kind : kKinds)
            l.AddItem(Variant::string(std::u16string(fruit) + kind));
    l.SetSelectMode(SelectModeCts::Multiple);
    l.SetShowMenu(true);
    l.SetListIndex(0);
}

// ---- the scripted user ---------------------------------------------------------------------------

void sendMouse(DWORD flags, int x, int y) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65535) / (::GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = (y * 65535) / (::GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(in));
}

void sendKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof(INPUT));
}

struct Script {
    Tavrin* list = nullptr;
    HWND surface = nullptr; // the list's picture box
    int step = 0;
    int16_t topAfterDrag = 0, selectedAfterMenu = 0, edited = -1;
    std::u16string screenshot;
    void* frame = nullptr;

    POINT rowCentre(int row) const {
        RECT r{};
        ::GetWindowRect(surface, &r);
        return {r.left + 40, r.top + row * 22 + 11};
    }
    POINT below() const {
        RECT r{};
        ::GetWindowRect(surface, &r);
        return {r.left + 40, r.bottom + 30};
    }

    // One step per tick; the ticks arrive inside the list's own loops too (its drag loop, the menu).
    void tick() {
        const POINT row2 = rowCentre(2), row4 = rowCentre(4), row1 = rowCentre(1), out = below();
        switch (step++) {
        case 0:
            sendMouse(0, row2.x, row2.y);
            break;
        case 1:
            sendMouse(MOUSEEVENTF_LEFTDOWN, row2.x, row2.y);
            break;
        case 2:
            sendMouse(MOUSEEVENTF_LEFTUP, row2.x, row2.y);
            break;
        case 3:
            sendMouse(0, row4.x, row4.y);
            break;
        case 4:
            sendMouse(MOUSEEVENTF_LEFTDOWN, row4.x, row4.y);
            break;
        case 5:
            sendMouse(0, out.x, out.y);
            break; // held below the list: it scrolls on its own
        case 12:
            sendMouse(MOUSEEVENTF_LEFTUP, out.x, out.y);
            break;
        case 13:
            topAfterDrag = list->TopIndex();
            break;
        case 14:
            sendMouse(MOUSEEVENTF_RIGHTDOWN, row1.x, row1.y);
            break;
        case 15:
            sendMouse(MOUSEEVENTF_RIGHTUP, row1.x, row1.y);
            break;
        case 17:
            sendKey(VK_DOWN);
            break; // in the open menu: its first entry
        case 18:
            sendKey(VK_RETURN);
            break;
        case 19:
            selectedAfterMenu = list->SelectedCount();
            break;
        case 20:
            edited = list->TopIndex() + 1;
            sendMouse(MOUSEEVENTF_LEFTDOWN, row1.x, row1.y);
            sendMouse(MOUSEEVENTF_LEFTUP, row1.x, row1.y);
            sendMouse(MOUSEEVENTF_LEFTDOWN, row1.x, row1.y);
            sendMouse(MOUSEEVENTF_LEFTUP, row1.x, row1.y);
            break;
        case 22:
            sendKey('Z');
            break;
        case 23:
            sendKey(VK_RETURN);
            break;
        case 25:
            sendKey('T');
            break;
        case 26:
            sendKey('S');
            break;
        case 28:
            if (!screenshot.empty() && !win32::captureWindowPng(frame, screenshot))
                std::fprintf(stderr, "could not write the screenshot\n");
            break;
        case 29:
            ::PostQuitMessage(0);
            break;
        default:
            break;
        }
    }
};

Script* gScript = nullptr;
void CALLBACK scriptTick(HWND, UINT, UINT_PTR, DWORD) {
    if (gScript) gScript->tick();
}

} // namespace

int main(int argc, char** argv) {
    bool scripted = false;
    std::u16string screenshot;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--script-input")
            scripted = true;
        else if (a == "--screenshot" && i + 1 < argc) {
            for (const char* c = argv[++i]; *c; ++c)
                screenshot += static_cast<char16_t>(static_cast<unsigned char>(*c));
        } else {
            std::fprintf(stderr, "usage: tavrin-demo [--script-input] [--screenshot FILE.png]\n");
            return 2;
        }
    }

    win32::Win32Services services;
    win32::Win32Site site(services, u"Tavrin", 260, 286, nullptr, u"Tavrin demo");
    auto list = std::make_unique<Tavrin>(site);
    site.onEvent = [&](std::string_view name, int32_t, std::vector<Variant>&) {
        if (name == "DblClick") list->StartEdit();
    };
    site.onShortcut = [&](int16_t key, int16_t shift) {
        if (shift != 0) return false;
        switch (key) {
        case 'T':
            list->SetTheme(static_cast<ctsListThemes>((static_cast<int32_t>(list->Theme()) + 1) % 3));
            return true;
        case 'S':
            list->SetSelectModeStyle(
                static_cast<SelectModeStyleCts>((static_cast<int32_t>(list->SelectModeStyle()) + 1) % 7));
            return true;
        case 'A':
            list->About();
            return true;
        case VK_ESCAPE:
            ::PostQuitMessage(0);
            return true;
        default:
            return false;
        }
    };
    list->InitProperties();
    site.resizeClient(260, 286);
    fill(*list);
    site.show();
    TavrinAccess::iUC(*list).SetFocus();

    Script script;
    if (scripted) {
        script.list = list.get();
        script.surface = reinterpret_cast<HWND>(static_cast<intptr_t>(TavrinAccess::iUC(*list).hWnd()));
        script.screenshot = screenshot;
        script.frame = site.frameWindow();
        gScript = &script;
        ::SetTimer(nullptr, 0, 150, scriptTick);
    } else if (!screenshot.empty()) {
        services.DoEvents();
        win32::captureWindowPng(site.frameWindow(), screenshot);
    }
    services.run();
    gScript = nullptr;

    int status = 0;
    if (scripted) {
        const int16_t current = list->ListIndex();
        const std::u16string edited = script.edited >= 0 ? list->ItemText(script.edited) : u"";
        std::printf("current %d, selected %d after the menu, top after the drag %d, theme %d, style %d, "
                    "edited row \"%s\"\n",
                    current, script.selectedAfterMenu, script.topAfterDrag, static_cast<int>(list->Theme()),
                    static_cast<int>(list->SelectModeStyle()),
                    std::string(edited.begin(), edited.end()).c_str());
        auto expect = [&](bool ok, const char* what) {
            if (!ok) std::printf("did not happen: %s\n", what), status = 1;
        };
        expect(script.topAfterDrag > 0, "the drag below the list scrolled it");
        expect(script.selectedAfterMenu == list->ListCount(), "the menu's first entry selected every item");
        expect(edited == u"z" || edited == u"Z", "the double click edited the row");
        expect(list->Theme() == ctsListThemes::XPSilver, "T changed the theme");
        expect(list->SelectModeStyle() == SelectModeStyleCts::Box, "S changed the selection style");
    }
    list->Terminate();
    list.reset();
    return status;
}
