// To do: a list of tasks from a form file. Type a task and press Enter or Add; double-click a task
// (or press Edit) to retype it in place; Sort orders the tasks, each press the other way round;
// Done removes the current task. The status line counts what is left.
//
//   todo                      a window on the screen
//   todo --headless OUT.png   draws the form once into a picture
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "tavrin/app/Window.h"
#include "tavrin/automation/Conversions.h"

namespace todo {

using namespace tavrin;
using namespace tavrin::app;

void showCount(Window& window) {
    int16_t left = window.get<List>("Tasks")->ListCount();
    std::u16string text = left == 0   ? u"Nothing to do"
                          : left == 1 ? u"1 task to do"
                                      : utf16(std::to_string(left)) + u" tasks to do";
    window.get<Label>("Status").setCaption(text);
}

void addTask(Window& window) {
    TextBox& input = window.get<TextBox>("NewTask");
    List& tasks = window.get<List>("Tasks");
    if (input.text().empty()) return;
    tasks->AddItem(Variant::string(input.text()));
    tasks->SetListIndex(static_cast<int16_t>(tasks->ListCount() - 1));
    input.setText(u"");
    showCount(window);
}

// Connects the handlers to the controls of the form.
void wire(Window& window) {
    List& tasks = window.get<List>("Tasks");
    TextBox& input = window.get<TextBox>("NewTask");
    window.get<Button>("Add").onClick = [&window] { addTask(window); };
    input.onKeyPress = [&window](int16_t key) {
        if (key == 13) addTask(window);
    };
    tasks.onDblClick = [&tasks] { tasks->StartEdit(); };
    window.get<Button>("Edit").onClick = [&tasks] {
        if (tasks->ListIndex() < 0) return;
        tasks.setFocus();
        tasks->StartEdit();
    };
    window.get<Button>("Sort").onClick = [&tasks] {
        tasks->Order();
        tasks->SetOrderType(tasks->OrderType() == OrderTypeCts::Ascendent ? OrderTypeCts::Descendent
                                                                          : OrderTypeCts::Ascendent);
    };
    window.get<Button>("Done").onClick = [&window, &tasks] {
        int16_t at = tasks->ListIndex();
        if (at < 0) return;
        tasks->RemoveItem(at);
        if (tasks->ListCount() > 0) tasks->SetListIndex(std::min<int16_t>(at, tasks->ListCount() - 1));
        showCount(window);
    };
    for (const char* task : {"Water the plants", "Answer the letters", "Buy bread"})
        tasks->AddItem(Variant::string(task));
    showCount(window);
}

} // namespace todo

#ifndef TAVRIN_EXAMPLE_LIBRARY
int main(int argc, char** argv) {
    using namespace tavrin::app;
    bool headless = argc > 2 && std::strcmp(argv[1], "--headless") == 0;
    Window window({.host = headless ? Host::Headless : Host::Screen});
    try {
        window.load(TAVRIN_EXAMPLE_DIR "/todo.json");
    } catch (const FormError& e) {
        std::fprintf(stderr, "todo: %s\n", e.what());
        return 1;
    }
    todo::wire(window);
    int status = window.run();
    if (headless && !window.snapshot(argv[2])) return 1;
    return status;
}
#endif
