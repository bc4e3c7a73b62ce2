// The in-place editor and the about box through the automation interface: by member ID, with the
// optional Modify left out, given by position or by name.
#include "RenderFixture.h"
#include "control/TavrinAccess.h"

namespace tavrin::testing {
namespace {

constexpr int32_t kStartEdit = 0x60030057, kEndEdit = 0x60030058, kAbout = -552;

CallArgs named(const char* name, Variant value) {
    return CallArgs{{}, {{name, std::move(value)}}};
}

TEST(ListEditingDispatch, StartAndEndEditByMemberId) {
    ListOnForm f;
    f.fill(5);
    f->SetListIndex(1);
    f.changed.clear();
    struct Case {
        CallArgs endArgs;
        const char16_t* typed;
        const char16_t* expected; // the item's text afterwards
    } cases[] = {
        {CallArgs{}, u"Fig", u"Item 1"},                          // Modify left out: discard
        {CallArgs{{Variant::boolean(true)}, {}}, u"Fig", u"Fig"}, // by position
        {named("modify", Variant::boolean(false)), u"Kiwi", u"Fig"},
        {named("Modify", Variant::boolean(true)), u"Kiwi", u"Kiwi"},
    };
    for (Case& c : cases) {
        f->invoke(kStartEdit, InvokeKind::Method, {});
        ASSERT_TRUE(TavrinAccess::txtEdit(*f).Visible());
        TavrinAccess::txtEdit(*f).SetText(c.typed);
        f->invoke(kEndEdit, InvokeKind::Method, c.endArgs);
        EXPECT_FALSE(TavrinAccess::txtEdit(*f).Visible());
        EXPECT_EQ(f->ItemText(1), c.expected);
    }
    EXPECT_TRUE(f.changed.empty());
}

TEST(ListEditingDispatch, AboutAnswersTheStandardAboutBoxMember) {
    ListOnForm f;
    int shown = 0;
    f.desk.setInputPump([&] {
        if (f.desk.shownForm()) {
            ++shown;
            f.desk.pressFormButton(u"Close");
        }
        return true;
    });
    f->invoke(kAbout, InvokeKind::Method, {});
    f->invoke("about", InvokeKind::Method, {});
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(f.desk.shownForm(), nullptr);
}

} // namespace
} // namespace tavrin::testing

namespace tavrin::testing {
namespace {

// Two lists loaded from one bag: each has a font of its own, and the bag keeps what it held.
TEST(ListPersistence, ListsLoadedFromOneBagDoNotShareTheirFont) {
    platform::PropertyBag bag;
    {
        ListOnForm saved;
        saved->Font()->SetSize(12);
        saved->WriteProperties(bag);
    }
    auto load = [&bag](ListOnForm& f) {
        f->ReadProperties(bag);
        f.desk.flushPaints();
    };
    ListOnForm first, second;
    load(first);
    load(second);
    first->Font()->SetSize(20);
    EXPECT_EQ(first->Font()->desc().size, 20);
    EXPECT_EQ(second->Font()->desc().size, 12);
    EXPECT_EQ(TavrinAccess::iUC(*second).Font().size, 12);
    auto stored =
        std::dynamic_pointer_cast<platform::StdFont>(bag.ReadProperty("Font", Variant()).asObject());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->desc().size, 12);
}

} // namespace
} // namespace tavrin::testing
