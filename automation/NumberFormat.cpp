// The host's Format for numbers (date formats: DateFormat.cpp).
//
// A format is up to three sections separated by ';' (positive; negative; zero). In a section:
//   0   a digit, shown even when it is a leading or trailing zero
//   #   a digit, shown only when significant
//   .   the decimal point (the first one; later ones are literal)
//   ,   between digit placeholders: thousands separators; right before the point or the end of
//       the digits: the number is divided by 1000 for each
//   %   the number is multiplied by 100 and a '%' shown
//   "text" and \c  literal text; any other character stands for itself
// Named formats: "General Number", "Fixed", "Standard", "Percent", "Scientific", "Yes/No",
// "True/False", "On/Off". Rounding is half away from zero at the last digit shown, applied to the
// value as read to 15 significant digits (so 2.675 shows as 2.68 with two decimals).
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "automation/DateFormat.h"
#include "automation/DecimalDigits.h"
#include "tavrin/automation/Conversions.h"

namespace tavrin {

namespace {

using detail::DecimalDigits;

struct Token {
    enum class Kind { IntegerDigits, Point, Literal } kind;
    std::string text;
};

struct Section {
    std::vector<Token> tokens;
    int integerPlaceholders = 0;
    int firstIntegerZero = -1; // index of the first '0' before the point
    int fractionPlaceholders = 0;
    int fractionRequired = 0; // fraction digits up to the last '0' always shown
    bool point = false;
    bool grouping = false;
    int thousandsScale = 0;
    int percents = 0;
};

class SectionParser {
  public:
    Section parse(std::string_view text) {
        for (size_t i = 0; i < text.size(); ++i)
            i = step(text, i);
        section_.thousandsScale += pendingCommas_;
        return section_;
    }

  private:
    // Handles the character at i; returns the index of the last character consumed.
    size_t step(std::string_view text, size_t i) {
        const char c = text[i];
        if (c == '"') {
            const size_t end = text.find('"', i + 1);
            literal(text.substr(i + 1, end == std::string_view::npos ? std::string_view::npos : end - i - 1));
            return end == std::string_view::npos ? text.size() : end;
        }
        if (c == '\\' && i + 1 < text.size()) {
            literal(text.substr(i + 1, 1));
            return i + 1;
        }
        if (c == '0' || c == '#') {
            placeholder(c == '0');
        } else if (c == '.' && !section_.point) {
            decimalPoint();
        } else if (c == ',' && !section_.point && section_.integerPlaceholders > 0) {
            ++pendingCommas_;
        } else {
            if (c == '%') ++section_.percents;
            literal(text.substr(i, 1));
        }
        return i;
    }

    void placeholder(bool zero) {
        if (section_.point) {
            ++section_.fractionPlaceholders;
            if (zero) section_.fractionRequired = section_.fractionPlaceholders;
            return;
        }
        if (pendingCommas_ > 0) section_.grouping = true;
        pendingCommas_ = 0;
        if (section_.integerPlaceholders == 0) section_.tokens.push_back({Token::Kind::IntegerDigits, {}});
        if (zero && section_.firstIntegerZero < 0) section_.firstIntegerZero = section_.integerPlaceholders;
        ++section_.integerPlaceholders;
    }

    void decimalPoint() {
        section_.thousandsScale += pendingCommas_;
        pendingCommas_ = 0;
        // A format such as ".00" still shows the whole part in front of the point.
        if (section_.integerPlaceholders == 0) section_.tokens.push_back({Token::Kind::IntegerDigits, {}});
        section_.point = true;
        section_.tokens.push_back({Token::Kind::Point, {}});
    }

    void literal(std::string_view text) {
        if (!section_.tokens.empty() && section_.tokens.back().kind == Token::Kind::Literal) {
            section_.tokens.back().text += text;
        } else {
            section_.tokens.push_back({Token::Kind::Literal, std::string(text)});
        }
    }

