// Rules of the list's property table, checked through what a form file sees: the bag that saving
// fills and the values loading gives back.
#include <random>
#include <set>

#include "RenderFixture.h"
#include "control/ListPropertyTable.h"
#include "tavrin/platform/PropertyBag.h"

namespace tavrin::testing {
namespace {

std::set<std::string> keysOf(const platform::PropertyBag& bag) {
    std::set<std::string> keys;
    for (const auto& [key, value] : bag.entries())
        keys.insert(key);
    return keys;
}

// A new control differs from the saved defaults in two settings only: its focus-effect colour is
// black where a loaded control without the key gets the button face, and its row height is the
// ambient font's text height where the saved default is 0.
TEST(ListPropertyTable, ANewControlSavesOnlyItsFocusEffectColourAndRowHeight) {
    ListOnForm list;
    platform::PropertyBag bag;
    list->WriteProperties(bag);
    EXPECT_EQ(keysOf(bag), (std::set<std::string>{"GotFocusEffectColor", "ItemHeight"}));
}

// Loading an empty bag reads every default; saving it again must find each one equal to the
// default it is written with, so only the row height (raised to the text height) is saved.
TEST(ListPropertyTable, EveryDefaultReadIsTheDefaultWritten) {
    ListOnForm list;
    list->ReadProperties(platform::PropertyBag{});
    platform::PropertyBag bag;
    list->WriteProperties(bag);
    EXPECT_EQ(keysOf(bag), (std::set<std::string>{"ItemHeight"}));
}

// A value in range for a saved property, by its type; both lists of a round trip get it alike.
Variant randomValue(const Tavrin::PropertyRow& row, std::mt19937& random) {
    const std::string name = row.name;
    if (name == "ItemHeight") return Variant::i2(static_cast<int16_t>(30 + random() % 30));
    if (name == "Appearance" || name == "SelectMode" || name == "OrderType")
        return Variant::i4(static_cast<int32_t>(random() % 2));
    if (name == "Theme" || name == "Alignment") return Variant::i4(static_cast<int32_t>(random() % 3));
    if (name == "BoxOffset" || name == "ItemOffset") return Variant::i2(static_cast<int16_t>(random() % 5));
    if (name == "MousePointer") return Variant::i2(static_cast<int16_t>(random() % 16));
    switch (row.type) {
    case PropertyType::I2:
        return Variant::i2(static_cast<int16_t>(random() % 40));
    case PropertyType::I4:
        return Variant::i4(static_cast<int32_t>(random() % 7));
    case PropertyType::Colour:
        return Variant::i4(
            static_cast<int32_t>(random() % 2 ? random() & 0xFFFFFF : 0x80000000u | random() % 25));
    case PropertyType::Bool:
        return Variant::boolean(random() % 2 == 0);
    case PropertyType::Font: {
        platform::FontDesc desc;
        desc.name = random() % 2 ? u"DejaVu Serif" : u"DejaVu Sans Mono";
        desc.size = 6 + random() % 10;
        desc.bold = random() % 2;
        desc.italic = random() % 2;
        return Variant::object(std::make_shared<platform::StdFont>(desc));
    }
    case PropertyType::Picture:
        return Variant::object(
            platform::Picture::solid(1 + random() % 9, 1 + random() % 9, random() & 0xFFFFFF));
    }
    return {};
}

bool sameValue(const Variant& a, const Variant& b) {
    return platform::bagValuesEqual(a, b);
}

// Every saved property set to a random value is saved and loaded back into another list as it was.
TEST(ListPropertyTable, ARoundTripOfRandomValuesGivesThemBack) {
    for (uint32_t seed : {1u, 2u, 3u, 4u, 5u}) {
        std::mt19937 random(seed);
        ListOnForm saved, loaded;
        std::vector<std::pair<const Tavrin::PropertyRow*, Variant>> given;
        for (const Tavrin::PropertyRow& row : Tavrin::propertyTable()) {
            if (!row.saved()) continue;
            const Variant value = randomValue(row, random);
            if (row.let)
                row.let(*saved, value);
            else
                row.store(*saved, value);
            given.emplace_back(&row, row.get(*saved));
        }
        platform::PropertyBag bag;
        saved->WriteProperties(bag);
        loaded->ReadProperties(bag);
        for (const auto& [row, value] : given)
            EXPECT_TRUE(sameValue(row->get(*loaded), value)) << row->name << " with seed " << seed;
        platform::PropertyBag again;
        loaded->WriteProperties(again);
        EXPECT_EQ(keysOf(again), keysOf(bag)) << "seed " << seed;
    }
}

// Each member ID and each key names one row only.
TEST(ListPropertyTable, NamesAndMemberIdsAreUnique) {
    std::set<std::string> names;
    std::set<int32_t> ids;
    for (const Tavrin::PropertyRow& row : Tavrin::propertyTable()) {
        EXPECT_TRUE(names.insert(row.name).second) << row.name;
        if (row.memberId != 0) {
            EXPECT_TRUE(ids.insert(row.memberId).second) << row.name;
        }
    }
}

} // namespace
} // namespace tavrin::testing
