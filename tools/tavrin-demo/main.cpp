// tavrin-demo: the Tavrin list live in a window.
//
//   tavrin-demo [--frames N] [--screenshot FILE] [--script-input] [--scale S]
//
// --frames N         closes the window by itself after N frames
// --screenshot FILE  writes the last frame shown in the window as a PNG
// --script-input     plays a fixed run of clicks, drags, menu choices and keys and checks what each
//                    did; the exit status is 1 when a check failed or the run did not finish
// --scale S          draws for a screen of scale S (1, 1.25, 1.5, 2) instead of the display's
#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "DemoForm.h"
#include "ScriptedInput.h"
#include "platform/sdl/LiveWindow.h"

namespace {

struct Options {
    int32_t frames = 0;
    std::string screenshot;
    bool scriptInput = false;
    double scale = 0; // 0: the display's
};

std::optional<Options> parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--frames" && i + 1 < argc) {
            o.frames = std::atoi(argv[++i]);
            if (o.frames <= 0) return std::nullopt;
        } else if (arg == "--screenshot" && i + 1 < argc) {
            o.screenshot = argv[++i];
        } else if (arg == "--scale" && i + 1 < argc) {
            o.scale = std::atof(argv[++i]);
            if (!(o.scale >= 1 && o.scale <= 4)) return std::nullopt;
        } else if (arg == "--script-input") {
            o.scriptInput = true;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

int runWindow(const Options& options) {
    using namespace tavrin;
    // The scripted run counts pixels of the form at scale 1, whatever the display.
    const double scale = options.scale > 0     ? options.scale
                         : options.scriptInput ? 1.0
                                               : sdl::LiveWindow::displayScale();
    software::Desktop desktop(
        {static_cast<int32_t>(760 * scale), static_cast<int32_t>(600 * scale), 15.0 / scale});
    demo::DemoForm form(desktop);
    const int32_t canvasW = desktop.form().clientWidth(), canvasH = desktop.form().clientHeight();
    sdl::InputRouter router(desktop, form.site().hWnd(), canvasW, canvasH);
    router.shortcut = [&](int16_t keyCode, int16_t shift) {
        bool took = form.shortcut(keyCode, shift);
        if (form.quitAsked()) router.requestQuit();
        return took;
    };
    sdl::LiveWindow window(desktop, router, canvasW, canvasH, "Tavrin");
    window.decorate = [&](software::SoftwareSurface& canvas) { form.paintLegend(canvas); };
    window.setFrameLimit(options.frames);
    window.keepFrames(!options.screenshot.empty());
    std::unique_ptr<demo::ScriptedInput> script;
    if (options.scriptInput) {
        script = std::make_unique<demo::ScriptedInput>(form, desktop, router);
        window.setSteppedClock(true); // the checks count frames, so frames must mean clock time
        window.afterFrame = [&](int32_t frame) { script->frame(frame); };
    }
    window.run();

    int status = 0;
    if (!options.screenshot.empty()) {
        std::string error;
        if (!window.writeLastFrame(options.screenshot, &error)) {
            std::fprintf(stderr, "tavrin-demo: %s\n", error.c_str());
            status = 1;
        }
    }
    if (script) {
        for (const std::string& failure : script->failures())
            std::fprintf(stderr, "tavrin-demo: check failed: %s\n", failure.c_str());
        if (!script->finished()) {
            std::fprintf(stderr, "tavrin-demo: the scripted input did not finish within %d frames\n",
                         window.frames());
            status = 1;
        }
    }
    std::printf("tavrin-demo: %d frames, %d brushes and pens alive\n", window.frames(), desktop.gdiObjects());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr,
                     "usage: tavrin-demo [--frames N] [--screenshot FILE] [--script-input] [--scale S]\n");
        return 2;
    }
    SDL_SetMainReady();
    try {
        return runWindow(*options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tavrin-demo: %s\n", e.what());
        return 2;
    }
}
