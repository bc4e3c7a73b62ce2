// The list's automation interface: the same member by name (any case) and by member ID, optional
// and named arguments, errors that leave the list unchanged, and events in the order raised.
#include "RenderFixture.h"

namespace tavrin::testing {
namespace {

CallArgs args(std::vector<Variant> positional, std::vector<NamedArg> named = {}) {
    return CallArgs{std::move(positional), std::move(named)};
}

struct EventLog {
    std::vector<std::string> names;
    explicit EventLog(ListOnForm& f) {
        f.site->onEvent = [this](std::string_view name, int32_t, std::vector<Variant>&) {
            names.emplace_back(name);
        };
    }
};

TEST(ListDispatch, MembersAnswerByNameInAnyCaseAndByMemberId) {
    ListOnForm f;
    f->invoke("additem", InvokeKind::Method, args({Variant::string("Apple")}));
    f->invoke(0x60030041, InvokeKind::Method, args({Variant::string("Pear"), Variant::i2(3)}));
    f->invoke("AddItem", InvokeKind::Method,
              args({Variant::string("Plum")}, {{"iconselected", Variant::i2(9)}}));

    EXPECT_EQ(toI4(f->invoke(0x6803000F, InvokeKind::PropertyGet, {})), 3);
    EXPECT_EQ(toI4(f->invoke("LISTCOUNT", InvokeKind::PropertyGet, {})), 3);
    EXPECT_EQ(toUtf8Text(f->invoke(0x68030003, InvokeKind::PropertyGet, args({Variant::i2(1)}))), "Pear");
    EXPECT_EQ(f->ItemIcon(1), 3);
    EXPECT_EQ(f->ItemIconSelected(1), 0); // left out: arrives as 0
    EXPECT_EQ(f->ItemIconSelected(2), 9);
    EXPECT_EQ(f->ItemIcon(2), 0);

    f->invoke(0x6803000E, InvokeKind::PropertyLet, args({Variant::i2(2)}));
    EXPECT_EQ(f->ListIndex(), 2);
    f->invoke("ItemText", InvokeKind::PropertyLet, args({Variant::i2(0), Variant::string("Apricot")}));
    EXPECT_EQ(f->ItemText(0), u"Apricot");
}

TEST(ListDispatch, TextsAreStoredAsGivenEvenWithALoneSurrogate) {
    ListOnForm f;
    const std::u16string odd{u'a', char16_t(0xD800), u'b', char16_t(0xD83D), char16_t(0xDE00)};
    f->AddItem(Variant::string(odd));
    EXPECT_EQ(f->ItemText(0), odd);
}

TEST(ListDispatch, ModifyItemWithOnlyAnIndexKeepsEverything) {
    ListOnForm f;
    f->AddItem(Variant::string("one"), 1, 2);
    f->invoke(0x60030043, InvokeKind::Method, args({Variant::i2(0)}));
    EXPECT_EQ(f->ItemText(0), u"one");
    EXPECT_EQ(f->ItemIcon(0), 1);
    EXPECT_EQ(f->ItemIconSelected(0), 2);
    f->invoke("ModifyItem", InvokeKind::Method, args({Variant::i2(0), Variant::string("0")}));
    EXPECT_EQ(f->ItemText(0), u"one"); // a text reading as the number 0 counts as left out
    f->invoke("ModifyItem", InvokeKind::Method, args({Variant::i2(0), Variant::string("zero")}));
    EXPECT_EQ(f->ItemText(0), u"zero");
}

TEST(ListDispatch, RejectedCallsChangeNothing) {
    ListOnForm f;
    f.fill(5);
    f->SetListIndex(2);
    const auto before = TavrinAccess::items(*f);
    struct Case {
        const char* what;
        std::function<void()> call;
        int32_t error;
    };
    const std::vector<Case> cases = {
        {"insert past the end", [&] { f->InsertItem(6, Variant::string("x")); }, 381},
        {"insert at a negative index", [&] { f->InsertItem(-1, Variant::string("x")); }, 381},
        {"remove at ListCount", [&] { f->RemoveItem(5); }, 381},
        {"remove at a negative index", [&] { f->RemoveItem(-3); }, 381},
        {"modify at ListCount", [&] { f->ModifyItem(5, Variant::string("x")); }, 381},
        {"text of a negative index", [&] { f->SetItemText(-1, u"x"); }, 381},
        {"ListIndex past the end", [&] { f->SetListIndex(5); }, 380},
        {"ListIndex below -1", [&] { f->SetListIndex(-2); }, 380},
        {"a text of an object", [&] { f->AddItem(Variant::object(f->Font())); }, 13},
        {"an image list that is no object", [&] { f->SetImageList(Variant::i2(1)); }, 424},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": no error";
        } catch (const AutomationError& e) {
            EXPECT_EQ(e.number(), c.error) << c.what;
        }
        EXPECT_EQ(f->ListIndex(), 2) << c.what;
        ASSERT_EQ(TavrinAccess::items(*f).size(), before.size()) << c.what;
        for (size_t i = 0; i < before.size(); ++i)
            EXPECT_EQ(TavrinAccess::items(*f)[i].Text, before[i].Text) << c.what;
    }
    EXPECT_TRUE(f.changed.empty() || f.changed == std::vector<std::string>{"ListIndex"});
}

TEST(ListDispatch, GrowthBeyondTheLargestIndexIsRejected) {
    ListOnForm f;
    for (int i = 0; i < 32767; ++i)
        f->AddItem(Variant::string("x"));
    EXPECT_EQ(f->ListCount(), 32767);
    try {
        f->AddItem(Variant::string("one too many"));
        ADD_FAILURE() << "no error";
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.number(), 6);
    }
    EXPECT_EQ(f->ListCount(), 32767);
    EXPECT_TRUE(TavrinAccess::items(*f).back().Text.empty()); // the spare slot is still empty
}

TEST(ListDispatch, AHandlerThatSetsListIndexAgainReentersTheLet) {
    ListOnForm f;
    f.fill(10);
    EventLog log(f);
    bool redirected = false;
    f.site->onEvent = [&](std::string_view name, int32_t, std::vector<Variant>&) {
        log.names.emplace_back(name);
        if (name == "ListIndexChange" && !redirected) {
            redirected = true;
            EXPECT_EQ(f->ListIndex(), 3); // the state is updated before the event
            EXPECT_TRUE(f->ItemSelected(3));
            f->SetListIndex(7);
        }
    };
    f->SetListIndex(3);
    EXPECT_EQ(f->ListIndex(), 7);
    EXPECT_EQ(f->SelectedCount(), 1);
    EXPECT_EQ(log.names, (std::vector<std::string>{"ListIndexChange", "ListIndexChange"}));
}

} // namespace
} // namespace tavrin::testing