    Section section_;
    int pendingCommas_ = 0;
};

std::vector<std::string> splitSections(std::string_view format) {
    std::vector<std::string> sections(1);
    bool quoted = false;
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) {
            sections.emplace_back();
            continue;
        }
        sections.back().push_back(c);
        if (c == '\\' && !quoted && i + 1 < format.size()) sections.back().push_back(format[++i]);
    }
    return sections;
}

std::string groupThousands(const std::string& digits) {
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
        out.push_back(digits[i]);
    }
    return out;
}

// The magnitude (sign handled by the caller) laid out by one section.
std::string applySection(const Section& s, double magnitude) {
    DecimalDigits d = detail::toDecimalDigits(magnitude, 15);
    d.exponent += 2 * s.percents - 3 * s.thousandsScale;
    detail::roundHalfAway(d, s.fractionPlaceholders);
    std::string whole = detail::integerDigits(d);
    const int minWhole = s.firstIntegerZero < 0 ? 0 : s.integerPlaceholders - s.firstIntegerZero;
    if (static_cast<int>(whole.size()) < minWhole) whole.insert(0, minWhole - whole.size(), '0');
    if (s.grouping) whole = groupThousands(whole);
    std::string fraction = detail::fractionDigitsOf(d, s.fractionPlaceholders);
    while (static_cast<int>(fraction.size()) > s.fractionRequired && fraction.back() == '0')
        fraction.pop_back();

    std::string out;
    for (const Token& t : s.tokens) {
        switch (t.kind) {
        case Token::Kind::IntegerDigits:
            out += whole;
            break;
        case Token::Kind::Point:
            out += "." + fraction;
            break;
        case Token::Kind::Literal:
            out += t.text;
            break;
        }
    }
    return out;
}

std::string customFormat(double value, std::string_view format) {
    const std::vector<std::string> sections = splitSections(format);
    const auto sectionAt = [&](size_t k) { return sections.size() > k && !sections[k].empty() ? k : 0; };
    if (value == 0 && sections.size() > 2)
        return applySection(SectionParser().parse(sections[sectionAt(2)]), 0);
    if (value < 0 && sectionAt(1) == 1) return applySection(SectionParser().parse(sections[1]), -value);
    const std::string body = applySection(SectionParser().parse(sections[0]), std::fabs(value));
    // Like the host, a negative value that rounds to zero keeps its sign ("-0.00").
    return value < 0 ? "-" + body : body;
}

std::string scientific(double value) {
    DecimalDigits d = detail::toDecimalDigits(value, 15);
    int exponent = d.exponent;
    d.exponent = 0;
    detail::roundHalfAway(d, 2);
    exponent += d.exponent;
    d.exponent = 0;
    std::string whole = detail::integerDigits(d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return (d.negative ? "-" : "") + (whole.empty() ? "0" : whole) + "." + detail::fractionDigitsOf(d, 2) +
           buf;
}

std::optional<std::string> namedFormat(double value, std::string_view name) {
    if (name.empty() || namesEqual(name, "General Number")) return toUtf8Text(Variant::r8(value));
    if (namesEqual(name, "Fixed")) return customFormat(value, "0.00");
    if (namesEqual(name, "Standard")) return customFormat(value, "#,##0.00");
    if (namesEqual(name, "Percent")) return customFormat(value, "0.00%");
    if (namesEqual(name, "Scientific")) return scientific(value);
    if (namesEqual(name, "Yes/No")) return value != 0 ? "Yes" : "No";
    if (namesEqual(name, "True/False")) return value != 0 ? "True" : "False";
    if (namesEqual(name, "On/Off")) return value != 0 ? "On" : "Off";
    return std::nullopt;
}

} // namespace

std::u16string formatNumber(double value, std::u16string_view format) {
    checkedFinite(value);
    const std::string spec = utf8(format);
    if (auto named = namedFormat(value, spec)) return utf16(*named);
    if (auto named = detail::namedDateFormat(value, spec)) return utf16(*named);
    if (detail::isDateFormat(spec)) return utf16(detail::formatDate(value, spec));
    return utf16(customFormat(value, spec));
}

} // namespace tavrin
