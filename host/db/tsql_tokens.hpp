// The tokens of a T-SQL statement: words, numbers, literals, quoted names, punctuation.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace ls::db::tsql {

enum class TokenKind { Word, Number, String, QuotedName, Punct };

struct Token {
    TokenKind kind;
    std::size_t space;  // start of the blanks and comments before the token
    std::size_t begin;
    std::size_t end;
    bool national = false;  // N'...' literal
};

// Splits the statement in one pass. Blanks and comments belong to the following token, so
// the tokens with their leading space give back the statement exactly (up to the text
// after the last token, which starts at the last token's end).
std::vector<Token> tokenize(std::string_view sql);

inline std::string_view textOf(std::string_view sql, const Token& t) {
    return sql.substr(t.begin, t.end - t.begin);
}

// Case-insensitive comparison of a word token with an upper-case ASCII word.
bool isWord(std::string_view sql, const Token& t, std::string_view upperWord);
bool isPunct(std::string_view sql, const Token& t, std::string_view punct);

}  // namespace ls::db::tsql
