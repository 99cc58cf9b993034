// One-pass tokenizer for T-SQL statement text.
#include "host/db/tsql_tokens.hpp"

namespace ls::db::tsql {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
// Bytes of multi-byte UTF-8 characters count as letters: names may carry umlauts.
bool isWordStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '@' || c == '#' ||
           static_cast<unsigned char>(c) >= 0x80;
}
bool isWordChar(char c) {
    return isWordStart(c) || isDigit(c) || c == '$';
}

// Skips a quoted run that ends at `close`, a doubled `close` standing for itself.
std::size_t skipQuoted(std::string_view s, std::size_t pos, char close) {
    for (++pos; pos < s.size(); ++pos) {
        if (s[pos] != close) continue;
        if (pos + 1 < s.size() && s[pos + 1] == close) {
            ++pos;
            continue;
        }
        return pos + 1;
    }
    return s.size();  // unterminated: the database reports it
}

std::size_t skipSpaceAndComments(std::string_view s, std::size_t pos) {
    while (pos < s.size()) {
        const char next = pos + 1 < s.size() ? s[pos + 1] : '\0';
        if (isSpace(s[pos])) {
            ++pos;
        } else if (s[pos] == '-' && next == '-') {
            const auto end = s.find('\n', pos);
            pos = end == std::string_view::npos ? s.size() : end + 1;
        } else if (s[pos] == '/' && next == '*') {
            const auto end = s.find("*/", pos + 2);
            pos = end == std::string_view::npos ? s.size() : end + 2;
        } else {
            break;
        }
    }
    return pos;
}

}  // namespace

std::vector<Token> tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    tokens.reserve(sql.size() / 4);
    std::size_t pos = 0;
    for (;;) {
        const std::size_t space = pos;
        pos = skipSpaceAndComments(sql, pos);
        if (pos >= sql.size()) break;
        Token t{TokenKind::Punct, space, pos, pos + 1};
        const char c = sql[pos];
        if (c == '\'') {
            t.kind = TokenKind::String;
            t.end = skipQuoted(sql, pos, '\'');
        } else if ((c == 'N' || c == 'n') && pos + 1 < sql.size() && sql[pos + 1] == '\'') {
            t.kind = TokenKind::String;
            t.national = true;
            t.end = skipQuoted(sql, pos + 1, '\'');
        } else if (c == '[') {
            t.kind = TokenKind::QuotedName;
            t.end = skipQuoted(sql, pos, ']');
        } else if (c == '"' || c == '`') {
            t.kind = TokenKind::QuotedName;
            t.end = skipQuoted(sql, pos, c);
        } else if (isDigit(c) || (c == '.' && pos + 1 < sql.size() && isDigit(sql[pos + 1]))) {
            t.kind = TokenKind::Number;
            std::size_t p = pos;
            while (p < sql.size() && isDigit(sql[p]))
                ++p;
            if (p < sql.size() && sql[p] == '.')
                for (++p; p < sql.size() && isDigit(sql[p]);)
                    ++p;
            if (p < sql.size() && (sql[p] == 'e' || sql[p] == 'E')) {
                std::size_t q = p + 1;
                if (q < sql.size() && (sql[q] == '+' || sql[q] == '-')) ++q;
                if (q < sql.size() && isDigit(sql[q])) {
                    p = q;
                    while (p < sql.size() && isDigit(sql[p]))
                        ++p;
                }
            }
            // 0x1F and the like stay one token.
            while (p < sql.size() && isWordChar(sql[p]))
                ++p;
            t.end = p;
        } else if (isWordStart(c)) {
            t.kind = TokenKind::Word;
            std::size_t p = pos + 1;
            while (p < sql.size() && isWordChar(sql[p]))
                ++p;
            t.end = p;
        } else if (c == '<' || c == '>' || c == '!' || c == '|') {
            static constexpr std::string_view kPairs[] = {"<=", ">=", "<>", "!=", "!<", "!>", "||"};
            for (const auto pair : kPairs)
                if (sql.substr(pos, 2) == pair) t.end = pos + 2;
        }
        pos = t.end;
        tokens.push_back(t);
    }
    return tokens;
}

bool isWord(std::string_view sql, const Token& t, std::string_view upperWord) {
    if (t.kind != TokenKind::Word || t.end - t.begin != upperWord.size()) return false;
    for (std::size_t i = 0; i < upperWord.size(); ++i) {
        char c = sql[t.begin + i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (c != upperWord[i]) return false;
    }
    return true;
}

bool isPunct(std::string_view sql, const Token& t, std::string_view punct) {
    return t.kind == TokenKind::Punct && textOf(sql, t) == punct;
}

}  // namespace ls::db::tsql
