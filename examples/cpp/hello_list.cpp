// A first Tavrin program in C++: a list on a window drawn in memory, filled, styled, clicked by the
// simulated user, and written to a PNG. It includes only the public headers. Build: part of
// `make build`; run: build/examples/hello-list [out.png]
#include <cstdio>

#include "tavrin/app/Window.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    const char* out = argc > 1 ? argv[1] : "hello-list.png";

    app::Window window({.caption = u"Hello", .width = 264, .height = 224}); // 1: a window, headless
    app::List& list = window.addList("Fruit", {12, 12, 240, 200});          // 2: a list on it
    list.onEvent = [](std::string_view name, std::vector<Variant>&) {
        std::printf("event %.*s\n", static_cast<int>(name.size()), name.data());
    };
    for (const char* name : {"Apple", "Banana", "Cherry", "Damson", "Elderberry", "Fig", "Grape"})
        list->AddItem(Variant::string(name));
    list->SetSelectModeStyle(SelectModeStyleCts::Gradient_H);
    list->SetSelectMode(SelectModeCts::Multiple);
    list->SetItemSelected(4, true);
    window.run(); // 3: shown, and the first paint done

    // A real click 40 pixels down (the fourth row): focus, MouseDown, ListIndexChange, MouseUp, Click.
    window.user().click(list, 20, 40);
    std::printf("current item: %d, selected: %d\n", list->ListIndex(), list->SelectedCount());

    std::string error;
    if (!window.snapshot(out, &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("wrote %s\n", out);
    return 0;
}
