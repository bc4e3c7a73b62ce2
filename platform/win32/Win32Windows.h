// What the Windows host's windows share: the window classes, the handler behind each window, the
// mapping between our 32-bit window numbers and real handles, and the surfaces to present.
// Included only by the host's own sources, after the platform headers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "tavrin/platform/Host.h"

namespace tavrin::win32 {

class Win32Services;
class Win32Surface;

inline HWND realWindow(int32_t hwnd) {
    return reinterpret_cast<HWND>(static_cast<intptr_t>(hwnd));
}
inline int32_t windowNumber(HWND hwnd) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(hwnd)); // window handles fit 32 bits
}

// The object behind one of our windows; its messages arrive here.
class WindowHandler {
  public:
    virtual ~WindowHandler() = default;
    virtual LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
};

extern const wchar_t* const kControlClass; // a control's own window and a child control's
extern const wchar_t* const kPictureClass; // picture boxes: double clicks from the system
extern const wchar_t* const kFrameClass;   // top-level windows: forms and the host's frame

// Creates a window whose messages go to handler.
HWND createWindow(const wchar_t* className, const wchar_t* title, DWORD style, DWORD exStyle, int x, int y,
                  int w, int h, HWND parent, WindowHandler* handler);

// Surfaces whose pixels are copied to their windows after every message.
void addPresented(HWND hwnd, Win32Surface* surface);
void removePresented(HWND hwnd);
void presentAll();

// While a popup menu is tracked: the services know it is open, and a host with a clock of its own
// (Win32Services::modalTurn set) answers it from the idle turns of the menu's loop.
class MenuTracking {
  public:
    MenuTracking(Win32Services& services, platform::Menu& menu);
    ~MenuTracking();
    MenuTracking(const MenuTracking&) = delete;
    MenuTracking& operator=(const MenuTracking&) = delete;
    std::optional<int16_t> answer() const; // the entry the host chose, if it chose one
    void close();                          // ends the menu's loop

  private:
    static void CALLBACK turn(HWND, UINT, UINT_PTR, DWORD);
    Win32Services& services_;
    platform::Menu* previous_ = nullptr;
    MenuTracking* previousTracking_ = nullptr;
    UINT_PTR timer_ = 0;
    bool inTurn_ = false, closing_ = false;
};

// The shift mask (1 Shift, 2 Ctrl, 4 Alt) of the keys held now.
int16_t shiftState();

} // namespace tavrin::win32
