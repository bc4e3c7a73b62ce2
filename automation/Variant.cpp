// The automation value's constructors and its identity comparison.
#include "tavrin/automation/Variant.h"

#include "tavrin/automation/Conversions.h"

namespace tavrin {

Variant Variant::missing() {
    Variant v;
    v.type_ = VarType::Missing;
    return v;
}

Variant Variant::i2(int16_t value) {
    Variant v;
    v.type_ = VarType::I2;
    v.i2_ = value;
    return v;
}

Variant Variant::i4(int32_t value) {
    Variant v;
    v.type_ = VarType::I4;
    v.i4_ = value;
    return v;
}

Variant Variant::r4(float value) {
    Variant v;
    v.type_ = VarType::R4;
    v.r4_ = value;
    return v;
}

Variant Variant::r8(double value) {
    Variant v;
    v.type_ = VarType::R8;
    v.r8_ = value;
    return v;
}

Variant Variant::boolean(bool value) {
    Variant v;
    v.type_ = VarType::Bool;
    v.b_ = value;
    return v;
}

Variant Variant::string(std::u16string value) {
    Variant v;
    v.type_ = VarType::String;
    v.str_ = std::move(value);
    return v;
}

Variant Variant::string(std::string_view utf8Text) {
    return string(utf16(utf8Text));
}

Variant Variant::object(std::shared_ptr<Dispatchable> value) {
    Variant v;
    v.type_ = VarType::Object;
    v.obj_ = std::move(value);
    return v;
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
