// Finding elements and counting nodes in XML text.
#include "host/sheet/xml_scan.hpp"

#include <string>

#include "host/sheet/package_error.hpp"

namespace ls::sheet::xml {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

[[noreturn]] void unfinished(std::string_view partName) {
    throw PackageError("fehlerhaftes XML in \"" + std::string(partName) +
                       "\": eine Markierung endet nicht");
}

// Markup at pos that is no element: comment, CDATA, processing instruction, declaration.
// Returns the position after it, or npos when pos starts a tag.
std::size_t skipOther(std::string_view text, std::size_t pos, std::string_view partName) {
    const auto rest = text.substr(pos);
    const auto past = [&](std::string_view close) {
        const auto at = text.find(close, pos + 2);
        if (at == std::string_view::npos) unfinished(partName);
        return at + close.size();
    };
    if (rest.starts_with("<!--")) return past("-->");
    if (rest.starts_with("<![CDATA[")) return past("]]>");
    if (rest.starts_with("<?")) return past("?>");
    if (rest.starts_with("<!")) return past(">");
    return std::string_view::npos;
}

// The end of a tag starting at pos ("<" or "</"): after its ">". Quoted values may hold ">".
std::size_t tagEnd(std::string_view text, std::size_t pos, std::string_view partName,
                   std::size_t* attributes = nullptr) {
    char quote = 0;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '=') {
            if (attributes) ++*attributes;
        } else if (c == '>') {
            return i + 1;
        }
    }
    unfinished(partName);
}

void countInto(std::string_view text, std::size_t& pos, bool& textRun, std::size_t& count) {
    while (pos < text.size()) {
        const char c = text[pos];
        if (c != '<') {
            if (!textRun && !isSpace(c)) {
                ++count;
                textRun = true;
            }
            ++pos;
            continue;
        }
        textRun = false;
        const auto rest = text.substr(pos);
        if (rest.starts_with("<![CDATA[")) ++count;
        if (const auto after = skipOther(text, pos, "XML"); after != std::string_view::npos) {
            pos = after;
            continue;
        }
        if (!rest.starts_with("</")) ++count;
        pos = tagEnd(text, pos, "XML", &count);
    }
}

}  // namespace

std::string_view localPart(std::string_view name) {
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::size_t countNodes(std::string_view text) {
    std::size_t count = 0;
    std::size_t pos = 0;
    bool textRun = false;
    // Markup that never ends: the parser reports it.
    try {
        countInto(text, pos, textRun, count);
    } catch (const PackageError&) {
    }
    return count;
}

std::optional<ElementSpan> nextElement(std::string_view text, std::size_t pos,
                                       std::string_view partName) {
    for (;;) {
        pos = text.find('<', pos);
        if (pos == std::string_view::npos) return std::nullopt;
        if (const auto after = skipOther(text, pos, partName); after != std::string_view::npos) {
            pos = after;
            continue;
        }
        if (text.substr(pos).starts_with("</")) return std::nullopt;
        break;
    }
    ElementSpan span;
    span.begin = pos;
    std::size_t nameEnd = pos + 1;
    while (nameEnd < text.size() && !isSpace(text[nameEnd]) && text[nameEnd] != '>' &&
           text[nameEnd] != '/')
        ++nameEnd;
    span.name = text.substr(pos + 1, nameEnd - pos - 1);
    const std::size_t startEnd = tagEnd(text, pos, partName);
    span.contentBegin = startEnd;
    if (text[startEnd - 2] == '/') {
        span.contentEnd = span.end = startEnd;
        return span;
    }
    // Nested elements up to the matching end tag.
    int depth = 1;
    std::size_t at = startEnd;
    for (;;) {
        at = text.find('<', at);
        if (at == std::string_view::npos) unfinished(partName);
        if (const auto after = skipOther(text, at, partName); after != std::string_view::npos) {
            at = after;
            continue;
        }
        const bool closing = text.substr(at).starts_with("</");
        const std::size_t end = tagEnd(text, at, partName);
        if (closing) {
            if (--depth == 0) {
                span.contentEnd = at;
                span.end = end;
                return span;
            }
        } else if (text[end - 2] != '/') {
            ++depth;
        }
        at = end;
    }
}

}  // namespace ls::sheet::xml
