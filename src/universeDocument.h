// Reading a data file whole and parsing it in place, with one clear line on failure.
#pragma once

#include <string>
#include <vector>

#include "xmlForward.h"

// The parser recurses once per nested element and would run out of stack on a file nested
// tens of thousands deep; the game's own files nest a handful of levels.
constexpr size_t MAX_ELEMENT_NESTING = 1000;

// The file's bytes followed by a terminating 0, or an empty sequence when it cannot be read.
std::vector<char> readWholeFile(const std::string& fileName);

// Parses text (read from fileName) in place into doc and finds its root element
// rootName. A text nested deeper than MAX_ELEMENT_NESTING is refused unparsed. On failure
// prints one line naming the file and the reason, leaves doc empty and root null, and
// returns false.
bool parseDocument(const std::string& fileName, const char* rootName, std::vector<char>& text,
                   rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root);

// As parseDocument, but silent: reason receives what the line would say after "Error, ".
bool parseDocumentQuietly(const std::string& fileName, const char* rootName, std::vector<char>& text,
                          rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root, std::string& reason);
