// tavrin-demo: two Tavrin lists live in a window, an application on the application API.
//
//   tavrin-demo [--frames N] [--screenshot FILE] [--script-input] [--scale S]
//
// --frames N         closes the window by itself after N frames
// --screenshot FILE  writes the window as it was at the end as a PNG
// --script-input     plays a fixed run of clicks, drags, menu choices and keys and checks what each
//                    did; the exit status is 1 when a check failed or the run did not finish
// --scale S          device pixels per form pixel (1, 1.25, 1.5 or 2) instead of the display's own
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
#include "app/Hosted.h"

namespace {

struct Options {
    int32_t frames = 0;
    std::string screenshot;
    bool scriptInput = false;
    double scale = 0; // the display's
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
        } else if (arg == "--script-input") {
            o.scriptInput = true;
        } else if (arg == "--scale" && i + 1 < argc) {
            o.scale = std::atof(argv[++i]);
            if (o.scale != 1 && o.scale != 1.25 && o.scale != 1.5 && o.scale != 2) return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

int runWindow(const Options& options) {
    using namespace tavrin;
    app::Window window({.caption = u"Tavrin",
                        .width = 2 * demo::DemoForm::kListW + demo::DemoForm::kGap + 24,
                        .height = demo::DemoForm::kListH + 64,
                        .host = app::Host::Screen,
                        .scale = options.scale});
    demo::DemoForm form(window);
    window.setFrameLimit(options.frames);
    std::unique_ptr<demo::ScriptedInput> script;
    if (options.scriptInput) {
        script = std::make_unique<demo::ScriptedInput>(form);
        window.onFrame = [&](int32_t frame) { script->frame(frame); };
    }
    window.setSteppedClock(options.scriptInput); // the checks count frames: frames must mean clock time
    int status = window.run();
    if (!options.screenshot.empty()) {
        std::string error;
        if (!window.snapshot(options.screenshot, &error)) {
            std::fprintf(stderr, "tavrin-demo: %s\n", error.c_str());
            status = 1;
        }
    }
    if (script) {
        for (const std::string& failure : script->failures())
            std::fprintf(stderr, "tavrin-demo: check failed: %s\n", failure.c_str());
        if (!script->finished()) {
            std::fprintf(stderr, "tavrin-demo: the scripted input did not finish\n");
            status = 1;
        }
    }
    std::printf("tavrin-demo: %d brushes and pens alive\n", window.impl().desktop.gdiObjects());
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
