// A program outside the tree, built against Tavrin as a user builds it (an installed package or
// add_subdirectory), from the public headers alone: a window holding a list, filled, driven by the
// simulated user and drawn. Exit 0 when all held.
#include <cstdio>

#include "tavrin/app/Window.h"
#include "tavrin/automation/AutomationError.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    app::Window window({.width = 224, .height = 184});
    app::List& list = window.addList("Fruit", {12, 12, 200, 160});
    int changes = 0, named = 0;
    list.onListIndexChange = [&] { ++changes; };
    list.onEvent = [&](std::string_view name, std::vector<Variant>&) { named += name == "ListIndexChange"; };
    for (const char* name : {"Apple", "Banana", "Cherry"})
        list->AddItem(Variant::string(name));
    list->SetSelectMode(SelectModeCts::Multiple);
    window.run();

    list->SetListIndex(1);
    int failures = list->ListCount() != 3 || list->ListIndex() != 1 || changes != 1 || named != 1;
    try {
        list->RemoveItem(7);
        ++failures;
    } catch (const AutomationError& e) {
        failures += e.number() != 381;
    }
    window.user().click(list, 20, 4); // the first row
    failures += list->ListIndex() != 0;
    std::string error;
    if (argc > 1 && !window.snapshot(argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        ++failures;
    }
    std::printf("%s\n", failures ? "consumer: FAILED" : "consumer: ok");
    return failures ? 1 : 0;
}
