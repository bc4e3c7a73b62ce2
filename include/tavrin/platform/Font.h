// The host's standard font object, with its change notification.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tavrin/automation/Dispatch.h"

namespace tavrin::platform {

// A plain description of a font, as surfaces and form files use it.
struct FontDesc {
    std::u16string name = u"DejaVu Sans";
    double size = 8.0; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int16_t weight = 400;
    int16_t charset = 0;
    bool operator==(const FontDesc&) const = default;
};

// Setting an attribute to a different value notifies every listener with the attribute's name
// ("Name", "Size", "Bold", "Italic", "Underline", "Strikethrough", "Weight", "Charset"); setting the
// value it already has notifies nobody. Bold and Weight follow each other (Bold is Weight > 550;
// setting Bold makes Weight 700 or 400) and that counts as one change. Size is kept in
// points to 4 decimals, as the host's currency type keeps it.
class StdFont : public Dispatchable {
  public:
    StdFont() = default;
    explicit StdFont(FontDesc desc) : desc_(std::move(desc)) {}

    const FontDesc& desc() const { return desc_; }
    std::shared_ptr<StdFont> clone() const; // same attributes, no listeners

    const std::u16string& Name() const { return desc_.name; }
    double Size() const { return desc_.size; }
    bool Bold() const { return desc_.bold; }
    bool Italic() const { return desc_.italic; }
    bool Underline() const { return desc_.underline; }
    bool Strikethrough() const { return desc_.strikethrough; }
    int16_t Weight() const { return desc_.weight; }
    int16_t Charset() const { return desc_.charset; }

    void SetName(const std::u16string& v);
    void SetSize(double v); // raises 380 for a size not above 0 or above 2048
    void SetBold(bool v);
    void SetItalic(bool v);
    void SetUnderline(bool v);
    void SetStrikethrough(bool v);
    void SetWeight(int16_t v);
    void SetCharset(int16_t v);

    using Listener = std::function<void(const std::string& attribute)>;
    // Returns a token for removeListener.
    int addListener(Listener listener);
    void removeListener(int token);

    const DispatchTable& dispatchTable() const override;
    std::string typeName() const override { return "Font"; }

  private:
    void notify(const std::string& attribute);

    FontDesc desc_;
    std::vector<std::pair<int, Listener>> listeners_;
    int nextToken_ = 1;
};

} // namespace tavrin::platform
