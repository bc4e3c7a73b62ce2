// Files: a file-picker style window built in code. A list of folders and files with pictures; a
// click on a file puts its name into the name box, a double click on a folder opens it, Up goes
// back, Open reports the chosen path in the status line.
//
//   files                      a window on the screen
//   files --headless OUT.png   draws the window once into a picture
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tavrin/app/Window.h"

namespace files {

using namespace tavrin;
using namespace tavrin::app;

constexpr int16_t kFolder = 1, kFile = 2, kPicture = 3;

// A small tree to browse: a folder's entries, folders first (their names end in '/').
const std::map<std::u16string, std::vector<std::u16string>> kTree = {
    {u"/", {u"Documents/", u"Pictures/", u"notes.txt", u"todo.txt"}},
    {u"/Documents/", {u"Letters/", u"budget.ods", u"report.odt"}},
    {u"/Documents/Letters/", {u"bank.txt", u"school.txt"}},
    {u"/Pictures/", {u"beach.png", u"garden.png", u"house.jpg"}},
};

struct Picker {
    explicit Picker(Window& w) : window(w) {}
    Window& window;
    std::u16string folder = u"/";

    void open(const std::u16string& path) {
        folder = path;
        List& entries = window.get<List>("Entries");
        entries->Clear();
        for (const std::u16string& name : kTree.at(folder)) {
            bool isFolder = name.ends_with(u'/');
            bool isPicture = name.ends_with(u".png") || name.ends_with(u".jpg");
            int16_t icon = isFolder ? kFolder : isPicture ? kPicture : kFile;
            entries->AddItem(Variant::string(name), icon, icon);
        }
        window.get<Label>("Folder").setCaption(u"Look in: " + folder);
    }

    std::u16string current() {
        List& entries = window.get<List>("Entries");
        int16_t at = entries->ListIndex();
        return at < 0 ? u"" : entries->ItemText(at);
    }
};

// Builds the window's controls and connects their handlers.
void build(Window& window) {
    window.setCaption(u"Open a file");
    auto picker = std::make_shared<Picker>(window); // lives as long as the handlers that hold it
    window.addLabel("Folder", {12, 10, 300, 20}, u"");
    Button& up = window.addButton("Up", {316, 8, 72, 24}, u"Up");
    List& entries = window.addList("Entries", {12, 40, 376, 200});
    window.addLabel("NameLabel", {12, 252, 52, 24}, u"Name:");
    TextBox& name = window.addTextBox("Name", {64, 252, 240, 24});
    Button& open = window.addButton("Open", {316, 252, 72, 24}, u"Open");
    window.addLabel("Status", {12, 284, 376, 20}, u"");
    entries.setAnchor(Anchor::All);
    up.setAnchor(Anchor::Top | Anchor::Right);
    open.setAnchor(Anchor::Bottom | Anchor::Right);
    name.setAnchor(Anchor::Bottom | Anchor::Left | Anchor::Right);
    for (const char* label : {"NameLabel", "Status"})
        window.get<Label>(label).setAnchor(Anchor::Bottom | Anchor::Left);
    entries->SetImageList(window.imageList(16, 16, 3));
    entries->SetSelectModeStyle(SelectModeStyleCts::Box);
    entries->SetItemHeightAuto(false);
    entries->SetItemHeight(20);
    entries->SetItemTextLeft(22);

    entries.onClick = [picker, &name] {
        std::u16string entry = picker->current();
        if (!entry.ends_with(u'/')) name.setText(entry);
    };
    entries.onDblClick = [picker] {
        std::u16string entry = picker->current();
        if (entry.ends_with(u'/')) picker->open(picker->folder + entry);
    };
    up.onClick = [picker] {
        if (picker->folder == u"/") return;
        std::u16string parent = picker->folder.substr(0, picker->folder.size() - 1);
        picker->open(parent.substr(0, parent.rfind(u'/') + 1));
    };
    open.onClick = [&window, picker, &name] {
        std::u16string chosen = name.text().empty() ? u"(nothing chosen)" : picker->folder + name.text();
        window.get<Label>("Status").setCaption(u"Open: " + chosen);
    };
    picker->open(u"/");
}

} // namespace files

#ifndef TAVRIN_EXAMPLE_LIBRARY
int main(int argc, char** argv) {
    using namespace tavrin::app;
    bool headless = argc > 2 && std::strcmp(argv[1], "--headless") == 0;
    Window window({.width = 400, .height = 312, .host = headless ? Host::Headless : Host::Screen});
    files::build(window);
    int status = window.run();
    if (headless && !window.snapshot(argv[2])) return 1;
    return status;
}
#endif
