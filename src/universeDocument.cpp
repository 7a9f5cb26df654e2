// Reading a data file whole and parsing it in place, with one clear line on failure.
#include "universeDocument.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include <rapidxml/rapidxml.hpp>

#include "xmlNesting.h"

// Read in one piece: a load reads two files of tens of kilobytes at a keypress.
std::vector<char> readWholeFile(const std::string& fileName) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(fileName, error))
        return {};
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    std::ifstream in(fileName, std::ios::binary);
    if (error || !in)
        return {};
    std::vector<char> text(size + 1, '\0');  // the 0 ends the text for the parser
    in.read(text.data(), std::streamsize(size));
    if (std::uintmax_t(in.gcount()) != size)
        return {};
    return text;
}

bool parseDocument(const std::string& fileName, const char* rootName, std::vector<char>& text,
                   rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root) {
    doc.clear();
    root = nullptr;
    if (text.empty()) {
        std::cout << "Error, cannot open file " << fileName << std::endl;
        return false;
    }
    if (elementNesting(text.data()) > MAX_ELEMENT_NESTING) {
        std::cout << "Error, " << fileName << " does not parse: its elements nest deeper than "
                  << MAX_ELEMENT_NESTING << " levels" << std::endl;
        return false;
    }
    try {
        doc.parse<0>(text.data());
    } catch (const rapidxml::parse_error& error) {
        doc.clear();
        std::cout << "Error, " << fileName << " does not parse: " << error.what() << " at offset "
                  << error.where<char>() - text.data() << std::endl;
        return false;
    }
    root = doc.first_node(rootName);
    if (!root) {
        doc.clear();
        std::cout << "Error, " << fileName << " has no root element " << rootName << std::endl;
        return false;
    }
    return true;
}
