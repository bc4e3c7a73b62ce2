// Statement sequences that drive a live list through its automation calls and the user's input,
// with nested modal situations (its popup menu, the about box, a drag loop, the scroll bar's
// auto-repeat) and, inside them, terminate, new, reload, Clear, RemoveItem and extreme resizes.
// Each pair of input bytes picks a statement and its number. Oracles: no sanitizer report, no
// exception out of the runner, bounded time and memory.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"

namespace {

const char* const kStatements[] = {
    "new Tavrin",
    "load Tavrin {}",
    "load Tavrin {\"SelectMode\": 1, \"ShowMenu\": true}",
    "reload",
    "terminate",
    "List.Clear",
    "List.RemoveItem #",
    "List.AddItem \"item #\"",
    "for i = 0 to #: List.AddItem \"x\" & i: next",
    "List.InsertItem #, \"in\"",
    "List.ShowMenu = True",
    "List.SelectMode = Multiple",
    "List.SelectMode = Single",
    "mouse down right # #",
    "menu choose #",
    "menu cancel",
    "List.About",
    "about close",
    "mouse down left 5 # on sbUC",
    "mouse up left 5 # on sbUC",
    "mouse move 5 # on sbUC",
    "mouse down left 10 #",
    "mouse move 10 # left",
    "mouse move 10 -#  left",
    "mouse up left 10 #",
    "click 10 #",
    "wait #",
    "resize # #",
    "resize 0 0",
    "resize 32767 1",
    "resize 1 32767",
    "resize 100000 100000",
    "List.ItemOffset = -#",
    "List.ItemHeightAuto = False",
    "List.ItemHeight = #",
    "List.StartEdit",
    "type \"ab\"",
    "key press 13",
    "key press 27",
    "key down #",
    "focus list",
    "focus away",
    "List.ListIndex = #",
    "List.TopIndex = #",
    "List.Order",
    "List.BorderWidth = #",
    "List.Appearance = Flat",
    "List.HoverSelection = True",
    "List.ItemSelected(#) = True",
    "List.SelectModeStyle = #",
    "set List.SelectionPicture = Picture(#, 3, 255)",
    "save \"fuzz-form.json\"",
    "load Tavrin \"fuzz-form.json\"",
    "snapshot \"fuzz.png\"",
    "List.Theme = #",
    "List.ScrollBarWidth = #",
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 512) return 0;
    constexpr size_t kCount = sizeof kStatements / sizeof kStatements[0];
    // A small screen keeps each run cheap: composing and snapshotting cost by the pixel.
    std::string script = "screen 320 240\nnew Tavrin\n";
    for (size_t i = 0; i + 1 < size; i += 2) {
        std::string line = kStatements[data[i] % kCount];
        const int number = static_cast<int>(data[i + 1]) - 16;
        for (size_t at; (at = line.find('#')) != std::string::npos;)
            line.replace(at, 1, std::to_string(number * (data[i] >= 128 ? 37 : 1)));
        script += line + "\n";
    }
    tavrin::fuzz::runScript(script, "statements.tvs");
    return 0;
}
