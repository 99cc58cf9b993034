// Rewrites the T-SQL forms that SQLite lacks: ISNULL, CONVERT to text, '+' between texts.
#include "host/db/tsql_translate.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <optional>
#include <unordered_map>

#include "host/db/tsql_tokens.hpp"

namespace ls::db {
namespace {

using tsql::Token;
using tsql::TokenKind;

constexpr std::size_t kNone = static_cast<std::size_t>(-1);

// What an expression yields, as far as its form tells: a '+' is a concatenation when one
// side is text and the other is not known to be a number.
enum class Kind { Unknown, Text, Number };

// Words that end or join expressions; they are never operands themselves.
constexpr std::string_view kKeywords[] = {
    "ALL",    "AND",    "AS",        "ASC",   "BETWEEN", "BY",      "CASE",      "COLLATE", "CROSS",
    "DELETE", "DESC",   "DISTINCT",  "ELSE",  "END",     "ESCAPE",  "EXCEPT",    "EXISTS",  "FROM",
    "FULL",   "GROUP",  "HAVING",    "IN",    "INNER",   "INSERT",  "INTERSECT", "INTO",    "IS",
    "JOIN",   "LEFT",   "LIKE",      "LIMIT", "NOT",     "OFFSET",  "ON",        "OR",      "ORDER",
    "OUTER",  "OVER",   "PARTITION", "RIGHT", "SELECT",  "SET",     "THEN",      "TOP",     "UNION",
    "UPDATE", "VALUES", "WHEN",      "WHERE", "WITH",    "PERCENT", "OPTION"};

constexpr std::string_view kTextFunctions[] = {
    "CHAR",  "CONCAT",    "FORMAT",  "LEFT",      "LOWER", "LTRIM",
    "NCHAR", "QUOTENAME", "REPLACE", "REPLICATE", "RIGHT", "RTRIM",
    "SPACE", "STR",       "SUBSTR",  "SUBSTRING", "TRIM",  "UPPER"};

constexpr std::string_view kNumberFunctions[] = {
    "ABS", "AVG", "CEILING", "CHARINDEX", "COUNT", "DATALENGTH", "DATEDIFF", "DAY",  "EXP", "FLOOR",
    "LEN", "LOG", "MONTH",   "PI",        "POWER", "ROUND",      "SIGN",     "SQRT", "SUM", "YEAR"};

constexpr std::string_view kTextTypes[] = {"CHAR",    "NCHAR", "NTEXT",  "NVARCHAR",
                                           "SYSNAME", "TEXT",  "VARCHAR"};
constexpr std::string_view kNumberTypes[] = {"BIGINT", "BIT",      "DECIMAL", "FLOAT",
                                             "INT",    "INTEGER",  "MONEY",   "NUMERIC",
                                             "REAL",   "SMALLINT", "TINYINT"};

// Words the parser knows, by class; any word it names is in one of them.
constexpr unsigned kKeyword = 1, kTextFunction = 2, kNumberFunction = 4, kTextType = 8,
                   kNumberType = 16, kNamed = 32;
constexpr std::string_view kNamedWords[] = {"CAST",     "COALESCE",   "CONVERT", "IFNULL",
                                            "ISNULL",   "MAX",        "NULL",    "NULLIF",
                                            "TRY_CAST", "TRY_CONVERT"};
constexpr std::size_t kLongestWord = 16;

const std::unordered_map<std::string_view, unsigned>& wordClasses() {
    static const auto table = [] {
        std::unordered_map<std::string_view, unsigned> t;
        const auto add = [&](const auto& words, unsigned wordClass) {
            for (const std::string_view w : words)
                t[w] |= wordClass;
        };
        add(kKeywords, kKeyword);
        add(kTextFunctions, kTextFunction);
        add(kNumberFunctions, kNumberFunction);
        add(kTextTypes, kTextType);
        add(kNumberTypes, kNumberType);
        add(kNamedWords, kNamed);
        return t;
    }();
    return table;
}

// Date styles of CONVERT as strftime formats.
struct DateStyle {
    int style;
    std::string_view format;
};
constexpr std::array<DateStyle, 15> kDateStyles = {{{1, "%m/%d/%y"},
                                                    {3, "%d/%m/%y"},
                                                    {4, "%d.%m.%y"},
                                                    {5, "%d-%m-%y"},
                                                    {23, "%Y-%m-%d"},
                                                    {101, "%m/%d/%Y"},
                                                    {102, "%Y.%m.%d"},
                                                    {103, "%d/%m/%Y"},
                                                    {104, "%d.%m.%Y"},
                                                    {105, "%d-%m-%Y"},
                                                    {108, "%H:%M:%S"},
                                                    {111, "%Y/%m/%d"},
                                                    {112, "%Y%m%d"},
                                                    {120, "%Y-%m-%d %H:%M:%S"},
                                                    {121, "%Y-%m-%d %H:%M:%f"}}};

// Nesting the translation follows by recursion; SQLite's own limit is 1000.
constexpr std::size_t kMaxDepth = 1000;

// CONVERT(nvarchar) without a length gives 30 characters.
constexpr int kDefaultTextLength = 30;

struct Operand {
    std::size_t begin;
    std::size_t end;
    Kind kind;
};

struct Chain {
    std::vector<Operand> operands;
    std::vector<std::size_t> operators;  // the '+' or '-' token before operand i + 1
    std::size_t end;
};

class Translator {
  public:
    explicit Translator(std::string_view sql) : sql_(sql), tokens_(tsql::tokenize(sql)) {
        classify();
        pairGroups();
        out_.reserve(sql.size() + sql.size() / 4);
    }

