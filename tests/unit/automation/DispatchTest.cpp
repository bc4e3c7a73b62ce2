// Late-bound calls: finding members, placing arguments, and the errors of a bad call.
#include <gtest/gtest.h>

#include "tavrin/automation/Conversions.h"
#include "tavrin/automation/Dispatch.h"

using namespace tavrin;

namespace {

// A small object with a method of one required and one optional parameter, a property with get and
// let, an indexed read-only property and an object property with a set.
class Recorder : public Dispatchable {
  public:
    std::vector<Variant> lastArgs;
    int32_t value = 0;
    std::shared_ptr<Dispatchable> child;

    const DispatchTable& dispatchTable() const override {
        static const DispatchTable table = [] {
            DispatchTable t;
            TableBuilder<Recorder> b(t);
            b.method("Add", 0x10, {"First", "Second"}, 1,
                     [](Recorder& r, std::vector<Variant>& a) {
                         r.lastArgs = a;
                         return Variant::i4(toI4(a[0]) + (a[1].isMissing() ? 0 : toI4(a[1])));
                     })
                .get("Value", 0x20, [](Recorder& r, auto&) { return Variant::i4(r.value); })
                .let("Value", 0x20,
                     [](Recorder& r, std::vector<Variant>& a) {
                         r.lastArgs = a;
                         r.value = toI4(a.back());
                     })
                .get("Item", 0x30, [](Recorder&, auto& a) { return Variant::i4(toI4(a[0]) * 10); }, {"Index"})
                .set("Child", 0x40, [](Recorder& r, auto& a) { r.child = a.back().asObject(); });
            return t;
        }();
        return table;
    }
    std::string typeName() const override { return "Recorder"; }
};

int32_t errorOf(Recorder& r, std::string_view name, InvokeKind kind, CallArgs args) {
    try {
        r.invoke(name, kind, std::move(args));
    } catch (const AutomationError& e) {
        return e.number();
    }
    return 0;
}

CallArgs positional(std::vector<Variant> values) {
    return CallArgs{std::move(values), {}};
}

} // namespace

TEST(Dispatch, FindsMembersByNameInAnyCaseAndByMemberId) {
    Recorder r;
    EXPECT_EQ(toI4(r.invoke("add", InvokeKind::Method, positional({Variant::i2(2), Variant::i2(3)}))), 5);
    EXPECT_EQ(toI4(r.invoke("ADD", InvokeKind::Method, positional({Variant::i2(2)}))), 2);
    r.invoke(0x20, InvokeKind::PropertyLet, positional({Variant::i4(7)}));
    EXPECT_EQ(toI4(r.invoke("vALUE", InvokeKind::PropertyGet, {})), 7);
    EXPECT_EQ(toI4(r.invoke(0x30, InvokeKind::PropertyGet, positional({Variant::i2(4)}))), 40);
    // a property read as a method and a method read as a property, as the host allows
    EXPECT_EQ(toI4(r.invoke("Value", InvokeKind::Method, {})), 7);
    EXPECT_EQ(toI4(r.invoke("Add", InvokeKind::PropertyGet, positional({Variant::i2(1)}))), 1);
}

TEST(Dispatch, NamedArgumentsFillTheirSlotsAndTheRestAreMissing) {
    Recorder r;
    r.invoke("Add", InvokeKind::Method,
             CallArgs{{}, {{"second", Variant::i2(2)}, {"FIRST", Variant::i2(1)}}});
    ASSERT_EQ(r.lastArgs.size(), 2u);
    EXPECT_EQ(r.lastArgs[0], Variant::i2(1));
    EXPECT_EQ(r.lastArgs[1], Variant::i2(2));

    r.invoke("Add", InvokeKind::Method, positional({Variant::i2(9)}));
    ASSERT_EQ(r.lastArgs.size(), 2u);
    EXPECT_TRUE(r.lastArgs[1].isMissing());

    // an explicitly empty position is still missing and may be named later
    r.invoke("Add", InvokeKind::Method,
             CallArgs{{Variant::i2(1), Variant::missing()}, {{"Second", Variant::i2(5)}}});
    EXPECT_EQ(r.lastArgs[1], Variant::i2(5));
}

TEST(Dispatch, TheNewValueOfALetComesAfterTheParameters) {
    Recorder r;
    r.invoke("Value", InvokeKind::PropertyLet, positional({Variant::string("12")}));
    ASSERT_EQ(r.lastArgs.size(), 1u);
    EXPECT_EQ(r.value, 12);
    auto other = std::make_shared<Recorder>();
    r.invoke("child", InvokeKind::PropertySet, positional({Variant::object(other)}));
    EXPECT_EQ(r.child, other);
}

TEST(Dispatch, BadCallsRaiseTheHostsErrors) {
    Recorder r;
    struct Case {
        const char* name;
        InvokeKind kind;
        CallArgs args;
        int32_t error;
    };
    const Case cases[] = {
        {"Subtract", InvokeKind::Method, {}, err::MemberNotFound},
        {"Add", InvokeKind::Method, {}, err::ArgumentNotOptional},
        {"Add", InvokeKind::Method, positional({Variant::missing(), Variant::i2(1)}),
         err::ArgumentNotOptional},
        {"Add", InvokeKind::Method, positional({Variant::i2(1), Variant::i2(2), Variant::i2(3)}),
         err::WrongNumberOfArguments},
        {"Add", InvokeKind::Method, CallArgs{{}, {{"Third", Variant::i2(1)}}}, err::NamedArgumentNotFound},
        {"Add", InvokeKind::Method, CallArgs{{Variant::i2(1)}, {{"First", Variant::i2(1)}}},
         err::WrongNumberOfArguments},
        {"Item", InvokeKind::PropertyGet, {}, err::ArgumentNotOptional},
        {"Item", InvokeKind::PropertyLet, positional({Variant::i2(1), Variant::i2(2)}),
         err::WrongNumberOfArguments},
        {"Value", InvokeKind::PropertyLet, {}, err::ArgumentNotOptional},
        {"Value", InvokeKind::PropertyLet, positional({Variant::i2(1), Variant::i2(2)}),
         err::WrongNumberOfArguments},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(errorOf(r, c.name, c.kind, c.args), c.error);
    }
    EXPECT_THROW(r.invoke(0x99, InvokeKind::Method, {}), AutomationError);
    EXPECT_EQ(r.value, 0); // no failed let reached the property
}
