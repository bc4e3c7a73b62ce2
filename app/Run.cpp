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

namespace {

int runOnScreen(Window::Impl& impl) {
#ifdef TAVRIN_HAVE_SDL
    software::Desktop& desktop = impl.desktop;
    const int32_t w = impl.options.width, h = impl.options.height;
    sdl::InputRouter router(desktop, desktop.form().hwnd(), w, h);
    sdl::LiveWindow window(desktop, router, w, h, utf8(impl.options.caption));
    window.setFrameLimit(impl.frameLimit);
    window.afterFrame = [&](int32_t frame) {
        if (impl.self.onFrame) impl.self.onFrame(frame);
    };
    impl.stopLoop = [&] { router.requestQuit(); };
    if (impl.closing) router.requestQuit();
    window.run();
    impl.stopLoop = nullptr;
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
