// Late-bound calls: find the member, put the arguments in their parameter slots, call it.
//
// 1. Find the entry by name (any case) or member ID and kind. A method call may reach a property
//    get and a get may reach a method, as the host allows `x = obj.Member(1)` either way.
// 2. Take the new value off the end for a let or set.
// 3. Positional arguments fill the parameters in order; named ones their own slot.
// 4. Every parameter left unfilled is Missing; a missing required one raises 449.
#include "tavrin/automation/Dispatch.h"

#include "tavrin/automation/Conversions.h"

namespace tavrin {

void DispatchTable::add(MemberEntry entry) {
    entries_.push_back(std::move(entry));
}

const MemberEntry* DispatchTable::find(std::string_view name, InvokeKind kind) const {
    for (const MemberEntry& e : entries_) {
        if (e.kind == kind && namesEqual(e.name, name)) return &e;
    }
    return nullptr;
}

const MemberEntry* DispatchTable::find(int32_t memberId, InvokeKind kind) const {
    for (const MemberEntry& e : entries_) {
        if (e.kind == kind && e.memberId == memberId) return &e;
    }
    return nullptr;
}

bool DispatchTable::hasName(std::string_view name) const {
    for (const MemberEntry& e : entries_) {
        if (namesEqual(e.name, name)) return true;
    }
    return false;
}

namespace {

// The entry a call of this kind reaches; 438 when the member is unknown, 450 when it exists but
// cannot be assigned (or read) this way.
template <class Key> const MemberEntry& resolve(const DispatchTable& table, const Key& key, InvokeKind kind) {
    if (const MemberEntry* e = table.find(key, kind)) return *e;
    const bool reading = kind == InvokeKind::Method || kind == InvokeKind::PropertyGet;
    if (reading) {
        const InvokeKind other = kind == InvokeKind::Method ? InvokeKind::PropertyGet : InvokeKind::Method;
        if (const MemberEntry* e = table.find(key, other)) return *e;
    }
    const bool known = table.find(key, InvokeKind::Method) || table.find(key, InvokeKind::PropertyGet) ||
                       table.find(key, InvokeKind::PropertyLet) || table.find(key, InvokeKind::PropertySet);
    raise(known ? err::WrongNumberOfArguments : err::MemberNotFound);
}

size_t paramIndex(const MemberEntry& entry, const std::string& name) {
    for (size_t i = 0; i < entry.params.size(); ++i) {
        if (namesEqual(entry.params[i], name)) return i;
    }
    raise(err::NamedArgumentNotFound);
}

std::vector<Variant> arrangeArgs(const MemberEntry& entry, CallArgs& args, InvokeKind kind) {
    const bool assigning = kind == InvokeKind::PropertyLet || kind == InvokeKind::PropertySet;
    Variant value;
    if (assigning) {
        if (args.positional.empty()) raise(err::ArgumentNotOptional);
        value = std::move(args.positional.back());
        args.positional.pop_back();
    }
    if (args.positional.size() > entry.params.size()) raise(err::WrongNumberOfArguments);
    std::vector<Variant> slots(entry.params.size(), Variant::missing());
    for (size_t i = 0; i < args.positional.size(); ++i)
        slots[i] = std::move(args.positional[i]);
    for (NamedArg& named : args.named) {
        const size_t index = paramIndex(entry, named.name);
        if (!slots[index].isMissing()) raise(err::WrongNumberOfArguments); // given twice
        slots[index] = std::move(named.value);
    }
    for (size_t i = 0; i < entry.requiredParams && i < slots.size(); ++i) {
        if (slots[i].isMissing()) raise(err::ArgumentNotOptional);
    }
    if (assigning) slots.push_back(std::move(value));
    return slots;
}

} // namespace

Variant Dispatchable::invoke(std::string_view name, InvokeKind kind, CallArgs args) {
    const MemberEntry& entry = resolve(dispatchTable(), name, kind);
    std::vector<Variant> slots = arrangeArgs(entry, args, kind);
    return entry.call(dispatchSelf(), slots);
}

Variant Dispatchable::invoke(int32_t memberId, InvokeKind kind, CallArgs args) {
    const MemberEntry& entry = resolve(dispatchTable(), memberId, kind);
    std::vector<Variant> slots = arrangeArgs(entry, args, kind);
    return entry.call(dispatchSelf(), slots);
}

} // namespace tavrin
