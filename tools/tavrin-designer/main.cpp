// tavrin-designer: design a form of Tavrin lists, run it, save it as a form file.
//
//   tavrin-designer [FILE] [--frames N] [--picture PNG]
//   tavrin-designer --render FILE PNG
//
// FILE         the form file that Save writes and Open reads (form.json when not given)
// --frames N   the window closes itself after N frames
// --screenshot the designer's window as it was at the end, into a PNG
// --picture    each Save also writes the design-time picture of the saved form to PNG
// --render     draws FILE as the designer shows it at design time, into PNG, without a window
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Designer.h"
#include "tavrin/automation/Conversions.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    std::string file = "form.json", picture, screenshot;
    int32_t frames = 0;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--render" && i + 2 < argc) {
            std::string error;
            if (designer::Designer::render(argv[i + 1], argv[i + 2], &error)) return 0;
            std::fprintf(stderr, "tavrin-designer: %s\n", error.c_str());
            return 1;
        }
        if (arg == "--frames" && i + 1 < argc) {
            frames = std::atoi(argv[++i]);
        } else if (arg == "--screenshot" && i + 1 < argc) {
            screenshot = argv[++i];
        } else if (arg == "--picture" && i + 1 < argc) {
            picture = argv[++i];
        } else if (!arg.starts_with("--")) {
            file = arg;
        } else {
            std::fprintf(stderr,
                         "usage: tavrin-designer [FILE] [--frames N] [--picture PNG] [--screenshot PNG]\n"
                         "       tavrin-designer --render FILE PNG\n");
            return 2;
        }
    }
    designer::Designer d(app::Host::Screen, file);
    d.savedPicture = picture;
    d.logStatus = true;
    d.window().setFrameLimit(frames);
    int status = d.window().run();
    if (!screenshot.empty() && !d.window().snapshot(screenshot)) status = 1;
    return status;
}
