// Running a window: headless, what is pending is delivered and the call returns; on the screen, an
// SDL window shows the form and feeds it the user's input until it is closed.
#include <cstdio>

#include "app/Hosted.h"
#include "tavrin/automation/Conversions.h"

#ifdef TAVRIN_HAVE_SDL
#include "platform/sdl/InputRouter.h"
#include "platform/sdl/LiveWindow.h"
#endif

namespace tavrin::app {

double screenScale() {
#ifdef TAVRIN_HAVE_SDL
    return sdl::LiveWindow::displayScale();
#else
    return 1.0;
#endif
}

namespace {

int runOnScreen(Window::Impl& impl) {
#ifdef TAVRIN_HAVE_SDL
    software::Desktop& desktop = impl.desktop;
    // The window's size in device pixels; a resize comes back in the form's pixels.
    const int32_t w = impl.px(impl.options.width), h = impl.px(impl.options.height);
    sdl::InputRouter router(desktop, desktop.form().hwnd(), w, h);
    sdl::LiveWindow window(desktop, router, w, h, utf8(impl.options.caption));
    window.setFrameLimit(impl.frameLimit);
    window.setSteppedClock(impl.steppedClock);
    // The window can be resized (anchored controls follow) and edits use the system clipboard.
    window.setResizable(true);
    window.onResize = [&](int32_t newW, int32_t newH) {
        impl.self.resize(roundToI4(newW / impl.scale), roundToI4(newH / impl.scale));
    };
    desktop.readClipboard = [] {
        char* text = SDL_GetClipboardText();
        std::u16string out = text ? utf16(text) : std::u16string();
        SDL_free(text);
        return out;
    };
    desktop.writeClipboard = [](const std::u16string& text) { SDL_SetClipboardText(utf8(text).c_str()); };
    window.afterFrame = [&](int32_t frame) {
        if (impl.self.onFrame) impl.self.onFrame(frame);
    };
    impl.stopLoop = [&] { router.requestQuit(); };
    impl.router = &router;
    router.shortcut = [&impl](int16_t keyCode, int16_t shift) {
        return impl.self.onShortcut && impl.self.onShortcut(keyCode, shift);
    };
    if (impl.closing) router.requestQuit();
    window.run();
    impl.stopLoop = nullptr;
    impl.router = nullptr;
    desktop.readClipboard = nullptr;
    desktop.writeClipboard = nullptr;
    return 0;
#else
    (void)impl;
    std::fprintf(stderr, "tavrin: this build has no window host (SDL2 was not found)\n");
    return 2;
#endif
}

} // namespace

int Window::run() {
    impl_->closing = false;
    if (!impl_->desktop.focused() || !focused()) impl_->focusFirst();
    impl_->desktop.flushPaints();
    if (impl_->options.host == Host::Headless) return 0;
    try {
        return runOnScreen(*impl_);
    } catch (const std::runtime_error& e) { // the window could not open
        std::fprintf(stderr, "tavrin: %s\n", e.what());
        return 2;
    }
}

} // namespace tavrin::app
