// The automation value: what crosses the dispatch interface, the event sink and the property bag.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tavrin {

class Dispatchable;

enum class VarType : uint8_t {
    Empty,   // never assigned
    Missing, // an optional argument the caller left out
    I2,
    I4,
    R4,
    R8,
    Bool,
    String, // UTF-16
    Object, // a Dispatchable, or no object (Nothing) when the pointer is null
};

class Variant {
  public:
    Variant() = default;
    static Variant missing();
    static Variant i2(int16_t v);
    static Variant i4(int32_t v);
    static Variant r4(float v);
    static Variant r8(double v);
    static Variant boolean(bool v);
    static Variant string(std::u16string v);
    static Variant string(std::string_view utf8);
    static Variant object(std::shared_ptr<Dispatchable> v);

    VarType type() const { return type_; }
    bool isMissing() const { return type_ == VarType::Missing; }
    bool isEmpty() const { return type_ == VarType::Empty; }
    bool isNumeric() const; // I2, I4, R4, R8 or Bool

    // Raw accessors: the value in its own type; asserting the type is the caller's job.
    int16_t asI2() const { return i2_; }
    int32_t asI4() const { return i4_; }
    float asR4() const { return r4_; }
    double asR8() const { return r8_; }
    bool asBool() const { return b_; }
    const std::u16string& asString() const { return str_; }
    const std::shared_ptr<Dispatchable>& asObject() const { return obj_; }

    bool operator==(const Variant& other) const; // same type and same value (objects: same pointer)

  private:
    // A value of `type` with `value` in `Field`: what every factory above does.
    template <auto Field, class T> static Variant make(VarType type, T value);

    VarType type_ = VarType::Empty;
    union {
        int16_t i2_;
        int32_t i4_;
        float r4_;
        double r8_ = 0;
        bool b_;
    };
    std::u16string str_;
    std::shared_ptr<Dispatchable> obj_;
};

} // namespace tavrin
