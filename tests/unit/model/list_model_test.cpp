// The list against a small reference model of its items, selected flags, ListIndex and TopIndex,
// in both selection modes: random item operations, selection, keys, clicks and menu choices,
// compared after every step. An operation the list refuses must raise the model's error number
// and change nothing.
#include <gtest/gtest.h>
#include <rapidcheck.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "../control/RenderFixture.h"

namespace tavrin::testing {
namespace {

int16_t kRows = 0; // whole rows in view, read from the list

struct ModelItem {
    std::string text;
    int16_t icon = 0, iconSelected = 0;
    bool operator==(const ModelItem&) const = default;
    bool operator<(const ModelItem& o) const {
        return std::tie(text, icon, iconSelected) < std::tie(o.text, o.icon, o.iconSelected);
    }
};

struct Model {
    std::vector<ModelItem> items;
    std::vector<bool> flags;
    int16_t listIndex = -1, lastIndex = -1, top = 0;
    bool autoScroll = true, multiple = false;

    int16_t count() const { return static_cast<int16_t>(items.size()); }
    // The bar's range follows the count; a value above a lowered maximum comes down to it.
    void clampTop() { top = std::min<int16_t>(top, std::max<int16_t>(0, count() - kRows)); }

    // The ListIndex let; the error number when it refuses.
    std::optional<int32_t> setListIndex(int16_t v) {
        if (v > count() - 1 || v < -1) return 380;
        listIndex = count() > 0 && v >= 0 ? v : -1;
        if (!multiple) {
            if (lastIndex >= 0 && lastIndex < count()) flags[lastIndex] = false;
            if (listIndex >= 0) flags[listIndex] = true;
        }
        lastIndex = listIndex;
        if (autoScroll) {
            if (listIndex >= 0 && top > listIndex)
                top = listIndex;
            else if (top + kRows - 1 < listIndex)
                top = static_cast<int16_t>(listIndex - kRows + 1);
        } else {
            autoScroll = true;
        }
        return std::nullopt;
    }
    bool badIndex(int16_t i) const { return count() == 0 || i < 0 || i >= count(); }
};

enum class Op {
    Add,
    Insert,
    Remove,
    Modify,
    Clear,
    Order,
    Selected,
    Index,
    Top,
    Mode,
    Key,
    Click,
    Menu,
    Count
};

struct Step {
    Op op;
    int16_t a, b;
    int word;
};

// How RapidCheck prints a step of a failing sequence.
void showValue(const Step& s, std::ostream& os) {
    static const char* const names[] = {"Add",   "Insert", "Remove", "Modify", "Clear", "Order", "Selected",
                                        "Index", "Top",    "Mode",   "Key",    "Click", "Menu",  "-"};
    os << names[static_cast<int>(s.op)] << "(" << s.a << ", " << s.b << ", " << s.word << ")";
}

const char* const kWords[] = {"pear", "apple", "fig", "kiwi", "plum", "date", "lime", "sloe"};

// Applies one step to the list and to the model; the list's error (if any) must be the model's.
void apply(ListOnForm& form, Model& m, const Step& s) {
    Tavrin& list = *form;
    const std::string word = kWords[s.word % 8];
    std::optional<int32_t> expected, got;
    auto run = [&](auto&& call) {
        try {
            call();
        } catch (const AutomationError& e) {
            got = e.number();
        }
    };
    switch (s.op) {
    case Op::Add:
        run([&] { list.AddItem(Variant::string(word), s.a, s.b); });
        m.items.push_back({word, s.a, s.b});
        m.flags.push_back(false);
        m.clampTop();
        break;
    case Op::Insert: {
        const int16_t at = static_cast<int16_t>(s.a % (m.count() + 3) - 1);
        run([&] { list.InsertItem(at, Variant::string(word), 1, 2); });
        if (m.count() == 0 || at < 0 || at > m.count()) {
            expected = 381;
            break;
        }
        m.items.insert(m.items.begin() + at, {word, 1, 2});
        m.flags.insert(m.flags.begin() + at, false);
        m.clampTop();
        m.autoScroll = false;
        if (m.listIndex >= 0 && at <= m.listIndex) m.setListIndex(static_cast<int16_t>(m.listIndex + 1));
        break;
    }
    case Op::Remove: {
        const int16_t at = static_cast<int16_t>(s.a % (m.count() + 2) - 1);
        run([&] { list.RemoveItem(at); });
        if (m.badIndex(at)) {
            expected = 381;
            break;
        }
        m.items.erase(m.items.begin() + at);
        m.flags.erase(m.flags.begin() + at);
        m.clampTop();
        m.autoScroll = false;
        if (at == m.listIndex)
            m.setListIndex(-1);
        else if (at < m.listIndex)
            m.setListIndex(static_cast<int16_t>(m.listIndex - 1));
        break;
    }
    case Op::Modify: {
        const int16_t at = static_cast<int16_t>(s.a % (m.count() + 2) - 1);
        const bool withText = s.word % 2 == 0;
        run([&] { list.ModifyItem(at, withText ? Variant::string(word) : Variant::i4(0), s.b, -1); });
        if (m.badIndex(at)) {
            expected = 381;
            break;
        }
        if (withText) m.items[at].text = word;
        if (s.b > -1) m.items[at].icon = s.b;
        break;
    }
    case Op::Clear:
        run([&] { list.Clear(); });
        m.items.clear();
        m.flags.clear();
        m.listIndex = m.lastIndex = -1;
        break;
    case Op::Order: {
        run([&] { list.Order(); });
        if (m.count() < 2) break; // nothing to order: nothing changes
        m.setListIndex(-1);
        m.top = 0;
        m.flags.assign(m.items.size(), false);
        // Items of equal text may come in either order: the list's order is taken once its texts
        // are in order and it holds the same items.
        std::vector<ModelItem> ordered;
        for (int16_t i = 0; i < list.ListCount(); ++i)
            ordered.push_back({utf8(list.ItemText(i)), list.ItemIcon(i), list.ItemIconSelected(i)});
        RC_ASSERT(std::is_permutation(ordered.begin(), ordered.end(), m.items.begin(), m.items.end()));
        const bool down = list.OrderType() == OrderTypeCts::Descendent;
        RC_ASSERT(
            std::is_sorted(ordered.begin(), ordered.end(), [down](const ModelItem& a, const ModelItem& b) {
                return down ? b.text < a.text : a.text < b.text;
            }));
        m.items = ordered;
        break;
    }
    case Op::Selected: {
        const int16_t at = static_cast<int16_t>(s.a % (m.count() + 2) - 1);
        const bool on = s.b % 2 == 0;
        run([&] { list.SetItemSelected(at, on); });
        if (m.badIndex(at)) {
            expected = 381;
        } else if (m.multiple) {
            m.flags[at] = on;
        } else if (on) {
            m.setListIndex(at);
        }
        break;
    }
    case Op::Index: {
        const int16_t v = static_cast<int16_t>(s.a % (m.count() + 3) - 2);
        run([&] { list.SetListIndex(v); });
        expected = m.setListIndex(v);
        break;
    }
    case Op::Top: {
        const int16_t t = static_cast<int16_t>(s.a % (m.count() + 2) - 1);
        run([&] { list.SetTopIndex(t); });
        if (t > m.count() - kRows || t < 0)
            expected = 380;
        else
            m.top = t;
        break;
    }
    case Op::Mode:
        m.multiple = s.a % 2 == 1;
        run([&] { list.SetSelectMode(m.multiple ? SelectModeCts::Multiple : SelectModeCts::Single); });
        m.clampTop(); // the let sets the scroll range again
        if (!m.multiple && m.listIndex >= 0) {
            m.flags.assign(m.flags.size(), false);
            m.flags[m.listIndex] = true;
        }
        break;
    case Op::Key: {
        static const int16_t keys[] = {32, 33, 34, 35, 36, 38, 40, 37};
        int16_t key = keys[s.a % 8], shift = static_cast<int16_t>(s.b % 4);
        run([&] { TavrinAccess::site(list).KeyDown(key, shift); });
        if (m.count() == 0 || m.listIndex == -1) break;
        const int16_t li = m.listIndex, n = m.count();
        switch (key) {
        case 32:
            if (m.multiple) m.flags[li] = !m.flags[li];
            break;
        case 33:
            m.setListIndex(li > kRows ? static_cast<int16_t>(li - kRows) : int16_t{0});
            break;
        case 34:
            m.setListIndex(li < n - kRows - 1 ? static_cast<int16_t>(li + kRows)
                                              : static_cast<int16_t>(n - 1));
            break;
        case 35:
            m.setListIndex(static_cast<int16_t>(n - 1));
            break;
        case 36:
            m.setListIndex(0);
            break;
        case 38:
            if (li > 0) m.setListIndex(static_cast<int16_t>(li - 1));
            break;
        case 40:
            if (li < n - 1) m.setListIndex(static_cast<int16_t>(li + 1));
            break;
        default:
            break;
        }
        break;
    }
    case Op::Click: {
        const float y = static_cast<float>(s.a % (kRows * 20));
        form.desk.wait(600); // a second press this soon would be a double click
        run([&] { form.desk.mouseDown(TavrinAccess::iUC(list).hWnd(), platform::vbLeftButton, 10, y, 0); });
        run([&] { form.desk.mouseUp(TavrinAccess::iUC(list).hWnd(), platform::vbLeftButton, 10, y, 0); });
        const int16_t row = static_cast<int16_t>(m.top + static_cast<int>(y) / 20);
        if (row < m.count()) {
            if (m.multiple)
                m.flags[row] = !m.flags[row];
            else
                m.flags[row] = true;
            m.setListIndex(row);
        }
        break;
    }
    case Op::Menu: {
        static const int16_t entries[] = {0, 1, 3, 2};
        const int16_t entry = entries[s.a % 4];
        run([&] { TavrinAccess::optSelectionMenu_Click(list, entry); });
        for (size_t i = 0; i < m.flags.size(); ++i)
            m.flags[i] = entry == 0 ? true : entry == 1 ? false : entry == 3 ? !m.flags[i] : m.flags[i];
        break;
    }
    case Op::Count:
        break;
    }
    RC_ASSERT(got == expected);
}

void compare(ListOnForm& form, const Model& m) {
    Tavrin& list = *form;
    RC_ASSERT(list.ListCount() == m.count());
    RC_ASSERT(list.ListIndex() == m.listIndex);
    RC_ASSERT(list.TopIndex() == m.top);
    int16_t selected = 0;
    std::vector<ModelItem> items;
    for (int16_t i = 0; i < m.count(); ++i) {
        items.push_back({utf8(list.ItemText(i)), list.ItemIcon(i), list.ItemIconSelected(i)});
        RC_ASSERT(list.ItemSelected(i) == m.flags[i]);
        selected += m.flags[i];
    }
    RC_ASSERT(items == m.items);
    RC_ASSERT(list.SelectedCount() == selected);
}

TEST(ListModel, RandomOperationsKeepTheListEqualToItsModel) {
    size_t steps = 0;
    const bool ok = rc::check("the list follows its model", [&] {
        const auto script = *rc::gen::container<std::vector<Step>>(
            100, rc::gen::construct<Step>(rc::gen::cast<Op>(rc::gen::inRange(0, static_cast<int>(Op::Count))),
                                          rc::gen::inRange<int16_t>(0, 400), rc::gen::inRange<int16_t>(-2, 5),
                                          rc::gen::inRange(0, 8)));
        ListOnForm form(120, 100); // a few rows: enough to scroll, little to paint
        form.fill(0);
        kRows = TavrinAccess::visibleRows(*form.list);
        RC_ASSERT(kRows > 2);
        Model m;
        if (*rc::gen::arbitrary<bool>()) {
            form->SetOrderType(OrderTypeCts::Descendent);
        }
        for (const Step& s : script) {
            apply(form, m, s);
            compare(form, m);
            ++steps;
        }
    });
    EXPECT_TRUE(ok);
    EXPECT_GE(steps, 10000u); // at least ten thousand compared steps per run
}

} // namespace
} // namespace tavrin::testing
