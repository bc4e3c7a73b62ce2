// A first Tavrin program in C++: a list on the headless desktop, filled, styled, clicked, and
// written to a PNG. Build: part of `make build`; run: build/examples/hello-list [out.png]
#include <cstdio>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSite.h"
#include "tavrin/Tavrin.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    const char* out = argc > 1 ? argv[1] : "hello-list.png";

    software::Desktop desktop;
    auto site = desktop.createControlSite(u"Tavrin", 240, 200);
    site->onEvent = [](std::string_view name, int32_t, std::vector<Variant>&) {
        std::printf("event %.*s\n", static_cast<int>(name.size()), name.data());
    };
    Tavrin list(*site);
    list.InitProperties();
    site->resizeClient(240, 200);
    desktop.flushPaints();

    const char* fruit[] = {"Apple", "Banana", "Cherry", "Damson", "Elderberry", "Fig", "Grape"};
    for (const char* name : fruit)
        list.AddItem(Variant::string(name));
    list.SetSelectModeStyle(Gradient_H);
    list.SetSelectMode(Multiple);
    list.SetItemSelected(4, true);

    // A real click on the third row: focus, MouseDown, ListIndexChange, MouseUp, Click.
    desktop.mouseDown(list.iUC().hWnd(), platform::vbLeftButton, 20, list.rowHeight() * 2.5f, 0);
    desktop.mouseUp(list.iUC().hWnd(), platform::vbLeftButton, 20, list.rowHeight() * 2.5f, 0);
    std::printf("current item: %d, selected: %d\n", list.ListIndex(), list.SelectedCount());

    std::string error;
    if (!desktop.snapshot(site->hWnd(), true, out, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    list.Terminate();
    std::printf("wrote %s\n", out);
    return 0;
}
