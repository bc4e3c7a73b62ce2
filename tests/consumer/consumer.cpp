// A program outside the tree, built against Tavrin as a user builds it (an installed package or
// add_subdirectory): a list on the headless desktop, filled, driven and drawn. Exit 0 when all held.
#include <cstdio>

#include "platform/software/Desktop.h"
#include "platform/software/SoftwareSite.h"
#include "tavrin/Tavrin.h"
#include "tavrin/automation/AutomationError.h"

int main(int argc, char** argv) {
    using namespace tavrin;
    software::Desktop desktop;
    auto site = desktop.createControlSite(u"Tavrin", 200, 160);
    int changes = 0;
    site->onEvent = [&](std::string_view name, int32_t, std::vector<Variant>&) {
        changes += name == "ListIndexChange";
    };
    Tavrin list(*site);
    list.InitProperties();
    site->resizeClient(200, 160);
    desktop.flushPaints();

    for (const char* name : {"Apple", "Banana", "Cherry"})
        list.AddItem(Variant::string(name));
    list.SetListIndex(1);
    int failures = list.ListCount() != 3 || list.ListIndex() != 1 || changes != 1;
    try {
        list.RemoveItem(7);
        ++failures;
    } catch (const AutomationError& e) {
        failures += e.number() != 381;
    }
    std::string error;
    if (argc > 1 && !desktop.snapshot(site->hWnd(), true, argv[1], &error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        ++failures;
    }
    list.Terminate();
    std::printf("%s\n", failures ? "consumer: FAILED" : "consumer: ok");
    return failures ? 1 : 0;
}
