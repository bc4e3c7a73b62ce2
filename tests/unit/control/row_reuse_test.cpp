// Rows kept or moved between repaints must leave exactly the pixels of a full repaint. Two lists
// get the same random run of changes; the second one is made to repaint every row each time (a
// pixel rewritten with its own colour tells the list that its surface has changed), and after each
// step both surfaces must be equal, pixel for pixel. The scroll bar, which leaves its surface alone
// when a draw would stack the same pictures in the same places, is held to the same rule.
//
// The property changes are taken from the dispatch tables of the list and of the objects its object
// properties return (the font), so every property let and set takes part, each with random values
// in its range: a property that changes the rows' pixels but not the look that decides whether a
// row is kept shows here as a difference.
#include <map>
#include <random>

#include "platform/software/SoftwareImageList.h"

#include "RenderFixture.h"
#include "control/TavrinAccess.h"

namespace tavrin::testing {
namespace {

class Twins {
  public:
    Twins() {
        for (ListOnForm* f : {&kept_, &fresh_})
            f->fill(0, 20);
    }

    // step(list) or step(list, form): the form gives the step its own desktop.
    template <class Step> void apply(Step&& step) {
        const uint32_t corner = fresh_.pixel(0, 0);
        TavrinAccess::iUC(*fresh_).PSet(0, 0, corner); // same pixels, but no longer what the list painted
        platform::DrawingSurface& bar = TavrinAccess::sbUCSite(*fresh_).UserControl();
        bar.PSet(0, 0, bar.Point(0, 0));
        for (ListOnForm* f : {&kept_, &fresh_}) {
            try {
                if constexpr (std::is_invocable_v<Step, Tavrin&>)
                    step(**f);
                else
                    step(**f, *f);
            } catch (const AutomationError&) { // refused alike by both
            }
        }
        kept_.desk.flushPaints();
        fresh_.desk.flushPaints();
    }

    // The first pixel that differs, or an empty string.
    std::string difference() {
        const int32_t w = kept_.scaleWidth(),
                      h = static_cast<int32_t>(TavrinAccess::iUC(*kept_).ScaleHeight());
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x)
                if (kept_.pixel(x, y) != fresh_.pixel(x, y))
                    return "pixel " + std::to_string(x) + "," + std::to_string(y);
        platform::DrawingSurface &keptBar = TavrinAccess::sbUCSite(*kept_).UserControl(),
                                 &freshBar = TavrinAccess::sbUCSite(*fresh_).UserControl();
        const double step = kept_.desk.options().twipsPerPixel;
        for (double y = 0; y < keptBar.ScaleHeight(); y += step)
            for (double x = 0; x < keptBar.ScaleWidth(); x += step)
                if (keptBar.Point(x, y) != freshBar.Point(x, y))
                    return "bar pixel " + std::to_string(x / step) + "," + std::to_string(y / step);
        return {};
    }