    std::string run() {
        // SQLite refuses such depths anyway; its own message says so better than a crash.
        if (tooDeep_) return std::string(sql_);
        emitLevel(0, tokens_.size());
        out_.append(sql_.substr(tokens_.empty() ? 0 : tokens_.back().end));
        return std::move(out_);
    }

  private:
    const std::string_view sql_;
    const std::vector<Token> tokens_;
    std::vector<std::size_t> partner_;  // '(' <-> ')' and CASE <-> END
    std::vector<unsigned> classes_;     // word classes; 0 for words the parser ignores
    std::vector<char> punct_;           // the character of one-character punctuation
    std::string out_;
    std::string pendingOpen_;  // brackets to put right before the next token's text
    bool tooDeep_ = false;

    bool word(std::size_t i, std::string_view upper) const {
        return i < tokens_.size() && classes_[i] != 0 && tsql::isWord(sql_, tokens_[i], upper);
    }
    bool punct(std::size_t i, char p) const { return i < tokens_.size() && punct_[i] == p; }
    bool wordIn(std::size_t i, unsigned wordClass) const {
        return i < tokens_.size() && (classes_[i] & wordClass) != 0;
    }
    bool keyword(std::size_t i) const { return wordIn(i, kKeyword); }

    // Each token is looked at once; the parser then tests bits and characters.
    void classify() {
        classes_.assign(tokens_.size(), 0);
        punct_.assign(tokens_.size(), '\0');
        char upper[kLongestWord + 1];
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            const Token& t = tokens_[i];
            const std::size_t length = t.end - t.begin;
            if (t.kind == TokenKind::Punct && length == 1) punct_[i] = sql_[t.begin];
            if (t.kind != TokenKind::Word || length > kLongestWord) continue;
            for (std::size_t k = 0; k < length; ++k) {
                const char c = sql_[t.begin + k];
                upper[k] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
            }
            const auto& table = wordClasses();
            const auto found = table.find(std::string_view(upper, length));
            classes_[i] = found == table.end() ? 0 : found->second;
        }
    }

