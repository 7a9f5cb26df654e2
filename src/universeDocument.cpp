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

bool parseDocumentQuietly(const std::string& fileName, const char* rootName, std::vector<char>& text,
                          rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root, std::string& reason) {
    doc.clear();
    root = nullptr;
    if (text.empty()) {
        reason = "cannot open file " + fileName;
        return false;
    }
    if (elementNesting(text.data()) > MAX_ELEMENT_NESTING) {
        reason = fileName + " does not parse: its elements nest deeper than " + std::to_string(MAX_ELEMENT_NESTING) +
                 " levels";
        return false;
    }
    try {
        doc.parse<0>(text.data());
    } catch (const rapidxml::parse_error& error) {
        doc.clear();
        reason = fileName + " does not parse: " + error.what() + " at offset " +
                 std::to_string(error.where<char>() - text.data());
        return false;
    }
    root = doc.first_node(rootName);
    if (!root) {
        doc.clear();
        reason = fileName + " has no root element " + rootName;
        return false;
    }
    return true;
}

bool parseDocument(const std::string& fileName, const char* rootName, std::vector<char>& text,
                   rapidxml::xml_document<char>& doc, rapidxml::xml_node<char>*& root) {
    std::string reason;
    if (parseDocumentQuietly(fileName, rootName, text, doc, root, reason)) return true;
    std::cout << "Error, " << reason << std::endl;
    return false;
}
