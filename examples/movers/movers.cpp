// Movers: two lists with buttons between them, from a form file. Pick players on the left (a click
// selects, Multiple mode) and move them across with > and <, or all of them with >> and <<. The
// moved items keep their order; the status line counts the team.
//
//   movers                      a window on the screen
//   movers --headless OUT.png   draws the form once into a picture
#include <cstdio>
#include <cstring>
#include <string>

#include "tavrin/app/Window.h"
#include "tavrin/automation/Conversions.h"

namespace movers {

using namespace tavrin;
using namespace tavrin::app;

// Moves the selected items of `from` (all of them with `all`) to the end of `to`.
void move(List& from, List& to, bool all) {
    for (int16_t i = 0; i < from->ListCount();) {
        if (!all && !from->ItemSelected(i)) {
            ++i;
            continue;
        }
        to->AddItem(Variant::string(from->ItemText(i)));
        from->RemoveItem(i);
    }
}

void showCount(Window& window) {
    int16_t n = window.get<List>("Chosen")->ListCount();
    window.get<Label>("Status").setCaption(utf16(std::to_string(n)) + (n == 1 ? u" player" : u" players") +
                                           u" in the team");
}

// Connects the handlers to the controls of the form.
void wire(Window& window) {
    List& available = window.get<List>("Available");
    List& chosen = window.get<List>("Chosen");
    auto connect = [&window](const char* button, List& from, List& to, bool all) {
        window.get<Button>(button).onClick = [&window, &from, &to, all] {
            move(from, to, all);
            showCount(window);
        };
    };
    connect("Add", available, chosen, false);
    connect("AddAll", available, chosen, true);
    connect("Remove", chosen, available, false);
    connect("RemoveAll", chosen, available, true);
    for (const char* name : {"Ada", "Brendan", "Chen", "Dana", "Emeka", "Farah", "Goran", "Hana"})
        available->AddItem(Variant::string(name));
    showCount(window);
}

} // namespace movers

#ifndef TAVRIN_EXAMPLE_LIBRARY
int main(int argc, char** argv) {
    using namespace tavrin::app;
    bool headless = argc > 2 && std::strcmp(argv[1], "--headless") == 0;
    Window window({.host = headless ? Host::Headless : Host::Screen});
    try {
        window.load(TAVRIN_EXAMPLE_DIR "/movers.json");
    } catch (const FormError& e) {
        std::fprintf(stderr, "movers: %s\n", e.what());
        return 1;
    }
    movers::wire(window);
    int status = window.run();
    if (headless && !window.snapshot(argv[2])) return 1;
    return status;
}
#endif