    void pairGroups() {
        partner_.assign(tokens_.size(), kNone);
        std::vector<std::size_t> open;
        for (std::size_t i = 0; i < tokens_.size(); ++i) {
            if (punct(i, '(') || word(i, "CASE")) {
                open.push_back(i);
                tooDeep_ = tooDeep_ || open.size() > kMaxDepth;
            } else if (punct(i, ')')) {
                // A CASE without END inside the brackets stays unpaired.
                while (!open.empty() && !punct(open.back(), '('))
                    open.pop_back();
                if (open.empty()) continue;
                partner_[open.back()] = i;
                partner_[i] = open.back();
                open.pop_back();
            } else if (word(i, "END") && !open.empty() && word(open.back(), "CASE")) {
                partner_[open.back()] = i;
                partner_[i] = open.back();
                open.pop_back();
            }
        }
    }

    // A group starting at i that closes before e: its closing token, else kNone.
    std::size_t groupEnd(std::size_t i, std::size_t e) const {
        const std::size_t p = partner_[i];
        return p != kNone && p > i && p < e ? p : kNone;
    }

    // A function call: a word that is no keyword, then a bracket group. LEFT and RIGHT
    // before a bracket are the functions; the joins never have one there.
    std::size_t callEnd(std::size_t i, std::size_t e) const {
        if (tokens_[i].kind != TokenKind::Word || !punct(i + 1, '(')) return kNone;
        if (keyword(i) && !word(i, "LEFT") && !word(i, "RIGHT")) return kNone;
        return groupEnd(i + 1, e);
    }

    // The top-level pieces between commas of the group whose '(' is at open.
    std::vector<std::pair<std::size_t, std::size_t>> arguments(std::size_t open) const {
        std::vector<std::pair<std::size_t, std::size_t>> args;
        const std::size_t close = partner_[open];
        std::size_t start = open + 1;
        for (std::size_t i = open + 1; i < close;) {
            if (const std::size_t g = groupEnd(i, close); g != kNone) {
                i = g + 1;
            } else if (punct(i, ',')) {
                args.emplace_back(start, i);
                start = ++i;
            } else {
                ++i;
            }
        }
        if (start < close || !args.empty()) args.emplace_back(start, close);
        return args;
    }

    // ---- expression forms ----

    // One primary: literal, name, call, bracket group or CASE. Returns its end.
    std::size_t parseAtom(std::size_t i, std::size_t e, Kind& kind) const {
        const Token& t = tokens_[i];
        switch (t.kind) {
            case TokenKind::String:
                kind = Kind::Text;
                return i + 1;
            case TokenKind::Number:
                kind = Kind::Number;
                return i + 1;
            case TokenKind::Punct:
                if (punct(i, '(')) {
                    const std::size_t close = groupEnd(i, e);
                    if (close == kNone) return kNone;
                    kind = kindOfRange(i + 1, close);
                    return close + 1;
                }
                return kNone;
            case TokenKind::QuotedName:
                break;
            case TokenKind::Word:
                if (word(i, "CASE")) {
                    const std::size_t end = groupEnd(i, e);
                    if (end == kNone) return kNone;
                    kind = kindOfCase(i, end);
                    return end + 1;
                }
                if (word(i, "NULL")) {
                    kind = Kind::Unknown;
                    return i + 1;
                }
                if (const std::size_t close = callEnd(i, e); close != kNone) {
                    kind = kindOfCall(i);
                    return close + 1;
                }
                if (keyword(i)) return kNone;
                break;
        }
        // A name, possibly qualified: LOGS.ID_LOG, [dbo].[X], tl.*
        std::size_t k = i + 1;
        while (k + 1 < e && punct(k, '.') &&
               (tokens_[k + 1].kind == TokenKind::Word ||
                tokens_[k + 1].kind == TokenKind::QuotedName || punct(k + 1, '*')))
            k += 2;
        kind = Kind::Unknown;
        return k;
    }

