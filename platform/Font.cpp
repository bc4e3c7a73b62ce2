// The standard font object: attributes, change notification and its automation members.
#include "tavrin/platform/Font.h"

#include <cmath>

#include "tavrin/automation/Conversions.h"

namespace tavrin::platform {

namespace {

// Bold is a weight above the midpoint between normal (400) and bold (700).
constexpr int16_t kNormalWeight = 400;
constexpr int16_t kBoldWeight = 700;
constexpr int16_t kBoldThreshold = 550;

// Sizes are kept as the host's currency type keeps them: four decimals, halves to even.
double toCurrency(double points) {
    const double scaled = points * 10000.0;
    const double lower = std::floor(scaled);
    const double diff = scaled - lower;
    double r = diff < 0.5 ? lower : diff > 0.5 ? lower + 1 : (std::fmod(lower, 2.0) == 0 ? lower : lower + 1);
    return r / 10000.0;
}

} // namespace

std::shared_ptr<StdFont> StdFont::clone() const {
    return std::make_shared<StdFont>(desc_);
}

void StdFont::SetName(const std::u16string& v) {
    if (v == desc_.name) return;
    desc_.name = v;
    notify("Name");
}

void StdFont::SetSize(double v) {
    if (!(v > 0 && v <= 2048)) RaiseInvalidPropertyValue();
    const double size = toCurrency(v);
    if (size == desc_.size) return;
    desc_.size = size;
    notify("Size");
}

void StdFont::SetBold(bool v) {
    if (v == desc_.bold) return;
    desc_.bold = v;
    desc_.weight = v ? kBoldWeight : kNormalWeight;
    notify("Bold");
}

void StdFont::SetItalic(bool v) {
    if (v == desc_.italic) return;
    desc_.italic = v;
    notify("Italic");
}

void StdFont::SetUnderline(bool v) {
    if (v == desc_.underline) return;
    desc_.underline = v;
    notify("Underline");
}

void StdFont::SetStrikethrough(bool v) {
    if (v == desc_.strikethrough) return;
    desc_.strikethrough = v;
    notify("Strikethrough");
}

void StdFont::SetWeight(int16_t v) {
    if (v == desc_.weight) return;
    desc_.weight = v;
    desc_.bold = v > kBoldThreshold;
    notify("Weight");
}

void StdFont::SetCharset(int16_t v) {
    if (v == desc_.charset) return;
    desc_.charset = v;
    notify("Charset");
}

int StdFont::addListener(Listener listener) {
    const int token = nextToken_++;
    listeners_.emplace_back(token, std::move(listener));
    return token;
}

void StdFont::removeListener(int token) {
    std::erase_if(listeners_, [token](const auto& entry) { return entry.first == token; });
}

void StdFont::notify(const std::string& attribute) {
    // A listener may add or remove listeners while it runs: call a snapshot.
    const auto snapshot = listeners_;
    for (const auto& entry : snapshot)
        entry.second(attribute);
}

const DispatchTable& StdFont::dispatchTable() const {
    static const DispatchTable table = [] {
        DispatchTable t;
        TableBuilder<StdFont> b(t);
        b.get("Name", 0, [](StdFont& f, auto&) { return Variant::string(f.Name()); })
            .let("Name", 0, [](StdFont& f, auto& a) { f.SetName(toText(a.back())); })
            .get("Size", 2, [](StdFont& f, auto&) { return Variant::r8(f.Size()); })
            .let("Size", 2, [](StdFont& f, auto& a) { f.SetSize(toR8(a.back())); })
            .get("Bold", 3, [](StdFont& f, auto&) { return Variant::boolean(f.Bold()); })
            .let("Bold", 3, [](StdFont& f, auto& a) { f.SetBold(toBool(a.back())); })
            .get("Italic", 4, [](StdFont& f, auto&) { return Variant::boolean(f.Italic()); })
            .let("Italic", 4, [](StdFont& f, auto& a) { f.SetItalic(toBool(a.back())); })
            .get("Underline", 5, [](StdFont& f, auto&) { return Variant::boolean(f.Underline()); })
            .let("Underline", 5, [](StdFont& f, auto& a) { f.SetUnderline(toBool(a.back())); })
            .get("Strikethrough", 6, [](StdFont& f, auto&) { return Variant::boolean(f.Strikethrough()); })
            .let("Strikethrough", 6, [](StdFont& f, auto& a) { f.SetStrikethrough(toBool(a.back())); })
            .get("Weight", 7, [](StdFont& f, auto&) { return Variant::i2(f.Weight()); })
            .let("Weight", 7, [](StdFont& f, auto& a) { f.SetWeight(toI2(a.back())); })
            .get("Charset", 8, [](StdFont& f, auto&) { return Variant::i2(f.Charset()); })
            .let("Charset", 8, [](StdFont& f, auto& a) { f.SetCharset(toI2(a.back())); });
        return t;
    }();
    return table;
}

} // namespace tavrin::platform
