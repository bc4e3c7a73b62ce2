// The example applications, driven headless through the desktop as a user would: Tab order,
// clicks, typing; each checks what the application did and what the window shows.
#include <gtest/gtest.h>

#include <string>

#include "control/TavrinAccess.h"
#include "tavrin/app/Window.h"

namespace todo {
void wire(tavrin::app::Window& window);
}
namespace files {
void build(tavrin::app::Window& window);
}
namespace movers {
void wire(tavrin::app::Window& window);
}

namespace tavrin::app {
namespace {

const std::string kExamples = TAVRIN_EXAMPLES;

// The middle of row `row` of a list, in its client area.
float rowY(List& list, int row) {
    return static_cast<float>(TavrinAccess::rowHeight(list.list())) * (static_cast<float>(row) + 0.5f);
}

// The share of pixels that differ between two pictures of the same size.
size_t differing(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    size_t n = 0;
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        n += a[i] != b[i];
    return n;
}

bool dark(uint32_t rgb) {
    return (rgb & 0xFF) + ((rgb >> 8) & 0xFF) + ((rgb >> 16) & 0xFF) < 300;
}

TEST(TodoExample, AddEditSortAndFinishTasksWithKeysAndClicks) {
    Window window;
    window.load(kExamples + "/todo/todo.json");
    todo::wire(window);
    window.run();
    List& tasks = window.get<List>("Tasks");
    TextBox& input = window.get<TextBox>("NewTask");
    ASSERT_TRUE(input.hasFocus()); // first in tab order
    std::vector<uint32_t> before = window.pixels();

    window.user().type(u"Call the plumber");
    window.user().key(13);
    EXPECT_EQ(tasks->ListCount(), 4);
    EXPECT_EQ(tasks->ItemText(3), u"Call the plumber");
    EXPECT_EQ(input.text(), u"");
    EXPECT_EQ(window.get<Label>("Status").caption(), u"4 tasks to do");
    EXPECT_GT(differing(before, window.pixels()), 100u);

    // Tab: Add, then the list; Down moves the current task.
    window.user().key(9);
    window.user().key(9);
    ASSERT_TRUE(tasks.hasFocus());
    window.user().key(38);
    EXPECT_EQ(tasks->ListIndex(), 2);

    // A double click on the first task edits it in place; Enter keeps the new text.
    std::vector<std::string> events;
    tasks.onEvent = [&](std::string_view e, std::vector<Variant>&) { events.emplace_back(e); };
    window.user().doubleClick(tasks, 30, rowY(tasks, 0));
    EXPECT_NE(std::find(events.begin(), events.end(), "DblClick"), events.end());
    window.user().key(35); // End in the edit box
    window.user().type(u" today");
    window.user().key(13);
    EXPECT_EQ(tasks->ItemText(0), u"Water the plants today");

    window.user().click(window.get<Button>("Sort"), 10, 10);
    EXPECT_EQ(tasks->ItemText(0), u"Answer the letters");
    window.user().click(window.get<Button>("Sort"), 10, 10);
    EXPECT_EQ(tasks->ItemText(0), u"Water the plants today");

    tasks->SetListIndex(0);
    window.user().click(window.get<Button>("Done"), 10, 10);
    EXPECT_EQ(tasks->ListCount(), 3);
    EXPECT_EQ(window.get<Label>("Status").caption(), u"3 tasks to do");
}

TEST(TodoExample, TheFormFollowsAResize) {
    Window window;
    window.load(kExamples + "/todo/todo.json");
    todo::wire(window);
    window.resize(500, 400);
    EXPECT_EQ(window.get<Button>("Add").place().left, 400);
    EXPECT_EQ(window.get<List>("Tasks").place().width, 380);
    EXPECT_EQ(window.get<Label>("Status").place().top, 366);
}

TEST(FilesExample, BrowseFoldersAndPickAFile) {
    Window window({.width = 400, .height = 312});
    files::build(window);
    window.run();
    List& entries = window.get<List>("Entries");
    ASSERT_EQ(entries->ListCount(), 4);
    EXPECT_EQ(entries->ItemIcon(0), 1);
    std::vector<uint32_t> root = window.pixels();

    window.user().doubleClick(entries, 40, rowY(entries, 1)); // Pictures/
    EXPECT_EQ(window.get<Label>("Folder").caption(), u"Look in: /Pictures/");
    EXPECT_EQ(entries->ItemIcon(0), 3);
    EXPECT_GT(differing(root, window.pixels()), 100u);

    window.user().wait(600); // not a double click
    window.user().click(entries, 40, rowY(entries, 1));
    EXPECT_EQ(window.get<TextBox>("Name").text(), u"garden.png");
    // Tab from the list to the name box, then the Open button; Space opens.
    window.user().key(9);
    window.user().key(9);
    ASSERT_TRUE(window.get<Button>("Open").hasFocus());
    window.user().key(32);
    EXPECT_EQ(window.get<Label>("Status").caption(), u"Open: /Pictures/garden.png");

    window.user().click(window.get<Button>("Up"), 5, 5);
    EXPECT_EQ(entries->ListCount(), 4);
    EXPECT_EQ(differing(root, window.pixels()) > 0, true); // the status line and the name differ
}

TEST(MoversExample, MoveSelectedPlayersAcrossAndBack) {
    Window window;
    window.load(kExamples + "/movers/movers.json");
    movers::wire(window);
    window.run();
    List& available = window.get<List>("Available");
    List& chosen = window.get<List>("Chosen");
    window.user().click(available, 20, rowY(available, 1));
    window.user().wait(600);
    window.user().click(available, 20, rowY(available, 3));
    ASSERT_EQ(available->SelectedCount(), 2);
    window.user().click(window.get<Button>("Add"), 10, 10);
    EXPECT_EQ(chosen->ListCount(), 2);
    EXPECT_EQ(chosen->ItemText(0), u"Brendan");
    EXPECT_EQ(chosen->ItemText(1), u"Dana");
    EXPECT_EQ(available->ListCount(), 6);
    EXPECT_EQ(window.get<Label>("Status").caption(), u"2 players in the team");

    window.user().click(window.get<Button>("RemoveAll"), 10, 10);
    EXPECT_EQ(chosen->ListCount(), 0);
    EXPECT_EQ(available->ListCount(), 8);
    window.user().click(window.get<Button>("AddAll"), 10, 10);
    EXPECT_EQ(chosen->ListCount(), 8);

    // The moved names are drawn in the chosen list and gone from the other.
    std::vector<uint32_t> px = window.pixels();
    auto inked = [&](Place p) {
        size_t n = 0;
        for (int32_t y = p.top + 4; y < p.top + 40; ++y)
            for (int32_t x = p.left + 4; x < p.left + 60; ++x)
                n += dark(px[static_cast<size_t>(y) * static_cast<size_t>(window.width()) +
                             static_cast<size_t>(x)]);
        return n;
    };
    EXPECT_EQ(inked(available.place()), 0u);
    EXPECT_GT(inked(chosen.place()), 20u);
}

} // namespace
} // namespace tavrin::app