    // Unary signs, an atom, and further atoms joined by '*', '/', '%'.
    std::optional<Operand> parseOperand(std::size_t i, std::size_t e) const {
        std::size_t k = i;
        bool arithmetic = false;
        while (k < e && (punct(k, '-') || punct(k, '+') || punct(k, '~')))
            ++k, arithmetic = true;
        if (k >= e) return std::nullopt;
        Kind kind;
        k = parseAtom(k, e, kind);
        if (k == kNone) return std::nullopt;
        while (k < e && (punct(k, '*') || punct(k, '/') || punct(k, '%'))) {
            std::size_t next = k + 1;
            while (next < e && (punct(next, '-') || punct(next, '+') || punct(next, '~')))
                ++next;
            Kind ignored;
            const std::size_t end = next < e ? parseAtom(next, e, ignored) : kNone;
            if (end == kNone) break;
            k = end;
            arithmetic = true;
        }
        return Operand{i, k, arithmetic ? Kind::Number : kind};
    }

    // Operands joined by binary '+' and '-'.
    std::optional<Chain> parseChain(std::size_t i, std::size_t e) const {
        auto first = parseOperand(i, e);
        if (!first) return std::nullopt;
        Chain chain{{*first}, {}, first->end};
        while (chain.end < e && (punct(chain.end, '+') || punct(chain.end, '-'))) {
            const auto next = parseOperand(chain.end + 1, e);
            if (!next) break;
            chain.operators.push_back(chain.end);
            chain.operands.push_back(*next);
            chain.end = next->end;
        }
        return chain;
    }

    // Which operators of the chain concatenate, and what the chain yields (left to right).
    Kind foldChain(const Chain& chain, std::vector<bool>* concatenates) const {
        Kind acc = chain.operands[0].kind;
        for (std::size_t n = 0; n < chain.operators.size(); ++n) {
            const Kind next = chain.operands[n + 1].kind;
            bool concat = false;
            if (punct(chain.operators[n], '+')) {
                concat = (acc == Kind::Text && next != Kind::Number) ||
                         (next == Kind::Text && acc != Kind::Number);
                if (concat)
                    acc = Kind::Text;
                else if (acc == Kind::Unknown || next == Kind::Unknown)
                    acc = Kind::Unknown;
                else
                    acc = Kind::Number;  // number + number, or a text taken as a number
            } else {
                acc = acc == Kind::Number && next == Kind::Number ? Kind::Number : Kind::Unknown;
            }
            if (concatenates) concatenates->push_back(concat);
        }
        return acc;
    }

    Kind kindOfRange(std::size_t b, std::size_t e) const {
        const auto chain = parseChain(b, e);
        return chain && chain->end == e ? foldChain(*chain, nullptr) : Kind::Unknown;
    }

    static Kind typeKind(bool text, bool number) {
        return text ? Kind::Text : number ? Kind::Number : Kind::Unknown;
    }

    Kind kindOfCall(std::size_t name) const {
        const std::size_t open = name + 1;
        if (word(name, "ISNULL") || word(name, "IFNULL") || word(name, "COALESCE") ||
            word(name, "NULLIF")) {
            // The first argument decides; where its form does not tell, the default does.
            const auto args = arguments(open);
            if (args.empty()) return Kind::Unknown;
            const Kind first = kindOfRange(args.front().first, args.front().second);
            if (first != Kind::Unknown || word(name, "NULLIF")) return first;
            return kindOfRange(args.back().first, args.back().second);
        }
        if (word(name, "CONVERT") || word(name, "TRY_CONVERT"))
            return typeKind(wordIn(open + 1, kTextType), wordIn(open + 1, kNumberType));
        if (word(name, "CAST") || word(name, "TRY_CAST")) {
            for (std::size_t i = open + 1; i < partner_[open]; ++i) {
                if (const std::size_t g = groupEnd(i, partner_[open]); g != kNone) {
                    i = g;
                } else if (word(i, "AS")) {
                    return typeKind(wordIn(i + 1, kTextType), wordIn(i + 1, kNumberType));
                }
            }
            return Kind::Unknown;
        }
        return typeKind(wordIn(name, kTextFunction), wordIn(name, kNumberFunction));
    }

