// Reading and writing attributes of rapidxml elements (data files and saves).
#include "basicsXml.h"

#include <rapidxml/rapidxml.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

using Node = rapidxml::xml_node<char>;
using Document = rapidxml::xml_document<char>;
using Attribute = rapidxml::xml_attribute<char>;

namespace {

const Attribute* findAttribute(const Node* node, const char* name) {
    return node ? node->first_attribute(name) : nullptr;
}

std::string textOf(const Attribute* attribute) { return {attribute->value(), attribute->value_size()}; }

// Saves and data files are input: "nan" or "inf" would spread through every position
// and speed they touch, so they read as text that is no number.
float parsedFloat(const std::string& text) {
    const double value = std::atof(text.c_str());
    if (!std::isfinite(value)) return 0.0f;
    const double largest = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -largest, largest));
}

void reportMissing(const char* name) {
    std::cout << "Error, XML value " << name << " not present, and is required" << std::endl;
}

void appendAttribute(Document& doc, Node* node, const char* name, const std::string& value) {
    if (!node) return;
    const char* pooledValue = doc.allocate_string(value.c_str(), value.size() + 1);
    const char* pooledName = doc.allocate_string(name);
    node->append_attribute(doc.allocate_attribute(pooledName, pooledValue));
}

void replaceAttribute(Document& doc, Node* node, const char* name, const std::string& value) {
    if (!node) return;
    if (Attribute* old = node->first_attribute(name)) node->remove_attribute(old);
    appendAttribute(doc, node, name, value);
}

}  // namespace

bool checkVal(const Node* node, const char* name) { return findAttribute(node, name) != nullptr; }

std::string getVal(const Node* node, const char* name) { return getVal(node, name, ""); }

std::string getVal(const Node* node, const char* name, const std::string& fallback) {
    const Attribute* attribute = findAttribute(node, name);
    return attribute ? textOf(attribute) : fallback;
}

std::string getValND(const Node* node, const char* name) {
    const Attribute* attribute = findAttribute(node, name);
    if (attribute) return textOf(attribute);
    reportMissing(name);
    return "";
}

float getValF(const Node* node, const char* name) { return getValF(node, name, 0.0f); }

float getValF(const Node* node, const char* name, float fallback) {
    const Attribute* attribute = findAttribute(node, name);
    return attribute ? parsedFloat(textOf(attribute)) : fallback;
}

float getValFND(const Node* node, const char* name) { return parsedFloat(getValND(node, name)); }

int64_t getValLIND(const Node* node, const char* name) {
    // strtoll clamps out-of-range text instead of leaving it undefined as atol does.
    return std::strtoll(getValND(node, name).c_str(), nullptr, 10);
}

point getPointND(const Node* node, const char* xName, const char* yName) {
    const float x = getValFND(node, xName);
    return {x, getValFND(node, yName)};
}

bool attributeNameReadsBack(const std::string& name) {
    static const char NAME_ENDS[] = " \t\n\r!/<=>?";  // and its terminating NUL, counted below
    return !name.empty() && name.find_first_of(NAME_ENDS, 0, sizeof NAME_ENDS) == std::string::npos;
}

void addAttribValue(Document& doc, Node* node, const char* name, float value) {
    appendAttribute(doc, node, name, toString(value));
}

void addAttribValue(Document& doc, Node* node, const char* name, const std::string& value) {
    appendAttribute(doc, node, name, value);
}

void addAttribValue(Document& doc, Node* node, const std::string& name, float value) {
    appendAttribute(doc, node, name.c_str(), toString(value));
}

void addAttribPoint(Document& doc, Node* node, const char* xName, const char* yName, point p) {
    addAttribValue(doc, node, xName, p.x);
    addAttribValue(doc, node, yName, p.y);
}

void addAttribInt(Document& doc, Node* node, const char* name, int64_t value) {
    appendAttribute(doc, node, name, std::to_string(value));
}

void changeAttribValue(Document& doc, Node* node, const char* name, const char* value) {
    replaceAttribute(doc, node, name, value ? value : "");
}

void changeAttribValue(Document& doc, Node* node, const char* name, const std::string& value) {
    replaceAttribute(doc, node, name, value);
}

void changeAttribValue(Document& doc, Node* node, const char* name, float value) {
    replaceAttribute(doc, node, name, toString(value));
}
