// Late-bound access to an object's members by name or member ID, and the event sink.
//
// A class describes its members once in a DispatchTable; the table routes a call to a typed
// member. Missing optional arguments arrive as Variant::missing(); named arguments are matched to
// parameter names without regard to case.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Variant.h"

namespace tavrin {

enum class InvokeKind : uint8_t { Method, PropertyGet, PropertyLet, PropertySet };

struct NamedArg {
    std::string name;
    Variant value;
};

// Arguments of one call. For a let or set the new value is the last positional argument.
struct CallArgs {
    std::vector<Variant> positional;
    std::vector<NamedArg> named;
};

// One member of a table. `params` names the parameters (for named arguments), without the value
// of a let or set. `call` receives the arguments with the named ones put in place and the missing
// ones filled with Variant::missing(), `params.size()` of them (plus the value for a let or set).
struct MemberEntry {
    std::string name;
    int32_t memberId = 0;
    InvokeKind kind = InvokeKind::Method;
    std::vector<std::string> params;
    size_t requiredParams = 0; // how many leading params may not be missing
    std::function<Variant(void* self, std::vector<Variant>& args)> call;
};

class DispatchTable {
  public:
    void add(MemberEntry entry);
    // nullptr when the object has no such member of that kind.
    const MemberEntry* find(std::string_view name, InvokeKind kind) const;
    const MemberEntry* find(int32_t memberId, InvokeKind kind) const;
    bool hasName(std::string_view name) const;
    const std::vector<MemberEntry>& entries() const { return entries_; }

  private:
    std::vector<MemberEntry> entries_;
};

class Dispatchable : public std::enable_shared_from_this<Dispatchable> {
  public:
    virtual ~Dispatchable() = default;
    virtual const DispatchTable& dispatchTable() const = 0;
    virtual std::string typeName() const = 0;

    // Raise 438 for an unknown member, 449 for a missing required argument, 450 for too many.
    Variant invoke(std::string_view name, InvokeKind kind, CallArgs args);
    Variant invoke(int32_t memberId, InvokeKind kind, CallArgs args);

    // Members that are neither in the table nor public: private fields readable by name for tests
    // and the script host ("p_VisibleRows"). Nothing by default.
    virtual bool readPrivate(std::string_view name, Variant& out) const { return false; }

  protected:
    // The object that `call` receives as `self` (this, by default).
    virtual void* dispatchSelf() { return this; }
};

// Where a control raises its events. Arguments are passed by reference and nothing is read back.
class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void raiseEvent(std::string_view name, int32_t memberId, std::vector<Variant>& args) = 0;
};

// Helpers for building tables with typed lambdas.
template <class T> class TableBuilder {
  public:
    explicit TableBuilder(DispatchTable& table) : table_(table) {}

    // A method: fn(T&, std::vector<Variant>& args) -> Variant
    template <class Fn>
    TableBuilder& method(std::string name, int32_t id, std::vector<std::string> params, size_t required,
                         Fn fn) {
        table_.add({std::move(name), id, InvokeKind::Method, std::move(params), required,
                    [fn](void* self, std::vector<Variant>& a) { return fn(*static_cast<T*>(self), a); }});
        return *this;
    }
    // A property get: fn(T&, args) -> Variant; params are the index parameters, if any.
    template <class Fn>
    TableBuilder& get(std::string name, int32_t id, Fn fn, std::vector<std::string> params = {}) {
        size_t n = params.size();
        table_.add({std::move(name), id, InvokeKind::PropertyGet, std::move(params), n,
                    [fn](void* self, std::vector<Variant>& a) { return fn(*static_cast<T*>(self), a); }});
        return *this;
    }
    // A property let: fn(T&, args) with the value last.
    template <class Fn>
    TableBuilder& let(std::string name, int32_t id, Fn fn, std::vector<std::string> params = {}) {
        size_t n = params.size();
        table_.add({std::move(name), id, InvokeKind::PropertyLet, std::move(params), n,
                    [fn](void* self, std::vector<Variant>& a) {
                        fn(*static_cast<T*>(self), a);
                        return Variant();
                    }});
        return *this;
    }
    template <class Fn>
    TableBuilder& set(std::string name, int32_t id, Fn fn, std::vector<std::string> params = {}) {
        size_t n = params.size();
        table_.add({std::move(name), id, InvokeKind::PropertySet, std::move(params), n,
                    [fn](void* self, std::vector<Variant>& a) {
                        fn(*static_cast<T*>(self), a);
                        return Variant();
                    }});
        return *this;
    }

  private:
    DispatchTable& table_;
};

} // namespace tavrin
