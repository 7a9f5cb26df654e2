// Elements nested one inside the other, as deep as a test needs.
#pragma once

#include <cstddef>
#include <string>

// Deep enough that parsing it unchecked ran the game out of stack (it broke at about 50,000).
constexpr size_t STACK_BREAKING_DEPTH = 200000;

// depth start tags of element a, each inside the one before; closed or left open.
inline std::string nestedElements(size_t depth, bool closed = false) {
    std::string text;
    for (size_t i = 0; i < depth; ++i) text += "<a>";
    for (size_t i = 0; closed && i < depth; ++i) text += "</a>";
    return text;
}