  private:
    ListOnForm kept_, fresh_;
};

std::u16string randomText(std::mt19937& random) {
    static const std::u16string words[] = {u"Apple", u"Pear", u"a rather long text that wraps in the row",
                                           u"Item",  u"",     u"Kiwi tart with cream and a spoon"};
    return words[random() % std::size(words)] + u" " + static_cast<char16_t>(u'A' + random() % 3);
}

std::u16string textFrom(uint32_t seed) {
    std::mt19937 random(seed);
    return randomText(random);
}

// ---- property changes from the dispatch table

// A property let or set of the list, or a let of an object that one of the list's object
// properties returns (`object` names that property: the font).
struct Assignment {
    std::string object;
    const MemberEntry* entry;
};

std::vector<Assignment> propertyAssignments(Tavrin& list) {
    std::vector<Assignment> assignments;
    for (const MemberEntry& entry : list.dispatchTable().entries())
        if (entry.kind == InvokeKind::PropertyLet || entry.kind == InvokeKind::PropertySet)
            assignments.push_back({"", &entry});
    for (const MemberEntry& entry : list.dispatchTable().entries()) {
        if (entry.kind != InvokeKind::PropertySet) continue;
        const Variant object = list.invoke(entry.name, InvokeKind::PropertyGet, {});
        if (!object.asObject()) continue;
        for (const MemberEntry& member : object.asObject()->dispatchTable().entries())
            if (member.kind == InvokeKind::PropertyLet) assignments.push_back({entry.name, &member});
    }
    return assignments;
}

// Values in range for the properties whose range is narrower than their type's; the others take
// any colour, Boolean or small length by the type their get returns.
struct Range {
    int32_t low, high;
};
const std::map<std::string, Range>& ranges() {
    static const std::map<std::string, Range> table = {
        {"Alignment", {0, 2}},        {"Appearance", {0, 1}},  {"BorderWidth", {0, 6}},
        {"BoxOffset", {0, 12}},       {"BoxRadius", {0, 12}},  {"LeftMargin", {0, 12}},
        {"ItemHeight", {0, 40}},      {"ItemOffset", {0, 10}}, {"ItemTextLeft", {0, 30}},
        {"MousePointer", {0, 15}},    {"OrderType", {0, 1}},   {"SelectMode", {0, 1}},
        {"SelectModeStyle", {0, 6}},  {"Theme", {0, 2}},       {"ItemIcon", {0, 4}},
        {"ItemIconSelected", {0, 4}}, {"Size", {7, 11}},       {"Weight", {400, 700}},
        {"Charset", {0, 0}},
    };
    return table;
}

// A colour as a program sets one: an RGB value or a reference to a system colour.
Variant randomColour(std::mt19937& random) {
    if (random() % 3 == 0) return Variant::i4(static_cast<int32_t>(0x80000000u | random() % 25));
    return Variant::i4(static_cast<int32_t>(random() & 0xFFFFFF));
}

std::u16string randomFontName(std::mt19937& random) {
    static const char16_t* const names[] = {u"DejaVu Sans", u"DejaVu Serif", u"DejaVu Sans Mono"};
    return names[random() % 3];
}

Variant randomFont(std::mt19937& random) {
    platform::FontDesc desc;
    desc.name = randomFontName(random);
    desc.size = 7 + random() % 5;
    desc.bold = random() % 2;
    desc.italic = random() % 2;
    desc.underline = random() % 4 == 0;
    desc.strikethrough = random() % 4 == 0;
    return Variant::object(std::make_shared<platform::StdFont>(desc));
}

// Nothing, or one of a few pictures; both lists get the same object.
Variant randomPicture(std::mt19937& random) {
    static const std::shared_ptr<platform::Picture> pictures[] = {
        platform::Picture::solid(30, 8, 0x3366CC), platform::Picture::solid(400, 40, 0x22AA44),
        std::make_shared<platform::Picture>(2, 2, std::vector<uint32_t>{0xFF, 0xFF00, 0xFF0000, 0})};
    const uint32_t pick = random() % (std::size(pictures) + 1);
    return Variant::object(pick < std::size(pictures) ? pictures[pick] : nullptr);
}

// The value for one assignment, in the property's range, by the type its get on `owner` (the list
// or its font) returns.
Variant randomValue(Tavrin& list, Dispatchable& owner, const MemberEntry& entry, std::mt19937& random) {
    if (entry.kind == InvokeKind::PropertySet)
        return entry.name == "Font" ? randomFont(random) : randomPicture(random);
    const int16_t count = list.ListCount();
    if (entry.name == "ListIndex")
        return Variant::i2(static_cast<int16_t>(int32_t(random() % (count + 1)) - 1));
    if (entry.name == "TopIndex")
        return Variant::i2(
            static_cast<int16_t>(random() % std::max(1, count - TavrinAccess::visibleRows(list) + 1)));
    if (entry.name == "ItemText") return Variant::string(textFrom(random()));
    if (entry.name == "Name") return Variant::string(randomFontName(random));
    if (const auto range = ranges().find(entry.name); range != ranges().end())
        return Variant::i4(range->second.low +
                           static_cast<int32_t>(random() % (range->second.high - range->second.low + 1)));
    CallArgs index;
    if (!entry.params.empty()) index.positional.push_back(Variant::i2(0));
    const Variant current = count > 0 || entry.params.empty()
                                ? owner.invoke(entry.name, InvokeKind::PropertyGet, index)
                                : Variant::boolean(false);
    switch (current.type()) {
    case VarType::Bool:
        return Variant::boolean(random() % 2 == 0);
    case VarType::I4:
        return randomColour(random);
    default:
        return Variant::i2(static_cast<int16_t>(random() % 8));
    }
}

// One assignment through the dispatch interface: the property at `which`, its index (for the item
// properties) and its value drawn from `seed`, alike for both lists.
void assignProperty(Tavrin& list, size_t which, uint32_t seed) {
    const auto [object, member] = propertyAssignments(list)[which];
    const MemberEntry& entry = *member;
    std::mt19937 random(seed);
    CallArgs args;
    if (!entry.params.empty()) {
        if (list.ListCount() == 0) return;
        args.positional.push_back(Variant::i2(static_cast<int16_t>(random() % list.ListCount())));
    }
    const Variant objectValue = object.empty() ? Variant() : list.invoke(object, InvokeKind::PropertyGet, {});
    Dispatchable& owner = object.empty() ? list : *objectValue.asObject();
    args.positional.push_back(randomValue(list, owner, entry, random));
    owner.invoke(entry.name, entry.kind, args);
}

class RowReuse : public ::testing::TestWithParam<uint32_t> {};

TEST_P(RowReuse, KeptAndMovedRowsEqualAFullRepaint) {
    Twins twins;
    std::mt19937 random(GetParam());
    twins.apply([&](Tavrin& l) {
        for (int i = 0; i < 40; ++i)
            l.AddItem(Variant::string(u"Row " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26))));
    });
    ListOnForm probe;
    const size_t propertyCount = propertyAssignments(*probe).size();
    size_t nextProperty = 0;
    for (int step = 0; step < 500; ++step) {
        const uint32_t choice = random() % 12;
        const uint32_t a = random(), b = random();
        std::string what = "change " + std::to_string(choice);
        if (choice >= 7) what = propertyAssignments(*probe)[nextProperty % propertyCount].entry->name;
        twins.apply([&](Tavrin& l, ListOnForm& form) {
            const int16_t count = l.ListCount();
            const auto any = [&](uint32_t r) { return static_cast<int16_t>(count > 0 ? r % count : 0); };
            switch (choice) {
            case 0:
            case 1:
                if (count > TavrinAccess::visibleRows(l))
                    l.SetTopIndex(static_cast<int16_t>(a % (count - TavrinAccess::visibleRows(l) + 1)));
                break;
            case 2:
                if (count > 0) l.SetListIndex(any(a));
                break;
            case 3:
                if (a % 2)
                    TavrinAccess::UserControl_EnterFocus(l);
                else
                    TavrinAccess::UserControl_ExitFocus(l);
                break;
            case 4:
                if (count < 60) l.InsertItem(any(a), Variant::string(textFrom(b)));
                if (count > 10) l.RemoveItem(any(b));
                break;
            case 5:
                TavrinAccess::sbUC(l).SetValue(
                    std::min<double>(TavrinAccess::sbUC(l).Max(), a % 50 + (b % 2) * 0.5));
                break;
            case 6: // an image list now and then; rows are never kept while there is one
                if (a % 4 == 0)
                    l.SetImageList(Variant::object(
                        std::make_shared<software::SoftwareImageList>(form.desk, 16, 16, 4, 3)));
                else
                    l.SetImageList(Variant::object(nullptr));
                break;
            default: // every property in turn, with a random value
                assignProperty(l, nextProperty % propertyCount, a);
                break;
            }
        });
        if (choice >= 7) ++nextProperty;
        const std::string difference = twins.difference();
        ASSERT_TRUE(difference.empty()) << "after step " << step << " (" << what << "): " << difference;
    }
    EXPECT_GE(nextProperty, propertyCount) << "every property assignment takes part";
}
INSTANTIATE_TEST_SUITE_P(Runs, RowReuse, ::testing::Values(20261206u, 7u, 4242u));

} // namespace
} // namespace tavrin::testing

namespace tavrin::testing {
namespace {

// A margin whose row position overflows fails in each row, as always, never out of the repaint.
TEST(RowReuseLooks, AnOverflowingRowLeftFailsOnlyTheRows) {
    ListOnForm f;
    f.fill(5);
    f->SetRequiredField(true);
    EXPECT_NO_THROW(f->SetLeftMargin(32767));
    EXPECT_EQ(f->LeftMargin(), 32767);
    EXPECT_NO_THROW(TavrinAccess::iUC_Paint(*f));
}

} // namespace
} // namespace tavrin::testing
