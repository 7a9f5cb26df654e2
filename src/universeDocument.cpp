// Reading a data file whole and parsing it in place, with one clear line on failure.
#include "universeDocument.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

#include <rapidxml/rapidxml.hpp>

std::vector<char> readWholeFile(const std::string& fileName) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(fileName, ignored))
        return {};
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        return {};
    std::vector<char> text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return {};
    text.push_back('\0');
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