    // A CASE yields text when one of its results is text.
    Kind kindOfCase(std::size_t caseToken, std::size_t endToken) const {
        bool allNumbers = true;
        bool any = false;
        for (std::size_t i = caseToken + 1; i < endToken;) {
            if (word(i, "THEN") || word(i, "ELSE")) {
                const auto chain = parseChain(i + 1, endToken);
                if (!chain) {
                    ++i;
                    allNumbers = false;
                    continue;
                }
                const Kind k = foldChain(*chain, nullptr);
                if (k == Kind::Text) return Kind::Text;
                allNumbers = allNumbers && k == Kind::Number;
                any = true;
                i = chain->end;
            } else if (const std::size_t g = groupEnd(i, endToken); g != kNone) {
                i = g + 1;
            } else {
                ++i;
            }
        }
        return any && allNumbers ? Kind::Number : Kind::Unknown;
    }

    // ---- output ----

    void emit(std::size_t i, std::string_view text) {
        const Token& t = tokens_[i];
        out_.append(sql_.substr(t.space, t.begin - t.space));
        out_ += pendingOpen_;
        pendingOpen_.clear();
        out_.append(text);
    }
    void emit(std::size_t i) { emit(i, tsql::textOf(sql_, tokens_[i])); }

    void emitGroup(std::size_t open, std::size_t close) {
        emit(open);
        emitLevel(open + 1, close);
        emit(close);
    }

    // Tokens b..e as a sequence of expressions and the words between them.
    void emitLevel(std::size_t b, std::size_t e) {
        for (std::size_t i = b; i < e;) {
            const auto chain = parseChain(i, e);
            if (!chain) {
                emit(i++);
                continue;
            }
            emitChain(*chain);
            i = chain->end;
        }
    }

    void emitChain(const Chain& chain) {
        std::vector<bool> concat;
        foldChain(chain, &concat);
        // '||' binds tighter than '+' and '-' in SQLite: an arithmetic left side of a
        // concatenation gets brackets so the T-SQL order of evaluation stays.
        std::vector<bool> closeAfter(chain.operands.size(), false);
        for (std::size_t n = 1; n < concat.size(); ++n) {
            if (concat[n] && !concat[n - 1]) {
                pendingOpen_ += '(';
                closeAfter[n] = true;
            }
        }
        emitOperand(chain.operands[0]);
        for (std::size_t n = 0; n < concat.size(); ++n) {
            if (closeAfter[n]) out_ += ')';
            if (concat[n])
                emit(chain.operators[n], "||");
            else
                emit(chain.operators[n]);
            emitOperand(chain.operands[n + 1]);
        }
    }

    void emitOperand(const Operand& operand) {
        for (std::size_t i = operand.begin; i < operand.end;) {
            const Token& t = tokens_[i];
            if (const std::size_t close = callEnd(i, operand.end); close != kNone) {
                emitCall(i, close);
                i = close + 1;
            } else if ((punct(i, '(') || word(i, "CASE")) && groupEnd(i, operand.end) != kNone) {
                const std::size_t close = groupEnd(i, operand.end);
                emitGroup(i, close);
                i = close + 1;
            } else if (t.kind == TokenKind::String && t.national) {
                emit(i, sql_.substr(t.begin + 1, t.end - t.begin - 1));  // SQLite has no N''
                ++i;
            } else {
                emit(i++);
            }
        }
    }

    void emitCall(std::size_t name, std::size_t close) {
        if (word(name, "ISNULL")) {
            emit(name, "IFNULL");
            emitGroup(name + 1, close);
        } else if (!(word(name, "CONVERT") && emitConvert(name))) {
            emit(name);
            emitGroup(name + 1, close);
        }
    }

