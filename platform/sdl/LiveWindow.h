// A real window over the headless desktop: the desktop stays the model of windows, focus, capture,
// clicks and paints; this window shows the form's client area once per frame and feeds the user's
// input to it through an InputRouter.
//
// Time: the desktop's clock follows real time.
//   main loop, each frame:  input -> desktop.wait(real ms elapsed) -> present -> sleep to 16 ms
//   input pump, called by DoEvents (1 ms of the clock each) and by the modal loops:
//     input -> clock ahead of real time: sleep the difference; in a modal loop, which does not
//     move the clock itself: wait for the real time elapsed -> present when a frame is due
// With a stepped clock (for scripted runs that must not depend on the machine's speed) real time
// is left out: each frame moves the clock by exactly one frame's worth, a modal loop likewise, and
// inside DoEvents a frame is presented whenever the clock has moved a frame's worth.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sdl/InputRouter.h"
#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSurface.h"

namespace tavrin::sdl {

class LiveWindow {
  public:
    static constexpr uint32_t kFrameMs = 16;
    static constexpr uint32_t kMaxCatchUpMs = 250; // a longer stall is forgiven, not replayed

    // Opens the window, canvas-sized; throws std::runtime_error when SDL cannot. Installs the
    // desktop's input pump; the window must be gone before the desktop.
    LiveWindow(software::Desktop& desktop, InputRouter& router, int32_t canvasW, int32_t canvasH,
               const std::string& title);
    ~LiveWindow();
    LiveWindow(const LiveWindow&) = delete;
    LiveWindow& operator=(const LiveWindow&) = delete;

    // The scale of the first display (1, 1.25, 1.5 or 2, the nearest to its dots per inch over
    // 96); 1 when SDL cannot tell.
    static double displayScale();

    // Paints the form's background and decorations under the control, each frame.
    std::function<void(software::SoftwareSurface&)> decorate;
    // Runs after each presented frame with the number of frames so far.
    std::function<void(int32_t frame)> afterFrame;
    // The window closes itself after this many frames (0: never).
    void setFrameLimit(int32_t frames) { frameLimit_ = frames; }
    // Keeps a copy of every presented frame as read back from the window.
    void keepFrames(bool keep) { keepFrames_ = keep; }
    // Decouples the clock from real time; see above. Set before run().
    void setSteppedClock(bool stepped) { stepped_ = stepped; }
    // Lets the user resize the window; the canvas follows and onResize hears the new size, in
    // canvas pixels, before the next frame is composed.
    void setResizable(bool resizable);
    std::function<void(int32_t w, int32_t h)> onResize;

    // Runs until the router is asked to quit.
    void run();
    // The last frame kept, as a PNG.
    bool writeLastFrame(const std::string& path, std::string* error) const;
    int32_t frames() const { return frames_; }

  private:
    bool pump();
    void pollInput();
    void catchUp();
    int64_t clockLead() const; // the virtual clock minus real time, ms
    void compose();
    void present();
    void resizeCanvas(int32_t w, int32_t h);

    software::Desktop& desktop_;
    InputRouter& router_;
    int32_t width_, height_;
    software::SoftwareSurface canvas_;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    uint64_t realStart_ = 0;
    uint32_t virtualStart_ = 0;
    uint64_t lastPresent_ = 0;
    int32_t frames_ = 0, frameLimit_ = 0;
    uint32_t lastPresentVirtual_ = 0;
    bool keepFrames_ = false, stepped_ = false;
    std::vector<uint32_t> lastFrame_;
};

} // namespace tavrin::sdl
