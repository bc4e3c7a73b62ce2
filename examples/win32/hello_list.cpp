// A first Tavrin program on Windows: a list in a native window. Build: part of the cross build
// (build-win32/hello-list.exe); run it on Windows or under Wine.
#include "platform/win32/Win32Host.h"
#include "tavrin/Tavrin.h"

int main() {
    tavrin::win32::Win32Services services;                        // GDI, timers, subclassing, clock
    tavrin::win32::Win32Site site(services, u"Tavrin", 240, 200); // a window holding the control
    tavrin::Tavrin list(site);
    list.InitProperties();
    site.resizeClient(240, 200);
    for (const char* fruit : {"Apple", "Banana", "Cherry", "Damson", "Elderberry"})
        list.AddItem(tavrin::Variant::string(fruit));
    site.show();
    const int status = services.run(); // until the window is closed
    list.Terminate();
    return status;
}
