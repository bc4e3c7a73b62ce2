#include "tools/tavrin-run/Lexer.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "tavrin/automation/Conversions.h"

namespace tavrin::run {

bool Token::is(TokenKind k, std::string_view t) const {
    return kind == k && text == t;
}

bool Token::isWord(std::string_view w) const {
    return kind == TokenKind::Word && namesEqual(text, w);
}

namespace {

bool isWordStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}
bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}
bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

class Lexer {
  public:
    explicit Lexer(std::string_view line) : s_(line) {}

    std::vector<Token> run() {
        std::vector<Token> out;
        while (true) {
            skipSpace();
            if (atEnd() || s_[i_] == '\'' || s_[i_] == '#') break;
            out.push_back(next());
        }
        Token end;
        end.begin = end.end = s_.size();
        out.push_back(end);
        return out;
    }

  private:
    bool atEnd() const { return i_ >= s_.size(); }
    char peek(size_t ahead = 0) const { return i_ + ahead < s_.size() ? s_[i_ + ahead] : '\0'; }
    void skipSpace() {
        while (!atEnd() && (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\r'))
            ++i_;
    }
    [[noreturn]] void fail(const std::string& what, size_t at) const {
        throw SyntaxError(what + " at column " + std::to_string(at + 1));
    }

    Token make(TokenKind kind, size_t begin, std::string text) const {
        Token t;
        t.kind = kind;
        t.text = std::move(text);
        t.begin = begin;
        t.end = i_;
        return t;
    }

    Token next() {
        char c = s_[i_];
        if (isWordStart(c)) return word();
        if (isDigit(c) || (c == '.' && isDigit(peek(1)))) return number();
        if (c == '&' && (peek(1) == 'H' || peek(1) == 'h') && isHexDigit(peek(2))) return hex(2);
        if (c == '"') return string();
        if (c == '[') return bracketed();
        if (c == '{') return json();
        return symbol();
    }

    Token word() {
        size_t b = i_;
        while (!atEnd() && isWordChar(s_[i_]))
            ++i_;
        return make(TokenKind::Word, b, std::string(s_.substr(b, i_ - b)));
    }

    Token number() {
        size_t b = i_;
        if (s_[i_] == '0' && (peek(1) == 'x' || peek(1) == 'X') && isHexDigit(peek(2))) return hex(2);
        bool real = false;
        while (!atEnd() && isDigit(s_[i_]))
            ++i_;
        if (peek() == '.' && isDigit(peek(1))) {
            real = true;
            ++i_;
            while (!atEnd() && isDigit(s_[i_]))
                ++i_;
        }
        if ((peek() == 'e' || peek() == 'E') &&
            (isDigit(peek(1)) || ((peek(1) == '+' || peek(1) == '-') && isDigit(peek(2))))) {
            real = true;
            i_ += 2;
            while (!atEnd() && isDigit(s_[i_]))
                ++i_;
        }
        if (!atEnd() && isWordChar(s_[i_])) fail("malformed number", b);
        std::string text(s_.substr(b, i_ - b));
        Token t = make(real ? TokenKind::Real : TokenKind::Integer, b, text);
        t.real = std::strtod(text.c_str(), nullptr);
        // A literal beyond a double would be an infinity that no property can keep.
        if (!std::isfinite(t.real)) fail("number too large", b);
        if (!real) {
            if (text.size() > 15) fail("number too large", b);
            t.integer = std::strtoll(text.c_str(), nullptr, 10);
        }
        return t;
    }

    // &H... or 0x...: up to 8 hex digits, read as a 32-bit pattern; a trailing & is allowed.
    Token hex(size_t prefix) {
        size_t b = i_;
        i_ += prefix;
        size_t digits = i_;
        while (!atEnd() && isHexDigit(s_[i_]))
            ++i_;
        if (i_ - digits > 8) fail("hexadecimal number longer than 32 bits", b);
        uint32_t pattern = static_cast<uint32_t>(
            std::strtoul(std::string(s_.substr(digits, i_ - digits)).c_str(), nullptr, 16));
        if (peek() == '&') ++i_;
        if (!atEnd() && isWordChar(s_[i_])) fail("malformed hexadecimal number", b);
        Token t = make(TokenKind::Integer, b, std::string(s_.substr(b, i_ - b)));
        t.integer = static_cast<int32_t>(pattern);
        t.real = static_cast<double>(t.integer);
        return t;
    }

    Token string() {
        size_t b = i_++;
        std::string text;
        while (true) {
            if (atEnd()) fail("unterminated string", b);
            char c = s_[i_++];
            if (c != '"') {
                text += c;
            } else if (peek() == '"') {
                text += '"';
                ++i_;
            } else {
                break;
            }
        }
        return make(TokenKind::String, b, text);
    }

    Token bracketed() {
        size_t b = i_++;
        size_t close = s_.find(']', i_);
        if (close == std::string_view::npos) fail("missing ]", b);
        std::string inside(s_.substr(i_, close - i_));
        i_ = close + 1;
        return make(TokenKind::Bracketed, b, inside);
    }

    // A JSON object up to its matching brace; strings inside may hold braces and escaped quotes.
    Token json() {
        size_t b = i_;
        int depth = 0;
        bool inString = false;
        for (; !atEnd(); ++i_) {
            char c = s_[i_];
            if (inString) {
                if (c == '\\')
                    ++i_;
                else if (c == '"')
                    inString = false;
            } else if (c == '"') {
                inString = true;
            } else if (c == '{') {
                ++depth;
            } else if (c == '}' && --depth == 0) {
                ++i_;
                return make(TokenKind::Json, b, std::string(s_.substr(b, i_ - b)));
            }
        }
        fail("unterminated {", b);
    }

    Token symbol() {
        size_t b = i_;
        static const char* const twoChar[] = {"<>", "<=", ">=", ":="};
        for (const char* two : twoChar) {
            if (s_.substr(i_, 2) == two) {
                i_ += 2;
                return make(TokenKind::Symbol, b, two);
            }
        }
        static const std::string_view oneChar = ".,()=<>~&:?+-*/";
        if (oneChar.find(s_[i_]) == std::string_view::npos)
            fail(std::string("unexpected character '") + s_[i_] + "'", b);
        ++i_;
        return make(TokenKind::Symbol, b, std::string(1, s_[b]));
    }

    std::string_view s_;
    size_t i_ = 0;
};

} // namespace

std::vector<Token> tokenize(std::string_view line) {
    return Lexer(line).run();
}

} // namespace tavrin::run
