// How deep the XML parser would recurse on a text, measured before the parser is let loose on it.
#pragma once

#include <cstddef>

// The most elements with content open at once in the NUL-terminated text, read by rapidxml's
// rules for parse flags 0 (comments, CDATA, DOCTYPE, declarations and processing instructions
// skipped as the parser skips them), as far as the parser would get. Never less than the
// depth the parser recurses to; more only past a point where the parser gives up.
size_t elementNesting(const char* text);
