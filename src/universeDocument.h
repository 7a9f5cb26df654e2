// Reading a data file whole and parsing it in place, with one clear line on failure.
#pragma once

#include <string>
#include <vector>

#include "xmlForward.h"

// The file's bytes followed by a terminating 0, or an empty sequence when it cannot be read.
std::vector<char> readWholeFile(const std::string& fileName);

// Parses text (read from fileName) in place into doc and finds its root element
// rootName. On failure prints one line naming the file and the reason, leaves
// doc empty and root null, and returns false.
bool parseDocument(const std::string& fileName, const char* rootName, std::vector<char>& text,
                   rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root);
