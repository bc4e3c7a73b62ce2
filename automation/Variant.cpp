// The automation value's constructors and its identity comparison.
#include "tavrin/automation/Variant.h"

#include "tavrin/automation/Conversions.h"

namespace tavrin {

template <auto Field, class T> Variant Variant::make(VarType type, T value) {
    Variant v;
    v.type_ = type;
    v.*Field = std::move(value);
    return v;
}

Variant Variant::missing() {
    Variant v;
    v.type_ = VarType::Missing;
    return v;
}

Variant Variant::i2(int16_t value) {
    return make<&Variant::i2_>(VarType::I2, value);
}

Variant Variant::i4(int32_t value) {
    return make<&Variant::i4_>(VarType::I4, value);
}

Variant Variant::r4(float value) {
    return make<&Variant::r4_>(VarType::R4, value);
}

Variant Variant::r8(double value) {
    return make<&Variant::r8_>(VarType::R8, value);
}

Variant Variant::boolean(bool value) {
    return make<&Variant::b_>(VarType::Bool, value);
}

Variant Variant::string(std::u16string value) {
    return make<&Variant::str_>(VarType::String, std::move(value));
}

Variant Variant::string(std::string_view utf8Text) {
    return string(utf16(utf8Text));
}

Variant Variant::object(std::shared_ptr<Dispatchable> value) {
    return make<&Variant::obj_>(VarType::Object, std::move(value));
}

bool Variant::isNumeric() const {
    switch (type_) {
    case VarType::I2:
    case VarType::I4:
    case VarType::R4:
    case VarType::R8:
    case VarType::Bool:
        return true;
    default:
        return false;
    }
}

bool Variant::operator==(const Variant& other) const {
    if (type_ != other.type_) return false;
    switch (type_) {
    case VarType::Empty:
    case VarType::Missing:
        return true;
    case VarType::I2:
        return i2_ == other.i2_;
    case VarType::I4:
        return i4_ == other.i4_;
    case VarType::R4:
        return r4_ == other.r4_;
    case VarType::R8:
        return r8_ == other.r8_;
    case VarType::Bool:
        return b_ == other.b_;
    case VarType::String:
        return str_ == other.str_;
    case VarType::Object:
        return obj_ == other.obj_;
    }
    return false;
}

} // namespace tavrin
