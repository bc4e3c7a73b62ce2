#include "platform/sdl/LiveWindow.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace tavrin::sdl {

namespace {

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what + ": " + SDL_GetError());
}

} // namespace

double LiveWindow::displayScale() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return 1.0;
    float dpi = 0;
    const bool known = SDL_GetDisplayDPI(0, nullptr, &dpi, nullptr) == 0 && dpi > 0;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (!known) return 1.0;
    double best = 1.0;
    for (double scale : {1.0, 1.25, 1.5, 2.0})
        if (std::fabs(dpi / 96.0 - scale) < std::fabs(dpi / 96.0 - best)) best = scale;
    return best;
}

LiveWindow::LiveWindow(software::Desktop& desktop, InputRouter& router, int32_t canvasW, int32_t canvasH,
                       const std::string& title)
    : desktop_(desktop), router_(router), width_(canvasW), height_(canvasH),
      canvas_(desktop.softwareGdi(), canvasW, canvasH) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) fail("SDL_Init");
    // One window pixel per canvas pixel: the desktop itself draws at the display's scale.
    window_ =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, canvasW, canvasH, 0);
    if (!window_) fail("SDL_CreateWindow");
    renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) fail("SDL_CreateRenderer");
    // Mouse coordinates stay in canvas pixels whatever size the window ends up with.
    SDL_RenderSetLogicalSize(renderer_, canvasW, canvasH);
    // The canvas holds 0x00BBGGRR words: red in the lowest byte.
    texture_ =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, canvasW, canvasH);
    if (!texture_) fail("SDL_CreateTexture");
    SDL_StartTextInput();
    realStart_ = SDL_GetTicks64();
    virtualStart_ = desktop_.GetTickCount();
    desktop_.setInputPump([this] { return pump(); });
}

LiveWindow::~LiveWindow() {
    desktop_.setInputPump(nullptr);
    SDL_StopTextInput();
    if (texture_) SDL_DestroyTexture(texture_);
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
    SDL_Quit();
}

void LiveWindow::run() {
    if (stepped_) {
        while (!router_.quitting()) {
            pollInput();
            if (router_.quitting()) break;
            desktop_.wait(kFrameMs);
            present();
        }
        return;
    }
    while (!router_.quitting()) {
        uint64_t frameStart = SDL_GetTicks64();
        pollInput();
        if (router_.quitting()) break;
        catchUp();
        present();
        uint64_t spent = SDL_GetTicks64() - frameStart;
        if (spent < kFrameMs) SDL_Delay(static_cast<uint32_t>(kFrameMs - spent));
    }
}

// Called from inside DoEvents and the modal loops: the control waits for the user here.
bool LiveWindow::pump() {
    pollInput();
    if (stepped_) {
        if (desktop_.menuShown() || desktop_.shownForm()) desktop_.wait(kFrameMs);
        if (desktop_.GetTickCount() - lastPresentVirtual_ >= kFrameMs) present();
        return !router_.quitting();
    }
    if (desktop_.menuShown() || desktop_.shownForm()) {
        catchUp();
        uint64_t since = SDL_GetTicks64() - lastPresent_;
        if (since < kFrameMs) SDL_Delay(static_cast<uint32_t>(kFrameMs - since));
    } else if (int64_t lead = clockLead(); lead > 0) {
        SDL_Delay(static_cast<uint32_t>(std::min<int64_t>(lead, kFrameMs)));
    }
    if (SDL_GetTicks64() - lastPresent_ >= kFrameMs) present();
    return !router_.quitting();
}

void LiveWindow::pollInput() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
            resizeCanvas(std::max(1, event.window.data1), std::max(1, event.window.data2));
            continue;
        }
        router_.feed(event);
    }
    router_.flushMotion();
}

void LiveWindow::setResizable(bool resizable) {
    SDL_SetWindowResizable(window_, resizable ? SDL_TRUE : SDL_FALSE);
}

void LiveWindow::resizeCanvas(int32_t w, int32_t h) {
    if (w == width_ && h == height_) return;
    SDL_Texture* texture =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_XBGR8888, SDL_TEXTUREACCESS_STREAMING, w, h);
    if (!texture) return; // keep the old size rather than show nothing
    SDL_DestroyTexture(texture_);
    texture_ = texture;
    width_ = w;
    height_ = h;
    canvas_.resize(w, h);
    SDL_RenderSetLogicalSize(renderer_, w, h);
    router_.setCanvasSize(w, h);
    if (onResize) onResize(w, h);
}

int64_t LiveWindow::clockLead() const {
    int64_t virtualMs = static_cast<int64_t>(desktop_.GetTickCount() - virtualStart_);
    return virtualMs - static_cast<int64_t>(SDL_GetTicks64() - realStart_);
}

// Brings the virtual clock up to real time, firing the timers due on the way.
void LiveWindow::catchUp() {
    int64_t behind = -clockLead();
    if (behind <= 0) return;
    if (behind > kMaxCatchUpMs) {
        realStart_ += static_cast<uint64_t>(behind - kMaxCatchUpMs);
        behind = kMaxCatchUpMs;
    }
    desktop_.wait(static_cast<uint32_t>(behind));
}

// The form's client area: decorations, the control with its frame and children, then the modal
// things over it.
void LiveWindow::compose() {
    if (decorate) decorate(canvas_);
    software::DesktopWindow* control = desktop_.window(router_.control());
    if (control) {
        int32_t w = 0, h = 0;
        std::vector<uint32_t> pixels = desktop_.compose(control->hwnd(), true, w, h);
        platform::POINT client = router_.controlOrigin();
        blitPixels(canvas_, pixels, w, h, client.x - control->frame(), client.y - control->frame());
    }
    if (auto layout = router_.formLayout())
        drawForm(canvas_, desktop_, *dynamic_cast<software::SoftwareForm*>(desktop_.shownForm()), *layout);
    if (auto layout = router_.menuLayout())
        drawMenu(canvas_, *desktop_.shownMenu(), *layout, router_.menuHover());
}

void LiveWindow::present() {
    compose();
    SDL_UpdateTexture(texture_, nullptr, canvas_.pixels(), width_ * static_cast<int>(sizeof(uint32_t)));
    SDL_RenderClear(renderer_);
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    if (keepFrames_) {
        lastFrame_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), 0);
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_XBGR8888, lastFrame_.data(),
                             width_ * static_cast<int>(sizeof(uint32_t)));
        for (uint32_t& px : lastFrame_)
            px &= 0xFFFFFF;
    }
    SDL_RenderPresent(renderer_);
    lastPresent_ = SDL_GetTicks64();
    lastPresentVirtual_ = desktop_.GetTickCount();
    ++frames_;
    if (afterFrame) afterFrame(frames_);
    if (frameLimit_ > 0 && frames_ >= frameLimit_) router_.requestQuit();
}

bool LiveWindow::writeLastFrame(const std::string& path, std::string* error) const {
    if (lastFrame_.empty()) {
        if (error) *error = "no frame was presented";
        return false;
    }
    return software::writePng(path, width_, height_, lastFrame_.data(), error);
}

} // namespace tavrin::sdl
