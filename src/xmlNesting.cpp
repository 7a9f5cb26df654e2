// How deep the XML parser would recurse on a text, measured before the parser is let loose on it.
#include "xmlNesting.h"

#include <algorithm>
#include <cstring>

namespace {

// rapidxml's character classes; anything else, bytes above 127 included, belongs to names.
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isNameChar(char c) { return c != '\0' && !isSpace(c) && !std::strchr("/>?", c); }
bool isAttributeNameChar(char c) { return c != '\0' && !isSpace(c) && !std::strchr("/<>=?!", c); }

const char* skipWhile(const char* p, bool (*belongs)(char)) {
    while (belongs(*p)) ++p;
    return p;
}

bool startsWith(const char* p, const char* prefix) { return std::strncmp(p, prefix, std::strlen(prefix)) == 0; }

// Past the first end found from p on, or null when the text ends first.
const char* past(const char* p, const char* end) {
    const char* found = std::strstr(p, end);
    return found ? found + std::strlen(end) : nullptr;
}

// The first '>' outside brackets ends a DOCTYPE; brackets nest, quotes mean nothing.
const char* pastDoctype(const char* p) {
    int brackets = 0;
    for (; *p; ++p) {
        if (*p == '[')
            ++brackets;
        else if (*p == ']' && brackets > 0)
            --brackets;
        else if (*p == '>' && brackets == 0)
            return p + 1;
    }
    return nullptr;
}

// p follows "<!": a comment, CDATA, a DOCTYPE, or anything else up to the next '>'.
const char* pastMarkup(const char* p) {
    if (startsWith(p, "--")) return past(p + 2, "-->");
    if (startsWith(p, "[CDATA[")) return past(p + 7, "]]>");
    if (startsWith(p, "DOCTYPE") && isSpace(p[7])) return pastDoctype(p + 8);
    return past(p, ">");
}

// p follows "</"; the name is not compared with the open element's.
const char* pastEndTag(const char* p) {
    p = skipWhile(skipWhile(p, isNameChar), isSpace);
    return *p == '>' ? p + 1 : nullptr;
}

// p follows '<' at an element's name. Null where the parser would stop; opens tells whether
// the element has content, that is, whether the parser goes one level deeper.
const char* pastStartTag(const char* p, bool& opens) {
    const char* name = p;
    p = skipWhile(p, isNameChar);
    if (p == name) return nullptr;
    p = skipWhile(p, isSpace);
    while (isAttributeNameChar(*p)) {
        p = skipWhile(skipWhile(p, isAttributeNameChar), isSpace);
        if (*p != '=') return nullptr;
        p = skipWhile(p + 1, isSpace);
        const char quote = *p;
        if (quote != '"' && quote != '\'') return nullptr;
        p = std::strchr(p + 1, quote);  // a value's '>', '/' and '<' are its own
        if (!p) return nullptr;
        p = skipWhile(p + 1, isSpace);
    }
    opens = *p == '>';
    if (opens) return p + 1;
    return p[0] == '/' && p[1] == '>' ? p + 2 : nullptr;
}

}  // namespace

size_t elementNesting(const char* text) {
    size_t depth = 0, deepest = 0;
    const char* p = std::strchr(text, '<');  // text between tags runs to the next '<'
    while (p) {
        ++p;
        if (*p == '/') {
            if (depth == 0) break;
            --depth;
            p = pastEndTag(p + 1);
        } else if (*p == '?') {
            p = past(p + 1, "?>");
        } else if (*p == '!') {
            p = pastMarkup(p + 1);
        } else {
            bool opens = false;
            p = pastStartTag(p, opens);
            if (opens) deepest = std::max(deepest, ++depth);
        }
        if (p) p = std::strchr(p, '<');
    }
    return deepest;
}