    // The expression tokens b..e translated, without their leading blanks.
    std::string translated(std::size_t b, std::size_t e) {
        std::string saved = std::move(out_);
        out_.clear();
        emitLevel(b, e);
        std::string result = std::move(out_);
        out_ = std::move(saved);
        result.erase(0, result.find_first_not_of(" \t\r\n"));
        return result;
    }

    std::optional<int> integerToken(std::size_t i) const {
        if (tokens_[i].kind != TokenKind::Number) return std::nullopt;
        const std::string_view text = tsql::textOf(sql_, tokens_[i]);
        int value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
        return value;
    }

    // CONVERT(nvarchar(n), x [, style]) -> SQLite text; false for forms left as they are.
    bool emitConvert(std::size_t name) {
        const std::size_t open = name + 1;
        const auto args = arguments(open);
        if (args.size() != 2 && args.size() != 3) return false;
        // The target type: nvarchar or varchar, with a length, (max) or none.
        const auto [typeBegin, typeEnd] = args[0];
        if (!(word(typeBegin, "NVARCHAR") || word(typeBegin, "VARCHAR"))) return false;
        std::optional<int> length = kDefaultTextLength;
        if (typeEnd == typeBegin + 4 && punct(typeBegin + 1, '(') && punct(typeBegin + 3, ')')) {
            if (word(typeBegin + 2, "MAX"))
                length.reset();
            else if (const auto n = integerToken(typeBegin + 2))
                length = *n;
            else
                return false;
        } else if (typeEnd != typeBegin + 1) {
            return false;
        }
        std::optional<std::string_view> dateFormat;
        if (args.size() == 3) {
            const auto [styleBegin, styleEnd] = args[2];
            const auto style = integerToken(styleBegin);
            if (styleEnd != styleBegin + 1 || !style) return false;
            const auto found = std::find_if(kDateStyles.begin(), kDateStyles.end(),
                                            [&](const DateStyle& d) { return d.style == *style; });
            if (found == kDateStyles.end()) return false;
            dateFormat = found->format;
        }

        const std::string x = translated(args[1].first, args[1].second);
        const auto truncated = [&](const std::string& text) {
            return length ? "substr(" + text + ", 1, " + std::to_string(*length) + ")" : text;
        };
        std::string sqlite;
        if (dateFormat) {
            // A date in the style's form; anything that is no date stays as it is.
            sqlite = "IFNULL(" +
                     truncated("strftime('" + std::string(*dateFormat) + "', " + x + ")") + ", " +
                     truncated("CAST(" + x + " AS TEXT)") + ")";
        } else {
            // SQL Server writes a float with at most 6 significant digits and a three-digit
            // exponent (2.5, 3, 1.23457e+006).
            sqlite = truncated("CASE typeof(" + x +
                               ") WHEN 'real' THEN replace(replace(printf('%.6g', " + x +
                               "), 'e+', 'e+0'), 'e-', 'e-0') ELSE CAST(" + x + " AS TEXT) END");
        }
        emit(name, sqlite);
        return true;
    }
};

bool containsIgnoreCase(std::string_view haystack, std::string_view upperNeedle) {
    const auto it =
        std::search(haystack.begin(), haystack.end(), upperNeedle.begin(), upperNeedle.end(),
                    [](char a, char b) { return (a >= 'a' && a <= 'z' ? a - 32 : a) == b; });
    return it != haystack.end();
}

}  // namespace

std::string translateForSqlite(std::string_view tsql) {
    // Most statements need nothing; they pass without being tokenized.
    if (tsql.find('+') == std::string_view::npos && !containsIgnoreCase(tsql, "ISNULL") &&
        !containsIgnoreCase(tsql, "CONVERT") && !containsIgnoreCase(tsql, "N'"))
        return std::string(tsql);
    return Translator(tsql).run();
}

}  // namespace ls::db
