// Tokens of one line of a script.
//
// A line is cut into words, numbers, strings, brackets, inline JSON bags and punctuation. `'` and
// `#` start a comment outside strings and bags. Every token remembers where it starts and ends in
// the line so that messages can quote the script's own text.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::run {

enum class TokenKind : uint8_t {
    Word,      // a name or keyword: List, AddItem, expect, p_RowHeight
    Integer,   // 12, &H8000000D, &HC08040&, 0x8000000D
    Real,      // 0.5, 1e3
    String,    // "say ""hi""" (the text is unquoted)
    Bracketed, // [3D], [Fixed Single] (the text is the inside)
    Json,      // {"SelectMode": 1} (the text is the whole bag)
    Symbol,    // . , ( ) = <> < > <= >= ~ & : := ? + - * /
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;          // the word, the symbol, the unquoted string, the bag
    int64_t integer = 0;       // Integer: the value (hex as a 32-bit pattern)
    double real = 0;           // Real: the value
    size_t begin = 0, end = 0; // offsets in the line

    bool is(TokenKind k, std::string_view t) const;
    bool isSymbol(std::string_view t) const { return is(TokenKind::Symbol, t); }
    bool isWord(std::string_view w) const; // case-insensitive
};

// A malformed line: the message says what, the column where.
class SyntaxError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The tokens of a line, ending with one End token.
std::vector<Token> tokenize(std::string_view line);

} // namespace tavrin::run
