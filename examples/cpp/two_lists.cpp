// The README's program: a window with two lists, a move button and a status line.
#include "tavrin/app/Window.h"

using namespace tavrin;
using namespace tavrin::app;

int main() {
    Window window({.caption = u"Two lists", .width = 420, .height = 260, .host = Host::Screen});
    List& left = window.addList("Left", {12, 12, 180, 200});
    List& right = window.addList("Right", {228, 12, 180, 200});
    Button& move = window.addButton("Move", {196, 90, 28, 26}, u">");
    Label& status = window.addLabel("Status", {12, 224, 396, 24}, u"");
    for (const char* fruit : {"Apple", "Banana", "Cherry", "Damson"})
        left->AddItem(Variant::string(fruit));
    left.setAnchor(Anchor::Left | Anchor::Top | Anchor::Bottom);
    move.onClick = [&] {
        if (left->ListIndex() < 0) return;
        right->AddItem(Variant::string(left->ItemText(left->ListIndex())));
        left->RemoveItem(left->ListIndex());
    };
    left.onListIndexChange = [&] { status.setCaption(u"current: " + left->ItemText(left->ListIndex())); };
    return window.run();
}
